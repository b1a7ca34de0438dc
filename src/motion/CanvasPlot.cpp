#include "motion/CanvasPlot.h"
#include "core/CanvasMotion.h"
#include "core/PlotSampling.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasWaits.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include <cmath>
#include <numbers>

namespace quorin {

namespace {

constexpr double pi = std::numbers::pi;
constexpr ColorValue ellipseColor = rgb(128, 64, 128);

std::optional<CanvasPlotWindow> evaluateQuietly(const DropInputs& in, double t, int steps) {
    const auto atT = tryDropStateAt(in, t);
    auto plot = atT ? samplePlot(in, t, steps) : std::nullopt;
    if (!plot)
        return std::nullopt;
    return CanvasPlotWindow{*atT, std::move(*plot)};
}

// The checks every canvas plot starts with; the message says what failed.
std::optional<CanvasPlotWindow> checkAndEvaluate(CanvasPlotEnv& canvas, const DropInputs& in,
                                                 double t) {
    if (!checkCanvasInputs(canvas))
        return std::nullopt;
    return evaluateCanvasPlot(canvas, in, t, canvasPlotSteps);
}

// The window of the plots, in the canvas fore colour blue. The ranges are
// evaluations of the canvas model, whose moment goes to the main window.
void applyWindow(CanvasPlotEnv& canvas, CanvasModel& model, double R) {
    model.f2(0);
    canvas.foreColor = colors::blue;
    setCanvasPlotWindow(canvas, R);
}

// A shade of the pen colour: Rnd times yaa, rounded; its low three bytes draw.
ColorValue randomShade(CanvasPlotEnv& canvas) {
    return lowThreeBytes(std::llround(canvas.services().random.next() * canvas.yaa));
}

// Calls `step` for s = 0, t/150, ... <= t with the point of the path from
// (zx, zy); stops (false) when a step says so (its wait was told to stop).
template <class Step>
bool alongPath(CanvasModel& model, CanvasPlotEnv& canvas, double t, Step&& step) {
    bool alive = true;
    forStep(0.0, t, t / canvasPlotSteps, [&](double s) {
        const double x = canvas.zx + model.f1(s);
        const double y = canvas.zy + model.f2(s);
        alive = step(x, y);
        return alive;
    });
    return alive;
}

} // namespace

void showCanvasMessage(CanvasPlotEnv& canvas, const char* text) {
    canvas.services().dialogs.message(QString::fromUtf8(text), MessageButtons::Ok,
                                      QStringLiteral("Quorin"));
}

bool checkCanvasInputs(CanvasPlotEnv& canvas, bool zeroTimeAllowed) {
    const MainFields& fields = canvas.mainFields();
    const double t = readFlightTime(fields);
    // t below 0 would sample a motion the model does not describe, and t = 0
    // a plot of one point.
    if (!dropFieldsAreNumbers(fields) || t < 0 || (t == 0 && !zeroTimeAllowed)) {
        showCanvasMessage(canvas, inputCheckMessage);
        return false;
    }
    return true;
}

std::optional<CanvasPlotWindow> evaluateCanvasPlot(CanvasPlotEnv& canvas, const DropInputs& in,
                                                   double t, int steps) {
    auto e = evaluateQuietly(in, t, steps);
    if (!e)
        showCanvasMessage(canvas, arithmeticErrorMessage);
    return e;
}

void clickPlot(CanvasPlotEnv& canvas) {
    const SharedState& s = canvas.state();
    if (s.angleTransformArmed || !s.simulationMode || s.drawingMode)
        return;
    CanvasModel model(canvas.mainFields(), canvas.fvx0, canvas.fvy0);
    const double t = val(canvas.mainFields().fieldText(10));
    const auto e = checkAndEvaluate(canvas, model.inputs(), t);
    if (!e)
        return;
    applyWindow(canvas, model, e->plot.R);
    canvas.state().targetX = canvas.xb;
    canvas.state().targetY = canvas.yb;

    PictureBox& pic = *canvas.Picture1;
    const ColorValue pen = canvas.yaa;
    pic.pset(canvas.zx, canvas.zy, pen);
    const double d = static_cast<float>(pic.scaleWidth() / canvasPlotSteps);
    if (canvas.huaxian) {
        const bool alive = alongPath(model, canvas, t, [&](double x, double y) {
            if (!pauseAndClear(canvas, 0.01))
                return false;
            pic.setFillColor(pen);
            pic.setFillStyle(FillStyle::Solid);
            pic.circle(x, y, 0.6 * d, pen);
            pic.setFillStyle(FillStyle::Transparent);
            pic.circle(x, y, d, pen);
            return true;
        });
        if (!alive)
            return;
    }
    pic.pset(canvas.zx, canvas.zy, pen);
    if (!alongPath(model, canvas, t, [&](double x, double y) {
            if (!canvasPause(canvas))
                return false;
            pic.lineTo(x, y, pen);
            return true;
        }))
        return;
    if (canvas.huatuo) {
        const double rx = 0.9 * canvas.xb, ry = 0.9 * canvas.yb;
        const double end = 2 * pi + 2 * pi / canvasPlotSteps;
        pic.pset(canvas.zx, canvas.zy + ry, pen);
        if (!traceEllipse(canvas, canvas.zx, canvas.zy, rx, ry, end, pen))
            return;
        pic.pset(canvas.zx, canvas.zy + ry, pen);
        traceEllipse(canvas, canvas.zx, canvas.zy, rx, 0.3 * ry, end, pen);
    }
}

void canvasDerive(CanvasPlotEnv& canvas) {
    MainFields& fields = canvas.mainFields();
    CanvasModel model(fields, canvas.fvx0, canvas.fvy0);
    const DropInputs& in = model.inputs();
    const double t = val(fields.fieldText(10));
    const auto e = checkAndEvaluate(canvas, in, t);
    if (!e)
        return;
    // Everything that can overflow is known before anything is written.
    const double length = scanPath(in, t, e->plot.R, e->atT, canvasScanSteps).length;
    const double speed = std::hypot(e->atT.vx, e->atT.vy);
    if (!std::isfinite(length) || !std::isfinite(speed)) {
        showCanvasMessage(canvas, arithmeticErrorMessage);
        return;
    }
    if (const auto message = canvasDeriveMessage(in, t)) {
        fields.setFieldText(11, *message);
        model.boxChanged();
    }
    const auto text = [](double v) { return numberToText(canvasround::wc(v)); };
    fields.setFieldText(5, text(e->atT.x));
    fields.setFieldText(6, text(e->atT.y));
    fields.setFieldText(7, text(e->atT.vx));
    fields.setFieldText(8, text(e->atT.vy));

    applyWindow(canvas, model, e->plot.R);
    PictureBox& pic = *canvas.Picture1;
    const ColorValue pen = canvas.yaa;
    pic.pset(canvas.zx, canvas.zy, pen);
    const bool oneColour = canvas.yae == PlotWindow::Yae::danse;
    const auto colour = [&] { return oneColour ? pen : randomShade(canvas); };
    // Rays from the start point, then the path as a polyline.
    if (!alongPath(model, canvas, t, [&](double x, double y) {
            if (!canvasPause(canvas))
                return false;
            pic.setFillColor(pen);
            pic.setFillStyle(FillStyle::Solid);
            pic.line(canvas.zx, canvas.zy, x, y, colour());
            return true;
        }))
        return;
    pic.pset(canvas.zx, canvas.zy, pen);
    if (!alongPath(model, canvas, t, [&](double x, double y) {
            if (!canvasPause(canvas))
                return false;
            pic.lineTo(x, y, colour());
            return true;
        }))
        return;
    if (canvas.huatuo) {
        pic.pset(0, 0, pen);
        pic.setFillStyle(FillStyle::Transparent);
        pic.pset(0, 0.9 * canvas.yb);
        if (!traceEllipse(canvas, 0, 0, 0.9 * canvas.xb, 0.9 * canvas.yb, 2 * pi, ellipseColor))
            return;
    }
    fields.setFieldText(9, text(speed));
    fields.setFieldText(12, text(length));
    fields.hideDragLabel();
}

void storeCanvasPlotWindow(CanvasPlotEnv& canvas, double R) {
    canvas.xa = canvas.ya = -R;
    canvas.xb = canvas.yb = R;
}

bool traceEllipse(CanvasPlotEnv& canvas, double cx, double cy, double rx, double ry, double end,
                  ColorValue color) {
    PictureBox& pic = *canvas.Picture1;
    bool alive = true;
    forStep(0.0, end, 2 * pi / canvasPlotSteps, [&](double a) {
        if (!canvasPause(canvas)) {
            alive = false;
            return false;
        }
        pic.lineTo(cx + rx * std::sin(a), cy + ry * std::cos(a), color);
        return true;
    });
    return alive;
}

void setCanvasPlotWindow(CanvasPlotEnv& canvas, double R) {
    storeCanvasPlotWindow(canvas, R);
    if (!canvas.baochi && R > 0)
        canvas.Picture1->scale(canvas.xa, canvas.ya, canvas.xb, canvas.yb);
}

bool derivePlotWindow(CanvasPlotEnv& canvas) {
    const MainFields& fields = canvas.mainFields();
    const double t = readFlightTime(fields);
    if (!dropFieldsAreNumbers(fields) || !(t > 0))
        return false;
    const auto e = evaluateQuietly(readDropInputs(fields), t, canvasPlotSteps);
    if (!e)
        return false;
    storeCanvasPlotWindow(canvas, e->plot.R);
    canvas.foreColor = colors::blue;
    return true;
}

} // namespace quorin
