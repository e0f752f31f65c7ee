#pragma once
// The application object: it owns the ten per-thread sets (connection,
// input-data manager and model system of each worker thread) for the whole
// life of the program, the flags that gate a run, the state of the current
// run and the settings the view shows, and carries out every menu command.
// It opens no window itself: it asks the user through CAppDialogs and shows
// fixed texts through the message sink, so tests drive it without windows.
//
// While a run is active (until all ten worker threads have returned) every
// command that changes the ten sets, and Exit, is refused with a message.

#include "app/CAppDialogs.h"
#include "app/CRunState.h"
#include "app/SViewSettings.h"
#include "household/CThreadSets.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

class CModelSystem;

class CTolvarApp {
public:
    explicit CTolvarApp(CAppDialogs& dialogs);
    // Cancels a run still active and joins its threads.
    ~CTolvarApp();
    CTolvarApp(const CTolvarApp&) = delete;
    CTolvarApp& operator=(const CTolvarApp&) = delete;

    // Runs a command by its ID: the application's commands (CommandIds) and
    // every model-edit command. False for an ID that is neither (Exit and
    // Print belong to the window).
    bool OnCommand(int commandId);

    // The commands.
    void OnDataInput();
    void OnDataOutput();
    void OnSampleRate();
    void OnModelsLoad();
    void OnModelsSave();
    void OnInteractiveUI();
    void OnSimulationRun();
    void OnAppAbout();
    // A model-edit command: false when the ID is not one or it was refused.
    bool OnEditModel(int commandId);
    // Whether the program may end now (refused, with a message, during a run).
    bool CanExit();

    bool IsInputLoaded() const { return m_sets.IsInputLoaded(); }
    bool IsModelLoaded() const { return m_bModelLoaded; }
    long GetHouseholdCount() const { return m_sets.GetHouseholdCount(); }
    bool IsRunActive() const { return m_run && !m_run->AllReturned(); }
    // The state of the latest run (null before the first).
    CRunState* GetRun() const { return m_run.get(); }
    const std::string& GetOutputFolder() const { return m_outputFolder; }
    const SViewSettings& GetViewSettings() const { return m_view; }
    CThreadSets& Sets() { return m_sets; }
    std::array<CModelSystem*, CThreadSets::kThreadCount> Systems();

    // Called whenever the view's settings change.
    void SetViewListener(std::function<void()> listener) { m_viewListener = std::move(listener); }
    // Delay before worker i starts is (i + 1) times this (1 second by default).
    void SetStartDelay(std::chrono::milliseconds delay) { m_startDelay = delay; }

private:
    // True, with the message shown, when a run is active.
    bool RefusedWhileRunning();
    void ViewChanged();

    CAppDialogs& m_dialogs;
    CThreadSets m_sets;
    bool m_bModelLoaded = false;
    std::unique_ptr<CRunState> m_run;
    std::string m_outputFolder;
    SViewSettings m_view;
    std::function<void()> m_viewListener;
    std::chrono::milliseconds m_startDelay{1000};
};
