// The draws of the regression, binary logit, ordered probit and hazard models
// on small cases worked out from the uniforms of a known stored state, the
// reproducibility of draws after a keyed reseed, parameter copies and the
// checks that keep unusable parameters out of a model.

#include "support/RecordingMessageSink.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRandomStreams.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The first three uniforms of a stream started from the state with 12345 in
// all six components (seed index 0).
constexpr double kU1 = 0.12701112204657714;
constexpr double kU2 = 0.3185275653967945;
constexpr double kU3 = 0.3091860155832701;

double NormalOf(double u1, double u2) { return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307 * u2); }

// Sets a model's terms to a single term whose value is already computed, as the
// evaluator would have left it.
void SetUtility(CVariableSet& terms, double v) {
    terms.Clear();
    terms.Add(10000, v);
    terms.m_values = {1.0};
}

class ModelDrawTest : public ::testing::Test {
protected:
    void SetUp() override { models.m_nThreadIndex = 4; }
    // Restarts thread 4 from seed index 0.
    void Restart() { models.ReseedStream(0); }
    // The next uniform of thread 4.
    double Next() { return CRandomStreams::DrawUniform(4); }
    // A seed key whose first uniform lies on the wanted side of 0.5.
    std::uint32_t KeyWithFirstUniform(bool above, double& u) {
        for (std::uint32_t key = 1;; ++key) {
            models.ReseedStream(key);
            u = Next();
            if ((u > 0.5) == above) return key;
        }
    }

    CModelSystem models;
};

TEST_F(ModelDrawTest, StreamStartsFromTheStoredState) {
    Restart();
    EXPECT_EQ(Next(), kU1);
    EXPECT_EQ(Next(), kU2);
    EXPECT_EQ(Next(), kU3);
}

// Regression.

TEST_F(ModelDrawTest, RegressionAddsScaledNormal) {
    CRegressMM model(&models, "Regression");
    SetUtility(model.m_terms, 2.5);
    model.m_dVariance = 2.25;
    Restart();
    EXPECT_DOUBLE_EQ(model.Draw(), NormalOf(kU1, kU2) * 1.5 + 2.5);
    EXPECT_EQ(Next(), kU3);
}

TEST_F(ModelDrawTest, RegressionWithZeroVarianceReturnsVAndUsesTwoUniforms) {
    CRegressMM model(&models, "Regression");
    SetUtility(model.m_terms, -3.75);
    Restart();
    EXPECT_EQ(model.Draw(), -3.75);
    EXPECT_EQ(Next(), kU3);
}

TEST_F(ModelDrawTest, RegressionWithoutTermsGivesTwiceTheNormalForVarianceFour) {
    CRegressMM model(&models, "Regression");
    model.m_dVariance = 4.0;
    Restart();
    EXPECT_DOUBLE_EQ(model.Draw(), 2.0 * NormalOf(kU1, kU2));
}

TEST_F(ModelDrawTest, RegressionWithFewerValuesThanTermsReadsZero) {
    CRegressMM model(&models, "Regression");
    model.m_terms.Add(10000, 2.0);
    model.m_terms.Add(10001, 100.0);
    model.m_terms.m_values = {3.0};  // the second term has no value
    Restart();
    EXPECT_EQ(model.Draw(), 6.0);
}

// Binary logit.

TEST_F(ModelDrawTest, BinaryLogitWithoutTermsIsAFairCoin) {
    CBLogitMM model(&models, "Logit");
    double u = 0.0;
    const std::uint32_t low = KeyWithFirstUniform(false, u);
    ASSERT_LT(u, 0.5);
    models.ReseedStream(low);
    EXPECT_TRUE(model.Draw());

    const std::uint32_t high = KeyWithFirstUniform(true, u);
    ASSERT_GT(u, 0.5);
    models.ReseedStream(high);
    EXPECT_FALSE(model.Draw());
}

TEST_F(ModelDrawTest, BinaryLogitComparesProbabilityWithOneUniform) {
    CBLogitMM model(&models, "Logit");
    // The utility at which the probability equals the first uniform.
    const double pivot = std::log(kU1 / (1.0 - kU1));
    SetUtility(model.m_terms, pivot + 1e-6);
    Restart();
    EXPECT_TRUE(model.Draw());
    EXPECT_EQ(Next(), kU2);  // one uniform only

    SetUtility(model.m_terms, pivot - 1e-6);
    Restart();
    EXPECT_FALSE(model.Draw());

    SetUtility(model.m_terms, -800.0);  // exp(800) overflows: probability 0
    Restart();
    EXPECT_FALSE(model.Draw());
    SetUtility(model.m_terms, 800.0);
    Restart();
    EXPECT_TRUE(model.Draw());
}

