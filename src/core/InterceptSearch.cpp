#include "core/InterceptSearch.h"
#include "core/CanvasMotion.h"
#include "platform/NumberText.h"
#include <cmath>
#include <limits>
#include <numbers>

namespace quorin {

double interceptSpeed(const DropInputs& drop) {
    return std::sqrt(drop.vx0 * drop.vx0 + drop.vy0 * drop.vy0);
}

double interceptTolerance(double percent) {
    return canvasround::wc(percent * 0.01);
}

double interceptAngleStep(double tolerance) {
    if (tolerance < 0.01)
        return -0.1;
    if (tolerance <= 0.02)
        return -0.125;
    return -0.25;
}

AngleRange interceptAngleRange(double x, double y) {
    AngleRange r;
    if (x >= 0 && y <= 0)
        r = {360, 270};
    if (x <= 0 && y <= 0)
        r = {270, 180};
    if (x <= 0 && y >= 0)
        r = {180, 90};
    if (x >= 0 && y >= 0)
        r = {90, 0};
    return r;
}

HitBand hitBand(double target, double tolerance) {
    if (tolerance < 0) {
        constexpr double inf = std::numeric_limits<double>::infinity();
        return {inf, -inf};
    }
    if (target >= 0)
        return {(1 - tolerance) * target, (1 + tolerance) * target};
    return {(1 + tolerance) * target, (1 - tolerance) * target};
}

InterceptOutcome searchIntercept(const InterceptTask& task,
                                 const std::function<bool(const InterceptCandidate&)>& each) {
    InterceptOutcome out;
    if (!(task.t > 0))
        return out;
    const double tol = interceptTolerance(task.tolerancePercent);
    const HitBand bandX = hitBand(task.targetX, tol), bandY = hitBand(task.targetY, tol);
    const AngleRange range = interceptAngleRange(task.targetX, task.targetY);
    const double fv = interceptSpeed(task.drop);
    constexpr double fullTurn = 2 * std::numbers::pi;

    InterceptCandidate c;
    c.interceptor = task.drop;
    forStep(range.start, range.end, interceptAngleStep(tol), [&](double angle) {
        c.angle = angle;
        c.fvx0 = fv * std::cos(fullTurn * angle / 360);
        c.fvy0 = fv * std::sin(fullTurn * angle / 360);
        c.interceptor.vx0 = c.fvx0;
        c.interceptor.vy0 = c.fvy0;
        // The path starts at the origin, so its extremes lie on both sides of
        // it and the plots' square window is the window of the candidate.
        auto plot = samplePlot(c.interceptor, task.t, interceptPathSteps);
        if (!plot) {
            out.end = InterceptOutcome::End::Unevaluable;
            return false;
        }
        c.path = std::move(plot->points);
        c.window = plot->R;
        c.hit.reset();
        for (std::size_t i = 0; i < c.path.size(); ++i)
            if (bandX.contains(c.path[i].x) && bandY.contains(c.path[i].y)) {
                c.hit = i;
                break;
            }
        ++out.candidates;
        if (!each(c)) {
            out.end = InterceptOutcome::End::Stopped;
            return false;
        }
        if (c.hit) {
            out.end = InterceptOutcome::End::Hit;
            out.hit = InterceptHit{angle, c.path[*c.hit].s, c.fvx0, c.fvy0, c.window / 100};
            return false;
        }
        return true;
    });
    return out;
}

} // namespace quorin
