#pragma once
// Computed-variable definitions of work and school times of the person and of the parents.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows WorkSchoolVariableRows();
