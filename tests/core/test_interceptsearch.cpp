#include "core/InterceptSearch.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace quorin {
namespace {

// A small drop carried up by a wind of 20 m/s: thrown level (360 degrees) it
// rises to the right, into the first quadrant searched for a target there.
const DropInputs rising{1, 1, 3, 0, -20, 0};

std::vector<InterceptCandidate> allCandidates(const InterceptTask& task, InterceptOutcome* out) {
    std::vector<InterceptCandidate> seen;
    *out = searchIntercept(task, [&](const InterceptCandidate& c) {
        seen.push_back(c);
        return true;
    });
    return seen;
}

TEST(InterceptSearch, ToleranceSetsTheAngleStep) {
    struct Case {
        double percent, tolerance, step;
    };
    for (const Case& k :
         {Case{1, 0.01, -0.125}, Case{0.5, 0.005, -0.1}, Case{5, 0.05, -0.25},
          Case{2, 0.02, -0.125}, Case{0.99, 0.0099, -0.1}, Case{2.00001, 0.02, -0.125},
          Case{2.0001, 0.020001, -0.25}, Case{-3, -0.03, -0.1}}) {
        const double tol = interceptTolerance(k.percent);
        EXPECT_DOUBLE_EQ(tol, k.tolerance) << k.percent;
        EXPECT_EQ(interceptAngleStep(tol), k.step) << k.percent;
    }
}

TEST(InterceptSearch, QuadrantOfTheTargetIncludingAxesAndOrigin) {
    struct Case {
        double x, y, start, end;
    };
    for (const Case& k : {Case{5, -5, 360, 270}, Case{-5, -5, 270, 180}, Case{-5, 5, 180, 90},
                          Case{5, 5, 90, 0}, Case{5, 0, 90, 0}, Case{0, -5, 270, 180},
                          Case{-5, 0, 180, 90}, Case{0, 5, 90, 0}, Case{0, 0, 90, 0}}) {
        const AngleRange r = interceptAngleRange(k.x, k.y);
        EXPECT_EQ(r.start, k.start) << k.x << "," << k.y;
        EXPECT_EQ(r.end, k.end) << k.x << "," << k.y;
    }
}

TEST(InterceptSearch, BandsAroundPositiveNegativeAndZeroTargets) {
    const HitBand above = hitBand(200, 0.01);
    EXPECT_TRUE(above.contains(198) && above.contains(202) && above.contains(200));
    EXPECT_FALSE(above.contains(197.9) || above.contains(202.1));
    const HitBand below = hitBand(-200, 0.01);
    EXPECT_TRUE(below.contains(-198) && below.contains(-202));
    EXPECT_FALSE(below.contains(-197.9) || below.contains(-202.1) || below.contains(200));
    const HitBand zero = hitBand(0, 0.05);
    EXPECT_TRUE(zero.contains(0));
    EXPECT_FALSE(zero.contains(1e-12) || zero.contains(-1e-12));
    // A negative tolerance hits nothing, not even the target itself.
    for (double target : {-3.0, 0.0, 3.0})
        EXPECT_FALSE(hitBand(target, -0.01).contains(target)) << target;
}

TEST(InterceptSearch, TargetOnTheFirstPathIsHitAtOnce) {
    InterceptOutcome out;
    const InterceptTask probe{rising, 5, 1e9, -1e9, 1};
    const auto first = allCandidates(probe, &out).front();
    ASSERT_EQ(first.angle, 360);
    const PathPoint on = first.path[60];
    ASSERT_GT(on.x, 0);
    ASSERT_LT(on.y, 0);

    std::vector<double> angles;
    out = searchIntercept({rising, 5, on.x, on.y, 1}, [&](const InterceptCandidate& c) {
        angles.push_back(c.angle);
        return true;
    });
    EXPECT_EQ(angles, std::vector<double>{360});
    ASSERT_EQ(out.end, InterceptOutcome::End::Hit);
    EXPECT_EQ(out.hit->angle, 360);
    EXPECT_LE(out.hit->time, on.s); // the first sample within the bands
    EXPECT_GT(out.hit->time, 0);
    EXPECT_EQ(out.hit->fvx0, first.fvx0);
    EXPECT_EQ(out.hit->fvy0, first.fvy0);
    EXPECT_EQ(out.hit->radiusUnit, first.window / 100);

    // The same target with a negative tolerance is never hit.
    EXPECT_EQ(searchIntercept({rising, 5, on.x, on.y, -1}, [](auto&) { return true; }).end,
              InterceptOutcome::End::Exhausted);
}

TEST(InterceptSearch, TargetOutOfReachTriesTheWholeQuadrant) {
    InterceptOutcome out;
    const DropInputs shell{50, 7, 700, 1, 1, -700};
    const auto seen = allCandidates({shell, 10, 1e9, -1e9, 0.5}, &out);
    EXPECT_EQ(out.end, InterceptOutcome::End::Exhausted);
    EXPECT_FALSE(out.hit);
    EXPECT_EQ(out.candidates, int(seen.size()));
    ASSERT_GE(seen.size(), 900u);
    ASSERT_LE(seen.size(), 901u);
    EXPECT_EQ(seen.front().angle, 360);
    EXPECT_GT(seen.back().angle, 270 - 0.1);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_NEAR(seen[i - 1].angle - seen[i].angle, 0.1, 1e-9);
}

TEST(InterceptSearch, CandidatePathsFollowTheModelAtTheirAngle) {
    const DropInputs shell{50, 7, 700, 1, 1, -700};
    const double fv = std::hypot(700.0, -700.0);
    int checked = 0;
    searchIntercept({shell, 10, 3e4, 5e4, 5}, [&](const InterceptCandidate& c) {
        if (++checked > 40)
            return false;
        // Down from 90 degrees: the interceptor is thrown right and down.
        const double a = c.angle * std::numbers::pi / 180;
        DropInputs thrown = shell;
        thrown.vx0 = fv * std::cos(a);
        thrown.vy0 = fv * std::sin(a);
        EXPECT_NEAR(c.fvx0, thrown.vx0, 1e-9);
        EXPECT_NEAR(c.fvy0, thrown.vy0, 1e-9);
        EXPECT_TRUE(c.path.size() == 101u || c.path.size() == 100u);
        double extent = 0;
        for (const PathPoint& p : c.path) {
            EXPECT_NEAR(p.x, f1(thrown, p.s), 1e-6);
            EXPECT_NEAR(p.y, f2(thrown, p.s), 1e-6);
            extent = std::max({extent, std::abs(p.x), std::abs(p.y)});
        }
        EXPECT_EQ(c.path[1].s, 0.1);
        // The window holds the whole path with room to spare.
        EXPECT_GE(c.window, 1.5 * extent);
        return true;
    });
    EXPECT_EQ(checked, 41);
}

TEST(InterceptSearch, NoCandidatesWhenTheModelCannotBeEvaluated) {
    for (const DropInputs& in :
         {DropInputs{0, 7, 700, 1, 1, -700}, DropInputs{50, 0, 1, 1, 1, 1}}) {
        InterceptOutcome out;
        EXPECT_TRUE(allCandidates({in, 10, 1, -1, 1}, &out).empty());
        EXPECT_EQ(out.end, InterceptOutcome::End::Unevaluable);
    }
    for (double t : {0.0, -1.0, std::nan("")}) {
        InterceptOutcome out;
        EXPECT_TRUE(allCandidates({rising, t, 1, -1, 1}, &out).empty()) << t;
    }
    // The caller may stop at any candidate.
    int calls = 0;
    const auto out = searchIntercept({rising, 5, 1e9, -1e9, 1}, [&](auto&) { return ++calls < 3; });
    EXPECT_EQ(out.end, InterceptOutcome::End::Stopped);
    EXPECT_EQ(out.candidates, 3);
}

} // namespace
} // namespace quorin
