#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include <benchmark/benchmark.h>

using namespace quorin;

namespace {

// A full record file: 3000 distinct rows of about 5 KB each.
void BM_zhongDistinctLongRows(benchmark::State& state) {
    const QString filler(5000, QLatin1Char('x'));
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QString::number(i) + QLatin1Char('\t') + filler + QStringLiteral("\r\n");
    text += QStringLiteral("\r\n");
    // The tables live as long as the program, as the shared record's do.
    BoundedArray<QString> one(3000);
    BoundedArray<QString> two(3000);
    for (auto _ : state)
        benchmark::DoNotOptimize(zhong(text, one, two));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_zhongDistinctLongRows)->Unit(benchmark::kMillisecond);

// 100 000 short rows, nearly all repeats of 500 distinct ones.
void BM_zhongMostlyRepeats(benchmark::State& state) {
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral("%1\t1.5\t2.5\r\n").arg(i % 500);
    text += QStringLiteral("\r\n");
    for (auto _ : state) {
        BoundedArray<QString> one(3000);
        BoundedArray<QString> two(3000);
        benchmark::DoNotOptimize(zhong(text, one, two));
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_zhongMostlyRepeats)->Unit(benchmark::kMillisecond);

// A stroke file of 1500 strokes of 1000 points (3000 rows) read into the
// stroke tables: the rows, then the strokes.
void BM_strokeFileImport(benchmark::State& state) {
    QString text;
    for (int s = 0; s < 1500; ++s)
        for (int line = 0; line < 2; ++line) {
            for (int p = 0; p < 1000; ++p)
                text += QString::number(s + p * 0.5 + line) + QLatin1Char('\t');
            text += QStringLiteral("16711680\t2\t%1\r\n").arg(2 * s + 1 + line);
        }
    text += QStringLiteral("\r\n");
    // The tables live as long as the program, as the shared record's do.
    BoundedArray<QString> one(3000), two(3000);
    BoundedTable<double> x(3000, 3000), y(3000, 3000), colour(3000, 3000), width(3000, 3000);
    BoundedArray<double> count(3000), end(3000);
    StrokeTables tables{x, y, colour, width, count, end};
    for (auto _ : state) {
        const RowReadResult rows = zhong(text, one, two);
        benchmark::DoNotOptimize(qingz(two, rows.rowCount, tables));
    }
}
BENCHMARK(BM_strokeFileImport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
