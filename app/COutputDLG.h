#pragma once
// Data > Output: the folder the ten output files of every thread are written
// to. The names are the default names joined to the folder (typed or chosen
// with Browse); an empty folder is the working folder.

#include <QDialog>

class QLineEdit;

class COutputDLG : public QDialog {
    Q_OBJECT
public:
    explicit COutputDLG(const QString& folder, QWidget* parent = nullptr);
    QString Folder() const;
    QLineEdit* FolderField() const { return m_folder; }

private slots:
    void onBrowse();

private:
    QLineEdit* m_folder;
};
