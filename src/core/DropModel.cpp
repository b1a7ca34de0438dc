#include "core/DropModel.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <cmath>

namespace quorin {

namespace {

struct Axis {
    double position = 0;
    double velocity = 0;
};

struct Vertical {
    double y = 0, vy = 0, turnTimeY = 0;
    bool hidesDragLabel = false;
};

// Drag against the horizontal relative speed u: du/dt = -(k/m) u^2.
Axis horizontal(const DropConstants& c, const DropInputs& in, double t) {
    const double u0 = std::abs(in.vfx - in.vx0);
    const double u = u0 * c.m / (c.m + c.k * u0 * t);
    const double d = (c.m / c.k) * std::log1p(c.k * u0 * t / c.m);
    if (in.vx0 < in.vfx) // wind faster
        return {in.vfx * t - d, in.vfx - u};
    if (in.vx0 == in.vfx)
        return {in.vfx * t, in.vfx};
    return {in.vfx * t + d, in.vfx + u}; // drop faster
}

double turnTimeX(const DropConstants& c, const DropInputs& in) {
    if (!(in.vfx * in.vx0 < 0))
        return 0;
    const double u0 = std::abs(in.vfx - in.vx0);
    return (c.m / c.k) * (1 / std::abs(in.vfx) - 1 / u0);
}

// Sinking relative to the air from speed ws >= 0 over phase time tau:
// relative velocity w and relative displacement s.
Axis sinking(const DropConstants& c, double ws, double tau) {
    const double balance = c.m * dropGravity - c.k * ws * ws;
    if (balance == 0) // exactly at terminal speed: uniform motion
        return {c.vt * tau, c.vt};
    // Below vt the solution is the tanh one, above vt the coth one. Written
    // with F = e^(-2 lambda tau) = 1/E and with Q's denominator (vt - ws)
    // multiplied through, both become the expressions below: nothing
    // overflows for large tau and nothing divides by vt - ws, which may
    // round to 0 while the balance above does not.
    const double d = ws - c.vt;
    const double F = std::exp(-2 * c.lambda * tau);
    const double G = -std::expm1(-2 * c.lambda * tau); // 1 - F, exact for small tau
    const double w = c.vt * (ws + c.vt + F * d) / (ws + c.vt - F * d);
    const double s = c.vt * tau + (c.m / c.k) * std::log1p(G * d / (2 * c.vt));
    return {s, w};
}

Vertical vertical(const DropConstants& c, const DropInputs& in, double t) {
    Vertical out;
    const double w0 = in.vy0 - in.vfy;
    if (w0 < 0) {
        // Rising against the air until the relative apex ta; z = tan(lambda ta).
        const double z = -w0 / c.vt;
        const double ta = std::atan(z) / c.lambda;
        out.turnTimeY = ta;
        const bool bothDown = in.vy0 >= 0 && in.vfy >= 0;
        if (bothDown ? t < ta : t <= ta) {
            // tan(lambda (ta - t)) and cos(lambda (ta - t)) / cos(lambda ta)
            // expanded, so a fast throw (ta near pi / 2 lambda) keeps its digits.
            const double cb = std::cos(c.lambda * t);
            const double sb = std::sin(c.lambda * t);
            const double w = -c.vt * (z * cb - sb) / (cb + z * sb);
            const double s = -(c.m / c.k) * std::log(cb + z * sb);
            out.y = in.vfy * t + s;
            out.vy = in.vfy + w;
        } else {
            const double tau = t - ta;
            // ln(1 / cos(atan z)) = ln(hypot(1, z))
            const double yApex = in.vfy * ta - (c.m / c.k) * std::log(std::hypot(1.0, z));
            const Axis rel = sinking(c, 0, tau);
            out.y = yApex + in.vfy * tau + rel.position;
            out.vy = in.vfy + rel.velocity;
            out.hidesDragLabel = bothDown;
        }
        return out;
    }
    const Axis rel = sinking(c, w0, t);
    out.y = in.vfy * t + rel.position;
    out.vy = in.vfy + rel.velocity;
    // Falling against an upward wind weaker than vt: the moment vy reaches 0.
    if (in.vfy <= in.vy0 && in.vy0 <= 0 && w0 < c.vt && std::abs(in.vfy) < c.vt)
        out.turnTimeY = (std::atanh(std::abs(in.vfy) / c.vt) - std::atanh(w0 / c.vt)) / c.lambda;
    return out;
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

DropState dropStateAt(const DropInputs& in, double t) {
    const DropConstants c = dropConstants(in);
    const Axis h = horizontal(c, in, t);
    const Vertical v = vertical(c, in, t);
    DropState s;
    s.x = h.position;
    s.vx = h.velocity;
    s.y = v.y;
    s.vy = v.vy;
    s.turnTimeX = turnTimeX(c, in);
    s.turnTimeY = v.turnTimeY;
    s.hidesDragLabel = v.hidesDragLabel;
    return s;
}

std::optional<DropState> tryDropStateAt(const DropInputs& in, double t) {
    if (!std::isfinite(t) || t < 0)
        return std::nullopt;
    const DropConstants c = dropConstants(in);
    // m and k are both negative for a negative radius; the motion only sees
    // their ratio, which must be positive (a negative density is refused).
    const auto finiteNonZero = [](double v) { return std::isfinite(v) && v != 0; };
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (!finiteNonZero(c.m) || !finiteNonZero(c.k) || !positive(c.vt) || !positive(c.lambda))
        return std::nullopt;
    const DropState s = dropStateAt(in, t);
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
    return horizontal(dropConstants(in), in, t).position;
}

double f2(const DropInputs& in, double t) {
    return vertical(dropConstants(in), in, t).y;
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
