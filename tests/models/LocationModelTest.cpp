// Location choice over candidate lists (CLocationMM), the walk-mode zone rule
// (CLocationWalkMM) and the candidate window around a target value.

#include <gtest/gtest.h>

#include "LocationTestWorld.h"

#include "models/CLocationMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CRandomStreams.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int kThread = 4;
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using Matrix = std::vector<std::vector<double>>;

// The k-th uniform (from 1) after reseeding with key; the stream is reseeded
// again afterwards, so the next draw starts from the same state.
double Uniform(std::uint32_t key, int k = 1) {
    CRandomStreams::ReseedStream(kThread, key);
    double u = 0.0;
    for (int i = 0; i < k; ++i) u = CRandomStreams::DrawUniform(kThread);
    CRandomStreams::ReseedStream(kThread, key);
    return u;
}

// The position the cumulative walk over p picks for uniform u.
size_t Walk(const std::vector<double>& p, double u) {
    double sum = 0.0;
    for (size_t j = 0; j < p.size(); ++j) {
        sum += p[j];
        if (u <= sum) return j;
    }
    return p.size() - 1;
}

std::vector<double> Logit(const std::vector<double>& v) {
    double s = 0.0;
    for (double x : v) s += std::exp(x);
    std::vector<double> p;
    for (double x : v) p.push_back(std::exp(x) / s);
    return p;
}

class LocationDrawTest : public ::testing::Test {
protected:
    LocationDrawTest() : model(&system, "Location test") { system.m_nThreadIndex = kThread; }

    void ExpectProbabilities(const std::vector<int>& candidates, const Matrix& values, double scale,
                             const std::vector<double>& expected) {
        const std::vector<double> p = model.ComputeProbabilities(candidates, values, scale);
        ASSERT_EQ(p.size(), expected.size());
        for (size_t j = 0; j < p.size(); ++j) EXPECT_NEAR(p[j], expected[j], 1e-12) << "candidate " << j;
    }

    // The draw consumes exactly one uniform: the next number of the stream is
    // the second one after the reseed.
    void ExpectOneUniform(const std::vector<int>& candidates, const Matrix& values, double scale = 1.0) {
        const double second = Uniform(77, 2);
        CRandomStreams::ReseedStream(kThread, 77);
        if (scale == 1.0)
            model.Draw(candidates, values);
        else
            model.DrawScaled(candidates, values, scale);
        EXPECT_EQ(CRandomStreams::DrawUniform(kThread), second);
    }

    CModelSystem system;
    CLocationMM model;
};

TEST_F(LocationDrawTest, ProbabilitiesAreTheLogitOfCoefficientsTimesTheMatrix) {
    model.m_terms.Add(20001, 0.5);
    model.m_terms.Add(30165, -0.1);
    const std::vector<int> zones{11, 12, 13};
    const Matrix values{{1.0, 2.0, 3.0}, {10.0, 5.0, 20.0}};
    // V = 0.5 x row 0 - 0.1 x row 1 = -0.5, 0.5, -0.5
    ExpectProbabilities(zones, values, 1.0, Logit({-0.5, 0.5, -0.5}));
}

TEST_F(LocationDrawTest, DrawWalksTheCumulativeProbabilitiesWithOneUniform) {
    model.m_terms.Add(20001, 0.8);
    model.m_terms.Add(20002, -0.3);
    const std::vector<int> zones{31, 32, 33, 34};
    const Matrix values{{1.0, 0.0, 2.0, 0.5}, {2.0, 1.0, 0.0, 4.0}};
    const std::vector<double> p = Logit({0.8 - 0.6, -0.3, 1.6, 0.4 - 1.2});
    int counts[4] = {0, 0, 0, 0};
    for (std::uint32_t key = 0; key < 600; ++key) {
        const double u = Uniform(key);
        const int chosen = model.Draw(zones, values);
        EXPECT_EQ(chosen, zones[Walk(p, u)]) << "key " << key;
        for (int j = 0; j < 4; ++j)
            if (chosen == zones[static_cast<size_t>(j)]) ++counts[j];
    }
    // Every candidate is reached.
    for (int c : counts) EXPECT_GT(c, 0);
    ExpectOneUniform(zones, values);
}

