#pragma once
#include "platform/Colour.h"
#include <QColor>

namespace quorin {

// Where a program colour meets the painter or a palette.
inline QColor toQColor(ColorValue c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

// A pixel's colour as the program's colour.
inline ColorValue fromQRgb(QRgb p) {
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

} // namespace quorin
