#include "editors/CMdcevDLG.h"

#include "editors/CValuePager.h"

#include <QBoxLayout>

CMdcevDLG::CMdcevDLG(const CMdcevMM& model, const CMdcevMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Utility Function"), parent), m_parameters(parameters) {
    CValuePager::Options options;
    options.countLabel = QStringLiteral("# Satiation Parameters");
    options.groupTitle = QStringLiteral("Satiation Parameters");
    options.rowLabels = {QStringLiteral("Value:")};
    m_pager = new CValuePager(options, static_cast<int>(parameters.satiationValues.size()),
                              {parameters.satiationValues});
    ExtrasArea()->addWidget(m_pager);
    ListTerms();
}

bool CMdcevDLG::CheckExtras(std::string& reason, QWidget*& field) {
    if (!m_pager->ReadFields(reason, field)) return false;
    m_parameters.satiationValues = m_pager->ValuesForRows(0);
    return true;
}
