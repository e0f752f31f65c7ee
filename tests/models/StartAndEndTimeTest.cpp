// The joint work start and end time model: the 32 work time windows and the
// 528 window pairs against the published grid, the level-of-service bands, the
// time-of-day variables against values worked out by hand, the draw against
// cumulative probabilities computed independently from the uniforms of the
// thread's stream, the number of uniforms a draw takes, and the draws when the
// weights cannot be normalised.

#include "ModelTestWorld.h"

#include "models/CRandomStreams.h"
#include "models/CStartAndEndTimeMM.h"
#include "models/CWorkTimeOfDayVariables.h"
#include "models/CWorkTimeWindows.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/NumberText.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr int kThread = 7;

// The work time windows as published: lower bound, upper bound, width, midpoint.
struct PublishedWindow {
    double lower, upper, width, midpoint;
};
const std::vector<PublishedWindow> kPublished = {
    {0, 180, 180, 90},       {180, 210, 30, 195},     {210, 240, 30, 225},     {240, 270, 30, 255},
    {270, 300, 30, 285},     {300, 315, 15, 307.5},   {315, 330, 15, 322.5},   {330, 345, 15, 337.5},
    {345, 360, 15, 352.5},   {360, 375, 15, 367.5},   {375, 390, 15, 382.5},   {390, 420, 30, 405},
    {420, 480, 60, 450},     {480, 540, 60, 510},     {540, 600, 60, 570},     {600, 660, 60, 630},
    {660, 720, 60, 690},     {720, 750, 30, 735},     {750, 765, 15, 757.5},   {765, 780, 15, 772.5},
    {780, 795, 15, 787.5},   {795, 810, 15, 802.5},   {810, 825, 15, 817.5},   {825, 840, 15, 832.5},
    {840, 855, 15, 847.5},   {855, 870, 15, 862.5},   {870, 885, 15, 877.5},   {885, 900, 15, 892.5},
    {900, 930, 30, 915},     {930, 960, 30, 945},     {960, 1020, 60, 990},    {1020, 1440, 420, 1230},
};

// Query time of the band of a midpoint, as published.
double QueryTime(double m) {
    if (m <= 210) return 180;
    if (m <= 360) return 250;
    if (m <= 780) return 180;
    if (m <= 930) return 850;
    return 1000;
}
int BandNumber(double queryTime) {
    return queryTime == 180 ? 0 : queryTime == 250 ? 1 : queryTime == 850 ? 2 : 3;
}

// The (start, end) window numbers (0-based) of the pairs in draw order.
std::vector<std::pair<int, int>> PairOrder() {
    std::vector<std::pair<int, int>> order;
    for (int s = 0; s < 32; ++s)
        for (int e = s; e < 32; ++e) order.emplace_back(s, e);
    return order;
}

double Harmonic(double t, double a, bool sine) {
    const double angle = ((t / 60.0) * a) / 24.0;
    return sine ? std::sin(angle) : std::cos(angle);
}

CStartAndEndTimeMM::CommuteLevelOfService DistinctLevelOfService() {
    CStartAndEndTimeMM::CommuteLevelOfService los;
    los.homeToWorkCost = {1.0, 2.0, 3.0, 4.0};
    los.homeToWorkTime = {11.0, 12.0, 13.0, 14.0};
    los.workToHomeCost = {21.0, 22.0, 23.0, 24.0};
    los.workToHomeTime = {31.0, 32.0, 33.0, 34.0};
    return los;
}

class StartAndEndTimeTest : public ::testing::Test {
protected:
    void SetUp() override { models.m_nThreadIndex = kThread; }
    void TearDown() override { CEditorRegistry::Remove<CStartAndEndTimeMM>(); }

    // The first n uniforms after a reseed with key.
    std::vector<double> Uniforms(std::uint32_t key, int n) {
        CRandomStreams::ReseedStream(kThread, key);
        std::vector<double> u;
        for (int i = 0; i < n; ++i) u.push_back(CRandomStreams::DrawUniform(kThread));
        return u;
    }
    bool DrawFor(std::uint32_t key, double& start, double& end) {
        CRandomStreams::ReseedStream(kThread, key);
        return model.DrawWithLevelOfService(person, los, start, end);
    }
    // Pair chosen by a cumulative walk over the weights for u.
    static int ExpectedPair(const std::vector<double>& weights, double u) {
        double total = 0.0;
        for (const double w : weights) total += w;
        double c = 0.0;
        for (size_t k = 0; k < weights.size(); ++k) {
            c += weights[k] / total;
            if (c > u) return static_cast<int>(k);
        }
        return -1;
    }
    // Keys whose first uniform is well inside one of the 528 equal steps.
    std::vector<std::uint32_t> KeysAwayFromStepEdges(int count) {
        std::vector<std::uint32_t> keys;
        for (std::uint32_t key = 1; static_cast<int>(keys.size()) < count; ++key) {
            const double scaled = Uniforms(key, 1)[0] * 528.0;
            const double fraction = scaled - std::floor(scaled);
            if (fraction > 0.01 && fraction < 0.99) keys.push_back(key);
        }
        return keys;
    }
    // The outputs expected when pair k is chosen with uniforms u (U, U1, U2).
    static std::pair<double, double> Placed(int k, const std::vector<double>& u) {
        const auto [s, e] = PairOrder()[static_cast<size_t>(k)];
        const PublishedWindow& start = kPublished[static_cast<size_t>(s)];
        const PublishedWindow& end = kPublished[static_cast<size_t>(e)];
        return {start.lower + u[1] * start.width, end.lower + u[2] * end.width};
    }

