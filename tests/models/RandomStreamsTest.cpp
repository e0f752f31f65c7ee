// Random streams and stored seed states: the generator's arithmetic against an
// independent integer stepping of the MRG32k3a recurrences, the seed table
// against an independent jump-ahead computation, and the reseed protocol.

#include "models/CRandomStreams.h"
#include "models/CSeedTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using I64 = std::int64_t;
using U64 = std::uint64_t;
using U128 = unsigned __int128;

constexpr I64 kM1 = 4294967087;
constexpr I64 kM2 = 4294944443;

// Integer state of the two recurrences, stepped by hand.
struct IntState {
    I64 s[6];
};

IntState FromSeed(const CSeedTable::State& seed) {
    IntState st{};
    for (int i = 0; i < 6; ++i) st.s[i] = static_cast<I64>(seed[i]);
    return st;
}

// One step: x1[n] = (1403580 x1[n-2] - 810728 x1[n-3]) mod m1,
//           x2[n] = (527612 x2[n-1] - 1370589 x2[n-3]) mod m2,
// output (x1[n] - x2[n]) mod m1, scaled; 0 is output as m1.
double HandStep(IntState& st) {
    I64 x1 = (1403580 * st.s[1] - 810728 * st.s[0]) % kM1;
    if (x1 < 0) x1 += kM1;
    I64 x2 = (527612 * st.s[5] - 1370589 * st.s[3]) % kM2;
    if (x2 < 0) x2 += kM2;
    st.s[0] = st.s[1];
    st.s[1] = st.s[2];
    st.s[2] = x1;
    st.s[3] = st.s[4];
    st.s[4] = st.s[5];
    st.s[5] = x2;
    const I64 z = x1 <= x2 ? x1 - x2 + kM1 : x1 - x2;
    return static_cast<double>(z) * 2.328306549295728e-10;
}

using Mat = std::array<std::array<U64, 3>, 3>;

Mat Multiply(const Mat& a, const Mat& b, U64 m) {
    Mat r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            U128 sum = 0;
            for (int k = 0; k < 3; ++k) sum += static_cast<U128>(a[i][k]) * b[k][j];
            r[i][j] = static_cast<U64>(sum % m);
        }
    return r;
}

// a^e mod m by right-to-left square-and-multiply over the bits of a 128-bit exponent.
Mat Power(Mat a, U128 e, U64 m) {
    Mat r = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    while (e != 0) {
        if (e & 1) r = Multiply(r, a, m);
        a = Multiply(a, a, m);
        e >>= 1;
    }
    return r;
}

std::array<U64, 3> Apply(const Mat& a, const std::array<U64, 3>& v, U64 m) {
    std::array<U64, 3> r{};
    for (int i = 0; i < 3; ++i) {
        U128 sum = 0;
        for (int k = 0; k < 3; ++k) sum += static_cast<U128>(a[i][k]) * v[k];
        r[i] = static_cast<U64>(sum % m);
    }
    return r;
}

const Mat kStep1 = {{{0, 1, 0}, {0, 0, 1}, {kM1 - 810728, 1403580, 0}}};
const Mat kStep2 = {{{0, 1, 0}, {0, 0, 1}, {kM2 - 1370589, 0, 527612}}};

const U128 kTwoTo127 = static_cast<U128>(1) << 127;

// The jump matrices of 2^127 steps as published with the stream-splitting scheme.
const Mat kPublishedJump1 = {{{2427906178u, 3580155704u, 949770784u},
                              {226153695u, 1230515664u, 3580155704u},
                              {1988835001u, 986791581u, 1230515664u}}};
const Mat kPublishedJump2 = {{{1464411153u, 277697599u, 1610723613u},
                              {32183930u, 1464411153u, 1022607788u},
                              {2824425944u, 32183930u, 2093834863u}}};

}  // namespace

// ---------------------------------------------------------------- generator

