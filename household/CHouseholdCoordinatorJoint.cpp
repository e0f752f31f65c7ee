// The joint-activity steps of the per-household driver (steps 11 to 13: who
// travels apart, when and where each joint activity takes place, the vehicle
// of each joint tour) and the person schedule pass's hand-over of a person's
// joint activities to the person's pattern.

#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/LOSColumns.h"
#include "household/CEpisodeRecord.h"
#include "household/CJointActivityRecord.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/CLocationMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CPattern.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWPattern.h"
#include "schedules/ScheduleBounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using decision_key::Reseed;

constexpr int kDriveAlone = 0;

// Joint-activity scheduling. A participant coming from work is free this long
// after arriving home; two joint activities of one person lie this far apart.
constexpr double kMarginAfterWork = 50.0;
constexpr double kGapBetweenJointActivities = 15.0;
// An activity that cannot start by this minute (its earliest start) is dropped;
// none starts later than kLatestStart.
constexpr double kLatestEarliestStart = 995.0;
constexpr double kLatestStart = 1055.0;
// The wait before the start is at least this percentage (share) of what is
// left of the day.
constexpr double kLeastWaitPercent = 1.5;
constexpr double kLeastWaitShare = 0.015;
// The activity lasts at most this share of the wait before it, and the trip
// to it at most this percentage (share).
constexpr double kLongestDurationShare = 0.75;
constexpr double kLongestTravelPercent = 22.2;
constexpr double kLongestTravelShare = 0.222;
// Only an activity over by this minute gets a way home; an end after
// kLatestEnd drops the activity.
constexpr double kLatestEndOfActivity = 1140.0;
constexpr double kNoWayHome = 10000.0;
constexpr double kLatestEnd = 1439.0;
// Shopping and other activities are searched for closer to home.
constexpr int kShopping = 0;
constexpr int kOtherActivity = 2;

// A member who goes to work or school and is 16 or older.
bool IsWorker(const CPersonObject& person) { return person.GetFlag(0) && !person.IsChild(); }

// Member numbers a record's sets cover.
int Members(const CHouseholdObject& household, const CJointActivityRecord& record) {
    return std::min(household.GetPersonCount(), record.GetMemberCount());
}

void ClearTravelApart(CJointActivityRecord& record) {
    std::fill(record.m_travelApart.begin(), record.m_travelApart.end(), false);
}

// Position (0-based) of the first record the member takes part in; -1 for none.
int FirstRecordOf(const std::vector<CJointActivityRecord>& records, int personNumber) {
    for (std::size_t k = 0; k < records.size(); ++k)
        if (records[k].IsParticipant(personNumber)) return static_cast<int>(k);
    return -1;
}

// Scratch of the joint steps, reused from household to household.
struct JointBuffers {
    std::vector<bool> kept;
    std::vector<double> values;
    std::vector<int> candidates;
    std::vector<int> vehicles;
    std::vector<int> home;
    std::vector<std::vector<double>> matrix;
};
thread_local JointBuffers t_joint;

}  // namespace

void CHouseholdCoordinator::SimulateJointTravelArrangement(CHouseholdObject* household) {
    if (household == nullptr || m_pModelSystem == nullptr) return;
    std::vector<CJointActivityRecord>& records = household->m_jointActivities;

    // Workers for whom a record is their first joint activity may reach it
    // from work; the household draws once per such record whether they do.
    // Records are compared by position (their ids are still their positions).
    for (std::size_t k = 0; k < records.size(); ++k) {
        household->m_nCurrentJointRecord = static_cast<int>(k);
        CJointActivityRecord& record = records[k];
        const int members = Members(*household, record);
        int firstForWorkers = 0;
        for (int i = 1; i <= members; ++i)
            if (record.IsParticipant(i) && IsWorker(*household->GetPerson(i)) &&
                FirstRecordOf(records, i) == static_cast<int>(k))
                ++firstForWorkers;
        if (firstForWorkers < 1) {
            ClearTravelApart(record);
            continue;
        }
        Reseed(*m_pModelSystem, *household, 2u * static_cast<std::uint32_t>(k));
        if (!m_pModelSystem->m_pSeparateTravelOrJointTravel->Choose(household)) continue;
        for (int i = 1; i <= members; ++i)
            if (record.IsParticipant(i)) record.SetTravelsApart(i, IsWorker(*household->GetPerson(i)));
    }

    // Nobody travels apart after their first joint activity.
    for (int i = 1; i <= household->GetPersonCount(); ++i) {
        int taken = 0;
        for (CJointActivityRecord& record : records) {
            if (!record.IsParticipant(i)) continue;
            if (++taken > 1) record.SetTravelsApart(i, false);
        }
    }

    // Children go from home with an adult, and those who go from home need a
    // driver among them.
    for (CJointActivityRecord& record : records) {
        bool child = false;
        bool adultFromHome = false;
        bool driverFromHome = false;
        for (int i = 1; i <= Members(*household, record); ++i) {
            if (!record.IsParticipant(i)) continue;
            const CPersonObject& person = *household->GetPerson(i);
            const bool fromHome = !record.TravelsApart(i);
            if (person.IsChild())
                child = true;
            else if (fromHome)
                adultFromHome = true;
            if (fromHome && person.m_nVehicle != -1) driverFromHome = true;
        }
        if ((child && !adultFromHome) || !driverFromHome) ClearTravelApart(record);
    }
}

