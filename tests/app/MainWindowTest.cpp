// The main window offscreen: its menu from the command table, the run
// settings through the real output and sample-rate dialogs, and whole runs on
// the sample region through the progress dialog: completion, Escape after it,
// and a cancel that ends the start delays.

#include "AppTestSupport.h"
#include "LoopTestRegion.h"

#include "app/CMainWindow.h"
#include "app/CMessageWindow.h"
#include "app/COutputDLG.h"
#include "app/CSampleRateDlg.h"
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
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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
    EXPECT_EQ(window.windowTitle(), "Tolvar");
    EXPECT_EQ(window.geometry(), QRect(100, 100, 960, 720));
    const std::array<std::string, 4> untouched = {"Input database : Unspecified",
                                                  "Input configuration file : Unspecified",
                                                  "Sampling at : 100.0 %", "Database Type : Unspecified"};
    EXPECT_EQ(app.GetViewSettings().Lines(), untouched);
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
    });
    worker.join();
    MessageSink::Post("simulation cancelled");  // the window's own thread, boxes off
    ASSERT_TRUE(AppTest::WaitFor([&] { return window.Lines().size() == 2; }, std::chrono::seconds(10)));
    EXPECT_EQ(window.Lines(), (QStringList{"simulation cancelled (4 times)", "Error 2"}));
    EXPECT_TRUE(window.isVisible());
}

class MainWindowRunTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MainWindowRunTest, RunsTheSampleRegionToCompletionAndCancelsARun) {
    RecordingMessageSink messages;
    LoopTestRegion region(GetParam(), 25, 200);
    const std::filesystem::path out = region.Folder() / "results";
    std::filesystem::create_directories(out);

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
        // The folder typed into the output dialog is the one used.
        ModalResponder<COutputDLG> typeFolder([&](COutputDLG& dialog) {
            dialog.FolderField()->setText(QString::fromStdString(out.string()));
            dialog.accept();
            return true;
        });
        window.ActionFor(CommandIds::kDataOutput)->trigger();
    }
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

    // A whole run, closed with OK once it is complete.
    CRunState::Figures shown;
    {
        ModalResponder<CThreadProgressDLG> closeWhenDone([&](CThreadProgressDLG& dialog) {
            if (!dialog.OkButton()->isEnabled()) return false;
            shown = dialog.Shown();
            EXPECT_EQ(dialog.windowTitle(), "Simulation Completed Successfully");
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            return true;
        });
        window.ActionFor(CommandIds::kSimulationRun)->trigger();
    }
    EXPECT_EQ(shown.phase, CRunState::Figures::Phase::Completed);
    EXPECT_EQ(shown.processed, 200);
    EXPECT_EQ(shown.completed, 10);
    EXPECT_EQ(shown.running, 0);
    EXPECT_EQ(shown.percent, 100);
    EXPECT_FALSE(app.IsRunActive());

    // Ten files per thread. The person-pattern lines land in the right files
    // (workers.outN is opened from the workers name, not the child students'):
    // every line of workers.outN and nonworkers.outN is an adult's, and no
    // adult has two.
    std::set<std::string> adults;
    for (long long household : region.HouseholdIdsInZoneOrder())
        for (const std::string& key : region.PersonKeys(household, true)) adults.insert(key);
    std::multiset<std::string> patternKeys;
    for (int thread = 1; thread <= 10; ++thread) {
        for (const auto name : COutputFileSet::DefaultOutputNames())
            EXPECT_TRUE(std::filesystem::exists(out / (std::string(name) + std::to_string(thread))))
                << name << thread;
        for (const char* name : {"workers.out", "nonworkers.out"})
            for (const std::string& key : LoopFiles::Keys(LoopFiles::Lines(out / (name + std::to_string(thread))))) {
                EXPECT_TRUE(adults.count(key)) << name << thread << ": " << key;
                patternKeys.insert(key);
            }
    }
    EXPECT_FALSE(patternKeys.empty());
    for (const std::string& key : patternKeys) EXPECT_EQ(patternKeys.count(key), 1u) << key;

    // Escape after completion acts as OK and asks nothing.
    int questions = 0;
    int result = -1;
    {
        ModalResponder<CThreadProgressDLG> escape([&](CThreadProgressDLG& dialog) {
            dialog.SetCancelConfirmation([&] { return ++questions, true; });
            if (!dialog.OkButton()->isEnabled()) return false;
            shown = dialog.Shown();
            QObject::connect(&dialog, &QDialog::finished, [&](int code) { result = code; });
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return true;
        });
        window.ActionFor(CommandIds::kSimulationRun)->trigger();
    }
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(shown.processed, 200);  // counted afresh

    // Cancel during long start delays: the threads return at once, then OK closes.
    app.SetStartDelay(std::chrono::seconds(5));
    messages.Clear();
    bool cancelled = false;
    {
        ModalResponder<CThreadProgressDLG> cancel([&](CThreadProgressDLG& dialog) {
            if (!cancelled) {
                EXPECT_FALSE(dialog.OkButton()->isEnabled());  // OK during a run does nothing
                dialog.SetCancelConfirmation([] { return true; });
                QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
                EXPECT_EQ(dialog.windowTitle(), "Simulation Cancelled");
                cancelled = true;
                return false;
            }
            if (!dialog.OkButton()->isEnabled()) return false;
            shown = dialog.Shown();
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            return true;
        });
        const auto start = std::chrono::steady_clock::now();
        window.ActionFor(CommandIds::kSimulationRun)->trigger();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));  // the first delay alone is 5 s
    }
    EXPECT_EQ(shown.phase, CRunState::Figures::Phase::Cancelled);
    EXPECT_EQ(shown.processed, 0);
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
}

INSTANTIATE_TEST_SUITE_P(Db, MainWindowRunTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
