// The thread's random stream: a draw, and the reseed that precedes every
// simulated decision together with its first draw (which restarts the stream
// from a stored state).

#include "models/CRandomStreams.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void DrawUniform(benchmark::State& state) {
    CRandomStreams::ReseedStream(0, 7);
    for (auto _ : state) benchmark::DoNotOptimize(CRandomStreams::DrawUniform(0));
}
BENCHMARK(DrawUniform);

void ReseedAndFirstDraw(benchmark::State& state) {
    std::uint32_t key = 0;
    for (auto _ : state) {
        CRandomStreams::ReseedStream(0, key++);
        benchmark::DoNotOptimize(CRandomStreams::DrawUniform(0));
    }
}
BENCHMARK(ReseedAndFirstDraw);

void DrawStandardNormal(benchmark::State& state) {
    CRandomStreams::ReseedStream(0, 7);
    for (auto _ : state) benchmark::DoNotOptimize(CRandomStreams::DrawStandardNormal(0));
}
BENCHMARK(DrawStandardNormal);

}  // namespace

BENCHMARK_MAIN();
