#include "platform/CSectionTimer.h"

#include "platform/NumberText.h"

#include <array>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxSections = 256;

// Clock readings count from the program's start, as a processor clock does.
const Clock::time_point g_clockStart = Clock::now();

double ClockMilliseconds() {
    return std::chrono::duration<double, std::milli>(Clock::now() - g_clockStart).count();
}

// The totals one thread has added. Only the owning thread writes them; the
// readers sum them while it runs, so each value is an atomic read and written
// without ordering (a plain load and store).
struct ThreadTotals {
    std::array<std::atomic<double>, kMaxSections> elapsed{};
    std::array<std::atomic<long long>, kMaxSections> calls{};
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, int> ids;
    std::vector<std::string> names;  // by id
    // Set at a section's first start or stop: the report lists only those.
    std::array<std::atomic<bool>, kMaxSections> used{};
    // Every block ever handed out; a thread that ends returns its block, whose
    // totals stay in the sums and go on growing with the next thread given it.
    std::vector<std::unique_ptr<ThreadTotals>> blocks;
    std::vector<ThreadTotals*> free;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

// The calling thread's block, taken on its first timing and given back when
// the thread ends.
class OwnBlock {
public:
    OwnBlock() {
        Registry& registry = TheRegistry();
        std::lock_guard<std::mutex> lock(registry.mutex);
        if (!registry.free.empty()) {
            m_block = registry.free.back();
            registry.free.pop_back();
        } else {
            registry.blocks.push_back(std::make_unique<ThreadTotals>());
            m_block = registry.blocks.back().get();
        }
    }
    ~OwnBlock() {
        Registry& registry = TheRegistry();
        std::lock_guard<std::mutex> lock(registry.mutex);
        registry.free.push_back(m_block);
    }
    OwnBlock(const OwnBlock&) = delete;
    OwnBlock& operator=(const OwnBlock&) = delete;

    ThreadTotals& Totals() { return *m_block; }

private:
    ThreadTotals* m_block;
};

ThreadTotals& OwnTotals() {
    thread_local OwnBlock block;
    return block.Totals();
}

void MarkUsed(int section) {
    std::atomic<bool>& used = TheRegistry().used[static_cast<size_t>(section)];
    if (!used.load(std::memory_order_relaxed)) used.store(true, std::memory_order_relaxed);
}

void CheckSection(int section) {
    if (section < 0 || section >= kMaxSections) throw std::out_of_range("no section timer of that id");
}

// Sums over all blocks; the caller holds the registry's lock.
double SumElapsed(const Registry& registry, int section) {
    double total = 0.0;
    for (const auto& block : registry.blocks)
        total += block->elapsed[static_cast<size_t>(section)].load(std::memory_order_relaxed);
    return total;
}

long long SumCalls(const Registry& registry, int section) {
    long long total = 0;
    for (const auto& block : registry.blocks)
        total += block->calls[static_cast<size_t>(section)].load(std::memory_order_relaxed);
    return total;
}

// The id of a name already registered, else -1; the caller holds the lock.
int FindSection(const Registry& registry, const std::string& name) {
    const auto found = registry.ids.find(name);
    return found == registry.ids.end() ? -1 : found->second;
}

}  // namespace

CSectionTimer::SectionId CSectionTimer::Section(const std::string& name) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const int found = FindSection(registry, name);
    if (found >= 0) return found;
    if (registry.names.size() >= static_cast<size_t>(kMaxSections))
        throw std::length_error("too many timed sections");
    const int id = static_cast<int>(registry.names.size());
    registry.names.push_back(name);
    registry.ids.emplace(name, id);
    return id;
}

void CSectionTimer::Start(SectionId section) {
    CheckSection(section);
    MarkUsed(section);
    std::atomic<double>& elapsed = OwnTotals().elapsed[static_cast<size_t>(section)];
    elapsed.store(elapsed.load(std::memory_order_relaxed) + (0.0 - ClockMilliseconds()), std::memory_order_relaxed);
}

void CSectionTimer::Stop(SectionId section) {
    CheckSection(section);
    MarkUsed(section);
    ThreadTotals& totals = OwnTotals();
    std::atomic<double>& elapsed = totals.elapsed[static_cast<size_t>(section)];
    elapsed.store(elapsed.load(std::memory_order_relaxed) + ClockMilliseconds(), std::memory_order_relaxed);
    std::atomic<long long>& calls = totals.calls[static_cast<size_t>(section)];
    calls.store(calls.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

std::string CSectionTimer::ReportTimers() {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    std::string text;
    for (const auto& [name, id] : registry.ids) {
        if (!registry.used[static_cast<size_t>(id)].load(std::memory_order_relaxed)) continue;
        text += name + " called " + NumberText::Integer(SumCalls(registry, id)) + " times ; time = " +
                NumberText::Fixed(SumElapsed(registry, id), 6) + "\n";
    }
    return text;
}

int CSectionTimer::Calls(const std::string& section) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const int id = FindSection(registry, section);
    return id < 0 ? 0 : static_cast<int>(SumCalls(registry, id));
}

double CSectionTimer::Elapsed(const std::string& section) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const int id = FindSection(registry, section);
    return id < 0 ? 0.0 : SumElapsed(registry, id);
}
