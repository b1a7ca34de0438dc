#include "core/PlotSampling.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <cmath>

namespace quorin {

namespace {
const QString crlf = QStringLiteral("\r\n");
} // namespace

std::optional<PlotSamples> samplePlot(const DropInputs& in, double t, int steps) {
    if (steps <= 0)
        return std::nullopt;
    // One motion for the whole path: its constants are worked out once.
    const DropMotion motion(in);
    PlotSamples p;
    p.xmin = motion.x(0);
    p.xmax = motion.x(t);
    p.ymin = motion.y(0);
    p.ymax = motion.y(t);
    // Room for the usual plots and scans; a larger count grows as it goes.
    p.points.reserve(std::min<std::size_t>(std::size_t(steps) + 1, 1 << 16));
    motion.appendPath(t, t / steps, p.points);
    bool finite = true;
    for (const PathPoint& pt : p.points) {
        p.xmin = std::min(p.xmin, pt.x);
        p.xmax = std::max(p.xmax, pt.x);
        p.ymin = std::min(p.ymin, pt.y);
        p.ymax = std::max(p.ymax, pt.y);
        finite = finite && std::isfinite(pt.x) && std::isfinite(pt.y);
    }
    p.xr = 1.5 * (p.xmax - p.xmin);
    p.yr = 1.5 * (p.ymax - p.ymin);
    p.R = p.xr > p.yr ? p.xr : p.yr;
    // NaN would slip through min and max; the extents and the samples catch it.
    if (!finite || !std::isfinite(p.xr) || !std::isfinite(p.yr))
        return std::nullopt;
    return p;
}

PathScan scanPath(const DropInputs& in, double t, double R, const DropState& atT, int steps) {
    PathScan scan;
    if (steps <= 0)
        return scan;
    const DropMotion motion(in);
    const double near = 0.2 * R / 1000;
    double prevX = 0, prevY = 0;
    int xCount = 0, yCount = 0;
    // One pass serves the length and both crossing scans.
    forStep(0.0, t, t / steps, [&](double s) {
        const double x = motion.x(s), y = motion.y(s);
        scan.length += std::hypot(x - prevX, y - prevY);
        prevX = x;
        prevY = y;
        // The second sample close above the x axis, past the vertical turn.
        if (xCount < 2 && s > atT.turnTimeY && y < 0 && std::abs(y) < near && x > 0) {
            if (++xCount == 2)
                scan.xCrossing = QStringLiteral("当 t=") + wc(s) + QStringLiteral("时,  ") +
                                 QStringLiteral("与 x 轴相交，水平距离为：") + wc(x) +
                                 QStringLiteral(".") + crlf;
        }
        // The second sample just left of the y axis, past the horizontal turn.
        if (yCount < 2 && s > atT.turnTimeX && std::abs(x) < near && x < 0) {
            if (++yCount == 2)
                scan.yCrossing = QStringLiteral("当t=") + wc(s) +
                                 QStringLiteral(" 时，与 y 轴相交，垂直距离为：") + wc(y) + crlf;
        }
    });
    return scan;
}

QString momentLines(const DropState& atT) {
    return QStringLiteral("当t=") + wc(atT.turnTimeX) + QStringLiteral(" 时，vx=0") + crlf +
           QStringLiteral("t=") + wc(atT.turnTimeY) + QStringLiteral("时，") +
           QStringLiteral("vy为vfy。");
}

double DeriveResults::speed() const {
    return std::hypot(atT.vx, atT.vy);
}

QString DeriveResults::notes() const {
    return scan.xCrossing + scan.yCrossing + momentLines(atT);
}

std::optional<DeriveResults> deriveResults(const DropInputs& in, double t) {
    const auto atT = tryDropStateAt(in, t);
    if (!atT)
        return std::nullopt;
    auto plot = samplePlot(in, t, mainPlotSteps);
    if (!plot)
        return std::nullopt;
    DeriveResults r{*atT, std::move(*plot), {}};
    r.scan = scanPath(in, t, r.plot.R, r.atT, mainScanSteps);
    if (!std::isfinite(r.scan.length) || !std::isfinite(r.speed()))
        return std::nullopt;
    return r;
}

} // namespace quorin
