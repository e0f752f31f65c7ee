#include "models/CMdcevMM.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "models/MdcevVariableTables.h"
#include "models/ModelConfigXml.h"
#include "modelsystem/CEditorRegistry.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <pugixml.hpp>

using namespace MdcevVariableTables;

namespace {

// What the builders read of one person.
struct PersonFacts {
    bool child = false;         // age below 16
    bool underSix = false;      // age below 6
    bool female = false;        // column 7 equal to 1.0
    bool employed = false;      // column 2 equal to 1.0
    bool column10 = false;      // column 10 equal to 1.0
    bool workDay = false;       // flag 0: work or school today
    bool school = false;        // flag 1: goes to school
    bool picksUp = false;       // picks up a child
    bool dropsOff = false;      // drops off a child
    bool pickUpOnly = false;    // no work or school, and picks up a child
    double workStart = 0.0;     // of the worker pattern, when workDay
    double workDuration = 0.0;  // of the worker pattern, when workDay
};

PersonFacts FactsOf(const CPersonObject& person) {
    PersonFacts f;
    const double age = person.GetValue(8);
    f.child = age < 16.0;
    f.underSix = age < 6.0;
    f.female = person.GetValue(7) == 1.0;
    f.employed = person.GetValue(2) == 1.0;
    f.column10 = person.GetValue(10) == 1.0;
    f.workDay = person.GetFlag(0);
    f.school = person.GetFlag(1);
    f.picksUp = person.m_bPicksUpChildren == 1;
    f.dropsOff = person.m_bDropsOffChildren == 1;
    f.pickUpOnly = !f.workDay && f.picksUp;
    if (f.workDay) {
        if (const CWPattern* pattern = person.GetWPattern()) {
            f.workStart = pattern->GetWorkStart();
            f.workDuration = pattern->GetWorkDuration();
        }
    }
    return f;
}

// Terms the builders can read: IDs and coefficients are index-aligned with the count.
int TermCount(const CVariableSet& terms) {
    return static_cast<int>(std::min({static_cast<size_t>(std::max(terms.m_nCount, 0)), terms.m_variableIds.size(),
                                      terms.m_coefficients.size()}));
}

double ZoneValue(const CInputDataManager* manager, int column, int zone) {
    double value = 0.0;
    if (manager != nullptr) manager->GetZoneValue(value, column, zone);
    return value;
}

}  // namespace

CMdcevMM::CMdcevMM(CModelSystem* owner, const std::string& name, int alternatives) {
    m_pOwner = owner;
    m_name = name;
    m_nAlternatives = alternatives;
}

void CMdcevMM::Edit() {
    Parameters edited{m_terms, m_satiationValues};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_terms = edited.terms;
    m_satiationValues = edited.satiationValues;
}


void CMdcevMM::CopyParameters(const CMdcevMM& other) {
    m_terms = other.m_terms;
    m_satiationValues = other.m_satiationValues;
}

