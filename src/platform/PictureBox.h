#pragma once
#include "platform/Colour.h"
#include "platform/PictureDrawing.h"
#include "platform/PictureGeometry.h"
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <span>
#include <vector>

namespace quorin {

enum class FillStyle { Solid, Transparent };
enum class SaveFormat { Bmp, ByExtension };

// A retained-mode drawing surface with two layers: the persistent image and
// the screen. With AutoRedraw on, drawing goes to the persistent image and the
// screen follows; with it off, drawing goes to the screen only and vanishes at
// the next Refresh or Cls. A paint shows the screen layer as it stands (never
// resets it), and a resize keeps both layers' content. Coordinates are in the
// user scale (twips by default). Coordinates that are far away, infinite or
// NaN never make drawing fail, hang or allocate.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // --- layers ---
    void setAutoRedraw(bool on);
    bool autoRedraw() const { return autoRedraw_; }
    // AutoRedraw on: persistent := background, screen := that.
    // AutoRedraw off: screen := persistent. Current point := (ScaleLeft, ScaleTop).
    void cls();
    // screen := persistent image, now; the widget repaints at the next chance.
    void refresh();
    // Paints now what was drawn since the last paint, and only that: an
    // animation in a busy wait shows without repainting the whole box.
    void repaintDrawn();

    // --- background ---
    void setBackColor(ColorValue color); // erases all drawing
    ColorValue backColor() const { return backColor_; }
    // Loads a picture file as the box's Picture; false (and no picture) when it
    // cannot be read. Either way the background is rebuilt and drawing erased.
    bool loadPicture(const QString& path);
    void setPicture(const QImage& image);
    void clearPicture();
    bool hasPicture() const { return !picture_.isNull(); }
    const QImage& picture() const { return picture_; }

    // --- scale ---
    // (x1, y1) becomes the top-left corner and (x2, y2) the bottom-right one;
    // an empty or non-finite rectangle is refused. A user scale keeps its
    // rectangle when the box is resized; twips and pixels follow the size.
    void scale(double x1, double y1, double x2, double y2);
    void scaleToPixels(); // (0,0)-(width px, height px)
    void resetScale();    // back to twips
    double scaleLeft() const;
    double scaleTop() const;
    double scaleWidth() const;
    double scaleHeight() const;
    // Continuous pixel position; pixel i covers [i - 0.5, i + 0.5).
    QPointF toPixels(double x, double y) const;
    QPointF toUser(const QPointF& pixel) const;

    // --- pen and state ---
    void setForeColor(ColorValue c) { foreColor_ = c; }
    ColorValue foreColor() const { return foreColor_; }
    void setDrawWidth(int pixels); // clamped to 1..70
    int drawWidth() const { return drawWidth_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillColor(ColorValue c) { fillColor_ = c; }
    ColorValue fillColor() const { return fillColor_; }
    void setFontName(const QString& family);
    void setFontSize(double points);
    void setFontBold(bool bold);
    QFont drawFont() const { return font_; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrent(double x, double y) {
        currentX_ = x;
        currentY_ = y;
    }

    // --- drawing ---
    void pset(double x, double y, ColorValue color);
    void pset(double x, double y) { pset(x, y, foreColor_); }
    void line(double x1, double y1, double x2, double y2, ColorValue color);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }
    void lineTo(double x2, double y2, ColorValue color); // from the current point
    void lineTo(double x2, double y2) { lineTo(x2, y2, foreColor_); }
    // Outline in `color`; the inside in `color` when filled, else in FillColor
    // when FillStyle is Solid.
    void box(double x1, double y1, double x2, double y2, ColorValue color, bool filled = false);
    // Radius in x units; aspect = height / width of the ellipse (1 = circle).
    // Below 1 the radius is the horizontal one, above 1 the vertical one.
    // Filled with FillColor when FillStyle is Solid. Moves the current point
    // to the centre.
    void circle(double x, double y, double radius, ColorValue color, double aspect = 1.0);
    void circle(double x, double y, double radius) { circle(x, y, radius, foreColor_); }
    // Top of the text at the current point, in ForeColor; afterwards CurrentX
    // is back at the start and CurrentY one text line further down.
    void print(const QString& text);
    // Stretches the image into the rectangle; a negative size mirrors it.
    void paintPicture(const QImage& image, double x, double y, double w, double h);

    // Colour at (x, y) of the persistent image (AutoRedraw on) or the screen
    // (off); -1 outside the box.
    ColorValue point(double x, double y) const;

    // Point and Circle in the box's own twips from its top-left corner,
    // whatever user scale is set (the scale stays as it is).
    ColorValue pointTwips(double x, double y) const;
    void circleTwips(double x, double y, double radius, ColorValue color);

    // Saves the persistent image. Bmp always writes a bitmap whatever the
    // name; ByExtension writes JPEG/BMP/GIF... as the name asks, BMP otherwise.
    // The file is replaced whole or not at all: false, and the previous file
    // untouched, when it cannot be written.
    bool savePicture(const QString& path, SaveFormat format = SaveFormat::Bmp) const;

    const QImage& persistentImage() const;
    const QImage& screenImage() const;

signals:
    // Buttons 1 left, 2 right, 4 middle; shift bits 1 Shift, 2 Ctrl, 4 Alt;
    // coordinates in the user scale.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void clicked();
    void doubleClicked();
    void keyDown(int key, int shift);
    void keyPress(int character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The layers follow the widget's size lazily: a hidden widget gets its
    // resize event only when shown, yet commands draw on it before that.
    void syncSize() const;
    void syncLayers() const; // size, and the screen takes over pending drawing
    void resizeLayers() const;
    QImage makeBackground(const QSize& size) const;
    void eraseAll();
    QImage& target();
    void afterDraw();                              // the whole box changed
    void afterDraw(std::span<const QRect> pixels); // these pixels changed
    void afterDraw(const QRect& pixels) { afterDraw(std::span<const QRect>(&pixels, 1)); }
    void scheduleUpdate();
    QRegion takeDirty();
    double clipMargin() const { return clipMarginFor(drawWidth_); }
    // Moves the current point to (x2, y2) and gives both corners in pixels
    // and the image to draw on; nullptr when nothing can be drawn.
    QImage* startShape(double x1, double y1, double x2, double y2, QPointF& a, QPointF& b);
    ColorValue pointAtPixels(QPointF p) const;
    // Radius in pixels.
    void circleAtPixels(QPointF centre, double radius, ColorValue color, double aspect);

    bool autoRedraw_ = false;
    mutable QImage background_; // back colour + picture, at the widget's size
    mutable QImage persistent_;
    mutable QImage screen_;
    // Drawing with AutoRedraw on went to the persistent image; the screen
    // takes it over at the next paint or look at it.
    mutable bool screenStale_ = false;
    // Boxes drawn into since the last paint, and the update that paints them
    // when the event loop next runs.
    std::vector<QRect> dirty_;
    QTimer updateTimer_;
    QElapsedTimer sinceUpdate_; // the last update asked of the window system
    QImage picture_;
    ColorValue backColor_ = colors::black;
    ColorValue foreColor_ = colors::black;
    ColorValue fillColor_ = colors::black;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    QFont font_;
    PictureScale scale_;
    double currentX_ = 0, currentY_ = 0;
    bool pressed_ = false;
};

} // namespace quorin
