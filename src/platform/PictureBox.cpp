#include "platform/PictureBox.h"

#include "platform/InputCodes.h"
#include "platform/PictureDrawing.h"
#include "platform/PictureFile.h"
#include "platform/PictureGeometry.h"
#include "platform/QtColour.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quorin {

namespace {

constexpr int maxDrawWidth = 70;
} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(0);
    connect(&updateTimer_, &QTimer::timeout, this, [this] {
        sinceUpdate_.start();
        if (!dirty_.empty())
            update(takeDirty());
    });
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
    dirty_.assign(1, rect());
    scheduleUpdate();
}

void PictureBox::afterDraw(std::span<const QRect> pixels) {
    // Many small boxes cost more to merge than the whole box costs to paint.
    constexpr std::size_t mostBoxes = 256;
    for (const QRect& r : pixels) {
        const QRect inside = r.intersected(rect());
        if (!inside.isEmpty())
            dirty_.push_back(inside);
    }
    if (dirty_.size() > mostBoxes)
        dirty_.assign(1, rect());
    scheduleUpdate();
}

// One update for everything drawn until the event loop runs: an update per
// line would merge regions at every line, and a whole-box update would make
// every paint a whole-box paint. Updates come at most at display rate: a
// command that lets events in after every line would otherwise paint and
// flush thousands of times a second.
void PictureBox::scheduleUpdate() {
    if (updateTimer_.isActive())
        return;
    constexpr qint64 displayIntervalMs = 16;
    const qint64 since = sinceUpdate_.isValid() ? sinceUpdate_.elapsed() : displayIntervalMs;
    updateTimer_.start(static_cast<int>(std::max<qint64>(0, displayIntervalMs - since)));
}

QRegion PictureBox::takeDirty() {
    QRegion region;
    for (const QRect& r : dirty_)
        region += r;
    dirty_.clear();
    return region;
}

void PictureBox::repaintDrawn() {
    if (!dirty_.empty())
        repaint(takeDirty());
}

namespace {
// The pixels a line of the given width may touch, as four boxes along it: a
// long diagonal line covers little of its bounding box.
std::array<QRect, 4> lineBoxes(QPoint from, QPoint to, int width) {
    std::array<QRect, 4> boxes;
    const QPoint d = to - from;
    QPoint a = from;
    for (int i = 1; i <= 4; ++i) {
        const QPoint b = from + d * i / 4;
        boxes[i - 1] =
            QRect(a, b).normalized().adjusted(-width - 1, -width - 1, width + 1, width + 1);
        a = b;
    }
    return boxes;
}
} // namespace

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
    afterDraw();
}

void PictureBox::refresh() {
    syncLayers();
    screen_ = persistent_;
    afterDraw();
}

void PictureBox::eraseAll() {
    background_ = makeBackground(size());
    persistent_ = background_;
    screen_ = background_;
    screenStale_ = false;
    afterDraw();
}

// --- background ---

void PictureBox::setBackColor(ColorValue color) {
    backColor_ = color;
    eraseAll();
}

bool PictureBox::loadPicture(const QString& path) {
    const QImage image = readPictureFile(path);
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
    scale_.setUser(x1, y1, x2, y2);
}

void PictureBox::scaleToPixels() {
    scale_.setPixels();
}

void PictureBox::resetScale() {
    scale_.setTwips();
}

double PictureBox::scaleLeft() const {
    return scale_.left();
}

double PictureBox::scaleTop() const {
    return scale_.top();
}

double PictureBox::scaleWidth() const {
    return scale_.width(size(), twipsPerPixel());
}

double PictureBox::scaleHeight() const {
    return scale_.height(size(), twipsPerPixel());
}

QPointF PictureBox::toPixels(double x, double y) const {
    return scale_.toPixels(x, y, size(), twipsPerPixel());
}

QPointF PictureBox::toUser(const QPointF& pixel) const {
    return scale_.toUser(pixel, size(), twipsPerPixel());
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
    if (!isFinite(p))
        return;
    if (const auto pixel = drawPenPoint(target(), p, color, drawWidth_))
        afterDraw(QRect(*pixel, *pixel).adjusted(-drawWidth_, -drawWidth_, drawWidth_, drawWidth_));
}

QImage* PictureBox::startShape(double x1, double y1, double x2, double y2, QPointF& a, QPointF& b) {
    currentX_ = x2;
    currentY_ = y2;
    a = toPixels(x1, y1);
    b = toPixels(x2, y2);
    if (!isFinite(a) || !isFinite(b))
        return nullptr;
    QImage& image = target();
    return image.isNull() ? nullptr : &image;
}

void PictureBox::line(double x1, double y1, double x2, double y2, ColorValue color) {
    QPointF a, b;
    QImage* const target = startShape(x1, y1, x2, y2, a, b);
    if (!target)
        return;
    if (const auto ends = drawPenLine(*target, a, b, color, drawWidth_)) {
        const auto boxes = lineBoxes(ends->first, ends->second, drawWidth_);
        afterDraw(boxes);
    }
}

void PictureBox::lineTo(double x2, double y2, ColorValue color) {
    line(currentX_, currentY_, x2, y2, color);
}

