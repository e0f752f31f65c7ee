#include "app/CMessageWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr QSize kDefaultSize(560, 260);
// The height of a title bar, assumed until the window has been framed once.
constexpr int kAssumedTitleBar = 40;

// A message's text as its paragraph shows it: a line break in the message
// breaks the line but stays inside the paragraph, so one message is one
// paragraph.
QString AsParagraph(const QString& text, int count) {
    QString shown = count > 1 ? text + QString(" (%1 times)").arg(count) : text;
    return shown.replace(QChar('\n'), QChar::LineSeparator);
}

}  // namespace

CMessageWindow::CMessageWindow(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit) {
    setWindowTitle("Tolvar Messages");
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_text->setReadOnly(true);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* clear = buttons->addButton("Clear", QDialogButtonBox::ResetRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(kDefaultSize);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    connect(clear, &QPushButton::clicked, this, &CMessageWindow::Clear);
}

void CMessageWindow::Add(const QString& text) {
    auto found = m_rows.find(text);
    if (found == m_rows.end()) {
        m_rows.emplace(text, std::make_pair(static_cast<int>(m_rows.size()), 1));
        m_text->appendPlainText(AsParagraph(text, 1));
    } else {
        const int count = ++found->second.second;
        QTextCursor paragraph(m_text->document()->findBlockByNumber(found->second.first));
        paragraph.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        paragraph.insertText(AsParagraph(text, count));
    }
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
    KeepClearOf(QApplication::activeModalWidget());
    ShowInFront();
}

void CMessageWindow::ShowInFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    // raise() without activateWindow(): in front, with the focus left where it is.
    raise();
}

QStringList CMessageWindow::Lines() const {
    QStringList lines;
    QTextBlock paragraph = m_text->document()->firstBlock();
    for (size_t row = 0; row < m_rows.size(); ++row, paragraph = paragraph.next())
        lines << paragraph.text().replace(QChar::LineSeparator, QChar('\n'));
    return lines;
}

void CMessageWindow::Clear() {
    m_text->clear();
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
