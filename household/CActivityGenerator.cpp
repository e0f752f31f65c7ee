#include "household/CActivityGenerator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "household/CJointActivityRecord.h"
#include "household/COutputFileSet.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/TermCoefficients.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <optional>

using MdcevAlternativeCodes::Alternative;

namespace {

// An activity type of the choice set with the person flag that marks it and
// the activity code its duration (and a joint record) is kept under.
struct ActivityTypeRow {
    int type;
    int flag;
    int activityCode;
};

constexpr std::array<ActivityTypeRow, 10> kActivityTypes = {{
    {0, 11, 9},  // maintenance
    {1, 3, 0},   // shopping
    {2, 8, 7},   // visit
    {3, 4, 1},   // social
    {4, 9, 5},   // entertainment
    {5, 10, 6},  // active recreation
    {6, 6, 3},   // eat out
    {7, 5, 2},   // other
    {8, 2, 8},   // work related
    {9, 7, 4},   // serve passenger
}};

// Terms of the fractional split, and how many satiation values each MDCEV model reads.
constexpr int kFirstSplitTerm = 37001;
constexpr int kSplitTermCount = 24;
constexpr std::size_t kSmallSatiationCount = 13;  // nine per type, four per group size
constexpr std::size_t kLargeSatiationCount = 9;

// A joint activity is kept only when each participant gets more than this.
constexpr double kShortestJointMinutes = 15.0;
// No member takes part in more joint activities of the household than this.
constexpr int kMostJointActivities = 2;
// Persons whose joint-activity count is bounded (the choice sets of smaller
// households hold at most five persons).
constexpr int kBoundedPersons = 5;

bool IsFinite(double x) { return std::isfinite(x); }

// Set once a short satiation vector of each model has been reported in this
// run (by whichever thread meets it first).
std::atomic<bool> g_shortSmallSatiationWarned{false};
std::atomic<bool> g_shortLargeSatiationWarned{false};

void PostNoFiniteResult(double householdColumn0) {
    MessageSink::Post("Household " + NumberText::Integer(CRecordLine::OutputHouseholdId(householdColumn0)) +
                          ": the activity time budget cannot be allocated (a value overflows); no activities are "
                          "generated for it.",
                      MessageIcon::Warning);
}

}  // namespace

CActivityGenerator::CActivityGenerator(CModelSystem& models) : m_models(models) {}

int CActivityGenerator::PersonFlagOfType(int type) {
    if (type < 0 || type >= static_cast<int>(kActivityTypes.size())) return -1;
    return kActivityTypes[static_cast<std::size_t>(type)].flag;
}

int CActivityGenerator::ActivityCodeOfType(int type) {
    if (type < 0 || type >= static_cast<int>(kActivityTypes.size())) return -1;
    return kActivityTypes[static_cast<std::size_t>(type)].activityCode;
}

CActivityGenerator::BudgetInputs CActivityGenerator::SummariseHousehold(const CHouseholdObject& household,
                                                                        CInputDataManager* manager) {
    BudgetInputs in;
    in.personCount = household.GetPersonCount();
    int timedWorkersOver15 = 0;
    double durationSum = 0.0;
    double endSum = 0.0;
    for (const auto& person : household.GetPersons()) {
        const int age = CRecordLine::TruncateToInt(person->GetValue(8));
        const bool worker = person->GetFlag(0) && !person->GetFlag(1);
        if (age > 15) ++in.over15;
        if (age > 65) ++in.over65;
        if (worker) {
            if (age > 15) ++in.workersOver15;
        } else {
            if (age > 15) ++in.othersOver15;
            if (person->GetFlag(1))
                ++in.nonWorkerStudents;
            else
                ++in.nonWorkerNonStudents;
        }
        if (!worker) continue;
        // A worker whose day has no work times adds no work minutes.
        const CWPattern* work = person->GetWPattern();
        if (work == nullptr || work->GetWorkStart() < 0.0 || work->GetWorkDuration() < 0.0) continue;
        in.workMinutes += work->GetWorkDuration();
        if (age <= 15) continue;
        ++timedWorkersOver15;
        durationSum += work->GetWorkDuration();
        endSum += CRecordLine::TruncateToInt(work->GetWorkStart() + work->GetWorkDuration());
    }
    if (timedWorkersOver15 > 0) {
        in.meanWorkDuration = durationSum / timedWorkersOver15;
        in.meanWorkEnd = endSum / timedWorkersOver15;
    }
    in.vehicles = household.GetValue2();
    in.column7 = household.GetValue(7);
    if (manager != nullptr) {
        manager->GetZoneValue(in.zone33, InputColumns::kZoneRetailJobsNear, household.GetHomeZone());
        manager->GetZoneValue(in.zone38, InputColumns::kZoneEducationJobsNear, household.GetHomeZone());
    }
    return in;
}