TEST(RandomStreamGenerator, FirstOutputsFromTheStandardSeed) {
    const CSeedTable::State& first = CSeedTable::Entry(0);
    for (double component : first) EXPECT_EQ(component, 12345.0);

    CRandomStreams::ReseedStream(0, 0);
    EXPECT_EQ(CRandomStreams::DrawUniform(0), 0.12701112204657714);
    EXPECT_EQ(CRandomStreams::DrawUniform(0), 0.3185275653967945);
    EXPECT_EQ(CRandomStreams::DrawUniform(0), 0.3091860155832701);
}

TEST(RandomStreamGenerator, MatchesIntegerSteppingOfTheRecurrences) {
    for (std::uint32_t key : {0u, 1u, 777u, 5000u, 10000u}) {
        IntState hand = FromSeed(CSeedTable::Entry(key));
        CRandomStreams::ReseedStream(2, key);
        for (int n = 0; n < 5000; ++n) {
            const double expected = HandStep(hand);
            const double drawn = CRandomStreams::DrawUniform(2);
            ASSERT_EQ(drawn, expected) << "key " << key << " draw " << n;
            ASSERT_GT(drawn, 0.0);
            ASSERT_LT(drawn, 1.0);
        }
        const std::array<double, 6> state = CRandomStreams::StreamState(2);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(state[i], static_cast<double>(hand.s[i]));
    }
}

TEST(RandomStreamGenerator, StandardNormalUsesTwoUniformsInOrder) {
    CRandomStreams::ReseedStream(4, 321);
    const double u1 = CRandomStreams::DrawUniform(4);
    const double u2 = CRandomStreams::DrawUniform(4);
    const double u3 = CRandomStreams::DrawUniform(4);

    CRandomStreams::ReseedStream(4, 321);
    const double z = CRandomStreams::DrawStandardNormal(4);
    EXPECT_EQ(z, std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307 * u2));
    EXPECT_NE(z, std::sqrt(-2.0 * std::log(u2)) * std::cos(6.283185307 * u1));
    EXPECT_EQ(CRandomStreams::DrawUniform(4), u3);
}

// ---------------------------------------------------------------- seed table

TEST(SeedTable, EveryStateIsValidAndAllAreDistinct) {
    std::set<CSeedTable::State> distinct;
    for (int k = 0; k < CSeedTable::kSize; ++k) {
        const CSeedTable::State& st = CSeedTable::Entry(static_cast<std::uint32_t>(k));
        bool firstAllZero = true;
        bool secondAllZero = true;
        for (int i = 0; i < 6; ++i) {
            ASSERT_EQ(st[i], std::floor(st[i])) << "entry " << k;
            ASSERT_GE(st[i], 0.0) << "entry " << k;
            ASSERT_LT(st[i], i < 3 ? 4294967087.0 : 4294944443.0) << "entry " << k;
            if (st[i] != 0.0) (i < 3 ? firstAllZero : secondAllZero) = false;
        }
        ASSERT_FALSE(firstAllZero) << "entry " << k;
        ASSERT_FALSE(secondAllZero) << "entry " << k;
        distinct.insert(st);
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(CSeedTable::kSize));
}

TEST(SeedTable, StepMatricesDescribeTheGenerator) {
    // One generator step equals one product with the step matrices.
    const CSeedTable::State& seed = CSeedTable::Entry(17);
    CRandomStreams::ReseedStream(5, 17);
    CRandomStreams::DrawUniform(5);
    const std::array<double, 6> stepped = CRandomStreams::StreamState(5);
    const auto a = Apply(kStep1, {static_cast<U64>(seed[0]), static_cast<U64>(seed[1]), static_cast<U64>(seed[2])}, kM1);
    const auto b = Apply(kStep2, {static_cast<U64>(seed[3]), static_cast<U64>(seed[4]), static_cast<U64>(seed[5])}, kM2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stepped[i], static_cast<double>(a[i]));
        EXPECT_EQ(stepped[3 + i], static_cast<double>(b[i]));
    }

    // The power routine agrees with stepping 1000 times by hand.
    IntState hand = FromSeed(seed);
    for (int n = 0; n < 1000; ++n) HandStep(hand);
    const auto a1000 = Apply(Power(kStep1, 1000, kM1),
                             {static_cast<U64>(seed[0]), static_cast<U64>(seed[1]), static_cast<U64>(seed[2])}, kM1);
    const auto b1000 = Apply(Power(kStep2, 1000, kM2),
                             {static_cast<U64>(seed[3]), static_cast<U64>(seed[4]), static_cast<U64>(seed[5])}, kM2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<I64>(a1000[i]), hand.s[i]);
        EXPECT_EQ(static_cast<I64>(b1000[i]), hand.s[3 + i]);
    }
}

