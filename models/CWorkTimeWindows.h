#pragma once
// The fixed time grid of the joint work start and end time choice. The day is
// cut into 32 work time windows of unequal width (narrow around the morning and
// afternoon peaks); an alternative is a pair (start window, end window) with
// the end window not earlier than the start window, 528 pairs in all. The
// level of service of a pair is read at one of four query times, chosen by the
// band of the day in which a window midpoint lies. The tables are built once
// and shared by every model system.

#include <array>

class CWorkTimeWindows {
public:
    static constexpr int kWindowCount = 32;
    static constexpr int kPairCount = kWindowCount * (kWindowCount + 1) / 2;  // 528
    static constexpr int kBandCount = 4;

    // Window n covers lowerBound <= t < lowerBound + width (minutes of the day).
    struct Window {
        double lowerBound;
        double width;
        double midpoint;  // lowerBound + width / 2
    };

    // One alternative: 0-based window numbers and the two windows' bounds.
    struct Pair {
        int startWindow;
        int endWindow;
        double startMidpoint;
        double startLowerBound;
        double startWidth;
        double endMidpoint;
        double endLowerBound;
        double endWidth;
    };

    // The 32 windows in time order.
    static const std::array<Window, kWindowCount>& Windows();
    // The 528 pairs: start window ascending and, within one start window, end
    // window ascending from the start window up to the last window. This is
    // also the order of the cumulative draw.
    static const std::array<Pair, kPairCount>& Pairs();

    // Query times of the level-of-service bands, by band number.
    static constexpr std::array<double, kBandCount> kQueryTimes = {180.0, 250.0, 850.0, 1000.0};
    // Band number of a window midpoint (edges belong to the lower band):
    // up to 210 and from above 360 up to 780 the 180-minute band (0), up to 360
    // the 250-minute band (1), up to 930 the 850-minute band (2), later the
    // 1000-minute band (3).
    static int BandOf(double midpoint);
};
