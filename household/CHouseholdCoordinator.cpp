#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "household/CHouseholdWithChildren.h"
#include "models/CLocationVariableMatrix.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <cmath>

CHouseholdCoordinator::CHouseholdCoordinator(CModelSystem* models) : m_pModelSystem(models) {}

CHouseholdCoordinator::~CHouseholdCoordinator() = default;

void CHouseholdCoordinator::SimulateHousehold(COutputFileSet& streams) {
    if (!m_pHouseholdObject) return;
    SimulateAnnualMileage();
    SimulateVehicleHoldings();
    SimulateVehicleMakesAndDrivers();
    SimulateWorkAndSchoolParticipation();
    SimulateWorkAndSchoolTimes();
    SimulateEscortEpisodes();
    if (DrawZeroNonWorkDuration()) return;
    GenerateActivities(m_pHouseholdObject, streams);
    SimulateServePassengerActivities();
    SimulateJointTravelArrangement(m_pHouseholdObject);
    ScheduleJointActivities(m_pHouseholdObject);
    SimulateJointTourVehicles();
}

void CHouseholdCoordinator::SimulateAnnualMileage() {}

void CHouseholdCoordinator::SimulateWorkAndSchoolParticipation() {
    for (const auto& person : m_pHouseholdObject->GetPersons())
        if (person && !person->GetPattern()) person->CreatePattern();
}

void CHouseholdCoordinator::SimulateWorkAndSchoolTimes() {}

void CHouseholdCoordinator::SimulateEscortEpisodes() {
    BuildEscortEpisodes();
    AllocateEscortEpisodes();
}

bool CHouseholdCoordinator::DrawZeroNonWorkDuration() { return false; }

void CHouseholdCoordinator::SimulateServePassengerActivities() {}

void CHouseholdCoordinator::GeneratePersonSchedules() {
    if (!m_pHouseholdObject) return;
    CHouseholdObject& household = *m_pHouseholdObject;
    OrderPersonsForSchedule(household);
    for (const int number : household.m_personOrder) {
        CPersonObject* person = household.GetPerson(number);
        if (person == nullptr || person->GetPattern() == nullptr) continue;
        m_pCurrentPerson = person;
        const bool adult = !person->IsChild();
        const bool goes = person->GetFlag(0);
        if (adult && goes) {
            SimulateWHCommute(person, &household);
            SimulateHWCommute(person, &household);
        } else if (adult) {
            SimulateNonWorkerEscortTours(person, &household, m_pModelSystem);
        } else if (goes) {
            SimulateChildSchoolCommute(person, &household, m_pModelSystem);
        }
        if (!goes) CollectPersonJointActivities(person, &household, m_pModelSystem, this);
        if (!adult)
            SimulateChildDiscretionaryTour(person, &household, m_pModelSystem, this);
        else if (!goes)
            SimulateNonWorkerTours(person, &household, m_pModelSystem, this);
        else if (CWPattern* pattern = person->GetWPattern())
            pattern->SimulateInHousehold(person, m_pModelSystem, &household, this);
        CloseTours(*person);
        RecordVehicleUse(*person, household);
    }
    m_pCurrentPerson = nullptr;
}

void CHouseholdCoordinator::OrderPersonsForSchedule(CHouseholdObject& household) {
    // Positions in the person list, which the loader put in person-number
    // order: position k is person number k in every sound household.
    household.m_personOrder.clear();
    household.m_vehicleUse.clear();
    const int count = household.GetPersonCount();
    for (int k = 1; k <= count; ++k)
        if (household.GetPerson(k)->m_nVehicle != -1) {
            household.m_personOrder.push_back(k);
            household.m_vehicleUse.emplace_back();
        }
    for (int k = 1; k <= count; ++k)
        if (household.GetPerson(k)->m_nVehicle == -1) household.m_personOrder.push_back(k);
}

void CHouseholdCoordinator::CloseTours(CPersonObject&) {}

void CHouseholdCoordinator::RecordVehicleUse(CPersonObject&, CHouseholdObject&) {}

void CHouseholdCoordinator::ComputeLocationVariables(int origin, const std::vector<int>& candidates,
                                                     const std::vector<int>& ids,
                                                     std::vector<std::vector<double>>& matrix, CStop* stop) {
    CLocationVariableMatrix::ComputeLocationVariables(m_pDataManager, m_pHouseholdObject, m_pCurrentPerson, origin,
                                                      candidates, ids, matrix, stop);
}

void CHouseholdCoordinator::ComputeZoneAttributeMatrix(int homeZone, const std::vector<int>& candidates,
                                                       const std::vector<int>& ids,
                                                       std::vector<std::vector<double>>& matrix) {
    CLocationVariableMatrix::ComputeZoneAttributeMatrix(m_pDataManager, homeZone, candidates, ids, matrix);
}

void CHouseholdCoordinator::SetRunSettings(int adultModeCount, int tourModeCount, int activityTypeCount) {
    m_nAdultModes = adultModeCount;
    m_nTourModes = tourModeCount;
    m_nActivityTypes = activityTypeCount;
}

// Asked only of the drop-off adult, who exists only in a household with
// children; any other simulator has no episodes to give.
std::vector<CEpisodeRecord> CHouseholdCoordinator::GetCurrentVector() const {
    if (const auto* withChildren = dynamic_cast<const CHouseholdWithChildren*>(this))
        return withChildren->m_dropOffEpisodes;
    return {};
}

CPersonObject* CHouseholdCoordinator::FindFirstParent() const {
    if (m_pHouseholdObject == nullptr) return nullptr;
    for (const auto& person : m_pHouseholdObject->GetPersons())
        if (person->IsValue9One()) return person.get();
    return nullptr;
}

double CHouseholdCoordinator::GetTravelTime(int origin, const std::vector<int>& destinations, int mode,
                                            double time) const {
    constexpr int kDistanceColumn = 3;
    constexpr int kAutoTimeColumn = 5;
    constexpr int kTransitTimeColumn = 8;
    double v = 0.0;
    if (!destinations.empty() && m_pDataManager != nullptr) {
        // Only the first destination's value is used: ask for that one alone.
        const std::vector<int> first(1, destinations.front());
        std::vector<double> values;
        switch (mode) {
            case 2: {  // Walk/Bike: minutes from the distance
                m_pDataManager->GetZone2ZoneForDestinations(values, kDistanceColumn, origin, first);
                const double d = values.empty() ? 0.0 : values.front();
                v = d <= 2.0 ? std::floor(d / 0.05) : std::floor(d / 0.15);
                break;
            }
            case 0:  // Drive Alone
            case 1:  // Passenger
            case 7:  // Drive With Passenger
                m_pDataManager->GetLOS(values, kAutoTimeColumn, time, origin, first);
                v = values.empty() ? 0.0 : values.front();
                break;
            case 3:  // Transit
                m_pDataManager->GetLOS(values, kTransitTimeColumn, time, origin, first);
                v = values.empty() ? 0.0 : values.front();
                break;
            default:
                break;
        }
    }
    return std::floor(std::max(2.0, v));
}
