#include "platform/Twips.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quorin {

double twipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int twipsToPixels(double twips) {
    if (!std::isfinite(twips))
        return 0;
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

double pixelsToTwips(int pixels) {
    return pixels * twipsPerPixel();
}

QRect twipsRect(double left, double top, double width, double height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), std::max(0, twipsToPixels(width)),
                 std::max(0, twipsToPixels(height)));
}

void placeTwips(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(twipsRect(left, top, width, height));
}

double leftTwips(const QWidget* w) {
    return pixelsToTwips(w->x());
}
double topTwips(const QWidget* w) {
    return pixelsToTwips(w->y());
}
double widthTwips(const QWidget* w) {
    return pixelsToTwips(w->width());
}
double heightTwips(const QWidget* w) {
    return pixelsToTwips(w->height());
}

void setLeftTwips(QWidget* w, double left) {
    w->move(twipsToPixels(left), w->y());
}

void setSizeTwips(QWidget* w, double width, double height) {
    w->resize(std::max(0, twipsToPixels(width)), std::max(0, twipsToPixels(height)));
}

QSize screenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->size() : QSize(1280, 800);
    return QSize(static_cast<int>(pixelsToTwips(px.width())),
                 static_cast<int>(pixelsToTwips(px.height())));
}

} // namespace quorin
