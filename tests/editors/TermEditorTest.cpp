// The term editors as the user meets them through a model's Edit: the copy is
// taken only on OK, an unchanged dialog hands every value back exactly,
// adding, removing and clearing keep the lines and the term set aligned, and
// what cannot be edited is said without a dialog.

#include "EditorTestSupport.h"

#include "editors/CBLogitDLG.h"
#include "editors/CMNLogitDLG.h"
#include "models/CBLogitMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelParameterFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace EditorTesting;

std::string XmlOf(const CModelModule& model) {
    std::ostringstream out;
    model.WriteXml(out);
    return out.str();
}

using TermEditorTest = EditorTest;

TEST_F(TermEditorTest, OkWithoutChangesLeavesEverySampleModelByteIdentical) {
    const std::string sample = TOLVAR_TEST_SOURCE_DIR "/sample/tolvar-sample.tvm";
    ASSERT_TRUE(CModelParameterFile().LoadXml(sample, models)) << sample;
    int shown = 0;
    for (const auto& model : models.GetModels()) {
        const std::string before = XmlOf(*model);
        bool leftOpen = false;
        bool opened = false;
        OnNextModalDialog(
            [&](QDialog& dialog) {
                opened = true;
                // Open every value page too, so the paged values pass through their fields.
                if (auto* edit = dialog.findChild<QPushButton*>(QStringLiteral("editValuesButton"))) edit->click();
                ClickOk(dialog);
            },
            &leftOpen);
        model->Edit();
        if (!opened) {  // a class without an editor (the walk-mode rules) opens nothing
            EXPECT_NE(dynamic_cast<const CLocationWalkMM*>(model.get()), nullptr) << model->GetName();
            WaitForPendingPolls();
            continue;
        }
        ++shown;
        EXPECT_FALSE(leftOpen) << model->GetName();
        EXPECT_EQ(XmlOf(*model), before) << model->GetName();
    }
    EXPECT_EQ(shown, 127);  // every model the file carries
    EXPECT_TRUE(sink.Messages().empty()) << sink.Texts().front();
}

