#pragma once
// Ordered probit: a category number (numbers of tours, numbers of stops). A
// latent value, the utility of the terms plus a standard normal error, falls
// between two of the ascending thresholds; n thresholds give categories 1 to
// n + 1, and a value equal to a threshold falls in the lower category.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>
#include <vector>

class COrdProbitMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
        std::vector<double> thresholds;
    };

    // Empty thresholds and terms; the category count is kept as given.
    COrdProbitMM(CModelSystem* owner, const std::string& name, int categoryCount);

    void Edit() override;
    // Model-parameter file (see CModelModule); the model has no text record.
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Category for a level object: evaluates the terms from it and draws.
    int Choose(CTour* tour);
    int Choose(CPattern* pattern);

    // The 1-based number of the first threshold not below V + z (z a standard
    // normal from two uniforms), or the number of thresholds + 1.
    int Draw();

    // Takes the terms and thresholds of another ordered probit; the category
    // count stays as constructed.
    void CopyParameters(const COrdProbitMM& other);

    // Thresholds a model of `categoryCount` categories can hold: strictly
    // ascending and no more than categoryCount - 1 of them.
    static bool AreValidThresholds(const std::vector<double>& thresholds, int categoryCount);

    // Number of categories the catalogue gave the model; the draw does not use it.
    int m_nCategoryCount = 0;
    // Cut points, ascending.
    std::vector<double> m_thresholds;
    CVariableSet m_terms;
};
