// The bounds on a tour's own times (the stay before it and its duration) and
// the number of own tours a non-worker may still add.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"

namespace {

// A worker pattern whose tour in `slot` has the given stop count and slack,
// with `periodCount` tours counted in every period.
class WorkerTourBoundTest : public ::testing::Test {
protected:
    CWorkerTour& Tour(int slot, int periodCount, int stops, double slack)
    {
        pattern.SetBeforeWorkTourCount(periodCount);
        pattern.SetWorkBasedTourCount(periodCount);
        pattern.SetAfterWorkTourCount(periodCount);
        pattern.CreateCommuteTours();
        pattern.CreateBeforeWorkTours();
        pattern.CreateWorkBasedTours();
        pattern.CreateAfterWorkTours();
        auto& tour = static_cast<CWorkerTour&>(*pattern.GetTourAt(slot));
        tour.SetStopCount(stops);
        tour.SetSlack(slack);
        tour.SetWindowLength(slack);
        return tour;
    }
    CWPattern pattern{nullptr, nullptr};
};

TEST_F(WorkerTourBoundTest, StayBeforeATourIsBoundedByItsShareOfTheSlack)
{
    // Before work, one stop, alone in its period, slack 200: 22.116 .. 91.0987 %.
    CWorkerTour& alone = Tour(2, 1, 1, 200.0);
    EXPECT_EQ(alone.ClampPreTourTime(20.0), 44.0);   // 10 % -> floor(44.232)
    EXPECT_EQ(alone.ClampPreTourTime(190.0), 182.0); // 95 % -> floor(182.1974)
    EXPECT_EQ(alone.ClampPreTourTime(100.7), 100.0); // inside: the value itself, floored
    EXPECT_EQ(alone.ClampPreTourTime(std::numeric_limits<double>::quiet_NaN()), 44.0);

    // After work, two stops, two tours in the period, slack 300: at most 30.7455 %.
    EXPECT_EQ(Tour(9, 2, 2, 300.0).ClampPreTourTime(100.0), 92.0);
}

TEST_F(WorkerTourBoundTest, ZeroSlackCountsAsOneAndCommutesAreNeverBounded)
{
    // A percentage of 100 x v is bounded, then taken of a base of 1: 0.
    EXPECT_EQ(Tour(5, 1, 1, 0.0).ClampPreTourTime(30.0), 0.0);
    // The same for a negative slack, rather than a negative stay.
    EXPECT_EQ(Tour(5, 1, 1, -50.0).ClampPreTourTime(30.0), 0.0);
    EXPECT_EQ(Tour(0, 1, 1, 10.0).ClampPreTourTime(500.5), 500.0);
    EXPECT_EQ(Tour(1, 1, 1, 10.0).ClampTourDuration(500.5), 500.0);
    // A stop count below 1 selects no row.
    EXPECT_EQ(Tour(8, 1, 0, 100.0).ClampPreTourTime(90.0), 90.0);
}

TEST_F(WorkerTourBoundTest, DurationIsBoundedByItsShareOfTheWindow)
{
    EXPECT_EQ(Tour(3, 2, 4, 1000.0).ClampTourDuration(600.0), 496.0);  // before work: 49.67 %
    EXPECT_EQ(Tour(6, 2, 1, 1000.0).ClampTourDuration(10.0), 34.0);    // work-based, 1 stop: 3.4 %
    EXPECT_EQ(Tour(6, 2, 2, 1000.0).ClampTourDuration(10.0), 62.0);    // work-based, 2 stops: 6.24 %
    EXPECT_EQ(Tour(10, 3, 1, 1000.0).ClampTourDuration(400.0), 375.0); // after work, 1 stop: 37.5 %
}

TEST(NonWorkerTourBound, HomeStayRowsByTourNumberTourCountAndStops)
{
    CNWPattern pattern(nullptr, nullptr);
    CNWorkerTour tour(nullptr, &pattern);
    tour.SetPosition(1);
    tour.SetStopCount(1);
    tour.SetSlack(0.0);
    EXPECT_EQ(tour.ClampHomeStay(45.0, 1), 0.0);  // slack 0 works on a base of 1

    tour.SetSlack(400.0);
    EXPECT_EQ(tour.ClampHomeStay(10.0, 1), 50.0);   // 12.5 % of 400
    EXPECT_EQ(tour.ClampHomeStay(300.0, 4), 116.0); // tour 1 of 4: at most 29.1667 %
    tour.SetPosition(2);
    EXPECT_EQ(tour.ClampHomeStay(390.9, 1), 390.0); // tour 2 of 1: no row
    tour.SetStopCount(3);
    EXPECT_EQ(tour.ClampHomeStay(300.0, 3), 94.0);  // tour 2 of 3, 3 stops: 23.5896 %
    tour.SetPosition(4);
    EXPECT_EQ(tour.ClampHomeStay(1.0, 9), 4.0);     // tour 4: any count, 1.2269 %
    tour.SetPosition(5);
    EXPECT_EQ(tour.ClampHomeStay(1.0, 4), 1.0);     // no tour 5 rows
}

TEST(NonWorkerTourBound, FirstTourInMinutesLaterToursByShareOfTheWindow)
{
    CNWPattern pattern(nullptr, nullptr);
    pattern.AddTour(std::make_unique<CNWorkerTour>(nullptr, &pattern));
    auto& first = static_cast<CNWorkerTour&>(*pattern.GetNthTour(1));
    first.SetStopCount(2);
    EXPECT_EQ(first.ClampTourDuration(10.0), 24.0);
    EXPECT_EQ(first.ClampTourDuration(700.0), 629.0);
    EXPECT_EQ(first.ClampTourDuration(std::numeric_limits<double>::quiet_NaN()), 24.0);

    // With a second tour the first tour's count row changes.
    pattern.AddTour(std::make_unique<CNWorkerTour>(nullptr, &pattern));
    EXPECT_EQ(first.ClampTourDuration(700.0), 371.0);

    auto& second = static_cast<CNWorkerTour&>(*pattern.GetNthTour(2));
    second.SetStopCount(1);
    second.SetWindowLength(500.0);
    EXPECT_EQ(second.ClampTourDuration(400.0), 199.0);  // 39.8 % of 500
    second.SetPosition(7);
    EXPECT_EQ(second.ClampTourDuration(400.0), 198.0);  // later tours: 39.62 %
}

TEST(NonWorkerTourCount, NeverMoreThanFourToursInAll)
{
    // A draw of 5 with no tour present would ask for a fifth tour: four.
    EXPECT_EQ(CNWPattern::ToursToAdd(5, 0), 4);
    // 1 + 5 > 4 gives 5 - 1 = 4 by the literal rule, still one too many.
    EXPECT_EQ(CNWPattern::ToursToAdd(5, 1), 3);
    EXPECT_EQ(CNWPattern::ToursToAdd(3, 0), 3);
    EXPECT_EQ(CNWPattern::ToursToAdd(3, 2), 1);
    EXPECT_LE(CNWPattern::ToursToAdd(2, 3), 0);
    for (int present = 0; present <= 4; ++present)
        for (int drawn = 1; drawn <= 5; ++drawn)
            EXPECT_LE(present + CNWPattern::ToursToAdd(drawn, present), 4) << drawn << " with " << present;
}

}  // namespace