void CHouseholdCoordinator::ScheduleJointActivities(CHouseholdObject* household) {
    if (household == nullptr || m_pModelSystem == nullptr) return;
    CModelSystem& models = *m_pModelSystem;
    JointBuffers& buffers = t_joint;
    std::vector<CJointActivityRecord>& records = household->m_jointActivities;
    const int homeZone = household->GetHomeZone();
    buffers.home.assign(1, homeZone);
    buffers.kept.assign(records.size(), true);

    auto drop = [&](std::size_t k) {
        buffers.kept[k] = false;
        records[k].m_dStartTime = 0.0;
        records[k].m_dEndTime = 0.0;
        records[k].m_dDuration = 0.0;
    };

    for (std::size_t k = 0; k < records.size(); ++k) {
        household->m_nCurrentJointRecord = static_cast<int>(k);
        CJointActivityRecord& record = records[k];
        const auto key = static_cast<std::uint32_t>(k);
        const int members = Members(*household, record);

        Reseed(models, *household, 3u * key);
        const double predicted = models.m_pJointActivityStartTimeMDCEV->Predict(household);

        // The earliest start: home from work with a margin, after the
        // person's school drop-off, and clear of the person's other joint
        // activities (those not yet scheduled end at 0).
        double earliest = 0.0;
        for (int i = 1; i <= members; ++i) {
            CPersonObject& person = *household->GetPerson(i);
            const CWPattern* pattern = person.GetWPattern();
            if (!record.IsParticipant(i) || !person.GetFlag(0) || pattern == nullptr) continue;
            const double workEnd = pattern->GetWorkStart() + pattern->GetWorkDuration();
            buffers.values.clear();
            if (m_pDataManager != nullptr)
                m_pDataManager->GetLOS(buffers.values, LOSColumns::kAutoTime, workEnd, person.GetActivityZone(),
                                       buffers.home);
            const double travel =
                std::floor(schedule_bounds::AtLeast(buffers.values.empty() ? 0.0 : buffers.values.front(), 2.0));
            if (workEnd + travel > earliest) earliest = workEnd + travel + kMarginAfterWork;
        }
        for (int i = 1; i <= members; ++i) {
            CPersonObject* person = household->GetPerson(i);
            if (!record.IsParticipant(i) || !IsDropOffAdult(person)) continue;
            for (const CEpisodeRecord& episode : GetCurrentVector())
                if (episode.m_pAdult == person && episode.m_time > earliest) earliest = episode.m_time;
        }
        for (int i = 1; i <= members; ++i) {
            if (!record.IsParticipant(i)) continue;
            for (const CJointActivityRecord& other : records)
                if (other.IsParticipant(i))
                    earliest = std::max(earliest, other.m_dEndTime + kGapBetweenJointActivities);
        }

        // An activity that cannot start in time draws nothing more. (Tested
        // before the wait share, whose divisor is 0 or less from minute 1440.)
        if (earliest > kLatestEarliestStart) {
            drop(k);
            continue;
        }
        const double leftOfDay = 1440.0 - earliest;
        double wait = std::floor(std::exp(predicted));
        if (wait > 1440.0) wait = 1440.0;
        if (wait / leftOfDay * 100.0 <= kLeastWaitPercent) wait = leftOfDay * kLeastWaitShare;
        double start = wait + earliest;
        // A start that is not a number (a prediction that is not) takes the cap.
        start = std::isnan(start) ? kLatestStart : std::min(start, kLatestStart);
        record.m_dStartTime = start;
        const double before = start - earliest;
        if (record.m_dDuration > kLongestDurationShare * before) record.m_dDuration = before * kLongestDurationShare;

        // The trip's budget, then the place among the zones about that far
        // from home (none without level-of-service data).
        Reseed(models, *household, key);
        double budget = schedule_bounds::ExpMinutes(models.m_pJointActivityTravelTimeToStopMDCEV->Predict(household));
        if (budget / before * 100.0 > kLongestTravelPercent) budget = before * kLongestTravelShare;
        if (record.m_nActivityType == kOtherActivity || record.m_nActivityType == kShopping)
            budget = budget > 20.0 ? budget - 8.0 : budget * 0.6;
        CLocationMM& location = *models.m_pJointActivityLocationMDCEV;
        buffers.candidates.clear();
        if (m_pDataManager != nullptr)
            CTourTravel::ListPlaceCandidates(*m_pDataManager, homeZone, start, static_cast<float>(budget),
                                             buffers.candidates);
        buffers.matrix.clear();
        if (!buffers.candidates.empty())
            ComputeZoneAttributeMatrix(homeZone, buffers.candidates, location.m_terms.m_variableIds, buffers.matrix);
        Reseed(models, *household, 4u * key);
        const int zone = location.Draw(buffers.candidates, buffers.matrix);
        // No place to go: dropped like an activity that does not fit.
        if (zone == -1) {
            drop(k);
            continue;
        }
        record.m_nZone = zone;

        const double leave = start + record.m_dDuration;
        record.m_dEndTime = kNoWayHome;
        if (leave <= kLatestEndOfActivity)
            record.m_dEndTime = leave + GetTravelTime(zone, buffers.home, kDriveAlone, leave);
        if (record.m_dEndTime > kLatestEnd) drop(k);
    }

    // The kept records, in order, numbered from 1.
    std::size_t held = 0;
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (!buffers.kept[k]) continue;
        if (held != k) records[held] = std::move(records[k]);
        records[held].m_nId = static_cast<int>(held) + 1;
        ++held;
    }
    records.resize(held);
}

