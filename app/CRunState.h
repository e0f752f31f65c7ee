#pragma once
// The state of one simulation run, shared by the ten worker threads and the
// progress dialog. Workers report into it without a lock (one atomic counter
// per thread, atomic counts of finished, failed and returned threads, the
// cancel flag); the dialog polls it with a timer and turns it into the figures
// it shows. Each run has its own state object, so a worker that is slow to
// notice a cancel can never report into the next run, and cancelling also
// ends the workers' start delays. The object must outlive the run's threads.

#include "household/CRunProgress.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

class CRunState : public CRunProgress {
public:
    static constexpr int kThreadCount = 10;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // What the progress dialog shows, computed from the state and the figures
    // shown before.
    struct Figures {
        enum class Phase { Running, Completed, Cancelled };
        Phase phase = Phase::Running;
        long processed = 0;       // households counted by all threads
        int elapsedSeconds = 0;   // wall time since the run started
        int estimateSeconds = 0;  // time left, 0 to INT_MAX
        int percent = 0;          // progress bar, 0 to 100
        int running = kThreadCount;  // threads that have not returned
        int completed = 0;        // threads that simulated their whole share
        int failed = 0;           // of those, threads that failed
        std::string minutesText;  // "%d mins" of the estimate; empty below a minute
        std::string caption;
        bool okEnabled = false;      // the run is over and every thread has returned
        bool cancelEnabled = true;   // the run goes on and can still be cancelled
    };

    // A run over `total` households, starting now by `clock`.
    explicit CRunState(long total, Clock clock = &std::chrono::steady_clock::now);
    CRunState(const CRunState&) = delete;
    CRunState& operator=(const CRunState&) = delete;

    // Worker side (CRunProgress). The run's clock starts when the state is
    // made; a worker's own start does not restart it.
    void StartClock() override {}
    void SetStatusText(const std::string& text) override;
    bool UpdateProgress(int threadIndex) override;
    void ThreadFinished(int threadIndex, bool failed) override;
    bool WaitToStart(int threadIndex, std::chrono::milliseconds delay) override;
    void WorkerReturned(int threadIndex) override;

    // User-interface side.
    // Cancels the run: workers stop at their next household and those still
    // in their start delay stop waiting. No effect once the run has completed.
    void Cancel();
    bool IsCancelled() const { return m_cancelled.load(); }
    bool IsCompleted() const { return m_finished.load() >= kThreadCount; }
    // Whether the run no longer counts households (completed or cancelled).
    bool IsOver() const { return IsCompleted() || IsCancelled(); }
    bool AllReturned() const { return m_returned.load() >= kThreadCount; }
    long Total() const { return m_total; }
    long Processed() const;
    int FinishedThreads() const { return m_finished.load(); }
    int FailedThreads() const { return m_failed.load(); }
    int ReturnedThreads() const { return m_returned.load(); }
    std::string StatusText() const;

    // The figures to show now. The estimate and the bar stay as `previous`
    // had them while nothing has been counted or the total is 0.
    Figures Update(const Figures& previous) const;

private:
    static bool ValidIndex(int threadIndex) { return threadIndex >= 0 && threadIndex < kThreadCount; }

    // One cache line per thread: each counter is written by its own worker only.
    struct alignas(64) Counter {
        std::atomic<long> households{0};
    };
    std::array<Counter, kThreadCount> m_counters;
    const long m_total;
    const Clock m_clock;
    const std::chrono::steady_clock::time_point m_start;
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_finished{0};
    std::atomic<int> m_failed{0};
    std::atomic<int> m_returned{0};
    // The start delays wait here; Cancel wakes them.
    std::mutex m_waitMutex;
    std::condition_variable m_wake;
    mutable std::mutex m_statusMutex;  // the status text, set once per worker
    std::string m_status;
};
