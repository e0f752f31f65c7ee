#include "platform/CSectionTimer.h"

#include "platform/NumberText.h"

#include <chrono>
#include <map>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

// Clock readings count from the program's start, as a processor clock does.
const Clock::time_point g_clockStart = Clock::now();

struct Sections {
    std::mutex mutex;
    std::map<std::string, double> elapsed;  // milliseconds: stop readings minus start readings
    std::map<std::string, int> calls;       // completed timings
};

Sections& TheSections() {
    static Sections sections;
    return sections;
}

double ClockMilliseconds() {
    return std::chrono::duration<double, std::milli>(Clock::now() - g_clockStart).count();
}

}  // namespace

void CSectionTimer::StartTimer(std::string section) {
    Sections& s = TheSections();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.calls.try_emplace(section, 0);
    double& elapsed = s.elapsed[section];
    elapsed = elapsed + (0.0 - ClockMilliseconds());
}

void CSectionTimer::StopTimer(std::string section) {
    Sections& s = TheSections();
    std::lock_guard<std::mutex> lock(s.mutex);
    double& elapsed = s.elapsed[section];
    elapsed = elapsed + ClockMilliseconds();
    s.calls[section] += 1;
}

std::string CSectionTimer::ReportTimers() {
    Sections& s = TheSections();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::string text;
    for (const auto& [name, elapsed] : s.elapsed) {
        const auto found = s.calls.find(name);
        const int calls = found == s.calls.end() ? 0 : found->second;
        text += name + " called " + NumberText::Integer(calls) + " times ; time = " +
                NumberText::Fixed(elapsed, 6) + "\n";
    }
    return text;
}

int CSectionTimer::Calls(const std::string& section) {
    Sections& s = TheSections();
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto found = s.calls.find(section);
    return found == s.calls.end() ? 0 : found->second;
}

double CSectionTimer::Elapsed(const std::string& section) {
    Sections& s = TheSections();
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto found = s.elapsed.find(section);
    return found == s.elapsed.end() ? 0.0 : found->second;
}
