#pragma once
// Joint choice of a worker's work start and end time. An alternative is a pair
// of work time windows (start window, end window not earlier), 528 in all
// (CWorkTimeWindows); its utility is a linear function of the time-of-day
// variables of the pair (CWorkTimeOfDayVariables), which include the commute
// level of service in the time bands of the two window midpoints. One uniform
// picks a pair by the cumulative probabilities in table order; two more place
// the start and the end uniformly inside their windows.

#include "models/CModelModule.h"
#include "models/CVariableSet.h"
#include "models/CWorkTimeOfDayVariables.h"
#include "models/CWorkTimeWindows.h"

#include <array>
#include <string>
#include <vector>

class CInputDataManager;

class CStartAndEndTimeMM : public CModelModule {
public:
    // What the editor changes.
    struct Parameters {
        CVariableSet terms;
    };

    // Auto cost (column 11) and auto time (column 5) of the commute in both
    // directions, by level-of-service band (the query times of CWorkTimeWindows).
    struct CommuteLevelOfService {
        std::array<double, CWorkTimeWindows::kBandCount> homeToWorkCost{};
        std::array<double, CWorkTimeWindows::kBandCount> homeToWorkTime{};
        std::array<double, CWorkTimeWindows::kBandCount> workToHomeCost{};
        std::array<double, CWorkTimeWindows::kBandCount> workToHomeTime{};
    };

    // Empty terms.
    CStartAndEndTimeMM(CModelSystem* owner, const std::string& name);

    void Edit() override;
    // Model-parameter file and text form (see CModelModule).
    std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const override;
    void WriteText(std::ostream& out) const override;
    std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const override;
    void WriteXml(std::ostream& out) const override;
    void ApplyParameters(const ParsedParameters& parsed) override;

    // Draws the work start and end time (minutes) of a worker: queries the
    // commute level of service between the household's home zone and the
    // person's work zone through the household's input-data manager, then
    // draws as DrawWithLevelOfService. True when a pair was chosen and both
    // outputs written; false leaves both as the caller set them. A person
    // without a household, or a household without a manager, throws
    // std::invalid_argument.
    bool Draw(CPersonObject* person, double& start, double& end);

    // The draw for given person attributes and level of service: exp(V) of
    // every pair, one uniform U, and the first pair in table order at which the
    // cumulative share of the total exceeds U; then one uniform for the start
    // and one for the end inside the chosen windows. When the total is zero or
    // not finite the utilities are taken relative to the largest one (pairs
    // with the largest utility +inf share the choice; a utility that is not a
    // number counts as no weight) and the same U is used; when the walk still
    // ends without a pair, the last pair with positive weight is taken. False,
    // with no further uniform drawn and nothing written, only when no pair has
    // any weight.
    bool DrawWithLevelOfService(const CWorkTimeOfDayVariables::PersonAttributes& person,
                                const CommuteLevelOfService& levelOfService, double& start, double& end);

    // The sixteen level-of-service values of the commute home -> work and
    // work -> home. A result without a value counts as 0.0.
    void QueryLevelOfService(CInputDataManager& manager, int homeZone, int workZone,
                             CommuteLevelOfService& levelOfService);

    // exp(V) of one pair for the person, after computing the term values.
    double Utility(double startMidpoint, double endMidpoint, CPersonObject* person, double startLowerBound,
                   double endLowerBound, double endBandCost, double endBandTime, double startBandCost,
                   double startBandTime);

    // Fills the term values of one pair for the pattern's person. A null
    // pattern, or a pattern without a person, throws std::invalid_argument.
    void ComputeValues(double startMidpoint, double endMidpoint, CPattern* pattern, double startLowerBound,
                       double endLowerBound, double endBandCost, double endBandTime, double startBandCost,
                       double startBandTime);

    // Takes the terms of another model of this class (the window tables are
    // fixed and shared).
    void CopyParameters(const CStartAndEndTimeMM& other);

    CVariableSet m_terms;
    // Weight of each pair in the last draw: exp(V), or the relative weight
    // when the plain weights could not be normalised.
    std::array<double, CWorkTimeWindows::kPairCount> m_pairWeights{};

private:
    static CWorkTimeOfDayVariables::Alternative MakeAlternative(double startMidpoint, double endMidpoint,
                                                                double startLowerBound, double endLowerBound,
                                                                double endBandCost, double endBandTime,
                                                                double startBandCost, double startBandTime);
    // Pair whose cumulative share of total first exceeds u; -1 when none does.
    int Walk(double total, double u) const;
    // Replaces the weights by exp(V - largest V); returns their total.
    double RescaleWeights();
    // Last pair with positive weight; -1 when none has any.
    int LastWeightedPair() const;

    // Utility V of each pair in the last draw.
    std::array<double, CWorkTimeWindows::kPairCount> m_pairUtilities{};
    // Reused query buffers.
    std::vector<int> m_destination;
    std::vector<double> m_queryValues;
    CommuteLevelOfService m_levelOfService;
};
