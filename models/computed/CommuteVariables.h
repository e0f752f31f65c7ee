#pragma once
// Computed-variable definitions of the person's commutes: level-of-service times and costs, modes, stops and times.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows CommuteVariableRows();