TEST(SeedTable, JumpOf2To127StepsMatchesThePublishedMatrices) {
    EXPECT_EQ(Power(kStep1, kTwoTo127, kM1), kPublishedJump1);
    EXPECT_EQ(Power(kStep2, kTwoTo127, kM2), kPublishedJump2);
}

TEST(SeedTable, EachEntryIs2To127StepsAfterThePrevious) {
    const Mat jump1 = Power(kStep1, kTwoTo127, kM1);
    const Mat jump2 = Power(kStep2, kTwoTo127, kM2);
    for (int k : {0, 1, 2, 1234, 9998, 9999}) {
        const CSeedTable::State& cur = CSeedTable::Entry(static_cast<std::uint32_t>(k));
        const CSeedTable::State& next = CSeedTable::Entry(static_cast<std::uint32_t>(k + 1));
        const auto a = Apply(jump1, {static_cast<U64>(cur[0]), static_cast<U64>(cur[1]), static_cast<U64>(cur[2])}, kM1);
        const auto b = Apply(jump2, {static_cast<U64>(cur[3]), static_cast<U64>(cur[4]), static_cast<U64>(cur[5])}, kM2);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(next[i], static_cast<double>(a[i])) << "entry " << k + 1;
            EXPECT_EQ(next[3 + i], static_cast<double>(b[i])) << "entry " << k + 1;
        }
    }
}

TEST(SeedTable, IndexBeyondTheTableWrapsAround) {
    EXPECT_EQ(&CSeedTable::Entry(10001), &CSeedTable::Entry(0));
    EXPECT_EQ(&CSeedTable::Entry(10100), &CSeedTable::Entry(99));
    EXPECT_EQ(&CSeedTable::Entry(10000), &CSeedTable::Table().back());
}

// ---------------------------------------------------------------- reseed protocol

TEST(ReseedStream, MarksTheStreamForReloadFromTheKeyedState) {
    CRandomStreams::ReseedStream(6, 42);
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(6), 42);
    EXPECT_FALSE(CRandomStreams::StreamLoaded(6));

    IntState hand = FromSeed(CSeedTable::Entry(42));
    EXPECT_EQ(CRandomStreams::DrawUniform(6), HandStep(hand));
    EXPECT_TRUE(CRandomStreams::StreamLoaded(6));
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(6), 42);
}

TEST(ReseedStream, SameKeyGivesSameFirstUniformAndDrawsContinueBetweenReseeds) {
    CRandomStreams::ReseedStream(1, 9876);
    const double first = CRandomStreams::DrawUniform(1);
    const double second = CRandomStreams::DrawUniform(1);
    EXPECT_NE(first, second);

    // Whatever the stream did in between, the same key restarts it identically.
    for (int n = 0; n < 37; ++n) CRandomStreams::DrawUniform(1);
    CRandomStreams::ReseedStream(1, 9876);
    EXPECT_EQ(CRandomStreams::DrawUniform(1), first);
    EXPECT_EQ(CRandomStreams::DrawUniform(1), second);

    // Another key starts elsewhere.
    CRandomStreams::ReseedStream(1, 9877);
    EXPECT_NE(CRandomStreams::DrawUniform(1), first);
}

