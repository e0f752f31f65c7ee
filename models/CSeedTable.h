#pragma once
// The stored start states of the random streams. Before each simulated decision
// a worker thread restarts its MRG32k3a stream from one of these states, chosen
// by a key of the decision maker, so every decision draws the same numbers no
// matter which households the thread simulated before.
//
// Entry k is the start of stream k of the standard MRG32k3a stream-splitting
// scheme: entry 0 is 12345 in all six components and each entry lies 2^127
// steps of the generator after the previous one. The table is computed by the
// compiler with exact integer arithmetic, so it is the same on every machine,
// and it never changes.

#include <array>
#include <cstdint>

class CSeedTable {
public:
    // Number of stored states.
    static constexpr int kSize = 10001;
    // Moduli of the two component recurrences.
    static constexpr std::uint64_t kModulus1 = 4294967087u;
    static constexpr std::uint64_t kModulus2 = 4294944443u;

    // One generator state (s10, s11, s12, s20, s21, s22), whole numbers held as doubles.
    using State = std::array<double, 6>;

    // The stored state of seed index k. An index beyond the table is reduced
    // modulo kSize, so no index reads past it.
    static const State& Entry(std::uint32_t k) { return Table()[k % kSize]; }

    static const std::array<State, kSize>& Table();
};
