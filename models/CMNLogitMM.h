#pragma once
// Multinomial logit over a small set of named alternatives: children's school
// modes, commute and tour modes, stop activity types. Each alternative has its
// own utility function; a choice is made in three calls: compute the values of
// every alternative's terms for the decision maker, close the alternatives not
// open to it, draw one of the open ones from the thread's random stream.
//
// The alternatives are fixed when the model is constructed from one of the
// model system's alternative-name tables; the draw walks them in ascending ID.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"

#include <map>
#include <string>
#include <vector>

class CMNLogitMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        int baseAlternative = 0;
        std::map<int, CVariableSet> utilities;
    };

    // One alternative per table entry, all open, each with empty terms; base
    // alternative 0.
    CMNLogitMM(CModelSystem* owner, const std::string& name, const std::map<int, std::string>* alternativeNames);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Evaluates the terms of every alternative (open or not), in ascending ID,
    // for the level object. Unlike the per-level entry points these leave the
    // model's evaluation context alone and do not check the person's pattern.
    void ComputeValues(CStop* stop);
    void ComputeValues(CTour* tour);
    void ComputeValues(CPattern* pattern);

    // Opens every alternative, then closes each listed one. An ID that is not
    // an alternative of the model is ignored.
    void SetUnavailable(const std::vector<int>& closedIds);

    // The chosen alternative ID. A single open alternative is returned without
    // a random number; otherwise one uniform U picks the first open alternative
    // (ascending ID) at which the running sum of probabilities reaches U. When
    // rounding or an overflowing utility leaves the sum below U, the last open
    // alternative is returned. -1, without a random number, when none is open.
    // An open alternative without a utility function has utility 0.
    int Draw();

    // The alternatives that have no utility function (ascending ID), as a
    // model file may leave them; open, they take part in draws with utility 0.
    std::vector<int> AlternativesWithoutUtility() const;
    // Reports those alternatives in one message naming the model; the loader
    // calls it once per loaded file. False when there was something to report.
    bool CheckUtilityFunctions() const;

    // Takes the utility functions and the base alternative of another
    // multinomial logit; names, availability and count stay.
    void CopyParameters(const CMNLogitMM& other);

    // Number of alternatives (the table's entries, or as read from the file).
    int m_nAlternatives = 0;
    // The alternative the estimation normalised; the draw does not use it.
    int m_nBaseAlternative = 0;
    // Alternative ID -> display name (for the editor).
    std::map<int, std::string> m_alternativeNames;
    // Alternative ID -> open to the current decision maker.
    std::map<int, bool> m_availability;
    // Alternative ID -> terms of its utility.
    std::map<int, CVariableSet> m_utilityFunctions;

private:
    // Utility of an open alternative (0 without a utility function).
    double UtilityOf(int id) const;

    // exp(V) of each open alternative during a draw, in ascending ID; reused.
    std::vector<double> m_expUtilities;
};
