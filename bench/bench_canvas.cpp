// The canvas's motion drawings on a full-screen picture: the canvas derive and
// one drop renderer without their designed waits, and the pacing of the
// canvas's busy waits with the real clock.
#include "BenchProgram.h"
#include "animation/Rain.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
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
            canvasPause(canvas);
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

} // namespace
