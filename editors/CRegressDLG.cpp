#include "editors/CRegressDLG.h"

#include "editors/EditorNumberText.h"
#include "editors/VarianceField.h"

#include <QFormLayout>
#include <QLineEdit>

CRegressDLG::CRegressDLG(const CRegressMM& model, const CRegressMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Regression Function"), parent), m_parameters(parameters) {
    m_varianceField = MakeValueField(QStringLiteral("varianceField"), EditorNumberText::Shortest(parameters.variance));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Variance:"), m_varianceField);
    ExtrasArea()->addLayout(form);
    ListTerms();
}

bool CRegressDLG::CheckExtras(std::string& reason, QWidget*& field) {
    field = m_varianceField;
    return VarianceField::Read(*m_varianceField, m_parameters.variance, reason);
}