double CActivityGenerator::NonWorkBudget(const BudgetInputs& in, const std::vector<double>& c) {
    auto coefficient = [&c](int id) {
        const std::size_t i = static_cast<std::size_t>(id - kFirstSplitTerm);
        return i < c.size() ? c[i] : 0.0;
    };
    const double vehicles1 = in.vehicles == 1 ? 1.0 : 0.0;
    const double vehicles2 = in.vehicles == 2 ? 1.0 : 0.0;
    const double vehicles3 = in.vehicles == 3 ? 1.0 : 0.0;
    const double vehiclesMore = in.vehicles > 3 ? 1.0 : 0.0;
    const double duration = in.meanWorkDuration / 1000.0;
    const double end = in.meanWorkEnd / 1000.0;

    const double v2 = coefficient(37001) + coefficient(37002) * in.workersOver15 +
                      coefficient(37003) * in.othersOver15 + coefficient(37004) * in.nonWorkerStudents +
                      coefficient(37005) * in.nonWorkerNonStudents + coefficient(37006) * in.over65 +
                      coefficient(37007) * vehicles1 + coefficient(37008) * vehicles2 +
                      coefficient(37009) * vehicles3 + coefficient(37010) * vehiclesMore +
                      coefficient(37011) * (in.column7 * 1000.0 > 74999.0 ? 1.0 : 0.0) +
                      coefficient(37012) * duration + coefficient(37013) * end + coefficient(37023) * in.zone33 +
                      coefficient(37024) * in.zone38;
    const double v3 = coefficient(37014) + coefficient(37015) * in.othersOver15 + coefficient(37016) * in.over15 +
                      coefficient(37017) * vehicles1 + coefficient(37018) * vehicles2 +
                      coefficient(37019) * vehicles3 + coefficient(37020) * vehiclesMore +
                      coefficient(37021) * duration + coefficient(37022) * end;

    const double freeTime = 1440.0 * in.personCount - in.workMinutes;
    const double budget = freeTime * std::exp(v2) / (std::exp(0.0) + std::exp(v2) + std::exp(v3));
    if (IsFinite(budget)) return budget;
    // The same share with every utility less the largest: no overflow.
    const double top = std::max({0.0, v2, v3});
    return freeTime * std::exp(v2 - top) / (std::exp(-top) + std::exp(v2 - top) + std::exp(v3 - top));
}

void CActivityGenerator::RearmWarnings() {
    g_shortSmallSatiationWarned.store(false);
    g_shortLargeSatiationWarned.store(false);
}

double CActivityGenerator::SatiationValue(const std::vector<double>& values, std::size_t i, bool large) {
    if (i < values.size()) return values[i];
    // A model given no satiation values at all (no model file, or none in
    // it for this model) reads 0.0 throughout without a word, as its missing
    // terms do; a vector cut short is reported.
    if (values.empty()) return 0.0;
    std::atomic<bool>& warned = large ? g_shortLargeSatiationWarned : g_shortSmallSatiationWarned;
    if (!warned.exchange(true)) {
        const char* name = large ? "MDCEV2" : "MDCEV";
        const std::size_t expected = large ? kLargeSatiationCount : kSmallSatiationCount;
        MessageSink::Post(std::string("The model ") + name + " has " +
                              NumberText::Integer(static_cast<long long>(values.size())) + " satiation values of " +
                              NumberText::Integer(static_cast<long long>(expected)) +
                              "; the missing ones are taken as 0.",
                          MessageIcon::Warning);
    }
    return 0.0;
}

double CActivityGenerator::Gamma(const Entry& entry, int n) {
    const Alternative& a = entry.alternative;
    if (n >= CMdcevMM::kLargeHouseholdSize)
        return SatiationValue(m_models.m_pMDCEV2->m_satiationValues, static_cast<std::size_t>(a.type), true);
    const std::vector<double>& values = m_models.m_pMDCEV->m_satiationValues;
    const double typeValue = SatiationValue(values, static_cast<std::size_t>(std::min(a.type, 8)), false);
    if (a.memberCount >= 2)
        return std::exp(typeValue + SatiationValue(values, static_cast<std::size_t>(9 + a.memberCount - 2), false));
    return std::exp(typeValue);
}

bool CActivityGenerator::Allocate(double budget) {
    m_chosen.clear();
    m_values.clear();
    m_gammas.clear();
    for (const Entry& e : m_entries) {
        m_values.push_back(e.value);
        m_gammas.push_back(e.gamma);
    }
    m_allocation.Allocate(m_values, m_gammas, budget, std::nullopt);
    if (!IsFinite(m_allocation.Lambda())) return false;
    const std::vector<int>& order = m_allocation.Order();
    for (int rank = 0; rank < m_allocation.HeldCount(); ++rank) {
        const double amount = m_allocation.Amount(rank);
        if (!IsFinite(amount)) return false;
        m_chosen.push_back(m_entries[static_cast<std::size_t>(order[static_cast<std::size_t>(rank)])]);
        m_chosen.back().duration = amount;
    }
    return true;
}

