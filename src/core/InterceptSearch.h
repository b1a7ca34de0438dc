#pragma once
#include "core/DropModel.h"
#include "core/PlotSampling.h"
#include <functional>
#include <optional>
#include <vector>

namespace quorin {

// The launch-angle search of the interception: an interceptor with the
// projectile's speed starts at the origin; candidate angles are tried in turn
// until one of its sampled points lies within the tolerance of the target.
// Angles are in degrees; y grows downward, so 270 is straight up.

// The interceptor's speed: the projectile's, sqrt(Vx0^2 + Vy0^2).
double interceptSpeed(const DropInputs& drop);

// The tolerance fraction of a tolerance in percent, rounded to 6 decimals.
double interceptTolerance(double percent);

// Degrees from one candidate to the next: -0.1 below 0.01, -0.125 from 0.01
// to 0.02, -0.25 above.
double interceptAngleStep(double tolerance);

// The quarter turn searched, from its start angle down to its end angle.
struct AngleRange {
    double start = 0, end = 0;
};

// The quadrant of the target: (x >= 0, y <= 0) 360 - 270, (x <= 0, y <= 0)
// 270 - 180, (x <= 0, y >= 0) 180 - 90, (x >= 0, y >= 0) 90 - 0, tested in
// this order with a later match replacing an earlier one: a target on an axis
// takes the last row it matches, the origin 90 - 0.
AngleRange interceptAngleRange(double x, double y);

// The values of one coordinate that hit the target coordinate T:
// (1 - tol) T .. (1 + tol) T for T >= 0, (1 + tol) T .. (1 - tol) T for T < 0;
// 0 alone for T = 0. A negative tolerance hits nothing.
struct HitBand {
    double low = 0, high = 0;
    bool contains(double v) const { return low <= v && v <= high; }
};
HitBand hitBand(double target, double tolerance);

// What the search reads once, from the main window's fields.
struct InterceptTask {
    DropInputs drop; // the projectile: its speed, radius, density and winds
    double t = 0;    // flight time, above 0
    double targetX = 0, targetY = 0;
    double tolerancePercent = 0;
};

// Samples of one candidate path: t / 100 apart.
inline constexpr int interceptPathSteps = 100;

// One candidate angle: the interceptor's start velocity, its path sampled at
// 0, Q, 2Q, ... <= t (Q = t / 100) and the half-range of the square window
// that path needs.
struct InterceptCandidate {
    double angle = 0;
    double fvx0 = 0, fvy0 = 0;
    DropInputs interceptor; // the projectile's inputs with fvx0, fvy0
    std::vector<PathPoint> path;
    double window = 0;
    // The first sample within both bands, when there is one.
    std::optional<std::size_t> hit;
};

struct InterceptHit {
    double angle = 0, time = 0, fvx0 = 0, fvy0 = 0;
    double radiusUnit = 0; // window / 100: the hit rings' unit
};

struct InterceptOutcome {
    enum class End {
        Exhausted,   // every angle of the range tried, no hit
        Hit,         // stopped at the first hit
        Stopped,     // the caller asked to stop
        Unevaluable, // the model gives no finite path (radius or density 0, overflow)
    };
    End end = End::Exhausted;
    std::optional<InterceptHit> hit;
    int candidates = 0; // handed to the caller
};

// Tries the angles of the target's quadrant in order. `each` sees every
// candidate (the hitting one included) and returns false to stop the search.
// A task whose time is not above 0 has no candidates.
InterceptOutcome searchIntercept(const InterceptTask& task,
                                 const std::function<bool(const InterceptCandidate&)>& each);

} // namespace quorin
