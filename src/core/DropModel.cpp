#include "core/DropModel.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

namespace quorin {

namespace {

// Where the drag force k w^2 balances the weight: the sinking speed stays vt.
bool atTerminalSpeed(const DropConstants& c, double ws) {
    return c.m * dropGravity - c.k * ws * ws == 0;
}

// Along a path, log1p(v) moves by log1p(b) - log1p(a) = log((1 + b) / (1 + a))
// = 2 atanh(u) with u = (b - a) / (2 + a + b) from one sample to the next.
// For |u| <= 1/128 the series below stops where the next term, u^8 / 9 of the
// first, is under 2^-56: a few multiplications instead of a library call.
constexpr double seriesLimit = 1.0 / 128;

inline double twoAtanh(double u) {
    const double u2 = u * u;
    return 2 * u * (1 + u2 * (1.0 / 3 + u2 * (1.0 / 5 + u2 * (1.0 / 7))));
}

// The increments' roundings add up, so a path takes the closed form again
// every so many samples: a sample is never more than that many roundings off.
constexpr int closedFormEvery = 64;

// log1p(v) followed along a path: moves v on by dv and value = log1p(v)
// with it. False where the step is too large for the series (or not a
// number): the caller evaluates the closed form then.
inline bool advanceLog1p(double& v, double& value, double dv) {
    const double u = dv / (2 + 2 * v + dv);
    if (!(std::abs(u) <= seriesLimit))
        return false;
    value += twoAtanh(u);
    v += dv;
    return true;
}

} // namespace

DropConstants dropConstants(const DropInputs& in) {
    const double pi = 4 * std::atan(1.0);
    const double r = in.radiusMm * 1e-3;
    const double rho = in.density * 1e3;
    DropConstants c;
    c.m = 4.0 / 3.0 * pi * r * r * r * rho;
    c.k = 6 * pi * 18.2e-6 * r;
    c.vt = std::sqrt(c.m * dropGravity / c.k);
    c.lambda = std::sqrt(dropGravity * c.k / c.m);
    return c;
}

// Every member below is the subexpression the formulas use, computed the same
// way, so a sample costs less and rounds exactly as before.
DropMotion::DropMotion(const DropInputs& in) : in_(in), c_(dropConstants(in)) {
    mOverK_ = c_.m / c_.k;
    minusTwoLambda_ = -2 * c_.lambda;
    twoVt_ = 2 * c_.vt;
    u0_ = std::abs(in.vfx - in.vx0);
    ku0_ = c_.k * u0_;
    u0m_ = u0_ * c_.m;
    if (in.vfx * in.vx0 < 0)
        turnTimeX_ = mOverK_ * (1 / std::abs(in.vfx) - 1 / u0_);

    w0_ = in.vy0 - in.vfy;
    fromStart_ = {w0_, w0_ - c_.vt, atTerminalSpeed(c_, w0_)};
    fromApex_ = {0, 0 - c_.vt, atTerminalSpeed(c_, 0)};
    if (w0_ < 0) {
        // Rising against the air until the relative apex ta; z = tan(lambda ta).
        z_ = -w0_ / c_.vt;
        ta_ = std::atan(z_) / c_.lambda;
        turnTimeY_ = ta_;
        bothDown_ = in.vy0 >= 0 && in.vfy >= 0;
        // ln(1 / cos(atan z)) = ln(hypot(1, z))
        yApex_ = in.vfy * ta_ - mOverK_ * std::log(std::hypot(1.0, z_));
    } else if (in.vfy <= in.vy0 && in.vy0 <= 0 && w0_ < c_.vt && std::abs(in.vfy) < c_.vt) {
        // Falling against an upward wind weaker than vt: the moment vy reaches 0.
        turnTimeY_ = (std::atanh(std::abs(in.vfy) / c_.vt) - std::atanh(w0_ / c_.vt)) / c_.lambda;
    }
}

// Drag against the horizontal relative speed u: du/dt = -(k/m) u^2.
DropMotion::Axis DropMotion::horizontal(double t) const {
    if (in_.vx0 == in_.vfx)
        return {in_.vfx * t, in_.vfx};
    const double u = u0m_ / (c_.m + ku0_ * t);
    const double d = mOverK_ * std::log1p(ku0_ * t / c_.m);
    if (in_.vx0 < in_.vfx) // wind faster
        return {in_.vfx * t - d, in_.vfx - u};
    return {in_.vfx * t + d, in_.vfx + u}; // drop faster
}

// Sinking relative to the air from speed ws >= 0 over phase time tau:
// relative velocity w and relative displacement s.
DropMotion::Axis DropMotion::sinking(const Sinking& from, double tau, bool withVelocity) const {
    if (from.atTerminal) // uniform motion
        return {c_.vt * tau, c_.vt};
    // Below vt the solution is the tanh one, above vt the coth one. Written
    // with F = e^(-2 lambda tau) = 1/E and with Q's denominator (vt - ws)
    // multiplied through, both become the expressions below: nothing
    // overflows for large tau and nothing divides by vt - ws, which may
    // round to 0 while the balance does not.
    const double d = from.d;
    const double G = -std::expm1(minusTwoLambda_ * tau); // 1 - F, exact for small tau
    Axis out;
    out.position = c_.vt * tau + mOverK_ * std::log1p(G * d / twoVt_);
    if (withVelocity) {
        const double F = std::exp(minusTwoLambda_ * tau);
        out.velocity = c_.vt * (from.ws + c_.vt + F * d) / (from.ws + c_.vt - F * d);
    }
    return out;
}

DropMotion::Axis DropMotion::vertical(double t, bool withVelocity) const {
    if (rising(t)) {
        // tan(lambda (ta - t)) and cos(lambda (ta - t)) / cos(lambda ta)
        // expanded, so a fast throw (ta near pi / 2 lambda) keeps its digits.
        const double cb = std::cos(c_.lambda * t);
        const double sb = std::sin(c_.lambda * t);
        const double w = -c_.vt * (z_ * cb - sb) / (cb + z_ * sb);
        const double s = -mOverK_ * std::log(cb + z_ * sb);
        return {in_.vfy * t + s, in_.vfy + w};
    }
    if (w0_ < 0) {
        const double tau = t - ta_;
        const Axis rel = sinking(fromApex_, tau, withVelocity);
        return {yApex_ + in_.vfy * tau + rel.position, in_.vfy + rel.velocity};
    }
    const Axis rel = sinking(fromStart_, t, withVelocity);
    return {in_.vfy * t + rel.position, in_.vfy + rel.velocity};
}

double DropMotion::x(double t) const {
    return horizontal(t).position;
}

double DropMotion::y(double t) const {
    return vertical(t, false).position;
}

DropState DropMotion::stateAt(double t) const {
    const Axis h = horizontal(t);
    const Axis v = vertical(t, true);
    DropState s;
    s.x = h.position;
    s.vx = h.velocity;
    s.y = v.position;
    s.vy = v.velocity;
    s.turnTimeX = turnTimeX_;
    s.turnTimeY = turnTimeY_;
    // Sinking after a relative apex with both downward.
    s.hidesDragLabel = w0_ < 0 && bothDown_ && !rising(t);
    return s;
}

bool DropMotion::appendPath(double t, double step, std::vector<PathPoint>& out) const {
    const std::size_t first = out.size();
    if (!forStep(0.0, t, step, [&](double s) { out.push_back({s, in_.vfx * s, 0}); }))
        return false;
    const std::span<PathPoint> path(out.data() + first, out.size() - first);
    if (in_.vx0 != in_.vfx)
        followDrag(path);
    // Rising comes first, sinking after it.
    const auto sinkingFrom = std::partition_point(path.begin(), path.end(),
                                                  [&](const PathPoint& p) { return rising(p.s); });
    followRising(path.first(std::size_t(sinkingFrom - path.begin())), step);
    followSinking(path.subspan(std::size_t(sinkingFrom - path.begin())), step);
    return true;
}

// Between the samples where the closed form is taken, each log1p moves by
// its increment from what moved its argument: here s, in k u0 s / m.
void DropMotion::followDrag(std::span<PathPoint> path) const {
    // Locals: the writes into the path could otherwise touch any member.
    const double rate = ku0_ / c_.m, ku0 = ku0_, m = c_.m;
    const double vfx = in_.vfx, drag = in_.vx0 < in_.vfx ? -mOverK_ : mOverK_;
    double v = 0, value = 0, previous = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const double s = path[i].s;
        const double dv = rate * (s - previous);
        previous = s;
        if (i % closedFormEvery == 0 || !advanceLog1p(v, value, dv)) {
            v = ku0 * s / m;
            value = std::log1p(v);
        }
        path[i].x = vfx * s + drag * value;
    }
}

