// Test program of the editors: the widgets need an application object; the
// offscreen platform (set by the test runner) lets them work without a screen.

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// The offscreen platform warns about every window it cannot size to its
// hints; that says nothing about the tests.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.contains(QStringLiteral("propagateSizeHints"))) return;
    fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg) abort();
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    // Test discovery runs the program without the runner's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
