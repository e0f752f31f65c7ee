// Stop chaining, closing stops, lazily computed durations and stop trimming
// of tours.

#include <gtest/gtest.h>

#include <memory>

#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerStop.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerStop.h"
#include "schedules/CWorkerTour.h"

namespace {

// A tour with the given stops already made (activity duration and travel time
// per stop), ready for chaining.
std::unique_ptr<CWorkerTour> TourWithStops(int count)
{
    auto tour = std::make_unique<CWorkerTour>(nullptr, nullptr);
    tour->SetStopCount(count);
    tour->CreateStops();
    return tour;
}

TEST(TourStopChaining, WindowsShrinkByWhatEachStopUses)
{
    auto tour = TourWithStops(3);
    tour->SetWindowLength(300.0);
    tour->SetStopWindow(1);
    tour->GetStopByNumber(1)->SetActivityDuration(40.0);
    tour->GetStopByNumber(1)->SetTravelTime(15.0);
    tour->SetStopWindow(2);
    tour->GetStopByNumber(2)->SetActivityDuration(25.5);
    tour->GetStopByNumber(2)->SetTravelTime(4.5);
    tour->SetStopWindow(3);

    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(1)->GetRemainingWindow(), 300.0);
    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(2)->GetRemainingWindow(), 245.0);
    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(3)->GetRemainingWindow(), 215.0);
}

TEST(TourStopChaining, DeparturesFollowFromTheWindowStartAndEachStop)
{
    auto tour = TourWithStops(2);
    tour->SetWindowStart(420.0);
    tour->SetPreTourTime(35.0);
    tour->SetStopDeparture(1);
    tour->GetStopByNumber(1)->SetActivityDuration(60.0);
    tour->GetStopByNumber(1)->SetTravelTime(12.0);
    tour->SetStopDeparture(2);

    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(1)->GetDepartureTime(), 455.0);
    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(2)->GetDepartureTime(), 527.0);
}

TEST(TourStopChaining, StopNumbersBeyondTheTourChangeNothing)
{
    auto tour = TourWithStops(1);
    tour->SetWindowLength(100.0);
    tour->SetStopWindow(0);
    tour->SetStopWindow(2);
    tour->SetStopDeparture(5);
    EXPECT_DOUBLE_EQ(tour->GetStopByNumber(1)->GetRemainingWindow(), -1.0);
    EXPECT_EQ(tour->GetStopByNumber(2), nullptr);
    EXPECT_EQ(tour->GetStopByNumber(0), nullptr);
}

TEST(TourDuration, TourWithoutStopsIsZeroAndStaysUnset)
{
    CNWorkerTour tour(nullptr, nullptr);
    EXPECT_DOUBLE_EQ(tour.GetDuration(), 0.0);
    EXPECT_DOUBLE_EQ(tour.GetDurationField(), -1.0);
}

TEST(TourDuration, DurationSetBeforeTheStopsIsKept)
{
    auto tour = TourWithStops(2);
    tour->SetDuration(95.0);
    tour->GetStopByNumber(1)->SetDepartureTime(500.0);
    tour->GetStopByNumber(2)->SetDepartureTime(700.0);
    tour->GetStopByNumber(2)->SetTravelTime(20.0);
    EXPECT_DOUBLE_EQ(tour->GetDuration(), 95.0);
}

TEST(TourDuration, ComputedFromFirstDepartureToLastArrivalAndStored)
{
    auto tour = TourWithStops(2);
    tour->GetStopByNumber(1)->SetDepartureTime(500.0);
    tour->GetStopByNumber(1)->SetTravelTime(10.0);
    tour->GetStopByNumber(2)->SetDepartureTime(650.0);
    tour->GetStopByNumber(2)->SetTravelTime(22.0);
    EXPECT_DOUBLE_EQ(tour->GetDuration(), 172.0);
    EXPECT_DOUBLE_EQ(tour->GetDurationField(), 172.0);

    // A later change of the stops does not move a stored duration.
    tour->GetStopByNumber(2)->SetTravelTime(80.0);
    EXPECT_DOUBLE_EQ(tour->GetDuration(), 172.0);
}

