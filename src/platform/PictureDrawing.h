#pragma once
#include "platform/Colour.h"
#include <QImage>
#include <QPen>
#include <QPointF>
#include <optional>

namespace quorin {

// Drawing on an image in pixels, without a widget: the picture box draws
// with these, and so does the command-line tool.

// A pen of `width` pixels; wider than one, its ends and joins are round.
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

} // namespace quorin
