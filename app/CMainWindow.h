#pragma once
// The main window: the menu (built from MainMenu's rows), a toolbar with
// Print and About, a status bar and the view. Every menu item and toolbar
// button carries its command ID; Exit and Print are the window's own, the
// others go to the application object. It owns the message window, a
// separate window that the window manager keeps above this one. The window
// cannot close while a run is active; closing it (Exit or the close box) ends
// the program.

#include <QMainWindow>

#include <map>

class CMessageWindow;
class CTolvarApp;
class CTolvarView;
class QAction;

class CMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainWindow(CTolvarApp& app, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Runs a command by its ID, whether or not a menu item carries it.
    void RunCommand(int commandId);
    // The menu action of a command (null when no menu item carries it).
    QAction* ActionFor(int commandId) const;
    CTolvarView* View() const { return m_view; }
    // The window the workers' messages are listed in, deleted with this one.
    CMessageWindow* Messages() const { return m_messages; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void OnFilePrint();

    CTolvarApp& m_app;
    CTolvarView* m_view;
    CMessageWindow* m_messages;
    std::map<int, QAction*> m_actions;
};
