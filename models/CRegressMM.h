#pragma once
// Linear regression with a normal error: gives a continuous outcome (a
// duration, a travel time, a departure time, a home stay, the annual mileage)
// as the linear prediction of its terms plus a normal draw with the model's
// variance.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>

class CRegressMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
        double variance = 0.0;
    };

    // Empty terms, variance 0.0.
    CRegressMM(CModelSystem* owner, const std::string& name);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Prediction for a level object: evaluates the terms from it and draws.
    double Predict(CStop* stop);
    double Predict(CTour* tour);
    double Predict(CPattern* pattern);
    double Predict(CPersonObject* person);
    double Predict(CHouseholdObject* household);

    // V + z x sqrt(variance), z a standard normal from two uniforms; the values
    // are those the last evaluation left.
    double Draw();

    // Takes the terms and variance of another regression (the same model of
    // model system 0).
    void CopyParameters(const CRegressMM& other);

    // A variance the model can draw with: finite and not negative.
    static bool IsValidVariance(double variance);
    // Sets the variance when it is valid; otherwise posts a message naming the
    // model, keeps the old variance and returns false. The readers of the
    // model files and the editor go through it.
    bool SetVariance(double variance);

    CVariableSet m_terms;
    double m_dVariance = 0.0;
};
