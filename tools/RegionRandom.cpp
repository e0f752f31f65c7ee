#include "tools/RegionRandom.h"

namespace {

// SplitMix64 finaliser: spreads nearby seeds over the whole 64-bit range.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

RegionRandom::RegionRandom(std::uint64_t seed, std::uint64_t stream)
    : m_engine(Mix(seed ^ Mix(stream + 0x5EEDULL))) {}

std::uint64_t RegionRandom::Next() { return m_engine(); }

std::uint64_t RegionRandom::Below(std::uint64_t n) {
    if (n <= 1) return 0;
    // Largest multiple of n that fits: values at or above it are redrawn.
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % n);
    std::uint64_t x = m_engine();
    while (x >= limit) x = m_engine();
    return x % n;
}

int RegionRandom::Between(int low, int high) {
    if (high <= low) return low;
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
    return static_cast<int>(low + static_cast<std::int64_t>(Below(span)));
}

double RegionRandom::Uniform() {
    return static_cast<double>(m_engine() >> 11) * (1.0 / 9007199254740992.0);  // 2^-53
}

bool RegionRandom::Chance(double p) { return Uniform() < p; }
