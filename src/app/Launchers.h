#pragma once
#include "core/CanvasModes.h"

namespace quorin {

class Program;

// The six mode buttons of the main window: each reloads the canvas, sets the
// mode's flags, shows and hides the canvas's controls, fills in entry fields,
// loads a background and shows the canvas, as its row of the mode tables says.
void launchCanvas(Program& program, CanvasMode mode);

// The message 图像比较 and 图像叠加 show before a first comparison.
extern const char* const compareAdviceText;

} // namespace quorin
