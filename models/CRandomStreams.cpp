#include "models/CRandomStreams.h"

#include "models/CSeedTable.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// One thread's stream. Aligned to a cache line so that draws of different
// threads never contend for the same line.
struct alignas(64) StreamEntry {
    double state[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};  // s10, s11, s12, s20, s21, s22
    int seedIndex = 0;                                 // entry of the next reload
    int loaded = 0;                                    // 0: reload before the next draw
};

StreamEntry g_streams[CRandomStreams::kThreadCount];

constexpr double kM1 = 4294967087.0;
constexpr double kM2 = 4294944443.0;
constexpr double kNorm = 2.328306549295728e-10;

StreamEntry& EntryOf(int threadIndex) {
    if (threadIndex < 0 || threadIndex >= CRandomStreams::kThreadCount)
        throw std::out_of_range("random stream: thread index " + std::to_string(threadIndex) +
                                " outside 0 to 9");
    return g_streams[threadIndex];
}

}  // namespace

void CRandomStreams::ReseedStream(int threadIndex, std::uint32_t key) {
    StreamEntry& entry = EntryOf(threadIndex);
    entry.seedIndex = static_cast<int>(key % CSeedTable::kSize);
    entry.loaded = 0;
}

double CRandomStreams::DrawUniform(int threadIndex) {
    StreamEntry& entry = EntryOf(threadIndex);
    double* s = entry.state;
    if (entry.loaded == 0) {
        const CSeedTable::State& seed = CSeedTable::Entry(static_cast<std::uint32_t>(entry.seedIndex));
        for (int i = 0; i < 6; ++i) s[i] = seed[i];
        entry.loaded = 1;
    }

    // First component.
    double p1 = 1403580.0 * s[1] - 810728.0 * s[0];
    std::int32_t q = static_cast<std::int32_t>(p1 / kM1);
    p1 -= q * kM1;
    if (p1 < 0.0) p1 += kM1;
    s[0] = s[1];
    s[1] = s[2];
    s[2] = p1;

    // Second component.
    double p2 = 527612.0 * s[5] - 1370589.0 * s[3];
    q = static_cast<std::int32_t>(p2 / kM2);
    p2 -= q * kM2;
    if (p2 < 0.0) p2 += kM2;
    s[3] = s[4];
    s[4] = s[5];
    s[5] = p2;

    // Combination.
    if (p1 <= p2) return (p1 - p2 + kM1) * kNorm;
    return (p1 - p2) * kNorm;
}

double CRandomStreams::DrawStandardNormal(int threadIndex) {
    const double u1 = DrawUniform(threadIndex);
    const double u2 = DrawUniform(threadIndex);
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307 * u2);
}

std::array<double, 6> CRandomStreams::StreamState(int threadIndex) {
    const StreamEntry& entry = EntryOf(threadIndex);
    return {entry.state[0], entry.state[1], entry.state[2],
            entry.state[3], entry.state[4], entry.state[5]};
}

int CRandomStreams::StreamSeedIndex(int threadIndex) { return EntryOf(threadIndex).seedIndex; }

bool CRandomStreams::StreamLoaded(int threadIndex) { return EntryOf(threadIndex).loaded != 0; }