void PictureBox::box(double x1, double y1, double x2, double y2, ColorValue color, bool filled) {
    QPointF a, b;
    QImage* const target = startShape(x1, y1, x2, y2, a, b);
    if (!target)
        return;
    QImage& image = *target;
    // Corners beyond the margin move onto it: what shows is the same.
    const double m = clipMargin();
    const QRectF area = QRectF(image.rect()).adjusted(-m, -m, m, m);
    const QPoint pa = roundPoint(clampInto(a, area)), pb = roundPoint(clampInto(b, area));
    const QRect rect(QPoint(std::min(pa.x(), pb.x()), std::min(pa.y(), pb.y())),
                     QPoint(std::max(pa.x(), pb.x()), std::max(pa.y(), pb.y())));
    QPainter painter(&image);
    if (filled)
        painter.fillRect(rect, toQColor(color));
    else if (fillStyle_ == FillStyle::Solid)
        painter.fillRect(rect, toQColor(fillColor_));
    painter.setPen(penOf(color, drawWidth_));
    painter.setBrush(Qt::NoBrush);
    if (rect.width() == 1 || rect.height() == 1)
        painter.drawLine(rect.topLeft(), rect.bottomRight()); // flat: no rectangle to trace
    else // an aliased outline of (x, y, w, h) covers x .. x + w: one pixel less here
        painter.drawRect(QRectF(rect.topLeft(), rect.bottomRight()));
    afterDraw(rect.adjusted(-drawWidth_, -drawWidth_, drawWidth_, drawWidth_));
}

void PictureBox::circle(double x, double y, double radius, ColorValue color, double aspect) {
    currentX_ = x;
    currentY_ = y;
    const double sw = scaleWidth();
    if (sw == 0.0)
        return;
    // The radius is measured in x units, so a circle stays round whatever the y scale.
    circleAtPixels(toPixels(x, y), radius * (width() / sw), color, aspect);
}

void PictureBox::circleTwips(double x, double y, double radius, ColorValue color) {
    const double tpp = twipsPerPixel();
    const QPointF c = twipsToPixelPosition(x, y, tpp);
    const QPointF user = toUser(c);
    currentX_ = user.x();
    currentY_ = user.y();
    circleAtPixels(c, radius / tpp, color, 1.0);
}

void PictureBox::circleAtPixels(QPointF c, double radius, ColorValue color, double aspect) {
    if (!isFinite(c) || !std::isfinite(radius) || !std::isfinite(aspect))
        return;
    const double r = std::abs(radius);
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
    const QPointF centre = snapToPixel(c);
    drawEllipse(image, centre, rx, ry, color, drawWidth_,
                fillStyle_ == FillStyle::Solid ? std::optional(fillColor_) : std::nullopt);
    // In doubles first: a huge ellipse's box does not fit an int.
    const QRectF box =
        QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry)
            .intersected(QRectF(rect()))
            .adjusted(-drawWidth_ - 1, -drawWidth_ - 1, drawWidth_ + 1, drawWidth_ + 1);
    afterDraw(box.toAlignedRect());
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
        if (!image.isNull() && isFinite(p) && p.y() > -metrics.height() - m &&
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
    if (picture.isNull() || !isFinite(a) || !isFinite(b) || a.x() == b.x() || a.y() == b.y())
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
    afterDraw(visible.toAlignedRect());
}

ColorValue PictureBox::point(double x, double y) const {
    return pointAtPixels(toPixels(x, y));
}

ColorValue PictureBox::pointTwips(double x, double y) const {
    return pointAtPixels(twipsToPixelPosition(x, y, twipsPerPixel()));
}

ColorValue PictureBox::pointAtPixels(QPointF p) const {
    if (!isFinite(p))
        return -1;
    // Only a look at the screen brings it up to date: syncing it here would
    // make the next drawing copy the whole image.
    if (autoRedraw_)
        syncSize();
    else
        syncLayers();
    const QImage& image = autoRedraw_ ? persistent_ : screen_;
    const auto pixel = image.isNull() ? std::nullopt : pixelRead(p, image.size());
    return pixel ? fromQRgb(image.pixel(*pixel)) : -1;
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
    // Encoded in memory, then replaced whole (a temporary file beside the
    // target, renamed over it when complete): a failed encoding, a full disk
    // or a failed write leaves the previous picture as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, kind);
    return writer.write(persistent_) && replaceFileBytes(path, bytes);
}

// --- events ---

void PictureBox::paintEvent(QPaintEvent* event) {
    // Shows the screen layer as it is: resetting it here would wipe drawing
    // done with AutoRedraw off before it was ever seen. A screen that is to
    // take over the persistent image shows that image itself: handing it over
    // here would share the two, and the next drawing would copy all of it.
    syncSize();
    const QImage& shown = screenStale_ ? persistent_ : screen_;
    QPainter painter(this);
    for (const QRect& r : event->region()) {
        if (shown.isNull())
            painter.fillRect(r, toQColor(backColor_));
        else
            painter.drawImage(r, shown, r);
    }
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
