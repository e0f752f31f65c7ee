#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "household/CEpisodeRecord.h"
#include "household/CHouseholdWithChildren.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationVariableMatrix.h"
#include "models/CMNLogitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

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

namespace {

using decision_key::Reseed;
using schedule_bounds::Clamp;

// Household and person columns the driver reads; the widest of each table
// (household column 9, person column 52) are checked when the tables load
// (InputColumns).
constexpr int kHouseholdVehicles = 2;
constexpr int kHouseholdHomeZone = InputColumns::kHomeZone;
constexpr int kHouseholdPersons = InputColumns::kPersonCount;
constexpr int kPersonEmployed = 2;
constexpr int kPersonEnrolled = 3;
constexpr int kDistanceColumn = 3;  // zone-to-zone distance

// Integer part of a column is 1 (the employed and enrolled tests).
bool IntegerPartIsOne(double value) { return CRecordLine::TruncateToInt(value) == 1; }

// Persons 1 .. household column 9, never past the persons held.
int CountedPersons(const CHouseholdObject& household) {
    const double column9 = household.GetValue(kHouseholdPersons);
    if (!(column9 > 0.0)) return 0;
    return std::min(household.GetPersonCount(), CRecordLine::TruncateToInt(column9));
}

// School modes of children.
constexpr int kWalkOrBike = 2;
constexpr int kDrivenByParent = 4;
// A school farther than this (zone-to-zone distance) cannot be walked to.
constexpr double kLongestWalkToSchool = 10.0;
// Annual mileage never above this.
constexpr double kHighestAnnualMileage = 64.0;

// Time bounds of work and school, in minutes of the day and minutes.
struct TimeBounds {
    double startLow, startHigh;  // start of the day's work or school
    double endLow, endHigh;      // its end
    double durationLow, durationHigh;
};
constexpr TimeBounds kAdultSchool{220.0, 905.0, 480.0, 1080.0, 94.0, 570.0};
constexpr TimeBounds kChildSchool{245.0, 365.0, 545.0, 855.0, 255.0, 560.0};
constexpr TimeBounds kWork{180.0, 720.0, 600.0, 1200.0, 195.0, 721.0};

// The duration from a floored start, its end held within the bounds, then
// floored and bounded.
double BoundDuration(double start, double duration, const TimeBounds& bounds) {
    if (start + duration < bounds.endLow) duration = bounds.endLow - start;
    if (start + duration > bounds.endHigh) duration = bounds.endHigh - start;
    return std::floor(Clamp(std::floor(duration), bounds.durationLow, bounds.durationHigh));
}

// A hazard model's draw for the pattern. A model file without the model's
// intervals leaves it unable to draw: it then gives 0.0 minutes without a
// draw, and the school-time bounds take over.
double HazardMinutes(CHazardMM& model, CWPattern& pattern) {
    return model.HasUsableParameters() ? model.Predict(&pattern) : 0.0;
}

// Sets the simulator's current person for the steps on one person and clears
// it afterwards.
class PersonScope {
public:
    PersonScope(CHouseholdCoordinator& simulator, CPersonObject* person) : m_simulator(simulator) {
        m_simulator.SetCurrentPerson(person);
    }
    ~PersonScope() { m_simulator.SetCurrentPerson(nullptr); }
    PersonScope(const PersonScope&) = delete;
    PersonScope& operator=(const PersonScope&) = delete;

private:
    CHouseholdCoordinator& m_simulator;
};

}  // namespace

void CHouseholdCoordinator::SimulateAnnualMileage() {
    CHouseholdObject& household = *m_pHouseholdObject;
    Reseed(*m_pModelSystem, household, 10);
    double mileage = std::exp(m_pModelSystem->m_pHouseholdAnnualMileage->Predict(&household));
    if (mileage > kHighestAnnualMileage) mileage = kHighestAnnualMileage;
    household.m_dAnnualMileage = mileage;
}

