#include "app/CTolvarView.h"

#include "app/SViewSettings.h"

#include <QFontMetrics>
#include <QPainter>

CTolvarView::CTolvarView(const SViewSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_picture(":/tolvar/view-picture.png") {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CTolvarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Integer centring; a client area smaller than the picture clips it.
    const QRect area = rect();
    const int x = area.left() + (area.right() + 1 - m_picture.width() - area.left()) / 2;
    const int y = area.top() + (area.bottom() + 1 - m_picture.height() - area.top()) / 2 + 30;
    painter.drawPixmap(x, y, m_picture);

    painter.setPen(palette().color(QPalette::Text));
    const int ascent = QFontMetrics(painter.font()).ascent();
    int top = 10;
    for (const std::string& line : m_settings.Lines()) {
        painter.drawText(10, top + ascent, QString::fromStdString(line));
        top += 20;
    }
}