    CModelSystem models;
    CStartAndEndTimeMM model{&models, "Work-Start-End-Time"};
    CWorkTimeOfDayVariables::PersonAttributes person;
    CStartAndEndTimeMM::CommuteLevelOfService los = DistinctLevelOfService();
};

// Values of the time-of-day variables for one alternative.
class TimeOfDayVariablesTest : public ::testing::Test {
protected:
    // S = 630 (window 16, from 600), E = 1230 (window 32, from 1020).
    CWorkTimeOfDayVariables::Alternative Alternative(double s, double sLower, double e, double eLower) const {
        CWorkTimeOfDayVariables::Alternative a;
        a.start = s;
        a.end = e;
        a.startLowerBound = sLower;
        a.endLowerBound = eLower;
        a.endBandCost = 3.5;
        a.endBandTime = 27.0;
        a.startBandCost = 4.25;
        a.startBandTime = 31.0;
        a.startTerms = CWorkTimeOfDayVariables::FourierTerms(s);
        a.endTerms = CWorkTimeOfDayVariables::FourierTerms(e);
        return a;
    }
    double Value(int id, const CWorkTimeOfDayVariables::Alternative& a) const {
        CVariableSet terms;
        terms.Add(id, 1.0);
        CWorkTimeOfDayVariables::Fill(terms, a, person);
        return terms.m_values.at(0);
    }

    CWorkTimeOfDayVariables::PersonAttributes person{2.0, 3.0, 5.0};  // M, F, W kept apart
};

}  // namespace

TEST(WorkTimeWindows, WindowsAreThePublishedGridAndTileTheDay) {
    const auto& windows = CWorkTimeWindows::Windows();
    ASSERT_EQ(windows.size(), kPublished.size());
    double next = 0.0;
    for (size_t n = 0; n < windows.size(); ++n) {
        EXPECT_EQ(windows[n].lowerBound, kPublished[n].lower) << n + 1;
        EXPECT_EQ(windows[n].width, kPublished[n].width) << n + 1;
        EXPECT_EQ(windows[n].midpoint, kPublished[n].midpoint) << n + 1;
        EXPECT_EQ(windows[n].lowerBound, next) << n + 1;
        next = windows[n].lowerBound + windows[n].width;
    }
    EXPECT_EQ(next, 1440.0);
}

TEST(WorkTimeWindows, The528PairsRunByStartThenEndWindow) {
    const auto& pairs = CWorkTimeWindows::Pairs();
    const auto order = PairOrder();
    ASSERT_EQ(pairs.size(), 528u);
    ASSERT_EQ(order.size(), 528u);
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto [s, e] = order[k];
        ASSERT_EQ(pairs[k].startWindow, s) << k;
        ASSERT_EQ(pairs[k].endWindow, e) << k;
        EXPECT_EQ(pairs[k].startMidpoint, kPublished[static_cast<size_t>(s)].midpoint);
        EXPECT_EQ(pairs[k].startLowerBound, kPublished[static_cast<size_t>(s)].lower);
        EXPECT_EQ(pairs[k].startWidth, kPublished[static_cast<size_t>(s)].width);
        EXPECT_EQ(pairs[k].endMidpoint, kPublished[static_cast<size_t>(e)].midpoint);
        EXPECT_EQ(pairs[k].endLowerBound, kPublished[static_cast<size_t>(e)].lower);
        EXPECT_EQ(pairs[k].endWidth, kPublished[static_cast<size_t>(e)].width);
    }
    // Landmarks: (1,32) is pair 31, (2,2) pair 32, (32,32) the last.
    EXPECT_EQ(pairs[31].endWindow, 31);
    EXPECT_EQ(pairs[32].startWindow, 1);
    EXPECT_EQ(pairs[32].endWindow, 1);
    EXPECT_EQ(pairs[527].startWindow, 31);
}

