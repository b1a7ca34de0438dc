#pragma once
#include "platform/Colour.h"
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <optional>
#include <utility>

namespace quorin {

// How the picture box's pen puts a point and a line on an image, in pixel
// positions (pixel i covers [i - 0.5, i + 0.5)), without antialiasing. A pen
// of width 1 sets single pixels and draws square ends; a wider one draws
// round dots, ends and joins. Widths are 1 .. 70.

QPen penOf(ColorValue color, int width);

// Shapes are cut down to the image and this margin around it before drawing.
inline double penClipMargin(int width) {
    return width + 16.0;
}

// The dot of a point at p: the pixel it covered, or nullopt when it lies
// beyond the image's reach (or is not finite) and nothing was drawn.
std::optional<QPoint> drawPenPoint(QImage& image, QPointF p, ColorValue color, int width);
// A dot on that pixel.
void drawPenDot(QImage& image, QPoint pixel, ColorValue color, int width);

// The line from a to b, cut down to the image and a margin first: the end
// pixels it ran between, or nullopt when nothing of it was left.
std::optional<std::pair<QPoint, QPoint>> drawPenLine(QImage& image, QPointF a, QPointF b,
                                                     ColorValue color, int width);

} // namespace quorin
