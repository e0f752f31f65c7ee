#pragma once
// The random streams of the simulation: one MRG32k3a stream per worker thread.
// Before each simulated decision the caller reseeds its own thread's stream with
// a key of the decision; the next draw restarts the stream from the stored
// state the key selects (CSeedTable), and later draws of the same decision
// continue from there.
//
// Threads: the table of streams is process-wide, but thread s reads and writes
// only entry s, and each entry sits on its own cache line, so no lock is taken.

#include <array>
#include <cstdint>

class CRandomStreams {
public:
    // Number of worker threads, hence of streams (thread indices 0 to 9).
    static constexpr int kThreadCount = 10;

    // Selects the stored state from which thread s's stream restarts at its next
    // draw. The key is taken as an unsigned 32-bit value modulo the number of
    // stored states, so any key (also one already reduced, or one that a
    // decision's offset pushed past the table) selects an existing state.
    static void ReseedStream(int threadIndex, std::uint32_t key);

    // The next number of thread s's stream, strictly between 0 and 1.
    static double DrawUniform(int threadIndex);

    // A standard normal deviate from two uniforms of thread s's stream: the
    // first feeds the logarithm, the second the cosine.
    static double DrawStandardNormal(int threadIndex);

    // Read-only view of thread s's entry (current state, the seed index of its
    // next reload, and whether it is loaded).
    static std::array<double, 6> StreamState(int threadIndex);
    static int StreamSeedIndex(int threadIndex);
    static bool StreamLoaded(int threadIndex);
};
