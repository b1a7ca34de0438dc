#include "platform/PictureGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace quorin {

namespace {

constexpr double pi = std::numbers::pi;

double clampTo(double v, double lo, double hi) {
    return std::min(std::max(v, lo), hi);
}

int roundToInt(double v) {
    const double r = std::floor(v + 0.5);
    if (std::isnan(r))
        return 0;
    return static_cast<int>(clampTo(r, INT_MIN, INT_MAX));
}

} // namespace

bool isFinite(const QPointF& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Cohen-Sutherland. Each crossing is found from the slope, not by bisection.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    if (!isFinite(a) || !isFinite(b))
        return false;
    enum : unsigned { left = 1, right = 2, top = 4, bottom = 8 };
    auto code = [&r](const QPointF& p) {
        unsigned c = 0;
        if (p.x() < r.left())
            c |= left;
        else if (p.x() > r.right())
            c |= right;
        if (p.y() < r.top())
            c |= top;
        else if (p.y() > r.bottom())
            c |= bottom;
        return c;
    };
    unsigned ca = code(a), cb = code(b);
    for (int guard = 0; guard < 8; ++guard) {
        if ((ca | cb) == 0)
            return true;
        if (ca & cb)
            return false;
        const bool first = ca != 0;
        const unsigned c = first ? ca : cb;
        const QPointF& from = first ? a : b;
        const QPointF& to = first ? b : a;
        const double dx = to.x() - from.x(), dy = to.y() - from.y();
        QPointF p;
        if (c & (left | right)) {
            const double x = (c & left) ? r.left() : r.right();
            p = QPointF(x, from.y() + (x - from.x()) * (dy / dx));
        } else {
            const double y = (c & top) ? r.top() : r.bottom();
            p = QPointF(from.x() + (y - from.y()) * (dx / dy), y);
        }
        if (!isFinite(p))
            return false;
        if (first) {
            a = p;
            ca = code(a);
        } else {
            b = p;
            cb = code(b);
        }
    }
    return (ca | cb) == 0;
}

QPoint roundPoint(const QPointF& p) {
    return QPoint(roundToInt(p.x()), roundToInt(p.y()));
}

QPointF snapToPixel(const QPointF& p) {
    return QPointF(std::floor(p.x() + 0.5), std::floor(p.y() + 0.5));
}

std::optional<QPoint> pixelRead(const QPointF& p, const QSize& size) {
    if (!isFinite(p) || p.x() < -0.5 || p.y() < -0.5 || p.x() >= size.width() - 0.5 ||
        p.y() >= size.height() - 0.5)
        return std::nullopt;
    const QPoint pixel = roundPoint(p);
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= size.width() || pixel.y() >= size.height())
        return std::nullopt;
    return pixel;
}

QPointF clampInto(const QPointF& p, const QRectF& r) {
    return QPointF(clampTo(p.x(), r.left(), r.right()), clampTo(p.y(), r.top(), r.bottom()));
}

ParamIntervals cosIntervals(double lo, double hi) {
    if (lo > 1.0 || hi < -1.0 || lo > hi)
        return {};
    const double a = std::acos(clampTo(hi, -1.0, 1.0)); // smallest angle
    const double b = std::acos(clampTo(lo, -1.0, 1.0)); // largest angle in [0, pi]
    if (a == 0.0 && b == pi)
        return {{0.0, 2 * pi}};
    if (a == 0.0)
        return {{0.0, b}, {2 * pi - b, 2 * pi}};
    if (b == pi)
        return {{a, 2 * pi - a}};
    return {{a, b}, {2 * pi - b, 2 * pi - a}};
}

ParamIntervals sinIntervals(double lo, double hi) {
    // sin t = cos(t - pi/2): shift the cosine intervals by pi/2.
    ParamIntervals out;
    for (auto [a, b] : cosIntervals(lo, hi)) {
        a += pi / 2;
        b += pi / 2;
        if (b <= 2 * pi) {
            out.push_back({a, b});
        } else if (a >= 2 * pi) {
            out.push_back({a - 2 * pi, b - 2 * pi});
        } else {
            out.push_back({a, 2 * pi});
            out.push_back({0.0, b - 2 * pi});
        }
    }
    return out;
}

