// The main window offscreen: its menu from the command table, the run
// settings through the real output and sample-rate dialogs, and whole runs on
// the sample region through the progress dialog: a run cancelled mid-run,
// then a second run to completion, closed with Escape.

#include "AppTestSupport.h"
#include "LoopTestRegion.h"

#include "app/CMainWindow.h"
#include "app/CMessageWindow.h"
#include "app/COutputDLG.h"
#include "app/CSampleRateDlg.h"
#include "app/CRunState.h"
#include "app/CThreadProgressDLG.h"
#include "app/CTolvarApp.h"
#include "app/CWindowDialogs.h"
#include "app/CWindowMessageSink.h"
#include "app/CommandIds.h"
#include "app/ModelEditCommands.h"
#include "household/COutputFileSet.h"
#include "support/RecordingMessageSink.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <thread>

namespace {

// The window's dialogs, except that the connection and the model file are
// given (the rest are the real dialogs).
class GivenAnswers : public CWindowDialogs {
public:
    std::string connection;
    std::string modelFile;
    std::optional<std::string> ChooseConnection() override { return connection; }
    std::optional<std::string> ChooseModelFileToLoad() override { return modelFile; }
};

// Acts on the modal dialog of class Dialog whenever one is open, until the
// action says it is done.
template <class Dialog>
class ModalResponder {
public:
    explicit ModalResponder(std::function<bool(Dialog&)> act) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, act] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
                if (act(*dialog)) m_timer.stop();
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
};

TEST(MainWindowMenuTest, MenuCarriesEveryCommandOfTheTableWithItsText) {
    GivenAnswers dialogs;
    CTolvarApp app(dialogs);
    CMainWindow window(app);
    int menuItems = 0;
    for (const auto& command : ModelEditCommands::All()) {
        QAction* action = window.ActionFor(command.id);
        if (std::string(command.menuText).empty()) {
            EXPECT_EQ(action, nullptr) << command.id;
            continue;
        }
        ++menuItems;
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->text().toStdString(), command.menuText);
    }
    EXPECT_EQ(menuItems, 101);  // the items of the six model pop-ups
    for (int id : {CommandIds::kDataInput, CommandIds::kDataOutput, CommandIds::kAppExit, CommandIds::kModelsLoad,
                   CommandIds::kModelsSave, CommandIds::kInteractiveUI, CommandIds::kSimulationRun,
                   CommandIds::kAppAbout})
        EXPECT_NE(window.ActionFor(id), nullptr) << id;
    EXPECT_EQ(window.ActionFor(CommandIds::kSampleRate), nullptr);  // reached by its ID only
}

TEST(MessageWindowTest, WorkerMessagesArriveInOrderWithRepeatsCounted) {
    CMessageWindow window;
    CWindowMessageSink sink(window);
    sink.SetBoxes(false);
    std::thread worker([] {
        for (int i = 0; i < 3; ++i) MessageSink::Post("simulation cancelled");
        MessageSink::Post("Error 2", MessageIcon::Error);
        MessageSink::Post("Problem\nits reason");  // one message, one line of the list
    });
    worker.join();
    MessageSink::Post("simulation cancelled");  // the window's own thread, boxes off
    ASSERT_TRUE(AppTest::WaitFor([&] { return window.Lines().size() == 3; }, std::chrono::seconds(10)));
    EXPECT_EQ(window.Lines(), (QStringList{"simulation cancelled (4 times)", "Error 2", "Problem\nits reason"}));
    EXPECT_TRUE(window.isVisible());
}

TEST(MessageWindowTest, OwnedByTheMainWindowItComesBackClearOfTheProgressDialogAndWrapsLongLines) {
    GivenAnswers dialogs;
    CTolvarApp app(dialogs);
    CMainWindow window(app);
    window.show();
    CMessageWindow& messages = *window.Messages();
    EXPECT_TRUE(messages.testAttribute(Qt::WA_ShowWithoutActivating));
    CRunState run(100);
    CThreadProgressDLG progress(run, &window);
    QRect front;
    QTimer::singleShot(0, &progress, [&] {
        messages.Add("Thread 3: these output files could not be opened: " +
                     QString("/a/long/output/folder/Adults.out3, ").repeated(20));
        EXPECT_TRUE(messages.isVisible());
        messages.showMinimized();
        messages.Add("/" + QString("output_folder").repeated(23));  // 300 characters, no space; brings it back
        EXPECT_FALSE(messages.isMinimized());
        front = progress.frameGeometry();
        progress.done(QDialog::Rejected);
    });
    progress.exec();
    EXPECT_FALSE(messages.frameGeometry().intersects(front));
    EXPECT_EQ(messages.windowHandle()->transientParent(), window.windowHandle());
    const QPlainTextEdit& text = *messages.Text();
    EXPECT_GT(text.fontMetrics().horizontalAdvance(messages.Lines().back()), text.viewport()->width());
    EXPECT_EQ(text.horizontalScrollBar()->maximum(), 0);
}