// Ordered probit.

TEST_F(ModelDrawTest, OrderedProbitFindsFirstThresholdNotBelowLatentValue) {
    COrdProbitMM model(&models, "Probit", 3);
    SetUtility(model.m_terms, 0.3);
    const double y = 0.3 + NormalOf(kU1, kU2);

    struct Case {
        std::vector<double> thresholds;
        int expected;
    };
    const std::vector<Case> cases = {
        {{}, 1},
        {{y}, 1},                                       // equal: the lower category
        {{std::nextafter(y, -1e9)}, 2},
        {{y - 1.0, y}, 2},
        {{y - 1.0, y + 1.0}, 2},
        {{y - 2.0, y - 1.0}, 3},
        {{y + 1.0, y + 2.0}, 1},
        {{y - 3.0, y - 2.0, y - 1.0, y + 0.5}, 4},
    };
    for (const Case& c : cases) {
        model.m_thresholds = c.thresholds;
        Restart();
        EXPECT_EQ(model.Draw(), c.expected) << "with " << c.thresholds.size() << " thresholds";
        EXPECT_EQ(Next(), kU3);  // always two uniforms
    }
}

TEST_F(ModelDrawTest, OrderedProbitCategoryCountPlaysNoPart) {
    COrdProbitMM small(&models, "Small", 3);
    COrdProbitMM large(&models, "Large", 5);
    for (COrdProbitMM* model : {&small, &large}) model->m_thresholds = {-1.0, -0.5, 0.0, 0.5, 1.0, 1.5};
    Restart();
    const int a = small.Draw();
    Restart();
    EXPECT_EQ(large.Draw(), a);
}

// Hazard: with variance 1 and utility 0 the survival at the end of interval k
// is 1 / (1 + c[k-1]), so the distribution function there is c / (1 + c).

class HazardDrawTest : public ModelDrawTest {
protected:
    // Variance 1, starts 100, 200, ... one per parameter, n = parameters + 1.
    std::unique_ptr<CHazardMM> Make(const std::vector<double>& parameters) {
        auto model = std::make_unique<CHazardMM>(&models, "Hazard");
        model->m_fVariance = 1.0f;
        model->m_nIntervalCount = static_cast<int>(parameters.size()) + 1;
        model->m_intervalParameters = parameters;
        for (size_t k = 0; k < parameters.size(); ++k) model->m_intervalStarts.push_back(100.0 * (k + 1));
        return model;
    }
};

TEST_F(HazardDrawTest, IntervalChosenByFirstUniformPlacedBySecond) {
    // Starts 100, 200, 300 (n = 4). kU1 = 0.127: F = c / (1 + c).
    struct Case {
        std::vector<double> parameters;
        double lower, upper;
    };
    const std::vector<Case> cases = {
        {{1.0, 2.0, 3.0}, 100.0, 200.0},     // F1 = 0.5: interval 1
        {{0.01, 1.0, 2.0}, 200.0, 300.0},    // F1 = 0.0099, F2 = 0.5: interval 2
        {{0.01, 0.02, 1.0}, 300.0, 330.0},   // interval 3: closed at 1.1 x its start
        {{0.01, 0.02, 0.03}, 300.0, 330.0},  // beyond F3: interval 4, the same bounds
    };
    for (const Case& c : cases) {
        auto model = Make(c.parameters);
        Restart();
        EXPECT_DOUBLE_EQ(model->Draw(), (c.upper - c.lower) * kU2 + c.lower);
        EXPECT_EQ(Next(), kU3);
    }
}

TEST_F(HazardDrawTest, OneIntervalStartKeepsValuesWithinItsOwnRange) {
    auto model = Make({0.5});  // n = 2
    for (std::uint32_t key = 0; key < 50; ++key) {
        models.ReseedStream(key);
        const double d = model->Draw();
        EXPECT_GE(d, 100.0);
        EXPECT_LE(d, 110.0);
    }
}

TEST_F(HazardDrawTest, UtilityAndVarianceEnterTheSurvival) {
    // V = ln 2 gives E = 0.5; with variance 0.5 the survival at the end of
    // interval 1 is (0.5 x c x 0.5 + 1) ^ -2: for c = 0.08 that is 1.02 ^ -2,
    // F1 = 0.039 < kU1, and the draw falls in interval 2, the last stored one
    // (n = 3), closed at 1.1 x 200; for c = 2.0 it is 1.5 ^ -2, F1 = 0.556 >= kU1:
    // interval 1, from 100 to 200.
    auto model = Make({0.08, 1000.0});
    model->m_fVariance = 0.5f;
    SetUtility(model->m_terms, std::log(2.0));
    Restart();
    EXPECT_DOUBLE_EQ(model->Draw(), 20.0 * kU2 + 200.0);
    model->m_intervalParameters = {2.0, 1000.0};
    Restart();
    EXPECT_DOUBLE_EQ(model->Draw(), 100.0 * kU2 + 100.0);
}

