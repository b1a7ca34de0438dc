#include "core/DropModel.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace quorin;

namespace {

// The drop physics restated from its definitions, independent of the model.
struct Physics {
    double kOverM = 0, vt = 0, lambda = 0;
};

Physics physicsOf(double radiusMm, double density) {
    const double pi = std::acos(-1.0);
    const double r = radiusMm / 1000;
    const double m = 4.0 / 3.0 * pi * std::pow(r, 3) * density * 1000;
    const double k = 6 * pi * 18.2e-6 * r;
    Physics p;
    p.kOverM = k / m;
    p.vt = std::sqrt(9.8 / p.kOverM);
    p.lambda = 9.8 / p.vt;
    return p;
}

struct Sample {
    double x = 0, y = 0, vx = 0, vy = 0;
};

Sample derivative(const DropInputs& in, const Physics& p, const Sample& s) {
    const double u = s.vx - in.vfx;
    const double w = s.vy - in.vfy;
    return {s.vx, s.vy, -p.kOverM * u * std::abs(u), 9.8 - p.kOverM * w * std::abs(w)};
}

Sample plus(const Sample& a, const Sample& b, double f) {
    return {a.x + f * b.x, a.y + f * b.y, a.vx + f * b.vx, a.vy + f * b.vy};
}

// Fixed-step RK4 of the equations of motion; the states at the given
// (ascending) times. The step scales with the fastest rate in the case.
std::vector<Sample> integrate(const DropInputs& in, const std::vector<double>& times) {
    const Physics p = physicsOf(in.radiusMm, in.density);
    const double fastest =
        std::max({1.0, std::abs(in.vx0 - in.vfx) / p.vt, std::abs(in.vy0 - in.vfy) / p.vt});
    const double h = 5e-4 / (p.lambda * fastest);
    Sample s{0, 0, in.vx0, in.vy0};
    double now = 0;
    std::vector<Sample> out;
    for (double target : times) {
        const double span = target - now;
        const long n = std::max(0L, static_cast<long>(std::ceil(span / h)));
        const double dt = n > 0 ? span / n : 0;
        for (long i = 0; i < n; ++i) {
            const Sample k1 = derivative(in, p, s);
            const Sample k2 = derivative(in, p, plus(s, k1, dt / 2));
            const Sample k3 = derivative(in, p, plus(s, k2, dt / 2));
            const Sample k4 = derivative(in, p, plus(s, k3, dt));
            s = {s.x + dt / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
                 s.y + dt / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y),
                 s.vx + dt / 6 * (k1.vx + 2 * k2.vx + 2 * k3.vx + k4.vx),
                 s.vy + dt / 6 * (k1.vy + 2 * k2.vy + 2 * k3.vy + k4.vy)};
        }
        now = target;
        out.push_back(s);
    }
    return out;
}

bool agrees(double actual, double expected) {
    return std::abs(actual - expected) <= 1e-9 + 1e-6 * std::abs(expected);
}

#define EXPECT_CLOSE(actual, expected) EXPECT_PRED2(agrees, actual, expected) << #actual

// Velocities in units of the drop's vt: every sign combination of Vy0 and
// VFy, relative speeds below, at and above vt, and horizontal winds with,
// against and equal to the throw.
std::vector<DropInputs> grid() {
    const std::array<std::array<double, 2>, 3> drops{{{0.1, 1}, {1, 1}, {50, 7}}};
    const std::array<double, 6> vy0s{-2, -0.6, -0.2, 0, 0.3, 2.5};
    const std::array<double, 4> vfys{-1.5, -0.4, 0, 0.5};
    const std::array<std::array<double, 2>, 6> horizontals{
        {{3, -2}, {-1, 4}, {0.7, 0.7}, {0, 1}, {2, 0}, {-0.5, -3}}};
    std::vector<DropInputs> out;
    std::size_t i = 0;
    for (const auto& drop : drops) {
        const double vt = physicsOf(drop[0], drop[1]).vt;
        for (double vy0 : vy0s)
            for (double vfy : vfys) {
                const auto& hz = horizontals[i++ % horizontals.size()];
                out.push_back({drop[0], drop[1], hz[0] * vt, hz[1] * vt, vfy * vt, vy0 * vt});
            }
        out.push_back({drop[0], drop[1], 0, 0, -0.5 * vt, -0.5 * vt}); // at rest in the air
        out.push_back({drop[0], drop[1], 1, 1, 1, 1});                 // the window's defaults
        out.push_back({drop[0], drop[1], 0, 0, 0, -300 * vt});         // fast upward throw
    }
    return out;
}

