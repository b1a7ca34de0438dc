#include "core/RowReader.h"
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
    for (auto _ : state) {
        BoundedArray<QString> one(3000);
        BoundedArray<QString> two(3000);
        benchmark::DoNotOptimize(zhong(text, one, two));
    }
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

} // namespace

BENCHMARK_MAIN();
