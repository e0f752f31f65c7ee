#pragma once
// The dialogs the application's commands ask the user through. The window
// implements them with Qt dialogs; tests without windows answer them
// directly. Each returns nothing when the user cancels.

#include <optional>
#include <string>

class CRunState;

class CAppDialogs {
public:
    virtual ~CAppDialogs() = default;

    // Data > Input: the ODBC connect string to open the input database with.
    virtual std::optional<std::string> ChooseConnection() = 0;
    // Data > Output: the folder of the output files ("" for the working folder).
    virtual std::optional<std::string> ChooseOutputFolder(const std::string& current) = 0;
    // Sample rate: the percentage of households simulated, 0 to 100.
    virtual std::optional<int> ChooseSamplePercent() = 0;
    // Models > Load and Models > Save: the model-parameter file.
    virtual std::optional<std::string> ChooseModelFileToLoad() = 0;
    virtual std::optional<std::string> ChooseModelFileToSave() = 0;
    // Shows the progress of the run that has just started and returns when the
    // user closes it, which is possible only once every worker has returned.
    virtual void ShowRunProgress(CRunState& run) = 0;
    // Models > Interactive UI: the first flow chart of the model framework.
    virtual void ShowFlowChart() = 0;
    // Help > About.
    virtual void ShowAbout() = 0;
};
