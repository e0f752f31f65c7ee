#pragma once
// The application's dialogs as Qt dialogs: the connection dialog, the output
// and sample-rate dialogs, the model-file dialogs, the progress dialog and the
// About box. The flow charts come from the editors, which install an opener.

#include "app/CAppDialogs.h"

#include <functional>

class QWidget;

class CWindowDialogs : public CAppDialogs {
public:
    // The parent of every dialog (the main window, once it exists).
    void SetParent(QWidget* parent) { m_parent = parent; }
    // What Models > Interactive UI opens (the first flow chart).
    static void SetFlowChartOpener(std::function<void(QWidget* parent)> opener);

    std::optional<std::string> ChooseConnection() override;
    std::optional<std::string> ChooseOutputFolder(const std::string& current) override;
    std::optional<int> ChooseSamplePercent() override;
    std::optional<std::string> ChooseModelFileToLoad() override;
    std::optional<std::string> ChooseModelFileToSave() override;
    void ShowRunProgress(CRunState& run) override;
    void ShowFlowChart() override;
    void ShowAbout() override;

    // Model-file name filters and default suffix of both file dialogs.
    static const char* ModelFileFilters();

protected:
    QWidget* Parent() const { return m_parent; }

private:
    QWidget* m_parent = nullptr;
};
