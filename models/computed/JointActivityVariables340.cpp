// Computed variables of the household's joint activities: the person's share
// in them, the make-up of the record being scheduled, and the time a person has
// around escort and joint activities.

#include "models/computed/Variables340.h"

#include "household/CHouseholdCoordinator.h"
#include "models/computed/ComputedVariableServices.h"
#include "models/computed/Variables340Helpers.h"
#include "schedules/CNWPattern.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

using namespace ComputedVariableHelpers;
using namespace Variables340Helpers;

namespace {

// Minutes in the simulated day.
constexpr double kDayEnd = 1440.0;
// Level-of-service column of the auto travel time.
constexpr int kAutoTimeColumn = 5;

// --- The person's joint activities -------------------------------------------

// Sum of the durations of the records the person takes part in, of one activity
// type or (ActivityType < 0) of any.
template <int ActivityType>
double JointDuration(const Frame& f) {
    if (f.household == nullptr) return 0.0;
    double sum = 0.0;
    for (const CJointActivityRecord& record : f.household->m_jointActivities)
        if ((ActivityType < 0 || record.m_nActivityType == ActivityType) && PersonTakesPart(f, record))
            sum += record.m_dDuration;
    return sum;
}

double TakesPartInJointActivity(const Frame& f) { return Indicator(FirstJointRecordOfPerson(f) != nullptr); }

// --- The record being scheduled ----------------------------------------------------

// Participants of the current record (members of the household only) for which
// the test holds; 0 without a current record.
template <typename Test>
double CountParticipants(const Frame& f, Test test) {
    const CJointActivityRecord* record = CurrentJointRecord(f);
    if (record == nullptr) return 0.0;
    int count = 0;
    ForEachMember(f, [&](const CPersonObject* member, int i) {
        if (MemberTakesPart(f, *record, i) && test(member)) ++count;
    });
    return count;
}

bool GoesToWorkOrSchool(const CPersonObject* member) { return PersonFlag(member, 0); }

// Some participant travels with the others (is outside the travel-apart set).
double JointTravel(const Frame& f) {
    const CJointActivityRecord* record = CurrentJointRecord(f);
    if (record == nullptr) return 0.0;
    bool joint = false;
    ForEachMember(f, [&](const CPersonObject*, int i) {
        if (MemberTakesPart(f, *record, i) && !record->TravelsApart(i)) joint = true;
    });
    return Indicator(joint);
}

// Latest work or school end among the participants going to work or school;
// 0.0 when there is none.
double LatestParticipantWorkEnd(const Frame& f) {
    const CJointActivityRecord* record = CurrentJointRecord(f);
    if (record == nullptr) return 0.0;
    bool found = false;
    double latest = 0.0;
    ForEachMember(f, [&](const CPersonObject* member, int i) {
        if (!MemberTakesPart(f, *record, i) || !GoesToWorkOrSchool(member)) return;
        const CWPattern* p = MemberWorkerPattern(member);
        if (p == nullptr) return;
        const double end = p->GetWorkStart() + p->GetWorkDuration();
        if (!found || end > latest) latest = end;
        found = true;
    });
    return latest;
}

template <int ActivityType>
double CurrentActivityTypeIs(const Frame& f) {
    const CJointActivityRecord* record = CurrentJointRecord(f);
    return Indicator(record != nullptr && MemberCount(f) > 0 && record->m_nActivityType == ActivityType);
}

double TimeFromWorkEnd(const Frame& f) {
    return Variables340::TimeFromWorkEndToJointActivity(f, ComputedVariableServices::LevelOfService);
}
double TimeBeforeTour(const Frame& f) {
    return Variables340::AvailableTimeBeforeTour(f, ComputedVariableServices::CurrentSimulator(f));
}
double TimeAfterTour(const Frame& f) {
    return Variables340::AvailableTimeAfterTour(f, ComputedVariableServices::CurrentSimulator(f));
}

constexpr ComputedVariableDefinition kRows[] = {
    // The person's joint activities.
    ComputedVariableRow(30539, JointDuration<-1>),
    ComputedVariableRow(30540, TakesPartInJointActivity),
    ComputedVariableRow(30541, JointDuration<9>),
    ComputedVariableRow(30542, JointDuration<1>),
    ComputedVariableRow(30543, JointDuration<0>),
    ComputedVariableRow(30544, JointDuration<5>),
    ComputedVariableRow(30545, JointDuration<6>),

    // The joint activity being scheduled.
    ComputedVariableRow(30548, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject* m) { return Age(m) > 65.0; });
    }),
    ComputedVariableRow(30549, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject* m) { return !GoesToWorkOrSchool(m) && Age(m) <= 15.0; });
    }),
    ComputedVariableRow(30550, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject* m) { return GoesToWorkOrSchool(m) && Age(m) <= 15.0; });
    }),
    ComputedVariableRow(30551, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject*) { return true; });
    }),
    ComputedVariableRow(30552, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject* m) { return GoesToWorkOrSchool(m) && Age(m) > 15.0; });
    }),
    ComputedVariableRow(30553, [](const Frame& f) {
        return CountParticipants(f, [](const CPersonObject* m) {
            return Age(m) > 15.0 && m->m_bDropsOffChildren == 1;
        });
    }),
    ComputedVariableRow(30554, JointTravel),
    ComputedVariableRow(30555, LatestParticipantWorkEnd),
    ComputedVariableRow(30556, CurrentActivityTypeIs<0>),
    ComputedVariableRow(30557, CurrentActivityTypeIs<1>),
    ComputedVariableRow(30558, CurrentActivityTypeIs<5>),
    ComputedVariableRow(30559, CurrentActivityTypeIs<3>),

    // Time around work, escort and joint activities.
    ComputedVariableRow(30359, TimeFromWorkEnd),
    ComputedVariableRow(30730, TimeBeforeTour),
    ComputedVariableRow(30731, TimeAfterTour),
};

}  // namespace

