#include "bench/CAtomicRunProgress.h"

CAtomicRunProgress::CAtomicRunProgress() = default;

void CAtomicRunProgress::StartClock() {
    m_start.store(std::chrono::steady_clock::now().time_since_epoch().count());
    m_clockStarts.fetch_add(1);
}

void CAtomicRunProgress::SetStatusText(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_statusMutex);
    m_status = text;
}

std::string CAtomicRunProgress::StatusText() const {
    std::lock_guard<std::mutex> lock(m_statusMutex);
    return m_status;
}

bool CAtomicRunProgress::UpdateProgress(int threadIndex) {
    // The count and the limit are checked in one step: threads racing past a
    // separate cancel check would count households beyond the limit.
    const long limit = m_cancelAfter.load();
    long total = m_total.load();
    do {
        if (m_cancelled.load() || (limit > 0 && total >= limit)) return false;
    } while (!m_total.compare_exchange_weak(total, total + 1));
    if (ValidIndex(threadIndex)) m_threads[static_cast<size_t>(threadIndex)].households.fetch_add(1);
    if (limit > 0 && total + 1 >= limit) m_cancelled.store(true);
    return true;
}

void CAtomicRunProgress::ThreadFinished(int threadIndex, bool failed) {
    if (ValidIndex(threadIndex)) {
        auto& thread = m_threads[static_cast<size_t>(threadIndex)];
        thread.finishedReports.fetch_add(1);
        if (failed) thread.failed.store(true);
    }
    m_finished.fetch_add(1);
    if (failed) m_failed.fetch_add(1);
}

long CAtomicRunProgress::Processed(int threadIndex) const {
    return ValidIndex(threadIndex) ? m_threads[static_cast<size_t>(threadIndex)].households.load() : 0;
}

long CAtomicRunProgress::Processed() const { return m_total.load(); }

int CAtomicRunProgress::FinishedReports(int threadIndex) const {
    return ValidIndex(threadIndex) ? m_threads[static_cast<size_t>(threadIndex)].finishedReports.load() : 0;
}

bool CAtomicRunProgress::ThreadFailed(int threadIndex) const {
    return ValidIndex(threadIndex) && m_threads[static_cast<size_t>(threadIndex)].failed.load();
}
