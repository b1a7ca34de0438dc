#include "PixelSetPipeline.h"
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quorin;
using namespace quorin::bench;

namespace {

// Runs `pipeline(a, b, out)` on two 800 x 600 sets in files; peak_MB is the
// growth of the resident size over one run (measured outside the timing).
template <class Pipeline> void timePipeline(benchmark::State& state, Pipeline pipeline) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt"), out = dir.filePath("d.txt");
    replaceFileBytes(a, pixelSetOf(0));
    replaceFileBytes(b, pixelSetOf(1));
    double peakMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetResidentPeak();
        const long long before = statusKb("VmRSS:");
        state.ResumeTiming();
        benchmark::DoNotOptimize(pipeline(a, b, out));
        state.PauseTiming();
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - before) / 1024.0);
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMb;
}

// 图像比较 on two 800 x 600 pixel sets without its pauses: both files read,
// compared and the difference file written. The tables start empty, as on
// the first comparison of a run.
void BM_compareTwoPixelSets(benchmark::State& state) {
    timePipeline(state, [](const QString& a, const QString& b, const QString& out) {
        PixelTable one(5000, 5000), two(5000, 5000);
        return comparePixelSets(a, b, out, one, two);
    });
}
BENCHMARK(BM_compareTwoPixelSets)->Unit(benchmark::kMillisecond);

// The same pipeline as `quorin-cli pixelset compare` runs it: the sets read
// row by row where the files are, no tables.
void BM_comparePixelSetRows(benchmark::State& state) {
    timePipeline(state, comparePixelSetRows);
}
BENCHMARK(BM_comparePixelSetRows)->Unit(benchmark::kMillisecond);

// The tables of two 800 x 600 sets as they stay in memory.
void BM_pixelTablesHeld(benchmark::State& state) {
    const QByteArray a = pixelSetOf(0);
    std::size_t bytes = 0;
    for (auto _ : state) {
        PixelTable one(5000, 5000);
        readPixelSet(a, one, 3000);
        bytes = one.memoryBytes();
    }
    state.counters["table_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_pixelTablesHeld)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
