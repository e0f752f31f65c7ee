// Editing a model through the editor the user interface installs for its
// class: the edited copy is taken only when the user confirms and the values
// are usable; without an editor nothing changes.

#include "support/RecordingMessageSink.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class EditorRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEditorRegistry::Clear();
        regress.m_terms.Add(10008, 0.5);
        regress.m_dVariance = 1.0;
        regress.m_admissibleVariables = {0, 5, 12};
    }
    void TearDown() override { CEditorRegistry::Clear(); }

    CModelSystem models;
    CRegressMM regress{&models, "AW Home Stay"};
};

TEST_F(EditorRegistryTest, WithoutEditorEditChangesNothing) {
    EXPECT_FALSE(CEditorRegistry::IsInstalled<CRegressMM>());
    regress.Edit();
    EXPECT_EQ(regress.m_terms.m_variableIds, std::vector<int>{10008});
    EXPECT_EQ(regress.m_dVariance, 1.0);
}

TEST_F(EditorRegistryTest, ConfirmedEditIsTakenAndCancelledIsNot) {
    std::string caption;
    std::vector<int> offered;
    bool confirm = true;
    CEditorRegistry::Install<CRegressMM>([&](const CRegressMM& model, CRegressMM::Parameters& edited) {
        caption = model.GetName();
        offered = model.GetAdmissibleVariables();
        EXPECT_EQ(edited.terms.m_variableIds, std::vector<int>{10008});
        EXPECT_EQ(edited.variance, 1.0);
        edited.terms.Add(3, 2.0);
        edited.variance = 0.36;
        return confirm;
    });
    ASSERT_TRUE(CEditorRegistry::IsInstalled<CRegressMM>());

    confirm = false;
    regress.Edit();
    EXPECT_EQ(regress.m_terms.m_nCount, 1);
    EXPECT_EQ(regress.m_dVariance, 1.0);
    EXPECT_EQ(caption, "AW Home Stay");
    EXPECT_EQ(offered, (std::vector<int>{0, 5, 12}));

    confirm = true;
    regress.Edit();
    EXPECT_EQ(regress.m_terms.m_variableIds, (std::vector<int>{10008, 3}));
    EXPECT_EQ(regress.m_terms.m_coefficients, (std::vector<double>{0.5, 2.0}));
    EXPECT_EQ(regress.m_dVariance, 0.36);
}

TEST_F(EditorRegistryTest, EditorsAreKeptPerClass) {
    CEditorRegistry::Install<CBLogitMM>([](const CBLogitMM&, CBLogitMM::Parameters& edited) {
        edited.terms.Clear();
        return true;
    });
    regress.Edit();  // no regression editor: unchanged
    EXPECT_EQ(regress.m_terms.m_nCount, 1);

    CBLogitMM logit(&models, "Decision to go to Work");
    logit.m_terms.Add(1, 1.0);
    logit.Edit();
    EXPECT_EQ(logit.m_terms.m_nCount, 0);

    CEditorRegistry::Remove<CBLogitMM>();
    logit.m_terms.Add(1, 1.0);
    logit.Edit();
    EXPECT_EQ(logit.m_terms.m_nCount, 1);
}

TEST_F(EditorRegistryTest, NegativeVarianceFromTheEditorIsRejected) {
    RecordingMessageSink sink;
    CEditorRegistry::Install<CRegressMM>([](const CRegressMM&, CRegressMM::Parameters& edited) {
        edited.terms.Add(3, 2.0);
        edited.variance = -0.5;
        return true;
    });
    regress.Edit();
    EXPECT_EQ(regress.m_terms.m_nCount, 1);  // terms untouched as well
    EXPECT_EQ(regress.m_dVariance, 1.0);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("AW Home Stay"), std::string::npos);
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Error);
}

TEST_F(EditorRegistryTest, OrderedProbitEditTakesTermsAndThresholds) {
    COrdProbitMM probit(&models, "AW Tour Number of Stops", 5);
    CEditorRegistry::Install<COrdProbitMM>([](const COrdProbitMM&, COrdProbitMM::Parameters& edited) {
        edited.terms.Add(30000, -0.2);
        edited.thresholds = {0.5, 1.5};
        return true;
    });
    probit.Edit();
    EXPECT_EQ(probit.m_terms.m_variableIds, std::vector<int>{30000});
    EXPECT_EQ(probit.m_thresholds, (std::vector<double>{0.5, 1.5}));
    EXPECT_EQ(probit.m_nCategoryCount, 5);
}

TEST_F(EditorRegistryTest, HazardEditIsCheckedAsAWhole) {
    RecordingMessageSink sink;
    CHazardMM hazard(&models, "Children's school Start time");
    hazard.m_fVariance = 0.5f;
    hazard.m_nIntervalCount = 2;
    hazard.m_intervalStarts = {420.0};
    hazard.m_intervalParameters = {0.1};

    CHazardMM::Parameters next{};
    CEditorRegistry::Install<CHazardMM>([&](const CHazardMM&, CHazardMM::Parameters& edited) {
        edited = next;
        return true;
    });

    next.terms.Add(10008, 0.1);
    next.variance = 0.8f;
    next.intervalCount = 1;  // fewer than two intervals
    hazard.Edit();
    EXPECT_EQ(hazard.m_nIntervalCount, 2);
    EXPECT_EQ(hazard.m_terms.m_nCount, 0);
    EXPECT_EQ(sink.Messages().size(), 1u);

    next.intervalCount = 3;
    next.intervalStarts = {420.0, 480.0};
    next.intervalParameters = {0.1, 0.3};
    next.variance = 0.0f;  // every draw would go to the last interval
    hazard.Edit();
    EXPECT_EQ(hazard.m_fVariance, 0.5f);
    EXPECT_EQ(sink.Messages().size(), 2u);

    next.variance = 0.8f;
    hazard.Edit();
    EXPECT_EQ(hazard.m_nIntervalCount, 3);
    EXPECT_EQ(hazard.m_intervalStarts, (std::vector<double>{420.0, 480.0}));
    EXPECT_EQ(hazard.m_intervalParameters, (std::vector<double>{0.1, 0.3}));
    EXPECT_EQ(hazard.m_fVariance, 0.8f);
    EXPECT_EQ(hazard.m_terms.m_variableIds, std::vector<int>{10008});
    EXPECT_EQ(sink.Messages().size(), 2u);
}

}  // namespace
