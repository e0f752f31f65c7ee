#include "app/CMessageWindow.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CMessageWindow::CMessageWindow(QWidget* parent) : QDialog(parent), m_list(new QListWidget) {
    setWindowTitle("Tolvar Messages");
    setModal(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* clear = buttons->addButton("Clear", QDialogButtonBox::ResetRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 260);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    connect(clear, &QPushButton::clicked, this, &CMessageWindow::Clear);
}

void CMessageWindow::Add(const QString& text) {
    auto found = m_rows.find(text);
    if (found == m_rows.end()) {
        m_rows.emplace(text, std::make_pair(m_list->count(), 1));
        m_list->addItem(text);
    } else {
        const int count = ++found->second.second;
        m_list->item(found->second.first)->setText(QString("%1 (%2 times)").arg(text).arg(count));
    }
    m_list->scrollToBottom();
    if (!isVisible()) show();
}

QStringList CMessageWindow::Lines() const {
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i) lines << m_list->item(i)->text();
    return lines;
}

void CMessageWindow::Clear() {
    m_list->clear();
    m_rows.clear();
}