TEST(WorkTimeWindows, BandsPutTheEdgesInTheLowerBand) {
    EXPECT_EQ(CWorkTimeWindows::BandOf(210.0), 0);
    EXPECT_EQ(CWorkTimeWindows::BandOf(210.5), 1);
    EXPECT_EQ(CWorkTimeWindows::BandOf(360.0), 1);
    EXPECT_EQ(CWorkTimeWindows::BandOf(360.5), 0);
    EXPECT_EQ(CWorkTimeWindows::BandOf(780.0), 0);
    EXPECT_EQ(CWorkTimeWindows::BandOf(780.5), 2);
    EXPECT_EQ(CWorkTimeWindows::BandOf(930.0), 2);
    EXPECT_EQ(CWorkTimeWindows::BandOf(930.5), 3);
    EXPECT_EQ(CWorkTimeWindows::BandOf(1440.0), 3);
    EXPECT_EQ(CWorkTimeWindows::kQueryTimes, (std::array<double, 4>{180.0, 250.0, 850.0, 1000.0}));
    for (const PublishedWindow& w : kPublished)
        EXPECT_EQ(CWorkTimeWindows::kQueryTimes[static_cast<size_t>(CWorkTimeWindows::BandOf(w.midpoint))],
                  QueryTime(w.midpoint))
            << w.midpoint;
}

TEST(WorkTimeOfDay, FourierTermsUseTheEstimatedConstants) {
    for (const double t : {0.0, 90.0, 307.5, 630.0, 1230.0}) {
        const auto terms = CWorkTimeOfDayVariables::FourierTerms(t);
        EXPECT_EQ(terms.sine[0], Harmonic(t, 6.2831853, true));
        EXPECT_EQ(terms.sine[1], Harmonic(t, 12.5663706, true));
        EXPECT_EQ(terms.sine[2], Harmonic(t, 18.8495559, true));
        EXPECT_EQ(terms.cosine[0], Harmonic(t, 6.2831853, false));
        EXPECT_EQ(terms.cosine[1], Harmonic(t, 12.5663706, false));
        EXPECT_EQ(terms.cosine[2], Harmonic(t, 18.8495559, false));
    }
    for (int n = 0; n < 32; ++n) {
        const auto direct = CWorkTimeOfDayVariables::FourierTerms(kPublished[static_cast<size_t>(n)].midpoint);
        const auto& stored = CWorkTimeOfDayVariables::WindowFourierTerms(n);
        EXPECT_EQ(stored.sine, direct.sine);
        EXPECT_EQ(stored.cosine, direct.cosine);
    }
}

TEST(WorkTimeOfDay, PowersMultiplyOnTheBitsOfTheExponent) {
    const double x = 0.4166666666666667;
    const double x2 = x * x;
    const double x4 = x2 * x2;
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 0), 1.0);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 1), x);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 2), x2);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 3), x * x2);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 4), x4);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 5), x * x4);
    EXPECT_EQ(CWorkTimeOfDayVariables::IntegerPower(x, 6), x2 * x4);
}

TEST_F(TimeOfDayVariablesTest, FourierGroupsAndTheirInteractions) {
    const auto a = Alternative(630.0, 600.0, 1230.0, 1020.0);
    const double m = 2.0, f = 3.0, w = 5.0;
    const double aK[3] = {6.2831853, 12.5663706, 18.8495559};
    for (int k = 0; k < 3; ++k) {
        const double sS = Harmonic(630.0, aK[k], true), cS = Harmonic(630.0, aK[k], false);
        const double sE = Harmonic(1230.0, aK[k], true), cE = Harmonic(1230.0, aK[k], false);
        EXPECT_EQ(Value(30264 + k, a), sS);
        EXPECT_EQ(Value(30267 + k, a), cS);
        EXPECT_EQ(Value(30270 + k, a), sE);
        EXPECT_EQ(Value(30273 + k, a), cE);
        EXPECT_EQ(Value(30276 + k, a), sS * m);
        EXPECT_EQ(Value(30279 + k, a), cS * m);
        EXPECT_EQ(Value(30282 + k, a), sE * m);
        EXPECT_EQ(Value(30285 + k, a), cE * m);
        EXPECT_EQ(Value(30288 + k, a), sS * f);
        EXPECT_EQ(Value(30291 + k, a), cS * f);
        EXPECT_EQ(Value(30294 + k, a), sE * f);
        EXPECT_EQ(Value(30297 + k, a), cE * f);
        EXPECT_EQ(Value(30300 + k, a), sS * w);
        EXPECT_EQ(Value(30303 + k, a), cS * w);
        EXPECT_EQ(Value(30306 + k, a), sE * w);
        EXPECT_EQ(Value(30309 + k, a), cE * w);
        // The repeated numbering.
        EXPECT_EQ(Value(30801 + k, a), sS);
        EXPECT_EQ(Value(30804 + k, a), cS);
        EXPECT_EQ(Value(30807 + k, a), sE);
        EXPECT_EQ(Value(30810 + k, a), cE);
        EXPECT_EQ(Value(30821 + k, a), sE * m);
        EXPECT_EQ(Value(30824 + k, a), cE * m);
        EXPECT_EQ(Value(30827 + k, a), sS * f);
        EXPECT_EQ(Value(30830 + k, a), cS * f);
        EXPECT_EQ(Value(30833 + k, a), sS * w);
        EXPECT_EQ(Value(30836 + k, a), cS * w);
    }
}

