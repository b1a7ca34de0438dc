// The main window's 推导计算 and replay without their designed waits: what
// the computation and drawing cost when the 0.01 s pauses are taken out.
#include "BenchProgram.h"
#include "core/PlotSampling.h"
#include "mainwindow/MainWindow.h"
#include "motion/DeriveCommand.h"
#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace quorin;

namespace {

using bench::BenchProgram;

struct Entry {
    const char *radius, *vx0, *vfx, *vfy, *vy0, *t;
};

// The window's defaults, and a throw up against the wind that crosses both axes.
const std::array<Entry, 2> entries{{
    {"1", "1", "1", "1", "1", "1"},
    {"0.5", "3", "-5", "0", "-2", "2"},
}};

void enter(MainWindow& w, const Entry& e) {
    w.Text1[0]->setText(e.radius);
    w.Text1[1]->setText(e.vx0);
    w.Text1[2]->setText(e.vfx);
    w.Text1[3]->setText(e.vfy);
    w.Text1[4]->setText(e.vy0);
    w.Text1[10]->setText(e.t);
}

void BM_deriveCommand(benchmark::State& state) {
    BenchProgram bp;
    MainWindow& w = bp.program->mainWindow();
    enter(w, entries[static_cast<std::size_t>(state.range(0))]);
    for (auto _ : state)
        w.command1Click();
    benchmark::DoNotOptimize(w.Text1[12]->text());
}
BENCHMARK(BM_deriveCommand)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_replayCommand(benchmark::State& state) {
    BenchProgram bp;
    MainWindow& w = bp.program->mainWindow();
    enter(w, entries[static_cast<std::size_t>(state.range(0))]);
    for (auto _ : state) {
        w.Text1[11]->setText(QString()); // the replay appends a line each run
        w.picture1Click();
    }
}
BENCHMARK(BM_replayCommand)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The numbers alone: 101 plot samples and the 10000-step scan.
void BM_derivedNumbers(benchmark::State& state) {
    const Entry& e = entries[static_cast<std::size_t>(state.range(0))];
    const DropInputs in{std::atof(e.radius), 1,
                        std::atof(e.vx0),    std::atof(e.vfx),
                        std::atof(e.vfy),    std::atof(e.vy0)};
    const double t = std::atof(e.t);
    for (auto _ : state) {
        const auto atT = tryDropStateAt(in, t);
        const auto plot = samplePlot(in, t, mainPlotSteps);
        benchmark::DoNotOptimize(scanPath(in, t, plot->R, *atT, mainScanSteps));
    }
}
BENCHMARK(BM_derivedNumbers)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace
