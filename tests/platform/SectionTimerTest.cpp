// Section timer: counts and totals accumulate per section, the report lists the
// sections in name order, and concurrent use from several threads loses nothing.

#include "platform/CSectionTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// The line of one section in the report, or an empty text.
std::string ReportLine(const std::string& section) {
    const std::string report = CSectionTimer::ReportTimers();
    const std::string head = section + " called ";
    std::size_t pos = 0;
    while (pos < report.size()) {
        const std::size_t end = report.find('\n', pos);
        const std::string line = report.substr(pos, end - pos);
        if (line.rfind(head, 0) == 0) return line;
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return {};
}

}  // namespace

TEST(SectionTimer, UnusedSectionHasNoCallsAndNoTime) {
    EXPECT_EQ(CSectionTimer::Calls("timer-test-never-used"), 0);
    EXPECT_EQ(CSectionTimer::Elapsed("timer-test-never-used"), 0.0);
    EXPECT_EQ(ReportLine("timer-test-never-used"), "");
}

TEST(SectionTimer, StartStopPairsAccumulateCountsAndTime) {
    for (int i = 0; i < 5; ++i) {
        CSectionTimer::StartTimer("timer-test-pairs");
        CSectionTimer::StopTimer("timer-test-pairs");
        EXPECT_EQ(CSectionTimer::Calls("timer-test-pairs"), i + 1);
    }
    EXPECT_GE(CSectionTimer::Elapsed("timer-test-pairs"), 0.0);
    // Another section is counted apart.
    EXPECT_EQ(CSectionTimer::Calls("timer-test-pairs-other"), 0);
}

TEST(SectionTimer, StopWithoutStartAddsAPositiveReadingAndCountsOneCall) {
    CSectionTimer::StopTimer("timer-test-stop-only");
    EXPECT_EQ(CSectionTimer::Calls("timer-test-stop-only"), 1);
    EXPECT_GT(CSectionTimer::Elapsed("timer-test-stop-only"), 0.0);
}

TEST(SectionTimer, StartOnlyIsReportedWithNoCallsAndNegativeTime) {
    CSectionTimer::StartTimer("timer-test-start-only");
    EXPECT_EQ(CSectionTimer::Calls("timer-test-start-only"), 0);
    EXPECT_LT(CSectionTimer::Elapsed("timer-test-start-only"), 0.0);
    const std::string line = ReportLine("timer-test-start-only");
    EXPECT_EQ(line.rfind("timer-test-start-only called 0 times ; time = -", 0), 0u) << line;
}

TEST(SectionTimer, ReportListsSectionsInAscendingNameOrderWithSixDecimals) {
    CSectionTimer::StopTimer("timer-test-order-b");
    CSectionTimer::StopTimer("timer-test-order-a");
    CSectionTimer::StopTimer("timer-test-order-a");
    const std::string report = CSectionTimer::ReportTimers();
    const std::size_t a = report.find("timer-test-order-a called 2 times ; time = ");
    const std::size_t b = report.find("timer-test-order-b called 1 times ; time = ");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    EXPECT_LT(a, b);

    const std::string line = ReportLine("timer-test-order-b");
    const std::size_t point = line.rfind('.');
    ASSERT_NE(point, std::string::npos) << line;
    EXPECT_EQ(line.size() - point - 1, 6u) << line;
    EXPECT_EQ(report.back(), '\n');
}

TEST(SectionTimer, ConcurrentThreadsLoseNoCalls) {
    constexpr int kThreads = 10;
    constexpr int kPairs = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            const std::string own = "timer-test-thread-" + std::to_string(t);
            for (int i = 0; i < kPairs; ++i) {
                CSectionTimer::StartTimer("timer-test-shared");
                CSectionTimer::StartTimer(own);
                CSectionTimer::NoOp(nullptr);
                CSectionTimer::NoOp(1.0);
                CSectionTimer::StopTimer(own);
                CSectionTimer::StopTimer("timer-test-shared");
            }
        });
    for (std::thread& th : threads) th.join();

    EXPECT_EQ(CSectionTimer::Calls("timer-test-shared"), kThreads * kPairs);
    // Every thread's stops follow its own starts, so the shared total is a sum of
    // non-negative durations.
    EXPECT_GE(CSectionTimer::Elapsed("timer-test-shared"), 0.0);
    for (int t = 0; t < kThreads; ++t) {
        const std::string own = "timer-test-thread-" + std::to_string(t);
        EXPECT_EQ(CSectionTimer::Calls(own), kPairs);
        EXPECT_GE(CSectionTimer::Elapsed(own), 0.0);
    }
}

TEST(SectionTimer, TotalsOfEndedThreadsStayAndThreadsThatFollowAddToThem) {
    // Threads one after another: each ends before the next starts, so a later
    // thread may take over the totals an earlier one left. The sums read
    // after every round hold every timing, and a section named by text and by
    // id is the same section.
    const CSectionTimer::SectionId section = CSectionTimer::Section("timer-test-rounds");
    EXPECT_EQ(CSectionTimer::Section("timer-test-rounds"), section);
    for (int round = 1; round <= 5; ++round) {
        std::thread([section] {
            CSectionTimer::Start(section);
            CSectionTimer::StopTimer("timer-test-rounds");
            CSectionTimer::StartTimer("timer-test-rounds");
            CSectionTimer::Stop(section);
        }).join();
        EXPECT_EQ(CSectionTimer::Calls("timer-test-rounds"), 2 * round);
        EXPECT_GE(CSectionTimer::Elapsed("timer-test-rounds"), 0.0);
    }
    EXPECT_EQ(ReportLine("timer-test-rounds").rfind("timer-test-rounds called 10 times ; time = ", 0), 0u);
}