TEST_F(TimeOfDayVariablesTest, DurationLevelOfServiceAndConstants) {
    const auto a = Alternative(630.0, 600.0, 1230.0, 1020.0);
    const double days = 600.0 / 1440.0;
    const double thousands = 600.0 / 1000.0;
    EXPECT_EQ(Value(30000, a), 1.0);
    EXPECT_EQ(Value(30015, a), days);
    EXPECT_EQ(Value(30017, a), 27.0);
    EXPECT_EQ(Value(30018, a), 31.0);
    EXPECT_EQ(Value(30262, a), 4.0);
    EXPECT_EQ(Value(30263, a), 4.0);
    EXPECT_EQ(Value(30312, a), days * days);
    EXPECT_EQ(Value(30313, a), days * (days * days));
    EXPECT_EQ(Value(30314, a), (days * days) * (days * days));
    EXPECT_EQ(Value(30315, a), days * ((days * days) * (days * days)));
    EXPECT_EQ(Value(30316, a), (days * days) * ((days * days) * (days * days)));
    EXPECT_EQ(Value(30322, a), 4.25);
    EXPECT_EQ(Value(30326, a), 4.25);
    EXPECT_EQ(Value(30336, a), 3.0 * 27.0);
    EXPECT_EQ(Value(30337, a), 3.0 * 3.5);
    EXPECT_EQ(Value(30338, a), 3.0 * 4.25);
    EXPECT_EQ(Value(30813, a), thousands);
    EXPECT_EQ(Value(30814, a), thousands * thousands);
    EXPECT_EQ(Value(30818, a), (thousands * thousands) * ((thousands * thousands) * (thousands * thousands)));
    EXPECT_EQ(Value(30839, a), 31.0);
    EXPECT_EQ(Value(30840, a), 4.25);
    EXPECT_EQ(Value(30841, a), 27.0);
    EXPECT_EQ(Value(30842, a), 3.5);
    EXPECT_EQ(Value(30843, a), 3.0 * 31.0);
    EXPECT_EQ(Value(30844, a), 3.0 * 4.25);
    EXPECT_EQ(Value(30845, a), 3.0 * 27.0);
    EXPECT_EQ(Value(30846, a), 3.0 * 3.5);
}

TEST_F(TimeOfDayVariablesTest, LongDayIndicatorsCompareStrictly) {
    // D / 60 = 10: above 9, not above 10 or 11.
    const auto a = Alternative(630.0, 600.0, 1230.0, 1020.0);
    EXPECT_EQ(Value(30323, a), 1.0);
    EXPECT_EQ(Value(30324, a), 0.0);
    EXPECT_EQ(Value(30325, a), 0.0);
    const auto longer = Alternative(90.0, 0.0, 1230.0, 1020.0);  // D / 60 = 19
    EXPECT_EQ(Value(30325, longer), 1.0);
}

TEST_F(TimeOfDayVariablesTest, PeriodsInTheActualWindow) {
    const auto window = [&](int n) {
        const PublishedWindow& w = kPublished[static_cast<size_t>(n - 1)];
        return Value(30819, Alternative(w.midpoint, w.lower, w.midpoint, w.lower));
    };
    EXPECT_EQ(window(1), 12.0);
    EXPECT_EQ(window(13), 4.0);
    EXPECT_EQ(window(6), 1.0);
    EXPECT_EQ(window(32), 28.0);
    EXPECT_EQ(Value(30820, Alternative(630.0, 600.0, 1230.0, 1020.0)), 28.0);
}

TEST_F(TimeOfDayVariablesTest, SameWindowHasNoDuration) {
    const auto a = Alternative(307.5, 300.0, 307.5, 300.0);
    for (const int id : {30015, 30312, 30313, 30314, 30315, 30316, 30813, 30814, 30815, 30816, 30817, 30818})
        EXPECT_EQ(Value(id, a), 0.0) << id;
}

TEST_F(TimeOfDayVariablesTest, OnlyTheIndexSelectsTheVariable) {
    const auto a = Alternative(630.0, 600.0, 1230.0, 1020.0);
    EXPECT_EQ(Value(10015, a), 600.0 / 1440.0);
    EXPECT_EQ(Value(0, a), 1.0);
    EXPECT_EQ(Value(10000, a), 1.0);
    EXPECT_EQ(Value(30000, a), 1.0);
}