void CHouseholdCoordinator::SimulateJointTourVehicles() {
    if (m_pHouseholdObject == nullptr || m_pModelSystem == nullptr) return;
    CHouseholdObject& household = *m_pHouseholdObject;
    CLocationMM& model = *m_pModelSystem->m_pJointTourVehicle;
    JointBuffers& buffers = t_joint;
    std::vector<CJointActivityRecord>& records = household.m_jointActivities;
    for (std::size_t k = 0; k < records.size(); ++k) {
        CJointActivityRecord& record = records[k];
        // The vehicles of the adults who take part from home, in member order.
        buffers.vehicles.clear();
        for (int i = 1; i <= Members(household, record); ++i) {
            const CPersonObject& person = *household.GetPerson(i);
            if (record.IsParticipant(i) && !record.TravelsApart(i) && !person.IsChild() && person.m_nVehicle != -1)
                buffers.vehicles.push_back(person.m_nVehicle);
        }
        if (buffers.vehicles.empty()) continue;
        EvaluateJointTourVehicleAlternatives(buffers.vehicles, model.m_terms, buffers.matrix, record);
        Reseed(*m_pModelSystem, household, 7u * static_cast<std::uint32_t>(k) + 7u);
        record.m_nVehicle = model.Draw(buffers.vehicles, buffers.matrix);
    }
}

void CHouseholdCoordinator::CollectPersonJointActivities(CPersonObject* person, CHouseholdObject* household,
                                                         CModelSystem* models, CHouseholdCoordinator* simulator) {
    if (person == nullptr || household == nullptr || person->GetPattern() == nullptr) return;
    const bool takesPart = std::any_of(household->m_jointActivities.begin(), household->m_jointActivities.end(),
                                       [&](const CJointActivityRecord& r) { return r.IsParticipant(*person); });
    if (takesPart) person->GetPattern()->AddJointActivityTours(person, household, models, simulator);
}
