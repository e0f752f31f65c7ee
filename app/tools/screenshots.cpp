// Takes the README's pictures of the window offscreen, so they can be taken
// again: the main window connected to a region with the model file loaded,
// and the progress dialog at the end of a run over the region; with the
// editors, also the hazard editor of "Children's school Start time" with its
// baseline pages open and the top flow chart.

#include "app/CMainWindow.h"
#include "app/CMessageWindow.h"
#include "app/CThreadProgressDLG.h"
#include "app/CTolvarApp.h"
#include "app/CWindowDialogs.h"
#include "app/CWindowMessageSink.h"
#include "app/CommandIds.h"
#include "platform/CCommandLine.h"

#ifdef TOLVAR_WITH_EDITORS
#include "editors/CFlowChartDlg.h"
#include "editors/CHazardDLG.h"
#include "models/CHazardMM.h"
#include "modelsystem/CModelSystem.h"

#include <QListWidget>
#endif

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
#include <system_error>

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
// have no frame of their own. A picture that cannot be written is a failure
// line of the program.
bool Save(QWidget& widget, const std::filesystem::path& path, const CCommandLine& commandLine) {
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
    if (!image.save(QString::fromStdString(path.string()))) {
        commandLine.Fail("the picture " + path.string() + " could not be written");
        return false;
    }
    std::printf("wrote %s\n", path.string().c_str());
    return true;
}

// Creates the folder a picture or the run's output goes to, with its parents;
// false with the reason when it is not a folder afterwards.
bool CreateFolder(const std::filesystem::path& folder, std::string& error) {
    std::error_code code;
    std::error_code ignored;
    std::filesystem::create_directories(folder, code);
    if (std::filesystem::is_directory(folder, ignored)) return true;
    error = "the folder \"" + folder.string() + "\" cannot be created" + (code ? ": " + code.message() : "");
    return false;
}

constexpr CCommandLine::SOption kOptions[] = {
    {"--connect", "STRING", "ODBC connect string of the region to connect to (required)"},
    {"--model", "FILE", "model-parameter file to load (required)"},
    {"--out", "FOLDER", "folder of the pictures (default: docs)"},
    {"--results", "FOLDER", "output folder of the run (default: a folder in the temporary directory)"},
};

constexpr CCommandLine::SExitStatus kExitStatuses[] = {
    {0, "every picture was written"},
    {1, "a folder could not be created, the region or the model file could not be loaded, or a picture could "
        "not be written"},
};

constexpr CCommandLine::SProgram kProgram{
    "tolvar-screenshots",
    "--connect STRING --model FILE\n"
    "[--out FOLDER] [--results FOLDER]",
    "Takes the README's pictures of the window offscreen: the main window after "
    "Data > Input and Models > Load, the progress dialog at the end of a run, and, "
    "with the editors, the hazard editor and the top flow chart.",
    kOptions,
    0,
    "",
    kExitStatuses,
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    CCommandLine commandLine(kProgram);
    int status = 0;
    if (!commandLine.ParseMain(argc, argv, status)) return status;
    GivenDialogs dialogs;
    dialogs.connection = commandLine.Value("--connect");
    dialogs.modelFile = commandLine.Value("--model");
    if (dialogs.connection.empty() || dialogs.modelFile.empty())
        return commandLine.Wrong("--connect and --model are required");
    const std::filesystem::path out = commandLine.Value("--out", "docs");
    std::filesystem::path results = commandLine.Value("--results");
    if (results.empty()) {
        std::error_code code;
        results = std::filesystem::temp_directory_path(code) / "tolvar-screenshots";
        if (code) return commandLine.Fail("no temporary directory for the run's output: " + code.message());
    }
    std::string error;
    if (!CreateFolder(out, error) || !CreateFolder(results, error)) return commandLine.Fail(error);
    dialogs.outputFolder = results.string();

    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    CTolvarApp app(dialogs);
    app.SetStartDelay(std::chrono::milliseconds(0));
    CMainWindow window(app);
    CMessageWindow& messages = *window.Messages();
    CWindowMessageSink sink(messages);
    sink.SetBoxes(false);
    dialogs.SetParent(&window);
    window.show();

    window.RunCommand(CommandIds::kDataInput);
    window.RunCommand(CommandIds::kModelsLoad);
    window.RunCommand(CommandIds::kDataOutput);
    if (!app.IsInputLoaded() || !app.IsModelLoaded()) {
        for (const QString& line : messages.Lines()) std::fprintf(stderr, "%s\n", qPrintable(line));
        return commandLine.Fail("the region or the model file could not be loaded");
    }
    QApplication::processEvents();
    bool saved = Save(window, out / "main-window.png", commandLine);

#ifdef TOLVAR_WITH_EDITORS
    // The editors as the loaded model file and the region's columns fill them.
    const CHazardMM& hazard = *app.Systems()[0]->m_pChildrensSchoolStartTime;
    CHazardDLG editor(hazard, CHazardMM::Parameters{hazard.m_terms, hazard.m_fVariance, hazard.m_nIntervalCount,
                                                    hazard.m_intervalStarts, hazard.m_intervalParameters});
    editor.findChild<QListWidget*>(QStringLiteral("sourceList"))->setCurrentRow(1);
    editor.findChild<QListWidget*>(QStringLiteral("variableList"))->setCurrentRow(8);
    editor.findChild<QPushButton*>(QStringLiteral("editValuesButton"))->click();
    editor.resize(editor.sizeHint().expandedTo(QSize(900, 0)));
    editor.show();
    QApplication::processEvents();
    saved = Save(editor, out / "editor-hazard.png", commandLine) && saved;
    editor.hide();
    CFlowChartDlg chart(1, nullptr);
    chart.show();
    QApplication::processEvents();
    saved = Save(chart, out / "flow-chart-top.png", commandLine) && saved;
    chart.hide();
#endif

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CThreadProgressDLG*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->OkButton()->isEnabled()) return;
        poll.stop();
        saved = Save(*dialog, out / "progress-dialog.png", commandLine) && saved;
        dialog->accept();
    });
    poll.start(20);
    window.RunCommand(CommandIds::kSimulationRun);
    for (const QString& line : messages.Lines()) std::fprintf(stderr, "%s\n", qPrintable(line));
    return saved ? 0 : 1;
}