TEST_F(TimeOfDayVariablesTest, UnknownIndexKeepsItsValue) {
    const auto a = Alternative(630.0, 600.0, 1230.0, 1020.0);
    EXPECT_EQ(Value(30320, a), 0.0);
    CVariableSet terms;
    terms.Add(30320, 1.0);
    terms.Add(30015, 1.0);
    terms.m_values = {7.5};
    CWorkTimeOfDayVariables::Fill(terms, a, person);
    EXPECT_EQ(terms.m_values, (std::vector<double>{7.5, 600.0 / 1440.0}));
}

TEST_F(StartAndEndTimeTest, WithoutTermsEveryPairIsEquallyLikely) {
    for (const std::uint32_t key : KeysAwayFromStepEdges(40)) {
        const std::vector<double> u = Uniforms(key, 4);
        double start = -5.0, end = -5.0;
        ASSERT_TRUE(DrawFor(key, start, end));
        const int k = static_cast<int>(std::floor(u[0] * 528.0));
        const auto [expectedStart, expectedEnd] = Placed(k, u);
        EXPECT_EQ(start, expectedStart) << key;
        EXPECT_EQ(end, expectedEnd) << key;
        // Three uniforms were taken: the next one is the fourth.
        EXPECT_EQ(CRandomStreams::DrawUniform(kThread), u[3]);
    }
    for (const double w : model.m_pairWeights) EXPECT_EQ(w, 1.0);
}

TEST_F(StartAndEndTimeTest, DrawFollowsTheProbabilitiesOfTheDuration) {
    model.m_terms.Add(30015, 2.0);
    model.m_terms.Add(30000, -0.5);
    std::vector<double> weights;
    for (const auto& [s, e] : PairOrder()) {
        const double d = kPublished[static_cast<size_t>(e)].midpoint - kPublished[static_cast<size_t>(s)].midpoint;
        weights.push_back(std::exp(2.0 * (d / 1440.0) + -0.5));
    }
    for (std::uint32_t key = 1; key <= 200; ++key) {
        const std::vector<double> u = Uniforms(key, 3);
        double start = 0.0, end = 0.0;
        ASSERT_TRUE(DrawFor(key, start, end));
        const auto [expectedStart, expectedEnd] = Placed(ExpectedPair(weights, u[0]), u);
        EXPECT_DOUBLE_EQ(start, expectedStart) << key;
        EXPECT_DOUBLE_EQ(end, expectedEnd) << key;
    }
}

TEST_F(StartAndEndTimeTest, LevelOfServiceIsTakenFromTheBandsOfTheTwoMidpoints) {
    // End band: home-to-work values; start band: work-to-home values.
    model.m_terms.Add(30017, 0.01);  // end-band time
    model.m_terms.Add(30018, 0.02);  // start-band time
    model.m_terms.Add(30322, 0.03);  // start-band cost
    model.m_terms.Add(30842, 0.04);  // end-band cost
    double start = 0.0, end = 0.0;
    ASSERT_TRUE(DrawFor(1, start, end));
    const auto order = PairOrder();
    for (size_t k = 0; k < order.size(); ++k) {
        const auto [s, e] = order[k];
        const auto endBand = static_cast<size_t>(BandNumber(QueryTime(kPublished[static_cast<size_t>(e)].midpoint)));
        const auto startBand =
            static_cast<size_t>(BandNumber(QueryTime(kPublished[static_cast<size_t>(s)].midpoint)));
        const double v = 0.01 * los.homeToWorkTime[endBand] + 0.02 * los.workToHomeTime[startBand] +
                         0.03 * los.workToHomeCost[startBand] + 0.04 * los.homeToWorkCost[endBand];
        EXPECT_DOUBLE_EQ(model.m_pairWeights[k], std::exp(v)) << k;
    }
    // The values left in the terms are those of the last pair (32, 32).
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{los.homeToWorkTime[3], los.workToHomeTime[3],
                                                           los.workToHomeCost[3], los.homeToWorkCost[3]}));
}

TEST_F(StartAndEndTimeTest, DrawsRepeatAfterTheSameReseed) {
    model.m_terms.Add(30264, 0.7);
    model.m_terms.Add(30813, -1.3);
    double s1 = 0, e1 = 0, s2 = 0, e2 = 0;
    ASSERT_TRUE(DrawFor(900, s1, e1));
    ASSERT_TRUE(DrawFor(900 + 10001, s2, e2));
    EXPECT_EQ(s1, s2);
    EXPECT_EQ(e1, e2);
}

TEST_F(StartAndEndTimeTest, UnderflowingWeightsAreNormalisedRelativeToTheLargest) {
    // exp(-1000) is 0 for every pair: the plain total is 0.
    model.m_terms.Add(30000, -1000.0);
    for (const std::uint32_t key : KeysAwayFromStepEdges(20)) {
        const std::vector<double> u = Uniforms(key, 3);
        double start = -1.0, end = -1.0;
        ASSERT_TRUE(DrawFor(key, start, end));
        const auto [expectedStart, expectedEnd] = Placed(static_cast<int>(std::floor(u[0] * 528.0)), u);
        EXPECT_EQ(start, expectedStart);
        EXPECT_EQ(end, expectedEnd);
    }
}

