#include "platform/PenDrawing.h"
#include "platform/PictureGeometry.h"
#include "platform/QtColour.h"
#include <QPainter>
#include <QRectF>

namespace quorin {

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
    const double m = penClipMargin(width);
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
