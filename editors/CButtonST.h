#pragma once
// The picture button of the flow charts: a flat push button that paints
// itself in six state colours, raises a thin frame while the mouse is over
// it, sinks it while pressed, centres its text with word wrap and never draws
// a focus rectangle. Colour indices: 0 background and 1 text while hovered or
// pressed; 2 background and 3 text normally; 4 background and 5 text while
// it has the focus. A double-click acts as a click.
//
// The colours are set by the owner, once at construction; when the palette
// changes (a system colour change) they return to the palette's button
// colours and the owner's reset handler sets its own again. Painting never
// changes them.

#include <QColor>
#include <QPushButton>

#include <array>
#include <cstdint>
#include <functional>

class CButtonST : public QPushButton {
public:
    static constexpr int kColourCount = 6;
    enum ColourIndex {
        kBackgroundIn = 0,
        kForegroundIn = 1,
        kBackgroundOut = 2,
        kForegroundOut = 3,
        kBackgroundFocus = 4,
        kForegroundFocus = 5,
    };
    // SetColor's answers.
    static constexpr int kColorSet = 0;
    static constexpr int kInvalidIndex = 3;

    explicit CButtonST(const QString& text = QString(), QWidget* parent = nullptr);

    // Stores colour `index` and, with `repaint`, schedules a repaint. Returns
    // kColorSet, or kInvalidIndex (storing nothing) for an index of 6 or more.
    int SetColor(unsigned index, const QColor& colour, bool repaint = true);
    // Colour `index` (0 to 5); an invalid colour for any other index.
    QColor GetColor(unsigned index) const;
    bool IsMouseOver() const { return m_mouseOver; }
    // Called after a palette change returned the colours to their defaults.
    void SetColoursResetHandler(std::function<void()> handler) { m_onColoursReset = std::move(handler); }

    // A COLORREF (0x00BBGGRR) as a colour.
    static QColor FromColorRef(std::uint32_t colorRef);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetMouseOver(bool over);
    void ResetColours();

    std::array<QColor, kColourCount> m_colours;
    bool m_mouseOver = false;
    std::function<void()> m_onColoursReset;
};
