#pragma once
#include "core/DropModel.h"
#include "core/PlotSampling.h"
#include "platform/Colour.h"
#include "state/CanvasSurface.h"
#include "state/PlotWindow.h"
#include <optional>

namespace quorin {

// What the canvas's plots act on: the surface and the plot window.
class CanvasPlotEnv : public virtual CanvasSurface, public virtual PlotWindow {
protected:
    ~CanvasPlotEnv() = default;
};

// The canvas's drawings of the drop entered in the main window, starting at the
// last pressed point (zx, zy) in the canvas pen colour yaa.

// A click on the canvas picture in simulation mode (not armed for the angle
// search, not drawing): the path from (zx, zy), with chords after 画弦 and
// the ellipses while huatuo.
void clickPlot(CanvasPlotEnv& canvas);

// 推导计算 of the canvas bar: results into the main window's fields, the fan
// and the path in one colour (单色) or random shades of yaa (随机彩色), the
// path length and the ellipse round the origin.
void canvasDerive(CanvasPlotEnv& canvas);

// The plot window of the canvas derive (150 samples, made square) into xa, xb,
// ya, yb, and the canvas fore colour blue; the picture's scale is not touched.
// False, with everything left as it was, when the inputs are no numbers, the
// flight time is not above 0 or the model cannot be evaluated.
bool derivePlotWindow(CanvasPlotEnv& canvas);

// The input check of every canvas plot: the seven input fields of the main
// window hold numbers and the flight time is above 0 (or, when allowed, 0).
// Otherwise "请输入数值！" is shown and the answer is false.
bool checkCanvasInputs(CanvasPlotEnv& canvas, bool zeroTimeAllowed = false);

// A notice titled "Quorin" over the canvas.
void showCanvasMessage(CanvasPlotEnv& canvas, const char* text);

// The drop at t and its plot window of `steps` samples; nothing, after the
// arithmetic message, when radius or density is 0 or the model overflows.
struct CanvasPlotWindow {
    DropState atT;
    PlotSamples plot;
};
std::optional<CanvasPlotWindow> evaluateCanvasPlot(CanvasPlotEnv& canvas, const DropInputs& in,
                                                   double t, int steps);

// The square window of half-range R into xa, xb, ya, yb; the picture takes it
// as its scale unless baochi keeps the present one. A window of size 0 is no
// scale.
void setCanvasPlotWindow(CanvasPlotEnv& canvas, double R);
// The same window into xa, xb, ya, yb alone.
void storeCanvasPlotWindow(CanvasPlotEnv& canvas, double R);

// From the current point round the ellipse (rx, ry) about (cx, cy), angle 0
// at (cx, cy + ry), in segments of 1/150 turn up to `end`, with a canvasPause
// before each; false when the canvas is unloaded during a wait.
bool traceEllipse(CanvasPlotEnv& canvas, double cx, double cy, double rx, double ry, double end,
                  ColorValue color);

// Samples of the canvas plots, and of the path-length measure.
inline constexpr int canvasPlotSteps = 150;
inline constexpr int canvasScanSteps = 10000;

} // namespace quorin
