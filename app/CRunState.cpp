#include "app/CRunState.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <climits>
#include <cstdint>

CRunState::CRunState(long total, Clock clock) : m_total(total), m_clock(std::move(clock)), m_start(m_clock()) {}

void CRunState::SetStatusText(const std::string& text) {
    std::lock_guard<std::mutex> guard(m_statusMutex);
    m_status = text;
}

std::string CRunState::StatusText() const {
    std::lock_guard<std::mutex> guard(m_statusMutex);
    return m_status;
}

bool CRunState::UpdateProgress(int threadIndex) {
    if (m_cancelled.load()) return false;
    if (ValidIndex(threadIndex)) m_counters[threadIndex].households.fetch_add(1, std::memory_order_relaxed);
    return !m_cancelled.load();
}

void CRunState::ThreadFinished(int threadIndex, bool failed) {
    if (failed) m_failed.fetch_add(1);
    m_finished.fetch_add(1);
}

bool CRunState::WaitToStart(int threadIndex, std::chrono::milliseconds delay) {
    std::unique_lock<std::mutex> lock(m_waitMutex);
    m_wake.wait_for(lock, delay, [this] { return m_cancelled.load(); });
    return !m_cancelled.load();
}

void CRunState::WorkerReturned(int threadIndex) { m_returned.fetch_add(1); }

void CRunState::Cancel() {
    if (IsCompleted()) return;
    {
        std::lock_guard<std::mutex> guard(m_waitMutex);
        m_cancelled.store(true);
    }
    m_wake.notify_all();
}

long CRunState::Processed() const {
    long sum = 0;
    for (const Counter& counter : m_counters) sum += counter.households.load(std::memory_order_relaxed);
    return sum;
}

CRunState::Figures CRunState::Update(const Figures& previous) const {
    Figures figures = previous;
    // Read the end counts before the households, so that a completed run shows
    // every household its threads counted.
    figures.completed = m_finished.load();
    figures.failed = m_failed.load();
    figures.running = kThreadCount - m_returned.load();
    figures.processed = Processed();
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(m_clock() - m_start).count();
    figures.elapsedSeconds = static_cast<int>(std::clamp<std::int64_t>(elapsed, 0, INT_MAX));

    if (figures.completed >= kThreadCount) {
        figures.phase = Figures::Phase::Completed;
        figures.percent = 100;
        figures.estimateSeconds = 0;
    } else {
        figures.phase = m_cancelled.load() ? Figures::Phase::Cancelled : Figures::Phase::Running;
        if (figures.processed > 0 && m_total > 0) {
            const double estimate =
                (static_cast<double>(m_total) / static_cast<double>(figures.processed) - 1.0) * figures.elapsedSeconds;
            figures.estimateSeconds = static_cast<int>(std::clamp(estimate, 0.0, static_cast<double>(INT_MAX)));
            const std::int64_t percent = static_cast<std::int64_t>(figures.processed) * 100 / m_total;
            figures.percent = static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100));
        }
    }
    figures.minutesText =
        figures.estimateSeconds >= 60 ? NumberText::Integer(figures.estimateSeconds / 60) + " mins" : std::string();

    switch (figures.phase) {
    case Figures::Phase::Running: {
        const std::string status = StatusText();
        figures.caption = status.empty() ? "Starting..." : status;
        break;
    }
    case Figures::Phase::Completed:
        figures.caption = figures.failed == 0 ? "Simulation Completed Successfully"
                                              : "Simulation Finished: " + NumberText::Integer(figures.failed) +
                                                    " of 10 threads failed";
        break;
    case Figures::Phase::Cancelled:
        figures.caption = "Simulation Cancelled";
        break;
    }
    figures.cancelEnabled = figures.phase == Figures::Phase::Running;
    figures.okEnabled = figures.phase != Figures::Phase::Running && figures.running == 0;
    return figures;
}