TEST(ReseedStream, KeyIsTakenAsUnsigned32BitModuloTableSize) {
    auto firstDrawAfter = [](std::uint32_t key) {
        CRandomStreams::ReseedStream(7, key);
        return CRandomStreams::DrawUniform(7);
    };
    CRandomStreams::ReseedStream(7, 10001 + 5);
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(7), 5);
    EXPECT_EQ(firstDrawAfter(10001 + 5), firstDrawAfter(5));

    // A key pushed past the table by an offset ((id mod 10001) + 100) wraps again.
    CRandomStreams::ReseedStream(7, 10100);
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(7), 99);
    EXPECT_EQ(firstDrawAfter(10100), firstDrawAfter(99));

    // A negative int key is read as its unsigned 32-bit value: 4294967295 mod 10001 = 7842.
    const int negativeKey = -1;
    CRandomStreams::ReseedStream(7, negativeKey);
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(7), 7842);

    CRandomStreams::ReseedStream(7, 4294967295u);
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(7), 7842);
}

TEST(ReseedStream, LeavesTheOtherThreadsUntouched) {
    for (int s = 0; s < CRandomStreams::kThreadCount; ++s) {
        CRandomStreams::ReseedStream(s, static_cast<std::uint32_t>(100 + s));
        CRandomStreams::DrawUniform(s);
    }
    std::vector<std::array<double, 6>> before;
    for (int s = 0; s < CRandomStreams::kThreadCount; ++s) before.push_back(CRandomStreams::StreamState(s));

    CRandomStreams::ReseedStream(3, 5555);
    CRandomStreams::DrawUniform(3);
    CRandomStreams::DrawUniform(3);

    for (int s = 0; s < CRandomStreams::kThreadCount; ++s) {
        if (s == 3) continue;
        EXPECT_EQ(CRandomStreams::StreamState(s), before[s]) << "thread " << s;
        EXPECT_EQ(CRandomStreams::StreamSeedIndex(s), 100 + s);
        EXPECT_TRUE(CRandomStreams::StreamLoaded(s));
    }
    EXPECT_NE(CRandomStreams::StreamState(3), before[3]);
}

TEST(ReseedStream, TenThreadsDrawingAtOnceEachGetTheirOwnSequence) {
    constexpr int kDecisions = 200;
    constexpr int kDrawsPerDecision = 25;
    auto keyOf = [](int thread, int decision) {
        return static_cast<std::uint32_t>(thread * 1000 + decision * 37);
    };
    auto run = [&](int thread) {
        std::vector<double> out;
        out.reserve(kDecisions * kDrawsPerDecision);
        for (int d = 0; d < kDecisions; ++d) {
            CRandomStreams::ReseedStream(thread, keyOf(thread, d));
            for (int n = 0; n < kDrawsPerDecision; ++n) out.push_back(CRandomStreams::DrawUniform(thread));
        }
        return out;
    };

    // Expected sequences from hand stepping of the keyed states.
    std::vector<std::vector<double>> expected(CRandomStreams::kThreadCount);
    for (int t = 0; t < CRandomStreams::kThreadCount; ++t)
        for (int d = 0; d < kDecisions; ++d) {
            IntState hand = FromSeed(CSeedTable::Entry(keyOf(t, d)));
            for (int n = 0; n < kDrawsPerDecision; ++n) expected[t].push_back(HandStep(hand));
        }

    std::vector<std::vector<double>> results(CRandomStreams::kThreadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < CRandomStreams::kThreadCount; ++t)
        threads.emplace_back([&, t] { results[t] = run(t); });
    for (std::thread& th : threads) th.join();

    for (int t = 0; t < CRandomStreams::kThreadCount; ++t) EXPECT_EQ(results[t], expected[t]) << "thread " << t;
}

TEST(ReseedStream, ThreadIndexOutsideTheTableIsRejected) {
    EXPECT_THROW(CRandomStreams::ReseedStream(-1, 0), std::out_of_range);
    EXPECT_THROW(CRandomStreams::ReseedStream(10, 0), std::out_of_range);
    EXPECT_THROW(CRandomStreams::DrawUniform(10), std::out_of_range);
    EXPECT_THROW(CRandomStreams::DrawStandardNormal(-3), std::out_of_range);
}
