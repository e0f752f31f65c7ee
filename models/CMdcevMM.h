#pragma once
// Household activity generation by a multiple discrete-continuous extreme
// value (MDCEV) model. The model holds the coefficients of the baseline
// utilities and the satiation values; its two builders list the alternatives
// open to one household (an activity type done by a group of members, or by
// one member alone), each with its baseline utility. The household simulation
// adds the random terms, allocates the day's time among the alternatives and
// turns the chosen ones into activity flags of the persons.
//
// "MDCEV" serves households of fewer than six persons with BuildChoiceSet,
// which lists every non-empty group of members for each joint activity type;
// "MDCEV2" serves larger households with BuildChoiceSetLarge, which lists one
// alternative per person and type. The builders compute their own variables
// and draw no random numbers.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>
#include <utility>
#include <vector>

class CHouseholdObject;
class CInputDataManager;

class CMdcevMM : public CModelModule {
public:
    // One alternative of a household's choice set: (baseline utility,
    // alternative number).
    using ChoiceSetEntry = std::pair<double, int>;

    // Households of this many persons or more go to BuildChoiceSetLarge.
    static constexpr int kLargeHouseholdSize = 6;

    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
        std::vector<double> satiationValues;
    };

    // Empty terms and satiation values; `alternatives` is the model's number of
    // alternatives (14 for "MDCEV", 10 for "MDCEV2").
    CMdcevMM(CModelSystem* owner, const std::string& name, int alternatives);

    void Edit() override;
    // Model-parameter file (see CModelModule); the model has no text record.
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // The choice set of a household of fewer than six persons, in increasing
    // alternative order. With n persons and M = 2^n - 1 the alternatives are
    // numbered 1 to n + 8M: k = t x M + s for the joint types t = 0 to 7 and
    // member subset s = 1 to M (bit i: the i-th person), then 8M + i + 1 for
    // person i alone (type 8). Dropped are: groups of children only, groups
    // that include a member who has no work or school and picks up a child, a
    // member under 6 alone, and an individual alternative of a person who is
    // not employed. Empty for a household without persons or with six or more
    // (their subsets are not enumerated; they belong to BuildChoiceSetLarge).
    std::vector<ChoiceSetEntry> BuildChoiceSet(CHouseholdObject* household, CInputDataManager* manager) const;

    // The choice set of a household of six persons or more: for each type t = 0
    // to 8 and person i, the alternative t x n + i, whose variables describe
    // persons 0 to i together. From the first person under 6 on, a type gives
    // no more alternatives; type 8 gives none until an employed person has been
    // seen.
    std::vector<ChoiceSetEntry> BuildChoiceSetLarge(CHouseholdObject* household, CInputDataManager* manager) const;

    // Takes the terms and satiation values of another MDCEV model (the same
    // model of model system 0).
    void CopyParameters(const CMdcevMM& other);

    int GetAlternativeCount() const { return m_nAlternatives; }

    int m_nAlternatives = 0;
    std::vector<double> m_satiationValues;
    CVariableSet m_terms;
};