// While rising: cos and sin of lambda s, turned on by lambda step, and
// log1p of cos + z sin - 1.
void DropMotion::followRising(std::span<PathPoint> path, double step) const {
    const double halfTurn = std::sin(c_.lambda * step / 2);
    const double turnCosGap = -2 * halfTurn * halfTurn; // cos(lambda step) - 1
    const double turnSin = std::sin(c_.lambda * step);
    // Locals: the writes into the path could otherwise touch any member.
    const double z = z_, lambda = c_.lambda, vfy = in_.vfy, minusMOverK = -mOverK_;
    double cb = 0, sb = 0, v = 0, value = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const double s = path[i].s;
        const double dcb = cb * turnCosGap - sb * turnSin;
        const double dsb = sb * turnCosGap + cb * turnSin;
        cb += dcb;
        sb += dsb;
        if (i % closedFormEvery == 0 || !advanceLog1p(v, value, dcb + z * dsb)) {
            cb = std::cos(lambda * s);
            sb = std::sin(lambda * s);
            const double c = cb + z * sb;
            v = c - 1;
            value = std::log(c);
        }
        path[i].y = vfy * s + minusMOverK * value; // as vertical() has it
    }
}

// While sinking: F = e^(-2 lambda tau) decays by e^(-2 lambda step), and
// log1p(G d / 2 vt) follows G = 1 - F.
void DropMotion::followSinking(std::span<PathPoint> path, double step) const {
    const Sinking& from = w0_ < 0 ? fromApex_ : fromStart_;
    if (from.atTerminal) { // uniform motion: nothing to follow
        for (PathPoint& p : path)
            p.y = y(p.s);
        return;
    }
    const double decay = std::exp(minusTwoLambda_ * step);
    const double decayGap = -std::expm1(minusTwoLambda_ * step); // 1 - decay
    const double rate = from.d / twoVt_;
    // Locals: the writes into the path could otherwise touch any member.
    const bool apex = w0_ < 0;
    const double ta = ta_, yApex = yApex_, vfy = in_.vfy, vt = c_.vt, mOverK = mOverK_;
    const double d = from.d, twoVt = twoVt_, minusTwoLambda = minusTwoLambda_;
    double F = 0, v = 0, value = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const double s = path[i].s, tau = apex ? s - ta : s;
        const double dG = F * decayGap;
        F *= decay;
        if (i % closedFormEvery == 0 || !advanceLog1p(v, value, dG * rate)) {
            const double G = -std::expm1(minusTwoLambda * tau);
            F = std::exp(minusTwoLambda * tau);
            v = G * d / twoVt;
            value = std::log1p(v);
        }
        // As sinking() and vertical() have it.
        const double relative = vt * tau + mOverK * value;
        path[i].y = apex ? yApex + vfy * tau + relative : vfy * s + relative;
    }
}

