#include "editors/CMNLogitDLG.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

CMNLogitDLG::CMNLogitDLG(const CMNLogitMM& model, const CMNLogitMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Utility Function"), parent), m_parameters(parameters) {
    m_alternativeCombo = new QComboBox;
    m_alternativeCombo->setObjectName(QStringLiteral("alternativeCombo"));
    for (const auto& [id, name] : model.m_alternativeNames) {
        m_alternativeCodes.push_back(id);
        m_alternativeCombo->addItem(QString::fromStdString(name));
    }
    TopRow()->addWidget(new QLabel(QStringLiteral("Alternative:")));
    TopRow()->addWidget(m_alternativeCombo, 1);
    TopRow()->addStretch(2);
    AddClearFunctionButton();
    if (!m_alternativeCodes.empty()) m_alternativeCombo->setCurrentIndex(0);
    // Without alternatives a term would belong to no utility function.
    if (m_alternativeCodes.empty()) findChild<QPushButton*>(QStringLiteral("addTermButton"))->setEnabled(false);
    connect(m_alternativeCombo, &QComboBox::currentIndexChanged, this, [this] { OnSelchangeAlternative(); });
    ListTerms();
}

CVariableSet& CMNLogitDLG::CurrentTerms(bool forChange) {
    const int position = m_alternativeCombo->currentIndex();
    if (position < 0 || static_cast<std::size_t>(position) >= m_alternativeCodes.size()) {
        m_noFunction.Clear();
        return m_noFunction;  // no alternative: nothing to keep
    }
    const int id = m_alternativeCodes[static_cast<std::size_t>(position)];
    const auto found = m_parameters.utilities.find(id);
    if (found != m_parameters.utilities.end()) return found->second;
    if (forChange) return m_parameters.utilities[id];
    m_noFunction.Clear();
    return m_noFunction;
}

void CMNLogitDLG::OnSelchangeAlternative() { ListTerms(); }
