#include "schedules/TourBoundTables.h"

#include <array>

namespace tour_bound_tables {

namespace {

using schedule_bounds::BoundRow;
using schedule_bounds::FindBounds;
using schedule_bounds::kAny;
using schedule_bounds::kAnyTo;

// Position groups of a worker pattern.
constexpr int kBW = 2, kBWTo = 4;
constexpr int kWB = 5, kWBTo = 7;
constexpr int kAW = 8, kAWTo = 10;
// "2 or more".
constexpr int kTwo = 2;

// Stay before a worker's tour, percent of the slack: by position group,
// period tour count and stop count.
constexpr std::array<BoundRow, 12> kWorkerPreTour{{
    {1, kBW, kBWTo, 1, 1, 1, 1, {22.116, 91.0987}},
    {2, kBW, kBWTo, 1, 1, kTwo, kAnyTo, {26.8606, 84.3837}},
    {3, kBW, kBWTo, kTwo, kAnyTo, 1, 1, {8.817, 94.2421}},
    {4, kBW, kBWTo, kTwo, kAnyTo, kTwo, kAnyTo, {4.2453, 86.54}},
    {5, kWB, kWBTo, 1, 1, 1, 1, {3.5812, 72.9122}},
    {6, kWB, kWBTo, 1, 1, kTwo, kAnyTo, {0.8285, 67.2758}},
    {7, kWB, kWBTo, kTwo, kAnyTo, 1, 1, {6.0577, 79.4861}},
    {8, kWB, kWBTo, kTwo, kAnyTo, kTwo, kAnyTo, {1.4286, 73.47}},
    {9, kAW, kAWTo, 1, 1, 1, 1, {1.4642, 39.5286}},
    {10, kAW, kAWTo, 1, 1, kTwo, kAnyTo, {0.813, 36.5167}},
    {11, kAW, kAWTo, kTwo, kAnyTo, 1, 1, {0.6828, 37.6129}},
    {12, kAW, kAWTo, kTwo, kAnyTo, kTwo, kAnyTo, {0.5518, 30.7455}},
}};

// A worker tour's duration, percent of its window: by position group and stop
// count (any period tour count).
constexpr std::array<BoundRow, 5> kWorkerDuration{{
    {1, kBW, kBWTo, kAny, kAnyTo, kAny, kAnyTo, {1.35, 49.67}},
    {2, kWB, kWBTo, kAny, kAnyTo, 1, 1, {3.4, 26.47}},
    {3, kWB, kWBTo, kAny, kAnyTo, kTwo, kAnyTo, {6.24, 57.29}},
    {4, kAW, kAWTo, kAny, kAnyTo, 1, 1, {2.85, 37.5}},
    {5, kAW, kAWTo, kAny, kAnyTo, kTwo, kAnyTo, {6.66, 59.75}},
}};

// Home stay before a non-worker's tour, percent of the slack: by tour number,
// number of tours being added and stop count.
constexpr std::array<BoundRow, 24> kNonWorkerHomeStay{{
    {1, 1, 1, 1, 1, 1, 1, {12.5, 62.5521}},
    {2, 1, 1, 1, 1, 2, 2, {14.2361, 57.6667}},
    {3, 1, 1, 1, 1, 3, kAnyTo, {12.5, 52.0833}},
    {4, 1, 1, 2, 2, 1, 1, {13.1944, 45.8333}},
    {5, 1, 1, 2, 2, 2, 2, {14.5833, 45.8333}},
    {6, 1, 1, 2, 2, 3, kAnyTo, {14.5833, 44.6875}},
    {7, 1, 1, 3, 3, 1, 1, {12.5556, 41.5278}},
    {8, 1, 1, 3, 3, 2, 2, {12.9167, 43.2639}},
    {9, 1, 1, 3, 3, 3, kAnyTo, {13.4722, 39.8611}},
    {10, 1, 1, 4, 4, 1, 1, {11.4722, 29.1667}},
    {11, 1, 1, 4, 4, 2, 2, {12.9514, 35.4167}},
    {12, 1, 1, 4, 4, 3, kAnyTo, {16.3194, 32.3}},
    {13, 2, 2, 2, 2, 1, 1, {1.6327, 48.9099}},
    {14, 2, 2, 2, 2, 2, 2, {1.3761, 42.4233}},
    {15, 2, 2, 2, 2, 3, kAnyTo, {0.8612, 39.5542}},
    {16, 2, 2, 3, 3, 1, 1, {1.4872, 34.2204}},
    {17, 2, 2, 3, 3, 2, 2, {0.9728, 34.7459}},
    {18, 2, 2, 3, 3, 3, kAnyTo, {1.0071, 23.5896}},
    {19, 2, 2, 4, 4, 1, 1, {0.4495, 29.5963}},
    {20, 2, 2, 4, 4, 2, 2, {0.2939, 22.8457}},
    {21, 2, 2, 4, 4, 3, kAnyTo, {0.3515, 21.8808}},
    {22, 3, 3, 3, 3, kAny, kAnyTo, {1.2984, 44.3574}},
    {23, 3, 3, 4, 4, kAny, kAnyTo, {0.7021, 31.0227}},
    {24, 4, 4, kAny, kAnyTo, kAny, kAnyTo, {1.2269, 34.9137}},
}};

// Duration of a non-worker's first tour, in minutes: by the pattern's tour
// count and stop count.
constexpr std::array<BoundRow, 6> kNonWorkerFirstTourDuration{{
    {1, 1, 1, 1, 1, 1, 1, {20.0, 610.5}},
    {2, 1, 1, 1, 1, 2, 2, {24.4, 629.0}},
    {3, 1, 1, 1, 1, 3, kAnyTo, {85.0, 786.0}},
    {4, 1, 1, kTwo, kAnyTo, 1, 1, {13.0, 360.75}},
    {5, 1, 1, kTwo, kAnyTo, 2, 2, {43.75, 371.25}},
    {6, 1, 1, kTwo, kAnyTo, 3, kAnyTo, {66.2, 555.0}},
}};

// Duration of a non-worker's later tours, percent of the window: by tour
// number and stop count (any tour count).
constexpr std::array<BoundRow, 4> kNonWorkerTourDuration{{
    {1, 2, 2, kAny, kAnyTo, 1, 1, {1.71, 39.8}},
    {2, 2, 2, kAny, kAnyTo, 2, 2, {4.78, 54.65}},
    {3, 2, 2, kAny, kAnyTo, 3, kAnyTo, {11.99, 75.11}},
    {4, 3, kAnyTo, kAny, kAnyTo, kAny, kAnyTo, {2.35, 39.62}},
}};

}  // namespace

const PercentBounds* WorkerPreTourBounds(int position, int periodTourCount, int stops)
{
    return FindBounds(kWorkerPreTour, position, periodTourCount, stops);
}

const PercentBounds* WorkerTourDurationBounds(int position, int stops)
{
    return FindBounds(kWorkerDuration, position, 0, stops);
}

const PercentBounds* NonWorkerHomeStayBounds(int tourNumber, int tourCount, int stops)
{
    return FindBounds(kNonWorkerHomeStay, tourNumber, tourCount, stops);
}

const PercentBounds* NonWorkerFirstTourDurationMinutes(int tourCount, int stops)
{
    return FindBounds(kNonWorkerFirstTourDuration, 1, tourCount, stops);
}

const PercentBounds* NonWorkerTourDurationPercent(int tourNumber, int stops)
{
    return FindBounds(kNonWorkerTourDuration, tourNumber, 0, stops);
}

}  // namespace tour_bound_tables
