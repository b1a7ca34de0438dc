#include "state/SharedState.h"
#include <benchmark/benchmark.h>
#include <memory>

using quorin::SharedState;

// Memory of the shared record: empty, and after a typical session's use
// (a few hundred strokes, an 800-column pixel capture).
static void SharedStateMemory(benchmark::State& st) {
    std::unique_ptr<SharedState> s;
    for (auto _ : st) {
        s = std::make_unique<SharedState>();
        benchmark::DoNotOptimize(s.get());
    }
    st.counters["empty_bytes"] = double(s->memoryBytes());
    for (int stroke = 0; stroke < 300; ++stroke)
        for (int p = 0; p < 200; ++p) {
            s->strokeX.set(stroke, p, p);
            s->strokeY.set(stroke, p, p);
        }
    for (int x = 0; x < 800; ++x)
        for (int y = 0; y < 60; ++y)
            s->capturedPixels.set(x, y, QStringLiteral("FFAA00"));
    st.counters["used_bytes"] = double(s->memoryBytes());
}
BENCHMARK(SharedStateMemory);

static void StrokeTableWrites(benchmark::State& st) {
    SharedState s;
    long long i = 0;
    for (auto _ : st) {
        s.strokeX.set(i % 3001, (i / 3001) % 3001, double(i));
        ++i;
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(StrokeTableWrites);

BENCHMARK_MAIN();
