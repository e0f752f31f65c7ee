#pragma once
// Computed-variable definitions of the person: work or school flag, activity
// flags, escort roles and school zone.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows PersonVariableRows();
