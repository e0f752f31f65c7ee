#pragma once
// The computed explanatory variables (variable IDs 30000 + index): values that
// are not a column of an input table but are derived from the household, the
// person, the person's simulated day and the level-of-service data. Evaluate
// is the one dispatch on the index that every evaluation of source 3 goes
// through.

#include "models/CVariableEvaluator.h"

class CComputedVariables {
public:
    // Value of computed variable `index` for the frame; 0.0 for an index
    // without a definition (inside or outside 0 to 920).
    static double Evaluate(int index, const CVariableEvaluator::Frame& frame);
};
