// Multinomial logit: construction from a name table, the cumulative draw
// against probabilities worked out independently from the uniforms of the
// thread's stream, availability, the number of uniforms a draw takes, the
// behaviour outside the usual limits (nothing open, overflowing utilities,
// missing utility functions, unknown IDs), parameter copies, the editor and the
// evaluation of every alternative's terms at each level.

#include "ModelTestWorld.h"
#include "support/RecordingMessageSink.h"

#include "models/CMNLogitMM.h"
#include "models/CRandomStreams.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kThread = 6;

const std::map<int, std::string> kModes = {
    {0, "Drive Alone"}, {1, "Passenger"}, {2, "Walk/Bike"}, {3, "Transit"}, {7, "Drive With Passenger"}};

// Gives alternative id a utility function of one term whose value is already
// computed, as the evaluator leaves it.
void SetUtility(CMNLogitMM& model, int id, double v) {
    CVariableSet& terms = model.m_utilityFunctions[id];
    terms.Clear();
    terms.Add(30000, v);
    terms.m_values = {1.0};
}

class MNLogitTest : public ::testing::Test {
protected:
    void SetUp() override { models.m_nThreadIndex = kThread; }
    void TearDown() override { CEditorRegistry::Remove<CMNLogitMM>(); }

    // The first uniform after a reseed with key.
    double FirstUniform(std::uint32_t key) {
        CRandomStreams::ReseedStream(kThread, key);
        return CRandomStreams::DrawUniform(kThread);
    }
    double Next() { return CRandomStreams::DrawUniform(kThread); }

    // The alternative a cumulative walk over (id, weight) picks for u, with the
    // probabilities normalised first.
    static int Expected(const std::vector<std::pair<int, double>>& weights, double u) {
        double total = 0.0;
        for (const auto& [id, w] : weights) total += w;
        double running = 0.0;
        for (const auto& [id, w] : weights) {
            running += w / total;
            if (u <= running) return id;
        }
        return weights.back().first;
    }

    CModelSystem models;
};

}  // namespace

TEST_F(MNLogitTest, ConstructionCopiesTheTableWithEveryAlternativeOpenAndWithoutTerms) {
    CMNLogitMM model(&models, "WH commute mode", &kModes);
    EXPECT_EQ(model.GetName(), "WH commute mode");
    EXPECT_EQ(model.GetOwner(), &models);
    EXPECT_EQ(model.m_nAlternatives, 5);
    EXPECT_EQ(model.m_nBaseAlternative, 0);
    EXPECT_EQ(model.m_alternativeNames, kModes);
    ASSERT_EQ(model.m_availability.size(), 5u);
    for (const auto& [id, open] : model.m_availability) {
        EXPECT_TRUE(open) << id;
        ASSERT_EQ(model.m_utilityFunctions.count(id), 1u);
        EXPECT_EQ(model.m_utilityFunctions.at(id).m_nCount, 0);
    }
}

TEST_F(MNLogitTest, EqualUtilitiesPickThePositionOfTheUniformAmongTheOpenAlternatives) {
    CMNLogitMM model(&models, "Mode for Tour 1", &kModes);
    const std::vector<int> ids = {0, 1, 2, 3, 7};
    for (std::uint32_t key = 100; key < 140; ++key) {
        const double u = FirstUniform(key);
        CRandomStreams::ReseedStream(kThread, key);
        const int chosen = model.Draw();
        // Position ceil(U x n) in ascending ID order (1-based).
        const int position = static_cast<int>(std::ceil(u * 5.0));
        EXPECT_EQ(chosen, ids[static_cast<size_t>(position - 1)]) << "U = " << u;
    }
}