void CHouseholdCoordinator::SimulateWorkAndSchoolParticipation() {
    CHouseholdObject& household = *m_pHouseholdObject;
    CModelSystem& models = *m_pModelSystem;
    int workOrSchoolAdults = 0;
    int schoolGoers = 0;
    for (int k = 1; k <= household.GetPersonCount(); ++k) {
        CPersonObject* person = household.GetPerson(k);
        PersonScope current(*this, person);
        const bool employed = IntegerPartIsOne(person->GetValue(kPersonEmployed));
        if (!employed) person->SetFlag(2, false);
        if (person->IsChild()) {
            // An enrolled child always has a school day; the draw only counts it.
            const bool enrolled = person->GetValue(kPersonEnrolled) == 1.0;
            if (enrolled) {
                Reseed(models, household, k);
                if (models.m_pDecisionToGoToSchool->Choose(person)) ++schoolGoers;
            }
            person->SetFlag(0, enrolled);
            person->SetFlag(1, enrolled);
        } else if (employed) {
            Reseed(models, household, k);
            const bool works = models.m_pDecisionToGoToWork->Choose(person);
            person->SetFlag(0, works);
            if (works) ++workOrSchoolAdults;
        } else if (IntegerPartIsOne(person->GetValue(kPersonEnrolled))) {
            Reseed(models, household, k);
            const bool studies = models.m_pAdultsDecisionToGoToSchool->Choose(person);
            person->SetFlag(0, studies);
            person->SetFlag(1, studies);
            if (studies) {
                ++workOrSchoolAdults;
                ++schoolGoers;
            }
        } else {
            person->SetFlag(0, false);
            person->SetFlag(1, false);
        }
        person->CreatePattern();
    }
    household.SetWorkOrSchoolAdultCount(workOrSchoolAdults);
    household.SetSchoolGoingMemberCount(schoolGoers);
}

void CHouseholdCoordinator::SimulateWorkAndSchoolTimes() {
    CHouseholdObject& household = *m_pHouseholdObject;
    for (int k = 1; k <= household.GetPersonCount(); ++k) {
        CPersonObject* person = household.GetPerson(k);
        auto* pattern = dynamic_cast<CWPattern*>(person->GetPattern());
        if (pattern == nullptr) continue;
        PersonScope current(*this, person);
        if (person->GetFlag(1)) SimulateSchoolDay(k, *person, *pattern);
        if (IntegerPartIsOne(person->GetValue(kPersonEmployed)) && person->GetFlag(0))
            SimulateWorkDay(k, *person, *pattern);
    }
}

void CHouseholdCoordinator::SimulateSchoolDay(int k, CPersonObject& person, CWPattern& pattern) {
    CHouseholdObject& household = *m_pHouseholdObject;
    CModelSystem& models = *m_pModelSystem;
    Reseed(models, household, 2u * static_cast<std::uint32_t>(k));

    const TimeBounds& bounds = person.IsChild() ? kChildSchool : kAdultSchool;
    double start = 0.0;
    double end = 0.0;
    if (person.IsChild()) {
        start = std::floor(Clamp(std::floor(HazardMinutes(*models.m_pChildrensSchoolStartTime, pattern)),
                                 bounds.startLow, bounds.startHigh));
        end = std::floor(start + HazardMinutes(*models.m_pChildrensSchoolEndTime, pattern));
    } else {
        start = Clamp(schedule_bounds::ExpMinutes(models.m_pAdultsSchoolStartTime->Predict(&pattern)),
                      bounds.startLow, bounds.startHigh);
        end = start + schedule_bounds::ExpMinutes(models.m_pAdultsSchoolEndTime->Predict(&pattern));
    }
    const double duration = BoundDuration(start, end - start, bounds);
    pattern.SetWorkDuration(duration);
    pattern.SetWorkStart(start);

    const int schoolZone = std::max(person.GetValue6(), person.GetValue52());
    const int homeZone = CRecordLine::TruncateToInt(household.GetValue(kHouseholdHomeZone));
    if (person.IsChild()) {
        // Walking is closed to a distant school, being driven by a parent to a
        // household without a parent who drives or without a vehicle.
        std::vector<int>& closed = m_closedModes;
        closed.clear();
        double distance = 0.0;
        m_pDataManager->GetZone2Zone(distance, kDistanceColumn, homeZone, schoolZone);
        if (distance > kLongestWalkToSchool) closed.push_back(kWalkOrBike);
        bool parentDrives = false;
        for (const auto& member : household.GetPersons())
            if (member->IsValue9One() && member->m_nVehicle > -1) parentDrives = true;
        if (!parentDrives || CRecordLine::TruncateToInt(household.GetValue(kHouseholdVehicles)) < 1)
            closed.push_back(kDrivenByParent);

        CMNLogitMM& fromSchool = *models.m_pModeFromSchoolForChildren;
        fromSchool.ComputeValues(&pattern);
        fromSchool.SetUnavailable(closed);
        Reseed(models, household, 3u * static_cast<std::uint32_t>(k));
        pattern.SetWorkToHomeTourMode(fromSchool.Draw());

        CMNLogitMM& toSchool = *models.m_pModeToSchoolForChildren;
        toSchool.ComputeValues(&pattern);
        toSchool.SetUnavailable(closed);
        pattern.SetHomeToWorkTourMode(toSchool.Draw());
    }
    m_pDataManager->GetLOSRecord(&person, homeZone, schoolZone, start, start + duration);
}