TEST(MainWindowExitTest, ExitEndsTheEventLoopWhileTheMessageWindowIsOpen) {
    GivenAnswers dialogs;
    CTolvarApp app(dialogs);
    CMainWindow window(app);
    CMessageWindow& messages = *window.Messages();
    window.show();
    messages.Add("a worker's message");
    messages.showMinimized();
    ASSERT_TRUE(messages.isVisible());
    QTimer::singleShot(0, &window, [&window] { window.ActionFor(CommandIds::kAppExit)->trigger(); });
    QTimer stuck;  // ends a loop that Exit left running
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
}

const std::string kRunActive = "A simulation run is still in progress. Wait until all of its threads have ended.";

class MainWindowRunTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MainWindowRunTest, CancelsARunAndRunsTheSampleRegionToCompletion) {
    RecordingMessageSink messages;
    LoopTestRegion region(GetParam(), 25, 200);
    const std::filesystem::path out = region.Folder() / "results";  // made by the output dialog
    const std::filesystem::path blocked = region.Folder() / "a-file" / "results";
    std::ofstream(region.Folder() / "a-file") << "not a folder\n";

    GivenAnswers dialogs;
    dialogs.connection = region.Connect();
    dialogs.modelFile = AppTest::SampleModelFile().string();
    CTolvarApp app(dialogs);
    app.SetStartDelay(std::chrono::milliseconds(0));
    CMainWindow window(app);
    dialogs.SetParent(&window);
    window.show();

