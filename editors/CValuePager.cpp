#include "editors/CValuePager.h"

#include "editors/EditorNumberText.h"
#include "platform/MessageSink.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* MakeButton(const char* text, const char* objectName) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CValuePager::CValuePager(const Options& options, int count, std::vector<std::vector<double>> vectors,
                         QWidget* parent)
    : QWidget(parent), m_options(options), m_vectors(std::move(vectors)) {
    m_vectors.resize(m_options.rowLabels.size());
    for (auto& values : m_vectors)
        if (values.size() < static_cast<std::size_t>(kRowsPerPage)) values.resize(kRowsPerPage, 0.0);

    m_countField = new QSpinBox;
    m_countField->setObjectName(QStringLiteral("countField"));
    // A model may hold more values than the field offers; the range keeps them.
    m_countField->setRange(m_options.smallestCount, std::max(kLargestCount, count));
    m_countField->setValue(count);
    m_countField->setReadOnly(!m_options.countEditable);
    m_editButton = MakeButton("Edit", "editValuesButton");

    m_group = new QGroupBox(m_options.groupTitle);
    m_group->setObjectName(QStringLiteral("valueGroup"));
    auto* grid = new QGridLayout(m_group);
    for (int k = 0; k < kRowsPerPage; ++k) {
        auto* number = new QLabel(QString::number(k + 1));
        number->setObjectName(QStringLiteral("rowNumber%1").arg(k));
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, 0, k + 1);
        m_rowNumbers.push_back(number);
    }
    for (std::size_t v = 0; v < m_vectors.size(); ++v) {
        grid->addWidget(new QLabel(m_options.rowLabels[v]), static_cast<int>(v) + 1, 0);
        std::vector<QLineEdit*> row;
        for (int k = 0; k < kRowsPerPage; ++k) {
            auto* field = new QLineEdit;
            field->setObjectName(QStringLiteral("valueField%1_%2").arg(v).arg(k));
            grid->addWidget(field, static_cast<int>(v) + 1, k + 1);
            row.push_back(field);
        }
        m_fields.push_back(row);
    }
    m_prevButton = MakeButton("<=", "prevValuesButton");
    m_nextButton = MakeButton("=>", "nextValuesButton");
    auto* pageButtons = new QHBoxLayout;
    pageButtons->addStretch();
    pageButtons->addWidget(m_prevButton);
    pageButtons->addWidget(m_nextButton);
    grid->addLayout(pageButtons, static_cast<int>(m_vectors.size()) + 1, 0, 1, kRowsPerPage + 1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(m_options.countLabel));
    countRow->addWidget(m_countField);
    countRow->addWidget(m_editButton);
    countRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(countRow);
    layout->addWidget(m_group);

    // Reduced until "Edit": the values out of view, no paging.
    m_group->setVisible(false);
    m_prevButton->setEnabled(false);
    m_nextButton->setEnabled(false);
    WriteFields();

    connect(m_editButton, &QPushButton::clicked, this, [this] { OnEditValues(); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { OnNextValues(); });
    connect(m_prevButton, &QPushButton::clicked, this, [this] { OnPrevValues(); });
}

int CValuePager::Count() const { return m_countField->value(); }

int CValuePager::Rows() const { return m_options.rowsOneFewer ? std::max(Count() - 1, 0) : Count(); }

bool CValuePager::IsExpanded() const { return !m_group->isHidden(); }

bool CValuePager::IsRowShown(int k) const { return !m_rowNumbers[static_cast<std::size_t>(k)]->isHidden(); }

QString CValuePager::RowNumber(int k) const { return m_rowNumbers[static_cast<std::size_t>(k)]->text(); }

std::vector<double> CValuePager::ValuesForRows(int v) const {
    std::vector<double> values = Values(v);
    values.resize(static_cast<std::size_t>(Rows()), 0.0);
    return values;
}

bool CValuePager::ReadFields(std::string& reason, QWidget*& field) {
    const int rows = Rows();
    for (std::size_t v = 0; v < m_vectors.size(); ++v) {
        for (int k = 0; k < kRowsPerPage; ++k) {
            const std::size_t index = static_cast<std::size_t>(m_page * kRowsPerPage + k);
            // Rows past the end, and rows a grown count has not yet reached,
            // are not read.
            if (index >= static_cast<std::size_t>(rows) || index >= m_vectors[v].size()) continue;
            QLineEdit* edit = m_fields[v][static_cast<std::size_t>(k)];
            const std::string text = edit->text().toStdString();
            if (!EditorNumberText::ParseFinite(text, m_vectors[v][index])) {
                reason = "the value \"" + text + "\" in row " + std::to_string(index + 1) + " is not a finite number.";
                field = edit;
                return false;
            }
        }
    }
    return true;
}

bool CValuePager::ReadFieldsOrReport() {
    std::string reason;
    QWidget* field = nullptr;
    if (ReadFields(reason, field)) return true;
    MessageSink::Post("The page was not changed: " + reason, MessageIcon::Warning);
    if (field != nullptr) field->setFocus();
    return false;
}

void CValuePager::GrowToRows() {
    const std::size_t rows = static_cast<std::size_t>(Rows());
    const std::size_t page = static_cast<std::size_t>(kRowsPerPage);
    for (auto& values : m_vectors)
        if (values.size() < rows) values.resize((rows / page + 1) * page, 0.0);
}

void CValuePager::ShowPage(int page) {
    m_page = page;
    const int rows = Rows();
    for (int k = 0; k < kRowsPerPage; ++k) {
        const int row = page * kRowsPerPage + k;
        const bool shown = row < rows;
        m_rowNumbers[static_cast<std::size_t>(k)]->setText(QString::number(row + 1));
        m_rowNumbers[static_cast<std::size_t>(k)]->setVisible(shown);
        for (auto& fields : m_fields) fields[static_cast<std::size_t>(k)]->setVisible(shown);
    }
    m_nextButton->setEnabled(rows > (page + 1) * kRowsPerPage);
    m_prevButton->setEnabled(page > 0);
    WriteFields();
}

void CValuePager::WriteFields() {
    for (std::size_t v = 0; v < m_vectors.size(); ++v)
        for (int k = 0; k < kRowsPerPage; ++k) {
            const std::size_t index = static_cast<std::size_t>(m_page * kRowsPerPage + k);
            const QString text = index < m_vectors[v].size()
                                     ? QString::fromStdString(EditorNumberText::Shortest(m_vectors[v][index]))
                                     : QString();
            m_fields[v][static_cast<std::size_t>(k)]->setText(text);
        }
}

void CValuePager::OnEditValues() {
    if (!ReadFieldsOrReport()) return;
    if (m_options.rowsOneFewer && Count() < 1) return;
    GrowToRows();
    // Back to the first page, so no row of an earlier, longer page stays.
    ShowPage(0);
    m_group->setVisible(true);
}

void CValuePager::OnNextValues() {
    if (!ReadFieldsOrReport()) return;
    if (Rows() <= (m_page + 1) * kRowsPerPage) return;
    GrowToRows();
    ShowPage(m_page + 1);
}

void CValuePager::OnPrevValues() {
    if (!ReadFieldsOrReport()) return;
    if (m_page == 0) return;
    GrowToRows();
    ShowPage(m_page - 1);
}
