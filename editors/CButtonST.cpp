#include "editors/CButtonST.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

CButtonST::CButtonST(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFlat(true);
    setAutoDefault(false);
    setMouseTracking(true);
    ResetColours();
}

QColor CButtonST::FromColorRef(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

int CButtonST::SetColor(unsigned index, const QColor& colour, bool repaint) {
    if (index >= static_cast<unsigned>(kColourCount)) return kInvalidIndex;
    m_colours[index] = colour;
    if (repaint) update();
    return kColorSet;
}

QColor CButtonST::GetColor(unsigned index) const {
    return index < static_cast<unsigned>(kColourCount) ? m_colours[index] : QColor();
}

void CButtonST::ResetColours() {
    // Even indices the button face, odd indices the button text.
    for (int i = 0; i < kColourCount; ++i)
        m_colours[static_cast<std::size_t>(i)] = palette().color(i % 2 == 0 ? QPalette::Button : QPalette::ButtonText);
}

void CButtonST::SetMouseOver(bool over) {
    if (m_mouseOver == over) return;
    m_mouseOver = over;
    update();
}

void CButtonST::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect();
    const bool pressed = isDown() || (isCheckable() && isChecked());
    const bool focused = hasFocus();
    const bool hot = m_mouseOver || pressed;

    painter.fillRect(frame, hot ? m_colours[kBackgroundIn] : focused ? m_colours[kBackgroundFocus]
                                                                     : m_colours[kBackgroundOut]);

    // Flat look: a one-pixel raised frame while hovered, sunken while pressed.
    if (hot) {
        const QColor light = palette().color(QPalette::Light);
        const QColor shadow = palette().color(QPalette::Dark);
        const QColor& topLeft = pressed ? shadow : light;
        const QColor& bottomRight = pressed ? light : shadow;
        const QRect r = frame.adjusted(0, 0, -1, -1);
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }

    if (text().isEmpty()) return;
    QRect caption = frame.adjusted(4, 2, -4, -2);
    if (pressed) caption.translate(1, 1);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    if (!isEnabled()) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(caption.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(caption, flags, text());
        return;
    }
    painter.setPen(hot ? m_colours[kForegroundIn] : focused ? m_colours[kForegroundFocus] : m_colours[kForegroundOut]);
    painter.drawText(caption, flags, text());
}

void CButtonST::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    SetMouseOver(true);
}

void CButtonST::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    SetMouseOver(false);
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    // A drag that started elsewhere does not light the button.
    if ((event->buttons() & Qt::LeftButton) && !m_mouseOver) return;
    SetMouseOver(inside);
}

void CButtonST::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is a press like any other.
    mousePressEvent(event);
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    SetMouseOver(false);
}

void CButtonST::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) SetMouseOver(false);
        break;
    case QEvent::ActivationChange:
        if (!isActiveWindow()) SetMouseOver(false);
        break;
    case QEvent::PaletteChange:
        ResetColours();
        if (m_onColoursReset) m_onColoursReset();
        update();
        break;
    default:
        break;
    }
}
