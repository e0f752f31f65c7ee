#pragma once
// Multinomial logit over a candidate list whose explanatory values differ by
// candidate: chooses a stop's or joint activity's zone, a vehicle's make (a
// row of the vehicle-make table), a vehicle's primary driver (a member position)
// or the vehicle of a joint tour. The caller lists the candidates and fills
// the variable matrix (one row per term, one entry per candidate); the model
// supplies the coefficients and draws one candidate with one uniform of its
// thread's stream.
//
// The draw never reads outside the list or the matrix and never chooses by a
// NaN: a missing or empty row adds nothing, a short row counts 0.0 for the
// candidates it lacks, a candidate whose utility is NaN cannot be chosen,
// candidates with utility +inf share the choice among themselves, and a list
// whose utilities are all -inf is drawn uniformly. An empty list gives -1,
// which the caller handles. One uniform is drawn in every case, so the draws
// that follow keep their place in the stream.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <string>
#include <utility>
#include <vector>

class CLocationMM : public CModelModule {
public:
    using Matrix = std::vector<std::vector<double>>;

    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
        float variance = 0.0f;
    };

    // Empty terms, variance 0.0.
    CLocationMM(CModelSystem* owner, const std::string& name);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // The chosen entry of the candidate list; -1 for an empty list. Utility of
    // candidate j = sum over terms k of coefficient k x values[k][j].
    int Draw(const std::vector<int>& candidates, const Matrix& values);
    // The same with every utility divided by the scale before exponentiation.
    // A scale of 0.0 is the limit of a vanishing scale: the candidates of the
    // largest utility share the choice.
    int DrawScaled(const std::vector<int>& candidates, const Matrix& values, double scale);

    // The choice probabilities the draws walk, one per candidate, in list order
    // (empty for an empty list). A scale of 1.0 is the unscaled draw. The
    // vector is the model's scratch: valid until the model's next draw.
    const std::vector<double>& ComputeProbabilities(const std::vector<int>& candidates, const Matrix& values,
                                                    double scale);

    // Appends 0 to n-1, n being the number of vehicle-make rows stored under
    // the key type x 10 + group in the owner's input-data manager; returns n.
    // Nothing is appended for a key without rows or without a manager.
    int ListCandidateIndices(int type, int group, std::vector<int>& indices) const;

    // The candidate window of the stop-location choices: the destinations of
    // an origin, sorted by an ascending level-of-service value (travel time),
    // narrowed to a short symmetric run around the first zone whose value
    // exceeds the traveller's target, so that the model is evaluated over a few
    // plausible zones only. The scan visits positions 0, step, 2 x step, ...
    // (step 2 for a half-width up to 10, else 5) and stops at the first visited
    // position whose value is strictly above the target or at the last
    // position; a scan that steps past the last position centres on the last
    // position. The selection holds the centre and e neighbours on each side,
    // e = min(half-width, centre, n - 1 - centre), in list order. An empty list
    // gives an empty selection; a position beyond the end of values counts as
    // not above the target. It does not read the model.
    static void SelectCandidateWindow(const std::vector<int>& zones, const std::vector<double>& values,
                                      std::vector<int>& selection, float target);
    // The same window over (value, zone) pairs sorted by value.
    static void SelectCandidateWindow(const std::vector<std::pair<double, int>>& sorted, std::vector<int>& selection,
                                      float target);
    // Half-width of the window for a target: 5 up to 3.0, 10 up to 5.0, 25
    // above; 0 for a target that is not a number.
    static int CandidateWindowHalfWidth(float target);

    // Takes the terms and variance of another location model (the same model
    // of model system 0).
    void CopyParameters(const CLocationMM& other);

    // Read by the editor and the model files only; no draw uses it.
    float m_fVariance = 0.0f;
    CVariableSet m_terms;

private:
    int DrawWith(const std::vector<int>& candidates, const Matrix& values, double scale);

    // Scratch of the draws, reused from draw to draw.
    std::vector<double> m_utilities;
    std::vector<double> m_probabilities;
};