void CHouseholdCoordinator::SimulateWorkDay(int k, CPersonObject& person, CWPattern& pattern) {
    CHouseholdObject& household = *m_pHouseholdObject;
    CModelSystem& models = *m_pModelSystem;
    Reseed(models, household, 2u * static_cast<std::uint32_t>(k));

    // A failed draw leaves both times at 0.0, which the bounds then move.
    double start = 0.0;
    double end = 0.0;
    if (!models.m_pWorkStartEndTime->Draw(&person, start, end))
        MessageSink::Post("Household " + NumberText::Integer(household.GetId()) + ", person " +
                              NumberText::Integer(k) +
                              ": no work start and end time could be drawn; the bounded earliest times are used.",
                          MessageIcon::Warning);
    const double duration = end - start;
    start = std::floor(Clamp(start, kWork.startLow, kWork.startHigh));
    const double bounded = BoundDuration(start, duration, kWork);
    pattern.SetWorkStart(start);
    pattern.SetWorkDuration(bounded);
    m_pDataManager->GetLOSRecord(&person, CRecordLine::TruncateToInt(household.GetValue(kHouseholdHomeZone)),
                                 person.GetActivityZone(), start, start + bounded);
}

void CHouseholdCoordinator::SimulateEscortEpisodes() {
    BuildEscortEpisodes();
    AllocateEscortEpisodes();
}

bool CHouseholdCoordinator::DrawZeroNonWorkDuration() {
    Reseed(*m_pModelSystem, *m_pHouseholdObject, 100);
    return m_pModelSystem->m_pZeroNonWorkDurationHouseholds->Choose(m_pHouseholdObject);
}

void CHouseholdCoordinator::SimulateServePassengerActivities() {
    CHouseholdObject& household = *m_pHouseholdObject;
    if (!(household.GetValue(kHouseholdPersons) > 0.0 && household.GetValue(kHouseholdPersons) <= 5.0)) return;
    const int persons = CountedPersons(household);
    for (int k = 1; k <= persons; ++k) {
        CPersonObject* person = household.GetPerson(k);
        if (person->IsChild()) continue;
        PersonScope current(*this, person);
        Reseed(*m_pModelSystem, household, 3u * static_cast<std::uint32_t>(k - 1) + 100u);
        person->SetFlag(7, m_pModelSystem->m_pIndividualServePaxActivityGeneration->Choose(person));
    }
}

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

