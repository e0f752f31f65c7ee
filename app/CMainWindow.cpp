#include "app/CMainWindow.h"

#include "app/CMessageWindow.h"
#include "app/CTolvarApp.h"
#include "app/CTolvarView.h"
#include "app/CommandIds.h"
#include "app/MainMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <vector>

CMainWindow::CMainWindow(CTolvarApp& app, QWidget* parent)
    : QMainWindow(parent),
      m_app(app),
      m_view(new CTolvarView(app.GetViewSettings())),
      // A child window of this one: a transient of the main window, which
      // window managers keep above it, rather than a window of its own that
      // opens, or falls, behind it.
      m_messages(new CMessageWindow(this)) {
    setWindowTitle("Tolvar");
    setWindowIcon(QIcon(":/tolvar/tolvar-icon.png"));
    setCentralWidget(m_view);
    BuildMenu();
    BuildToolBar();
    statusBar()->showMessage("Ready");
    m_app.SetViewListener([this] { m_view->onSettingsChanged(); });
    setGeometry(100, 100, 960, 720);
}

CMainWindow::~CMainWindow() { m_app.SetViewListener(nullptr); }

void CMainWindow::BuildMenu() {
    std::vector<QMenu*> open;
    for (const MainMenu::SMenuEntry& entry : MainMenu::Entries()) {
        switch (entry.kind) {
        case MainMenu::EEntry::kPopup:
            open.push_back(open.empty() ? menuBar()->addMenu(entry.text) : open.back()->addMenu(entry.text));
            break;
        case MainMenu::EEntry::kEnd:
            open.pop_back();
            break;
        case MainMenu::EEntry::kSeparator:
            open.back()->addSeparator();
            break;
        case MainMenu::EEntry::kItem: {
            const int id = entry.commandId;
            QAction* action = open.back()->addAction(MainMenu::ItemText(entry));
            action->setData(id);
            connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
            m_actions.emplace(id, action);
            break;
        }
        }
    }
}

void CMainWindow::BuildToolBar() {
    // Of the usual document buttons only those with a behaviour are kept.
    QToolBar* tools = addToolBar("Standard");
    tools->setObjectName("Standard");
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* print = tools->addAction(QIcon::fromTheme("document-print"), "Print");
    print->setData(CommandIds::kFilePrint);
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { RunCommand(CommandIds::kFilePrint); });
    QAction* about = tools->addAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), "About");
    about->setData(CommandIds::kAppAbout);
    connect(about, &QAction::triggered, this, [this] { RunCommand(CommandIds::kAppAbout); });
}

QAction* CMainWindow::ActionFor(int commandId) const {
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainWindow::RunCommand(int commandId) {
    switch (commandId) {
    case CommandIds::kAppExit: close(); return;
    case CommandIds::kFilePrint: OnFilePrint(); return;
    default: m_app.OnCommand(commandId); return;
    }
}

void CMainWindow::OnFilePrint() {
    // The view draws its content only on the screen: the page is empty.
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    painter.end();
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (!m_app.CanExit()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends with its main window, whatever other windows (the
    // message window, a flow chart) are still open.
    QCoreApplication::exit(0);
}
