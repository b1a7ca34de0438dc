#pragma once
#include "platform/Colour.h"
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <optional>
#include <utility>

namespace quorin {

// Drawing on an image in pixels, without a widget: the picture box draws
// with these, and so does the command-line tool.

// Pixel positions: pixel i covers [i - 0.5, i + 0.5). Nothing is antialiased;
// pen widths are 1 .. 70.

// A pen of `width` pixels: square ends at 1 (single pixels), round ends and
// joins when wider.
QPen penOf(ColorValue color, int width);

// How far beyond the image a shape drawn with a pen of `width` is still
// drawn: what lies farther cannot show.
inline double clipMarginFor(int penWidth) {
    return penWidth + 16.0;
}

// The ellipse round `centre` with radii rx and ry (pixels, not antialiased),
// outlined with a pen of `penWidth` in `color` and filled with `fill` when
// there is one. Nothing is drawn for an ellipse wholly outside the image and
// its margin, nor for one of a radius too large for doubles; a huge one is
// filled row by row and outlined only where it crosses the image.
void drawEllipse(QImage& image, QPointF centre, double rx, double ry, ColorValue color,
                 int penWidth, std::optional<ColorValue> fill);

// The dot of a point at p: the pixel it covered, or nullopt when it lies
// beyond the image's reach (or is not finite) and nothing was drawn.
std::optional<QPoint> drawPenPoint(QImage& image, QPointF p, ColorValue color, int width);
// A dot on that pixel.
void drawPenDot(QImage& image, QPoint pixel, ColorValue color, int width);

// The line from a to b, cut down to the image and its margin first: the end
// pixels it ran between, or nullopt when nothing of it was left.
std::optional<std::pair<QPoint, QPoint>> drawPenLine(QImage& image, QPointF a, QPointF b,
                                                     ColorValue color, int width);

} // namespace quorin
