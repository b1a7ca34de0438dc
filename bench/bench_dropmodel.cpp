#include "core/DropModel.h"
#include "core/PlotSampling.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <vector>

using namespace quorin;

namespace {

// The window's defaults, a fast upward throw (rising phase and apex), a drop
// thrown down faster than vt against the wind, and a heavy drop.
const std::array<DropInputs, 4> inputSets{{
    {1, 1, 1, 1, 1, 1},
    {1, 1, 3, -2, 0, -40},
    {0.1, 1, -1, 4, -0.5, 5},
    {50, 7, 10, 0, 2, -300},
}};

const DropInputs& inputsOf(const benchmark::State& state) {
    return inputSets[static_cast<std::size_t>(state.range(0))];
}

// A path of 10 001 samples over 20 s, as the derive's fine scan takes it.
constexpr double pathTime = 20;
constexpr int pathSteps = 10000;

// One evaluation per sample of a 10000-step scan, each on its own.
void BM_dropStateAt(benchmark::State& state) {
    const DropInputs& in = inputsOf(state);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dropStateAt(in, pathTime * (i % pathSteps) / pathSteps));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_dropStateAt)->DenseRange(0, static_cast<int>(inputSets.size()) - 1);

void BM_f1f2(benchmark::State& state) {
    const DropInputs& in = inputsOf(state);
    int i = 0;
    for (auto _ : state) {
        const double s = pathTime * (i % pathSteps) / pathSteps;
        benchmark::DoNotOptimize(f1(in, s));
        benchmark::DoNotOptimize(f2(in, s));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_f1f2)->DenseRange(0, static_cast<int>(inputSets.size()) - 1);

// The model path: 10 001 samples of the closed form and the plot window.
void BM_modelPath(benchmark::State& state) {
    const DropInputs& in = inputsOf(state);
    std::size_t samples = 0;
    for (auto _ : state) {
        const auto plot = samplePlot(in, pathTime, pathSteps);
        samples = plot ? plot->points.size() : 0;
        benchmark::DoNotOptimize(plot);
    }
    state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(BM_modelPath)
    ->DenseRange(0, static_cast<int>(inputSets.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

// The same samples each from the closed form, as the fine scan takes them.
void BM_closedFormEachSample(benchmark::State& state) {
    const DropMotion motion(inputsOf(state));
    std::vector<PathPoint> points;
    points.reserve(pathSteps + 1);
    for (auto _ : state) {
        points.clear();
        forStep(0.0, pathTime, pathTime / pathSteps, [&](double s) {
            points.push_back({s, motion.x(s), motion.y(s)});
        });
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(BM_closedFormEachSample)
    ->DenseRange(0, static_cast<int>(inputSets.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

// The derive's fine scan of the same path: length and axis crossings.
void BM_modelScan(benchmark::State& state) {
    const DropInputs& in = inputsOf(state);
    const auto atT = tryDropStateAt(in, pathTime);
    const auto plot = samplePlot(in, pathTime, 100);
    if (!atT || !plot) {
        state.SkipWithError("the path is not finite");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(scanPath(in, pathTime, plot->R, *atT, pathSteps));
}
BENCHMARK(BM_modelScan)
    ->DenseRange(0, static_cast<int>(inputSets.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

// The same equations of motion integrated numerically: x, y (downward
// positive) and the velocities, with the drag k w^2 against the velocity w
// relative to the wind and gravity downward.
using OdeState = std::array<double, 4>;

struct EquationsOfMotion {
    DropInputs in;
    double kOverM = 0;
    void operator()(const OdeState& s, OdeState& ds, double) const {
        const double u = s[2] - in.vfx;
        const double w = s[3] - in.vfy;
        ds = {s[2], s[3], -kOverM * u * std::abs(u), dropGravity - kOverM * w * std::abs(w)};
    }
};

constexpr double odeTolerance = 1e-10; // relative and absolute

std::vector<double> sampleTimes() {
    std::vector<double> times;
    forStep(0.0, pathTime, pathTime / pathSteps, [&](double s) { times.push_back(s); });
    return times;
}

namespace odeint = boost::numeric::odeint;

// Integrates through every sample time with the adaptive Dormand-Prince 5(4)
// pair, either stepping onto each sample or reading the samples from its
// dense output; the number of steps, and the path in `xs` and `ys`.
template <class Stepper>
std::size_t integratePath(Stepper stepper, const DropInputs& in, const std::vector<double>& times,
                          std::vector<double>& xs, std::vector<double>& ys) {
    const DropConstants c = dropConstants(in);
    OdeState s{0, 0, in.vx0, in.vy0};
    xs.clear();
    ys.clear();
    return odeint::integrate_times(stepper, EquationsOfMotion{in, c.k / c.m}, s, times.begin(),
                                   times.end(), 1e-3, [&](const OdeState& at, double) {
                                       xs.push_back(at[0]);
                                       ys.push_back(at[1]);
                                   });
}

auto eachSampleStepper() {
    return odeint::make_controlled(odeTolerance, odeTolerance,
                                   odeint::runge_kutta_dopri5<OdeState>());
}

auto denseStepper() {
    return odeint::make_dense_output(odeTolerance, odeTolerance,
                                     odeint::runge_kutta_dopri5<OdeState>());
}

// The integration must describe the same path as the closed form: its largest
// distance from it, relative to the path's extent, is reported; beyond 1e-6
// the comparison is void.
template <class Stepper> void integratedPath(benchmark::State& state, Stepper stepper) {
    const DropInputs& in = inputsOf(state);
    const std::vector<double> times = sampleTimes();
    std::vector<double> xs, ys;
    xs.reserve(times.size());
    ys.reserve(times.size());
    std::size_t steps = 0;
    for (auto _ : state) {
        steps = integratePath(stepper, in, times, xs, ys);
        benchmark::DoNotOptimize(xs.data());
        benchmark::DoNotOptimize(ys.data());
    }
    const auto plot = samplePlot(in, pathTime, pathSteps);
    if (!plot || plot->points.size() != xs.size()) {
        state.SkipWithError("the closed form gives another path");
        return;
    }
    const double extent = std::max(plot->xmax - plot->xmin, plot->ymax - plot->ymin);
    double deviation = 0;
    for (std::size_t i = 0; i < xs.size(); ++i)
        deviation = std::max(
            {deviation, std::abs(xs[i] - plot->points[i].x), std::abs(ys[i] - plot->points[i].y)});
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["max_dev_rel"] = deviation / extent;
    if (!(deviation <= 1e-6 * extent))
        state.SkipWithError("the integration does not follow the closed form");
}

void BM_odeintEachSample(benchmark::State& state) {
    integratedPath(state, eachSampleStepper());
}
BENCHMARK(BM_odeintEachSample)
    ->DenseRange(0, static_cast<int>(inputSets.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_odeintDense(benchmark::State& state) {
    integratedPath(state, denseStepper());
}
BENCHMARK(BM_odeintDense)
    ->DenseRange(0, static_cast<int>(inputSets.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_wc(benchmark::State& state) {
    double v = 1.0 / 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wc(v));
        v += 0.1234567;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_wc);

} // namespace

BENCHMARK_MAIN();
