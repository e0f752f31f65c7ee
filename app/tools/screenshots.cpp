// Takes the README's pictures of the window offscreen, so they can be taken
// again: the main window connected to a region with the model file loaded,
// and the progress dialog at the end of a run over the region.
//
//   tolvar-screenshots --connect "Driver=SQLite3;Database=region.sqlite;"
//                      --model sample/tolvar-sample.tvm --out docs [--results FOLDER]

#include "app/CMainWindow.h"
#include "app/CMessageWindow.h"
#include "app/CThreadProgressDLG.h"
#include "app/CTolvarApp.h"
#include "app/CWindowDialogs.h"
#include "app/CWindowMessageSink.h"
#include "app/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The window's dialogs with the connection, model file and output folder given.
class GivenDialogs : public CWindowDialogs {
public:
    std::string connection;
    std::string modelFile;
    std::string outputFolder;
    std::optional<std::string> ChooseConnection() override { return connection; }
    std::optional<std::string> ChooseModelFileToLoad() override { return modelFile; }
    std::optional<std::string> ChooseOutputFolder(const std::string&) override { return outputFolder; }
};

// The widget under a plain title bar with its caption: offscreen windows
// have no frame of their own.
bool Save(QWidget& widget, const std::filesystem::path& path) {
    const QPixmap content = widget.grab();
    const int bar = 28;
    QImage image(content.width(), content.height() + bar, QImage::Format_RGB32);
    image.fill(QColor(60, 64, 72));
    QPainter painter(&image);
    painter.drawPixmap(0, bar, content);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(10, 0, image.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft, widget.windowTitle());
    painter.end();
    const bool saved = image.save(QString::fromStdString(path.string()));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.string().c_str());
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    GivenDialogs dialogs;
    std::filesystem::path out = "docs";
    std::filesystem::path results = std::filesystem::temp_directory_path() / "tolvar-screenshots";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--connect") dialogs.connection = argv[i + 1];
        else if (option == "--model") dialogs.modelFile = argv[i + 1];
        else if (option == "--out") out = argv[i + 1];
        else if (option == "--results") results = argv[i + 1];
    }
    if (dialogs.connection.empty() || dialogs.modelFile.empty()) {
        std::fprintf(stderr, "usage: tolvar-screenshots --connect STRING --model FILE [--out FOLDER] [--results FOLDER]\n");
        return 2;
    }
    std::filesystem::create_directories(out);
    std::filesystem::create_directories(results);
    dialogs.outputFolder = results.string();

    CMessageWindow messages;
    CWindowMessageSink sink(messages);
    sink.SetBoxes(false);
    CTolvarApp app(dialogs);
    app.SetStartDelay(std::chrono::milliseconds(0));
    CMainWindow window(app);
    dialogs.SetParent(&window);
    window.show();

    window.RunCommand(CommandIds::kDataInput);
    window.RunCommand(CommandIds::kModelsLoad);
    window.RunCommand(CommandIds::kDataOutput);
    if (!app.IsInputLoaded() || !app.IsModelLoaded()) {
        for (const QString& line : messages.Lines()) std::fprintf(stderr, "%s\n", qPrintable(line));
        return 1;
    }
    QApplication::processEvents();
    bool saved = Save(window, out / "main-window.png");

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CThreadProgressDLG*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->OkButton()->isEnabled()) return;
        poll.stop();
        saved = Save(*dialog, out / "progress-dialog.png") && saved;
        dialog->accept();
    });
    poll.start(20);
    window.RunCommand(CommandIds::kSimulationRun);
    for (const QString& line : messages.Lines()) std::fprintf(stderr, "%s\n", qPrintable(line));
    return saved ? 0 : 1;
}