// Relative apex: when the drop stops rising against the air.
double apexTime(const DropInputs& in) {
    const Physics p = physicsOf(in.radiusMm, in.density);
    const double w0 = in.vy0 - in.vfy;
    return w0 < 0 ? std::atan(-w0 / p.vt) / p.lambda : -1;
}

std::string describe(const DropInputs& in) {
    return "r=" + std::to_string(in.radiusMm) + " P=" + std::to_string(in.density) +
           " Vx0=" + std::to_string(in.vx0) + " VFx=" + std::to_string(in.vfx) +
           " VFy=" + std::to_string(in.vfy) + " Vy0=" + std::to_string(in.vy0);
}

} // namespace

TEST(DropModel, FollowsTheEquationsOfMotion) {
    for (const DropInputs& in : grid()) {
        SCOPED_TRACE(describe(in));
        const double unit = 1 / physicsOf(in.radiusMm, in.density).lambda;
        std::vector<double> times{0, 0.01 * unit, 0.3 * unit, unit, 3 * unit, 8 * unit};
        if (const double ta = apexTime(in); ta > 0) {
            times.insert(times.end(), {ta * 0.5, ta * (1 - 1e-3), ta, ta * (1 + 1e-3)});
            if (in.vy0 < -100) // the fast throw: stay near its apex
                times = {0, 1e-4 * unit, ta * 0.5, ta * (1 - 1e-3), ta, ta * (1 + 1e-3)};
        }
        std::sort(times.begin(), times.end());
        const std::vector<Sample> expected = integrate(in, times);
        for (std::size_t i = 0; i < times.size(); ++i) {
            SCOPED_TRACE("t=" + std::to_string(times[i]));
            const auto s = tryDropStateAt(in, times[i]);
            ASSERT_TRUE(s.has_value());
            EXPECT_CLOSE(s->x, expected[i].x);
            EXPECT_CLOSE(s->y, expected[i].y);
            EXPECT_CLOSE(s->vx, expected[i].vx);
            EXPECT_CLOSE(s->vy, expected[i].vy);
            EXPECT_EQ(f1(in, times[i]), s->x);
            EXPECT_EQ(f2(in, times[i]), s->y);
        }
    }
}

TEST(DropModel, TurnTimesPredictTheVelocity) {
    int withTurnX = 0, withApex = 0, withStop = 0;
    for (const DropInputs& in : grid()) {
        SCOPED_TRACE(describe(in));
        const DropState s = dropStateAt(in, 1);
        const double scale = physicsOf(in.radiusMm, in.density).vt + std::abs(in.vx0);
        if (in.vx0 * in.vfx < 0) {
            ASSERT_GT(s.turnTimeX, 0);
            ++withTurnX;
            EXPECT_NEAR(integrate(in, {s.turnTimeX})[0].vx, 0, 1e-7 * scale);
        } else {
            EXPECT_EQ(s.turnTimeX, 0);
        }
        if (in.vy0 < in.vfy) {
            ++withApex;
            EXPECT_NEAR(integrate(in, {s.turnTimeY})[0].vy, in.vfy, 1e-7 * scale);
        } else if (s.turnTimeY > 0) {
            ++withStop;
            EXPECT_TRUE(in.vfy <= in.vy0 && in.vy0 <= 0);
            EXPECT_NEAR(integrate(in, {s.turnTimeY})[0].vy, 0, 1e-7 * scale);
        } else {
            EXPECT_EQ(s.turnTimeY, 0);
        }
    }
    // The grid must reach every kind of moment.
    EXPECT_GT(withTurnX, 0);
    EXPECT_GT(withApex, 0);
    EXPECT_GT(withStop, 0);
}

TEST(DropModel, HidesDragLabelOnlyWhenSinkingAfterApexWithBothDownward) {
    struct Case {
        double vy0, vfy, tOverApex;
        bool hides;
    };
    const Case cases[] = {
        {0.5, 2, 0.5, false}, {0.5, 2, 1, true}, {0.5, 2, 2, true},
        {0, 2, 3, true},      {-1, 2, 2, false}, {-2, -1, 2, false},
        {-1, 0, 2, false},    {3, 1, 2, false},  {-1, 0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.vy0) + " " + std::to_string(c.vfy));
        const DropInputs in{1, 1, 1, 1, c.vfy, c.vy0};
        const double ta = apexTime(in) > 0 ? apexTime(in) : 1.0;
        EXPECT_EQ(dropStateAt(in, ta * c.tOverApex).hidesDragLabel, c.hides);
    }
}

