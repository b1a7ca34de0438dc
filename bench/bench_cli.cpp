// quorin-cli as a whole process, start-up included: the time a user or a
// script waits for it.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// derive --path: N samples of a drop thrown against the wind, written as a
// CSV table.
void BM_cliDerivePath(benchmark::State& state) {
    QTemporaryDir dir;
    const QStringList args = {
        QStringLiteral("derive"),    QStringLiteral("--vx0"),        QStringLiteral("10"),
        QStringLiteral("--vfx"),     QStringLiteral("-3"),           QStringLiteral("--t"),
        QStringLiteral("5"),         QStringLiteral("--path"),       dir.filePath("path.csv"),
        QStringLiteral("--samples"), QString::number(state.range(0))};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(QUORIN_CLI), args);
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            state.SkipWithError("quorin-cli derive failed");
            return;
        }
    }
}
BENCHMARK(BM_cliDerivePath)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
