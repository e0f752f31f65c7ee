// Draws the pictures of the window, so they can be made again: the view's
// picture (a zone map with one person's day of tours from home) and the
// program's icon.

#include "platform/CCommandLine.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 672;
constexpr int kHeight = 504;
constexpr int kZone = 48;

QColor ZoneColour(int column, int row) {
    // A fixed pattern of land uses: residential, commercial, parks, water.
    const int kind = (column * 7 + row * 13 + (column * row) % 5) % 9;
    if (kind < 4) return QColor(236, 232, 218);
    if (kind < 6) return QColor(250, 222, 196);
    if (kind < 8) return QColor(204, 228, 196);
    return QColor(198, 220, 238);
}

QPoint ZoneCentre(int column, int row) { return {column * kZone + kZone / 2, row * kZone + kZone / 2 + 24}; }

void DrawTour(QPainter& painter, const std::vector<QPoint>& stops, QColor colour) {
    QPainterPath path(stops.front());
    for (size_t i = 1; i < stops.size(); ++i) {
        const QPointF from = stops[i - 1];
        const QPointF to = stops[i];
        const QPointF bend((from.x() + to.x()) / 2 + (to.y() - from.y()) * 0.18,
                           (from.y() + to.y()) / 2 - (to.x() - from.x()) * 0.18);
        path.quadTo(bend, to);
    }
    painter.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(colour, 3));
    for (size_t i = 1; i + 1 < stops.size(); ++i) painter.drawEllipse(stops[i], 8, 8);
}

void DrawHome(QPainter& painter, QPoint at) {
    QPolygon house;
    house << at + QPoint(-14, 2) << at + QPoint(0, -14) << at + QPoint(14, 2) << at + QPoint(10, 2)
          << at + QPoint(10, 14) << at + QPoint(-10, 14) << at + QPoint(-10, 2);
    painter.setPen(QPen(QColor(60, 60, 70), 2));
    painter.setBrush(QColor(200, 70, 60));
    painter.drawPolygon(house);
}

QImage ViewPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(250, 250, 247));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 14; ++column) {
            painter.fillRect(column * kZone + 1, row * kZone + 25, kZone - 2, kZone - 2, ZoneColour(column, row));
        }
    painter.setPen(QPen(QColor(170, 170, 170), 3));
    for (int row : {2, 6}) painter.drawLine(0, row * kZone + 24, kWidth, row * kZone + 24);
    for (int column : {4, 10}) painter.drawLine(column * kZone, 24, column * kZone, kHeight - 48);

    const QPoint home = ZoneCentre(3, 4);
    DrawTour(painter, {home, ZoneCentre(9, 2), home}, QColor(40, 90, 170));                      // work
    DrawTour(painter, {home, ZoneCentre(6, 7), ZoneCentre(8, 6), home}, QColor(220, 130, 30));   // shopping
    DrawTour(painter, {home, ZoneCentre(1, 1), ZoneCentre(5, 1), home}, QColor(60, 150, 80));    // social
    DrawHome(painter, home);

    QFont title = painter.font();
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(50, 50, 60));
    painter.drawText(QRect(0, kHeight - 46, kWidth, 40), Qt::AlignCenter, "Tolvar  \u2013  one simulated day");
    return image;
}

QImage Icon() {
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 90, 170));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(4, 4, 120, 120, 24, 24);
    painter.setPen(QPen(QColor(255, 200, 80), 9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(64, 64), 36, 36);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    for (QPoint at : {QPoint(64, 28), QPoint(95, 82), QPoint(33, 82)}) painter.drawEllipse(at, 11, 11);
    return image;
}

constexpr CCommandLine::SExitStatus kExitStatuses[] = {
    {0, "both pictures were written"},
    {1, "a picture could not be written"},
};

constexpr CCommandLine::SProgram kProgram{
    "tolvar-make-pictures",
    "FOLDER",
    "Draws the window's pictures again: the view's picture (view-picture.png) and "
    "the program's icon (tolvar-icon.png), into FOLDER (app/resources in the tree).",
    {},
    1,
    "",
    kExitStatuses,
};

}  // namespace

int main(int argc, char* argv[]) {
    CCommandLine commandLine(kProgram);
    int status = 0;
    if (!commandLine.ParseMain(argc, argv, status)) return status;
    if (commandLine.Operands().empty()) return commandLine.Wrong("the folder is missing");

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromStdString(commandLine.Operands().front());
    const bool saved = ViewPicture().save(folder + "/view-picture.png") && Icon().save(folder + "/tolvar-icon.png");
    if (!saved) return commandLine.Fail("the pictures could not be written to " + commandLine.Operands().front());
    return 0;
}
