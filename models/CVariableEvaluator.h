#pragma once
// The explanatory-variable evaluator: fills the values of a model's terms for
// one decision maker just before the model forms its utility. Each term names
// its variable by ID (source x 10000 + index): source 0 reads a household
// column, 1 a person column, 2 a zones column of the household's home zone,
// 3 a computed variable (CComputedVariables), 4 a zones column of the person's
// activity zone. An ID without a definition writes nothing, so its value keeps
// the 0.0 it got when the term list was last changed.

class CVariableSet;
class CInputDataManager;
class CHouseholdObject;
class CPersonObject;
class CPattern;
class CWPattern;
class CNWPattern;
class CTour;
class CStop;
class CModelSystem;

class CVariableEvaluator {
public:
    // What one evaluation sees: the level objects (any of person, pattern, tour
    // and stop may be null), the owning model system, the home zone read once
    // per call, and the given pattern taken as a worker pattern (when the
    // person's flag 0 is set) or as a non-worker pattern (otherwise). A pattern
    // of the other kind than the flag says leaves both pattern views null.
    struct Frame {
        CInputDataManager* manager = nullptr;
        CHouseholdObject* household = nullptr;
        CPersonObject* person = nullptr;
        CPattern* pattern = nullptr;
        CWPattern* workerPattern = nullptr;
        CNWPattern* nonWorkerPattern = nullptr;
        CTour* tour = nullptr;
        CStop* stop = nullptr;
        CModelSystem* owner = nullptr;
        int homeZone = 0;
    };

    // Sizes the value vector to the number of IDs (new elements 0.0, the others
    // kept) and writes the value of every term with a definition, in term order.
    static void ComputeValues(CVariableSet& terms, CInputDataManager* manager, CHouseholdObject* household,
                              CPersonObject* person, CPattern* pattern, CTour* tour, CStop* stop,
                              CModelSystem* owner);

    // The frame of one call, as ComputeValues builds it.
    static Frame MakeFrame(CInputDataManager* manager, CHouseholdObject* household, CPersonObject* person,
                           CPattern* pattern, CTour* tour, CStop* stop, CModelSystem* owner);

    // Value of one variable ID in a frame. False, with value untouched, when
    // the ID has no definition (source 5 and above, a negative ID, a computed
    // index without a definition). A household, person or zone column read
    // without the level object or manager it needs gives 0.0.
    static bool Evaluate(int variableId, const Frame& frame, double& value);
};
