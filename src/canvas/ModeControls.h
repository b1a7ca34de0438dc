#pragma once
#include "canvas/CanvasLayout.h"

namespace quorin {

// Shows and hides the canvas's controls as the mode table says for `mode`.
void applyModeVisibility(LayoutEnv& canvas, CanvasMode mode);

} // namespace quorin