namespace {

// The last stop a tour writes (stop number min(stop count, stops held)); null
// for a tour without stops.
CStop* LastStop(const CTour& tour) {
    const int held = static_cast<int>(tour.GetStops().size());
    const int last = std::min(tour.GetStopCount(), held);
    return tour.GetStopByNumber(last);
}

// Minutes from the arrival at the stop to the given minute.
double UntilMinute(double minute, const CStop& stop) {
    return minute - (stop.GetDepartureTime() + stop.GetTravelTime());
}

// A closing stay is never negative.
void SetClosingStay(CStop& stop, double minutes) { stop.SetActivityDuration(schedule_bounds::AtLeast(minutes, 0.0)); }

// How the last stop of a worker-pattern tour is closed: with the home-stay of
// the tour in the next slot when that slot holds a tour (and, for the two
// commutes, the pattern counts tours of the following period); otherwise until
// the end of the day, for the work or school duration, or until the first
// departure of a commute.
enum class Until { EndOfDay, WorkDuration, FirstDepartureOfSlot };
struct ClosingRule {
    int slot;
    int nextSlot;  // -1: none
    Until until;
    int untilSlot;  // the commute whose first departure ends the stay
};
constexpr ClosingRule kWorkerClosing[] = {
    {0, 8, Until::EndOfDay, -1},
    {1, 5, Until::WorkDuration, -1},
    {2, 3, Until::FirstDepartureOfSlot, 1},
    {3, 4, Until::FirstDepartureOfSlot, 1},
    {4, -1, Until::FirstDepartureOfSlot, 1},
    {5, 6, Until::FirstDepartureOfSlot, 0},
    {6, 7, Until::FirstDepartureOfSlot, 0},
    {7, -1, Until::FirstDepartureOfSlot, 0},
    {8, 9, Until::EndOfDay, -1},
    {9, 10, Until::EndOfDay, -1},
    {10, -1, Until::EndOfDay, -1},
};

void CloseWorkerTours(CWPattern& pattern) {
    for (const ClosingRule& rule : kWorkerClosing) {
        const CTour* tour = pattern.GetTourAt(rule.slot);
        CStop* last = tour != nullptr ? LastStop(*tour) : nullptr;
        if (last == nullptr) continue;

        const CTour* next = rule.nextSlot >= 0 ? pattern.GetTourAt(rule.nextSlot) : nullptr;
        if (rule.slot == CWPattern::kWorkToHomeSlot && pattern.GetAfterWorkTourCount() == 0) next = nullptr;
        if (rule.slot == CWPattern::kHomeToWorkSlot && pattern.GetWorkBasedTourCount() == 0) next = nullptr;
        if (next != nullptr) {
            SetClosingStay(*last, next->GetPreTourTime());
            continue;
        }
        switch (rule.until) {
            case Until::EndOfDay:
                SetClosingStay(*last, UntilMinute(schedule_time::kMinutesInDay, *last));
                break;
            case Until::WorkDuration:
                SetClosingStay(*last, pattern.GetWorkDuration());
                break;
            case Until::FirstDepartureOfSlot: {
                // Without that commute's first stop there is no minute to close at.
                const CTour* commute = pattern.GetTourAt(rule.untilSlot);
                const CStop* first = commute != nullptr ? commute->GetStopByNumber(1) : nullptr;
                if (first != nullptr) SetClosingStay(*last, UntilMinute(first->GetDepartureTime(), *last));
                break;
            }
        }
    }
}

void CloseNonWorkerTours(CNWPattern& pattern) {
    pattern.SortToursByDeparture();
    const int count = pattern.GetTourCount();
    for (int i = count; i >= 1; --i) {
        const CTour* tour = pattern.GetNthTour(i);
        CStop* last = tour != nullptr ? LastStop(*tour) : nullptr;
        if (last == nullptr) continue;
        if (i == count) {
            SetClosingStay(*last, UntilMinute(schedule_time::kMinutesInDay, *last));
        } else if (const CTour* next = pattern.GetNthTour(i + 1)) {
            SetClosingStay(*last, next->GetPreTourTime());
        }
    }
}

// Tour modes that use a household vehicle.
bool IsDriveMode(int mode) { return mode == 0 || mode == 7; }
// Activity types of a last stop whose stay does not hold the vehicle.
bool StayEndsVehicleUse(int activityType) { return activityType == 12 || activityType == 14 || activityType == 18; }

}  // namespace

void CHouseholdCoordinator::CloseTours(CPersonObject& person) {
    if (person.GetFlag(0)) {
        if (CWPattern* pattern = person.GetWPattern()) CloseWorkerTours(*pattern);
    } else if (CNWPattern* pattern = person.GetNWPattern()) {
        CloseNonWorkerTours(*pattern);
    }
}

void CHouseholdCoordinator::RecordVehicleUse(CPersonObject& person, CHouseholdObject& household) {
    const CPattern* pattern = person.GetPattern();
    if (pattern == nullptr) return;
    for (const auto& tour : pattern->GetTours()) {
        if (tour == nullptr || !IsDriveMode(tour->GetMode())) continue;
        if (person.m_nVehicle != -1) tour->SetEscortOrVehicleId(person.m_nVehicle);
        const CStop* first = tour->GetStopByNumber(1);
        const CStop* last = LastStop(*tour);
        if (first == nullptr || last == nullptr) continue;
        const int start = CRecordLine::TruncateToInt(first->GetDepartureTime());
        double endMinute = last->GetDepartureTime() + last->GetTravelTime();
        if (!StayEndsVehicleUse(last->GetActivityType()))
            endMinute += CRecordLine::TruncateToInt(last->GetActivityDuration());
        const int vehicle = tour->GetEscortOrVehicleId();
        if (vehicle < 0 || vehicle >= static_cast<int>(household.m_vehicleUse.size())) continue;
        household.m_vehicleUse[static_cast<std::size_t>(vehicle)].emplace(start, CRecordLine::TruncateToInt(endMinute));
    }
}

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
