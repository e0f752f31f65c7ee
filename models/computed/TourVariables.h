#pragma once
// Computed-variable definitions of the pattern and the tour in hand.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows TourVariableRows();
