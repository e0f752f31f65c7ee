// The bound helper of the schedule simulation and the stop bound tables:
// worked values of the stop clamps, the rounding of a clamp that does not
// bind, NaN and non-positive bases, and the rows the counts select.

#include "schedules/CStop.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/StopClampTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace schedule_bounds;
using namespace stop_clamp_tables;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ScheduleBounds, StopClampsFollowTheirWorkedValues) {
    const PercentBounds* tour1Stop1 = NonWorkerDurationBounds(1, 1);  // 0.09 .. 47.4
    ASSERT_NE(tour1Stop1, nullptr);
    // A window of 0 is a base of 1: 5 minutes are 500 percent, bound to 47.4
    // percent of 1 minute, floored to 0; the window does not exceed 10.
    EXPECT_EQ(ClampStopDuration(5.0, 0.0, tour1Stop1), 0.0);
    EXPECT_EQ(ClampStopDuration(5.0, -30.0, tour1Stop1), 0.0);
    // 0 becomes 1 once the window exceeds 10 minutes, not at 10.
    EXPECT_EQ(ClampStopDuration(0.0, 11.0, tour1Stop1), 1.0);
    EXPECT_EQ(ClampStopDuration(0.0, 10.0, tour1Stop1), 0.0);
    // A bound that binds gives floor(bound x base / 100).
    EXPECT_EQ(ClampStopDuration(600.0, 1000.0, tour1Stop1), 474.0);
    EXPECT_EQ(ClampStopTravelTime(50.0, 100.0, NonWorkerTravelTimeBounds(1, 1)), 9.0);  // 9.76 percent
    // A travel time is never below 2 minutes, bound or not.
    EXPECT_EQ(ClampStopTravelTime(0.0, 100.0, NonWorkerTravelTimeBounds(1, 1)), 2.0);
    EXPECT_EQ(ClampStopTravelTime(1.0, 100.0, nullptr), 2.0);
    EXPECT_EQ(ClampStopTravelTime(kNaN, 100.0, nullptr), 2.0);
}

TEST(ScheduleBounds, AClampThatDoesNotBindKeepsEveryWholeMinute) {
    // 5 of 19 minutes is 26.3 percent, inside 0.09 .. 47.4; the round trip
    // through the percentage gives 4.999..., which would floor to 4.
    EXPECT_EQ(ClampPercent(5.0, 19.0, NonWorkerDurationBounds(1, 1)), 5.0);
    EXPECT_EQ(ClampPercent(9.7, 21.0, NonWorkerDurationBounds(1, 1)), 9.0);
    // Without a row the value passes, floored.
    EXPECT_EQ(ClampPercent(900.6, 10.0, nullptr), 900.0);
}

TEST(ScheduleBounds, NotANumberTakesTheLowerBound) {
    const PercentBounds bounds{10.0, 20.0};
    EXPECT_EQ(ClampPercent(kNaN, 200.0, &bounds), 20.0);
    EXPECT_EQ(Clamp(kNaN, 180.0, 720.0), 180.0);
    EXPECT_EQ(Clamp(900.0, 180.0, 720.0), 720.0);
    EXPECT_EQ(AtLeast(kNaN, 2.0), 2.0);
    EXPECT_EQ(ExpMinutes(kNaN), 0.0);
    EXPECT_EQ(ExpMinutes(std::log(100.5)), 100.0);
    EXPECT_EQ(ExpMinutes(8.0), 1440.0);  // e^8 minutes is more than a day
    EXPECT_EQ(ShareOfTimeLeft(0.95, 100.0), 95.0);
    EXPECT_EQ(ShareOfTimeLeft(0.95, -40.0), 0.0);
    EXPECT_EQ(ShareOfTimeLeft(0.95, kNaN), 0.0);
}

TEST(ScheduleBounds, CountsSelectTheirRows) {
    // Work-based and after-work rows depend on the period's tour count; a
    // count below 1 selects none, and the value passes unclamped.
    EXPECT_EQ(WorkerDurationBounds(6, 0, 1), nullptr);
    EXPECT_EQ(WorkerDurationBounds(6, 1, 1)->high, 19.218);
    EXPECT_EQ(WorkerDurationBounds(6, 3, 2)->high, 32.8322);
    EXPECT_EQ(WorkerTravelTimeBounds(7, 4, 1)->high, 32.2034);
    EXPECT_EQ(WorkerTravelTimeBounds(10, 1, 3)->high, 2.7938);
    // Commute rows depend on the stop count only; before-work rows on nothing.
    EXPECT_EQ(WorkerDurationBounds(0, 0, 0), nullptr);
    EXPECT_EQ(WorkerDurationBounds(1, 0, 2)->high, 36.3233);
    EXPECT_EQ(WorkerDurationBounds(3, 0, 0)->high, 30.1769);
    EXPECT_EQ(WorkerTravelTimeBounds(11, 1, 1), nullptr);
    // Non-worker rows by tour number; tour 2's travel row also holds a stop
    // count below 1, its duration row does not.
    EXPECT_EQ(NonWorkerDurationBounds(1, 7)->high, 25.69);
    EXPECT_EQ(NonWorkerTravelTimeBounds(2, 0)->high, 6.84);
    EXPECT_EQ(NonWorkerDurationBounds(2, 0), nullptr);
    EXPECT_EQ(NonWorkerDurationBounds(4, 0)->high, 33.72);
    EXPECT_EQ(NonWorkerTravelTimeBounds(5, 1), nullptr);
}

TEST(ScheduleBounds, SearchToleranceChangesRuleAtItsBudgets) {
    EXPECT_EQ(CStop::SearchTolerance(24.0, 1), 18.0);
    EXPECT_EQ(CStop::SearchTolerance(25.0, 1), 19.0);
    for (const int type : {0, 2, 4}) {
        EXPECT_EQ(CStop::SearchTolerance(20.0, type), 12.0);
        EXPECT_EQ(CStop::SearchTolerance(21.0, type), 13.0);
    }
}

}  // namespace
