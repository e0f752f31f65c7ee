#pragma once
// Computed-variable definitions of the person: work or school flag, activity
// flags, escort roles and school zone.

#include "models/ComputedVariableDefinition.h"

class CHouseholdCoordinator;
class CPersonObject;

ComputedVariableRows PersonVariableRows();

// The escort role or time of a person as the household simulator reports it:
// slot 0 drops children off, 1 picks them up, 2 joint discretionary activity
// with children (each 1.0 / 0.0), 5 time after the drop-off, 6 time available
// after the pick-up. 0.0 without a simulator or a person, or for another slot.
double EscortSlotValue(CHouseholdCoordinator* simulator, const CPersonObject* person, int slot);
