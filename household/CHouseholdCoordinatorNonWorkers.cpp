// The own tours of an adult who neither works nor goes to school, called by
// the person schedule pass. A person whose day is not shaped by a pick-up or
// by joint activities takes the non-worker pattern's own simulation; anyone
// else fits at most two tours of their own around the tours already there:
// one before the fixed tour and one after the day's last tour.

#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CCurrentPersonScope.h"
#include "household/CJointActivityRecord.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTourTravel.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace {

using decision_key::Pid;
using decision_key::Reseed;

constexpr int kBackHome = 12;
// A pattern holding more tours than this gets no tour of its own here: the
// per-tour models stop at tour 4.
constexpr int kMostToursBeforeAnExtraOne = 3;
// The home stay before the fixed tour must be longer than this for a tour to
// fit in it.
constexpr double kShortestStayForATour = 10.0;
// The transit check of the tour before the fixed tour is made for the first
// period of the day (the time of a tour whose window is not set yet).
constexpr double kFirstPeriod = -1.0;

// What sets the tour before the fixed tour apart from the tour after the last one.
struct ExtraTour {
    // Minutes the tour may take, its home stay included.
    double window = 0.0;
    // The minute its window starts; set before the mode is drawn (the tour
    // after the last one) or once its stops are counted (the one before).
    double windowStart = 0.0;
    bool startBeforeMode = false;
    // Time of day of the check whether transit reaches enough destinations.
    double transitCheckTime = kFirstPeriod;
    // Offset (beyond the household id) of the key of the mode draw.
    std::uint32_t modeKey = 0;
    // The home-stay model ("Home Stay Duration before Tour k") and the tour
    // count its clamp is read with.
    int homeStayModelTour = 1;
    int homeStayTourCount = 1;
    // The minute the tour must be back home by: the fixed tour's departure.
    // A tour that would come back later is not made. The tour after the last
    // one has no such bound.
    std::optional<double> backBy;
};

// The independent-tour decision, drawn for a person with activities of their
// own; no tour for anyone else or for a pattern that holds enough tours. The
// same model decides before and after the fixed tours.
bool DecideExtraTour(CModelSystem& models, CHouseholdObject& household, CPersonObject& person, CNWPattern& pattern,
                     std::uint32_t key) {
    Reseed(models, household, key);
    bool yes = false;
    if (CPattern::HasOwnActivities(person))
        yes = models.m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup->Choose(&pattern);
    return yes && pattern.GetTourCount() <= kMostToursBeforeAnExtraOne;
}

// Adds one tour of the person's own to the pattern and makes it whole: mode,
// stops, home stay within the window, the stops and the leg home. Returns the
// tour and the minute the person is back home; null, with the tour removed
// again, when it would not be back by its bound (the draws made stand).
CTour* BuildExtraTour(const ExtraTour& spec, CNWPattern& pattern, CPersonObject& person, CHouseholdObject& household,
                      CModelSystem& models, CHouseholdCoordinator& simulator, std::vector<int>& closedModes,
                      double& backHome) {
    pattern.AddTour(std::make_unique<CNWorkerTour>(pattern.GetDataManager(), &pattern));
    auto& tour = static_cast<CNWorkerTour&>(*pattern.GetNthTour(pattern.GetTourCount()));
    tour.SetWindowLength(spec.window);
    if (spec.startBeforeMode) tour.SetWindowStart(spec.windowStart);

    const int home = household.GetHomeZone();
    CMNLogitMM& modeModel = models.ModeForTour(1);
    modeModel.ComputeValues(&pattern);
    closedModes.clear();
    CTourTravel::CloseCarModesForNonDriver(person, closedModes);
    if (!CTourTravel::TransitAvailable(*pattern.GetDataManager(), home, spec.transitCheckTime))
        closedModes.push_back(CTourTravel::kTransit);
    modeModel.SetUnavailable(closedModes);
    Reseed(models, household, spec.modeKey);
    tour.SetMode(modeModel.Draw());

    // The count is drawn whatever the mode, so the stream does not depend on it.
    int stops = models.NumberOfStopsInTour(1).Choose(&tour);
    if (tour.GetMode() == CTourTravel::kTransit) stops = 1;
    tour.SetStopCount(stops);
    tour.CreateStops();
    tour.SetSlack(spec.window);
    if (!spec.startBeforeMode) tour.SetWindowStart(spec.windowStart);

    // The home-stay bounds have no row for some tour numbers and counts; the
    // stay never runs past the window. A stay that fills it leaves no time for
    // the stops, so a bounded tour is not made and its stops are not drawn.
    const double predicted =
        schedule_bounds::ExpMinutes(models.HomeStayDurationBeforeTour(spec.homeStayModelTour).Predict(&tour));
    double stay = std::floor(tour.ClampHomeStay(predicted, spec.homeStayTourCount));
    stay = std::min(stay, std::max(0.0, spec.window));
    if (spec.backBy && spec.window - stay <= 0.0) {
        pattern.RemoveLastTour();
        return nullptr;
    }
    tour.SetPreTourTime(stay);
    tour.SetWindowLength(spec.window - stay);

    for (int k = 1; k <= stops; ++k) {
        tour.SetStopWindow(k);
        tour.SetStopDeparture(k);
        tour.GetStopByNumber(k)->Generate(&person, &models, &household, &simulator);
    }

    const CStop* last = tour.GetStopByNumber(stops);
    backHome = spec.windowStart + stay;
    if (last == nullptr) return &tour;
    const double leave = last->GetDepartureTime() + last->GetTravelTime() + last->GetActivityDuration();
    CTourTravel::ClosingLegRules rules;
    rules.walkAtLeastTwo = true;
    const double travel = CTourTravel::ClosingLegTravelTime(*pattern.GetDataManager(), tour.GetMode(), last->GetZone(),
                                                            home, leave, last->GetTimeLeft(), rules);
    tour.AppendStop(kBackHome, 0.0, leave, travel, last->GetZone(), home, last->GetActivityType());
    tour.GetDuration();
    // Every stop's trip takes two minutes at least, so the stops can need more
    // than the window the stay leaves: a tour back after its bound is not made.
    if (spec.backBy && tour.GetArrival() > *spec.backBy) {
        pattern.RemoveLastTour();
        return nullptr;
    }
    backHome = leave + travel;
    return &tour;
}

