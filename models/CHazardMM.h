#pragma once
// Hazard-based duration model with a piecewise baseline and gamma
// heterogeneity: gives a duration in minutes (children's school start and end
// times, the work duration). The survival at the end of each interval follows
// from the interval's baseline value, the covariate function and the
// heterogeneity variance; one uniform picks the interval, a second places the
// duration uniformly within it. The last interval, open-ended in the model, is
// closed at 1.1 times its start.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>
#include <vector>

class CHazardMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
        float variance = 0.0f;
        int intervalCount = 0;
        std::vector<double> intervalStarts;
        std::vector<double> intervalParameters;
    };

    // Interval count 0, empty vectors and terms, variance 0.0.
    CHazardMM(CModelSystem* owner, const std::string& name);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Duration for a pattern: evaluates the terms from it and draws.
    double Predict(CPattern* pattern);

    // The draw: interval by the first uniform, position within it by the
    // second. Throws std::logic_error when the intervals cannot hold a draw
    // (fewer than two, or fewer starts or parameters than count - 1); a model
    // read or edited through the checks below never has such intervals.
    double Draw();

    // Takes the terms, variance, interval count, starts and parameters of
    // another hazard model.
    void CopyParameters(const CHazardMM& other);

    // A heterogeneity variance the model can draw with: finite and above 0.
    static bool IsValidVariance(float variance);
    // Intervals the draw can place a value in: a count of at least 2 and at
    // least count - 1 starts and parameters.
    static bool AreValidIntervals(int intervalCount, const std::vector<double>& starts,
                                  const std::vector<double>& parameters);
    // True when the variance and the intervals are valid. Only such a model
    // writes its element and text record: anything else would be refused when
    // read back.
    bool HasUsableParameters() const;
    // All parameters at once, as the editor hands them back: applied only when
    // both the variance and the intervals are valid, the two interval vectors
    // kept to their first count - 1 entries; otherwise a message naming the
    // model is posted, nothing changes and the answer is false.
    bool SetParameters(const Parameters& parameters);

    // n: the vectors below hold n - 1 entries.
    int m_nIntervalCount = 0;
    // Start of interval k + 1, ascending.
    std::vector<double> m_intervalStarts;
    // Baseline value of interval k + 1.
    std::vector<double> m_intervalParameters;
    CVariableSet m_terms;
    float m_fVariance = 0.0f;
};
