// Worker and non-worker patterns: tour slots, commutes, numbering, sorting and
// the back-links from stop to tour to pattern to person.

#include <gtest/gtest.h>

#include <memory>

#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"

namespace {

// The pattern classes only keep these pointers; they never follow them, so
// distinct addresses stand in for a real person and a real data manager.
struct Handles {
    int person = 0;
    int manager = 0;
    CPersonObject* Person() { return reinterpret_cast<CPersonObject*>(&person); }
    CInputDataManager* Manager() { return reinterpret_cast<CInputDataManager*>(&manager); }
};

class WorkerPatternTest : public ::testing::Test {
protected:
    Handles handles;
    CWPattern pattern{handles.Manager(), handles.Person()};
};

TEST_F(WorkerPatternTest, NewPatternHasElevenEmptySlotsAndOnlyTheCommutesCounted)
{
    ASSERT_EQ(pattern.GetTours().size(), 11u);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(pattern.GetTourAt(i), nullptr) << "slot " << i;
    EXPECT_EQ(pattern.GetTourCount(), 2);
    EXPECT_EQ(pattern.GetPerson(), handles.Person());
    EXPECT_FALSE(pattern.GetAfterWorkToursPresent());
    EXPECT_FALSE(pattern.GetChildIndependentActivity());
}

TEST_F(WorkerPatternTest, CommuteToursFillSlotsZeroAndOneWithBackLinks)
{
    pattern.CreateCommuteTours();
    for (int slot : {0, 1}) {
        CTour* tour = pattern.GetTourAt(slot);
        ASSERT_NE(tour, nullptr);
        EXPECT_NE(dynamic_cast<CWorkerTour*>(tour), nullptr);
        EXPECT_EQ(tour->GetPosition(), slot);
        EXPECT_EQ(tour->GetPattern(), &pattern);
        EXPECT_EQ(tour->GetDataManager(), handles.Manager());
    }
    EXPECT_EQ(pattern.GetTourByNumber(1), pattern.GetTourAt(0));
    EXPECT_EQ(pattern.GetTourCount(), 2);
}

TEST_F(WorkerPatternTest, BackLinksReachThePersonFromAStop)
{
    pattern.CreateCommuteTours();
    pattern.SetHomeToWorkStopCount(2);
    pattern.CreateHomeToWorkStops();
    const CStop* stop = pattern.GetTourAt(1)->GetStopByNumber(2);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->GetStopNumber(), 2);
    EXPECT_EQ(stop->GetDataManager(), handles.Manager());
    ASSERT_EQ(stop->GetTour(), pattern.GetTourAt(1));
    ASSERT_EQ(stop->GetTour()->GetPattern(), &pattern);
    EXPECT_EQ(stop->GetTour()->GetPattern()->GetPerson(), handles.Person());
}

TEST_F(WorkerPatternTest, PeriodToursGoToTheirSlots)
{
    pattern.CreateCommuteTours();
    pattern.SetBeforeWorkTourCount(2);
    pattern.SetWorkBasedTourCount(1);
    pattern.SetAfterWorkTourCount(3);
    pattern.CreateBeforeWorkTours();
    pattern.CreateWorkBasedTours();
    pattern.CreateAfterWorkTours();

    for (int slot : {2, 3, 5, 8, 9, 10}) {
        ASSERT_NE(pattern.GetTourAt(slot), nullptr) << "slot " << slot;
        EXPECT_EQ(pattern.GetTourAt(slot)->GetPosition(), slot);
        EXPECT_EQ(pattern.GetTourAt(slot)->GetPattern(), &pattern);
    }
    for (int slot : {4, 6, 7})
        EXPECT_EQ(pattern.GetTourAt(slot), nullptr) << "slot " << slot;
    EXPECT_EQ(pattern.GetTourCount(), 2 + 1 + 3 + 2);
}

TEST_F(WorkerPatternTest, CountAboveThreeFillsOnlyThePeriodsSlots)
{
    pattern.CreateCommuteTours();
    pattern.SetBeforeWorkTourCount(5);
    pattern.CreateBeforeWorkTours();
    for (int slot : {2, 3, 4})
        EXPECT_NE(pattern.GetTourAt(slot), nullptr);
    // The work-based slots stay untouched and the vector keeps its size.
    EXPECT_EQ(pattern.GetTourAt(5), nullptr);
    EXPECT_EQ(pattern.GetTourAt(6), nullptr);
    EXPECT_EQ(pattern.GetTours().size(), 11u);

    pattern.SetAfterWorkTourCount(4);
    pattern.CreateAfterWorkTours();
    EXPECT_EQ(pattern.GetTours().size(), 11u);
    EXPECT_NE(pattern.GetTourAt(10), nullptr);
}

