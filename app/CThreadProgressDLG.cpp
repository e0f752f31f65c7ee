#include "app/CThreadProgressDLG.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* ReadOnlyField() {
    auto* field = new QLineEdit;
    field->setEnabled(false);
    field->setAlignment(Qt::AlignRight);
    return field;
}

}  // namespace

CThreadProgressDLG::CThreadProgressDLG(CRunState& run, QWidget* parent)
    : QDialog(parent),
      m_run(run),
      m_processed(ReadOnlyField()),
      m_elapsed(ReadOnlyField()),
      m_estimate(ReadOnlyField()),
      m_minutes(ReadOnlyField()),
      m_running(ReadOnlyField()),
      m_completed(ReadOnlyField()),
      m_bar(new QProgressBar),
      m_ok(new QPushButton(tr("OK"))),
      m_cancel(new QPushButton(tr("Cancel"))),
      m_timer(new QTimer(this)) {
    setWindowTitle("Starting...");
    setModal(true);

    auto* estimateRow = new QHBoxLayout;
    estimateRow->addWidget(m_estimate);
    estimateRow->addWidget(m_minutes);
    auto* fields = new QFormLayout;
    fields->addRow("Number of Households Processed:", m_processed);
    fields->addRow("Simulation time (secs):", m_elapsed);
    fields->addRow("Estimated time left (secs):", estimateRow);
    fields->addRow("Num. of Threads Running:", m_running);
    fields->addRow("Num. of Threads Completed:", m_completed);

    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    m_ok->setDefault(true);
    m_ok->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CThreadProgressDLG::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CThreadProgressDLG::onCancelClicked);
    connect(m_timer, &QTimer::timeout, this, &CThreadProgressDLG::Poll);
    m_timer->start(kPollMilliseconds);
    Poll();
}

void CThreadProgressDLG::Poll() {
    m_figures = m_run.Update(m_figures);
    m_processed->setText(QString::number(m_figures.processed));
    m_elapsed->setText(QString::number(m_figures.elapsedSeconds));
    m_estimate->setText(QString::number(m_figures.estimateSeconds));
    m_minutes->setText(QString::fromStdString(m_figures.minutesText));
    m_running->setText(QString::number(m_figures.running));
    m_completed->setText(QString::number(m_figures.completed));
    m_bar->setValue(m_figures.percent);
    setWindowTitle(QString::fromStdString(m_figures.caption));
    m_ok->setEnabled(m_figures.okEnabled);
    m_cancel->setEnabled(m_figures.cancelEnabled);
    if (m_figures.okEnabled) m_timer->stop();
}

bool CThreadProgressDLG::ConfirmCancel() {
    if (m_confirm) return m_confirm();
    QMessageBox question(QMessageBox::NoIcon, "Confirm Cancel", "Are you sure you want to cancel Simulation Run?",
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

void CThreadProgressDLG::onCancelClicked() {
    Poll();
    if (!m_figures.cancelEnabled) return;
    if (ConfirmCancel()) m_run.Cancel();
    Poll();
}

void CThreadProgressDLG::accept() {
    Poll();
    // The dialog closes only when no worker can report into the run any more.
    if (m_figures.okEnabled) QDialog::accept();
}

void CThreadProgressDLG::reject() {
    Poll();
    if (m_figures.okEnabled) {
        accept();
        return;
    }
    // A cancelled run whose threads are still returning waits for them.
    if (m_figures.cancelEnabled) onCancelClicked();
}
