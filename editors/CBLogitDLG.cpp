#include "editors/CBLogitDLG.h"

#include <QBoxLayout>
#include <QLabel>

CBLogitDLG::CBLogitDLG(const CBLogitMM& model, const CBLogitMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Utility Function"), parent), m_parameters(parameters) {
    TopRow()->addWidget(new QLabel(QStringLiteral("Base alternative:")));
    TopRow()->addWidget(new QLabel(QStringLiteral("NO")));
    TopRow()->addSpacing(24);
    TopRow()->addWidget(new QLabel(QStringLiteral("Alternative:")));
    TopRow()->addWidget(new QLabel(QStringLiteral("YES")));
    TopRow()->addStretch();
    AddClearFunctionButton();
    ListTerms();
}
