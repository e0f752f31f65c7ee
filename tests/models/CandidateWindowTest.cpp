// CLocationMM::SelectCandidateWindow: half-widths by target, the sparse scan
// with its step, the symmetric clipping at both ends of the list, and the lists
// at the edges (single zone, empty list, scan stepping past the end).

#include "models/CLocationMM.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// Zones 101, 102, ... with values 0, 1, 2, ... (ascending).
struct Candidates {
    explicit Candidates(int n) : zones(static_cast<size_t>(n)), values(static_cast<size_t>(n)) {
        std::iota(zones.begin(), zones.end(), 101);
        std::iota(values.begin(), values.end(), 0.0);
    }
    // Zone IDs at positions lo to hi.
    std::vector<int> Positions(int lo, int hi) const {
        return std::vector<int>(zones.begin() + lo, zones.begin() + hi + 1);
    }
    std::vector<int> Select(float target) const {
        std::vector<int> selection = {-7, -7, -7};  // stale contents must go
        CLocationMM::SelectCandidateWindow(zones, values, selection, target);
        // The window over sorted (value, zone) pairs is the same.
        if (values.size() == zones.size()) {
            std::vector<std::pair<double, int>> sorted;
            for (size_t i = 0; i < zones.size(); ++i) sorted.emplace_back(values[i], zones[i]);
            std::vector<int> fromPairs = {-7};
            CLocationMM::SelectCandidateWindow(sorted, fromPairs, target);
            EXPECT_EQ(fromPairs, selection) << "target " << target;
        }
        return selection;
    }
    std::vector<int> zones;
    std::vector<double> values;
};

}  // namespace

TEST(CandidateWindowHalfWidth, FollowsTheTargetBands) {
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(0.5f), 5);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(3.0f), 5);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(3.01f), 10);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(5.0f), 10);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(5.5f), 25);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(std::numeric_limits<float>::infinity()), 25);
    EXPECT_EQ(CLocationMM::CandidateWindowHalfWidth(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(CandidateWindow, SingleZoneIsSelected) {
    Candidates c(1);
    EXPECT_EQ(c.Select(100.0f), std::vector<int>{101});
    EXPECT_EQ(c.Select(-100.0f), std::vector<int>{101});
}

TEST(CandidateWindow, EmptyListGivesAnEmptySelection) {
    Candidates c(0);
    EXPECT_TRUE(c.Select(4.0f).empty());
}

TEST(CandidateWindow, FullHalfWidthAroundACentreFarFromBothEnds) {
    // Values 0, 0.25, 0.5, ...: target 4.5 gives h = 10 and step 2; the first
    // visited value above it is position 20 (5.0), so positions 10 to 30.
    Candidates c(60);
    for (size_t i = 0; i < c.values.size(); ++i) c.values[i] = 0.25 * static_cast<double>(i);
    EXPECT_EQ(c.Select(4.5f), c.Positions(10, 30));
    // Target 6 gives h = 25 and step 5 on values 0, 0.5, ...: centre 15 (7.5),
    // e = min(25, 15, 44) = 15.
    for (size_t i = 0; i < c.values.size(); ++i) c.values[i] = 0.5 * static_cast<double>(i);
    EXPECT_EQ(c.Select(6.0f), c.Positions(0, 30));
}

TEST(CandidateWindow, CentreNearTheStartShrinksBothSides) {
    // Values 0..39, target 3.5 (h = 10, step 2): the scan stops at position 4
    // (4 > 3.5); e = min(10, 4, 35) = 4 gives positions 0 to 8, not 0 to 14.
    Candidates c(40);
    EXPECT_EQ(c.Select(3.5f), c.Positions(0, 8));
    // Target 2.5 (h = 5): the same centre, e = 4.
    EXPECT_EQ(c.Select(2.5f), c.Positions(0, 8));
    // Target 0.5: centre 2, e = 2.
    EXPECT_EQ(c.Select(0.5f), c.Positions(0, 4));
}

TEST(CandidateWindow, CentreNearTheEndShrinksBothSides) {
    // h = 25, step 5, values 0..29: the scan visits 0, 5, ..., 25 and then steps
    // past the end; with target 26 no visited value is above it, so the centre
    // is the last position and the window that one zone.
    Candidates c(30);
    EXPECT_EQ(c.Select(26.0f), c.Positions(29, 29));
    // Target 21: position 25 (25 > 21) is the centre, e = min(25, 25, 4) = 4.
    EXPECT_EQ(c.Select(21.0f), c.Positions(21, 29));
}

TEST(CandidateWindow, StepFiveVisitsOnlyEveryFifthPosition) {
    // n = 12, step 5: visits 0, 5 and 10; the first value above the target at
    // position 7 gives the centre 10, e = min(25, 10, 1) = 1.
    Candidates c(12);
    c.values = {0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9, 9};
    EXPECT_EQ(c.Select(6.0f), c.Positions(9, 11));
}

TEST(CandidateWindow, ValueEqualToTheTargetDoesNotStopTheScan) {
    Candidates c(20);
    c.values = std::vector<double>(20, 2.0);
    c.values[4] = 3.0;
    // h = 5, step 2: positions 0 and 2 equal the target, 4 exceeds it.
    EXPECT_EQ(c.Select(2.0f), c.Positions(0, 8));
}

TEST(CandidateWindow, TargetIsComparedAsAFloatWidenedToDouble) {
    Candidates c(10);
    c.values = std::vector<double>(10, 0.1);  // 0.1 as a double is below 0.1f widened
    const float target = 0.1f;
    ASSERT_GT(static_cast<double>(target), 0.1);
    c.values[2] = static_cast<double>(target);  // equal: no stop
    c.values[4] = 0.2;
    EXPECT_EQ(c.Select(target), c.Positions(0, 8));
}

TEST(CandidateWindow, ScanSteppingPastTheEndCentresOnTheLastPosition) {
    // n = 10, step 2: visits 0, 2, 4, 6, 8 and then steps past position 9.
    Candidates c(10);
    EXPECT_EQ(c.Select(100.0f), c.Positions(9, 9));
}

TEST(CandidateWindow, ScanReachingTheLastPositionStopsThere) {
    // n = 11, step 2: position 10 is visited and is the last one.
    Candidates c(11);
    EXPECT_EQ(c.Select(100.0f), c.Positions(10, 10));
}

TEST(CandidateWindow, TargetThatIsNotANumberGivesOneZone) {
    Candidates c(10);
    EXPECT_EQ(c.Select(std::numeric_limits<float>::quiet_NaN()), c.Positions(9, 9));
}

TEST(CandidateWindow, ShortValueListIsNeverReadPastItsEnd) {
    Candidates c(10);
    c.values.resize(3);  // positions 4, 6, 8 have no value and count as not above
    EXPECT_EQ(c.Select(100.0f), c.Positions(9, 9));
    c.values = {0.0, 0.0, 50.0};
    EXPECT_EQ(c.Select(1.0f), c.Positions(0, 4));
}