std::vector<CMdcevMM::ChoiceSetEntry> CMdcevMM::BuildChoiceSet(CHouseholdObject* household,
                                                               CInputDataManager* manager) const {
    std::vector<ChoiceSetEntry> choiceSet;
    if (household == nullptr) return choiceSet;
    const int n = household->GetPersonCount();
    // Subsets are enumerated for small households only: 2^n grows too fast
    // beyond them, and larger households have a builder of their own.
    if (n <= 0 || n >= kLargeHouseholdSize) return choiceSet;

    std::vector<PersonFacts> persons;
    persons.reserve(static_cast<size_t>(n));
    for (const auto& p : household->GetPersons()) persons.push_back(FactsOf(*p));

    // Household quantities, the same for every alternative.
    const double highIncome = household->GetValue(7) * 1000.0 > 100000.0 ? 1.0 : 0.0;
    const double vehicles = static_cast<double>(household->GetValue2());
    const double schoolChildren = static_cast<double>(household->CountSchoolGoingChildren());
    const double otherChildren = static_cast<double>(household->CountNonSchoolGoingChildren());
    const int home = household->GetHomeZone();
    const double zone3 = ZoneValue(manager, InputColumns::kZoneRetailServiceAccess, home);
    const double zone5 = ZoneValue(manager, InputColumns::kZonePopulationAccess, home);
    double longestWork = 0.0;
    double latestWorkEnd = 0.0;
    for (const PersonFacts& f : persons) {
        if (!f.workDay) continue;
        longestWork = std::max(longestWork, f.workDuration);
        latestWorkEnd = std::max(latestWorkEnd, f.workStart + f.workDuration);
    }
    longestWork = longestWork / 1000.0;
    latestWorkEnd = latestWorkEnd / 1000.0;

    const int termCount = TermCount(m_terms);
    const int subsets = (1 << n) - 1;  // M
    const int alternatives = n + 8 * subsets;
    choiceSet.reserve(static_cast<size_t>(alternatives));
    for (int k = 1; k <= alternatives; ++k) {
        const int a = k - 1;
        const int t = a < 8 * subsets ? a / subsets : 8;
        const unsigned members = t < 8 ? static_cast<unsigned>(a % subsets + 1) : (1u << (a - 8 * subsets));

        int m = 0, c = 0, y = 0, f = 0, d = 0, e = 0, w = 0;
        for (int i = 0; i < n; ++i) {
            if ((members & (1u << i)) == 0) continue;
            const PersonFacts& p = persons[static_cast<size_t>(i)];
            ++m;
            if (p.child) ++c;
            if (p.underSix) ++y;
            if (p.female) ++f;
            if (p.dropsOff) ++d;
            if (p.employed) ++e;
            if (p.pickUpOnly) ++w;
        }
        if (m > 1 && c == m) continue;   // children only
        if (m > 1 && w >= 1) continue;   // a member kept at home by a pick-up
        if (m == 1 && y == 1) continue;  // a small child alone
        if (t == 8 && e == 0) continue;  // individual activity of a person without employment
        const double family = (m >= 3 && f >= 1 && c >= 1) ? 1.0 : 0.0;

        double utility = 0.0;
        for (int j = 0; j < termCount; ++j) {
            double value = 0.0;
            switch (SmallQuantityOf(m_terms.m_variableIds[static_cast<size_t>(j)], t)) {
            case kSmallNone: break;
            case kSmallOne: value = 1.0; break;
            case kSmallSchoolChildren: value = schoolChildren; break;
            case kSmallOtherChildren: value = otherChildren; break;
            case kSmallZero: break;
            case kSmallHighIncome: value = highIncome; break;
            case kSmallHighIncomeAlone: value = m == 1 ? highIncome : 0.0; break;
            case kSmallHighIncomeGroup: value = m > 1 ? highIncome : 0.0; break;
            case kSmallVehicles: value = vehicles; break;
            case kSmallLatestWorkEnd: value = latestWorkEnd; break;
            case kSmallLongestWork: value = longestWork; break;
            case kSmallChildrenAlone: value = m == 1 ? c : 0.0; break;
            case kSmallChildrenGroup: value = m > 1 ? c : 0.0; break;
            case kSmallDropOffMembers: value = d; break;
            case kSmallFamilyGroup: value = family; break;
            case kSmallZone3: value = zone3; break;
            case kSmallZone5: value = zone5; break;
            case kSmallTwoMembers: value = m == 2 ? 1.0 : 0.0; break;
            case kSmallThreeMembers: value = m == 3 ? 1.0 : 0.0; break;
            case kSmallFourMembers: value = m == 4 ? 1.0 : 0.0; break;
            case kSmallFiveMembers: value = m == 5 ? 1.0 : 0.0; break;
            case kSmallGroup: value = m > 1 ? 1.0 : 0.0; break;
            }
            utility = utility + value * m_terms.m_coefficients[static_cast<size_t>(j)];
        }
        choiceSet.emplace_back(utility, k);
    }
    return choiceSet;
}

