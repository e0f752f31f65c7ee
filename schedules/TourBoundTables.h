#pragma once
// The bounds of a tour's own times: the stay before a worker's tour (percent of
// the tour's slack) and a worker tour's duration (percent of its window), by
// the tour's group (positions 2-4 before work, 5-7 work-based, 8-10 after
// work), the pattern's tour count of that period and the tour's stop count;
// and the home stay before a non-worker's tour (percent of its slack) and that
// tour's duration (minutes for tour 1, percent of its window for later tours),
// by the tour's number, the number of tours and the stop count. Null when no
// row applies: the value then passes unbounded (floored). Commute positions 0
// and 1 belong to no group.

#include "schedules/ScheduleBounds.h"

namespace tour_bound_tables {

using schedule_bounds::PercentBounds;

const PercentBounds* WorkerPreTourBounds(int position, int periodTourCount, int stops);
const PercentBounds* WorkerTourDurationBounds(int position, int stops);
const PercentBounds* NonWorkerHomeStayBounds(int tourNumber, int tourCount, int stops);
// Tour 1: bounds in minutes on the duration itself.
const PercentBounds* NonWorkerFirstTourDurationMinutes(int tourCount, int stops);
// Tours 2 and later: bounds in percent of the window.
const PercentBounds* NonWorkerTourDurationPercent(int tourNumber, int stops);

}  // namespace tour_bound_tables