TEST_F(HazardDrawTest, ProbabilitiesThatAreNotNumbersFallToTheLastInterval) {
    // Variance 0.3 and a negative parameter: a negative base to a fractional power.
    auto model = Make({-5.0, 1.0, 2.0});
    model->m_fVariance = 0.3f;
    Restart();
    EXPECT_DOUBLE_EQ(model->Draw(), 30.0 * kU2 + 300.0);
    EXPECT_EQ(Next(), kU3);
}

TEST_F(HazardDrawTest, IntervalsThatCannotHoldADrawThrow) {
    CHazardMM empty(&models, "Hazard");
    EXPECT_THROW(empty.Draw(), std::logic_error);
    auto tooFewStarts = Make({1.0, 2.0});
    tooFewStarts->m_nIntervalCount = 5;  // more intervals than starts
    EXPECT_THROW(tooFewStarts->Draw(), std::logic_error);
}

// Reseeding.

TEST_F(ModelDrawTest, SameKeyGivesSameDrawForAnyModelOfTheThread) {
    CRegressMM a(&models, "A");
    CRegressMM b(&models, "B");
    a.m_dVariance = b.m_dVariance = 1.0;
    models.ReseedStream(4711);
    const double first = a.Draw();
    const double second = a.Draw();  // continues the stream
    EXPECT_NE(first, second);
    models.ReseedStream(4711);
    EXPECT_EQ(b.Draw(), first);
    EXPECT_EQ(a.Draw(), second);
    // A key past the table selects the same state as the key reduced.
    models.ReseedStream(4711 + 10001);
    EXPECT_EQ(a.Draw(), first);
}

TEST_F(ModelDrawTest, ModelsDrawFromTheirOwnersThread) {
    CModelSystem other;
    other.m_nThreadIndex = 7;
    CRegressMM mine(&models, "Mine");
    CRegressMM theirs(&other, "Theirs");
    mine.m_dVariance = theirs.m_dVariance = 1.0;
    models.ReseedStream(12);
    other.ReseedStream(12);
    const double a = mine.Draw();
    EXPECT_EQ(theirs.Draw(), a);  // thread 7 untouched by thread 4's draw
    EXPECT_EQ(mine.GetThreadIndex(), 4);
    EXPECT_EQ(theirs.GetThreadIndex(), 7);

    CRegressMM orphan(nullptr, "Orphan");
    EXPECT_THROW(orphan.Draw(), std::logic_error);
}

// Parameter copies.

TEST_F(ModelDrawTest, CopyParametersTakesTheListedFields) {
    CRegressMM regressSource(&models, "R");
    regressSource.m_terms.Add(10008, 0.5);
    regressSource.m_terms.m_values = {3.0};
    regressSource.m_dVariance = 0.7;
    CRegressMM regressTarget(&models, "R");
    regressTarget.CopyParameters(regressSource);
    EXPECT_EQ(regressTarget.m_terms.m_variableIds, std::vector<int>{10008});
    EXPECT_EQ(regressTarget.m_terms.m_coefficients, std::vector<double>{0.5});
    EXPECT_TRUE(regressTarget.m_terms.m_values.empty());
    EXPECT_EQ(regressTarget.m_dVariance, 0.7);

    CBLogitMM logitSource(&models, "L");
    logitSource.m_terms.Add(3, -1.0);
    CBLogitMM logitTarget(&models, "L");
    logitTarget.m_terms.Add(4, 2.0);
    logitTarget.m_terms.Add(5, 2.0);
    logitTarget.CopyParameters(logitSource);
    EXPECT_EQ(logitTarget.m_terms.m_nCount, 1);
    EXPECT_EQ(logitTarget.m_terms.m_variableIds, std::vector<int>{3});

    COrdProbitMM probitSource(&models, "P", 5);
    probitSource.m_terms.Add(10001, 0.25);
    probitSource.m_thresholds = {0.0, 1.0, 2.0};
    COrdProbitMM probitTarget(&models, "P", 3);
    probitTarget.CopyParameters(probitSource);
    EXPECT_EQ(probitTarget.m_thresholds, (std::vector<double>{0.0, 1.0, 2.0}));
    EXPECT_EQ(probitTarget.m_terms.m_coefficients, std::vector<double>{0.25});
    EXPECT_EQ(probitTarget.m_nCategoryCount, 3);  // as constructed

    CHazardMM hazardSource(&models, "H");
    hazardSource.m_terms.Add(1, 1.0);
    hazardSource.m_fVariance = 0.4f;
    hazardSource.m_nIntervalCount = 3;
    hazardSource.m_intervalStarts = {10.0, 20.0};
    hazardSource.m_intervalParameters = {0.1, 0.2};
    CHazardMM hazardTarget(&models, "H");
    hazardTarget.CopyParameters(hazardSource);
    EXPECT_EQ(hazardTarget.m_terms.m_variableIds, std::vector<int>{1});
    EXPECT_EQ(hazardTarget.m_fVariance, 0.4f);
    EXPECT_EQ(hazardTarget.m_nIntervalCount, 3);
    EXPECT_EQ(hazardTarget.m_intervalStarts, (std::vector<double>{10.0, 20.0}));
    EXPECT_EQ(hazardTarget.m_intervalParameters, (std::vector<double>{0.1, 0.2}));
}

