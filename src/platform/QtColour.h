#pragma once
#include "platform/Colour.h"
#include <QColor>

namespace quorin {

// Where a program colour meets the painter or a palette.
inline QColor toQColor(ColorValue c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

} // namespace quorin
