#include "app/COutputDLG.h"

#include "platform/MessageSink.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

COutputDLG::COutputDLG(const QString& folder, QWidget* parent) : QDialog(parent), m_folder(new QLineEdit(folder)) {
    setWindowTitle("Save Simulation Results As...");
    auto* browse = new QPushButton("Browse");
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Output Path:"));
    row->addWidget(m_folder, 1);
    row->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    m_folder->setMinimumWidth(360);
    connect(browse, &QPushButton::clicked, this, &COutputDLG::onBrowse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString COutputDLG::Folder() const { return QDir::fromNativeSeparators(m_folder->text().trimmed()); }

void COutputDLG::onBrowse() {
    const QString chosen = QFileDialog::getExistingDirectory(this, "Select a directory", Folder());
    if (!chosen.isEmpty()) m_folder->setText(QDir::toNativeSeparators(chosen));
}

void COutputDLG::accept() {
    const QString folder = Folder();
    const std::string shown = "\"" + QDir::toNativeSeparators(folder).toStdString() + "\"";
    const QFileInfo path(folder);
    if (!folder.isEmpty() && path.exists() && !path.isDir()) {
        MessageSink::Post("The output path " + shown + " is a file, not a folder.", MessageIcon::Error);
        return;
    }
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        MessageSink::Post("The output folder " + shown + " does not exist and cannot be created.", MessageIcon::Error);
        return;
    }
    QDialog::accept();
}
