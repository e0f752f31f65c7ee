#include "schedules/StopClampTables.h"

#include <array>

namespace stop_clamp_tables {

namespace {

using schedule_bounds::BoundRow;
using schedule_bounds::FindBounds;
constexpr int A = schedule_bounds::kAny;
constexpr int Z = schedule_bounds::kAnyTo;

// Rows: id, tour position (or number) from-to, tour count from-to, stop count
// from-to, low and high percent. A count below 1 matches only rows of any count.
constexpr std::array<BoundRow, 13> kWorkerDuration = {{
    {101, 0, 0, A, Z, 1, 1, {0.1773, 39.154}},
    {102, 0, 0, A, Z, 2, Z, {0.303, 27.4315}},
    {103, 1, 1, A, Z, 1, 1, {0.3175, 33.33}},
    {104, 1, 1, A, Z, 2, Z, {0.3303, 36.3233}},
    {105, 2, 4, A, Z, A, Z, {0.1767, 30.1769}},
    {106, 5, 7, 1, 1, 1, 1, {0.546, 19.218}},
    {107, 5, 7, 1, 1, 2, Z, {0.2232, 15.4833}},
    {108, 5, 7, 2, Z, 1, 1, {0.7853, 50.0}},
    {109, 5, 7, 2, Z, 2, Z, {0.345, 32.8322}},
    {110, 8, 10, 1, 1, 1, 1, {0.1389, 18.75}},
    {111, 8, 10, 1, 1, 2, Z, {0.0879, 12.6187}},
    {112, 8, 10, 2, Z, 1, 1, {0.1691, 34.8276}},
    {113, 8, 10, 2, Z, 2, Z, {0.174, 25.8551}},
}};

constexpr std::array<BoundRow, 11> kWorkerTravelTime = {{
    {201, 0, 0, A, Z, 1, 1, {0.7586, 19.5531}},
    {202, 0, 0, A, Z, 2, Z, {0.4202, 12.0945}},
    {203, 1, 1, A, Z, 1, 1, {0.7724, 20.0}},
    {204, 1, 1, A, Z, 2, Z, {0.469, 16.8655}},
    {205, 2, 4, A, Z, A, Z, {0.492, 9.5238}},
    {206, 5, 7, 1, Z, 1, 1, {0.6329, 32.2034}},
    {207, 5, 7, 1, Z, 2, Z, {0.3605, 21.141}},
    {208, 8, 10, 1, 1, 1, 1, {0.2088, 3.2071}},
    {209, 8, 10, 1, 1, 2, Z, {0.2094, 2.7938}},
    {210, 8, 10, 2, Z, 1, 1, {0.3729, 6.05629}},
    {211, 8, 10, 2, Z, 2, Z, {0.325, 9.5465}},
}};

constexpr std::array<BoundRow, 10> kNonWorkerDuration = {{
    {301, 1, 1, A, Z, 1, 1, {0.09, 47.4}},
    {302, 1, 1, A, Z, 2, 2, {0.14, 36.04}},
    {303, 1, 1, A, Z, 3, 3, {0.15, 29.53}},
    {304, 1, 1, A, Z, 4, Z, {0.21, 25.69}},
    {305, 2, 2, A, Z, 1, 1, {0.11, 37.33}},
    {306, 2, 2, A, Z, 2, 2, {0.22, 27.56}},
    {307, 2, 2, A, Z, 3, 3, {0.15, 21.87}},
    {308, 2, 2, A, Z, 4, Z, {0.15, 17.59}},
    {309, 3, 3, A, Z, A, Z, {0.17, 30.83}},
    {310, 4, 4, A, Z, A, Z, {0.15, 33.72}},
}};

constexpr std::array<BoundRow, 11> kNonWorkerTravelTime = {{
    {401, 1, 1, A, Z, 1, 1, {0.35, 9.76}},
    {402, 1, 1, A, Z, 2, 2, {0.31, 9.85}},
    {403, 1, 1, A, Z, 3, 3, {0.28, 9.3}},
    {404, 1, 1, A, Z, 4, Z, {0.23, 8.76}},
    {405, 2, 2, A, Z, 1, 1, {0.38, 6.84}},
    {406, 2, 2, A, Z, 2, 2, {0.37, 6.32}},
    {407, 2, 2, A, Z, 3, 3, {0.29, 6.84}},
    {408, 2, 2, A, Z, 4, Z, {0.29, 6.84}},
    // Tour 2 also bounds a stop count below 1.
    {409, 2, 2, A, Z, A, 0, {0.29, 6.84}},
    {410, 3, 3, A, Z, A, Z, {0.36, 6.65}},
    {411, 4, 4, A, Z, A, Z, {0.44, 8.54}},
}};

}  // namespace

const PercentBounds* WorkerDurationBounds(int position, int periodTourCount, int stops) {
    return FindBounds(kWorkerDuration, position, periodTourCount, stops);
}

const PercentBounds* WorkerTravelTimeBounds(int position, int periodTourCount, int stops) {
    return FindBounds(kWorkerTravelTime, position, periodTourCount, stops);
}

const PercentBounds* NonWorkerDurationBounds(int tourNumber, int stops) {
    return FindBounds(kNonWorkerDuration, tourNumber, 0, stops);
}

const PercentBounds* NonWorkerTravelTimeBounds(int tourNumber, int stops) {
    return FindBounds(kNonWorkerTravelTime, tourNumber, 0, stops);
}

}  // namespace stop_clamp_tables