TEST_F(LocationDrawTest, ModelWithoutTermsOrWithEmptyRowsIsUniform) {
    const std::vector<int> zones{1, 2, 3, 4};
    ExpectProbabilities(zones, {}, 1.0, {0.25, 0.25, 0.25, 0.25});
    model.m_terms.Add(20001, 2.0);
    model.m_terms.Add(20002, -1.0);
    ExpectProbabilities(zones, {{}, {}}, 1.0, {0.25, 0.25, 0.25, 0.25});
}

TEST_F(LocationDrawTest, ScaleTwoEqualsHalvedCoefficients) {
    model.m_terms.Add(20001, 1.4);
    model.m_terms.Add(20002, -0.6);
    const std::vector<int> zones{5, 6, 7};
    const Matrix values{{1.0, 3.0, 2.0}, {2.0, 0.5, 4.0}};
    CLocationMM halved(&system, "halved");
    halved.m_terms.Add(20001, 0.7);
    halved.m_terms.Add(20002, -0.3);
    ExpectProbabilities(zones, values, 2.0, halved.ComputeProbabilities(zones, values, 1.0));
    for (std::uint32_t key = 100; key < 300; ++key) {
        CRandomStreams::ReseedStream(kThread, key);
        const int scaled = model.DrawScaled(zones, values, 2.0);
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(scaled, halved.Draw(zones, values));
    }
    ExpectOneUniform(zones, values, 2.0);
}

TEST_F(LocationDrawTest, SingleCandidateIsChosenAndStillDrawsOneUniform) {
    model.m_terms.Add(20001, 1.0);
    EXPECT_EQ(model.Draw({42}, {{3.0}}), 42);
    ExpectOneUniform({42}, {{3.0}});
}

// Mended inputs: none of them reads outside the list or the matrix, none
// chooses by a NaN, and each draws exactly one uniform.

TEST_F(LocationDrawTest, EmptyListGivesMinusOneAfterOneUniform) {
    model.m_terms.Add(20001, 1.0);
    CRandomStreams::ReseedStream(kThread, 5);
    EXPECT_EQ(model.Draw({}, {{}}), -1);
    EXPECT_EQ(model.DrawScaled({}, {}, 0.0), -1);
    ExpectOneUniform({}, {{}});
    ExpectOneUniform({}, {}, 3.0);
}

TEST_F(LocationDrawTest, MissingRowAddsNothing) {
    model.m_terms.Add(20001, 1.0);
    model.m_terms.Add(20002, 5.0);  // no row for this term
    const std::vector<int> zones{1, 2};
    ExpectProbabilities(zones, {{0.0, 1.0}}, 1.0, Logit({0.0, 1.0}));
    ExpectOneUniform(zones, {{0.0, 1.0}});
}

TEST_F(LocationDrawTest, ShortRowAddsNothingPastItsEnd) {
    model.m_terms.Add(20001, 1.0);
    model.m_terms.Add(20002, 2.0);
    const std::vector<int> zones{1, 2, 3};
    // Row 1 lacks candidate 3: its utility comes from row 0 alone.
    ExpectProbabilities(zones, {{0.5, 0.5, 0.5}, {1.0, -1.0}}, 1.0, Logit({2.5, -1.5, 0.5}));
    ExpectOneUniform(zones, {{0.5, 0.5, 0.5}, {1.0, -1.0}});
}

TEST_F(LocationDrawTest, NaNUtilityIsNeverChosen) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2, 3};
    const Matrix values{{0.0, kNaN, 1.0}};
    const std::vector<double> finite = Logit({0.0, 1.0});
    ExpectProbabilities(zones, values, 1.0, {finite[0], 0.0, finite[1]});
    for (std::uint32_t key = 0; key < 300; ++key) {
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_NE(model.Draw(zones, values), 2);
    }
    ExpectOneUniform(zones, values);
}

