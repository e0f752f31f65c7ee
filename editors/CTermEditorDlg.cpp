#include "editors/CTermEditorDlg.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CVehMData.h"
#include "data/CZoneData.h"
#include "editors/EditorNumberText.h"
#include "models/CModelModule.h"
#include "models/CVariableSet.h"
#include "modelsystem/CComputedVariableRegistry.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

QListWidget* MakeList(const char* objectName, bool horizontalScroll) {
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(horizontalScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return list;
}

QVBoxLayout* Labelled(const char* label, QWidget* widget) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(QString::fromLatin1(label)));
    column->addWidget(widget);
    return column;
}

}  // namespace

CTermEditorDlg::CTermEditorDlg(const CModelModule& model, const QString& groupTitle, QWidget* parent)
    : QDialog(parent), m_model(model), m_admissible(model.GetAdmissibleVariables()) {
    if (const CModelSystem* owner = model.GetOwner()) {
        m_tableNames = owner->m_tableNames;
        m_variableNames = owner->m_variableNames;
    } else {
        CComputedVariableRegistry names;
        names.Build();
        m_tableNames = names.GetTableNames();
        m_variableNames = names.GetVariableNames();
    }
    for (int index : m_admissible) {
        if (index < 0 || static_cast<std::size_t>(index) >= m_variableNames.size())
            throw std::invalid_argument("admissible variable " + NumberText::Integer(index) +
                                        " lies outside the " +
                                        NumberText::Integer(static_cast<long long>(m_variableNames.size())) +
                                        " computed-variable descriptions");
        m_derivedNames.push_back(m_variableNames[static_cast<std::size_t>(index)]);
    }

    setWindowTitle(ToQ(model.GetName()));

    m_sourceList = MakeList("sourceList", false);
    m_variableList = MakeList("variableList", true);
    m_termsList = MakeList("termsList", true);
    m_coefficientField = new QLineEdit;
    m_coefficientField->setObjectName(QStringLiteral("coefficientField"));

    auto* addButton = new QPushButton(QStringLiteral("=>"));
    addButton->setObjectName(QStringLiteral("addTermButton"));
    addButton->setAutoDefault(false);
    auto* removeButton = new QPushButton(QStringLiteral("<="));
    removeButton->setObjectName(QStringLiteral("removeTermButton"));
    removeButton->setAutoDefault(false);

    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel(QStringLiteral("Coefficient:")));
    middle->addWidget(m_coefficientField);
    middle->addWidget(addButton);
    middle->addWidget(removeButton);
    m_termButtons = middle;
    middle->addStretch();

    auto* group = new QGroupBox(groupTitle);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(Labelled("From:", m_sourceList), 2);
    groupLayout->addLayout(Labelled("Variable:", m_variableList), 3);
    groupLayout->addLayout(middle, 2);
    groupLayout->addLayout(Labelled("Linear terms entered:", m_termsList), 5);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("dialogButtons"));

    m_topRow = new QHBoxLayout;
    m_extrasArea = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_topRow);
    layout->addWidget(group, 1);
    layout->addLayout(m_extrasArea);
    layout->addWidget(buttons);

    connect(m_sourceList, &QListWidget::currentRowChanged, this, [this] { OnSelchangeSourceTable(); });
    connect(addButton, &QPushButton::clicked, this, [this] { OnAddTerm(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { OnRemoveTerm(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CTermEditorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTermEditorDlg::reject);

    FillSourceNames();
}

void CTermEditorDlg::FillSourceNames() {
    for (const std::string& name : m_tableNames) m_sourceList->addItem(ToQ(name));
    m_sourceList->setCurrentRow(kHouseholds);  // lists the household columns
}

void CTermEditorDlg::AddClearFunctionButton() {
    auto* clear = new QPushButton(QStringLiteral("Clear function"));
    clear->setObjectName(QStringLiteral("clearFunctionButton"));
    clear->setAutoDefault(false);
    m_termButtons->insertWidget(m_termButtons->count() - 1, clear);
    connect(clear, &QPushButton::clicked, this, [this] { OnClearFunction(); });
}

QLineEdit* CTermEditorDlg::MakeValueField(const QString& objectName, const std::string& text) {
    auto* field = new QLineEdit(ToQ(text));
    field->setObjectName(objectName);
    return field;
}

int CTermEditorDlg::VariableIdFor(int source, int position) const {
    if (position < 0) return -1;
    switch (source) {
    case kHouseholds:
    case kPersons:
    case kZones:
        return CVariableSet::MakeId(source, position);
    case kVehicleMake:
        return CVariableSet::MakeId(kVehicleMakeSource, position);
    case kOther:
        if (static_cast<std::size_t>(position) >= m_admissible.size()) return -1;
        return CVariableSet::MakeId(CVariableSet::kComputedSource, m_admissible[static_cast<std::size_t>(position)]);
    default:
        return -1;
    }
}

void CTermEditorDlg::OnSelchangeSourceTable() {
    std::vector<std::string> names;
    switch (m_sourceList->currentRow()) {
    case kHouseholds: CHouseholdObject(nullptr).GetColumnNames(names); break;
    case kPersons: CPersonObject(nullptr).GetColumnNames(names); break;
    case kZones: CZoneData().GetColumnNames(names); break;
    case kVehicleMake: CVehMData().GetColumnNames(names); break;
    case kOther: names = m_derivedNames; break;
    default: break;
    }
    m_variableList->clear();
    for (const std::string& name : names) m_variableList->addItem(ToQ(name));
}

void CTermEditorDlg::OnAddTerm() {
    const QListWidgetItem* picked = m_variableList->currentItem();
    if (picked == nullptr || !picked->isSelected()) return;
    const std::string text = m_coefficientField->text().toStdString();
    if (text.empty()) return;
    const int id = VariableIdFor(m_sourceList->currentRow(), m_variableList->currentRow());
    if (id < 0) return;
    double coefficient = 0.0;
    if (!EditorNumberText::ReadCoefficient(text, coefficient)) {
        MessageSink::Post("The coefficient \"" + text +
                              "\" is not a finite number: no term was added, as it would make every "
                              "utility of the model infinite or undefined.",
                          MessageIcon::Warning);
        return;
    }
    m_termsList->addItem(ToQ(CComputedVariableRegistry::FormatCoefficient(coefficient, 15) + " * ") +
                         picked->text());
    CurrentTerms(true).Add(id, coefficient);
}

void CTermEditorDlg::OnRemoveTerm() {
    const int row = m_termsList->currentRow();
    if (row < 0 || !m_termsList->item(row)->isSelected()) return;
    delete m_termsList->takeItem(row);
    CurrentTerms(false).RemoveAt(row);
}

void CTermEditorDlg::OnClearFunction() {
    m_termsList->clear();
    CurrentTerms(false).Clear();
}

void CTermEditorDlg::ListTerms() {
    m_termsList->clear();
    const CVariableSet& terms = CurrentTerms(false);
    std::string line;
    for (int i = 0; i < terms.m_nCount; ++i)
        m_termsList->addItem(ToQ(terms.FormatTerm(line, i, &m_variableNames)));
}

void CTermEditorDlg::accept() {
    std::string reason;
    QWidget* field = nullptr;
    if (!CheckExtras(reason, field)) {
        MessageSink::Post("\"" + m_model.GetName() + "\": " + reason, MessageIcon::Warning);
        if (field != nullptr) field->setFocus();
        return;
    }
    TakeExtras();
    QDialog::accept();
}
