// The worker's day within the household: the joint activities the worker
// goes to from home become after-work tours, then the worker's own tours are
// drawn around them; and the joint discretionary tour with the household's
// children.

#include "schedules/CWPattern.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CCurrentPersonScope.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CJointActivityRecord.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CJointDiscretionaryTour.h"
#include "schedules/CStop.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWorkerTour.h"
#include "schedules/ScheduleBounds.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int kBackHome = 12;
constexpr int kChildBackHome = 14;
constexpr int kFromHome = 18;
constexpr int kJointTravel = 2;

// Minutes between two zones by a mode at a time of day.
double TravelMinutes(CHouseholdCoordinator& simulator, int from, int to, int mode, double time)
{
    thread_local std::vector<int> destination(1);
    destination[0] = to;
    return simulator.GetTravelTime(from, destination, mode, time);
}

}  // namespace

void CWPattern::SimulateInHousehold(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                                    CHouseholdCoordinator* simulator)
{
    const int jointTours = AddJointActivityAfterWorkTours(*person, *models, *household, *simulator);
    if (!HasOwnActivities(*person))
        return;
    BlockOptions options;
    options.runAfterWork = jointTours == 0;
    options.checkTransit = true;
    options.oneStopRules = true;
    options.capAfterWorkClosing = true;
    options.setWorkToHomeWindowStart = true;
    SimulateBlocks(*person, *models, *household, simulator, options);
}

int CWPattern::AddJointActivityAfterWorkTours(CPersonObject& person, CModelSystem& models,
                                              CHouseholdObject& household, CHouseholdCoordinator& simulator)
{
    // The joint activities the person goes to from home, in list order; only
    // three after-work slots exist (a person takes part in at most two).
    std::array<const CJointActivityRecord*, kToursPerPeriod> taken{};
    int n = 0;
    for (const CJointActivityRecord& record : household.m_jointActivities)
        if (record.IsParticipant(person) && !record.TravelsApart(person) && n < kToursPerPeriod)
            taken[static_cast<std::size_t>(n++)] = &record;
    if (n == 0)
        return 0;

    CCurrentPersonScope current(&simulator, &person);
    m_nAfterWorkTourCount = n;
    CreateAfterWorkTours();
    const int home = household.GetHomeZone();
    const std::uint32_t pid = decision_key::Pid(person);
    CMNLogitMM& modeModel = *models.m_pAWTourMode;
    double windowStart = GetArrivalHomeAfterWork();
    for (int k = 1; k <= n; ++k) {
        const CJointActivityRecord& record = *taken[static_cast<std::size_t>(k - 1)];
        CTour& tour = *m_tours[static_cast<std::size_t>(kFirstAfterWorkSlot + k - 1)];
        tour.SetStopCount(1);
        tour.CreateStops();
        tour.SetJointRecordIndex(record.m_nId);
        tour.SetJointTravelCode(kJointTravel);

        // By car when the person may drive, else as a passenger.
        modeModel.ComputeValues(this);
        m_closedModes.clear();
        CTourTravel::CloseCarModesForNonDriver(person, m_closedModes);
        m_closedModes.push_back(CTourTravel::kTransit);
        m_closedModes.push_back(CTourTravel::kWalk);
        modeModel.SetUnavailable(m_closedModes);
        decision_key::Reseed(models, household, 3 * pid + static_cast<std::uint32_t>(k) + 1);
        const int mode = modeModel.Draw();
        tour.SetMode(mode);

        const double start = record.m_dStartTime;
        const double end = start + record.m_dDuration;
        const double to = TravelMinutes(simulator, home, record.m_nZone, mode, start);
        const double back = TravelMinutes(simulator, record.m_nZone, home, mode, end);
        tour.SetDuration(record.m_dDuration + to + back);

        // The stay at home since the arrival home after work, or since the
        // previous joint tour. The participants share the activity's times:
        // a stay that would be negative (the worker is home late) is 0 and the
        // departure stands.
        tour.SetWindowStart(windowStart);
        const double stay = std::floor(start - windowStart - to);
        tour.SetPreTourTime(schedule_bounds::AtLeast(stay, 0.0));
        CStop& stop = *tour.GetStopByNumber(1);
        stop.SetDepartureTime(windowStart + stay);
        stop.SetActivityType(record.m_nActivityType);
        stop.SetActivityDuration(record.m_dDuration);
        stop.SetTravelTime(to);
        stop.SetZone(record.m_nZone);
        stop.SetOriginZone(home);
        stop.SetOriginActivityType(kFromHome);
        tour.AppendStop(person.IsChild() ? kChildBackHome : kBackHome, 0.0, end, back, record.m_nZone, home,
                        record.m_nActivityType);
        windowStart = end + back;
    }
    return n;
}

void CWPattern::AddJointTour(CHouseholdObject* household, CModelSystem* models, CHouseholdCoordinator* simulator)
{
    if (household == nullptr || models == nullptr || simulator == nullptr)
        return;
    // The tour takes the next free after-work slot; a tour standing in one (a
    // joint activity's tour) is kept, and with all three taken there is none.
    if (m_nAfterWorkTourCount < 0 || m_nAfterWorkTourCount >= kToursPerPeriod)
        return;
    const auto slot = static_cast<std::size_t>(kFirstAfterWorkSlot + m_nAfterWorkTourCount);
    auto created = std::make_unique<CWorkerTour>(m_pDataManager, this);
    created->SetPosition(static_cast<int>(slot));
    CTour& tour = *created;
    m_tours[slot] = std::move(created);
    ++m_nAfterWorkTourCount;

    CJointDiscretionaryTour::Rules rules;
    rules.departure = models->m_pWorkersJointActivityDepartureTimeFromHome;
    rules.duration = models->m_pWorkersJointActivityDurationAtStop;
    rules.travel = models->m_pWorkersJointActivityTravelTimeToStop;
    rules.location = models->m_pWorkersJointActivityLocationOfStop;
    rules.travelFromExp = false;
    rules.fitInDay = true;
    rules.returnByAutoTime = true;
    rules.childReturnActivity = kFromHome;
    if (!CJointDiscretionaryTour::BuildAdultTour(tour, GetArrivalHomeAfterWork(), rules, *household, *models,
                                                 simulator)) {
        m_tours[slot].reset();
        --m_nAfterWorkTourCount;
        return;
    }
    CJointDiscretionaryTour::AddChildTours(tour, rules, *household, simulator);
}
