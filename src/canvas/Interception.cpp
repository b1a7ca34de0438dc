#include "canvas/Interception.h"
#include "core/CanvasMotion.h"
#include "core/InterceptSearch.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include <array>
#include <cmath>
#include <numbers>

namespace quorin {

namespace {

constexpr double fullTurn = 2 * std::numbers::pi;
constexpr ColorValue lastRingGrey = 13421772; // red = green = blue = 204

// --- the scene ---

void drawSceneFrame(InterceptEnv& canvas, ColorValue pen) {
    PictureBox& pic = *canvas.Picture1;
    const double xa = 0.9 * canvas.xa, xb = 0.9 * canvas.xb;
    const double ya = 0.9 * canvas.ya, yb = 0.9 * canvas.yb;
    pic.pset(0, 0, pen);
    pic.setFillStyle(FillStyle::Transparent);
    pic.box(xa, ya, xb, yb, pen);
    pic.line(0, ya, 0, yb, pen);
    pic.line(xa, 0, xb, 0, pen);
}

// --- the search ---

// The seven model fields, the target and the tolerance, all numbers, and a
// flight time above 0; otherwise the message and nothing.
std::optional<InterceptTask> readInterceptTask(InterceptEnv& canvas) {
    if (!checkCanvasInputs(canvas))
        return std::nullopt;
    const MainFields& fields = canvas.mainFields();
    const auto x = numericValue(fields.fieldText(15));
    const auto y = numericValue(fields.fieldText(16));
    const auto tolerance = numericValue(fields.fieldText(17));
    if (!x || !y || !tolerance) {
        showCanvasMessage(canvas, inputCheckMessage);
        return std::nullopt;
    }
    return InterceptTask{readDropInputs(fields), readFlightTime(fields), *x, *y, *tolerance};
}

// The interceptor's moment goes to Text1(11) as every evaluation of the
// canvas model's f3 writes it.
void writeInterceptorMoment(InterceptEnv& canvas, const InterceptCandidate& c) {
    const auto moment = canvasModelMoment(c.interceptor);
    MainFields& fields = canvas.mainFields();
    if (moment && fields.fieldText(11) != *moment)
        fields.setFieldText(11, *moment);
}

void writeHit(InterceptEnv& canvas, const InterceptCandidate& c) {
    MainFields& fields = canvas.mainFields();
    fields.setFieldText(1, numberToText(c.fvx0));
    fields.setFieldText(4, numberToText(c.fvy0));
    fields.setFieldText(14, numberToText(c.angle));
    fields.setFieldText(10, numberToText(c.path[*c.hit].s));
    canvas.Text2->setText(QStringLiteral("θ  = ") + numberToText(c.angle));
}

// One candidate: its path up to the hit in a brighter pen, the outputs on a
// hit, then Cls and the whole path again in the back colour, with the window
// events let in after every segment. False once the canvas is unloaded.
bool showCandidate(InterceptEnv& canvas, const InterceptCandidate& c) {
    canvas.fvx0 = c.fvx0;
    canvas.fvy0 = c.fvy0;
    setCanvasPlotWindow(canvas, c.window);
    writeInterceptorMoment(canvas, c);

    PictureBox& pic = *canvas.Picture1;
    const ColorValue pen = canvas.yaa;
    const ColorValue bright = lowThreeBytes(std::llround(pen * 1.2));
    pic.pset(0, 0, pen);
    pic.setDrawWidth(3);
    const std::size_t drawn = c.hit ? *c.hit + 1 : c.path.size();
    for (std::size_t i = 0; i < drawn; ++i)
        pic.lineTo(c.path[i].x, c.path[i].y, bright);
    if (c.hit)
        writeHit(canvas, c);

    if (!pauseAndClear(canvas, 0.01))
        return false;
    pic.pset(0, 0, pen);
    for (const PathPoint& p : c.path) {
        pic.setDrawWidth(3);
        pic.lineTo(p.x, p.y, pic.backColor());
        if (!letEventsRun(canvas))
            return false;
    }
    return true;
}

// The rings that close in on the target after a hit, in units of h, the hit
// path's radius unit: each frame shows for its wait and is cleared. The first
// is a disc; the last ring stays, in light grey. False once the canvas is
// unloaded.
struct RingFrame {
    std::array<double, 2> radii;
    int rings;
    double seconds; // shown for, then cleared
};
constexpr RingFrame ringFrames[] = {
    {{0.6, 0}, 1, 0.01},   {{1, 0}, 1, 0.01},   {{1.2, 0}, 1, 0.02},
    {{2.5, 3.7}, 2, 0.03}, {{6.2, 0}, 1, 0.05},
};

bool hitRings(InterceptEnv& canvas, double x, double y, double h) {
    PictureBox& pic = *canvas.Picture1;
    const ColorValue pen = canvas.yaa;
    pic.cls();
    pic.setDrawWidth(3);
    pic.pset(x, y, pen);
    pic.setFillColor(pen);
    pic.setFillStyle(FillStyle::Solid);
    for (const RingFrame& frame : ringFrames) {
        for (int i = 0; i < frame.rings; ++i)
            pic.circle(x, y, frame.radii[i] * h, pen);
        if (!pauseAndClear(canvas, frame.seconds))
            return false;
        pic.setFillStyle(FillStyle::Transparent);
    }
    pic.circle(x, y, 1.2 * h, lastRingGrey);
    return true;
}

enum class Caller { Press, Button };

void angleSearch(InterceptEnv& canvas, Caller caller) {
    // A press that arrives while the search lets window events in finds it
    // running and starts no second one.
    const RunningScope running(canvas.angleSearchRunning);
    if (!running.first())
        return;
    SharedState& s = canvas.state();
    const bool press = caller == Caller::Press;
    if (press)
        s.angleTransformArmed = true;
    canvas.baochi = true;

    const auto task = readInterceptTask(canvas);
    if (canvas.mustStop())
        return;
    std::optional<InterceptHit> hit;
    bool plotFollows = false;
    if (task) {
        canvas.fv = interceptSpeed(task->drop);
        const InterceptOutcome out = searchIntercept(
            *task, [&](const InterceptCandidate& c) { return showCandidate(canvas, c); });
        if (canvas.mustStop())
            return;
        if (out.end == InterceptOutcome::End::Unevaluable) {
            showCanvasMessage(canvas, arithmeticErrorMessage);
            if (canvas.mustStop())
                return;
        } else {
            plotFollows = true;
            hit = out.hit;
        }
    }

    canvas.mainFields().hideDragLabel();
    canvas.Picture1->setDrawWidth(2);
    // Inputs that stopped the search would only stop the click plot again
    // with the same message.
    if (plotFollows) {
        if (press)
            s.angleTransformArmed = false;
        clickPlot(canvas);
        if (canvas.mustStop())
            return;
        if (press)
            s.angleTransformArmed = true;
    }
    if (press && hit && !hitRings(canvas, task->targetX, task->targetY, hit->radiusUnit))
        return;
    canvas.Picture1->setDrawWidth(2);
}

} // namespace

void sales(InterceptEnv& canvas) {
    if (!checkCanvasInputs(canvas))
        return;
    MainFields& fields = canvas.mainFields();
    CanvasModel model(fields, canvas.fvx0, canvas.fvy0);
    const auto e =
        evaluateCanvasPlot(canvas, model.inputs(), readFlightTime(fields), canvasPlotSteps);
    // A drop that does not move has no window to draw in.
    if (!e || !(e->plot.R > 0))
        return;
    model.f2(0);
    storeCanvasPlotWindow(canvas, e->plot.R);
    PictureBox& pic = *canvas.Picture1;
    pic.scale(canvas.xa, canvas.ya, canvas.xb, canvas.yb);
    canvas.state().targetX = canvas.xb;
    canvas.state().targetY = canvas.yb;

    const ColorValue pen = canvas.yaa;
    drawSceneFrame(canvas, pen);
    pic.pset(0, 0.9 * canvas.yb, pen);
    if (!traceEllipse(canvas, 0, 0, 0.9 * canvas.xb, 0.9 * canvas.yb, fullTurn, pen))
        return;
    pic.pset(0, 0, pen);
    pic.setFillStyle(FillStyle::Solid);
    pic.circle(0, 0, Int(pic.scaleWidth() / 100), pen);
}

void bianhuanjiaodu(InterceptEnv& canvas) {
    angleSearch(canvas, Caller::Press);
}

void angleTransform(InterceptEnv& canvas) {
    angleSearch(canvas, Caller::Button);
}

} // namespace quorin
