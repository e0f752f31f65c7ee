#pragma once
// The bounds and clamps of the schedule simulation, in one place. Every
// "below x take x" bound here also catches a value that is not a number (it
// takes the lower bound), so no NaN from a model draw reaches a schedule time.
//
// Percentage clamps bound a number of minutes by a share of a base (a window,
// a time left): with p = 100 x minutes / base, a p inside [low, high] leaves
// the minutes as they are (floored), a p outside takes floor(bound x base /
// 100). Computing the unbound case from the minutes themselves keeps the
// whole minute that the round trip through a percentage would lose. A base at
// or below 0 is taken as 1.
//
// Bound tables are rows of data, each carrying its ID, selected by a key (a
// tour position or number), a tour count and a stop count; FindBounds returns
// the first row that holds all three.

#include <climits>
#include <span>

namespace schedule_bounds {

struct PercentBounds {
    double low;
    double high;
};

// A row of a bound table. A range [from, to] of INT_MIN..INT_MAX holds any
// value, including a count below 1.
struct BoundRow {
    int id;
    int keyFrom, keyTo;
    int tourCountFrom, tourCountTo;
    int stopsFrom, stopsTo;
    PercentBounds bounds;
};

inline constexpr int kAny = INT_MIN;
inline constexpr int kAnyTo = INT_MAX;

// The bounds of the first row that holds the key and both counts; null when
// no row does.
const PercentBounds* FindBounds(std::span<const BoundRow> rows, int key, int tourCount, int stops);

// x, or lo when x is below lo or not a number.
double AtLeast(double x, double lo);
// x held within [lo, hi]; not a number takes lo.
double Clamp(double x, double lo, double hi);

// floor(e^y) as whole minutes: above the 1440 minutes of a day it is 1440, and
// a y that is not a number gives 0.
double ExpMinutes(double y);

// floor(share x time left), never below 0 (a negative or NaN time left gives 0).
double ShareOfTimeLeft(double share, double timeLeft);

// The percentage clamp described above; without bounds the minutes pass
// unclamped (floored).
double ClampPercent(double minutes, double base, const PercentBounds* bounds);

// A stop's activity duration bound by a share of its remaining window: the
// percentage clamp, except that 0 becomes 1 when the window exceeds 10 minutes.
double ClampStopDuration(double minutes, double remainingWindow, const PercentBounds* bounds);

// A stop's travel-time budget bound by a share of its time left: the
// percentage clamp, never below 2 minutes.
double ClampStopTravelTime(double minutes, double timeLeft, const PercentBounds* bounds);

}  // namespace schedule_bounds
