// The paged values of the ordered-probit, MDCEV and hazard editors: paging
// across pages and back, counts raised and lowered, "Edit" returning to the
// first page, and OK refusing values the model could not draw with while the
// dialog stays open; values shown as the shortest text that reads back.

#include "EditorTestSupport.h"

#include "editors/CHazardDLG.h"
#include "editors/CLocationDLG.h"
#include "editors/CMdcevDLG.h"
#include "editors/COrdProbitDLG.h"
#include "editors/CRegressDLG.h"
#include "editors/CValuePager.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using namespace EditorTesting;

std::vector<double> Sequence(int n) {
    std::vector<double> values(static_cast<std::size_t>(n));
    std::iota(values.begin(), values.end(), 1.0);
    return values;
}

class ValuePagerTest : public EditorTest {
protected:

    // Shown row numbers of the page, e.g. {"6", "7"}.
    static std::vector<std::string> ShownRows(const CValuePager& pager) {
        std::vector<std::string> rows;
        for (int k = 0; k < CValuePager::kRowsPerPage; ++k)
            if (pager.IsRowShown(k)) rows.push_back(pager.RowNumber(k).toStdString());
        return rows;
    }
    static QString Field(const QWidget& dialog, int vector, int k) {
        return Child<QLineEdit>(dialog, QStringLiteral("valueField%1_%2").arg(vector).arg(k).toLatin1().constData())
            .text();
    }
    static void Press(const QWidget& dialog, const char* name) { Child<QPushButton>(dialog, name).click(); }
};

