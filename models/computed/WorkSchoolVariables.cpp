#include "models/computed/WorkSchoolVariables.h"

#include <algorithm>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "models/computed/ComputedVariableHelpers.h"
#include "schedules/CWPattern.h"

using namespace ComputedVariableHelpers;

namespace {

// --- The person's own work or school times ----------------------------------

// A student going to school today with a worker (school) pattern.
const CWPattern* SchoolPattern(const Frame& f) {
    return PersonColumn(f.person, 3) != 0.0 ? WorkerPatternOfWorker(f) : nullptr;
}

double Start(const CWPattern* p) { return p != nullptr ? p->GetWorkStart() : 0.0; }
double Duration(const CWPattern* p) { return p != nullptr ? p->GetWorkDuration() : 0.0; }
double End(const CWPattern* p) { return p != nullptr ? p->GetWorkStart() + p->GetWorkDuration() : 0.0; }

// --- Parents' work times -------------------------------------------------------

// Person column of a mother (35) or a father (36) of the household.
constexpr int kMotherColumn = InputColumns::kMother;
constexpr int kFatherColumn = InputColumns::kFather;

bool IsWorkingParent(const CPersonObject* member, int parentColumn) {
    return PersonFlag(member, 0) && PersonColumn(member, parentColumn) == 1.0;
}

// Members going to work or school that are marked as parent in the column.
int WorkingParents(const Frame& f, int parentColumn) {
    if (f.household == nullptr) return 0;
    int count = 0;
    for (const auto& member : f.household->GetPersons())
        if (IsWorkingParent(member.get(), parentColumn)) ++count;
    return count;
}

// Sum over those members of a value of their worker pattern (a member whose
// pattern is not a worker pattern adds nothing). Summed as Sum: a double, or an
// int truncated after each addition (whole minutes only).
template <typename Sum, typename Value>
Sum SumOverWorkingParents(const Frame& f, int parentColumn, Value value) {
    Sum sum = 0;
    if (f.household == nullptr) return sum;
    for (const auto& member : f.household->GetPersons())
        if (IsWorkingParent(member.get(), parentColumn))
            if (const CWPattern* p = MemberWorkerPattern(member.get())) sum = static_cast<Sum>(sum + value(p));
    return sum;
}

// The earliest of a value (truncated to int) over the children of the
// household, from 1440; a child not going to school counts 0.
template <typename Value>
int EarliestOverChildren(const Frame& f, Value value) {
    int earliest = 1440;
    if (f.household == nullptr) return earliest;
    for (const auto& member : f.household->GetPersons()) {
        if (!member->IsChild()) continue;
        const CWPattern* p = PersonFlag(member.get(), 0) ? MemberWorkerPattern(member.get()) : nullptr;
        earliest = std::min(earliest, p != nullptr ? static_cast<int>(value(p)) : 0);
    }
    return earliest;
}

template <int ParentColumn>
double ParentStartSum(const Frame& f) {
    return SumOverWorkingParents<double>(f, ParentColumn, Start);
}
template <int ParentColumn>
double ParentDurationSum(const Frame& f) {
    return SumOverWorkingParents<double>(f, ParentColumn, Duration);
}
template <int ParentColumn>
double ParentEndSum(const Frame& f) {
    return SumOverWorkingParents<double>(f, ParentColumn, End);
}
template <int ParentColumn>
double ParentCount(const Frame& f) {
    return WorkingParents(f, ParentColumn);
}

bool BothParentsWork(const Frame& f) { return WorkingParents(f, kMotherColumn) + WorkingParents(f, kFatherColumn) == 2; }

double BothParentsWorkOneEndsBeforeSchool(const Frame& f) {
    const int childEnd = static_cast<int>(End(SchoolPattern(f)));
    const int mother = SumOverWorkingParents<int>(f, kMotherColumn, End);
    const int father = SumOverWorkingParents<int>(f, kFatherColumn, End);
    return Indicator(BothParentsWork(f) && (father < childEnd || mother < childEnd));
}

double FatherStartsAfterSchool(const Frame& f) {
    return Indicator(SumOverWorkingParents<int>(f, kFatherColumn, Start) > EarliestOverChildren(f, Start));
}
double FatherStartsBeforeSchool(const Frame& f) {
    return Indicator(SumOverWorkingParents<int>(f, kFatherColumn, Start) < EarliestOverChildren(f, Start));
}
double MotherStartsAfterSchool(const Frame& f) {
    return Indicator(SumOverWorkingParents<int>(f, kMotherColumn, Start) > EarliestOverChildren(f, Start));
}
double MotherEndsAfterSchool(const Frame& f) {
    return Indicator(SumOverWorkingParents<int>(f, kMotherColumn, End) > EarliestOverChildren(f, End));
}

constexpr ComputedVariableDefinition kRows[] = {
    // The person's school day.
    ComputedVariableRow(30001, [](const Frame& f) { return Indicator(PersonColumn(f.person, 3) != 0.0 && WorksOrStudies(f)); }),
    ComputedVariableRow(30002, [](const Frame& f) { return Start(SchoolPattern(f)); }),
    ComputedVariableRow(30003, [](const Frame& f) { return End(SchoolPattern(f)); }),
    ComputedVariableRow(30004, [](const Frame& f) { return Duration(SchoolPattern(f)); }),

    // The person's work (or school) day.
    ComputedVariableRow(30013, [](const Frame& f) { return Start(WorkerPatternOfWorker(f)); }),
    ComputedVariableRow(30014, [](const Frame& f) { return End(WorkerPatternOfWorker(f)); }),
    ComputedVariableRow(30015, [](const Frame& f) { return Duration(WorkerPatternOfWorker(f)); }),

    // The parents' work days.
    ComputedVariableRow(30025, ParentStartSum<kMotherColumn>),
    ComputedVariableRow(30026, ParentDurationSum<kMotherColumn>),
    ComputedVariableRow(30027, ParentStartSum<kFatherColumn>),
    ComputedVariableRow(30028, ParentDurationSum<kFatherColumn>),
    ComputedVariableRow(30199, ParentCount<kMotherColumn>),
    ComputedVariableRow(30200, ParentEndSum<kMotherColumn>),
    ComputedVariableRow(30201, ParentCount<kFatherColumn>),
    ComputedVariableRow(30202, ParentEndSum<kFatherColumn>),
    ComputedVariableRow(30327, [](const Frame& f) { return Indicator(BothParentsWork(f)); }),
    ComputedVariableRow(30328, BothParentsWorkOneEndsBeforeSchool),
    ComputedVariableRow(30329, FatherStartsAfterSchool),
    ComputedVariableRow(30330, FatherStartsBeforeSchool),
    ComputedVariableRow(30331, MotherStartsAfterSchool),
    ComputedVariableRow(30332, MotherEndsAfterSchool),
};

}  // namespace

ComputedVariableRows WorkSchoolVariableRows() { return kRows; }
