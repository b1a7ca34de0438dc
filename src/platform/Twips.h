#pragma once
#include <QRect>
#include <QSize>

class QWidget;

namespace quorin {

// Layouts are designed in twips; this is the one place that converts them.
double twipsPerPixel();
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
// Places a child widget by a designed (left, top, width, height) in twips.
void placeTwips(QWidget* widget, double left, double top, double width, double height);
QRect twipsRect(double left, double top, double width, double height);
// A placed control's geometry in twips, read and set one part at a time.
double leftTwips(const QWidget* w);
double topTwips(const QWidget* w);
double widthTwips(const QWidget* w);
double heightTwips(const QWidget* w);
void setLeftTwips(QWidget* w, double left);
void setSizeTwips(QWidget* w, double width, double height);
// The primary screen's size in twips.
QSize screenSizeTwips();

// A top-level window whose client area should be `wanted` pixels (the
// screen's size, say), placed at the top left of its screen's available area
// and shrunk where it must be so that it and its frame lie wholly inside that
// area (the desktop's panels left free). A size that fits stays as it is.
void fitOnScreen(QWidget& window, QSize wanted);
// A window larger than its screen's available area (its frame counted) is
// fitted as above; true when it had to be. The frame of a new window is
// known only once the window manager has put it on: call this again then.
bool keepWithinScreen(QWidget& window);
// A window (frame included) that reaches past its screen's available area is
// moved inside it, as far as its size allows; true when it was moved.
bool moveWithinScreen(QWidget& window);

} // namespace quorin
