#pragma once
// The table of computed-variable definitions: every group of definitions
// (models/computed/) assembled into one lookup by index, built once on first
// use. The evaluator's dispatch on the index asks it for the definition of an
// index; an index without one is written as 0.0 by the caller.

#include <vector>

#include "models/ComputedVariableDefinition.h"

// Number of computed-variable indices (0 .. 920).
inline constexpr int kComputedVariableIndexCount = 921;

// The definition of computed variable `index`; null for an index outside
// 0 .. 920 or without a definition.
const ComputedVariableDefinition* FindComputedVariableDefinition(int index);

// The row groups the table is built from, in assembly order (for checks of
// the table's coverage).
std::vector<ComputedVariableRows> ComputedVariableGroups();
