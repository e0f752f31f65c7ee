#pragma once
// What a worker thread's household loop reports while it runs: the run's
// start, a status text, one call per sampled household (which also tells the
// worker whether the run was cancelled) and its own end. The window's progress
// display implements it; so do the headless run harness and the tests. Every
// operation is called from worker threads and must be thread-safe.

#include <chrono>
#include <string>
#include <thread>

class CRunProgress {
public:
    virtual ~CRunProgress() = default;

    // Marks the start of the run (every worker does this as its loop begins).
    virtual void StartClock() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Called before each sampled household; false means the run was
    // cancelled and the worker must stop.
    virtual bool UpdateProgress(int threadIndex) = 0;
    // Called once when the worker's loop ends, after its output files are
    // closed; failed is true when its tables did not load, its output files
    // did not open or could not be written completely, or an exception ended
    // the loop.
    virtual void ThreadFinished(int threadIndex, bool failed) = 0;

    // The worker's start delay, before its loop begins: false when the run was
    // cancelled meanwhile, and the loop is then not run. A display that can
    // be cancelled ends the wait early; the default just sleeps.
    virtual bool WaitToStart(int threadIndex, std::chrono::milliseconds delay) {
        if (delay.count() > 0) std::this_thread::sleep_for(delay);
        return true;
    }
    // The last call of every worker thread, however its loop ended (or if it
    // never began): after it the worker touches nothing of the run.
    virtual void WorkerReturned(int threadIndex) {}
};