DropState dropStateAt(const DropInputs& in, double t) {
    return DropMotion(in).stateAt(t);
}

std::optional<DropState> tryDropStateAt(const DropInputs& in, double t) {
    if (!std::isfinite(t) || t < 0)
        return std::nullopt;
    const DropMotion motion(in);
    const DropConstants& c = motion.constants();
    // m and k are both negative for a negative radius; the motion only sees
    // their ratio, which must be positive (a negative density is refused).
    const auto finiteNonZero = [](double v) { return std::isfinite(v) && v != 0; };
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (!finiteNonZero(c.m) || !finiteNonZero(c.k) || !positive(c.vt) || !positive(c.lambda))
        return std::nullopt;
    const DropState s = motion.stateAt(t);
    for (double v : {s.x, s.y, s.vx, s.vy, s.turnTimeX, s.turnTimeY})
        if (!std::isfinite(v))
            return std::nullopt;
    return s;
}

double relativeApexTime(const DropInputs& in) {
    const DropConstants c = dropConstants(in);
    return std::atan(std::abs(in.vy0 - in.vfy) / c.vt) / c.lambda;
}

double f1(const DropInputs& in, double t) {
    return DropMotion(in).x(t);
}

double f2(const DropInputs& in, double t) {
    return DropMotion(in).y(t);
}

QString wc(double value) {
    const double a = Int(value * 1e7);
    double b = Int(value * 1e6);
    if (!std::isfinite(a) || !std::isfinite(b))
        return numberToText(value);
    // value * 1e7 and value * 1e6 round separately; keep the digit a digit.
    const double d = std::clamp(a - 10 * b, 0.0, 9.0);
    if (d >= 5)
        b += 1;
    QString text = numberToText(b / 1e6 + 0.0); // + 0.0: no "-0"
    // Where the default conversion drops the leading zero (".5", "-.5").
    if (text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
    else if (text.startsWith(QLatin1String("-.")))
        text.insert(1, QLatin1Char('0'));
    return text;
}

} // namespace quorin
