// Computed variables of the day's schedules: work and school times of the
// person and of the parents, the periods and commutes of a worker's or
// student's pattern, the tour and stop in hand, the activity counters of the
// person's day and a child's discretionary tour.

#include "models/computed/Variables340.h"

#include "models/computed/StopVariables.h"
#include "models/computed/Variables340Helpers.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

using namespace ComputedVariableHelpers;
using namespace Variables340Helpers;

namespace {

// --- Parents' and children's work and school times ------------------------------

// A member going to work or school whose parent column (35 mother, 36 father)
// is 1.0, or (column 0) any member going to work or school; the member's work
// or school pattern, null when the member is not one of them.
const CWPattern* PatternOfWorkingMember(const CPersonObject* member, int parentColumn) {
    if (!PersonFlag(member, 0)) return nullptr;
    if (parentColumn != 0 && PersonColumn(member, parentColumn) != 1.0) return nullptr;
    return MemberWorkerPattern(member);
}

// Calls visit(pattern) for each such member, in household order.
template <typename Visit>
void ForEachWorkingMember(const Frame& f, int parentColumn, Visit visit) {
    ForEachMember(f, [&](const CPersonObject* member, int) {
        if (const CWPattern* p = PatternOfWorkingMember(member, parentColumn)) visit(*p);
    });
}

template <int ParentColumn>
double ParentsWorkDuration(const Frame& f) {
    double sum = 0.0;
    ForEachWorkingMember(f, ParentColumn, [&](const CWPattern& p) { sum += p.GetWorkDuration(); });
    return sum;
}

// The parents' starts summed as whole minutes (truncated after each addition).
int ParentsStart(const Frame& f, int parentColumn) {
    int sum = 0;
    ForEachWorkingMember(f, parentColumn, [&](const CWPattern& p) {
        sum = static_cast<int>(sum + p.GetWorkStart());
    });
    return sum;
}

// The parents' ends, each the start truncated plus the duration, summed as
// whole minutes; `found` tells whether there is such a parent.
int ParentsEnd(const Frame& f, int parentColumn, bool& found) {
    int sum = 0;
    found = false;
    ForEachWorkingMember(f, parentColumn, [&](const CWPattern& p) {
        sum = static_cast<int>(sum + (static_cast<int>(p.GetWorkStart()) + p.GetWorkDuration()));
        found = true;
    });
    return sum;
}

// The school pattern of the last student (column 3 non-zero) going to school;
// null when there is none.
const CWPattern* LastStudentPattern(const Frame& f) {
    const CWPattern* last = nullptr;
    ForEachMember(f, [&](const CPersonObject* member, int) {
        if (PersonColumn(member, kStudentColumn) == 0.0) return;
        if (const CWPattern* p = PatternOfWorkingMember(member, 0)) last = p;
    });
    return last;
}

// School start of the last student, truncated to whole minutes; 0 without one.
int SchoolStart(const Frame& f) {
    const CWPattern* p = LastStudentPattern(f);
    return p != nullptr ? static_cast<int>(p->GetWorkStart()) : 0;
}

template <int ParentColumn>
double ParentStartsBeforeSchool(const Frame& f) {
    return Indicator(ParentsStart(f, ParentColumn) < SchoolStart(f));
}

double BothParentsStartBeforeSchool(const Frame& f) {
    const int school = SchoolStart(f);
    return Indicator(ParentsStart(f, kFatherColumn) < school && ParentsStart(f, kMotherColumn) < school);
}

// The father's (or mother's) work ends after school ends; 0.0 when there is no
// such parent or no student going to school.
template <int ParentColumn>
double ParentEndsAfterSchool(const Frame& f) {
    const CWPattern* student = LastStudentPattern(f);
    bool found = false;
    const int parents = ParentsEnd(f, ParentColumn, found);
    if (student == nullptr || !found) return 0.0;
    const int school = static_cast<int>(static_cast<int>(student->GetWorkStart()) + student->GetWorkDuration());
    return Indicator(parents > school);
}

double MembersWorkDuration(const Frame& f) {
    double sum = 0.0;
    ForEachWorkingMember(f, 0, [&](const CWPattern& p) { sum += p.GetWorkDuration(); });
    return sum;
}

double MeanMemberWorkEnd(const Frame& f) {
    double sum = 0.0;
    int count = 0;
    ForEachWorkingMember(f, 0, [&](const CWPattern& p) {
        sum += p.GetWorkStart() + p.GetWorkDuration();
        ++count;
    });
    return count > 0 ? sum / count : 0.0;
}

// --- The person's work or school pattern ------------------------------------------

double WorkStart(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    return p != nullptr ? p->GetWorkStart() : 0.0;
}
double WorkEnd(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    return p != nullptr ? p->GetWorkStart() + p->GetWorkDuration() : 0.0;
}

// The commute tour in slot 0 (work to home) or 1 (home to work) of the pattern of
// a person going to work or school.
template <int Slot>
const CTour* WorkerCommute(const Frame& f) {
    return TourInSlot(WorkerPatternOfWorker(f), Slot);
}

// Stops of the commute before its closing return.
template <int Slot>
double CommuteStops(const Frame& f) {
    const CTour* t = WorkerCommute<Slot>(f);
    return t != nullptr ? t->GetStopCount() - 1 : 0.0;
}

template <int (CWPattern::*Count)() const>
double PeriodTourCount(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    return p != nullptr ? (p->*Count)() : 0.0;
}

double ChildSchoolEnd(const Frame& f) {
    if (PersonColumn(f.person, kStudentColumn) == 0.0 || !(Age(f.person) < 16.0)) return 0.0;
    return WorkEnd(f);
}

// A child (under 16) going to school whose commute in the slot has the mode.
template <int Slot, int Mode>
double ChildSchoolModeIs(const Frame& f) {
    if (f.person == nullptr || !(Age(f.person) < 16.0) || !PersonFlag(f.person, 1)) return 0.0;
    const CTour* t = WorkerCommute<Slot>(f);
    return Indicator(t != nullptr && t->GetMode() == Mode);
}

// The tour in hand is the tour in the slot of the worker's pattern (never when
// there is no tour in hand).
template <int Slot>
double TourInHandIsSlot(const Frame& f) {
    return Indicator(IsTourInHand(f, TourInSlot(WorkerPatternOfWorker(f), Slot)));
}

// The period of the tour in hand (work-based first, then before work, then
// after work) holds `Tours` tours.
template <int Tours>
double ToursInThisPeriod(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    if (p == nullptr) return 0.0;
    constexpr int kPeriod = CWPattern::kToursPerPeriod;
    if (TourInHandInSlots(f, p, CWPattern::kFirstWorkBasedSlot, kPeriod))
        return Indicator(p->GetWorkBasedTourCount() == Tours);
    if (TourInHandInSlots(f, p, CWPattern::kFirstBeforeWorkSlot, kPeriod))
        return Indicator(p->GetBeforeWorkTourCount() == Tours);
    if (TourInHandInSlots(f, p, CWPattern::kFirstAfterWorkSlot, kPeriod))
        return Indicator(p->GetAfterWorkTourCount() == Tours);
    return 0.0;
}

// --- Tours and stops ------------------------------------------------------------------

double DiscretionaryTourWalksOrBikes(const Frame& f) {
    const CTour* t = DiscretionaryTour(f);
    return Indicator(t != nullptr && t->GetMode() == 2);
}

template <int Mode>
double TourModeIs(const Frame& f) {
    return Indicator(f.tour != nullptr && f.tour->GetMode() == Mode);
}

template <int ActivityType>
double StopActivityIs(const Frame& f) {
    return Indicator(f.stop != nullptr && f.stop->GetActivityType() == ActivityType);
}

template <int ActivityType>
double ActivityCounter(const Frame& f) {
    return CountOtherStopsOfDay(f, ActivityType);
}

constexpr ComputedVariableDefinition kRows[] = {
    // Parents' and children's work and school times.
    ComputedVariableRow(30671, ParentsWorkDuration<kFatherColumn>),
    ComputedVariableRow(30672, ParentsWorkDuration<kMotherColumn>),
    ComputedVariableRow(30673, ParentStartsBeforeSchool<kFatherColumn>),
    ComputedVariableRow(30674, ParentStartsBeforeSchool<kMotherColumn>),
    ComputedVariableRow(30670, BothParentsStartBeforeSchool),
    ComputedVariableRow(30675, ParentEndsAfterSchool<kFatherColumn>),
    ComputedVariableRow(30676, ParentEndsAfterSchool<kMotherColumn>),
    ComputedVariableRow(30912, MembersWorkDuration),
    ComputedVariableRow(30913, MeanMemberWorkEnd),

    // The person's work or school pattern.
    ComputedVariableRow(30571, WorkStart),
    ComputedVariableRow(30572, WorkEnd),
    ComputedVariableRow(30591, CommuteStops<CWPattern::kHomeToWorkSlot>),
    ComputedVariableRow(30592, CommuteStops<CWPattern::kWorkToHomeSlot>),
    ComputedVariableRow(30596, PeriodTourCount<&CWPattern::GetBeforeWorkTourCount>),
    ComputedVariableRow(30597, PeriodTourCount<&CWPattern::GetWorkBasedTourCount>),
    ComputedVariableRow(30598, PeriodTourCount<&CWPattern::GetAfterWorkTourCount>),
    ComputedVariableRow(30623, ChildSchoolEnd),
    ComputedVariableRow(30680, ChildSchoolModeIs<CWPattern::kHomeToWorkSlot, 2>),
    ComputedVariableRow(30681, ChildSchoolModeIs<CWPattern::kHomeToWorkSlot, 6>),
    ComputedVariableRow(30682, ChildSchoolModeIs<CWPattern::kWorkToHomeSlot, 2>),
    ComputedVariableRow(30683, ChildSchoolModeIs<CWPattern::kWorkToHomeSlot, 6>),
    ComputedVariableRow(30690, TourInHandIsSlot<CWPattern::kFirstBeforeWorkSlot>),
    ComputedVariableRow(30691, TourInHandIsSlot<CWPattern::kFirstBeforeWorkSlot + 1>),
    ComputedVariableRow(30692, ToursInThisPeriod<2>),
    ComputedVariableRow(30697, ToursInThisPeriod<3>),

    // A child's discretionary tour.
    ComputedVariableRow(30655, DiscretionaryTourDeparture),
    ComputedVariableRow(30684, DiscretionaryTourWalksOrBikes),

    // The tour and stop in hand.
    ComputedVariableRow(30685, TourModeIs<3>),
    ComputedVariableRow(30693, StopActivityIs<9>),
    ComputedVariableRow(30694, StopActivityIs<7>),
    ComputedVariableRow(30695, StopActivityIs<5>),
    ComputedVariableRow(30696, StopActivityIs<6>),

    // Other stops of the day with the activity.
    ComputedVariableRow(30686, ActivityCounter<9>),
    ComputedVariableRow(30687, ActivityCounter<7>),
    ComputedVariableRow(30688, ActivityCounter<5>),
    ComputedVariableRow(30689, ActivityCounter<6>),
};

}  // namespace

ComputedVariableRows ScheduleVariable340Rows() { return kRows; }
