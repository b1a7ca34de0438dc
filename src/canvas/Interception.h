#pragma once
#include "motion/CanvasPlot.h"
#include "state/CanvasFields.h"

namespace quorin {

// What the interception acts on: the plots and the message line.
class InterceptEnv : public virtual CanvasPlotEnv, public virtual CanvasFields {
public:
    // The launch-angle search runs (it lets window events in while it erases).
    int angleSearchRunning = 0;

protected:
    ~InterceptEnv() = default;
};

// 反导模拟: the scene and the search for the launch angle that hits a target.

// The scene: the plot window of the projectile entered in the main window
// (square, as every canvas plot's) into xa .. yb and the picture's scale, the
// target at its bottom-right corner, and in yaa the frame at 90 %, the axes,
// the range ellipse and the launch point. Inputs that make no plot give the
// message and leave scale, target and picture as they were.
void sales(InterceptEnv& canvas);

// A left press on the canvas picture while armed: the search for the target
// just pressed (main-window Text1(15), Text1(16)), the click plot, and on a
// hit the rings round the target. Leaves the canvas armed.
void bianhuanjiaodu(InterceptEnv& canvas);

// 变换角度 (Command1(10)): the same search and click plot, without the rings
// and without arming the canvas.
void angleTransform(InterceptEnv& canvas);

} // namespace quorin