ParamIntervals intersect(const ParamIntervals& u, const ParamIntervals& v) {
    ParamIntervals out;
    for (const auto& [a1, b1] : u)
        for (const auto& [a2, b2] : v) {
            const double a = std::max(a1, a2), b = std::min(b1, b2);
            if (a <= b)
                out.push_back({a, b});
        }
    return out;
}

ParamIntervals visibleArcs(const QPointF& c, double rx, double ry, const QRectF& area) {
    return intersect(cosIntervals((area.left() - c.x()) / rx, (area.right() - c.x()) / rx),
                     sinIntervals((area.top() - c.y()) / ry, (area.bottom() - c.y()) / ry));
}

std::vector<std::vector<QPoint>> traceArcs(const QPointF& c, double rx, double ry,
                                           const QRectF& area, int maxSamples) {
    const ParamIntervals arcs = visibleArcs(c, rx, ry, area);
    double total = 0.0;
    for (const auto& [a, b] : arcs)
        total += b - a;
    if (total <= 0.0)
        return {};
    // A chord over the angle s strays r s^2 / 8 from the curve: a quarter pixel here.
    double step = std::sqrt(2.0 / std::max(rx, ry));
    if (total / step > maxSamples)
        step = total / maxSamples;
    std::vector<std::vector<QPoint>> lines;
    lines.reserve(arcs.size());
    for (const auto& [a, b] : arcs) {
        const int n = std::max(1, static_cast<int>(std::ceil((b - a) / step)));
        std::vector<QPoint>& line = lines.emplace_back();
        line.reserve(n + 1);
        for (int i = 0; i <= n; ++i) {
            const double t = a + (b - a) * i / n;
            const QPointF p(c.x() + rx * std::cos(t), c.y() + ry * std::sin(t));
            line.push_back(roundPoint(clampInto(p, area)));
        }
    }
    return lines;
}

std::optional<std::pair<int, int>> ellipseRowSpan(const QPointF& c, double rx, double ry, int row,
                                                  int width) {
    const double dy = (row - c.y()) / ry;
    if (std::abs(dy) > 1.0)
        return std::nullopt;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    const double from = std::max(0.0, std::ceil(c.x() - half));
    const double to = std::min(width - 1.0, std::floor(c.x() + half));
    if (!(from <= to))
        return std::nullopt;
    return std::pair{static_cast<int>(from), static_cast<int>(to)};
}

// --- PictureScale ---

bool PictureScale::setUser(double x1, double y1, double x2, double y2) {
    const double w = x2 - x1, h = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(w) || !std::isfinite(h) ||
        w == 0.0 || h == 0.0)
        return false;
    mode_ = Mode::User;
    left_ = x1;
    top_ = y1;
    width_ = w;
    height_ = h;
    return true;
}

double PictureScale::left() const {
    return mode_ == Mode::User ? left_ : 0.0;
}

double PictureScale::top() const {
    return mode_ == Mode::User ? top_ : 0.0;
}

double PictureScale::width(const QSize& pixels, double twipsPerPixel) const {
    switch (mode_) {
    case Mode::Twips:
        return pixels.width() * twipsPerPixel;
    case Mode::Pixels:
        return pixels.width();
    case Mode::User:
        break;
    }
    return width_;
}

double PictureScale::height(const QSize& pixels, double twipsPerPixel) const {
    switch (mode_) {
    case Mode::Twips:
        return pixels.height() * twipsPerPixel;
    case Mode::Pixels:
        return pixels.height();
    case Mode::User:
        break;
    }
    return height_;
}

QPointF PictureScale::toPixels(double x, double y, const QSize& pixels,
                               double twipsPerPixel) const {
    const double sw = width(pixels, twipsPerPixel), sh = height(pixels, twipsPerPixel);
    const double px = sw == 0.0 ? 0.0 : (x - left()) * (pixels.width() / sw);
    const double py = sh == 0.0 ? 0.0 : (y - top()) * (pixels.height() / sh);
    return {px, py};
}

QPointF PictureScale::toUser(const QPointF& pixel, const QSize& pixels,
                             double twipsPerPixel) const {
    const int w = pixels.width(), h = pixels.height();
    const double x = w == 0 ? left() : left() + pixel.x() * width(pixels, twipsPerPixel) / w;
    const double y = h == 0 ? top() : top() + pixel.y() * height(pixels, twipsPerPixel) / h;
    return {x, y};
}

} // namespace quorin
