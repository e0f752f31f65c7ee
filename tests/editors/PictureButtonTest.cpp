// The picture button as the charts use it: its colours by state read from the
// painted pixels, hover by mouse moves, the colour index check, a
// double-click counting as a click, and the colours after a palette change.

#include "editors/CButtonST.h"
#include "editors/CFlowChartDlg.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A pixel of the background: inside the frame line, away from the text.
QRgb Background(CButtonST& button) { return button.grab().toImage().pixel(2, 2); }
QRgb Frame(CButtonST& button) { return button.grab().toImage().pixel(0, 0); }
QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

class PictureButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.SetChartOpener([](int) {});  // clicks open no chart here
        chart.show();
        chart.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&chart));
        MoveToMargin();
        ASSERT_FALSE(generation.IsMouseOver() || vehicles.IsMouseOver());
    }
    // Leaves the cursor where the next test's chart has no box.
    void TearDown() override { MoveToMargin(); }
    // The cursor in the chart's margin, over no box.
    void MoveToMargin() {
        QTest::mouseMove(&chart, QPoint(chart.width() - 2, chart.height() - 2));
        QCoreApplication::processEvents();
    }
    CFlowChartDlg chart{1, nullptr};
    CButtonST& generation = *chart.Box(1053);  // family 1
    CButtonST& vehicles = *chart.Box(1055);    // family 3: its focus colour differs
};

TEST_F(PictureButtonTest, ColoursFollowFocusHoverAndPress) {
    EXPECT_EQ(Background(vehicles), Rgb(79, 85, 65));  // 0x41554F
    vehicles.setFocus();
    ASSERT_TRUE(vehicles.hasFocus());
    EXPECT_EQ(Background(vehicles), Rgb(150, 120, 56));  // 0x387896

    QTest::mouseMove(&vehicles, vehicles.rect().center());
    EXPECT_TRUE(vehicles.IsMouseOver());
    EXPECT_EQ(Background(vehicles), Rgb(95, 146, 150));  // the light colour 0x96925F
    EXPECT_EQ(Frame(vehicles), vehicles.palette().color(QPalette::Light).rgb());  // raised

    // Onto the next box: the first loses its hover look, the second takes it.
    QTest::mouseMove(&generation, generation.rect().center());
    EXPECT_FALSE(vehicles.IsMouseOver());
    EXPECT_TRUE(generation.IsMouseOver());
    EXPECT_EQ(Background(generation), Rgb(136, 204, 139));  // 0x8BCC88
    EXPECT_NE(Frame(vehicles), vehicles.palette().color(QPalette::Light).rgb());

    // Pressed: the light colour, sunken.
    CButtonST& button = *chart.Box(1054);
    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_TRUE(button.isDown());
    EXPECT_EQ(Background(button), Rgb(215, 146, 125));  // 0x7D92D7
    EXPECT_EQ(Frame(button), button.palette().color(QPalette::Dark).rgb());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
}

TEST_F(PictureButtonTest, ADoubleClickCountsAsAClick) {
    QSignalSpy clicks(&generation, &QPushButton::clicked);
    const QPointF at = generation.rect().center();
    QTest::mouseClick(&generation, Qt::LeftButton, {}, at.toPoint());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, generation.mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&generation, &doubleClick);
    QMouseEvent release(QEvent::MouseButtonRelease, at, generation.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&generation, &release);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PictureButtonTest, ColourIndexOutsideTheSixStoresNothingAndAPaletteChangeResetsColours) {
    CButtonST bare(QStringLiteral("bare"));
    std::vector<QColor> before;
    for (unsigned i = 0; i < 6; ++i) before.push_back(bare.GetColor(i));
    EXPECT_EQ(bare.SetColor(6, Qt::blue), CButtonST::kInvalidIndex);
    EXPECT_EQ(bare.SetColor(255, Qt::blue), CButtonST::kInvalidIndex);
    for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(bare.GetColor(i), before[i]);

    // A new palette resets the colours; the chart's boxes take their own again.
    QPalette other = generation.palette();
    other.setColor(QPalette::Button, QColor(1, 2, 3));
    bare.SetColor(CButtonST::kBackgroundOut, Qt::red);
    bare.setPalette(other);
    EXPECT_EQ(bare.GetColor(CButtonST::kBackgroundOut), QColor(1, 2, 3));

    generation.setPalette(other);
    EXPECT_EQ(generation.GetColor(CButtonST::kBackgroundOut), QColor(56, 133, 61));  // 0x3D8538
    EXPECT_EQ(Background(generation), Rgb(56, 133, 61));
}

}  // namespace
