#pragma once
// Run progress of a headless run: what the progress window keeps, as atomic
// values that the ten worker threads update without a lock: a household
// counter per thread, the run start, the cancel flag, and which threads have
// finished and which of them failed. Optionally cancels the run by itself once
// a given number of households has been counted.

#include "household/CRunProgress.h"

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

class CAtomicRunProgress : public CRunProgress {
public:
    static constexpr int kThreadCount = 10;

    CAtomicRunProgress();

    void StartClock() override;
    void SetStatusText(const std::string& text) override;
    // Counts the household for the thread and says whether to go on: false
    // once the run is cancelled (the household is then not counted).
    bool UpdateProgress(int threadIndex) override;
    void ThreadFinished(int threadIndex, bool failed) override;

    // Sets the cancel flag: every worker stops at its next household.
    void Cancel() { m_cancelled.store(true); }
    // Cancels the run when the total count reaches n households (0: never).
    void CancelAfter(long n) { m_cancelAfter.store(n); }
    bool IsCancelled() const { return m_cancelled.load(); }

    // Households counted, by thread and in all.
    long Processed(int threadIndex) const;
    long Processed() const;
    // Threads that reported their end, and those of them that failed.
    int FinishedThreads() const { return m_finished.load(); }
    int FailedThreads() const { return m_failed.load(); }
    // How often the thread reported its end (0 or 1 in a sound run).
    int FinishedReports(int threadIndex) const;
    bool ThreadFailed(int threadIndex) const;
    // Times StartClock was called (each worker does it once).
    int ClockStarts() const { return m_clockStarts.load(); }
    std::string StatusText() const;

private:
    static bool ValidIndex(int threadIndex) { return threadIndex >= 0 && threadIndex < kThreadCount; }

    // One cache line per thread: each counter is written by its own worker only.
    struct alignas(64) ThreadState {
        std::atomic<long> households{0};
        std::atomic<int> finishedReports{0};
        std::atomic<bool> failed{false};
    };
    std::array<ThreadState, kThreadCount> m_threads;
    std::atomic<long> m_total{0};
    std::atomic<long> m_cancelAfter{0};
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_finished{0};
    std::atomic<int> m_failed{0};
    std::atomic<int> m_clockStarts{0};
    std::atomic<std::chrono::steady_clock::rep> m_start{0};
    mutable std::mutex m_statusMutex;  // the one non-atomic value, the status text
    std::string m_status;
};
