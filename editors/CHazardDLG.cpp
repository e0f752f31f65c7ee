#include "editors/CHazardDLG.h"

#include "editors/CValuePager.h"
#include "editors/EditorNumberText.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>

CHazardDLG::CHazardDLG(const CHazardMM& model, const CHazardMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Duration Function"), parent), m_parameters(parameters) {
    m_varianceField = MakeValueField(QStringLiteral("varianceField"), EditorNumberText::Shortest(parameters.variance));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Variance:"), m_varianceField);
    ExtrasArea()->addLayout(form);

    CValuePager::Options options;
    options.countLabel = QStringLiteral("# Baseline time intervals:");
    options.groupTitle = QStringLiteral("Base Line Hazard");
    options.rowLabels = {QStringLiteral("Time:"), QStringLiteral("Parameter:")};
    options.rowsOneFewer = true;
    options.smallestCount = 1;
    m_pager = new CValuePager(options, parameters.intervalCount,
                              {parameters.intervalStarts, parameters.intervalParameters});
    ExtrasArea()->addWidget(m_pager);
    ListTerms();
}

bool CHazardDLG::CheckExtras(std::string& reason, QWidget*& field) {
    float variance = 0.0f;
    const std::string text = m_varianceField->text().toStdString();
    if (!EditorNumberText::ParseFinite(text, variance) || !CHazardMM::IsValidVariance(variance)) {
        reason = "the variance \"" + text + "\" must be a finite number above 0.";
        field = m_varianceField;
        return false;
    }
    if (!m_pager->ReadFields(reason, field)) return false;
    if (m_pager->Count() < 2) {
        reason = "the baseline needs at least 2 time intervals.";
        field = m_pager;
        return false;
    }
    m_parameters.variance = variance;
    m_parameters.intervalCount = m_pager->Count();
    m_parameters.intervalStarts = m_pager->ValuesForRows(0);
    m_parameters.intervalParameters = m_pager->ValuesForRows(1);
    return true;
}
