#pragma once
// What a worker thread's household loop reports while it runs: the run's
// start, a status text, one call per sampled household (which also tells the
// worker whether the run was cancelled) and its own end. The window's progress
// display implements it; so do the headless run harness and the tests. Every
// operation is called from worker threads and must be thread-safe.

#include <string>

class CRunProgress {
public:
    virtual ~CRunProgress() = default;

    // Marks the start of the run (every worker does this as its loop begins).
    virtual void StartClock() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Called before each sampled household; false means the run was
    // cancelled and the worker must stop.
    virtual bool UpdateProgress(int threadIndex) = 0;
    // Called once when the worker's loop ends; failed is true when its tables
    // did not load or an exception ended the loop.
    virtual void ThreadFinished(int threadIndex, bool failed) = 0;
};