    window.ActionFor(CommandIds::kDataInput)->trigger();
    window.ActionFor(CommandIds::kModelsLoad)->trigger();
    {
        // The folder typed into the output dialog is the one used; one that
        // cannot be made is said at OK, and the dialog stays open.
        ModalResponder<COutputDLG> typeFolder([&](COutputDLG& dialog) {
            dialog.FolderField()->setText(QString::fromStdString(blocked.parent_path().string()));
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible());
            dialog.FolderField()->setText(QString::fromStdString(blocked.string()));
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible());
            dialog.FolderField()->setText(QString::fromStdString(out.string()));
            dialog.accept();
            return true;
        });
        window.ActionFor(CommandIds::kDataOutput)->trigger();
    }
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
        "The output path \"" + blocked.parent_path().string() + "\" is a file, not a folder.",
        "The output folder \"" + blocked.string() + "\" does not exist and cannot be created."}));
    ASSERT_TRUE(std::filesystem::is_directory(out));
    messages.Clear();
    {
        // Sample rate, by its command ID: 100 % again after a look at 40 %.
        ModalResponder<CSampleRateDlg> choose([&](CSampleRateDlg& dialog) {
            dialog.Slider()->setSliderDown(true);
            dialog.Slider()->setValue(40);
            dialog.Slider()->setSliderDown(false);  // the release updates the line
            EXPECT_EQ(dialog.CaptionLine(), "Using 40 % of the data set");
            dialog.accept();
            return true;
        });
        window.RunCommand(CommandIds::kSampleRate);
    }
    EXPECT_EQ(app.GetViewSettings().Lines()[2], "Sampling at : 40.0 %");
    for (CModelSystem* system : app.Systems()) EXPECT_EQ(system->m_sampleRate, 0.4);
    app.Sets().SetSampleRate(1.0);
    ASSERT_TRUE(messages.Texts().empty()) << messages.Texts().front();
    EXPECT_EQ(app.GetViewSettings().Lines()[0].rfind("Input database : Loaded ", 0), 0u);
    EXPECT_EQ(app.GetViewSettings().Lines()[3], "Database Type : " + GetParam());

    // A first run cancelled once a household is counted: while it is active
    // the commands that touch the ten sets and Exit are refused; the threads
    // still in their start delays stop waiting (nowhere near the 3.6 s of the
    // last delay) and OK closes once every thread has returned.
    app.SetStartDelay(std::chrono::milliseconds(400));
    CRunState::Figures shown;
    std::vector<std::string> refusals;
    bool exitAllowed = true;
    bool cancelled = false;
    {
        ModalResponder<CThreadProgressDLG> cancel([&](CThreadProgressDLG& dialog) {
            if (!cancelled) {
                if (app.GetRun()->Processed() == 0 && !app.GetRun()->AllReturned()) return false;
                EXPECT_FALSE(dialog.OkButton()->isEnabled());  // OK during a run does nothing
                app.OnDataInput();
                app.OnModelsLoad();
                app.OnEditModel(32951);
                app.OnSimulationRun();
                exitAllowed = app.CanExit();
                refusals = messages.Texts();
                ModalResponder<QMessageBox> confirm([&](QMessageBox& box) {
                    EXPECT_EQ(box.windowTitle(), "Confirm Cancel");
                    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
                    box.button(QMessageBox::Yes)->click();
                    return true;
                });
                QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
                EXPECT_EQ(dialog.windowTitle(), "Simulation Cancelled");
                EXPECT_TRUE(AppTest::WaitFor([&] { return app.GetRun()->AllReturned(); }, std::chrono::seconds(3)));
                cancelled = true;
                return false;
            }
            if (!dialog.OkButton()->isEnabled()) return false;
            shown = dialog.Shown();
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            return true;
        });
        window.ActionFor(CommandIds::kSimulationRun)->trigger();
    }
    EXPECT_EQ(refusals, std::vector<std::string>(5, kRunActive));
    EXPECT_FALSE(exitAllowed);
    EXPECT_EQ(shown.phase, CRunState::Figures::Phase::Cancelled);
    EXPECT_GT(shown.processed, 0);
    EXPECT_LT(shown.processed, 200);
    EXPECT_TRUE(app.GetRun()->IsCancelled());
    EXPECT_FALSE(app.IsRunActive());
    EXPECT_TRUE(app.CanExit());

    // A second run: its own state, counted from zero, completes over every
    // household; Escape after completion acts as OK and asks nothing.
    messages.Clear();
    app.SetStartDelay(std::chrono::milliseconds(0));
    int questions = 0;
    int result = -1;
    {
        ModalResponder<CThreadProgressDLG> escapeWhenDone([&](CThreadProgressDLG& dialog) {
            dialog.SetCancelConfirmation([&] { return ++questions, true; });
            if (!dialog.OkButton()->isEnabled()) return false;
            shown = dialog.Shown();
            EXPECT_EQ(dialog.windowTitle(), "Simulation Completed Successfully");
            QObject::connect(&dialog, &QDialog::finished, [&](int code) { result = code; });
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return true;
        });
        window.ActionFor(CommandIds::kSimulationRun)->trigger();
    }
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(shown.phase, CRunState::Figures::Phase::Completed);
    EXPECT_EQ(shown.processed, 200);
    EXPECT_EQ(shown.completed, 10);
    EXPECT_EQ(shown.running, 0);
    EXPECT_EQ(shown.percent, 100);
    EXPECT_EQ(app.GetRun()->FailedThreads(), 0);
    EXPECT_FALSE(app.GetRun()->IsCancelled());
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();

    // Ten files per thread. The person-pattern lines land in the right files
    // (workers.outN is opened from the workers name, not the child students'):
    // every line of workers.outN and nonworkers.outN is an adult's, and no
    // adult has two.
    std::set<std::string> adults;
    for (long long household : region.HouseholdIdsInZoneOrder())
        for (const std::string& key : region.PersonKeys(household, true)) adults.insert(key);
    std::multiset<std::string> patternKeys;
    size_t workerLines = 0;
    for (int thread = 1; thread <= 10; ++thread) {
        for (const auto name : COutputFileSet::DefaultOutputNames())
            EXPECT_TRUE(std::filesystem::exists(out / (std::string(name) + std::to_string(thread))))
                << name << thread;
        for (const char* name : {"workers.out", "nonworkers.out"})
            for (const std::string& key : LoopFiles::Keys(LoopFiles::Lines(out / (name + std::to_string(thread))))) {
                EXPECT_TRUE(adults.count(key)) << name << thread << ": " << key;
                patternKeys.insert(key);
                if (std::string(name) == "workers.out") ++workerLines;
            }
    }
    EXPECT_GT(workerLines, 0u);
    for (const std::string& key : patternKeys) EXPECT_EQ(patternKeys.count(key), 1u) << key;
}

INSTANTIATE_TEST_SUITE_P(Db, MainWindowRunTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
