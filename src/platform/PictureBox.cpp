#include "platform/PictureBox.h"

#include "platform/InputCodes.h"
#include "platform/QtColour.h"
#include "platform/Twips.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorin {

namespace {

constexpr int maxDrawWidth = 70;
// Beyond this radius (in pixels) positions on the ellipse lose sub-pixel
// precision in doubles; such a shape is not drawn.
constexpr double maxEllipseRadius = 1e14;
constexpr int maxArcSamples = 100000;

ColorValue fromQRgb(QRgb p) {
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

bool finite(const QPointF& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Cohen-Sutherland in doubles: clips the segment a-b to r; false when nothing
// is left. Each crossing is found from the slope, so a horizontal or vertical
// line stays exact however far away its ends are.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
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
        if (!finite(p))
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
    return QPoint(static_cast<int>(std::floor(p.x() + 0.5)),
                  static_cast<int>(std::floor(p.y() + 0.5)));
}

double clampTo(double v, double lo, double hi) {
    return std::min(std::max(v, lo), hi);
}

QPen makePen(ColorValue color, int width) {
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

// Parameter intervals (within [0, 2pi)) where cos t lies in [lo, hi].
std::vector<std::pair<double, double>> cosIntervals(double lo, double hi) {
    constexpr double pi = std::numbers::pi;
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

// Parameter intervals (within [0, 2pi)) where sin t lies in [lo, hi].
std::vector<std::pair<double, double>> sinIntervals(double lo, double hi) {
    constexpr double pi = std::numbers::pi;
    // sin t = cos(t - pi/2): shift the cosine intervals by pi/2.
    std::vector<std::pair<double, double>> out;
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

std::vector<std::pair<double, double>> intersect(const std::vector<std::pair<double, double>>& u,
                                                 const std::vector<std::pair<double, double>>& v) {
    std::vector<std::pair<double, double>> out;
    for (const auto& [a1, b1] : u)
        for (const auto& [a2, b2] : v) {
            const double a = std::max(a1, a2), b = std::min(b1, b2);
            if (a <= b)
                out.push_back({a, b});
        }
    return out;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

PictureBox::~PictureBox() = default;

// --- layers ---

QImage PictureBox::makeBackground(const QSize& size) const {
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(toQColor(backColor_));
    if (!picture_.isNull()) {
        QPainter p(&image);
        p.drawImage(0, 0, picture_); // natural size, not stretched
    }
    return image;
}

void PictureBox::resizeLayers() const {
    // Content is kept where it was; the new area shows the background.
    background_ = makeBackground(size());
    auto grow = [this](const QImage& old) {
        QImage image = background_.copy();
        if (!image.isNull() && !old.isNull()) {
            QPainter p(&image);
            p.drawImage(0, 0, old);
        }
        return image;
    };
    persistent_ = grow(persistent_);
    screen_ = screenStale_ ? persistent_ : grow(screen_);
    screenStale_ = false;
}

void PictureBox::syncSize() const {
    if (background_.size() != size() || persistent_.size() != size())
        resizeLayers();
}

void PictureBox::syncLayers() const {
    syncSize();
    if (screenStale_) {
        screen_ = persistent_;
        screenStale_ = false;
    }
}

const QImage& PictureBox::persistentImage() const {
    syncSize();
    return persistent_;
}

const QImage& PictureBox::screenImage() const {
    syncLayers();
    return screen_;
}

QImage& PictureBox::target() {
    syncSize();
    if (autoRedraw_) {
        screenStale_ = true;
        return persistent_;
    }
    return screen_;
}

void PictureBox::afterDraw() {
    update();
}

void PictureBox::setAutoRedraw(bool on) {
    syncLayers();
    autoRedraw_ = on;
}

void PictureBox::cls() {
    syncLayers();
    if (autoRedraw_)
        persistent_ = background_;
    screen_ = persistent_;
    screenStale_ = false;
    currentX_ = scaleLeft();
    currentY_ = scaleTop();
    update();
}

void PictureBox::refresh() {
    syncLayers();
    screen_ = persistent_;
    update();
}

void PictureBox::eraseAll() {
    background_ = makeBackground(size());
    persistent_ = background_;
    screen_ = background_;
    screenStale_ = false;
    update();
}

// --- background ---

void PictureBox::setBackColor(ColorValue color) {
    backColor_ = color;
    eraseAll();
}

bool PictureBox::loadPicture(const QString& path) {
    QImageReader reader(path);
    // Files named .jpg may hold a bitmap (the box itself saves them so).
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    picture_ = image;
    eraseAll();
    return !image.isNull();
}

void PictureBox::setPicture(const QImage& image) {
    picture_ = image;
    eraseAll();
}

void PictureBox::clearPicture() {
    picture_ = QImage();
    eraseAll();
}

// --- scale ---

void PictureBox::scale(double x1, double y1, double x2, double y2) {
    const double w = x2 - x1, h = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(w) || !std::isfinite(h) ||
        w == 0.0 || h == 0.0)
        return;
    scaleMode_ = ScaleMode::User;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = w;
    scaleHeight_ = h;
}

void PictureBox::scaleToPixels() {
    scaleMode_ = ScaleMode::Pixels;
}

void PictureBox::resetScale() {
    scaleMode_ = ScaleMode::Twips;
}

double PictureBox::scaleLeft() const {
    return scaleMode_ == ScaleMode::User ? scaleLeft_ : 0.0;
}

double PictureBox::scaleTop() const {
    return scaleMode_ == ScaleMode::User ? scaleTop_ : 0.0;
}

double PictureBox::scaleWidth() const {
    switch (scaleMode_) {
    case ScaleMode::Twips:
        return width() * twipsPerPixel();
    case ScaleMode::Pixels:
        return width();
    case ScaleMode::User:
        break;
    }
    return scaleWidth_;
}

double PictureBox::scaleHeight() const {
    switch (scaleMode_) {
    case ScaleMode::Twips:
        return height() * twipsPerPixel();
    case ScaleMode::Pixels:
        return height();
    case ScaleMode::User:
        break;
    }
    return scaleHeight_;
}

QPointF PictureBox::toPixels(double x, double y) const {
    const double sw = scaleWidth(), sh = scaleHeight();
    const double px = sw == 0.0 ? 0.0 : (x - scaleLeft()) * (width() / sw);
    const double py = sh == 0.0 ? 0.0 : (y - scaleTop()) * (height() / sh);
    return {px, py};
}

QPointF PictureBox::toUser(const QPointF& pixel) const {
    const double x = width() == 0 ? scaleLeft() : scaleLeft() + pixel.x() * scaleWidth() / width();
    const double y = height() == 0 ? scaleTop() : scaleTop() + pixel.y() * scaleHeight() / height();
    return {x, y};
}

// --- pen and state ---

void PictureBox::setDrawWidth(int pixels) {
    drawWidth_ = std::clamp(pixels, 1, maxDrawWidth);
}

void PictureBox::setFontName(const QString& family) {
    font_.setFamily(family);
}

void PictureBox::setFontSize(double points) {
    if (std::isfinite(points) && points > 0)
        font_.setPointSizeF(std::min(points, 2048.0));
}

void PictureBox::setFontBold(bool bold) {
    font_.setBold(bold);
}

// --- drawing ---

void PictureBox::pset(double x, double y, ColorValue color) {
    currentX_ = x;
    currentY_ = y;
    const QPointF p = toPixels(x, y);
    if (!finite(p))
        return;
    QImage& image = target();
    const double reach = drawWidth_ / 2.0 + 1.0;
    if (image.isNull() || p.x() < -reach || p.y() < -reach || p.x() > image.width() + reach ||
        p.y() > image.height() + reach)
        return;
    drawDot(image, roundPoint(p), color);
    afterDraw();
}

void PictureBox::drawDot(QImage& image, QPoint pixel, ColorValue color) {
    if (drawWidth_ == 1) {
        if (image.rect().contains(pixel))
            image.setPixel(pixel, toQColor(color).rgb());
        return;
    }
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(color));
    const double r = drawWidth_ / 2.0;
    painter.drawEllipse(QPointF(pixel) + QPointF(0.5, 0.5), r, r);
}

void PictureBox::line(double x1, double y1, double x2, double y2, ColorValue color) {
    currentX_ = x2;
    currentY_ = y2;
    QPointF a = toPixels(x1, y1), b = toPixels(x2, y2);
    if (!finite(a) || !finite(b))
        return;
    QImage& image = target();
    if (image.isNull())
        return;
    const double m = clipMargin();
    if (!clipSegment(a, b, QRectF(image.rect()).adjusted(-m, -m, m, m)))
        return;
    const QPoint from = roundPoint(a), to = roundPoint(b);
    if (from == to) {
        drawDot(image, from, color); // the painter leaves a thick empty line out
    } else {
        QPainter painter(&image);
        painter.setPen(makePen(color, drawWidth_));
        painter.drawLine(from, to);
    }
    afterDraw();
}

void PictureBox::lineTo(double x2, double y2, ColorValue color) {
    line(currentX_, currentY_, x2, y2, color);
}

void PictureBox::box(double x1, double y1, double x2, double y2, ColorValue color, bool filled) {
    currentX_ = x2;
    currentY_ = y2;
    const QPointF a = toPixels(x1, y1), b = toPixels(x2, y2);
    if (!finite(a) || !finite(b))
        return;
    QImage& image = target();
    if (image.isNull())
        return;
    // Corners beyond the margin move onto it: what shows is the same.
    const double m = clipMargin();
    auto clampPoint = [&](const QPointF& p) {
        return roundPoint(
            QPointF(clampTo(p.x(), -m, image.width() + m), clampTo(p.y(), -m, image.height() + m)));
    };
    const QPoint pa = clampPoint(a), pb = clampPoint(b);
    const QRect rect(QPoint(std::min(pa.x(), pb.x()), std::min(pa.y(), pb.y())),
                     QPoint(std::max(pa.x(), pb.x()), std::max(pa.y(), pb.y())));
    QPainter painter(&image);
    if (filled)
        painter.fillRect(rect, toQColor(color));
    else if (fillStyle_ == FillStyle::Solid)
        painter.fillRect(rect, toQColor(fillColor_));
    painter.setPen(makePen(color, drawWidth_));
    painter.setBrush(Qt::NoBrush);
    if (rect.width() == 1 || rect.height() == 1)
        painter.drawLine(rect.topLeft(), rect.bottomRight()); // flat: no rectangle to trace
    else // an aliased outline of (x, y, w, h) covers x .. x + w: one pixel less here
        painter.drawRect(QRectF(rect.topLeft(), rect.bottomRight()));
    afterDraw();
}

void PictureBox::drawEllipse(QImage& image, QPointF c, double rx, double ry, ColorValue color) {
    const double m = clipMargin();
    const QRectF area = QRectF(image.rect()).adjusted(-m, -m, m, m);
    if (c.x() + rx < area.left() || c.x() - rx > area.right() || c.y() + ry < area.top() ||
        c.y() - ry > area.bottom())
        return;
    const bool solid = fillStyle_ == FillStyle::Solid;
    QPainter painter(&image);
    const QPen pen = makePen(color, drawWidth_);

    // Moderate sizes: the painter does it well.
    const double limit = 4.0 * (image.width() + image.height()) + 4.0 * m;
    if (std::max(rx, ry) <= limit) {
        painter.setPen(pen);
        if (solid)
            painter.setBrush(toQColor(fillColor_));
        painter.drawEllipse(c, rx, ry);
        return;
    }
    if (std::max(rx, ry) > maxEllipseRadius)
        return;

    // Huge: fill row by row over the visible rows only...
    if (solid) {
        const QRgb fill = toQColor(fillColor_).rgb();
        for (int row = 0; row < image.height(); ++row) {
            const double dy = (row - c.y()) / ry;
            if (std::abs(dy) > 1.0)
                continue;
            const double half = rx * std::sqrt(1.0 - dy * dy);
            const double from = std::max(0.0, std::ceil(c.x() - half));
            const double to = std::min(image.width() - 1.0, std::floor(c.x() + half));
            if (from <= to)
                painter.fillRect(
                    QRect(static_cast<int>(from), row, static_cast<int>(to - from) + 1, 1), fill);
        }
    }
    // ...and trace only the arcs that pass through the visible area.
    const auto arcs =
        intersect(cosIntervals((area.left() - c.x()) / rx, (area.right() - c.x()) / rx),
                  sinIntervals((area.top() - c.y()) / ry, (area.bottom() - c.y()) / ry));
    double total = 0.0;
    for (const auto& [a, b] : arcs)
        total += b - a;
    if (total <= 0.0)
        return;
    // Step so that a chord strays at most a quarter pixel from the curve.
    double step = std::sqrt(2.0 / std::max(rx, ry));
    if (total / step > maxArcSamples)
        step = total / maxArcSamples;
    painter.setPen(pen);
    for (const auto& [a, b] : arcs) {
        const int n = std::max(1, static_cast<int>(std::ceil((b - a) / step)));
        QPolygon poly;
        poly.reserve(n + 1);
        for (int i = 0; i <= n; ++i) {
            const double t = a + (b - a) * i / n;
            const QPointF p(c.x() + rx * std::cos(t), c.y() + ry * std::sin(t));
            poly << roundPoint(QPointF(clampTo(p.x(), area.left(), area.right()),
                                       clampTo(p.y(), area.top(), area.bottom())));
        }
        painter.drawPolyline(poly);
    }
}

void PictureBox::circle(double x, double y, double radius, ColorValue color, double aspect) {
    currentX_ = x;
    currentY_ = y;
    const QPointF c = toPixels(x, y);
    const double sw = scaleWidth();
    if (!finite(c) || !std::isfinite(radius) || !std::isfinite(aspect) || sw == 0.0)
        return;
    // The radius is measured in x units, so a circle stays round whatever the y scale.
    const double r = std::abs(radius * (width() / sw));
    aspect = std::abs(aspect);
    double rx = r, ry = r * aspect;
    if (aspect > 1.0) {
        rx = r / aspect;
        ry = r;
    }
    if (!std::isfinite(rx) || !std::isfinite(ry))
        return;
    QImage& image = target();
    if (image.isNull())
        return;
    drawEllipse(image, QPointF(roundPoint(c)), rx, ry, color);
    afterDraw();
}

void PictureBox::print(const QString& text) {
    QString body = text;
    body.remove(QLatin1Char('\r'));
    const QStringList lines = body.split(QLatin1Char('\n'));
    QImage& image = target();
    const QFontMetricsF metrics(font_, image.isNull() ? static_cast<QPaintDevice*>(this)
                                                      : static_cast<QPaintDevice*>(&image));
    const double startX = currentX_;
    const double lineStep = height() == 0 ? 0.0 : metrics.height() * scaleHeight() / height();
    for (const QString& textLine : lines) {
        const QPointF p = toPixels(currentX_, currentY_);
        const double m = clipMargin();
        if (!image.isNull() && finite(p) && p.y() > -metrics.height() - m &&
            p.y() < image.height() + m && p.x() < image.width() + m &&
            p.x() > -metrics.horizontalAdvance(textLine) - m) {
            QPainter painter(&image);
            painter.setFont(font_);
            painter.setPen(toQColor(foreColor_));
            painter.drawText(QPointF(roundPoint(p)) + QPointF(0, metrics.ascent()), textLine);
        }
        // Like the classic box: back to the start column, one line down.
        currentX_ = startX;
        currentY_ += lineStep;
    }
    afterDraw();
}

void PictureBox::paintPicture(const QImage& picture, double x, double y, double w, double h) {
    const QPointF a = toPixels(x, y), b = toPixels(x + w, y + h);
    if (picture.isNull() || !finite(a) || !finite(b) || a.x() == b.x() || a.y() == b.y())
        return;
    QImage& image = target();
    if (image.isNull())
        return;
    // A negative width or height mirrors the picture.
    const bool flipX = b.x() < a.x(), flipY = b.y() < a.y();
    const QRectF dest = QRectF(a, b).normalized();
    const QRectF visible = dest.intersected(QRectF(image.rect()));
    if (visible.isEmpty())
        return;
    const QImage source = (flipX || flipY) ? picture.mirrored(flipX, flipY) : picture;
    // Hand over only the visible part so a huge target stays cheap.
    const double kx = source.width() / dest.width(), ky = source.height() / dest.height();
    const QRectF from((visible.left() - dest.left()) * kx, (visible.top() - dest.top()) * ky,
                      visible.width() * kx, visible.height() * ky);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(visible, source, from);
    afterDraw();
}

ColorValue PictureBox::point(double x, double y) const {
    const QPointF p = toPixels(x, y);
    if (!finite(p))
        return -1;
    // Only a look at the screen brings it up to date: syncing it here would
    // make the next drawing copy the whole image.
    if (autoRedraw_)
        syncSize();
    else
        syncLayers();
    const QImage& image = autoRedraw_ ? persistent_ : screen_;
    if (image.isNull() || p.x() < -0.5 || p.y() < -0.5 || p.x() >= image.width() - 0.5 ||
        p.y() >= image.height() - 0.5)
        return -1;
    const QPoint pixel = roundPoint(p);
    if (!image.rect().contains(pixel))
        return -1;
    return fromQRgb(image.pixel(pixel));
}

bool PictureBox::savePicture(const QString& path, SaveFormat format) const {
    syncSize();
    if (persistent_.isNull())
        return false;
    QByteArray kind = "bmp";
    if (format == SaveFormat::ByExtension) {
        QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
        if (suffix == "jpg")
            suffix = "jpeg";
        if (QImageWriter::supportedImageFormats().contains(suffix))
            kind = suffix;
    }
    QImageWriter writer(path, kind);
    return writer.write(persistent_);
}

// --- events ---

void PictureBox::paintEvent(QPaintEvent* event) {
    // Shows the screen layer as it is: resetting it here would wipe drawing
    // done with AutoRedraw off before it was ever seen.
    syncLayers();
    QPainter painter(this);
    if (screen_.isNull())
        painter.fillRect(event->rect(), toQColor(backColor_));
    else
        painter.drawImage(event->rect(), screen_, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncSize();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    const QPointF p = toUser(event->position());
    emit mouseDown(buttonBits(event->button()), shiftBits(event->modifiers()), p.x(), p.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = toUser(event->position());
    emit mouseMove(buttonBits(event->buttons()), shiftBits(event->modifiers()), p.x(), p.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = toUser(event->position());
    emit mouseUp(buttonBits(event->button()), shiftBits(event->modifiers()), p.x(), p.y());
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no new click.
    pressed_ = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int code = classicKeyCode(key, mods);
    if (code != 0)
        emit keyDown(code, shiftBits(mods));

    const int character = keyPressCharacter(key, mods, event->text());
    if (character != 0)
        emit keyPress(character);
    event->accept();
}

} // namespace quorin

// Compiled here so that linking the box does not pull in every other widget.
#include "moc_PictureBox.cpp"