TEST(DropModel, TerminalSpeedBoundaryStaysFinite) {
    // With w0 == vt in doubles, m g - k w0^2 is exactly 0 for some drops and
    // a rounding residue for others (r = 1, P = 7 and r = 50, P = 7).
    const double inf = std::numeric_limits<double>::infinity();
    for (const DropInputs base : {DropInputs{1, 1}, DropInputs{1, 7}, DropInputs{50, 7}}) {
        const double vt = dropConstants(base).vt;
        for (double vfy : {0.0, 2.0, -3.0}) {
            for (double vy0 : {vfy + vt, vfy + vt * (1 + 1e-16), std::nextafter(vfy + vt, inf),
                               std::nextafter(vfy + vt, -inf)}) {
                DropInputs in = base;
                in.vfy = vfy;
                in.vy0 = vy0;
                for (double t : {0.0, 0.5, 10.0, 1e6}) {
                    SCOPED_TRACE(describe(in) + " t=" + std::to_string(t));
                    const auto s = tryDropStateAt(in, t);
                    ASSERT_TRUE(s.has_value());
                    EXPECT_NEAR(s->vy, vfy + vt, 1e-12 * vt);
                    EXPECT_NEAR(s->y, (vfy + vt) * t, 1e-9 * (1 + vt * t));
                }
            }
        }
    }
}

TEST(DropModel, LongFlightsReachTerminalMotion) {
    for (const DropInputs& in : grid()) {
        SCOPED_TRACE(describe(in));
        const Physics p = physicsOf(in.radiusMm, in.density);
        const double t1 = 1e5 / p.lambda, t2 = 1e6 / p.lambda;
        const auto a = tryDropStateAt(in, t1);
        const auto b = tryDropStateAt(in, t2);
        ASSERT_TRUE(a.has_value());
        ASSERT_TRUE(b.has_value());
        EXPECT_NEAR(b->vy, in.vfy + p.vt, 1e-9 * p.vt);
        EXPECT_NEAR(b->y - a->y, (in.vfy + p.vt) * (t2 - t1), 1e-9 * p.vt * t2);
        EXPECT_NEAR(b->vx, in.vfx, 1e-5 * p.vt);
    }
}

TEST(DropModel, ReportsArithmeticErrors) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const DropInputs fine{1, 1, 1, 1, 1, 1};
    struct Case {
        DropInputs in;
        double t;
    };
    const Case cases[] = {
        {{0, 1, 1, 1, 1, 1}, 1},
        {{0, 1, 0, 0, 0, 0}, 1},
        {{1, 0, 1, 1, 1, 1}, 1},
        {{1, -1, 1, 1, 1, 1}, 1},
        {{inf, 1, 1, 1, 1, 1}, 1},
        {{1, 1, nan, 1, 1, 1}, 1},
        {{1, 1, 1, 1, inf, 1}, 1},
        {fine, -1},
        {fine, nan},
        {fine, inf},
        {{1, 1, 1e308, -1e308, 0, 0}, 1e10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.in) + " t=" + std::to_string(c.t));
        EXPECT_FALSE(tryDropStateAt(c.in, c.t).has_value());
    }
    // Once the reported time evaluates, every earlier sample is finite too.
    for (const DropInputs& in : grid()) {
        const double t = 50 / physicsOf(in.radiusMm, in.density).lambda;
        ASSERT_TRUE(tryDropStateAt(in, t).has_value());
        for (int i = 0; i <= 100; ++i) {
            EXPECT_TRUE(std::isfinite(f1(in, t * i / 100)));
            EXPECT_TRUE(std::isfinite(f2(in, t * i / 100)));
        }
    }
}

TEST(Wc, RoundsToSixDecimalsHalvesUp) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1.0 / 3, "0.333333"},
        {2.0 / 3, "0.666667"},
        {-1.0 / 3, "-0.333333"},
        {-2.0 / 3, "-0.666667"},
        {-0.5, "-0.5"},
        {2, "2"},
        {0, "0"},
        {-0.0, "0"},
        {-1e-9, "0"},
        {0.0000004, "0"},
        {0.0000006, "0.000001"},
        {3.5e-5, "0.000035"},                 // value * 1e7 rounds below 350
        {1.4999999999999999e-05, "0.000015"}, // value * 1e7 rounds up to 150
        {123456.7, "123456.7"},
        {-42.1234567, "-42.123457"},
        {1e20, "1E+20"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wc(c.value).toStdString(), c.text) << c.value;
}
