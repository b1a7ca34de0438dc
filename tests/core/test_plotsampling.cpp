#include "core/PlotSampling.h"
#include <cmath>
#include <gtest/gtest.h>

namespace quorin {
namespace {

const DropInputs drop{1, 1, 1, 1, 1, 1};

// The main window samples 100 steps; the canvas plots ask for 150 and 200.
TEST(PlotSampling, StepCountSetsTheSamplesAndRefusesNothingForward) {
    for (int steps : {100, 150, 200}) {
        const auto plot = samplePlot(drop, 2.0, steps);
        ASSERT_TRUE(plot);
        const auto n = plot->points.size();
        // A floating step may overshoot the end by a rounding: the last sample
        // is then one step short of t.
        EXPECT_TRUE(n == std::size_t(steps) || n == std::size_t(steps) + 1) << steps;
        EXPECT_NEAR(plot->points[1].s, 2.0 / steps, 1e-15);
        EXPECT_EQ(plot->points[1].x, f1(drop, plot->points[1].s));
    }
    EXPECT_FALSE(samplePlot(drop, 2.0, 0));
    EXPECT_FALSE(samplePlot(drop, 2.0, -5));
    // The window is the same whatever the sampling, within the sampling error.
    EXPECT_NEAR(samplePlot(drop, 2.0, 100)->R, samplePlot(drop, 2.0, 200)->R, 1e-2);
}

TEST(PlotSampling, FinerScanMeasuresTheSameLength) {
    const auto atT = tryDropStateAt(drop, 2.0);
    ASSERT_TRUE(atT);
    const double R = samplePlot(drop, 2.0, 100)->R;
    const double coarse = scanPath(drop, 2.0, R, *atT, 1000).length;
    const double fine = scanPath(drop, 2.0, R, *atT, 10000).length;
    EXPECT_GT(coarse, 0);
    EXPECT_NEAR(coarse, fine, 1e-2 * fine);
    EXPECT_NE(coarse, fine); // the step count is the one asked for
    EXPECT_EQ(scanPath(drop, 2.0, R, *atT, 0).length, 0);
}

// The renderers' window rule has a branch for a path wholly above or below its
// start (ymin ymax > 0); the samples start at the start point, so the branch
// never applies and the one window rule serves every plot.
TEST(PlotSampling, PathsAlwaysContainTheirStartPoint) {
    for (double vy0 : {-30.0, -1.0, 0.0, 2.0, 40.0})
        for (double vfy : {-5.0, 0.0, 3.0})
            for (double t : {0.01, 1.0, 20.0}) {
                const auto plot = samplePlot(DropInputs{1, 1, 1, 0, vfy, vy0}, t, 200);
                ASSERT_TRUE(plot);
                EXPECT_LE(plot->ymin, 0);
                EXPECT_GE(plot->ymax, 0);
            }
}

// A path follows the closed form between the samples where it evaluates it,
// in every phase: rising to the apex and sinking after it, sinking below, at
// and above vt, wind with and against the throw, the turn times crossed on the
// way, drops whose drag changes a lot within one step, and throws so fast that
// the apex lies near a quarter turn. Every sample must be the single
// evaluation at its moment to within 2e-12 of the path's extent (the closed
// form's own rounding reaches about 2e-13 of it for a heavy drop, where m / k
// is large), and the path must measure the length the fine scan measures.
TEST(PlotSampling, PathSamplesFollowTheSingleEvaluations) {
    const double vt = std::sqrt(dropConstants({1, 1}).m * dropGravity / dropConstants({1, 1}).k);
    const DropInputs drops[] = {
        drop,
        {1, 1, 3, -2, 0, -40},     // fast upward throw: rising, apex, sinking
        {0.1, 1, -1, 4, -0.5, 5},  // thrown down against the wind
        {50, 7, 10, 0, 2, -300},   // heavy drop, rising all the way
        {1, 1, 0, 0, 0, vt},       // exactly at terminal speed
        {1, 1, 2, 2, 3, 1},        // rising relative to the air with both downward
        {1, 1, -4, 1, -3, -2},     // falling against an upward wind
        {0.01, 1, 300, -5, 0, 80}, // tiny drop: drag and decay large within a step
        {0.01, 1, 0, 0, 0, -1e4},  // tiny drop thrown up very fast
        {20, 1, 1e3, 0, 0, -1e5},  // apex near a quarter turn
        {1, 1, -1e-9, 0, 0, 1e-9}, // barely moving against the air
    };
    for (const DropInputs& in : drops)
        for (double t : {0.5, 20.0})
            for (int steps : {100, 2000, 10000}) {
                SCOPED_TRACE("Vx0=" + std::to_string(in.vx0) + " Vy0=" + std::to_string(in.vy0) +
                             " t=" + std::to_string(t) + " steps=" + std::to_string(steps));
                const auto plot = samplePlot(in, t, steps);
                const auto atT = tryDropStateAt(in, t);
                ASSERT_TRUE(plot && atT);
                const double extent = std::max(plot->xmax - plot->xmin, plot->ymax - plot->ymin);
                const double near = 2e-12 * extent;
                double length = 0, prevX = 0, prevY = 0;
                for (const PathPoint& p : plot->points) {
                    ASSERT_NEAR(p.x, f1(in, p.s), near) << p.s;
                    ASSERT_NEAR(p.y, f2(in, p.s), near) << p.s;
                    length += std::hypot(p.x - prevX, p.y - prevY);
                    prevX = p.x;
                    prevY = p.y;
                }
                EXPECT_NEAR(scanPath(in, t, plot->R, *atT, steps).length, length, 1e-12 * length);
            }
}

} // namespace
} // namespace quorin
