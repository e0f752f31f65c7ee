#pragma once
// Computed-variable definitions of household composition (children, workers and non-workers) and home-zone attributes.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows HouseholdVariableRows();
