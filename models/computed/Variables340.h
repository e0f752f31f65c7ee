#pragma once
// Computed variables of indices 340 to 920 (IDs 30340-30920), in four groups:
// - household composition, income, the person and the person's activity
//   participation and single-activity durations;
// - the household's joint activities, and the time a person has around escort
//   and joint activities;
// - work and school times of the person and of the parents, the tours and
//   stops of the person's day and a child's discretionary tour;
// - the commute level-of-service record and zone-to-zone and level-of-service
//   values of the home and activity zones.
//
// Each group exports its rows (index and definition) for the table of computed
// variables. The few definitions that reach the household simulator or the
// level-of-service tables are also offered with that service as an argument,
// so that they can be checked with hand-built services.

#include "models/ComputedVariableDefinition.h"

class CHouseholdCoordinator;
class CInputDataManager;

ComputedVariableRows HouseholdPersonVariable340Rows();
ComputedVariableRows JointActivityVariable340Rows();
ComputedVariableRows ScheduleVariable340Rows();
ComputedVariableRows CommuteZoneVariable340Rows();

namespace Variables340 {

using Frame = CVariableEvaluator::Frame;

// Value of one level-of-service column at a time of day from origin to destination.
using LevelOfServiceLookup = double (*)(CInputDataManager* manager, int column, double time, int origin,
                                        int destination);

// 30359: for a person going to work or school, the time between the work end
// and leaving home for the person's last joint activity (its start, less the
// trip from home when the person travels with the others), or the time up to
// the end of the day when the person takes part in none; 0.0 for anyone else.
double TimeFromWorkEndToJointActivity(const Frame& frame, LevelOfServiceLookup levelOfService);

// 30700: mean auto distance (level-of-service column 4 at 9:00) from the home
// zone to the activity zones of the employed members; 0.0 without any.
double MeanWorkDistance(const Frame& frame, LevelOfServiceLookup levelOfService);

// 30730: time available before the tour: from the window start of the
// non-worker's first tour (for a person who drops a child off at school) to
// the time after the drop-off (simulator slot 5, for a person who picks a
// child up) or to the start of the person's first joint activity.
double AvailableTimeBeforeTour(const Frame& frame, CHouseholdCoordinator* simulator);

// 30731: time available after the tour: after the pick-up (simulator slot 6) or
// after the person's first joint activity ends.
double AvailableTimeAfterTour(const Frame& frame, CHouseholdCoordinator* simulator);

}  // namespace Variables340
