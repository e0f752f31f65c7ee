#pragma once
// One row of the computed-variable table: the index of a computed variable
// (variable ID 30000 + index) and the function that gives its value for the
// decision maker of an evaluation frame. The definitions are grouped in files
// by theme under models/computed/; each group exports its rows as a span and
// the table (models/ComputedVariableTable.h) assembles them into one lookup.
//
// A definition never fails: when the frame lacks an object the variable needs
// (no person, no pattern of the right kind, no tour, no stop, no simulator,
// no current joint record) it answers 0.0. The shared readers that carry this
// rule are in models/computed/ComputedVariableHelpers.h; the services of other
// parts of the program (current household simulator, level-of-service and
// zone-to-zone queries) are reached through models/computed/ComputedVariableServices.h.

#include <span>

#include "models/CVariableEvaluator.h"

using ComputedVariableFunction = double (*)(const CVariableEvaluator::Frame&);

struct ComputedVariableDefinition {
    int index = -1;                          // computed-variable index, 0 .. 920
    ComputedVariableFunction compute = nullptr;
};

using ComputedVariableRows = std::span<const ComputedVariableDefinition>;

// First variable ID of the computed variables (index 0).
inline constexpr int kFirstComputedVariableId = 30000;

// A row written with the variable's ID (30000 + index), as the tables list them.
constexpr ComputedVariableDefinition ComputedVariableRow(int variableId, ComputedVariableFunction compute) {
    return ComputedVariableDefinition{variableId - kFirstComputedVariableId, compute};
}
