#pragma once
// The explanatory-variable evaluator: fills the values of a model's terms for
// one decision maker just before the model forms its utility. Each term names
// its variable by ID (source x 10000 + index): source 0 reads a household
// column, 1 a person column, 2 a zones column of the household's home zone,
// 3 a computed variable (CComputedVariables), 4 a zones column of the person's
// activity zone. Every term gets a value on every evaluation: an ID without a
// definition (another source, a negative ID, a computed index no definition
// covers) is written as 0.0, so nothing is left over from an earlier decision
// maker.

class CVariableSet;
class CInputDataManager;
class CHouseholdObject;
class CPersonObject;
class CPattern;
class CTour;
class CStop;
class CModelSystem;

class CVariableEvaluator {
public:
    // What one evaluation sees: the level objects (any of person, pattern, tour
    // and stop may be null), the owning model system and the home zone read
    // once per call. The computed variables take the pattern as a worker or a
    // non-worker pattern by its real class, not by the person's flag 0, which
    // can disagree with it.
    struct Frame {
        CInputDataManager* manager = nullptr;
        CHouseholdObject* household = nullptr;
        CPersonObject* person = nullptr;
        CPattern* pattern = nullptr;
        CTour* tour = nullptr;
        CStop* stop = nullptr;
        CModelSystem* owner = nullptr;
        int homeZone = 0;
    };

    // Sizes the value vector to the number of IDs and writes the value of
    // every term, in term order.
    static void ComputeValues(CVariableSet& terms, CInputDataManager* manager, CHouseholdObject* household,
                              CPersonObject* person, CPattern* pattern, CTour* tour, CStop* stop,
                              CModelSystem* owner);

    // The frame of one call, as ComputeValues builds it.
    static Frame MakeFrame(CInputDataManager* manager, CHouseholdObject* household, CPersonObject* person,
                           CPattern* pattern, CTour* tour, CStop* stop, CModelSystem* owner);

    // Value of one variable ID in a frame: 0.0 for an ID without a definition
    // (source 5 and above, a negative ID, a computed index without a
    // definition) and for a household, person or zone column read without the
    // level object or manager it needs.
    static double Evaluate(int variableId, const Frame& frame);
};