TEST_F(ValuePagerTest, TwelveValuesPageForwardAndBackAndEditReturnsToTheFirstPage) {
    CMdcevDLG dialog(*models.m_pMDCEV, CMdcevMM::Parameters{{}, Sequence(12)});
    const CValuePager& pager = dialog.Pager();
    auto& next = Child<QPushButton>(dialog, "nextValuesButton");
    auto& prev = Child<QPushButton>(dialog, "prevValuesButton");
    EXPECT_FALSE(pager.IsExpanded());
    EXPECT_FALSE(next.isEnabled());

    Press(dialog, "editValuesButton");
    EXPECT_TRUE(pager.IsExpanded());
    EXPECT_EQ(ShownRows(pager), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(next.isEnabled());
    EXPECT_FALSE(prev.isEnabled());

    next.click();
    EXPECT_EQ(ShownRows(pager), (std::vector<std::string>{"6", "7", "8", "9", "10"}));
    EXPECT_EQ(Field(dialog, 0, 0), QStringLiteral("6"));
    Child<QLineEdit>(dialog, "valueField0_1").setText(QStringLiteral("0.1"));  // row 7
    next.click();
    EXPECT_EQ(ShownRows(pager), (std::vector<std::string>{"11", "12"}));
    EXPECT_FALSE(next.isEnabled());
    EXPECT_TRUE(prev.isEnabled());

    prev.click();
    EXPECT_EQ(ShownRows(pager), (std::vector<std::string>{"6", "7", "8", "9", "10"}));
    EXPECT_EQ(Field(dialog, 0, 1), QStringLiteral("0.1"));  // typed values survive paging
    EXPECT_TRUE(next.isEnabled());

    // From the last page, a lower count applied with "Edit": back to the
    // first page, no stale rows past the end, no paging.
    next.click();
    Child<QSpinBox>(dialog, "countField").setValue(4);
    Press(dialog, "editValuesButton");
    EXPECT_EQ(pager.Page(), 0);
    EXPECT_EQ(ShownRows(pager), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Field(dialog, 0, 0), QStringLiteral("1"));
    EXPECT_FALSE(next.isEnabled());
    EXPECT_FALSE(prev.isEnabled());
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetParameters().satiationValues, (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ValuePagerTest, RaisingAndLoweringTheCountResizesAtEditAndAtOk) {
    CMdcevDLG raised(*models.m_pMDCEV, CMdcevMM::Parameters{{}, {0.5, 0.25, 0.125}});
    Press(raised, "editValuesButton");
    EXPECT_EQ(ShownRows(raised.Pager()), (std::vector<std::string>{"1", "2", "3"}));
    Child<QSpinBox>(raised, "countField").setValue(7);
    Press(raised, "editValuesButton");
    Press(raised, "nextValuesButton");
    EXPECT_EQ(ShownRows(raised.Pager()), (std::vector<std::string>{"6", "7"}));
    Child<QLineEdit>(raised, "valueField0_1").setText(QStringLiteral("7.5"));
    raised.accept();
    EXPECT_EQ(raised.GetParameters().satiationValues, (std::vector<double>{0.5, 0.25, 0.125, 0, 0, 0, 7.5}));

    // A count typed but never applied with "Edit" still decides at OK.
    CMdcevDLG lowered(*models.m_pMDCEV, CMdcevMM::Parameters{{}, Sequence(12)});
    Child<QSpinBox>(lowered, "countField").setValue(2);
    lowered.accept();
    EXPECT_EQ(lowered.GetParameters().satiationValues, (std::vector<double>{1, 2}));

    auto& count = Child<QSpinBox>(lowered, "countField");
    count.setValue(-4);
    EXPECT_EQ(count.value(), 0);
    count.setValue(100000);
    EXPECT_EQ(count.value(), CValuePager::kLargestCount);
}

TEST_F(ValuePagerTest, RefusedValuesKeepTheDialogOpenWithAMessage) {
    // Hazard: rows are one fewer than the intervals; a count below 2 (at
    // least 1, which has no rows), a variance not above 0 and a value that
    // is not finite are refused.
    CHazardDLG hazard(*models.m_pChildrensSchoolStartTime,
                      CHazardMM::Parameters{{}, 0.5f, 4, {420, 450, 480}, {0.1, 0.2, 0.3}});
    Press(hazard, "editValuesButton");
    EXPECT_EQ(ShownRows(hazard.Pager()), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Field(hazard, 1, 2), QStringLiteral("0.3"));
    Child<QSpinBox>(hazard, "countField").setValue(0);
    EXPECT_EQ(Child<QSpinBox>(hazard, "countField").value(), 1);
    Press(hazard, "editValuesButton");
    EXPECT_TRUE(ShownRows(hazard.Pager()).empty());
    hazard.show();
    hazard.accept();
    EXPECT_TRUE(hazard.isVisible());
    Child<QSpinBox>(hazard, "countField").setValue(3);
    Press(hazard, "editValuesButton");
    Child<QLineEdit>(hazard, "varianceField").setText(QStringLiteral("0"));
    hazard.accept();
    Child<QLineEdit>(hazard, "varianceField").setText(QStringLiteral("0.8"));
    Child<QLineEdit>(hazard, "valueField0_1").setText(QStringLiteral("inf"));
    hazard.accept();
    EXPECT_TRUE(hazard.isVisible());
    EXPECT_EQ(sink.Messages().size(), 3u);
    Child<QLineEdit>(hazard, "valueField0_0").setText(QStringLiteral("420"));
    Child<QLineEdit>(hazard, "valueField0_1").setText(QStringLiteral("480"));
    hazard.accept();
    EXPECT_FALSE(hazard.isVisible());
    EXPECT_EQ(hazard.GetParameters().intervalCount, 3);
    EXPECT_EQ(hazard.GetParameters().intervalStarts, (std::vector<double>{420, 480}));
    EXPECT_EQ(hazard.GetParameters().variance, 0.8f);

    // Ordered probit: the count is fixed, thresholds must ascend.
    COrdProbitDLG probit(*models.m_pAWTourNumberOfStops, COrdProbitMM::Parameters{{}, {-1.0, 0.5, 1.5, 2.5}});
    EXPECT_TRUE(Child<QSpinBox>(probit, "countField").isReadOnly());
    EXPECT_TRUE(Child<QPushButton>(probit, "editValuesButton").isEnabled());
    probit.show();
    Press(probit, "editValuesButton");
    Child<QLineEdit>(probit, "valueField0_2").setText(QStringLiteral("-2"));
    probit.accept();
    EXPECT_TRUE(probit.isVisible());
    Child<QLineEdit>(probit, "valueField0_2").setText(QStringLiteral("1"));
    probit.accept();
    EXPECT_FALSE(probit.isVisible());
    EXPECT_EQ(probit.GetParameters().thresholds, (std::vector<double>{-1.0, 0.5, 1.0, 2.5}));

    // Regression and location variances: a number within 0 to 99999999. An
    // opened value shows the shortest text that reads back exactly, so OK
    // without an edit hands it back unchanged.
    const double third = 1.0 / 3.0;
    CRegressDLG regress(*models.m_pAWHomeStay, CRegressMM::Parameters{{}, third});
    CLocationDLG location(*models.m_pAWTourStopLocationAutoMode, CLocationMM::Parameters{{}, 0.1f});
    EXPECT_EQ(Child<QLineEdit>(regress, "varianceField").text(), QStringLiteral("0.3333333333333333"));
    EXPECT_EQ(Child<QLineEdit>(location, "varianceField").text(), QStringLiteral("0.1"));
    for (QDialog* dialog : std::initializer_list<QDialog*>{&regress, &location}) {
        dialog->show();
        auto& field = Child<QLineEdit>(*dialog, "varianceField");
        const QString opened = field.text();
        for (const char* text : {"-1", "1e9", "nan", "x"}) {
            field.setText(QString::fromLatin1(text));
            dialog->accept();
            EXPECT_TRUE(dialog->isVisible()) << text;
        }
        field.setText(opened);
        dialog->accept();
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(sink.Messages().size(), 4u + 8u);
    EXPECT_EQ(regress.GetParameters().variance, third);
    EXPECT_EQ(location.GetParameters().variance, 0.1f);
}

}  // namespace
