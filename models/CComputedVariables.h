#pragma once
// The computed explanatory variables (variable IDs 30000 + index): values that
// are not a column of an input table but are derived from the household, the
// person, the person's simulated day and the level-of-service data. Evaluate
// is the one dispatch on the index that every evaluation of source 3 goes
// through.

#include "models/CVariableEvaluator.h"

class CComputedVariables {
public:
    // Highest index that can have a definition.
    static constexpr int kLastIndex = 920;

    // Writes computed variable `index` for the frame and returns true; an
    // index of 0 to 920 without a definition in the computed-variable table
    // answers 0.0. Any other index returns false with value untouched.
    static bool Evaluate(int index, const CVariableEvaluator::Frame& frame, double& value);
};
