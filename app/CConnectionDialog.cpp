#include "app/CConnectionDialog.h"

#include "app/ConnectString.h"
#include "app/OdbcCatalog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

enum DriverPage { kServerPage = 0, kFilePage = 1 };

}  // namespace

CConnectionDialog::CConnectionDialog(QWidget* parent)
    : QDialog(parent),
      m_sources(new QListWidget),
      m_driver(new QComboBox),
      m_driverPages(new QStackedWidget),
      m_file(new QLineEdit),
      m_server(new QLineEdit("localhost")),
      m_port(new QLineEdit("5432")),
      m_database(new QLineEdit),
      m_user(new QLineEdit),
      m_password(new QLineEdit),
      m_connect(new QLineEdit) {
    setWindowTitle("Select Input Database");

    for (const OdbcCatalog::SDataSource& source : OdbcCatalog::DataSources()) {
        auto* item = new QListWidgetItem(QString("%1  (%2, %3)")
                                             .arg(QString::fromStdString(source.name),
                                                  QString::fromStdString(source.driver),
                                                  source.system ? "system" : "user"));
        item->setData(Qt::UserRole, QString::fromStdString(source.name));
        m_sources->addItem(item);
    }
    m_sources->setMaximumHeight(110);
    for (const std::string& driver : OdbcCatalog::Drivers()) m_driver->addItem(QString::fromStdString(driver));

    auto* filePage = new QWidget;
    auto* fileRow = new QHBoxLayout(filePage);
    auto* browse = new QPushButton("Browse...");
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(new QLabel("Database file:"));
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* serverPage = new QWidget;
    auto* serverForm = new QFormLayout(serverPage);
    serverForm->setContentsMargins(0, 0, 0, 0);
    serverForm->addRow("Server:", m_server);
    serverForm->addRow("Port:", m_port);
    serverForm->addRow("Database:", m_database);
    m_driverPages->insertWidget(kServerPage, serverPage);
    m_driverPages->insertWidget(kFilePage, filePage);

    m_password->setEchoMode(QLineEdit::Password);
    auto* account = new QFormLayout;
    account->addRow("User:", m_user);
    account->addRow("Password:", m_password);

    auto* sourceBox = new QGroupBox("Data sources");
    (new QVBoxLayout(sourceBox))->addWidget(m_sources);
    auto* driverBox = new QGroupBox("Driver");
    auto* driverLayout = new QVBoxLayout(driverBox);
    driverLayout->addWidget(m_driver);
    driverLayout->addWidget(m_driverPages);

    auto* connectForm = new QFormLayout;
    connectForm->addRow("Connect string:", m_connect);
    m_connect->setMinimumWidth(420);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceBox);
    layout->addWidget(driverBox);
    layout->addLayout(account);
    layout->addLayout(connectForm);
    layout->addWidget(buttons);

    connect(m_sources, &QListWidget::itemSelectionChanged, this, &CConnectionDialog::onDataSourceChosen);
    connect(m_driver, &QComboBox::currentIndexChanged, this, &CConnectionDialog::onDriverChosen);
    connect(browse, &QPushButton::clicked, this, &CConnectionDialog::onBrowseFile);
    for (QLineEdit* field : {m_file, m_server, m_port, m_database, m_user})
        connect(field, &QLineEdit::textEdited, this, &CConnectionDialog::onFieldsChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    onDriverChosen();
}

void CConnectionDialog::onDataSourceChosen() {
    const QList<QListWidgetItem*> chosen = m_sources->selectedItems();
    m_dataSource = chosen.isEmpty() ? QString() : chosen.front()->data(Qt::UserRole).toString();
    onFieldsChanged();
}

void CConnectionDialog::onDriverChosen() {
    const bool file = ConnectString::IsSQLiteDriver(m_driver->currentText().toStdString());
    m_driverPages->setCurrentIndex(file ? kFilePage : kServerPage);
    // A driver chosen stands for itself, not for a listed data source.
    m_sources->clearSelection();
    m_dataSource.clear();
    onFieldsChanged();
}

void CConnectionDialog::onBrowseFile() {
    const QString path = QFileDialog::getOpenFileName(this, "Input database file", m_file->text(),
                                                      "SQLite databases (*.sqlite *.sqlite3 *.db);;All Files (*)");
    if (path.isEmpty()) return;
    m_file->setText(path);
    onFieldsChanged();
}

void CConnectionDialog::onFieldsChanged() {
    ConnectString::SFields fields;
    fields.user = m_user->text().toStdString();
    if (!m_dataSource.isEmpty()) {
        fields.dataSource = m_dataSource.toStdString();
    } else {
        fields.driver = m_driver->currentText().toStdString();
        if (m_driverPages->currentIndex() == kFilePage) {
            fields.database = m_file->text().toStdString();
        } else {
            fields.server = m_server->text().toStdString();
            fields.port = m_port->text().toStdString();
            fields.database = m_database->text().toStdString();
        }
    }
    m_connect->setText(QString::fromStdString(ConnectString::Build(fields)));
}

std::string CConnectionDialog::GetConnectString() const {
    return ConnectString::WithPassword(m_connect->text().trimmed().toStdString(), m_password->text().toStdString());
}