std::vector<CMdcevMM::ChoiceSetEntry> CMdcevMM::BuildChoiceSetLarge(CHouseholdObject* household,
                                                                    CInputDataManager* manager) const {
    std::vector<ChoiceSetEntry> choiceSet;
    if (household == nullptr) return choiceSet;
    const int n = household->GetPersonCount();
    if (n <= 0) return choiceSet;

    std::vector<PersonFacts> persons;
    persons.reserve(static_cast<size_t>(n));
    for (const auto& p : household->GetPersons()) persons.push_back(FactsOf(*p));

    const int income = static_cast<int>(household->GetValue(7)) * 1000;
    const double lowIncome = income < 35000 ? 1.0 : 0.0;
    const double middleIncome = (income >= 35000 && income < 75000) ? 1.0 : 0.0;
    const double sixOrSeven = (n == 6 || n == 7) ? 1.0 : 0.0;
    const int home = household->GetHomeZone();
    const double zone3 = ZoneValue(manager, InputColumns::kZoneRetailServiceAccess, home);
    const double zone6 = ZoneValue(manager, InputColumns::kZoneFirstCityCbd, home);
    const double zone9 = ZoneValue(manager, InputColumns::kZoneMedianIncome, home) / 1000.0;
    const double zone10 = ZoneValue(manager, InputColumns::kZonePopulation, home) / 1000.0;
    const double zone30 = ZoneValue(manager, InputColumns::kZoneJobsNear, home) / 10000.0;
    const double zone34 = ZoneValue(manager, InputColumns::kZoneTransportJobsNear, home) / 10000.0;
    const double zone36 = ZoneValue(manager, InputColumns::kZoneHealthJobsNear, home) / 10000.0;
    const double zone38 = ZoneValue(manager, InputColumns::kZoneEducationJobsNear, home) / 10000.0;
    const double zone39 = ZoneValue(manager, InputColumns::kZoneGovernmentJobsNear, home) / 10000.0;
    const double zone40 = ZoneValue(manager, InputColumns::kZoneEntertainmentJobsNear, home) / 10000.0;

    const int termCount = TermCount(m_terms);
    choiceSet.reserve(static_cast<size_t>(kTypeCount * n));
    for (int t = 0; t < kTypeCount; ++t) {
        // Running quantities over persons 0 to i.
        int females = 0;
        bool under16 = false, underSix = false, employed = false, school = false, pickUp = false,
             dropOff = false, column10 = false;
        double workDuration = 0.0;
        for (int i = 0; i < n; ++i) {
            const PersonFacts& p = persons[static_cast<size_t>(i)];
            if (p.female) ++females;
            under16 = under16 || p.child;
            underSix = underSix || p.underSix;
            employed = employed || p.employed;
            school = school || p.school;
            pickUp = pickUp || p.picksUp;
            dropOff = dropOff || p.dropsOff;
            column10 = column10 || p.column10;
            if (p.workDay) workDuration = p.workDuration;
            if (underSix || (t == 8 && !employed)) continue;

            double utility = 0.0;
            for (int j = 0; j < termCount; ++j) {
                double value = 0.0;
                switch (LargeQuantityOf(m_terms.m_variableIds[static_cast<size_t>(j)], t)) {
                case kLargeNone: break;
                case kLargeOne: value = 1.0; break;
                case kLargeSixOrSeven: value = sixOrSeven; break;
                case kLargeLowIncome: value = lowIncome; break;
                case kLargeMiddleIncome: value = middleIncome; break;
                case kLargeFemales: value = females; break;
                case kLargeUnder16: value = under16 ? 1.0 : 0.0; break;
                case kLargeAtSchool: value = school ? 1.0 : 0.0; break;
                case kLargePickUp: value = pickUp ? 1.0 : 0.0; break;
                case kLargeDropOff: value = dropOff ? 1.0 : 0.0; break;
                case kLargeColumn10: value = column10 ? 1.0 : 0.0; break;
                case kLargeWorkDuration: value = workDuration; break;
                case kLargeZone3: value = zone3; break;
                case kLargeZone6: value = zone6; break;
                case kLargeZone9: value = zone9; break;
                case kLargeZone10: value = zone10; break;
                case kLargeZone30: value = zone30; break;
                case kLargeZone34: value = zone34; break;
                case kLargeZone36: value = zone36; break;
                case kLargeZone38: value = zone38; break;
                case kLargeZone39: value = zone39; break;
                case kLargeZone40: value = zone40; break;
                }
                utility = utility + value * m_terms.m_coefficients[static_cast<size_t>(j)];
            }
            choiceSet.emplace_back(utility, t * n + i);
        }
    }
    return choiceSet;
}

namespace {

const char* const kTypeText = "class CMdcevMM * __ptr64";

}  // namespace

// The satiation values are carried as the element's thresholds.
std::unique_ptr<CModelModule::ParsedParameters> CMdcevMM::ParseXml(const pugi::xml_node& element,
                                                                   std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    if (!ModelConfigXml::ReadThresholds(element, read.satiationValues, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CMdcevMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariables(out, m_terms, "unavailable", "\n\n");
    ModelConfigXml::WriteThresholds(out, m_satiationValues);
    ModelConfigXml::WriteEndTag(out);
}

void CMdcevMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
    m_satiationValues = read->parameters.satiationValues;
}
