#pragma once
#include "motion/CanvasPlot.h"
#include "state/CanvasFields.h"

namespace quorin {

// What 雨 and the record renderers act on: the plots, the fields and the 雨
// button.
class RainEnv : public virtual CanvasPlotEnv, public virtual CanvasFields {
public:
    CommandButton* Command8 = nullptr; // 雨

protected:
    ~RainEnv() = default;
};

// 雨 (Command8): in simulation mode, a drop path swept across the canvas as a
// moving streak, 101 start points from the right edge to the left. The first
// press after a load checks the inputs and fixes the plot window; the main
// window is shown in every case.
void rain(RainEnv& canvas);

// One drop for the renderers: flight time, radius, Vx0, VFy, Vy0, the start
// point on the canvas and VFx, in the renderers' order.
struct RainDrop {
    double t = 0, radiusMm = 0, vx0 = 0, vfy = 0, vy0 = 0, startX = 0, startY = 0, vfx = 0;
};

// The drop renderers of the record replay: write the drop into the fields,
// draw a chain of discs along its path from the start point, then the path,
// once an ellipse round the start point; return the path length (0 after an
// input or arithmetic message). The first drop fixes the plot window.
// rains waits 0.01 s between discs and sets huaxian; rainst clears huaxian and
// waits like the replay (a count while replayMode, else 0.01 s).
double rains(RainEnv& canvas, const RainDrop& drop);
double rainst(RainEnv& canvas, const RainDrop& drop);

// Samples of the rain window and of the renderers' window.
inline constexpr int rainSteps = 150;
inline constexpr int rendererSteps = 200;

} // namespace quorin