TEST_F(StartAndEndTimeTest, OverflowingWeightsGoToTheLargestUtility) {
    // Every weight overflows; relative to the largest utility only the longest
    // pair (window 1 to window 32) keeps a weight.
    model.m_terms.Add(30015, 1.0e6);
    for (std::uint32_t key = 1; key < 30; ++key) {
        const std::vector<double> u = Uniforms(key, 3);
        double start = -1.0, end = -1.0;
        ASSERT_TRUE(DrawFor(key, start, end));
        const auto [expectedStart, expectedEnd] = Placed(31, u);
        EXPECT_EQ(start, expectedStart);
        EXPECT_EQ(end, expectedEnd);
    }
}

TEST_F(StartAndEndTimeTest, InfiniteUtilitiesShareTheChoice) {
    // An infinite coefficient on the long-day indicator: the pairs longer than
    // 11 hours have utility +inf and share the choice equally.
    model.m_terms.Add(30325, std::numeric_limits<double>::infinity());
    std::vector<double> weights;
    for (const auto& [s, e] : PairOrder()) {
        const double d = kPublished[static_cast<size_t>(e)].midpoint - kPublished[static_cast<size_t>(s)].midpoint;
        weights.push_back(d / 60.0 > 11.0 ? 1.0 : 0.0);
    }
    for (std::uint32_t key = 1; key < 60; ++key) {
        const std::vector<double> u = Uniforms(key, 3);
        double start = -1.0, end = -1.0;
        ASSERT_TRUE(DrawFor(key, start, end));
        const auto [expectedStart, expectedEnd] = Placed(ExpectedPair(weights, u[0]), u);
        EXPECT_EQ(start, expectedStart);
        EXPECT_EQ(end, expectedEnd);
    }
}

TEST_F(StartAndEndTimeTest, NoUsableWeightLeavesTheOutputsAndTakesOneUniform) {
    for (const double coefficient :
         {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        model.m_terms.Clear();
        model.m_terms.Add(30000, coefficient);
        const std::vector<double> u = Uniforms(55, 2);
        double start = -3.0, end = -4.0;
        EXPECT_FALSE(DrawFor(55, start, end));
        EXPECT_EQ(start, -3.0);
        EXPECT_EQ(end, -4.0);
        EXPECT_EQ(CRandomStreams::DrawUniform(kThread), u[1]);
    }
}

TEST_F(StartAndEndTimeTest, AStartAndEndInTheSameWindowAreDrawnIndependently) {
    // Only the latest band has level of service, and the periods of the start
    // window favour window 32: pair (32, 32) alone keeps a weight.
    los = CStartAndEndTimeMM::CommuteLevelOfService();
    los.homeToWorkTime[3] = 1.0;
    los.workToHomeTime[3] = 1.0;
    model.m_terms.Add(30841, 1.0e6);  // end-band time
    model.m_terms.Add(30839, 1.0e6);  // start-band time
    model.m_terms.Add(30819, 1.0e3);  // periods in the start window (28 for window 32)
    std::uint32_t key = 1;
    std::vector<double> u = Uniforms(key, 3);
    while (!(u[2] < u[1])) u = Uniforms(++key, 3);
    double start = 0.0, end = 0.0;
    ASSERT_TRUE(DrawFor(key, start, end));
    EXPECT_EQ(start, 1020.0 + u[1] * 420.0);
    EXPECT_EQ(end, 1020.0 + u[2] * 420.0);
    // The end lies before the start; the caller's bounds settle the duration.
    EXPECT_LT(end, start);
    EXPECT_LT(start, 1440.0);
}

TEST_F(StartAndEndTimeTest, CopyParametersAndEditTakeTheTerms) {
    CStartAndEndTimeMM other(&models, "Work-Start-End-Time");
    other.m_terms.Add(30015, 1.5);
    model.CopyParameters(other);
    EXPECT_EQ(model.m_terms.m_variableIds, std::vector<int>{30015});
    EXPECT_EQ(model.m_terms.m_coefficients, std::vector<double>{1.5});

    bool confirm = false;
    CEditorRegistry::Install<CStartAndEndTimeMM>(
        [&](const CStartAndEndTimeMM&, CStartAndEndTimeMM::Parameters& edited) {
            edited.terms.Add(30000, -2.0);
            return confirm;
        });
    model.Edit();
    EXPECT_EQ(model.m_terms.m_nCount, 1);
    confirm = true;
    model.Edit();
    EXPECT_EQ(model.m_terms.m_variableIds, (std::vector<int>{30015, 30000}));
}

TEST_F(StartAndEndTimeTest, ADrawNeedsAPersonInAHousehold) {
    double start = 0.0, end = 0.0;
    EXPECT_THROW(model.Draw(nullptr, start, end), std::invalid_argument);
    CPersonObject loose(nullptr);
    EXPECT_THROW(model.Draw(&loose, start, end), std::invalid_argument);
    EXPECT_THROW(model.ComputeValues(630, 1230, nullptr, 600, 1020, 0, 0, 0, 0), std::invalid_argument);
}

// The person attributes and the per-pair utility, read from a person row.
class StartAndEndTimePersonTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { world = std::make_unique<ModelTestWorld>(GetParam()); }
    std::unique_ptr<ModelTestWorld> world;
};