TEST_F(TermEditorTest, AddedTermsFollowTheKeyRuleAndShowFullDigitsUntilReopened) {
    CBLogitMM& model = *models.m_pDecisionToGoToWork;
    ASSERT_FALSE(model.GetAdmissibleVariables().empty());
    const int firstAdmissible = model.GetAdmissibleVariables().front();
    OnNextModalDialog([&](QDialog& dialog) {
        auto& editor = static_cast<CTermEditorDlg&>(dialog);
        AddTerm(editor, CTermEditorDlg::kPersons, 2, "0.5");
        AddTerm(editor, CTermEditorDlg::kOther, 0, "1.23456789012345");
        AddTerm(editor, CTermEditorDlg::kVehicleMake, 2, "-2");
        AddTerm(editor, CTermEditorDlg::kPersons, 2, "0.5x");  // numeric prefix; a duplicate is kept
        AddTerm(editor, CTermEditorDlg::kZones, 1, "abc");       // no prefix: 0.0
        EXPECT_EQ(Lines(Child<QListWidget>(dialog, "termsList")),
                  (std::vector<std::string>{"0.5 * p2", "1.23456789012345 * " + editor.DerivedNames()[0],
                                            "-2. * v2", "0.5 * p2", "0. * z1"}));
        ClickOk(dialog);
    });
    model.Edit();
    EXPECT_EQ(model.m_terms.m_variableIds,
              (std::vector<int>{10002, 30000 + firstAdmissible, 60002, 10002, 20001}));
    EXPECT_EQ(model.m_terms.m_coefficients, (std::vector<double>{0.5, 1.23456789012345, -2.0, 0.5, 0.0}));

    // Reopened: ten digits, the same derived text, the make column by its ID.
    CBLogitDLG reopened(model, CBLogitMM::Parameters{model.m_terms});
    const auto lines = Lines(Child<QListWidget>(reopened, "termsList"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "1.23456789 * " + reopened.DerivedNames()[0]);
    EXPECT_EQ(lines[2], "-2. * 60002");
}

TEST_F(TermEditorTest, BadCoefficientsAddNothingAndRemoveAndClearKeepListAndSetAligned) {
    CBLogitMM::Parameters start;
    for (int i = 0; i < 4; ++i) start.terms.Add(10000 + i, i + 0.25);
    CBLogitDLG dialog(*models.m_pDecisionToGoToWork, start);
    auto& terms = Child<QListWidget>(dialog, "termsList");
    auto& remove = Child<QPushButton>(dialog, "removeTermButton");

    // A coefficient that is not finite adds nothing and says why; nothing
    // picked, or no coefficient, silently nothing.
    for (const char* text : {"inf", "-nan", "1e999", "  +INF"}) AddTerm(dialog, CTermEditorDlg::kHouseholds, 1, text);
    EXPECT_EQ(sink.Messages().size(), 4u);
    Child<QListWidget>(dialog, "variableList").setCurrentRow(-1);
    Child<QLineEdit>(dialog, "coefficientField").setText(QStringLiteral("1"));
    Child<QPushButton>(dialog, "addTermButton").click();
    AddTerm(dialog, CTermEditorDlg::kHouseholds, 1, "");
    EXPECT_EQ(sink.Messages().size(), 4u);
    terms.setCurrentRow(-1);
    remove.click();  // no selection: nothing
    EXPECT_EQ(dialog.GetParameters().terms.m_nCount, 4);
    EXPECT_EQ(terms.count(), 4);

    terms.setCurrentRow(1);
    remove.click();
    EXPECT_EQ(dialog.GetParameters().terms.m_variableIds, (std::vector<int>{10000, 10002, 10003}));
    EXPECT_EQ(dialog.GetParameters().terms.m_coefficients, (std::vector<double>{0.25, 2.25, 3.25}));
    EXPECT_EQ(Lines(terms), (std::vector<std::string>{"0.25 * p0", "2.25 * p2", "3.25 * p3"}));

    Child<QPushButton>(dialog, "clearFunctionButton").click();
    EXPECT_EQ(dialog.GetParameters().terms.m_nCount, 0);
    EXPECT_TRUE(dialog.GetParameters().terms.m_coefficients.empty());
    EXPECT_EQ(terms.count(), 0);
}

TEST_F(TermEditorTest, AlternativesKeepTheirOwnTerms) {
    CMNLogitMM& model = *models.m_pAWTourMode;
    CMNLogitMM::Parameters start{3, {{1, {}}}};
    start.utilities[1].Add(10001, 1.0);
    CMNLogitDLG dialog(model, start);
    const std::vector<int>& codes = dialog.GetAlternativeCodes();
    ASSERT_EQ(codes, (std::vector<int>{0, 1, 2, 3, 7}));
    auto& combo = Child<QComboBox>(dialog, "alternativeCombo");
    EXPECT_TRUE(Lines(Child<QListWidget>(dialog, "termsList")).empty());  // alternative 0 has no function

    combo.setCurrentIndex(1);
    EXPECT_EQ(Lines(Child<QListWidget>(dialog, "termsList")), std::vector<std::string>{"1. * p1"});
    AddTerm(dialog, CTermEditorDlg::kHouseholds, 2, "2");
    combo.setCurrentIndex(4);
    AddTerm(dialog, CTermEditorDlg::kHouseholds, 3, "3");
    combo.setCurrentIndex(2);
    Child<QPushButton>(dialog, "clearFunctionButton").click();  // nothing to clear: no set appears

    const auto& utilities = dialog.GetParameters().utilities;
    EXPECT_EQ(utilities.size(), 2u);
    EXPECT_EQ(utilities.at(1).m_variableIds, (std::vector<int>{10001, 2}));
    EXPECT_EQ(utilities.at(7).m_variableIds, std::vector<int>{3});
    EXPECT_EQ(dialog.GetParameters().baseAlternative, 3);
}

TEST_F(TermEditorTest, CancelKeepsTheModelWhateverWasEditedAndABadAdmissibleIndexOpensNothing) {
    CRegressMM& model = *models.m_pAWHomeStay;
    model.m_terms.Add(30000, 4.1);
    model.m_dVariance = 0.25;
    OnNextModalDialog([](QDialog& dialog) {
        AddTerm(static_cast<CTermEditorDlg&>(dialog), CTermEditorDlg::kPersons, 3, "1.5");
        Child<QListWidget>(dialog, "termsList").setCurrentRow(0);
        Child<QPushButton>(dialog, "removeTermButton").click();
        Child<QLineEdit>(dialog, "varianceField").setText(QStringLiteral("2"));
        dialog.reject();
    });
    model.Edit();
    EXPECT_EQ(model.m_terms.m_variableIds, std::vector<int>{30000});
    EXPECT_EQ(model.m_dVariance, 0.25);

    // An admissible-variable index past the descriptions: a message, no
    // dialog, the model unchanged.
    model.m_admissibleVariables.push_back(5000);
    bool opened = false;
    OnNextModalDialog([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    EXPECT_NO_THROW(model.Edit());
    EXPECT_FALSE(opened);
    EXPECT_EQ(model.m_terms.m_variableIds, std::vector<int>{30000});
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("AW Home Stay"), std::string::npos);
    WaitForPendingPolls();
}

}  // namespace
