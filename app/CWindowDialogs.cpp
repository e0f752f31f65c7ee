#include "app/CWindowDialogs.h"

#include "app/CAboutDlg.h"
#include "app/CConnectionDialog.h"
#include "app/COutputDLG.h"
#include "app/CSampleRateDlg.h"
#include "app/CThreadProgressDLG.h"
#include "platform/MessageSink.h"

#include <QFileDialog>

namespace {

std::function<void(QWidget*)>& FlowChartOpener() {
    static std::function<void(QWidget*)> opener;
    return opener;
}

std::optional<std::string> ModelFile(QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, mode == QFileDialog::AcceptOpen ? "Load Model File" : "Save Model File");
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(CWindowDialogs::ModelFileFilters());
    dialog.setDefaultSuffix("tvm");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

void CWindowDialogs::SetFlowChartOpener(std::function<void(QWidget* parent)> opener) {
    FlowChartOpener() = std::move(opener);
}

const char* CWindowDialogs::ModelFileFilters() {
    return "Tolvar Model Files (*.tvm);;XML Files (*.xml);;All Files (*)";
}

std::optional<std::string> CWindowDialogs::ChooseConnection() {
    CConnectionDialog dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.GetConnectString();
}

std::optional<std::string> CWindowDialogs::ChooseOutputFolder(const std::string& current) {
    COutputDLG dialog(QString::fromStdString(current), m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Folder().toStdString();
}

std::optional<int> CWindowDialogs::ChooseSamplePercent() {
    CSampleRateDlg dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Position();
}

std::optional<std::string> CWindowDialogs::ChooseModelFileToLoad() {
    return ModelFile(m_parent, QFileDialog::AcceptOpen);
}

std::optional<std::string> CWindowDialogs::ChooseModelFileToSave() {
    return ModelFile(m_parent, QFileDialog::AcceptSave);
}

void CWindowDialogs::ShowRunProgress(CRunState& run) {
    CThreadProgressDLG dialog(run, m_parent);
    dialog.exec();
}

void CWindowDialogs::ShowFlowChart() {
    if (!FlowChartOpener()) {
        MessageSink::Post("The flow charts of the model framework are not part of this build.");
        return;
    }
    FlowChartOpener()(nullptr);
}

void CWindowDialogs::ShowAbout() {
    CAboutDlg dialog(m_parent);
    dialog.exec();
}
