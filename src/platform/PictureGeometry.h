#pragma once
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <optional>
#include <utility>
#include <vector>

namespace quorin {

// Pixel geometry of the picture box, in doubles. Positions far away, at
// infinity or NaN must never make drawing fail, hang or allocate, so every
// shape is cut down to the area around the image before anything is drawn.

bool isFinite(const QPointF& p);

// Cuts the segment a-b down to r; false when nothing is left or an end is not
// finite. A horizontal or vertical segment stays exact however far away its
// ends are.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r);

// The pixel a position falls in; pixel i covers [i - 0.5, i + 0.5). Beyond the
// range of int it saturates; NaN gives 0.
QPoint roundPoint(const QPointF& p);
// The same pixel's position in doubles, exact beyond the range of int too.
QPointF snapToPixel(const QPointF& p);

// Twips per pixel on a screen of `dpi` logical dots per inch: 15 at 96 dpi.
inline double twipsPerPixelAt(double dpi) {
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

// A position given in twips from the top-left corner, over the pixels.
inline QPointF twipsToPixelPosition(double x, double y, double twipsPerPixel) {
    return {x / twipsPerPixel, y / twipsPerPixel};
}

// The pixel whose colour is read at position p of an image of `size`: the one
// p falls in. Nothing for a position outside the image or not finite.
std::optional<QPoint> pixelRead(const QPointF& p, const QSize& size);

// The nearest point of r.
QPointF clampInto(const QPointF& p, const QRectF& r);

// A stretch [from, to] of the ellipse parameter t, within [0, 2pi].
struct ParamInterval {
    double from;
    double to;
};
using ParamIntervals = std::vector<ParamInterval>;

// Where cos t (or sin t) lies in [lo, hi].
ParamIntervals cosIntervals(double lo, double hi);
ParamIntervals sinIntervals(double lo, double hi);
ParamIntervals intersect(const ParamIntervals& u, const ParamIntervals& v);

// The stretches of the ellipse (c.x + rx cos t, c.y + ry sin t) inside area.
ParamIntervals visibleArcs(const QPointF& c, double rx, double ry, const QRectF& area);

// The visible arcs of an ellipse too large for the painter, as polylines of
// pixels kept inside area. The chords stray at most a quarter pixel from the
// curve unless that takes more than maxSamples points in all.
std::vector<std::vector<QPoint>> traceArcs(const QPointF& c, double rx, double ry,
                                           const QRectF& area, int maxSamples = 100000);

// The first and last pixel of `row` inside the ellipse, within 0 .. width - 1.
std::optional<std::pair<int, int>> ellipseRowSpan(const QPointF& c, double rx, double ry, int row,
                                                  int width);

// Where user coordinates sit over the box's pixels. Twips and pixels follow
// the box's size; a user scale keeps its rectangle whatever the size. A pixel
// position is continuous: pixel i covers [i - 0.5, i + 0.5).
class PictureScale {
public:
    enum class Mode { Twips, Pixels, User };

    // (x1, y1) becomes the top-left corner and (x2, y2) the bottom-right one;
    // false, and the scale unchanged, for an empty or non-finite rectangle.
    bool setUser(double x1, double y1, double x2, double y2);
    void setPixels() { mode_ = Mode::Pixels; }
    void setTwips() { mode_ = Mode::Twips; }
    Mode mode() const { return mode_; }

    double left() const;
    double top() const;
    double width(const QSize& pixels, double twipsPerPixel) const;
    double height(const QSize& pixels, double twipsPerPixel) const;
    QPointF toPixels(double x, double y, const QSize& pixels, double twipsPerPixel) const;
    QPointF toUser(const QPointF& pixel, const QSize& pixels, double twipsPerPixel) const;

private:
    Mode mode_ = Mode::Twips;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1; // the user rectangle
};

} // namespace quorin
