#pragma once
#include "core/CanvasModes.h"

namespace quorin {

class CanvasEnv;

// Shows and hides the canvas's controls as the mode table says for `mode`.
void applyModeVisibility(CanvasEnv& canvas, CanvasMode mode);

} // namespace quorin