TEST_F(LocationDrawTest, AllNaNIsUniformOverAll) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2};
    ExpectProbabilities(zones, {{kNaN, kNaN}}, 1.0, {0.5, 0.5});
    ExpectOneUniform(zones, {{kNaN, kNaN}});
}

TEST_F(LocationDrawTest, PlusInfinityCandidatesShareTheChoice) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2, 3, 4};
    const Matrix values{{kInf, 5.0, kInf, kNaN}};
    ExpectProbabilities(zones, values, 1.0, {0.5, 0.0, 0.5, 0.0});
    for (std::uint32_t key = 0; key < 200; ++key) {
        const double u = Uniform(key);
        EXPECT_EQ(model.Draw(zones, values), u <= 0.5 ? 1 : 3);
    }
    ExpectOneUniform(zones, values);
}

TEST_F(LocationDrawTest, AllMinusInfinityIsUniformOverAll) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2, 3};
    ExpectProbabilities(zones, {{-kInf, -kInf, -kInf}}, 1.0, {1.0 / 3, 1.0 / 3, 1.0 / 3});
    // Beside a finite utility, minus infinity has probability 0.
    ExpectProbabilities(zones, {{-kInf, 0.0, -kInf}}, 1.0, {0.0, 1.0, 0.0});
    ExpectOneUniform(zones, {{-kInf, -kInf, -kInf}});
}

TEST_F(LocationDrawTest, HugeUtilitiesDoNotOverflow) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2};
    const double p0 = 1.0 / (1.0 + std::exp(-1.0));
    ExpectProbabilities(zones, {{1000.0, 999.0}}, 1.0, {p0, 1.0 - p0});
    ExpectProbabilities(zones, {{-1000.0, -1001.0}}, 1.0, {p0, 1.0 - p0});
    ExpectOneUniform(zones, {{1000.0, 999.0}});
}

TEST_F(LocationDrawTest, ZeroScaleChoosesAmongTheLargestUtilities) {
    model.m_terms.Add(20001, 1.0);
    const std::vector<int> zones{1, 2, 3, 4};
    ExpectProbabilities(zones, {{0.5, 2.0, kNaN, 2.0}}, 0.0, {0.0, 0.5, 0.0, 0.5});
    // All utilities zero: a tie among all, not 0 / 0.
    ExpectProbabilities(zones, {{0.0, 0.0, 0.0, 0.0}}, 0.0, {0.25, 0.25, 0.25, 0.25});
    ExpectOneUniform(zones, {{0.5, 2.0, kNaN, 2.0}}, 0.0);
}

TEST_F(LocationDrawTest, CopyParametersTakesTermsAndVariance) {
    CLocationMM source(&system, "source");
    source.m_terms.Add(20003, 1.25);
    source.m_fVariance = 2.5f;
    model.m_terms.Add(20001, 9.0);
    model.CopyParameters(source);
    ASSERT_EQ(model.m_terms.m_nCount, 1);
    EXPECT_EQ(model.m_terms.m_variableIds[0], 20003);
    EXPECT_EQ(model.m_terms.m_coefficients[0], 1.25);
    EXPECT_EQ(model.m_fVariance, 2.5f);
    EXPECT_EQ(model.GetName(), "Location test");
}

TEST_F(LocationDrawTest, EditAdoptsOnlyConfirmedChanges) {
    model.m_terms.Add(20001, 1.0);
    CEditorRegistry::Install<CLocationMM>([](const CLocationMM& m, CLocationMM::Parameters& edited) {
        edited.terms.Add(20002, 3.0);
        edited.variance = 4.0f;
        return false;
    });
    model.Edit();
    EXPECT_EQ(model.m_terms.m_nCount, 1);
    EXPECT_EQ(model.m_fVariance, 0.0f);
    CEditorRegistry::Install<CLocationMM>([](const CLocationMM& m, CLocationMM::Parameters& edited) {
        edited.terms.Add(20002, 3.0);
        edited.variance = 4.0f;
        return true;
    });
    model.Edit();
    CEditorRegistry::Remove<CLocationMM>();
    EXPECT_EQ(model.m_terms.m_nCount, 2);
    EXPECT_EQ(model.m_fVariance, 4.0f);
}

