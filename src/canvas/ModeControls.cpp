#include "canvas/ModeControls.h"

namespace quorin {

void applyModeVisibility(LayoutEnv& canvas, CanvasMode mode) {
    for (const ControlVisibility& row : modeVisibility()) {
        QWidget* w = canvas.control(row.control);
        if (!w)
            continue;
        const char v = row.modes[static_cast<int>(mode)];
        if (v == 'S')
            w->show();
        else if (v == 'H')
            w->hide();
    }
}

} // namespace quorin
