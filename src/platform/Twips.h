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

} // namespace quorin
