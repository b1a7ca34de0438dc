#include "PixelSetPipeline.h"
#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/TextFiles.h"
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quorin;
using namespace quorin::bench;

namespace {

// Counts the rows the reader hands on.
RowReadResult readRows(const QByteArray& bytes) {
    return zhong(bytes, rowTableRows, [](const auto& rows) { benchmark::DoNotOptimize(rows); });
}

// A full row table: 3000 distinct rows of about 5 KB each.
void BM_zhongDistinctLongRows(benchmark::State& state) {
    const QByteArray filler(5000, 'x');
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += QByteArray::number(i) + '\t' + filler + "\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(readRows(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_zhongDistinctLongRows)->Unit(benchmark::kMillisecond);

// 100 000 short rows, nearly all repeats of 500 distinct ones.
void BM_zhongMostlyRepeats(benchmark::State& state) {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += QByteArray::number(i % 500) + "\t1.5\t2.5\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(readRows(bytes));
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_zhongMostlyRepeats)->Unit(benchmark::kMillisecond);

// One line of a stroke file as a long drawing gives it, `bytes` long: points
// with fractions and upper-case exponents, then the colour, the width and the
// ordinal that keeps the line apart.
QByteArray strokeLine(int line, qsizetype bytes) {
    QByteArray out;
    out.reserve(bytes + 64);
    for (int p = 0; out.size() < bytes; ++p) {
        out += p % 2 ? QByteArray::number(-(line + p) * 1e-7, 'E', 6)
                     : QByteArray::number(line * 0.37 + p * 1.25, 'g', 9);
        out += '\t';
    }
    out += "16711935\t2\t" + QByteArray::number(line + 1) + "\r\n";
    return out;
}

// A stroke file of 1500 strokes of 1000 points (3000 rows) read into the
// stroke tables: the rows, then the strokes.
void BM_strokeFileImport(benchmark::State& state) {
    QByteArray bytes;
    for (int line = 0; line < 3000; ++line)
        bytes += strokeLine(line, 9000);
    // The tables live as long as the program, as the shared record's do.
    BoundedTable<double> x(3000, 3000), y(3000, 3000), colour(3000, 3000), width(3000, 3000);
    BoundedArray<double> count(3000), end(3000);
    StrokeTables tables{x, y, colour, width, count, end};
    for (auto _ : state)
        zhong(bytes, rowTableRows, [&](const auto& rows) { qingz(rows, tables); });
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_strokeFileImport)->Unit(benchmark::kMillisecond);

// Importing a stroke file of `range(0)` MB of distinct lines (2990 of them),
// from the file on the disk to the strokes in fresh tables, as 导入 does.
// peak_per_file_byte is the growth of the resident size over the file's size.
void BM_strokeImportPeakMemory(benchmark::State& state) {
    const qsizetype fileBytes = state.range(0) * 1024 * 1024;
    const int lines = 2990;
    QTemporaryDir dir;
    const QString path = dir.filePath("strokes.txt");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int line = 0; line < lines; ++line)
            f.write(strokeLine(line, fileBytes / lines));
    }
    const double size = static_cast<double>(QFile(path).size());
    double peak = 0;
    for (auto _ : state) {
        BoundedTable<double> x(3000, 3000), y(3000, 3000), colour(3000, 3000), width(3000, 3000);
        BoundedArray<double> count(3000), end(3000);
        StrokeTables tables{x, y, colour, width, count, end};
        resetResidentPeak();
        const long long before = statusKb("VmRSS:");
        const RowReadResult rows = zhong(*readFileBytes(path), rowTableRows,
                                         [&](const auto& kept) { qingz(kept, tables); });
        benchmark::DoNotOptimize(rows);
        peak = std::max(peak, static_cast<double>(statusKb("VmHWM:") - before) * 1024.0);
    }
    state.counters["file_MB"] = size / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak / (1024.0 * 1024.0);
    state.counters["peak_per_file_byte"] = peak / size;
}
BENCHMARK(BM_strokeImportPeakMemory)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