TEST_F(WorkerPatternTest, AddedAfterWorkToursFillTheSlotsInTurn)
{
    for (int expectedSlot : {8, 9, 10}) {
        auto tour = std::make_unique<CWorkerTour>(handles.Manager(), &pattern);
        CTour* added = tour.get();
        pattern.AddAfterWorkTour(std::move(tour));
        EXPECT_EQ(pattern.GetTourAt(expectedSlot), added);
        EXPECT_EQ(added->GetPosition(), expectedSlot);
        EXPECT_EQ(pattern.GetAfterWorkTourCount(), expectedSlot - 7);
    }
}

TEST_F(WorkerPatternTest, FourthAfterWorkTourReplacesTheFirstAndResetsTheCount)
{
    for (int i = 0; i < 3; ++i)
        pattern.AddAfterWorkTour(std::make_unique<CWorkerTour>(handles.Manager(), &pattern));
    CTour* second = pattern.GetTourAt(9);
    CTour* third = pattern.GetTourAt(10);

    auto fourth = std::make_unique<CWorkerTour>(handles.Manager(), &pattern);
    CTour* added = fourth.get();
    pattern.AddAfterWorkTour(std::move(fourth));

    EXPECT_EQ(pattern.GetTourAt(8), added);
    EXPECT_EQ(added->GetPosition(), 8);
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 1);
    EXPECT_EQ(pattern.GetTourAt(9), second);
    EXPECT_EQ(pattern.GetTourAt(10), third);
}

TEST_F(WorkerPatternTest, NullAfterWorkTourChangesNothing)
{
    pattern.AddAfterWorkTour(nullptr);
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 0);
    EXPECT_EQ(pattern.GetTourAt(8), nullptr);
}

TEST_F(WorkerPatternTest, CommuteAccessorsAddressTourZeroAndTourOne)
{
    pattern.CreateCommuteTours();
    pattern.SetWorkToHomeTourMode(3);
    pattern.SetHomeToWorkTourMode(7);
    pattern.SetWorkToHomeStopCount(2);
    pattern.SetHomeToWorkStopCount(1);
    pattern.SetWorkToHomeDuration(41.0);
    pattern.SetHomeToWorkDuration(27.0);

    EXPECT_EQ(pattern.GetTourAt(0)->GetMode(), 3);
    EXPECT_EQ(pattern.GetTourAt(1)->GetMode(), 7);
    EXPECT_EQ(pattern.GetWorkToHomeTourMode(), 3);
    EXPECT_EQ(pattern.GetHomeToWorkTourMode(), 7);
    EXPECT_EQ(pattern.GetTourAt(0)->GetStopCount(), 2);
    EXPECT_EQ(pattern.GetHomeToWorkStopCount(), 1);
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(0)->GetDurationField(), 41.0);
    EXPECT_DOUBLE_EQ(pattern.GetHomeToWorkDuration(), 27.0);

    pattern.SetWorkStart(487.5);
    pattern.SetWorkDuration(480.0);
    EXPECT_DOUBLE_EQ(pattern.GetArrivalHomeAfterWork(), 487.5 + 480.0 + 41.0);
    EXPECT_DOUBLE_EQ(pattern.GetLeaveHomeForWork(), 460.5);
}

TEST_F(WorkerPatternTest, CommuteDurationIsComputedFromItsStopsWhenNotSet)
{
    pattern.CreateCommuteTours();
    pattern.SetHomeToWorkStopCount(1);
    pattern.CreateHomeToWorkStops();
    CTour* commute = pattern.GetTourAt(1);
    commute->GetStopByNumber(1)->SetDepartureTime(430.0);
    commute->GetStopByNumber(1)->SetTravelTime(25.0);
    commute->AppendStop(13, 0.0, 470.0, 8.0, 4, 9, 0);
    EXPECT_DOUBLE_EQ(pattern.GetHomeToWorkDuration(), 48.0);
    pattern.SetWorkStart(480.0);
    EXPECT_DOUBLE_EQ(pattern.GetLeaveHomeForWork(), 432.0);
}

TEST_F(WorkerPatternTest, WorkToHomeStopDeparturesStartAtTheWorkEnd)
{
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(480.0);
    pattern.SetWorkDuration(510.0);
    pattern.SetWorkToHomeStopCount(2);
    pattern.CreateWorkToHomeStops();
    CTour* commute = pattern.GetTourAt(0);
    pattern.SetWorkToHomeStopDeparture(1);
    commute->GetStopByNumber(1)->SetActivityDuration(30.0);
    commute->GetStopByNumber(1)->SetTravelTime(14.0);
    pattern.SetWorkToHomeStopDeparture(2);
    EXPECT_DOUBLE_EQ(commute->GetStopByNumber(1)->GetDepartureTime(), 990.0);
    EXPECT_DOUBLE_EQ(commute->GetStopByNumber(2)->GetDepartureTime(), 1034.0);
    // A stop the commute does not hold is left alone.
    pattern.SetWorkToHomeStopDeparture(3);
    EXPECT_EQ(commute->GetStopByNumber(3), nullptr);
}