TEST(TourDuration, ZeroDurationIsAValueNotAMarker)
{
    auto tour = TourWithStops(1);
    tour->SetDuration(0.0);
    tour->GetStopByNumber(1)->SetDepartureTime(100.0);
    tour->GetStopByNumber(1)->SetTravelTime(30.0);
    EXPECT_DOUBLE_EQ(tour->GetDuration(), 0.0);
}

TEST(TourSlack, SlackIsWindowLessDuration)
{
    CWorkerTour tour(nullptr, nullptr);
    tour.SetWindowLength(400.0);
    tour.SetDuration(130.0);
    tour.SetSlackFromDuration();
    EXPECT_DOUBLE_EQ(tour.GetSlack(), 270.0);
}

// Both tour classes close a tour the same way; run the cases on each.
template <typename Tour>
class AppendStopTest : public ::testing::Test {};
using TourClasses = ::testing::Types<CWorkerTour, CNWorkerTour>;
TYPED_TEST_SUITE(AppendStopTest, TourClasses);

TYPED_TEST(AppendStopTest, RestOfTheDayCountsFromTheUnflooredArrival)
{
    TypeParam tour(nullptr, nullptr);
    tour.SetStopCount(0);
    tour.AppendStop(12, -1.0, 1000.4, 20.7, 57, 12, 3);
    ASSERT_EQ(tour.GetStops().size(), 1u);
    const CStop& stop = *tour.GetStopByNumber(1);
    EXPECT_DOUBLE_EQ(stop.GetActivityDuration(), 418.0);
    EXPECT_DOUBLE_EQ(stop.GetDepartureTime(), 1000.0);
    EXPECT_DOUBLE_EQ(stop.GetTravelTime(), 20.0);
    EXPECT_DOUBLE_EQ(stop.GetRemainingWindow(), 440.0);
    EXPECT_DOUBLE_EQ(stop.GetTimeLeft(), 22.0);
    EXPECT_EQ(stop.GetActivityType(), 12);
    EXPECT_EQ(stop.GetOriginZone(), 57);
    EXPECT_EQ(stop.GetZone(), 12);
    EXPECT_EQ(stop.GetOriginActivityType(), 3);
}

TYPED_TEST(AppendStopTest, RestOfTheDayOtherRounding)
{
    TypeParam tour(nullptr, nullptr);
    tour.SetStopCount(0);
    tour.AppendStop(12, -1.0, 1000.5, 20.25, 1, 2, 0);
    const CStop& stop = *tour.GetStopByNumber(1);
    EXPECT_DOUBLE_EQ(stop.GetActivityDuration(), 419.0);
    EXPECT_DOUBLE_EQ(stop.GetDepartureTime(), 1000.0);
    EXPECT_DOUBLE_EQ(stop.GetTravelTime(), 20.0);
    EXPECT_DOUBLE_EQ(stop.GetRemainingWindow(), 440.0);
    EXPECT_DOUBLE_EQ(stop.GetTimeLeft(), 21.0);
}

TYPED_TEST(AppendStopTest, ReturnHomeWithZeroDurationLeavesTheWholeWindow)
{
    TypeParam tour(nullptr, nullptr);
    tour.SetStopCount(0);
    tour.AppendStop(12, 0.0, 845.9, 17.3, 8, 3, 1);
    const CStop& stop = *tour.GetStopByNumber(1);
    EXPECT_DOUBLE_EQ(stop.GetActivityDuration(), 0.0);
    EXPECT_DOUBLE_EQ(stop.GetRemainingWindow(), 595.0);
    EXPECT_DOUBLE_EQ(stop.GetTimeLeft(), 595.0);
    EXPECT_DOUBLE_EQ(stop.GetTravelTime(), 17.0);
}

