// stall-thread PID AFTER STALL: after AFTER seconds, stops the busiest thread
// of process PID but its main thread (the one that has used the most processor
// time: a worker inside a household) for STALL seconds, then lets it go on, as
// a debugger's pause or a long descheduling would. The other threads run on.
// The benchmark of the store's memory (bench/los-memory-stall.sh) runs
// tolvar-run under it. Needs the right to trace the process (root, or the
// same user with ptrace allowed).

#include <sys/ptrace.h>
#include <sys/wait.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>

namespace {

bool ParseNumber(std::string_view text, long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

// Processor time (user and system ticks) a thread has used; -1 when it is gone.
long ThreadTicks(const std::filesystem::path& task) {
    std::ifstream in(task / "stat");
    std::string stat;
    if (!std::getline(in, stat)) return -1;
    // The fields after the command name, which ends with the last ')'.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::string_view rest(stat);
    rest.remove_prefix(close + 2);
    long ticks = 0;
    for (int field = 3; field <= 15 && !rest.empty(); ++field) {
        const std::size_t space = rest.find(' ');
        const std::string_view text = rest.substr(0, space);
        long value = 0;
        if ((field == 14 || field == 15) && ParseNumber(text, value)) ticks += value;
        rest.remove_prefix(space == std::string_view::npos ? rest.size() : space + 1);
    }
    return ticks;
}

// The busiest thread of the process but its main thread; 0 when there is none.
long BusiestThread(long pid) {
    long busiest = 0;
    long most = -1;
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", code)) {
        long tid = 0;
        if (!ParseNumber(entry.path().filename().string(), tid) || tid == pid) continue;
        const long ticks = ThreadTicks(entry.path());
        if (ticks > most) {
            most = ticks;
            busiest = tid;
        }
    }
    return busiest;
}

}  // namespace

int main(int argc, char** argv) {
    long pid = 0;
    long after = 0;
    long stall = 0;
    if (argc != 4 || !ParseNumber(argv[1], pid) || !ParseNumber(argv[2], after) || !ParseNumber(argv[3], stall)) {
        std::fprintf(stderr, "usage: stall-thread PID AFTER_SECONDS STALL_SECONDS\n");
        return 2;
    }
    std::this_thread::sleep_for(std::chrono::seconds(after));
    const long tid = BusiestThread(pid);
    if (tid == 0) {
        std::fprintf(stderr, "stall-thread: process %ld has no thread beside its main one\n", pid);
        return 1;
    }
    if (ptrace(PTRACE_SEIZE, tid, nullptr, nullptr) != 0 || ptrace(PTRACE_INTERRUPT, tid, nullptr, nullptr) != 0) {
        std::perror("stall-thread: ptrace");
        return 1;
    }
    int status = 0;
    if (waitpid(static_cast<pid_t>(tid), &status, __WALL) < 0) {
        std::perror("stall-thread: waitpid");
        return 1;
    }
    std::fprintf(stderr, "stall-thread: thread %ld of process %ld stopped for %ld s\n", tid, pid, stall);
    std::this_thread::sleep_for(std::chrono::seconds(stall));
    if (ptrace(PTRACE_DETACH, tid, nullptr, nullptr) != 0) {
        std::perror("stall-thread: detach");
        return 1;
    }
    return 0;
}
