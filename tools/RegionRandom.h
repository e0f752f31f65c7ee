#pragma once
// Random numbers of the sample-region generator. The engine (64-bit Mersenne
// twister) is fully defined by the language standard, and every draw is made
// from its raw output with explicit integer and double arithmetic, so a seed
// gives the same region on every machine and compiler. (The standard library's
// distributions are implementation-defined and are never used here.)

#include <cstdint>
#include <random>

class RegionRandom {
public:
    // One independent stream per (seed, stream) pair: the generator keeps one
    // stream for each part of the region, so that, for example, the zones do
    // not change when only the number of households changes.
    RegionRandom(std::uint64_t seed, std::uint64_t stream);

    std::uint64_t Next();
    // Uniform integer in [0, n); n must be positive. Unbiased (rejection).
    std::uint64_t Below(std::uint64_t n);
    // Uniform integer in [low, high], low <= high.
    int Between(int low, int high);
    // Uniform double in [0, 1) with 53 random bits.
    double Uniform();
    // True with probability p.
    bool Chance(double p);

private:
    std::mt19937_64 m_engine;
};
