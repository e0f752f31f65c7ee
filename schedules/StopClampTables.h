#pragma once
// The share bounds of a generated stop's activity duration (percent of its
// remaining window) and travel-time budget (percent of its time left). Worker
// stops are bounded by their tour's position in the worker pattern (0
// work-to-home, 1 home-to-work, 2-4 before work, 5-7 work-based, 8-10 after
// work) and, for work-based and after-work tours, by the pattern's tour count
// of that period; non-worker stops by their tour's number 1 to 4. Null when
// no row applies: the value then passes unclamped.

#include "schedules/ScheduleBounds.h"

namespace stop_clamp_tables {

using schedule_bounds::PercentBounds;

const PercentBounds* WorkerDurationBounds(int position, int periodTourCount, int stops);
const PercentBounds* WorkerTravelTimeBounds(int position, int periodTourCount, int stops);
const PercentBounds* NonWorkerDurationBounds(int tourNumber, int stops);
const PercentBounds* NonWorkerTravelTimeBounds(int tourNumber, int stops);

}  // namespace stop_clamp_tables
