#include "core/DropModel.h"
#include <array>
#include <benchmark/benchmark.h>

using namespace quorin;

namespace {

// The window's defaults, a fast upward throw (rising phase and apex), a drop
// thrown down faster than vt against the wind, and a heavy drop.
const std::array<DropInputs, 4> inputSets{{
    {1, 1, 1, 1, 1, 1},
    {1, 1, 3, -2, 0, -40},
    {0.1, 1, -1, 4, -0.5, 5},
    {50, 7, 10, 0, 2, -300},
}};

// One evaluation per sample of a 10000-step scan, as the derive command does.
void BM_dropStateAt(benchmark::State& state) {
    const DropInputs& in = inputSets[static_cast<std::size_t>(state.range(0))];
    const double t = 20;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dropStateAt(in, t * (i % 10000) / 10000));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_dropStateAt)->DenseRange(0, static_cast<int>(inputSets.size()) - 1);

void BM_f1f2(benchmark::State& state) {
    const DropInputs& in = inputSets[static_cast<std::size_t>(state.range(0))];
    const double t = 20;
    int i = 0;
    for (auto _ : state) {
        const double s = t * (i % 10000) / 10000;
        benchmark::DoNotOptimize(f1(in, s));
        benchmark::DoNotOptimize(f2(in, s));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_f1f2)->DenseRange(0, static_cast<int>(inputSets.size()) - 1);

void BM_wc(benchmark::State& state) {
    double v = 1.0 / 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wc(v));
        v += 0.1234567;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_wc);

} // namespace

BENCHMARK_MAIN();
