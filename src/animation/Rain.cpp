#include "animation/Rain.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include <cmath>
#include <numbers>

namespace quorin {

namespace {

// The first press: check, then the window of the path (targetX = -R, targetY
// = R). A failed check leaves rainStarted off, so the next press checks again.
bool startRain(RainEnv& canvas, CanvasModel& model) {
    if (!checkCanvasInputs(canvas))
        return false;
    const double t = val(canvas.mainFields().fieldText(10));
    const auto e = evaluateCanvasPlot(canvas, model.inputs(), t, rainSteps);
    if (!e)
        return false;
    model.f2(0); // the ranges evaluate the canvas model
    SharedState& s = canvas.state();
    s.rainStarted = true;
    setCanvasPlotWindow(canvas, e->plot.R);
    s.targetY = canvas.yb;
    s.targetX = canvas.ya;
    return true;
}

void sweep(RainEnv& canvas, CanvasModel& model) {
    SharedState& s = canvas.state();
    PictureBox& pic = *canvas.Picture1;
    const double t = val(canvas.mainFields().fieldText(10));
    const double dt = t / rainSteps;
    pic.pset(-s.targetX, -canvas.zy, canvas.yaa);
    pic.pset(canvas.zx, canvas.zy, canvas.yaa);
    pic.setDrawWidth(5);
    // yaa is the colour of every mark the rain draws.
    const ColorValue pen = canvas.yaa;
    const double bottom = s.targetY;
    const double startStep = s.targetX / 50;
    // zx itself walks the start points and keeps the last one it took.
    forStep(-s.targetX, s.targetX, startStep, [&](double zx) {
        canvas.zx = zx;
        double prevX = 0, prevY = 0;
        forStep(0.0, t, dt, [&](double sample) {
            const double x = zx + model.f1(sample);
            const double y = canvas.zy + model.f2(sample);
            if (y < bottom) {
                pic.lineTo(x, y, pen);
                // Closed or stopped during the wait: the sweep ends here.
                if (!pauseAndClear(canvas, 0))
                    return false;
                // The newest segment stays after the clearing.
                if (sample > dt)
                    pic.line(prevX, prevY, x, y, pen);
                if (sample > t - dt)
                    pic.pset(zx + startStep, canvas.zy, pen);
            } else {
                pic.line(zx, canvas.zy, x, y, pen);
            }
            prevX = x;
            prevY = y;
            return true;
        });
        return !canvas.mustStop();
    });
}

// Samples s = 0, t/steps, ... <= t; a flight time of 0 is the one sample 0.
template <class Step> void forEachSample(double t, int steps, Step&& step) {
    if (t == 0)
        step(0.0);
    else
        forStep(0.0, t, t / steps, step);
}

double render(RainEnv& canvas, const RainDrop& drop, bool firstKind) {
    MainFields& fields = canvas.mainFields();
    fields.setFieldText(10, numberToText(drop.t));
    fields.setFieldText(0, numberToText(drop.radiusMm));
    fields.setFieldText(1, numberToText(drop.vx0));
    fields.setFieldText(3, numberToText(drop.vfy));
    fields.setFieldText(4, numberToText(drop.vy0));
    fields.setFieldText(2, numberToText(drop.vfx));
    const auto finish = [&](double length) {
        fields.hideDragLabel();
        canvas.huatuo = false;
        return length;
    };
    if (!checkCanvasInputs(canvas, true))
        return finish(0);
    CanvasModel model(fields, canvas.fvx0, canvas.fvy0);
    const double t = drop.t;
    const auto e = evaluateCanvasPlot(canvas, model.inputs(), t, rendererSteps);
    if (!e)
        return finish(0);
    const double length = scanPath(model.inputs(), t, e->plot.R, e->atT, canvasScanSteps).length;
    if (!std::isfinite(length)) {
        showCanvasMessage(canvas, arithmeticErrorMessage);
        return finish(0);
    }
    model.f2(0); // the ranges evaluate the canvas model
    setCanvasPlotWindow(canvas, e->plot.R);
    canvas.baochi = true;

    canvas.Text1[2]->setText(numberToText(drop.startX));
    canvas.Text1[3]->setText(numberToText(drop.startY));
    PictureBox& pic = *canvas.Picture1;
    const ColorValue pen = canvas.yaa;
    pic.pset(drop.startX, drop.startY, pen);
    const double d = pic.scaleWidth() / 150;
    canvas.huaxian = firstKind;
    bool alive = true;
    forEachSample(t, rendererSteps, [&](double s) {
        if (!alive)
            return;
        const double x = drop.startX + model.f1(s), y = drop.startY + model.f2(s);
        alive = firstKind || canvas.state().replayMode ? pauseHundredthBusy(canvas)
                                                       : canvasPause(canvas);
        if (!alive)
            return;
        pic.setFillStyle(FillStyle::Solid);
        pic.setFillColor(pen);
        pic.circle(x, y, d, pen);
    });
    if (!alive)
        return length;
    pic.pset(drop.startX, drop.startY, pen);
    forEachSample(t, rendererSteps, [&](double s) {
        if (!alive)
            return;
        alive = canvasPause(canvas);
        if (!alive)
            return;
        pic.lineTo(drop.startX + model.f1(s), drop.startY + model.f2(s), pen);
    });
    if (!alive)
        return length;
    pic.pset(0, 0, pen);
    pic.setFillStyle(FillStyle::Transparent);
    if (canvas.huatuo) {
        const double rx = 0.9 * canvas.xb, ry = 0.9 * canvas.yb;
        constexpr double pi = std::numbers::pi;
        pic.pset(drop.startX, drop.startY + ry, pen);
        forStep(0.0, 2 * pi + 2 * pi / 150, 2 * pi / 150, [&](double a) {
            if (!canvasPause(canvas))
                return false;
            pic.lineTo(drop.startX + rx * std::sin(a), drop.startY + ry * std::cos(a), pen);
            return true;
        });
    }
    return finish(length);
}

} // namespace

void rain(RainEnv& canvas) {
    SharedState& s = canvas.state();
    if (s.simulationMode && !s.drawingMode) {
        CanvasModel model(canvas.mainFields(), canvas.fvx0, canvas.fvy0);
        const bool ready = s.rainStarted ? checkCanvasInputs(canvas) : startRain(canvas, model);
        if (ready && !canvas.mustStop())
            sweep(canvas, model);
        canvas.mainFields().hideDragLabel();
    }
    canvas.host().showMainWindow();
}

double rains(RainEnv& canvas, const RainDrop& drop) {
    return render(canvas, drop, true);
}

double rainst(RainEnv& canvas, const RainDrop& drop) {
    return render(canvas, drop, false);
}

} // namespace quorin
