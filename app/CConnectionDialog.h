#pragma once
// Data > Input: the connection to the input database. It lists the data
// sources the ODBC driver manager knows (user sources, then system sources)
// and its drivers; for a chosen driver it asks for what that driver needs (a
// SQLite database file, or server, port, database and user), and shows the
// connect string the fields make. The connect string is editable and has the
// last word; the password is kept in its own field, is added only to the
// string that opens the connection and is never shown back or stored.

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QStackedWidget;

class CConnectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit CConnectionDialog(QWidget* parent = nullptr);

    // The string to open the connection with, password included.
    std::string GetConnectString() const;
    // The string as shown (never the password).
    QLineEdit* ConnectField() const { return m_connect; }
    // The driver list and the fields, for tests that fill the dialog.
    QComboBox* DriverBox() const { return m_driver; }
    QLineEdit* FileField() const { return m_file; }
    QLineEdit* UserField() const { return m_user; }
    QLineEdit* PasswordField() const { return m_password; }

private slots:
    void onDataSourceChosen();
    void onDriverChosen();
    void onBrowseFile();
    // Rebuilds the shown connect string from the fields.
    void onFieldsChanged();

private:
    QListWidget* m_sources;
    QComboBox* m_driver;
    QStackedWidget* m_driverPages;
    QLineEdit* m_file;
    QLineEdit* m_server;
    QLineEdit* m_port;
    QLineEdit* m_database;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_connect;
    QString m_dataSource;  // the listed data source chosen, if any
};