TEST_P(StartAndEndTimePersonTest, PersonColumnsAreTruncatedTowardZero) {
    CPersonObject* person = world->worker();
    person->SetValue(35, 1.0);
    person->SetValue(15, -1.7);
    person->SetValue(48, 1.7);
    const auto attributes = CWorkTimeOfDayVariables::ReadPerson(*person);
    EXPECT_EQ(attributes.mother, 1.0);
    EXPECT_EQ(attributes.highFlexibility, -1.0);
    EXPECT_EQ(attributes.longHours, 1.0);
}

TEST_P(StartAndEndTimePersonTest, UtilityEvaluatesOnePairForThePersonsPattern) {
    CModelSystem models;
    CStartAndEndTimeMM model(&models, "Work-Start-End-Time");
    CPersonObject* person = world->worker();
    person->SetValue(48, 1.0);
    model.m_terms.Add(30015, 2.0);
    model.m_terms.Add(30300, 0.5);  // s1(S) x W
    const double u = model.Utility(630.0, 1230.0, person, 600.0, 1020.0, 0.0, 0.0, 0.0, 0.0);
    const double s1 = Harmonic(630.0, 6.2831853, true);
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{600.0 / 1440.0, s1}));
    EXPECT_DOUBLE_EQ(u, std::exp(2.0 * (600.0 / 1440.0) + 0.5 * s1));
}

INSTANTIATE_TEST_SUITE_P(Db, StartAndEndTimePersonTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

// The whole draw for a worker read from a database: the sixteen level-of-
// service queries between home and work zone, by band and direction.
namespace {

// Four level-of-service periods whose tables hold, for a pair (o, d) at query
// time t, auto time (column 5) = base + o + d / 100 and auto cost (column 11) =
// base / 10 + o, with base 100 (180), 200 (250), 300 (850), 400 (1000).
class StartAndEndTimeDatabaseTest : public ::testing::TestWithParam<std::string> {
protected:
    static constexpr int kHome = 3;
    static constexpr int kWork = 8;

    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        db->Execute(
            "CREATE TABLE households (hid DOUBLE PRECISION, h1 DOUBLE PRECISION, h2 DOUBLE PRECISION, "
            "zone_id DOUBLE PRECISION, h4 DOUBLE PRECISION, hhtype DOUBLE PRECISION)");
        db->Execute("INSERT INTO households VALUES (11, 0, 0, 3, 0, 4)");
        std::string columns = "hid DOUBLE PRECISION";
        std::string row = "11";
        for (int c = 1; c <= 52; ++c) {
            columns += ", p" + std::to_string(c) + " DOUBLE PRECISION";
            // person 1, employed, not a student, works in zone 8, age 40, flexible
            const int value = c == 1 ? 1 : c == 2 ? 1 : c == 5 ? kWork : c == 8 ? 40 : c == 15 ? 1 : 0;
            row += ", " + std::to_string(value);
        }
        db->Execute("CREATE TABLE persons (" + columns + ")");
        db->Execute("INSERT INTO persons VALUES (" + row + ")");
        db->Execute("CREATE TABLE zones (zid DOUBLE PRECISION, area DOUBLE PRECISION)");
        db->Execute("INSERT INTO zones VALUES (3, 1), (8, 2)");
        db->Execute(
            "CREATE TABLE zone2zone (orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION, "
            "adjacent DOUBLE PRECISION, distance DOUBLE PRECISION)");
        db->Execute("INSERT INTO zone2zone VALUES (3, 8, 0, 4.5), (8, 3, 0, 4.5)");
        db->Execute(
            "CREATE TABLE VehicleMake (type DOUBLE PRECISION, age DOUBLE PRECISION, maketype DOUBLE PRECISION)");
        db->Execute("INSERT INTO VehicleMake VALUES (1, 1, 1)");
        db->Execute("CREATE TABLE losdir (end_t DOUBLE PRECISION, tbname VARCHAR(64))");
        db->Execute(
            "INSERT INTO losdir VALUES (200, 'los_a'), (300, 'los_b'), (900, 'los_c'), (1440, 'los_d')");
        const char* tables[] = {"los_a", "los_b", "los_c", "los_d"};
        for (int b = 0; b < 4; ++b) {
            std::string cols = "orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION";
            for (int c = 2; c <= 11; ++c) cols += ", c" + std::to_string(c) + " DOUBLE PRECISION";
            db->Execute(std::string("CREATE TABLE ") + tables[b] + " (" + cols + ")");
            for (const auto& [o, d] : {std::pair{kHome, kWork}, std::pair{kWork, kHome}}) {
                std::string values = std::to_string(o) + ", " + std::to_string(d);
                for (int c = 2; c <= 11; ++c) {
                    const double v = c == 5 ? TimeOf(b, o, d) : c == 11 ? CostOf(b, o) : 0.0;
                    values += ", " + NumberText::Shortest(v);
                }
                db->Execute(std::string("INSERT INTO ") + tables[b] + " VALUES (" + values + ")");
            }
        }
        connection.OpenEx(db->Connect(), true);
        ASSERT_TRUE(manager.LoadTables(&connection));
        manager.LoadHouseholdIdPage(0, 10);
        household = manager.LoadNextHousehold();
        ASSERT_NE(household, nullptr);
        models.m_nThreadIndex = kThread;
    }
    void TearDown() override {
        manager.ReleaseHousehold();
        manager.CloseHouseholdRecordset();
        connection.Close();
    }
    static double TimeOf(int band, int o, int d) { return 100.0 * (band + 1) + o + d / 100.0; }
    static double CostOf(int band, int o) { return 10.0 * (band + 1) + o; }

    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    CInputDataManager manager;
    CHouseholdObject* household = nullptr;
    CModelSystem models;
};

}  // namespace

