#pragma once
// Binary logit: a yes/no decision (go to work or school, generate or allocate
// an activity, escort a child, ...). The outcome true has the utility of the
// terms, the outcome false utility 0; one uniform decides.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>

class CBLogitMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
    };

    // Empty terms.
    CBLogitMM(CModelSystem* owner, const std::string& name);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Decision for a level object: evaluates the terms from it and draws.
    bool Choose(CPattern* pattern);
    bool Choose(CPersonObject* person);
    bool Choose(CHouseholdObject* household);

    // True when 1 / (exp(-V) + 1) is strictly greater than one uniform.
    bool Draw();

    // Takes the terms of another binary logit.
    void CopyParameters(const CBLogitMM& other);

    CVariableSet m_terms;
};