void CActivityGenerator::SortChosenByDuration(std::vector<Entry>& chosen, double householdColumn0,
                                              COutputFileSet& streams) {
    const std::string id = NumberText::Integer(CRecordLine::OutputHouseholdId(householdColumn0)) + ",";
    std::string line;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (std::size_t i = 0; i + 1 < chosen.size(); ++i) {
            if (!(chosen[i].duration < chosen[i + 1].duration)) continue;
            std::swap(chosen[i], chosen[i + 1]);
            exchanged = true;
            line = id;
            line += NumberText::General(chosen[i].duration, 6);
            streams.WriteLine(COutputFileSet::kNogo, line);
        }
    }
}

void CActivityGenerator::Apply(CHouseholdObject& household, int n) {
    const bool large = n >= CMdcevMM::kLargeHouseholdSize;
    m_jointCounts.assign(static_cast<std::size_t>(n), 0);
    for (const Entry& e : m_chosen) {
        const Alternative& a = e.alternative;
        if (!large && a.joint) {
            const double perPerson = std::floor(e.duration / a.memberCount);
            bool tooMany = false;
            for (int i = 0; i < n; ++i) {
                if ((a.members & (1u << i)) == 0) continue;
                int& count = m_jointCounts[static_cast<std::size_t>(i)];
                ++count;
                if (i < kBoundedPersons && count > kMostJointActivities) tooMany = true;
            }
            if (tooMany || perPerson <= kShortestJointMinutes) {
                for (int i = 0; i < n; ++i)
                    if ((a.members & (1u << i)) != 0) --m_jointCounts[static_cast<std::size_t>(i)];
                continue;
            }
            std::vector<bool> participants(static_cast<std::size_t>(n), false);
            for (int i = 0; i < n; ++i) participants[static_cast<std::size_t>(i)] = (a.members & (1u << i)) != 0;
            CJointActivityRecord& record =
                household.m_jointActivities.emplace_back(std::move(participants), ActivityCodeOfType(a.type), perPerson);
            // Numbered by position; joint-activity scheduling sets the times.
            record.m_nId = static_cast<int>(household.m_jointActivities.size());
            record.m_dStartTime = 0.0;
            record.m_dEndTime = 0.0;
            continue;
        }
        CPersonObject* person = household.GetPerson(a.person);
        if (person == nullptr) continue;
        person->SetFlag(PersonFlagOfType(a.type), true);
        person->SetActivityDuration(ActivityCodeOfType(a.type), e.duration);
    }
}

void CActivityGenerator::Generate(CHouseholdObject& household, CInputDataManager* manager,
                                  COutputFileSet& streams) {
    m_entries.clear();
    m_chosen.clear();
    const int n = household.GetPersonCount();
    const bool large = n >= CMdcevMM::kLargeHouseholdSize;
    const double hid = household.GetValue(0);

    const BudgetInputs inputs = SummariseHousehold(household, manager);
    GatherTermCoefficients(m_models.m_pFRACTIONSPLIT->m_terms, kFirstSplitTerm, kSplitTermCount,
                           m_splitCoefficients);
    const double budget = NonWorkBudget(inputs, m_splitCoefficients);
    if (!IsFinite(budget)) {
        PostNoFiniteResult(hid);
        return;
    }
    if (!(budget > 0.0)) return;

    const std::vector<CMdcevMM::ChoiceSetEntry> choiceSet =
        large ? m_models.m_pMDCEV2->BuildChoiceSetLarge(&household, manager)
              : m_models.m_pMDCEV->BuildChoiceSet(&household, manager);
    if (choiceSet.empty()) return;

    // Every entry j draws after a reseed of its own, also one left out below,
    // so that no other entry's draw depends on it.
    for (std::size_t j = 0; j < choiceSet.size(); ++j) {
        decision_key::Reseed(m_models, household, static_cast<std::uint32_t>(j));
        const double u = m_models.m_pMDCEV->DrawUniform();
        Entry e;
        e.code = choiceSet[j].second;
        e.alternative = large ? MdcevAlternativeCodes::DecodeLarge(e.code, n)
                              : MdcevAlternativeCodes::DecodeSmall(e.code, n);
        e.logValue = choiceSet[j].first - std::log(-std::log(u));
        e.value = std::exp(e.logValue);
        if (!e.alternative.valid) continue;
        e.gamma = Gamma(e, n);
        // A translation factor at or below 0 has no allocation: the satiation
        // values of large households are used as they stand.
        if (!(e.gamma > 0.0)) continue;
        m_entries.push_back(e);
    }
    if (m_entries.empty()) return;

    if (!Allocate(budget)) {
        // The same allocation with every value divided by the largest one:
        // the held entries and their durations do not change, but nothing
        // overflows.
        double top = m_entries.front().logValue;
        for (const Entry& e : m_entries) top = std::max(top, e.logValue);
        for (Entry& e : m_entries) e.value = std::exp(e.logValue - top);
        if (!Allocate(budget)) {
            PostNoFiniteResult(hid);
            return;
        }
    }
    SortChosenByDuration(m_chosen, hid, streams);
    Apply(household, n);
}
