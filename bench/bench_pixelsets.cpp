#include "PixelSetPipeline.h"
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quorin;
using namespace quorin::bench;

namespace {

// 图像比较 on two 800 x 600 pixel sets without its pauses: both files read,
// compared and the difference file written. The tables start empty, as on
// the first comparison of a run; peak_MB is the growth of the resident size
// over one run.
void BM_compareTwoPixelSets(benchmark::State& state) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt"), out = dir.filePath("d.txt");
    replaceFileBytes(a, pixelSetOf(0));
    replaceFileBytes(b, pixelSetOf(1));
    double peakMb = 0;
    for (auto _ : state) {
        resetResidentPeak();
        const long long before = statusKb("VmRSS:");
        PixelTable one(5000, 5000), two(5000, 5000);
        benchmark::DoNotOptimize(comparePixelSets(a, b, out, one, two));
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - before) / 1024.0);
    }
    state.counters["peak_MB"] = peakMb;
}
BENCHMARK(BM_compareTwoPixelSets)->Unit(benchmark::kMillisecond);

// The same pipeline as `quorin-cli pixelset compare` runs it: the sets read
// row by row where the files are, no tables.
void BM_comparePixelSetRows(benchmark::State& state) {
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
        benchmark::DoNotOptimize(comparePixelSetRows(a, b, out));
        state.PauseTiming();
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - before) / 1024.0);
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMb;
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
