#pragma once
// What the application tests share: dialogs that answer from fields the test
// sets, the sample model file of the source tree, waiting for a run, and the
// parameters of every model system as text.

#include "app/CAppDialogs.h"
#include "app/CRunState.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace AppTest {

// Answers every question from its fields; nullopt stands for Cancel.
class FakeDialogs : public CAppDialogs {
public:
    std::optional<std::string> connection;
    std::optional<std::string> outputFolder;
    std::optional<int> samplePercent;
    std::optional<std::string> loadPath;
    std::optional<std::string> savePath;
    // What "showing" the progress does; by default waits until every thread returned.
    std::function<void(CRunState&)> onRun;
    int flowCharts = 0;
    int abouts = 0;

    std::optional<std::string> ChooseConnection() override { return connection; }
    std::optional<std::string> ChooseOutputFolder(const std::string&) override { return outputFolder; }
    std::optional<int> ChooseSamplePercent() override { return samplePercent; }
    std::optional<std::string> ChooseModelFileToLoad() override { return loadPath; }
    std::optional<std::string> ChooseModelFileToSave() override { return savePath; }
    void ShowRunProgress(CRunState& run) override;
    void ShowFlowChart() override { ++flowCharts; }
    void ShowAbout() override { ++abouts; }
};

// Waits until the condition holds, for at most `limit`; whether it held.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline void FakeDialogs::ShowRunProgress(CRunState& run) {
    if (onRun)
        onRun(run);
    else
        WaitFor([&run] { return run.AllReturned(); });
}

// The sample model file of the source tree.
inline std::filesystem::path SampleModelFile() {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    return std::filesystem::path(source ? source : TOLVAR_TEST_SOURCE_DIR) / "sample" / "tolvar-sample.tvm";
}

// The model-parameter file a system would write, as text.
inline std::string ParametersOf(const CModelSystem& system) {
    std::ostringstream out;
    CModelParameterFile().WriteXml(out, system);
    return out.str();
}

}  // namespace AppTest
