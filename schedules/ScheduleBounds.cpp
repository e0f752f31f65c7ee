#include "schedules/ScheduleBounds.h"

#include <cmath>

#include "schedules/ScheduleTime.h"

namespace schedule_bounds {

namespace {

bool InRange(int value, int from, int to) { return value >= from && value <= to; }

// The least travel time of a stop, in minutes.
constexpr double kMinimumTravelTime = 2.0;
// A remaining window longer than this never gives a stop a zero duration.
constexpr double kWindowForOneMinute = 10.0;

}  // namespace

const PercentBounds* FindBounds(std::span<const BoundRow> rows, int key, int tourCount, int stops) {
    for (const BoundRow& row : rows)
        if (InRange(key, row.keyFrom, row.keyTo) && InRange(tourCount, row.tourCountFrom, row.tourCountTo) &&
            InRange(stops, row.stopsFrom, row.stopsTo))
            return &row.bounds;
    return nullptr;
}

double AtLeast(double x, double lo) { return x >= lo ? x : lo; }

double Clamp(double x, double lo, double hi) {
    if (!(x >= lo)) return lo;
    return x > hi ? hi : x;
}

double ExpMinutes(double y) {
    if (std::isnan(y)) return 0.0;
    const double minutes = std::floor(std::exp(y));
    return minutes > schedule_time::kMinutesInDay ? schedule_time::kMinutesInDay : minutes;
}

double ShareOfTimeLeft(double share, double timeLeft) { return AtLeast(std::floor(share * timeLeft), 0.0); }

double ClampPercent(double minutes, double base, const PercentBounds* bounds) {
    if (bounds == nullptr) return std::floor(minutes);
    const double b = base > 0.0 ? base : 1.0;
    const double percent = 100.0 * minutes / b;
    if (!(percent >= bounds->low)) return std::floor(bounds->low * b / 100.0);
    if (percent > bounds->high) return std::floor(bounds->high * b / 100.0);
    return std::floor(minutes);
}

double ClampStopDuration(double minutes, double remainingWindow, const PercentBounds* bounds) {
    const double d = ClampPercent(minutes, remainingWindow, bounds);
    return d == 0.0 && remainingWindow > kWindowForOneMinute ? 1.0 : d;
}

double ClampStopTravelTime(double minutes, double timeLeft, const PercentBounds* bounds) {
    return AtLeast(ClampPercent(minutes, timeLeft, bounds), kMinimumTravelTime);
}

}  // namespace schedule_bounds
