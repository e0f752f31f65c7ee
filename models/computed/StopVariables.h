#pragma once
// Computed-variable definitions of the stop in hand, the activity counters of
// the person's day and a child's discretionary tour.

#include "models/ComputedVariableDefinition.h"

ComputedVariableRows StopVariableRows();

// Departure time of stop 1 of the person's discretionary tour (a child's
// independent discretionary tour); 0.0 without that tour or stop. Shared by
// every variable defined as that departure.
double DiscretionaryTourDeparture(const CVariableEvaluator::Frame& frame);