// ---------------------------------------------------------------------------
// Walk-mode zone rule.

class LocationWalkTest : public ::testing::Test {
protected:
    LocationWalkTest() { system.m_nThreadIndex = kThread; }
    CModelSystem system;
};

TEST_F(LocationWalkTest, KeepsItsNameApartFromTheBase) {
    CLocationWalkMM walk(&system, "NonWorker Stop Loction (Walk mode)", 75.0f);
    EXPECT_EQ(walk.GetName(), "");
    EXPECT_EQ(walk.GetWalkModelName(), "NonWorker Stop Loction (Walk mode)");
    EXPECT_EQ(walk.GetPercent(), 75.0f);
}

TEST_F(LocationWalkTest, SeventyFivePercentWithFourAdjacentZones) {
    CLocationWalkMM walk(&system, "walk", 75.0f);
    const std::vector<int> adjacent{21, 22, 23, 24};
    int kept = 0;
    const int draws = 4000;
    for (std::uint32_t key = 0; key < static_cast<std::uint32_t>(draws); ++key) {
        const double u = Uniform(key);
        // Zone kept below 0.75; above it, each adjacent zone covers 0.0625.
        int expected = 9;
        if (u > 0.75) expected = adjacent[std::min<size_t>(3, static_cast<size_t>(std::ceil((u - 0.75) / 0.0625)) - 1)];
        const int zone = walk.Draw(9, adjacent);
        EXPECT_EQ(zone, expected) << "u " << u;
        if (zone == 9) ++kept;
    }
    EXPECT_NEAR(static_cast<double>(kept) / draws, 0.75, 0.03);
}

TEST_F(LocationWalkTest, FiftyPercentSplitsEvenlyOverTwoZones) {
    CLocationWalkMM walk(&system, "walk", 50.0f);
    for (std::uint32_t key = 0; key < 500; ++key) {
        const double u = Uniform(key);
        const int expected = u <= 0.5 ? 3 : (u <= 0.75 ? 4 : 5);
        EXPECT_EQ(walk.Draw(3, {4, 5}), expected);
    }
}

TEST_F(LocationWalkTest, NoAdjacentZoneKeepsTheZoneAndConsumesOneUniform) {
    CLocationWalkMM walk(&system, "walk", 75.0f);
    const double second = Uniform(12, 2);
    CRandomStreams::ReseedStream(kThread, 12);
    EXPECT_EQ(walk.Draw(17, {}), 17);
    EXPECT_EQ(CRandomStreams::DrawUniform(kThread), second);
}

TEST_F(LocationWalkTest, NeverLeavesTheZoneAtOneHundredPercent) {
    CLocationWalkMM walk(&system, "walk", 100.0f);
    for (std::uint32_t key = 0; key < 200; ++key) {
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(walk.Draw(8, {1, 2, 3}), 8);
    }
}

// ---------------------------------------------------------------------------
// Vehicle-make candidates.

class VehicleMakeCandidatesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(VehicleMakeCandidatesTest, AppendsRowPositionsOfTheKey) {
    LocationTestWorld world(GetParam());
    world.AddVehicleMake(2, 3, 501);
    world.AddVehicleMake(2, 3, 502);
    world.AddVehicleMake(2, 3, 503);
    world.AddVehicleMake(4, 1, 601);
    world.Load({{0, 1}, {3, 1}}, {});
    CModelSystem system;
    CLocationMM make(&system, "Vehicle Make");
    system.m_pDataManager = &world.manager;

    std::vector<int> indices{9};
    EXPECT_EQ(make.ListCandidateIndices(2, 3, indices), 3);
    EXPECT_EQ(indices, (std::vector<int>{9, 0, 1, 2}));
    std::vector<int> none;
    EXPECT_EQ(make.ListCandidateIndices(5, 5, none), 0);
    EXPECT_TRUE(none.empty());
    // A key without rows gives an empty list, and the draw over it -1.
    system.m_nThreadIndex = kThread;
    EXPECT_EQ(make.Draw(none, {}), -1);
}

INSTANTIATE_TEST_SUITE_P(Db, VehicleMakeCandidatesTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