TEST_F(ModelDrawTest, ConstructionGivesEmptyParameters) {
    CRegressMM regress(&models, "Household Annual Mileage");
    EXPECT_EQ(regress.GetName(), "Household Annual Mileage");
    EXPECT_EQ(regress.GetOwner(), &models);
    EXPECT_EQ(regress.m_dVariance, 0.0);
    EXPECT_EQ(regress.m_terms.m_nCount, 0);
    EXPECT_TRUE(regress.GetAdmissibleVariables().empty());
    COrdProbitMM probit(&models, "Number of Tours NW", 5);
    EXPECT_EQ(probit.m_nCategoryCount, 5);
    EXPECT_TRUE(probit.m_thresholds.empty());
    CHazardMM hazard(&models, "Children's school Start time");
    EXPECT_EQ(hazard.m_nIntervalCount, 0);
    EXPECT_EQ(hazard.m_fVariance, 0.0f);
    EXPECT_TRUE(hazard.m_intervalStarts.empty());
}

// Checks on parameters read or edited.

TEST_F(ModelDrawTest, NegativeRegressionVarianceIsRejectedWithAMessage) {
    RecordingMessageSink sink;
    CRegressMM model(&models, "AW Tour Duration");
    ASSERT_TRUE(model.SetVariance(0.8));
    EXPECT_FALSE(model.SetVariance(-0.1));
    EXPECT_FALSE(model.SetVariance(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(model.SetVariance(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(model.m_dVariance, 0.8);
    ASSERT_EQ(sink.Messages().size(), 3u);
    EXPECT_NE(sink.Texts()[0].find("AW Tour Duration"), std::string::npos);
    EXPECT_NE(sink.Texts()[0].find("variance"), std::string::npos);
    EXPECT_TRUE(model.SetVariance(0.0));
    EXPECT_EQ(sink.Messages().size(), 3u);
}

TEST_F(ModelDrawTest, HazardParametersThatCannotDrawAreRejected) {
    RecordingMessageSink sink;
    CHazardMM model(&models, "Children's school End time");
    CHazardMM::Parameters next{model.m_terms, 0.5f, 2, {10.0}, {0.1}};
    ASSERT_TRUE(model.SetParameters(next));

    CHazardMM::Parameters bad = next;
    bad.variance = 0.0f;  // every draw would fall into the last interval
    EXPECT_FALSE(model.SetParameters(bad));
    bad.variance = -1.0f;
    EXPECT_FALSE(model.SetParameters(bad));
    bad = next;
    bad.intervalCount = 1;  // no interval start to place a value in
    bad.intervalStarts.clear();
    bad.intervalParameters.clear();
    EXPECT_FALSE(model.SetParameters(bad));
    bad = next;
    bad.intervalCount = 3;  // one start short
    bad.intervalParameters = {0.1, 0.2};
    EXPECT_FALSE(model.SetParameters(bad));
    EXPECT_EQ(model.m_nIntervalCount, 2);
    EXPECT_EQ(model.m_fVariance, 0.5f);
    EXPECT_EQ(sink.Messages().size(), 4u);
    for (const std::string& text : sink.Texts()) EXPECT_NE(text.find("Children's school End time"), std::string::npos);

    // Entries beyond count - 1 are not kept: the model holds the intervals its
    // count stands for, and only those reach the model file.
    CHazardMM::Parameters longer{model.m_terms, 1.0f, 3, {1.0, 2.0, 3.0}, {0.1, 0.2, 0.3}};
    EXPECT_TRUE(model.SetParameters(longer));
    EXPECT_EQ(model.m_nIntervalCount, 3);
    EXPECT_EQ(model.m_fVariance, 1.0f);
    EXPECT_EQ(model.m_intervalStarts, (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(model.m_intervalParameters, (std::vector<double>{0.1, 0.2}));
}

}  // namespace
