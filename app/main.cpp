// The windowed program: the application object, its dialogs and the main
// window, with worker messages shown in the message window.

#include "app/CMainWindow.h"
#include "app/CTolvarApp.h"
#include "app/CWindowDialogs.h"
#include "app/CWindowMessageSink.h"
#include "app/ModelEditDispatch.h"

#ifdef TOLVAR_WITH_EDITORS
#include "editors/CFlowChartDlg.h"
#include "editors/ModelEditors.h"
#endif

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt sets the user's locale; every number the core reads or writes is in
    // the C locale's form.
    std::setlocale(LC_NUMERIC, "C");

    CWindowDialogs dialogs;
    CTolvarApp app(dialogs);
    CMainWindow window(app);
    // Made after the main window, so that it is uninstalled before the main
    // window deletes the message window.
    CWindowMessageSink sink(*window.Messages());
    dialogs.SetParent(&window);
    sink.SetBoxParent(&window);
    ModelEditCommands::InstallHandler([&app](int commandId) { return app.OnEditModel(commandId); });
#ifdef TOLVAR_WITH_EDITORS
    ModelEditors::InstallModelEditors();
    CWindowDialogs::SetFlowChartOpener([&app](QWidget* parent) {
        CFlowChartDlg::ShowTopChart([&app](int commandId) { app.OnEditModel(commandId); }, parent);
    });
#endif

    window.show();
    const int result = application.exec();
    ModelEditCommands::InstallHandler(nullptr);
    return result;
}
