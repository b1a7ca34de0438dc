#include "platform/Twips.h"
#include "platform/PictureGeometry.h"
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quorin {

double twipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixelAt(screen ? screen->logicalDotsPerInch() : 96.0);
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

namespace {

const QScreen* screenOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

QSize ownFrame(const QWidget& window) {
    const QSize extra = window.frameGeometry().size() - window.geometry().size();
    return extra.expandedTo(QSize(0, 0));
}

// What the window manager's frame adds to the client area: none for a window
// without a frame or without a window manager. A window the manager has not
// framed yet (it does so a moment after the window is shown) will get the
// frame the program's other windows have.
QSize frameMargins(const QWidget& window) {
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return {0, 0};
    QSize margins = ownFrame(window);
    if (!margins.isNull())
        return margins;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() &&
            !other->windowFlags().testFlag(Qt::FramelessWindowHint))
            margins = margins.expandedTo(ownFrame(*other));
    return margins;
}

} // namespace

void fitOnScreen(QWidget& window, QSize wanted) {
    const QScreen* screen = screenOf(window);
    if (!screen) {
        window.resize(wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize room = (area.size() - frameMargins(window)).expandedTo(QSize(1, 1));
    window.resize(wanted.boundedTo(room));
    window.move(area.topLeft());
}

bool keepWithinScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (!screen || !window.isWindow())
        return false;
    const QSize room = screen->availableGeometry().size() - frameMargins(window);
    const QSize client = window.size();
    if (client.width() <= room.width() && client.height() <= room.height())
        return false;
    fitOnScreen(window, client);
    return true;
}

bool moveWithinScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (!screen || !window.isWindow())
        return false;
    const QRect area = screen->availableGeometry();
    const QRect frame(window.pos(), window.size() + frameMargins(window));
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (x == frame.left() && y == frame.top())
        return false;
    window.move(x, y);
    return true;
}

} // namespace quorin
