#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Tolvar");
    auto* icon = new QLabel;
    icon->setPixmap(QPixmap(":/tolvar/tolvar-icon.png").scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* text = new QLabel(
        "<b>Tolvar</b><br>"
        "Micro-simulation of daily activity-travel behaviour.<br>"
        "Ten worker threads simulate the households of the input database<br>"
        "with the models of the model-parameter file.");
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}