TEST_P(StartAndEndTimeDatabaseTest, QueriesBothDirectionsAtTheFourQueryTimes) {
    CStartAndEndTimeMM model(&models, "Work-Start-End-Time");
    CStartAndEndTimeMM::CommuteLevelOfService los;
    model.QueryLevelOfService(manager, kHome, kWork, los);
    for (int b = 0; b < 4; ++b) {
        const auto i = static_cast<size_t>(b);
        EXPECT_EQ(los.homeToWorkTime[i], TimeOf(b, kHome, kWork)) << b;
        EXPECT_EQ(los.homeToWorkCost[i], CostOf(b, kHome)) << b;
        EXPECT_EQ(los.workToHomeTime[i], TimeOf(b, kWork, kHome)) << b;
        EXPECT_EQ(los.workToHomeCost[i], CostOf(b, kWork)) << b;
    }
}

TEST_P(StartAndEndTimeDatabaseTest, DrawForAWorkerUsesItsCommuteAndAttributes) {
    CStartAndEndTimeMM model(&models, "Work-Start-End-Time");
    model.m_terms.Add(30845, 0.01);   // F x end-band time (home to work)
    model.m_terms.Add(30840, -0.02);  // start-band cost (work to home)
    model.m_terms.Add(30015, 1.5);
    CPersonObject* worker = household->GetPerson(1);
    ASSERT_NE(worker, nullptr);

    CRandomStreams::ReseedStream(kThread, 321);
    double start = -1.0, end = -1.0;
    ASSERT_TRUE(model.Draw(worker, start, end));

    // The same draw from independently worked-out weights.
    std::vector<double> weights;
    for (const auto& [s, e] : PairOrder()) {
        const PublishedWindow& ws = kPublished[static_cast<size_t>(s)];
        const PublishedWindow& we = kPublished[static_cast<size_t>(e)];
        const int endBand = BandNumber(QueryTime(we.midpoint));
        const int startBand = BandNumber(QueryTime(ws.midpoint));
        const double v = 0.01 * (1.0 * TimeOf(endBand, kHome, kWork)) + -0.02 * CostOf(startBand, kWork) +
                         1.5 * ((we.midpoint - ws.midpoint) / 1440.0);
        weights.push_back(std::exp(v));
    }
    CRandomStreams::ReseedStream(kThread, 321);
    std::vector<double> u;
    for (int i = 0; i < 3; ++i) u.push_back(CRandomStreams::DrawUniform(kThread));
    double total = 0.0;
    for (const double w : weights) total += w;
    int chosen = -1;
    double c = 0.0;
    for (size_t k = 0; k < weights.size() && chosen < 0; ++k) {
        c += weights[k] / total;
        if (c > u[0]) chosen = static_cast<int>(k);
    }
    ASSERT_GE(chosen, 0);
    const auto [s, e] = PairOrder()[static_cast<size_t>(chosen)];
    EXPECT_DOUBLE_EQ(start, kPublished[static_cast<size_t>(s)].lower + u[1] * kPublished[static_cast<size_t>(s)].width);
    EXPECT_DOUBLE_EQ(end, kPublished[static_cast<size_t>(e)].lower + u[2] * kPublished[static_cast<size_t>(e)].width);
}

INSTANTIATE_TEST_SUITE_P(Db, StartAndEndTimeDatabaseTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);
