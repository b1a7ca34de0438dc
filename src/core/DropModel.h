#pragma once
#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace quorin {

// What the main window's entry fields hold: radius in millimetres, density
// relative to water, velocities in m/s. Vertical values are positive downward.
struct DropInputs {
    double radiusMm = 0, density = 0, vx0 = 0, vfx = 0, vfy = 0, vy0 = 0;
};

// The drop at one moment. turnTimeX: when vx passes through 0 (wind against
// the throw), else 0. turnTimeY: the relative apex when the drop first rises
// against the air; when it falls with an upward wind weaker than vt, the moment
// the absolute vertical velocity reaches 0; else 0.
struct DropState {
    double x = 0, y = 0, vx = 0, vy = 0, turnTimeX = 0, turnTimeY = 0;
    // Sinking after a relative apex with Vy0 >= 0 and VFy >= 0: the main
    // window hides its drag label then.
    bool hidesDragLabel = false;
};

// Constants derived from the inputs at every evaluation.
struct DropConstants {
    double m = 0;      // mass, kg
    double k = 0;      // drag coefficient (drag force k * w^2)
    double vt = 0;     // terminal speed relative to the air, sqrt(m g / k)
    double lambda = 0; // rate, sqrt(g k / m)
};

inline constexpr double dropGravity = 9.8;

// One sample of a path: the time and the displacement then.
struct PathPoint {
    double s = 0, x = 0, y = 0;
};

DropConstants dropConstants(const DropInputs& in);

// The motion of one drop with everything that does not depend on t worked out
// once, so a path of many samples pays only for what changes along it. Its x,
// y and stateAt are f1, f2 and dropStateAt bit for bit: those are written with
// it.
class DropMotion {
public:
    explicit DropMotion(const DropInputs& in);

    const DropInputs& inputs() const { return in_; }
    const DropConstants& constants() const { return c_; }

    double x(double t) const; // f1
    double y(double t) const; // f2
    DropState stateAt(double t) const;

    // The path at s = 0, step, 2 step, ... <= t (the grid forStep walks),
    // appended to `out`; false when forStep refuses the grid. For drawing and
    // hit tests: a sample differs from x(s), y(s) by about 1e-12 of the path's
    // extent at most (a pixel is 1e-3 of it), at a fraction of their cost.
    bool appendPath(double t, double step, std::vector<PathPoint>& out) const;

private:
    struct Axis {
        double position = 0;
        double velocity = 0;
    };
    // Sinking relative to the air from a relative speed fixed per drop.
    struct Sinking {
        double ws = 0, d = 0;
        bool atTerminal = false;
    };
    Axis horizontal(double t) const;
    Axis sinking(const Sinking& from, double tau, bool withVelocity) const;
    Axis vertical(double t, bool withVelocity) const;
    void followDrag(std::span<PathPoint> path) const;
    void followRising(std::span<PathPoint> path, double step) const;
    void followSinking(std::span<PathPoint> path, double step) const;
    bool rising(double t) const { return w0_ < 0 && (bothDown_ ? t < ta_ : t <= ta_); }

    DropInputs in_;
    DropConstants c_;
    double mOverK_ = 0, minusTwoLambda_ = 0, twoVt_ = 0;
    double u0_ = 0, ku0_ = 0, u0m_ = 0;
    double w0_ = 0, z_ = 0, ta_ = 0, yApex_ = 0;
    bool bothDown_ = false;
    Sinking fromStart_, fromApex_;
    double turnTimeX_ = 0, turnTimeY_ = 0;
};

// Closed-form motion at time t >= 0 (the formulas describe forward motion only).
// Radius or density 0, a negative density or an overflow give NaN or infinite
// fields here; ask tryDropStateAt when that must be known.
DropState dropStateAt(const DropInputs& in, double t);

// The same, or nothing when the evaluation is an arithmetic error: m or k is
// 0, the constants are not positive and finite, t is negative or not finite,
// or any result is not finite.
std::optional<DropState> tryDropStateAt(const DropInputs& in, double t);

// The relative apex time ta = atan(|w0| / vt) / lambda with w0 = Vy0 - VFy:
// when the drop, rising against the air, stops relative to it. Meaningful
// where w0 <= 0 (0 when w0 = 0).
double relativeApexTime(const DropInputs& in);

// Horizontal and vertical (downward positive) displacement alone. Once
// tryDropStateAt succeeds at some T, these are finite for every t in [0, T].
double f1(const DropInputs& in, double t);
double f2(const DropInputs& in, double t);

// Rounds to 6 decimals, halves upward, and writes the result the default way
// with a leading zero ("0.333333", "-0.5", "2"). Non-finite values come back
// as numberToText writes them ("NaN", "Infinity").
QString wc(double value);

} // namespace quorin