namespace Variables340 {

double TimeFromWorkEndToJointActivity(const Frame& f, LevelOfServiceLookup levelOfService) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    if (p == nullptr || f.household == nullptr) return 0.0;
    const double workEnd = p->GetWorkStart() + p->GetWorkDuration();
    double leave = kDayEnd;
    // The last joint activity of the person sets the time; a person who goes
    // with the others first travels from home to the activity's zone.
    for (const CJointActivityRecord& record : f.household->m_jointActivities) {
        if (!PersonTakesPart(f, record)) continue;
        double travel = 0.0;
        if (!record.TravelsApart(*f.person) && record.m_nZone > 0 && levelOfService != nullptr)
            travel = levelOfService(f.manager, kAutoTimeColumn, workEnd, f.homeZone, record.m_nZone);
        leave = record.m_dStartTime - travel;
    }
    return leave - workEnd;
}

double AvailableTimeBeforeTour(const Frame& f, CHouseholdCoordinator* simulator) {
    if (f.person == nullptr) return 0.0;
    double from = 0.0;
    if (f.person->m_bDropsOffChildren != 0) {
        const CTour* first = NthTour(NonWorkerPattern(f), 1);
        if (first == nullptr) return 0.0;
        from = first->GetWindowStart();
    }
    double to = 0.0;
    if (const CJointActivityRecord* record = FirstJointRecordOfPerson(f)) {
        to = record->m_dStartTime;
    } else if (f.person->m_bPicksUpChildren != 0) {
        if (simulator == nullptr) return 0.0;
        to = simulator->GetTimeAfterDropOff(f.person);
    }
    return to - from;
}

double AvailableTimeAfterTour(const Frame& f, CHouseholdCoordinator* simulator) {
    if (f.person == nullptr) return 0.0;
    if (const CJointActivityRecord* record = FirstJointRecordOfPerson(f)) return kDayEnd - record->m_dEndTime;
    if (f.person->m_bPicksUpChildren != 0) {
        if (simulator == nullptr) return 0.0;
        return simulator->GetAvailableTimeAfterPickUp(f.person);
    }
    return 0.0;
}

}  // namespace Variables340

ComputedVariableRows JointActivityVariable340Rows() { return kRows; }
