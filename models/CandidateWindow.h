#pragma once
// Narrowing of a candidate list before a location choice: the destinations of
// an origin, sorted by a level-of-service value (travel time), are cut to a
// short symmetric run of neighbours around the first destination whose value
// exceeds the traveller's target, so that the location model is evaluated over
// a few plausible zones only. CLocationMM::SelectCandidateWindow forwards here.

#include <vector>

// Half-width of the window for a target: 5 up to 3.0, 10 up to 5.0, 25 above;
// 0 for a target that is not a number.
int CandidateWindowHalfWidth(float target);

// Fills selection with the zone IDs of the window: the scan visits positions
// 0, step, 2 x step, ... (step 2 for a half-width up to 10, else 5) and stops at
// the first visited position whose value is strictly above the target or at
// the last position; a scan that steps past the last position centres on the
// last position. The window holds the centre and e neighbours on each side,
// e = min(half-width, centre, n - 1 - centre), in list order. An empty list
// gives an empty selection. A position beyond the end of values counts as not
// above the target. The selection's storage is reused.
void SelectCandidateWindow(const std::vector<int>& zones, const std::vector<double>& values,
                           std::vector<int>& selection, float target);
