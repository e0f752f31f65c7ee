// The arithmetic of the progress figures, on a clock the test moves, and the
// life of a run's state: completion, failed threads, cancel and the end of
// the start delays.

#include "app/CRunState.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <future>

namespace {

using namespace std::chrono_literals;
using Phase = CRunState::Figures::Phase;

class RunStateTest : public ::testing::Test {
protected:
    std::unique_ptr<CRunState> MakeRun(long total) {
        return std::make_unique<CRunState>(total, [this] { return now; });
    }
    void Count(CRunState& run, int thread, long households) {
        for (long i = 0; i < households; ++i) ASSERT_TRUE(run.UpdateProgress(thread));
    }
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
};

TEST_F(RunStateTest, EstimateAndBarFollowTheCountsAndTheWallClock) {
    auto run = MakeRun(1000);
    Count(*run, 0, 100);
    Count(*run, 7, 150);
    run->StartClock();  // a worker's start does not restart the run's clock
    now += 50s;
    CRunState::Figures figures = run->Update({});
    EXPECT_EQ(figures.processed, 250);
    EXPECT_EQ(figures.elapsedSeconds, 50);
    EXPECT_EQ(figures.estimateSeconds, 150);  // (1000 / 250 - 1) x 50
    EXPECT_EQ(figures.minutesText, "2 mins");
    EXPECT_EQ(figures.percent, 25);
    EXPECT_EQ(figures.phase, Phase::Running);
    EXPECT_EQ(figures.caption, "Starting...");

    run->SetStatusText("Simulation in\tprogress ...");
    Count(*run, 9, 650);
    now += 130s;
    figures = run->Update(figures);
    EXPECT_EQ(figures.estimateSeconds, 20);  // (1000 / 900 - 1) x 180
    EXPECT_EQ(figures.minutesText, "");      // nothing below a minute
    EXPECT_EQ(figures.percent, 90);
    EXPECT_EQ(figures.caption, "Simulation in\tprogress ...");
    EXPECT_TRUE(figures.cancelEnabled);
    EXPECT_FALSE(figures.okEnabled);
}

TEST_F(RunStateTest, UndefinedQuotientsLeaveEstimateAndBarAndLargeValuesAreClamped) {
    CRunState::Figures shown;
    shown.estimateSeconds = 77;
    shown.percent = 33;
    auto empty = MakeRun(0);
    Count(*empty, 0, 5);
    now += 10s;
    EXPECT_EQ(empty->Update(shown).estimateSeconds, 77);
    EXPECT_EQ(empty->Update(shown).percent, 33);
    // A thread that ends before any household was counted: nothing to divide by.
    auto early = MakeRun(7);
    early->ThreadFinished(0, false);
    EXPECT_EQ(early->Update(shown).estimateSeconds, 77);
    EXPECT_EQ(early->Update(shown).percent, 33);

    // An estimate past the int range, and counts past the total (sample
    // rates, households added meanwhile) stay within their ranges.
    auto huge = MakeRun(1'000'000'000'000L);
    Count(*huge, 3, 1);
    now += 10s;
    const CRunState::Figures far = huge->Update({});
    EXPECT_EQ(far.estimateSeconds, INT_MAX);
    EXPECT_EQ(far.percent, 0);
    auto over = MakeRun(5);
    Count(*over, 3, 9);
    EXPECT_EQ(over->Update({}).percent, 100);
    EXPECT_EQ(over->Update({}).estimateSeconds, 0);
}

TEST_F(RunStateTest, PercentOfManyHouseholdsIsComputedWithoutOverflow) {
    // 25 million x 100 does not fit in 32 bits.
    auto run = MakeRun(40'000'000);
    for (int thread = 0; thread < 10; ++thread) Count(*run, thread, 2'500'000);
    EXPECT_EQ(run->Update({}).percent, 62);
}

TEST_F(RunStateTest, CompletionCountsFailedThreadsAndWaitsForEveryThreadToReturn) {
    auto run = MakeRun(40);
    Count(*run, 0, 40);
    for (int thread = 0; thread < 10; ++thread) run->ThreadFinished(thread, thread == 2 || thread == 5);
    CRunState::Figures figures = run->Update({});
    EXPECT_EQ(figures.phase, Phase::Completed);
    EXPECT_EQ(figures.caption, "Simulation Finished: 2 of 10 threads failed");
    EXPECT_EQ(figures.percent, 100);
    EXPECT_EQ(figures.estimateSeconds, 0);
    EXPECT_EQ(figures.completed, 10);
    EXPECT_FALSE(figures.cancelEnabled);
    EXPECT_FALSE(figures.okEnabled);  // threads still closing their files
    EXPECT_EQ(figures.running, 10);

    run->Cancel();  // too late: the run is complete
    EXPECT_FALSE(run->IsCancelled());
    for (int thread = 0; thread < 10; ++thread) run->WorkerReturned(thread);
    figures = run->Update(figures);
    EXPECT_TRUE(figures.okEnabled);
    EXPECT_EQ(figures.running, 0);

    auto clean = MakeRun(10);
    for (int thread = 0; thread < 10; ++thread) clean->ThreadFinished(thread, false);
    EXPECT_EQ(clean->Update({}).caption, "Simulation Completed Successfully");
}

TEST_F(RunStateTest, CancelStopsCountingAndEndsTheStartDelays) {
    auto run = MakeRun(100);
    Count(*run, 1, 4);
    // A worker still in a long start delay.
    auto waiting = std::async(std::launch::async, [&] { return run->WaitToStart(9, std::chrono::hours(1)); });
    EXPECT_EQ(waiting.wait_for(50ms), std::future_status::timeout);
    run->Cancel();
    ASSERT_EQ(waiting.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(waiting.get());
    EXPECT_FALSE(run->WaitToStart(0, 0ms));

    EXPECT_FALSE(run->UpdateProgress(1));
    EXPECT_EQ(run->Processed(), 4);
    CRunState::Figures figures = run->Update({});
    EXPECT_EQ(figures.phase, Phase::Cancelled);
    EXPECT_EQ(figures.caption, "Simulation Cancelled");
    EXPECT_FALSE(figures.cancelEnabled);
    EXPECT_FALSE(figures.okEnabled);
    for (int thread = 0; thread < 10; ++thread) run->WorkerReturned(thread);
    EXPECT_TRUE(run->Update(figures).okEnabled);
}

}  // namespace
