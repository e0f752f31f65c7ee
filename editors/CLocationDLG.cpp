#include "editors/CLocationDLG.h"

#include "editors/EditorNumberText.h"
#include "editors/VarianceField.h"

#include <QFormLayout>
#include <QLineEdit>

CLocationDLG::CLocationDLG(const CLocationMM& model, const CLocationMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Utility Function"), parent), m_parameters(parameters) {
    m_varianceField = MakeValueField(QStringLiteral("varianceField"), EditorNumberText::Shortest(parameters.variance));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Variance:"), m_varianceField);
    ExtrasArea()->addLayout(form);
    ListTerms();
}

bool CLocationDLG::CheckExtras(std::string& reason, QWidget*& field) {
    field = m_varianceField;
    return VarianceField::Read(*m_varianceField, m_parameters.variance, reason);
}
