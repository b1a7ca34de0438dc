// The launch-angle search of 反导模拟 over a whole quadrant without a hit at
// its finest step (900 candidate angles): the pure search alone, and the
// window's search on a full-screen picture without its designed waits.
#include "BenchProgram.h"
#include "canvas/Interception.h"
#include "canvaswindow/CanvasWindow.h"
#include "core/InterceptSearch.h"
#include "mainwindow/MainWindow.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace quorin;
using bench::BenchProgram;

namespace {

// The default projectile, a target far out of reach up and to the right, a
// tolerance of 0.5 % (angle step -0.1).
const InterceptTask outOfReach{{50, 7, 700, 1, 1, -700}, 10, 1e9, -1e9, 0.5};

void BM_interceptSearchQuadrant(benchmark::State& state) {
    int candidates = 0;
    for (auto _ : state) {
        const auto out = searchIntercept(outOfReach, [](const InterceptCandidate& c) {
            benchmark::DoNotOptimize(c.path.data());
            return true;
        });
        candidates = out.candidates;
    }
    state.counters["candidates"] = candidates;
}
BENCHMARK(BM_interceptSearchQuadrant)->Unit(benchmark::kMillisecond);

// No designed wait takes time, but processing waits do dispatch the pending
// events, and busy waits repaint at display rate, as the real ones do.
class EventsNoWaitClock final : public Clock {
public:
    EventsNoWaitClock() { sinceRepaint_.start(); }
    double now() const override { return t_; }
    void pause(double seconds, WaitKind kind, const std::function<void()>& repaint,
               const std::function<bool()>&) override {
        t_ += seconds;
        if (kind == WaitKind::Processing) {
            QCoreApplication::processEvents();
        } else if (repaint && sinceRepaint_.elapsed() >= 16) {
            repaint();
            sinceRepaint_.restart();
        }
    }

private:
    double t_ = 0;
    QElapsedTimer sinceRepaint_;
};

void BM_interceptWindowSearch(benchmark::State& state) {
    EventsNoWaitClock clock;
    BenchProgram bp(&clock);
    Program& program = *bp.program;
    program.launch(CanvasMode::Intercept);
    CanvasWindow& canvas = program.canvas();
    canvas.Timer17.stop();
    canvas.Timer18.stop();
    canvas.resize(1920, 1080);
    canvas.Picture1->resize(1920, 1080);
    canvas.show();
    QCoreApplication::processEvents();
    MainWindow& main = program.mainWindow();
    main.Text1[15]->setText(QStringLiteral("1e9"));
    main.Text1[16]->setText(QStringLiteral("-1e9"));
    main.Text1[17]->setText(QStringLiteral("0.5"));
    for (auto _ : state)
        bianhuanjiaodu(canvas);
    benchmark::DoNotOptimize(main.Text1[14]->text());
}
BENCHMARK(BM_interceptWindowSearch)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
