// The tours a non-worker's pattern gets from the household's joint
// activities: one tour per joint activity the person takes part in, and the
// joint discretionary tour with the household's children.

#include "schedules/CNWPattern.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CJointActivityRecord.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CJointDiscretionaryTour.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTourTravel.h"
#include "schedules/ScheduleBounds.h"

#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int kBackHome = 12;
constexpr int kChildBackHome = 14;
constexpr int kFromHome = 18;
constexpr int kJointTravel = 2;

// Minutes by car between two zones at a time of day.
double DriveMinutes(CHouseholdCoordinator& simulator, int from, int to, double time)
{
    thread_local std::vector<int> destination(1);
    destination[0] = to;
    return simulator.GetTravelTime(from, destination, CTourTravel::kDriveAlone, time);
}

// The minute a tour is back where it started: its window start, the stay
// before it and its duration.
double TourEnd(CTour& tour)
{
    return tour.GetWindowStart() + tour.GetPreTourTime() + tour.GetDuration();
}

}  // namespace

void CNWPattern::AddJointActivityTours(CPersonObject* person, CHouseholdObject* household, CModelSystem*,
                                       CHouseholdCoordinator* simulator)
{
    if (person == nullptr || household == nullptr || simulator == nullptr)
        return;
    const int home = household->GetHomeZone();
    const int earlierTours = GetTourCount();
    const CJointActivityRecord* previous = nullptr;
    for (const CJointActivityRecord& record : household->m_jointActivities) {
        if (!record.IsParticipant(*person))
            continue;
        AddTour(std::make_unique<CNWorkerTour>(m_pDataManager, this));
        CTour& tour = *GetNthTour(GetTourCount());
        // The mode is the member's mark: 1 (passenger) unless something set it.
        tour.SetMode(record.GetPersonMark(*person));
        tour.SetStopCount(1);
        tour.CreateStops();
        tour.SetJointRecordIndex(record.m_nId);
        tour.SetJointTravelCode(kJointTravel);

        const double start = record.m_dStartTime;
        const double end = start + record.m_dDuration;
        const double to = DriveMinutes(*simulator, home, record.m_nZone, start);
        const double back = DriveMinutes(*simulator, record.m_nZone, home, end);
        const double departure = start - to;

        // The stay at home before the tour: for the person's first joint
        // activity since the latest earlier tour back home by the departure
        // (none back by then: no stay), or since the start of the day; for a
        // later one since the return from the joint activity before it. The
        // participants share the activity's times, so a stay that would be
        // negative is 0 and the departure stands.
        double stay = departure;
        if (previous != nullptr) {
            const double previousEnd = previous->m_dStartTime + previous->m_dDuration;
            stay = departure - (previousEnd + DriveMinutes(*simulator, previous->m_nZone, home, previousEnd));
        } else if (earlierTours > 0) {
            double latest = -std::numeric_limits<double>::infinity();
            for (int i = 1; i <= earlierTours; ++i) {
                CTour* earlier = GetNthTour(i);
                const double earlierEnd = earlier != nullptr ? TourEnd(*earlier) : latest;
                if (earlierEnd <= departure && earlierEnd > latest)
                    latest = earlierEnd;
            }
            stay = latest > -std::numeric_limits<double>::infinity() ? departure - latest : 0.0;
        }
        tour.SetPreTourTime(schedule_bounds::AtLeast(stay, 0.0));

        CStop& stop = *tour.GetStopByNumber(1);
        stop.SetDepartureTime(departure);
        stop.SetActivityType(record.m_nActivityType);
        stop.SetOriginActivityType(kFromHome);
        stop.SetActivityDuration(record.m_dDuration);
        stop.SetTravelTime(to);
        stop.SetOriginZone(home);
        stop.SetZone(record.m_nZone);
        tour.AppendStop(person->IsChild() ? kChildBackHome : kBackHome, 0.0, departure + to + record.m_dDuration,
                        back, record.m_nZone, home, record.m_nActivityType);
        tour.GetDuration();
        previous = &record;
    }
}

void CNWPattern::AddJointTour(CHouseholdObject* household, CModelSystem* models, CHouseholdCoordinator* simulator)
{
    if (household == nullptr || models == nullptr || simulator == nullptr)
        return;
    AddTour(std::make_unique<CNWorkerTour>(m_pDataManager, this));
    CTour& tour = *GetNthTour(GetTourCount());
    simulator->SetJointDiscretionaryTour(&tour);

    CJointDiscretionaryTour::Rules rules;
    rules.departure = models->m_pNonWorkersJointActivityDepartureTimeFromHome;
    rules.duration = models->m_pWorkersJointActivityDurationAtStop;
    rules.travel = models->m_pNonWorkersJointActivityTravelTimeToStop;
    rules.location = models->m_pNonWorkersJointActivityLocationOfStop;
    rules.travelFromExp = true;
    rules.fitInDay = false;
    rules.returnByAutoTime = false;
    rules.childReturnActivity = kChildBackHome;
    if (!CJointDiscretionaryTour::BuildAdultTour(tour, 0.0, rules, *household, *models, simulator)) {
        simulator->SetJointDiscretionaryTour(nullptr);
        RemoveLastTour();
        return;
    }
    CJointDiscretionaryTour::AddChildTours(tour, rules, *household, simulator);
}
