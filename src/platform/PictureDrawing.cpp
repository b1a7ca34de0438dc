#include "platform/PictureDrawing.h"
#include "platform/PictureGeometry.h"
#include "platform/QtColour.h"
#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <vector>

namespace quorin {

namespace {

// Beyond this radius (in pixels) positions on the ellipse lose sub-pixel
// precision in doubles; such a shape is not drawn.
constexpr double maxEllipseRadius = 1e14;
constexpr int maxArcSamples = 100000;

} // namespace

QPen penOf(ColorValue color, int width) {
    QPen pen(toQColor(color));
    pen.setWidth(width);
    if (width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setCapStyle(Qt::SquareCap);
    }
    return pen;
}

void drawEllipse(QImage& image, QPointF c, double rx, double ry, ColorValue color, int penWidth,
                 std::optional<ColorValue> fill) {
    const double m = clipMarginFor(penWidth);
    const QRectF area = QRectF(image.rect()).adjusted(-m, -m, m, m);
    if (c.x() + rx < area.left() || c.x() - rx > area.right() || c.y() + ry < area.top() ||
        c.y() - ry > area.bottom())
        return;
    QPainter painter(&image);
    const QPen pen = penOf(color, penWidth);

    // Moderate sizes: the painter does it well.
    const double limit = 4.0 * (image.width() + image.height()) + 4.0 * m;
    if (std::max(rx, ry) <= limit) {
        painter.setPen(pen);
        if (fill)
            painter.setBrush(toQColor(*fill));
        painter.drawEllipse(c, rx, ry);
        return;
    }
    if (std::max(rx, ry) > maxEllipseRadius)
        return;

    // Huge: fill row by row over the visible rows only...
    if (fill) {
        const QRgb rgb = toQColor(*fill).rgb();
        for (int row = 0; row < image.height(); ++row)
            if (const auto span = ellipseRowSpan(c, rx, ry, row, image.width()))
                painter.fillRect(QRect(span->first, row, span->second - span->first + 1, 1), rgb);
    }
    // ...and trace only the arcs that pass through the visible area.
    painter.setPen(pen);
    for (const std::vector<QPoint>& arc : traceArcs(c, rx, ry, area, maxArcSamples))
        painter.drawPolyline(arc.data(), static_cast<int>(arc.size()));
}

std::optional<QPoint> drawPenPoint(QImage& image, QPointF p, ColorValue color, int width) {
    const double reach = width / 2.0 + 1.0;
    if (image.isNull() || !isFinite(p) || p.x() < -reach || p.y() < -reach ||
        p.x() > image.width() + reach || p.y() > image.height() + reach)
        return std::nullopt;
    const QPoint pixel = roundPoint(p);
    drawPenDot(image, pixel, color, width);
    return pixel;
}

void drawPenDot(QImage& image, QPoint pixel, ColorValue color, int width) {
    if (width == 1) {
        if (image.rect().contains(pixel))
            image.setPixel(pixel, toQColor(color).rgb());
        return;
    }
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(color));
    const double r = width / 2.0;
    painter.drawEllipse(QPointF(pixel) + QPointF(0.5, 0.5), r, r);
}

std::optional<std::pair<QPoint, QPoint>> drawPenLine(QImage& image, QPointF a, QPointF b,
                                                     ColorValue color, int width) {
    const double m = clipMarginFor(width);
    if (image.isNull() || !clipSegment(a, b, QRectF(image.rect()).adjusted(-m, -m, m, m)))
        return std::nullopt;
    const QPoint from = roundPoint(a), to = roundPoint(b);
    if (from == to) {
        drawPenDot(image, from, color, width); // the painter leaves a thick empty line out
    } else {
        QPainter painter(&image);
        painter.setPen(penOf(color, width));
        painter.drawLine(from, to);
    }
    return std::pair(from, to);
}

} // namespace quorin