TEST_F(MNLogitTest, DrawFollowsTheLogitProbabilitiesOfTheUtilities) {
    CMNLogitMM model(&models, "BW Tour Mode", &kModes);
    const std::map<int, double> v = {{0, 0.4}, {1, -1.2}, {2, 0.0}, {3, 1.1}, {7, -0.3}};
    for (const auto& [id, value] : v) SetUtility(model, id, value);
    std::vector<std::pair<int, double>> weights;
    for (const auto& [id, value] : v) weights.emplace_back(id, std::exp(value));

    std::map<int, int> seen;
    for (std::uint32_t key = 1; key <= 300; ++key) {
        const double u = FirstUniform(key);
        CRandomStreams::ReseedStream(kThread, key);
        const int chosen = model.Draw();
        EXPECT_EQ(chosen, Expected(weights, u)) << "key " << key;
        ++seen[chosen];
    }
    // Every alternative has a fair share and can be drawn.
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(MNLogitTest, ClosedAlternativesTakeNoShareAndAreNeverChosen) {
    CMNLogitMM model(&models, "Tour 1 Stop Activity Type", &kModes);
    for (const int id : {0, 1, 2, 3, 7}) SetUtility(model, id, 0.1 * id);
    // Closing 0 and 3: the walk runs over 1, 2 and 7 only.
    model.SetUnavailable({0, 3});
    const std::vector<std::pair<int, double>> open = {{1, std::exp(0.1)}, {2, std::exp(0.2)}, {7, std::exp(0.7)}};
    for (std::uint32_t key = 500; key < 600; ++key) {
        const double u = FirstUniform(key);
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(model.Draw(), Expected(open, u));
    }
}

TEST_F(MNLogitTest, SetUnavailableStatesTheWholeClosedSetEachTime) {
    CMNLogitMM model(&models, "Mode for Tour 2", &kModes);
    model.SetUnavailable({0, 2, 3});
    EXPECT_FALSE(model.m_availability.at(0));
    EXPECT_TRUE(model.m_availability.at(1));
    model.SetUnavailable({7});
    EXPECT_TRUE(model.m_availability.at(0));
    EXPECT_TRUE(model.m_availability.at(2));
    EXPECT_FALSE(model.m_availability.at(7));
    model.SetUnavailable({});
    for (const auto& [id, open] : model.m_availability) EXPECT_TRUE(open) << id;
}

TEST_F(MNLogitTest, AnUnknownClosedIdIsIgnoredAndNeverBecomesAnAlternative) {
    CMNLogitMM model(&models, "Mode for Tour 3", &kModes);
    model.SetUnavailable({4, 5, 99, -1});
    EXPECT_EQ(model.m_availability.size(), 5u);
    EXPECT_EQ(model.m_availability.count(4), 0u);
    model.SetUnavailable({});
    EXPECT_EQ(model.m_availability.size(), 5u);
    for (std::uint32_t key = 1; key < 60; ++key) {
        CRandomStreams::ReseedStream(kThread, key);
        const int chosen = model.Draw();
        EXPECT_EQ(kModes.count(chosen), 1u) << chosen;
    }
}

TEST_F(MNLogitTest, OneOpenAlternativeIsReturnedWithoutTakingAUniform) {
    CMNLogitMM model(&models, "Mode to school for children", &kModes);
    model.SetUnavailable({0, 1, 2, 7});
    const double first = FirstUniform(77);
    CRandomStreams::ReseedStream(kThread, 77);
    EXPECT_EQ(model.Draw(), 3);
    // The stream has not moved: the next uniform is the one the draw would have used.
    EXPECT_EQ(Next(), first);
}

TEST_F(MNLogitTest, ADrawOverSeveralAlternativesTakesExactlyOneUniform) {
    CMNLogitMM model(&models, "AW Tour Mode", &kModes);
    CRandomStreams::ReseedStream(kThread, 31);
    Next();
    const double second = Next();
    CRandomStreams::ReseedStream(kThread, 31);
    model.Draw();
    EXPECT_EQ(Next(), second);
}

TEST_F(MNLogitTest, NoOpenAlternativeGivesMinusOneWithoutTakingAUniform) {
    CMNLogitMM model(&models, "WB Tour Mode", &kModes);
    model.SetUnavailable({0, 1, 2, 3, 7});
    const double first = FirstUniform(12);
    CRandomStreams::ReseedStream(kThread, 12);
    EXPECT_EQ(model.Draw(), -1);
    EXPECT_EQ(Next(), first);

    CMNLogitMM empty(&models, "empty", nullptr);
    EXPECT_EQ(empty.m_nAlternatives, 0);
    EXPECT_EQ(empty.Draw(), -1);
}

TEST_F(MNLogitTest, AnOverflowingUtilityEndsOnTheLastOpenAlternative) {
    CMNLogitMM model(&models, "Mode for Tour 4", &kModes);
    SetUtility(model, 1, 1000.0);  // exp overflows: the shares are not numbers
    model.SetUnavailable({7});
    for (std::uint32_t key = 1; key < 20; ++key) {
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(model.Draw(), 3);
    }
}

TEST_F(MNLogitTest, AnOpenAlternativeWithoutUtilityFunctionCountsAsUtilityZero) {
    CMNLogitMM model(&models, "WH commute mode", &kModes);
    model.m_utilityFunctions.clear();
    SetUtility(model, 0, std::log(3.0));
    SetUtility(model, 1, 0.0);
    model.SetUnavailable({3, 7});
    // 0 has weight 3, 1 and 2 (no function) weight 1 each.
    const std::vector<std::pair<int, double>> weights = {{0, 3.0}, {1, 1.0}, {2, 1.0}};
    for (std::uint32_t key = 1; key < 100; ++key) {
        const double u = FirstUniform(key);
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(model.Draw(), Expected(weights, u));
    }
    // The draw added no utility function.
    EXPECT_EQ(model.m_utilityFunctions.size(), 2u);
}

TEST_F(MNLogitTest, MissingUtilityFunctionsAreReportedInOneMessage) {
    RecordingMessageSink sink;
    CMNLogitMM model(&models, "WH commute mode", &kModes);
    EXPECT_TRUE(model.AlternativesWithoutUtility().empty());
    EXPECT_TRUE(model.CheckUtilityFunctions());
    EXPECT_TRUE(sink.Texts().empty());

    model.m_utilityFunctions.erase(3);
    model.m_utilityFunctions.erase(7);
    EXPECT_EQ(model.AlternativesWithoutUtility(), (std::vector<int>{3, 7}));
    EXPECT_FALSE(model.CheckUtilityFunctions());
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("WH commute mode"), std::string::npos);
    EXPECT_NE(sink.Texts()[0].find("3, 7"), std::string::npos);
}