double FirstDeparture(const CTour& tour) {
    const CStop* first = tour.GetStopByNumber(1);
    return first != nullptr ? first->GetDepartureTime() : tour.GetWindowStart() + tour.GetPreTourTime();
}

}  // namespace

void CHouseholdCoordinator::SimulateNonWorkerTours(CPersonObject* person, CHouseholdObject* household,
                                                   CModelSystem* models, CHouseholdCoordinator* simulator) {
    CNWPattern* pattern = person != nullptr ? person->GetNWPattern() : nullptr;
    if (pattern == nullptr || household == nullptr || models == nullptr || simulator == nullptr) return;

    const std::uint32_t pid = Pid(*person);
    int jointActivities = 0;
    for (const CJointActivityRecord& record : household->m_jointActivities)
        if (record.IsParticipant(*person)) ++jointActivities;
    const bool picksUp = person->m_bPicksUpChildren == 1;
    if (!picksUp && jointActivities == 0) {
        pattern->Simulate(person, models, household, simulator);
        return;
    }

    // The keys of the two decisions are those of the two mode draws, crossed
    // (2 x pid + 1 and + 2): a decision and a mode draw on one key start from
    // the same uniform.
    CCurrentPersonScope current(simulator, person);

    // The fixed tour: the pick-up tour or the only joint tour (the last tour),
    // else the tour before the last.
    const int fixedCount = picksUp ? 1 : jointActivities;
    const int count = pattern->GetTourCount();
    CTour* fixed = pattern->GetNthTour(fixedCount < 2 ? count : count - 1);

    if (fixed != nullptr) {
        const double homeStay = fixed->GetPreTourTime();
        const bool before = DecideExtraTour(*models, *household, *person, *pattern, 2 * pid + 1);
        if (homeStay > kShortestStayForATour && before) {
            ExtraTour spec;
            spec.window = homeStay;
            // After a drop-off tour the window opens at its return home.
            CTour* dropOff = pattern->GetNthTour(1);
            if (person->m_bDropsOffChildren == 1 && dropOff != nullptr)
                spec.windowStart = dropOff->GetPreTourTime() + dropOff->GetDuration();
            spec.transitCheckTime = kFirstPeriod;
            spec.modeKey = 2 * pid + 2;
            spec.homeStayModelTour = 1;
            spec.homeStayTourCount = 2;
            spec.backBy = FirstDeparture(*fixed);
            double backHome = 0.0;
            // The fixed tour now waits at home from this tour's return; its
            // departure stands. Without the tour it keeps its window.
            if (BuildExtraTour(spec, *pattern, *person, *household, *models, *simulator, m_closedModes, backHome)) {
                fixed->SetWindowStart(backHome);
                fixed->SetPreTourTime(std::max(0.0, FirstDeparture(*fixed) - backHome));
            }
        }
    }

    pattern->SortToursByDeparture();

    CTour* last = pattern->GetNthTour(pattern->GetTourCount());
    if (last == nullptr) return;
    const double lastReturn = FirstDeparture(*last) + last->GetDuration();
    const double available = schedule_time::kMinutesInDay - lastReturn;
    const bool after = DecideExtraTour(*models, *household, *person, *pattern, 2 * pid + 2);
    // The decision is drawn even when the day has no time left after the last tour.
    if (!after || !(available > 0.0)) return;
    ExtraTour spec;
    spec.window = available;
    spec.windowStart = lastReturn;
    spec.startBeforeMode = true;
    spec.transitCheckTime = lastReturn;
    spec.modeKey = 2 * pid + 1;
    spec.homeStayModelTour = 4;
    spec.homeStayTourCount = 3;
    double backHome = 0.0;
    BuildExtraTour(spec, *pattern, *person, *household, *models, *simulator, m_closedModes, backHome);
}