TEST_F(WorkerPatternTest, MissingCommutesReadAsUnsetToursInsteadOfFailing)
{
    pattern.SetWorkStart(500.0);
    pattern.SetWorkDuration(400.0);
    pattern.SetWorkToHomeTourMode(0);
    pattern.SetHomeToWorkStopCount(3);
    pattern.CreateWorkToHomeStops();
    pattern.SetWorkToHomeStopDeparture(1);
    EXPECT_EQ(pattern.GetWorkToHomeTourMode(), -1);
    EXPECT_EQ(pattern.GetHomeToWorkStopCount(), -1);
    EXPECT_DOUBLE_EQ(pattern.GetWorkToHomeDuration(), 0.0);
    EXPECT_DOUBLE_EQ(pattern.GetArrivalHomeAfterWork(), 900.0);
    EXPECT_DOUBLE_EQ(pattern.GetLeaveHomeForWork(), 500.0);
}

TEST_F(WorkerPatternTest, IndexesOutsideTheSlotsGiveNoTour)
{
    pattern.CreateCommuteTours();
    EXPECT_EQ(pattern.GetTourAt(-1), nullptr);
    EXPECT_EQ(pattern.GetTourAt(11), nullptr);
    EXPECT_EQ(pattern.GetTourByNumber(0), nullptr);
    EXPECT_EQ(pattern.GetTourByNumber(12), nullptr);
    EXPECT_EQ(pattern.GetTourByNumber(2), pattern.GetTourAt(1));
}

TEST_F(WorkerPatternTest, WorkerSlotsThatDoNothingLeaveTheToursInPlace)
{
    pattern.CreateCommuteTours();
    CTour* first = pattern.GetTourAt(0);
    pattern.GetTourAt(0)->SetWindowStart(900.0);
    pattern.GetTourAt(1)->SetWindowStart(100.0);
    pattern.SortToursByDeparture();
    pattern.OnPatternDone();
    pattern.AddJointActivityTours(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(pattern.GetTourAt(0), first);
    EXPECT_EQ(pattern.GetTourAt(0)->GetPosition(), 0);
}

class NonWorkerPatternTest : public ::testing::Test {
protected:
    // A tour of the pattern whose stops already have their times.
    std::unique_ptr<CNWorkerTour> NewTour(double preTourTime, double duration)
    {
        auto tour = std::make_unique<CNWorkerTour>(handles.Manager(), &pattern);
        tour->SetPreTourTime(preTourTime);
        tour->SetDuration(duration);
        return tour;
    }

    Handles handles;
    CNWPattern pattern{handles.Manager(), handles.Person()};
};

TEST_F(NonWorkerPatternTest, NewPatternHoldsNoTourAndNoPeriodCounts)
{
    EXPECT_TRUE(pattern.GetTours().empty());
    EXPECT_EQ(pattern.GetTourCount(), 0);
    EXPECT_EQ(pattern.GetBeforeWorkTourCount(), 0);
    EXPECT_EQ(pattern.GetWorkBasedTourCount(), 0);
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 0);
    EXPECT_EQ(pattern.GetToursBeforeSimulation(), 0);
    EXPECT_EQ(pattern.GetNthTour(1), nullptr);
}

TEST_F(NonWorkerPatternTest, AddedToursAreNumberedAndTheirWindowsChain)
{
    pattern.AddTour(NewTour(100.0, 120.0));
    pattern.AddTour(NewTour(30.0, 45.0));
    pattern.AddTour(NewTour(10.0, 60.0));

    ASSERT_EQ(pattern.GetTourCount(), 3);
    for (int k = 1; k <= 3; ++k) {
        ASSERT_NE(pattern.GetNthTour(k), nullptr);
        EXPECT_EQ(pattern.GetNthTour(k)->GetPosition(), k);
        EXPECT_EQ(pattern.GetNthTour(k), pattern.GetTourByNumber(k));
    }
    EXPECT_DOUBLE_EQ(pattern.GetNthTour(1)->GetWindowStart(), 0.0);
    EXPECT_DOUBLE_EQ(pattern.GetNthTour(2)->GetWindowStart(), 220.0);
    EXPECT_DOUBLE_EQ(pattern.GetNthTour(3)->GetWindowStart(), 295.0);
    EXPECT_EQ(pattern.GetNthTour(4), nullptr);
    EXPECT_EQ(pattern.GetNthTour(0), nullptr);
}

