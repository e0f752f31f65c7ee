#pragma once
// The progress dialog of a simulation run. It polls the run's state with a
// timer (no worker touches a widget) and shows households processed, elapsed
// and estimated seconds, the threads running and completed and a progress
// bar. Cancel asks for confirmation and cancels the run; OK closes the dialog
// once the run is over and every worker thread has returned. Escape or the
// close box ask to cancel a running run and act as OK after it.

#include "app/CRunState.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class CThreadProgressDLG : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMilliseconds = 200;

    explicit CThreadProgressDLG(CRunState& run, QWidget* parent = nullptr);

    // Replaces the Yes/No question of Cancel (tests answer it directly).
    void SetCancelConfirmation(std::function<bool()> confirm) { m_confirm = std::move(confirm); }
    const CRunState::Figures& Shown() const { return m_figures; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    // Reads the run's state and shows it.
    void Poll();
    void accept() override;
    void reject() override;

private slots:
    void onCancelClicked();

private:
    bool ConfirmCancel();

    CRunState& m_run;
    CRunState::Figures m_figures;
    std::function<bool()> m_confirm;
    QLineEdit* m_processed;
    QLineEdit* m_elapsed;
    QLineEdit* m_estimate;
    QLineEdit* m_minutes;
    QLineEdit* m_running;
    QLineEdit* m_completed;
    QProgressBar* m_bar;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QTimer* m_timer;
};
