#include "app/CMessageWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr QSize kDefaultSize(560, 260);
// The height of a title bar, assumed until the window has been framed once.
constexpr int kAssumedTitleBar = 40;

}  // namespace

CMessageWindow::CMessageWindow(QWidget* parent) : QDialog(parent), m_list(new QListWidget) {
    setWindowTitle("Tolvar Messages");
    setModal(false);
    m_list->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* clear = buttons->addButton("Clear", QDialogButtonBox::ResetRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(kDefaultSize);
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
    KeepClearOf(QApplication::activeModalWidget());
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

QRect CMessageWindow::PlaceClearOf(const QRect& avoid, const QRect& screen, const QSize& size) {
    const std::array<QRect, 4> sides = {
        QRect(QPoint(screen.left(), avoid.bottom() + 1), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(screen.right(), avoid.top() - 1)),
        QRect(QPoint(avoid.right() + 1, screen.top()), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(avoid.left() - 1, screen.bottom())),
    };
    QRect best;
    for (const QRect& side : sides) {
        if (side.isEmpty()) continue;
        const QSize fitted = size.boundedTo(side.size());
        if (best.isValid() && fitted.width() * fitted.height() <= best.width() * best.height()) continue;
        // As near the dialog's centre as the side allows.
        const int x =
            std::clamp(avoid.center().x() - fitted.width() / 2, side.left(), side.right() - fitted.width() + 1);
        const int y =
            std::clamp(avoid.center().y() - fitted.height() / 2, side.top(), side.bottom() - fitted.height() + 1);
        best = QRect(QPoint(x, y), fitted);
    }
    return best;
}

void CMessageWindow::KeepClearOf(const QWidget* dialog) {
    if (!dialog || dialog == this || !dialog->isVisible()) return;
    // The modal dialogs in front, one on another (a question over the
    // progress dialog), are kept clear of together.
    QRect avoid;
    for (const QWidget* modal = dialog; modal && modal->isModal();
         modal = modal->parentWidget() ? modal->parentWidget()->window() : nullptr)
        avoid |= modal->frameGeometry();
    if (isVisible() && !frameGeometry().intersects(avoid)) return;
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.height() <= 0) frame.setHeight(kAssumedTitleBar);
    const QRect screen = dialog->screen()->availableGeometry();
    const QRect place = PlaceClearOf(avoid, screen, size().expandedTo(kDefaultSize) + frame);
    if (!place.isValid()) return;
    resize(place.size() - frame);
    move(place.topLeft());
}
