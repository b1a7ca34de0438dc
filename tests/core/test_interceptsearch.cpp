#include "core/InterceptSearch.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace quorin {
namespace {

// A small drop carried up by a wind of 20 m/s: thrown level (360 degrees) it
// rises to the right, into the first quadrant searched for a target there.
const DropInputs rising{1, 1, 3, 0, -20, 0};
const DropInputs shell{50, 7, 700, 1, 1, -700};
const auto onAll = [](const InterceptCandidate&) { return true; };

TEST(InterceptSearch, ToleranceStepQuadrantAndBands) {
    for (auto [percent, tol, step] : {std::tuple{1.0, 0.01, -0.125},
                                      {0.5, 0.005, -0.1},
                                      {5.0, 0.05, -0.25},
                                      {2.00001, 0.02, -0.125},
                                      {-3.0, -0.03, -0.1}}) {
        EXPECT_DOUBLE_EQ(interceptTolerance(percent), tol) << percent;
        EXPECT_EQ(interceptAngleStep(interceptTolerance(percent)), step) << percent;
    }
    // Targets on an axis take the last row they match; the origin 90 - 0.
    for (auto [x, y, start] : {std::tuple{5.0, -5.0, 360.0},
                               {-5.0, -5.0, 270.0},
                               {-5.0, 5.0, 180.0},
                               {5.0, 5.0, 90.0},
                               {5.0, 0.0, 90.0},
                               {0.0, -5.0, 270.0},
                               {-5.0, 0.0, 180.0},
                               {0.0, 5.0, 90.0},
                               {0.0, 0.0, 90.0}}) {
        EXPECT_EQ(interceptAngleRange(x, y).start, start) << x << "," << y;
        EXPECT_EQ(interceptAngleRange(x, y).end, start - 90) << x << "," << y;
    }
    const HitBand above = hitBand(200, 0.01), below = hitBand(-200, 0.01), zero = hitBand(0, 0.05);
    EXPECT_TRUE(above.contains(198) && above.contains(202) && below.contains(-198) &&
                below.contains(-202) && zero.contains(0));
    EXPECT_FALSE(above.contains(197.9) || above.contains(202.1) || below.contains(-197.9) ||
                 below.contains(-202.1) || zero.contains(1e-12) || zero.contains(-1e-12));
    for (double target : {-3.0, 0.0, 3.0}) // a negative tolerance hits nothing
        EXPECT_FALSE(hitBand(target, -0.01).contains(target)) << target;
}

TEST(InterceptSearch, TargetOnTheFirstPathIsHitAtOnce) {
    InterceptCandidate first;
    searchIntercept({rising, 5, 1e9, -1e9, 1}, [&](const InterceptCandidate& c) {
        first = c;
        return false;
    });
    const PathPoint on = first.path[60];
    ASSERT_TRUE(on.x > 0 && on.y < 0);
    const auto out = searchIntercept({rising, 5, on.x, on.y, 1}, onAll);
    EXPECT_EQ(out.candidates, 1);
    ASSERT_EQ(out.end, InterceptOutcome::End::Hit);
    EXPECT_EQ(out.hit->angle, 360);
    EXPECT_TRUE(out.hit->time > 0 && out.hit->time <= on.s); // the first sample in the bands
    EXPECT_EQ(out.hit->fvy0, first.fvy0);
    EXPECT_EQ(out.hit->radiusUnit, first.window / 100);
    EXPECT_EQ(searchIntercept({rising, 5, on.x, on.y, -1}, onAll).end,
              InterceptOutcome::End::Exhausted);
}

TEST(InterceptSearch, OutOfReachTriesTheWholeQuadrantAlongTheModel) {
    const double fv = std::hypot(700.0, 700.0);
    std::vector<double> angles;
    const auto out = searchIntercept({shell, 10, 1e9, -1e9, 0.5}, [&](const InterceptCandidate& c) {
        angles.push_back(c.angle);
        if (angles.size() % 100 != 1)
            return true;
        DropInputs thrown = shell; // the model thrown at this angle, evaluated directly
        thrown.vx0 = fv * std::cos(c.angle * std::numbers::pi / 180);
        thrown.vy0 = fv * std::sin(c.angle * std::numbers::pi / 180);
        EXPECT_NEAR(c.fvx0, thrown.vx0, 1e-9);
        EXPECT_NEAR(c.fvy0, thrown.vy0, 1e-9);
        EXPECT_GE(c.path.size(), 100u);
        EXPECT_EQ(c.path[1].s, 0.1);
        for (const PathPoint& p : c.path) {
            EXPECT_NEAR(p.x, f1(thrown, p.s), 1e-6);
            EXPECT_NEAR(p.y, f2(thrown, p.s), 1e-6);
            EXPECT_LE(1.5 * std::max(std::abs(p.x), std::abs(p.y)), c.window);
        }
        return true;
    });
    EXPECT_EQ(out.end, InterceptOutcome::End::Exhausted);
    EXPECT_EQ(out.candidates, int(angles.size()));
    EXPECT_TRUE(angles.size() == 900u || angles.size() == 901u);
    EXPECT_EQ(angles.front(), 360);
    EXPECT_NEAR(angles.back(), 270, 0.1);
}

TEST(InterceptSearch, NoCandidatesWithoutAModelOrATime) {
    for (const DropInputs& in : {DropInputs{0, 7, 700, 1, 1, -700}, DropInputs{50, 0, 1, 1, 1, 1}})
        EXPECT_EQ(searchIntercept({in, 10, 1, -1, 1}, onAll).end,
                  InterceptOutcome::End::Unevaluable);
    for (double t : {0.0, -1.0, std::nan("")})
        EXPECT_EQ(searchIntercept({rising, t, 1, -1, 1}, onAll).candidates, 0) << t;
    int calls = 0;
    const auto out = searchIntercept({rising, 5, 1e9, -1e9, 1}, [&](auto&) { return ++calls < 3; });
    EXPECT_EQ(out.end, InterceptOutcome::End::Stopped);
    EXPECT_EQ(out.candidates, 3);
}

} // namespace
} // namespace quorin
