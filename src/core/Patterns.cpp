#include "core/Patterns.h"
#include "platform/NumberText.h"
#include <cmath>

namespace quorin {

namespace {

const double pi = 4 * std::atan(1.0);

struct Emit {
    const std::function<bool(const PatternStep&)>& step;
    bool point(double x, double y) const { return step({PatternStep::Point, x, y, x, y}); }
    bool line(double x1, double y1, double x2, double y2) const {
        return step({PatternStep::Line, x1, y1, x2, y2});
    }
    bool pause() const { return step({PatternStep::Pause}); }
};

// theta from `from` to 2 pi + d theta by d theta; the body returns false to
// stop.
template <class Body> void overTurn(double from, double dTheta, Body&& body) {
    forStep(from, 2 * pi + dTheta, dTheta, body);
}

void egg(const PatternParams& p, const Emit& e) {
    const double dTheta = 2 * pi / 1000, ry = 0.9 * p.yb;
    if (!e.point(p.zx, p.zy) || !e.point(p.zx, p.zy + ry))
        return;
    overTurn(dTheta, dTheta, [&](double th) {
        if (!e.pause())
            return false;
        const double r = ry * std::cos(p.eggPhase + p.eggRate * th);
        const double c = std::cos(p.eggRate * th), s = std::sin(p.eggRate * th);
        // The far ends are built from (zy, zx), as the pattern always was.
        return e.line(0, r, p.zy - r * c, p.zx - r * s) && e.line(0, r, p.zy + r * c, p.zx + r * s);
    });
}

void gold(const PatternParams& p, const Emit& e) {
    const double dTheta = 2 * pi / 1000;
    if (!e.point(p.zx, p.zy) || !e.point(p.zx, p.zy + 0.9 * p.yb))
        return;
    overTurn(0, dTheta, [&](double th) {
        const double r = 1 / std::cos(p.goldPhase + th);
        return e.line(0, r, p.zx + r * std::cos(th), p.zy + r * std::sin(th)) && e.pause();
    });
}

void shell(const PatternParams& p, const Emit& e) {
    overTurn(0, 2 * pi / 500, [&](double th) {
        const double r1 = 1 / std::cos(th + p.goldPhase);
        const double eggAngle = p.eggRate * th;
        const double r = 0.9 * p.yb * std::cos(eggAngle + p.eggPhase);
        const double B = p.goldRate * th + p.goldPhase, b = 8 / std::cos(B);
        const double E = p.goldRate * th + 0.1, r2 = 8 / std::cos(E);
        const double A = (p.goody + 1) * th + p.goodt + 0.00001, r3 = 1 / std::cos(A) + 3;
        return e.line(0, r1, p.zx + r1 * std::cos(th), p.zy + r1 * std::sin(th)) &&
               e.line(0, r, p.zy - r * std::cos(eggAngle), p.zx - r * std::sin(eggAngle)) &&
               e.line(0, r, p.zy + r * std::cos(eggAngle), p.zx + r * std::sin(eggAngle)) &&
               e.line(0, r2, p.zx + r2 * std::cos(E), p.zy + r2 * std::sin(E)) &&
               e.line(0, b, p.zx - b * std::cos(B), p.zy - b * std::sin(B)) &&
               e.line(0, r3, p.zx + r3 * std::cos(A), p.zy + r3 * std::sin(A)) && e.pause();
    });
}

void growth(const PatternParams& p, const Emit& e) {
    overTurn(0, 2 * pi / 300, [&](double th) {
        const double A = (p.growthRate + 1) * th + p.growthPhase + 0.00001;
        const double r1 = 1 / std::cos(A) + 3;
        const double B = p.growthRate * th + p.growthPhase, b = 8 / std::cos(B);
        const double E = p.growthRate * th + 0.1, r2 = 8 / std::cos(E);
        return e.line(0, r1, p.zx + r1 * std::cos(A), p.zy + r1 * std::sin(A)) && e.pause() &&
               e.line(0, r2, p.zx + r2 * std::cos(E), p.zy + r2 * std::sin(E)) && e.pause() &&
               e.line(0, b, p.zx - b * std::cos(B), p.zy - b * std::sin(B));
    });
}

void tower(const PatternParams& p, const Emit& e) {
    overTurn(0, 2 * pi / 1000, [&](double th) {
        const double r = 1 / std::cos(th + 30);
        return e.pause() && e.line(0, r, p.zx + r * std::cos(th), p.zy + r * std::sin(th));
    });
}

void light(const PatternParams& p, const Emit& e) {
    overTurn(0, 2 * pi / 600, [&](double th) {
        const double r = 8 / std::cos(7 * th + 30);
        const double D = 7 * th + 0.1;
        return e.pause() && e.line(0, r, p.zx + r * std::cos(D), p.zy + r * std::sin(D));
    });
}

} // namespace

void patternSteps(PatternKind kind, const PatternParams& p,
                  const std::function<bool(const PatternStep&)>& step) {
    const Emit e{step};
    switch (kind) {
    case PatternKind::Egg:
        egg(p, e);
        return;
    case PatternKind::Gold:
        gold(p, e);
        return;
    default:
        break;
    }
    // The other patterns start at (zx, zy + 0.9 yb).
    if (!e.point(p.zx, p.zy + 0.9 * p.yb))
        return;
    switch (kind) {
    case PatternKind::Shell:
        shell(p, e);
        break;
    case PatternKind::Growth:
        growth(p, e);
        break;
    case PatternKind::Tower:
        tower(p, e);
        break;
    case PatternKind::Light:
        light(p, e);
        break;
    default:
        break;
    }
}

} // namespace quorin
