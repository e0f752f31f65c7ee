#pragma once
// Household activity generation: which non-work activities the members of a
// household undertake on the simulated day, alone or together, and for how
// long. The household's free time is first split by the fractional-split model
// "FRACTION_SPLIT" into a non-work budget; the budget is then allocated by the
// MDCEV model ("MDCEV" below six persons, "MDCEV2" from six on) over the
// alternatives of the household's choice set, each an activity type done by
// one member or by a group. A member's chosen alternative sets the member's
// activity flag and duration of that type; a group's becomes a joint-activity
// record of the household. Every exchange of the sort of the chosen durations
// is traced to the NOGO file.
//
// One generator serves all the households of a worker thread (it keeps its
// buffers from one household to the next) and draws from that thread's stream.

#include "models/CMdcevAllocation.h"
#include "models/MdcevAlternativeCodes.h"

#include <cstddef>
#include <string>
#include <vector>

class CHouseholdObject;
class CInputDataManager;
class CModelSystem;
class COutputFileSet;

class CActivityGenerator {
public:
    explicit CActivityGenerator(CModelSystem& models);

    CActivityGenerator(const CActivityGenerator&) = delete;
    CActivityGenerator& operator=(const CActivityGenerator&) = delete;

    // An alternative of the household in the allocation.
    struct Entry {
        double value = 0.0;      // exp(utility + Gumbel draw)
        double logValue = 0.0;   // utility + Gumbel draw
        double gamma = 0.0;      // translation (satiation) factor
        double duration = 0.0;   // minutes allocated
        int code = 0;            // alternative number of the choice set
        MdcevAlternativeCodes::Alternative alternative;
    };

    // Generates the household's activities. Nothing is generated when the
    // non-work budget is not positive, when the choice set is empty, or when
    // the allocation has no finite result (then with a message).
    void Generate(CHouseholdObject& household, CInputDataManager* manager, COutputFileSet& streams);

    // The alternatives of the last household in the allocation, in choice-set
    // order, and those it held with their durations, largest duration first.
    const std::vector<Entry>& LastEntries() const { return m_entries; }
    const std::vector<Entry>& LastChosen() const { return m_chosen; }

    // A satiation vector that holds values but fewer than its model reads is
    // reported once per run (for each model); this starts a new run.
    static void RearmWarnings();

    // What the fractional split reads of a household.
    struct BudgetInputs {
        int personCount = 0;
        int workersOver15 = 0;             // A1: going to work, not a student, older than 15
        int othersOver15 = 0;              // A0: older than 15, not a worker
        int nonWorkerStudents = 0;         // S
        int nonWorkerNonStudents = 0;      // N
        int over65 = 0;                    // E
        int over15 = 0;                    // AD
        double workMinutes = 0.0;          // work durations of all workers with times
        double meanWorkDuration = 0.0;     // of the workers older than 15 with times
        double meanWorkEnd = 0.0;          // of the same, each end as an int
        int vehicles = 0;                  // household column 2 as an int
        double column7 = 0.0;              // household column 7 (income in thousands)
        double zone33 = 0.0;               // home zone columns 33 and 38
        double zone38 = 0.0;
    };
    static BudgetInputs SummariseHousehold(const CHouseholdObject& household, CInputDataManager* manager);

    // The non-work budget in minutes: the free time (1440 per member less the
    // work minutes) times the share of the fractional split's second
    // alternative. The coefficients are those of terms 37001 to 37024 in ID
    // order. Not a finite number only when even the shifted form overflows.
    static double NonWorkBudget(const BudgetInputs& inputs, const std::vector<double>& coefficients);

    // The chosen durations sorted largest first by neighbour exchanges; every
    // exchange writes one NOGO line (household id, the duration now in the
    // earlier place).
    static void SortChosenByDuration(std::vector<Entry>& chosen, double householdColumn0, COutputFileSet& streams);

    // The persons flag and activity code of an activity type of the choice set
    // (0 to 9); -1 for any other type.
    static int PersonFlagOfType(int type);
    static int ActivityCodeOfType(int type);

private:
    // Satiation value i of a model's vector, 0.0 past its end.
    static double SatiationValue(const std::vector<double>& values, std::size_t i, bool large);
    // The translation factor of an entry; n is the household size.
    double Gamma(const Entry& entry, int n);
    // Allocates the budget over m_entries: fills m_chosen with the held
    // entries, largest value first, and their durations. False when lambda or
    // a duration is not finite.
    bool Allocate(double budget);
    // The chosen entries become activity flags and durations, or joint records.
    void Apply(CHouseholdObject& household, int n);

    CModelSystem& m_models;
    CMdcevAllocation m_allocation;
    std::vector<double> m_splitCoefficients;
    // The alternatives in choice-set order, those left out of the allocation removed.
    std::vector<Entry> m_entries;
    std::vector<Entry> m_chosen;
    std::vector<double> m_values;
    std::vector<double> m_gammas;
    std::vector<int> m_jointCounts;
};