TEST_F(MNLogitTest, TheBaseAlternativeHasNoSpecialRoleInTheDraw) {
    CMNLogitMM model(&models, "BW Tour Mode", &kModes);
    model.m_nBaseAlternative = 0;
    SetUtility(model, 0, 2.0);
    model.SetUnavailable({2, 3, 7});
    const std::vector<std::pair<int, double>> weights = {{0, std::exp(2.0)}, {1, 1.0}};
    for (std::uint32_t key = 1; key < 60; ++key) {
        const double u = FirstUniform(key);
        CRandomStreams::ReseedStream(kThread, key);
        EXPECT_EQ(model.Draw(), Expected(weights, u));
    }
}

TEST_F(MNLogitTest, DrawsRepeatAfterTheSameReseedAndDifferAcrossKeys) {
    CMNLogitMM model(&models, "Mode for Tour 1", &kModes);
    for (const int id : {0, 1, 2, 3, 7}) SetUtility(model, id, 0.05 * id);
    std::vector<int> first, second;
    CRandomStreams::ReseedStream(kThread, 4242);
    for (int i = 0; i < 20; ++i) first.push_back(model.Draw());
    CRandomStreams::ReseedStream(kThread, 4242 + 10001);  // same stored state
    for (int i = 0; i < 20; ++i) second.push_back(model.Draw());
    EXPECT_EQ(first, second);
}

