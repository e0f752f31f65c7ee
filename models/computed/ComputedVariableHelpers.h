#pragma once
// Shared readers for the computed-variable definitions. They carry the one rule
// every definition follows: an object the decision maker lacks (no household,
// person, pattern of the needed class, tour, stop, commute tour, discretionary
// tour, household simulator or input-data manager), a 1-based position outside
// what is held, or a column outside a row gives "nothing": a null pointer, a
// false test or 0.0, never a failure.
//
// The worker and non-worker pattern are taken by the pattern's real class, not
// by the person's flag 0: the flag is tested by the definitions that say so.

#include "models/CVariableEvaluator.h"

struct CCommuteLOSRecord;
class CHouseholdCoordinator;
class CWPattern;
class CNWPattern;

namespace ComputedVariableHelpers {

using Frame = CVariableEvaluator::Frame;

// 1.0 for true, 0.0 for false.
inline double Indicator(bool condition) { return condition ? 1.0 : 0.0; }

// --- Rows of the household and of persons ------------------------------
// Column k of the row; 0.0 without the object or outside its row.
double HouseholdColumn(const CHouseholdObject* household, int column);
double PersonColumn(const CPersonObject* person, int column);
// Person flag k (0 to 11); false without a person.
bool PersonFlag(const CPersonObject* person, int k);
// The frame's person has flag 0 set (goes to work or to school).
bool WorksOrStudies(const Frame& frame);
// Zones column `column` (1 and up) of a zone; 0.0 without a manager, for
// column 0 (the zone id) or below, and for a zone the table lacks.
double ZoneColumn(const CInputDataManager* manager, int column, int zone);
// Zones column of the household's home zone; 0.0 without a household.
double HomeZoneColumn(const Frame& frame, int column);

// --- Patterns, tours and stops -------------------------------------------
// The frame's pattern when it is a worker (or student) pattern / a non-worker
// pattern; null otherwise.
CWPattern* WorkerPattern(const Frame& frame);
CNWPattern* NonWorkerPattern(const Frame& frame);
// The worker pattern, when the person also has flag 0 set ("with flag 0 set:
// the worker pattern's ..."); null otherwise.
CWPattern* WorkerPatternOfWorker(const Frame& frame);
// A member's own pattern when it is a worker pattern; null otherwise.
CWPattern* MemberWorkerPattern(const CPersonObject* member);
// Tour in slot i (0-based) of a pattern; null without a pattern or outside it.
CTour* TourInSlot(const CPattern* pattern, int slot);
// Tour k (1-based) of a non-worker pattern; null for k outside 1 to the tours held.
CTour* NthTour(const CNWPattern* pattern, int k);
// Stop k (1-based) of a tour; null without a tour or outside the stops held.
CStop* StopNumber(const CTour* tour, int k);
// Number of stops before the closing return that are actually held: the
// tour's stop count - 1, bounded by the stops filled.
int FilledStopsBeforeReturn(const CTour* tour);
// The frame's tour is the candidate: false when there is no tour in hand,
// whatever the candidate.
bool IsTourInHand(const Frame& frame, const CTour* candidate);
// The tour in hand stands in one of slots first .. first + count - 1 of the
// worker pattern.
bool TourInHandInSlots(const Frame& frame, const CWPattern* pattern, int firstSlot, int count);
// The person's independent discretionary tour (a child's); null without one.
CTour* DiscretionaryTour(const Frame& frame);
// Activity counter: the stops of the person's day with the activity type,
// other than the stop in hand (by identity), looking only at the stops held
// before each tour's closing return. A person with flag 0 set: every tour of
// the worker pattern; anyone else: the non-worker pattern's tours 1 up to the
// position of the tour in hand (none without a tour in hand).
int CountOtherStopsOfDay(const Frame& frame, int activityType);

// --- Commute ---------------------------------------------------------------
// The person's commute level-of-service record; null without a person.
const CCommuteLOSRecord* CommuteRecord(const Frame& frame);

}  // namespace ComputedVariableHelpers
