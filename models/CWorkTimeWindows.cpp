#include "models/CWorkTimeWindows.h"

#include <cstddef>

namespace {

// Lower bounds of the 32 windows and the end of the day; window n runs from
// entry n to entry n + 1.
constexpr std::array<double, CWorkTimeWindows::kWindowCount + 1> kBounds = {
    0.0,   180.0, 210.0, 240.0, 270.0, 300.0, 315.0, 330.0, 345.0, 360.0, 375.0,
    390.0, 420.0, 480.0, 540.0, 600.0, 660.0, 720.0, 750.0, 765.0, 780.0, 795.0,
    810.0, 825.0, 840.0, 855.0, 870.0, 885.0, 900.0, 930.0, 960.0, 1020.0, 1440.0};

constexpr std::array<CWorkTimeWindows::Window, CWorkTimeWindows::kWindowCount> BuildWindows() {
    std::array<CWorkTimeWindows::Window, CWorkTimeWindows::kWindowCount> windows{};
    for (int n = 0; n < CWorkTimeWindows::kWindowCount; ++n) {
        const double lower = kBounds[static_cast<std::size_t>(n)];
        const double width = kBounds[static_cast<std::size_t>(n) + 1] - lower;
        windows[static_cast<std::size_t>(n)] = {lower, width, lower + width / 2.0};
    }
    return windows;
}

constexpr std::array<CWorkTimeWindows::Window, CWorkTimeWindows::kWindowCount> kWindows = BuildWindows();

constexpr std::array<CWorkTimeWindows::Pair, CWorkTimeWindows::kPairCount> BuildPairs() {
    std::array<CWorkTimeWindows::Pair, CWorkTimeWindows::kPairCount> pairs{};
    std::size_t k = 0;
    for (int s = 0; s < CWorkTimeWindows::kWindowCount; ++s) {
        for (int e = s; e < CWorkTimeWindows::kWindowCount; ++e) {
            const CWorkTimeWindows::Window& start = kWindows[static_cast<std::size_t>(s)];
            const CWorkTimeWindows::Window& end = kWindows[static_cast<std::size_t>(e)];
            pairs[k++] = {s,           e,
                          start.midpoint, start.lowerBound, start.width,
                          end.midpoint,   end.lowerBound,   end.width};
        }
    }
    return pairs;
}

constexpr std::array<CWorkTimeWindows::Pair, CWorkTimeWindows::kPairCount> kPairs = BuildPairs();

}  // namespace

const std::array<CWorkTimeWindows::Window, CWorkTimeWindows::kWindowCount>& CWorkTimeWindows::Windows() {
    return kWindows;
}

const std::array<CWorkTimeWindows::Pair, CWorkTimeWindows::kPairCount>& CWorkTimeWindows::Pairs() { return kPairs; }

int CWorkTimeWindows::BandOf(double midpoint) {
    if (midpoint <= 210.0) return 0;
    if (midpoint <= 360.0) return 1;
    if (midpoint <= 780.0) return 0;
    if (midpoint <= 930.0) return 2;
    return 3;
}