TEST_F(MNLogitTest, CopyParametersTakesUtilitiesAndBaseButKeepsNamesAndAvailability) {
    CMNLogitMM source(&models, "Mode for Tour 1", &kModes);
    CMNLogitMM target(&models, "Mode for Tour 1", &kModes);
    source.m_nBaseAlternative = 7;
    source.m_utilityFunctions[2].Add(10008, -0.5);
    source.m_alternativeNames[2] = "changed";
    target.SetUnavailable({3});
    target.CopyParameters(source);
    EXPECT_EQ(target.m_nBaseAlternative, 7);
    ASSERT_EQ(target.m_utilityFunctions.at(2).m_nCount, 1);
    EXPECT_EQ(target.m_utilityFunctions.at(2).m_variableIds, std::vector<int>{10008});
    EXPECT_EQ(target.m_alternativeNames.at(2), "Walk/Bike");
    EXPECT_FALSE(target.m_availability.at(3));
    EXPECT_EQ(target.m_nAlternatives, 5);
}

TEST_F(MNLogitTest, EditChangesBaseAndUtilitiesOnlyWhenConfirmed) {
    CMNLogitMM model(&models, "WH commute mode", &kModes);
    model.SetUnavailable({1});
    bool confirm = false;
    CEditorRegistry::Install<CMNLogitMM>([&](const CMNLogitMM& edited, CMNLogitMM::Parameters& parameters) {
        EXPECT_EQ(&edited, &model);
        EXPECT_EQ(parameters.utilities.size(), 5u);
        parameters.baseAlternative = 3;
        parameters.utilities[0].Add(30000, 1.25);
        return confirm;
    });
    model.Edit();
    EXPECT_EQ(model.m_nBaseAlternative, 0);
    EXPECT_EQ(model.m_utilityFunctions.at(0).m_nCount, 0);

    confirm = true;
    model.Edit();
    EXPECT_EQ(model.m_nBaseAlternative, 3);
    ASSERT_EQ(model.m_utilityFunctions.at(0).m_nCount, 1);
    EXPECT_EQ(model.m_utilityFunctions.at(0).m_coefficients, std::vector<double>{1.25});
    EXPECT_FALSE(model.m_availability.at(1));
    EXPECT_EQ(model.m_alternativeNames, kModes);
}

TEST_F(MNLogitTest, EditWithoutAnInstalledEditorChangesNothing) {
    CMNLogitMM model(&models, "WH commute mode", &kModes);
    model.m_utilityFunctions[2].Add(30000, 0.5);
    model.Edit();
    EXPECT_EQ(model.m_utilityFunctions.at(2).m_nCount, 1);
    EXPECT_EQ(model.m_nBaseAlternative, 0);
}

// Evaluation of the alternatives' terms from a level object.
class MNLogitValuesTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        world = std::make_unique<ModelTestWorld>(GetParam());
        for (const auto& [id, name] : kModes) {
            model.m_utilityFunctions[id].Add(1, 1.0);      // household column 1
            model.m_utilityFunctions[id].Add(10001, 1.0);  // person number
            model.m_utilityFunctions[id].Add(20001, 1.0);  // zones column 1 of the home zone
        }
        model.SetUnavailable({0, 7});
    }
    void ExpectAllEvaluated(const std::vector<double>& expected) {
        for (const auto& [id, terms] : model.m_utilityFunctions) EXPECT_EQ(terms.m_values, expected) << id;
        // These evaluations leave the model's own context alone.
        EXPECT_EQ(model.m_context.m_pPerson, nullptr);
        EXPECT_EQ(model.m_context.m_pHousehold, nullptr);
    }

    CModelSystem models;
    CMNLogitMM model{&models, "Mode for Tour 1", &kModes};
    std::unique_ptr<ModelTestWorld> world;
};

TEST_P(MNLogitValuesTest, EveryAlternativeIsEvaluatedAtThePatternLevel) {
    model.ComputeValues(world->worker()->GetPattern());
    ExpectAllEvaluated({2.5, 1.0, 11.0});
}

TEST_P(MNLogitValuesTest, EveryAlternativeIsEvaluatedAtTheTourLevel) {
    model.ComputeValues(world->studentTour());
    ExpectAllEvaluated({2.5, 2.0, 11.0});
}

TEST_P(MNLogitValuesTest, EveryAlternativeIsEvaluatedAtTheStopLevel) {
    model.ComputeValues(world->workerStop());
    ExpectAllEvaluated({2.5, 1.0, 11.0});
}

INSTANTIATE_TEST_SUITE_P(Db, MNLogitValuesTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
