#pragma once
// Data > Output: the folder the ten output files of every thread are written
// to. The names are the default names joined to the folder (typed or chosen
// with Browse); an empty folder is the working folder. OK creates a folder
// that does not exist yet; a path that names a file, or a folder that cannot
// be created, is said, and the dialog stays open.

#include <QDialog>

class QLineEdit;

class COutputDLG : public QDialog {
    Q_OBJECT
public:
    explicit COutputDLG(const QString& folder, QWidget* parent = nullptr);
    QString Folder() const;
    QLineEdit* FolderField() const { return m_folder; }

public slots:
    void accept() override;

private slots:
    void onBrowse();

private:
    QLineEdit* m_folder;
};