TYPED_TEST(AppendStopTest, ClosingStopFollowsTheStopsAndIsNumberedAfterThem)
{
    TypeParam tour(nullptr, nullptr);
    tour.SetStopCount(2);
    tour.CreateStops();
    tour.AppendStop(13, 0.0, 700.0, 9.0, 4, 5, 2);
    EXPECT_EQ(tour.GetStopCount(), 3);
    ASSERT_EQ(tour.GetStops().size(), 3u);
    EXPECT_EQ(tour.GetStopByNumber(3)->GetStopNumber(), 3);
    EXPECT_EQ(tour.GetStopByNumber(3)->GetActivityType(), 13);
    EXPECT_EQ(tour.GetStopByNumber(3)->GetTour(), &tour);
}

TYPED_TEST(AppendStopTest, TourWhoseStopCountWasNeverSetGetsStopOne)
{
    TypeParam tour(nullptr, nullptr);
    tour.AppendStop(10, 5.0, 480.0, 12.0, 1, 2, 18);
    EXPECT_EQ(tour.GetStopCount(), 1);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetStopNumber(), 1);
}

TEST(CreateStops, WorkerTourAppendsToStopsAlreadyHeld)
{
    CWorkerTour tour(nullptr, nullptr);
    tour.SetStopCount(2);
    tour.CreateStops();
    tour.GetStopByNumber(1)->SetZone(77);
    tour.CreateStops();
    ASSERT_EQ(tour.GetStops().size(), 4u);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetZone(), 77);
    EXPECT_EQ(tour.GetStopByNumber(3)->GetStopNumber(), 1);
    EXPECT_EQ(tour.GetStopByNumber(4)->GetStopNumber(), 2);
    EXPECT_NE(dynamic_cast<CWorkerStop*>(tour.GetStopByNumber(4)), nullptr);

    // Trimming removes the surplus from the end and keeps the first stops.
    tour.TrimStops();
    ASSERT_EQ(tour.GetStops().size(), 2u);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetZone(), 77);
    EXPECT_EQ(tour.GetStopByNumber(2)->GetStopNumber(), 2);
}

TEST(CreateStops, NonWorkerTourReplacesItsStops)
{
    CNWorkerTour tour(nullptr, nullptr);
    tour.SetStopCount(1);
    tour.CreateStops();
    tour.GetStopByNumber(1)->SetZone(77);
    tour.SetStopCount(3);
    tour.CreateStops();
    ASSERT_EQ(tour.GetStops().size(), 3u);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(tour.GetStopByNumber(k)->GetStopNumber(), k);
        EXPECT_EQ(tour.GetStopByNumber(k)->GetZone(), -1);
        EXPECT_NE(dynamic_cast<CNWorkerStop*>(tour.GetStopByNumber(k)), nullptr);
    }
}

TEST(CreateStops, StopCountZeroOrUnsetMakesNoStops)
{
    CNWorkerTour nonWorkerTour(nullptr, nullptr);
    nonWorkerTour.SetStopCount(0);
    nonWorkerTour.CreateStops();
    EXPECT_TRUE(nonWorkerTour.GetStops().empty());

    CWorkerTour workerTour(nullptr, nullptr);
    workerTour.CreateStops();  // stop count still -1
    EXPECT_TRUE(workerTour.GetStops().empty());
}

TEST(TrimStops, KeepsStopsUpToTheCount)
{
    CWorkerTour tour(nullptr, nullptr);
    tour.SetStopCount(3);
    tour.CreateStops();
    tour.TrimStops();
    EXPECT_EQ(tour.GetStops().size(), 3u);

    tour.SetStopCount(1);
    tour.TrimStops();
    ASSERT_EQ(tour.GetStops().size(), 1u);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetStopNumber(), 1);

    tour.SetStopCount(-1);
    tour.TrimStops();
    EXPECT_TRUE(tour.GetStops().empty());
}

TEST(TourSlots, ClampHomeStayOfAWorkerTourIsZero)
{
    CWorkerTour tour(nullptr, nullptr);
    tour.SetSlack(200.0);
    EXPECT_DOUBLE_EQ(tour.ClampHomeStay(90.0, 1), 0.0);
}

}  // namespace