TEST_F(NonWorkerPatternTest, WindowChainsFromAComputedDurationOfTheLastTour)
{
    auto first = std::make_unique<CNWorkerTour>(handles.Manager(), &pattern);
    first->SetPreTourTime(480.0);
    first->SetStopCount(1);
    first->CreateStops();
    first->GetStopByNumber(1)->SetDepartureTime(480.0);
    first->GetStopByNumber(1)->SetTravelTime(15.0);
    first->AppendStop(12, 0.0, 555.0, 15.0, 9, 3, 0);
    pattern.AddTour(std::move(first));

    pattern.AddTour(NewTour(0.0, -1.0));
    // 0 + 480 + (555 + 15 - 480)
    EXPECT_DOUBLE_EQ(pattern.GetNthTour(2)->GetWindowStart(), 570.0);
    EXPECT_DOUBLE_EQ(pattern.GetNthTour(1)->GetDurationField(), 90.0);
}

TEST_F(NonWorkerPatternTest, NullTourIsNotCounted)
{
    pattern.AddTour(nullptr);
    EXPECT_EQ(pattern.GetTourCount(), 0);
    EXPECT_TRUE(pattern.GetTours().empty());
}

// Gives a tour of the pattern a first stop departing at the given minute.
void DepartAt(CTour& tour, double minute)
{
    tour.SetStopCount(1);
    tour.CreateStops();
    tour.GetStopByNumber(1)->SetDepartureTime(minute);
}

TEST_F(NonWorkerPatternTest, SortingExchangesPlacesAndNumbers)
{
    for (int i = 0; i < 3; ++i)
        pattern.AddTour(NewTour(0.0, 10.0));
    CTour* late = pattern.GetNthTour(1);
    CTour* early = pattern.GetNthTour(2);
    CTour* middle = pattern.GetNthTour(3);
    DepartAt(*late, 900.0);
    DepartAt(*early, 450.0);
    DepartAt(*middle, 600.0);

    pattern.SortToursByDeparture();

    EXPECT_EQ(pattern.GetNthTour(1), early);
    EXPECT_EQ(pattern.GetNthTour(2), middle);
    EXPECT_EQ(pattern.GetNthTour(3), late);
    EXPECT_EQ(early->GetPosition(), 1);
    EXPECT_EQ(middle->GetPosition(), 2);
    EXPECT_EQ(late->GetPosition(), 3);
    EXPECT_EQ(pattern.GetTourCount(), 3);
}

TEST_F(NonWorkerPatternTest, SortingKeepsEqualDeparturesInPlace)
{
    pattern.AddTour(NewTour(0.0, 10.0));
    pattern.AddTour(NewTour(0.0, 10.0));
    CTour* first = pattern.GetNthTour(1);
    DepartAt(*first, 500.0);
    DepartAt(*pattern.GetNthTour(2), 500.0);
    pattern.SortToursByDeparture();
    EXPECT_EQ(pattern.GetNthTour(1), first);
}

TEST_F(NonWorkerPatternTest, TourWithoutStopsSortsByItsWindowStartAndHomeStay)
{
    pattern.AddTour(NewTour(0.0, 10.0));
    pattern.AddTour(NewTour(0.0, 10.0));
    CTour* withStop = pattern.GetNthTour(1);
    CTour* withoutStops = pattern.GetNthTour(2);
    DepartAt(*withStop, 700.0);
    withoutStops->SetWindowStart(300.0);
    withoutStops->SetPreTourTime(60.0);
    pattern.SortToursByDeparture();
    EXPECT_EQ(pattern.GetNthTour(1), withoutStops);
    EXPECT_EQ(withoutStops->GetPosition(), 1);
}

TEST_F(NonWorkerPatternTest, SortingOneTourOrNoneDoesNothing)
{
    pattern.SortToursByDeparture();
    pattern.AddTour(NewTour(5.0, 10.0));
    pattern.SortToursByDeparture();
    EXPECT_EQ(pattern.GetNthTour(1)->GetPosition(), 1);
}

TEST(PatternFlags, FlagsAndDrawnCountAreKeptPerPattern)
{
    Handles handles;
    CNWPattern pattern(handles.Manager(), handles.Person());
    pattern.SetAfterWorkToursPresent(true);
    pattern.SetChildIndependentActivity(true);
    pattern.SetDrawnTourCount(-2);
    CPattern& base = pattern;
    EXPECT_TRUE(base.GetAfterWorkToursPresent());
    EXPECT_TRUE(base.GetChildIndependentActivity());
    EXPECT_EQ(base.GetDrawnTourCount(), -2);
}

}  // namespace
