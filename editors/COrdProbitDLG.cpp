#include "editors/COrdProbitDLG.h"

#include "editors/CValuePager.h"
#include "platform/NumberText.h"

#include <QBoxLayout>

COrdProbitDLG::COrdProbitDLG(const COrdProbitMM& model, const COrdProbitMM::Parameters& parameters,
                             QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Utility Function"), parent),
      m_parameters(parameters),
      m_nCategoryCount(model.m_nCategoryCount) {
    CValuePager::Options options;
    options.countLabel = QStringLiteral("# Threshold values");
    options.groupTitle = QStringLiteral("Threshold values");
    options.rowLabels = {QStringLiteral("Value:")};
    options.countEditable = false;
    m_pager = new CValuePager(options, static_cast<int>(parameters.thresholds.size()), {parameters.thresholds});
    ExtrasArea()->addWidget(m_pager);
    ListTerms();
}

bool COrdProbitDLG::CheckExtras(std::string& reason, QWidget*& field) {
    if (!m_pager->ReadFields(reason, field)) return false;
    std::vector<double> thresholds = m_pager->ValuesForRows(0);
    if (!COrdProbitMM::AreValidThresholds(thresholds, m_nCategoryCount)) {
        reason = "the thresholds must be strictly ascending (at most " +
                 NumberText::Integer(m_nCategoryCount > 1 ? m_nCategoryCount - 1 : 0) + " of them).";
        field = m_pager;
        return false;
    }
    m_parameters.thresholds = std::move(thresholds);
    return true;
}
