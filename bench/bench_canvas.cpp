// The canvas's motion drawings on a full-screen picture: the canvas derive and
// one drop renderer without their designed waits, and the pacing of the
// canvas's busy waits with the real clock.
#include "BenchProgram.h"
#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace quorin;
using bench::BenchProgram;

namespace {

constexpr int fullWidth = 1920, fullHeight = 1080;

CanvasWindow& fullScreenCanvas(Program& program) {
    program.launch(CanvasMode::Drop);
    CanvasWindow& canvas = program.canvas();
    canvas.Timer17.stop();
    canvas.Timer18.stop();
    canvas.resize(fullWidth, fullHeight);
    canvas.Picture1->resize(fullWidth, fullHeight);
    return canvas;
}

void BM_canvasDerive(benchmark::State& state) {
    BenchProgram bp;
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    for (auto _ : state)
        canvasDerive(canvas);
    benchmark::DoNotOptimize(bp.program->mainWindow().Text1[12]->text());
}
BENCHMARK(BM_canvasDerive)->Unit(benchmark::kMillisecond);

void BM_rains(benchmark::State& state) {
    BenchProgram bp;
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    const RainDrop drop{2, 1, 3, 1, -2, 0, 0, 1};
    for (auto _ : state) {
        canvas.huatuo = true; // the first drop's ellipse every time
        benchmark::DoNotOptimize(rains(canvas, drop));
    }
}
BENCHMARK(BM_rains)->Unit(benchmark::kMillisecond);

// 150 canvasPause waits with a segment drawn after each, on the real clock:
// the busy wait's repaints must not stretch the designed 1.5 s.
void BM_canvasPausePacing(benchmark::State& state) {
    SystemClock clock;
    BenchProgram bp(&clock);
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    canvas.show();
    PictureBox& pic = *canvas.Picture1;
    double ratio = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 150; ++i) {
            (void)canvasPause(canvas);
            pic.line(0, 0, i * 100.0, i * 60.0, colors::red);
        }
        ratio = timer.nsecsElapsed() / 1e9 / 1.5;
    }
    state.counters["ratio_to_1.5s"] = ratio;
}
BENCHMARK(BM_canvasPausePacing)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole 雨 sweep (101 start points of 151 segments) without waits.
void BM_rainSweep(benchmark::State& state) {
    BenchProgram bp;
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    for (auto _ : state) {
        canvas.zy = 0;
        rain(canvas);
    }
}
BENCHMARK(BM_rainSweep)->Iterations(1)->Unit(benchmark::kMillisecond);

// One 蛋 frame (1001 steps, 2002 lines) with a repaint at every step and no
// designed pause: the cost of a step against its 10 ms pause.
void BM_eggFrameStep(benchmark::State& state) {
    bench::RepaintingNoWaitClock clock;
    BenchProgram bp(&clock);
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    canvas.show();
    QCoreApplication::processEvents(); // exposed, so repaints paint
    canvas.eggRate = 3.5;
    for (auto _ : state)
        drawPattern(canvas, PatternKind::Egg);
    state.counters["ms_per_step"] = benchmark::Counter(
        1001, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_eggFrameStep)->Unit(benchmark::kMillisecond);

// The frame's drawing alone, for comparison with the step above.
void BM_eggFrameDrawingOnly(benchmark::State& state) {
    BenchProgram bp;
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    canvas.eggRate = 3.5;
    for (auto _ : state)
        drawPattern(canvas, PatternKind::Egg);
}
BENCHMARK(BM_eggFrameDrawingOnly)->Unit(benchmark::kMillisecond);

void BM_repaintBox(benchmark::State& state) {
    BenchProgram bp;
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    canvas.show();
    QCoreApplication::processEvents();
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state)
        canvas.Picture1->repaint(QRect(100, 100, side, side));
}
BENCHMARK(BM_repaintBox)->Arg(4)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The same frame on the real clock: 1001 pauses of 0.01 s and the 1 s hold.
void BM_eggFramePacing(benchmark::State& state) {
    SystemClock clock;
    BenchProgram bp(&clock);
    CanvasWindow& canvas = fullScreenCanvas(*bp.program);
    canvas.show();
    QCoreApplication::processEvents();
    double ratio = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        drawPattern(canvas, PatternKind::Egg);
        ratio = timer.nsecsElapsed() / 1e9 / 11.01;
    }
    state.counters["ratio_to_11.01s"] = ratio;
}
BENCHMARK(BM_eggFramePacing)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
