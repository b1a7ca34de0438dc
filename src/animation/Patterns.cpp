#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
#include "platform/NumberText.h"
#include "state/CanvasEnv.h"
#include "state/MainFields.h"

namespace quorin {

namespace {

// The pattern's button and timer (none for 塔), on the canvas or on a const
// view of it.
template <class Env> CommandButton* buttonOf(Env& canvas, PatternKind kind) {
    switch (kind) {
    case PatternKind::Egg:
        return canvas.Command2;
    case PatternKind::Gold:
        return canvas.Command3;
    case PatternKind::Shell:
        return canvas.Command4;
    case PatternKind::Growth:
        return canvas.Command5;
    case PatternKind::Tower:
        return canvas.Command6;
    case PatternKind::Light:
        return canvas.Command7;
    }
    return nullptr;
}

template <class Env> auto timerOf(Env& canvas, PatternKind kind) -> decltype(&canvas.Timer5) {
    switch (kind) {
    case PatternKind::Egg:
        return &canvas.Timer5;
    case PatternKind::Gold:
        return &canvas.Timer6;
    case PatternKind::Shell:
        return &canvas.Timer4;
    case PatternKind::Growth:
        return &canvas.Timer7;
    case PatternKind::Light:
        return &canvas.Timer16;
    case PatternKind::Tower:
        break;
    }
    return nullptr;
}

QString rateAndPhase(double rate, double phase) {
    return numberToText(rate) + QLatin1Char('@') + numberToText(phase);
}

PatternParams paramsOf(const CanvasEnv& c) {
    return {c.eggRate, c.eggPhase, c.goldRate, c.goldPhase, c.growthRate, c.growthPhase,
            c.goodt,   c.goody,    c.zx,       c.zy,        c.yb};
}

// The redraw of a tick: an emptied picture and a new frame; the counter back
// to 0.
void redraw(CanvasEnv& canvas, PatternKind kind, double& counter) {
    canvas.Picture1->clearPicture();
    drawPattern(canvas, kind);
    counter = 0;
}

// A group's tick: counter, tick count and rate move; every 19th tick the
// phase steps on.
void drift(double& count, double& tick, double& rate, double& phase, double rateStep) {
    count += 1;
    tick += 1;
    rate += rateStep;
    if (tick > 18) {
        phase += phaseStep;
        tick = 0;
    }
}

// The tick of 金, 生 and 光: redraw on the 7th tick, a phase step first.
void slowTick(CanvasEnv& c, PatternKind kind, double& count, double& tick, double& rate,
              double& phase, bool free) {
    drift(count, tick, rate, phase, 0.1);
    if (count > 6 && free) {
        phase += phaseStep;
        redraw(c, kind, count);
    }
}

} // namespace

void drawPattern(CanvasEnv& canvas, PatternKind kind) {
    // Holds ticks off while a frame is drawn or its message is shown.
    const RunningScope busy(canvas.patternBusy);
    if (checkCanvasInputs(canvas) && !canvas.mustStop()) {
        CanvasModel model(canvas.mainFields(), canvas.fvx0, canvas.fvy0);
        const double t = val(canvas.mainFields().fieldText(10));
        const auto e = evaluateCanvasPlot(canvas, model.inputs(), t, rainSteps);
        if (canvas.mustStop())
            return;
        if (e) {
            model.f2(0); // the window is an evaluation of the canvas model
            canvas.foreColor = colors::blue;
            setCanvasPlotWindow(canvas, e->plot.R);
            PictureBox& pic = *canvas.Picture1;
            if (kind != PatternKind::Egg && kind != PatternKind::Gold)
                pic.setFillStyle(FillStyle::Solid);
            const ColorValue pen = canvas.yaa;
            patternSteps(kind, paramsOf(canvas), [&](const PatternStep& s) {
                switch (s.kind) {
                case PatternStep::Point:
                    pic.pset(s.x1, s.y1, pen);
                    break;
                case PatternStep::Line:
                    pic.line(s.x1, s.y1, s.x2, s.y2, pen);
                    break;
                case PatternStep::Pause:
                    return canvasPause(canvas);
                }
                return true;
            });
        }
    }
    if (canvas.mustStop())
        return;
    const bool tower = kind == PatternKind::Tower;
    buttonOf(canvas, kind)->setBackColor(tower ? towerDoneColor : patternRunningColor);
    if (!tower)
        (void)yanchi(canvas); // the frame's last step: nothing follows either way
}

bool isRunningPatternButton(const CanvasEnv& canvas, const QWidget* widget) {
    for (PatternKind kind : {PatternKind::Egg, PatternKind::Gold, PatternKind::Shell,
                             PatternKind::Growth, PatternKind::Light}) {
        if (widget && widget == buttonOf(canvas, kind))
            return timerOf(canvas, kind)->isActive();
    }
    return false;
}

void patternButton(CanvasEnv& canvas, PatternKind kind) {
    CommandButton* button = buttonOf(canvas, kind);
    QTimer* timer = timerOf(canvas, kind);
    if (!timer) { // 塔
        button->setBackColor(patternRunningColor);
        drawPattern(canvas, kind);
        return;
    }
    if (timer->isActive()) {
        button->setBackColor(patternStoppedColor);
        timer->stop();
        return;
    }
    button->setBackColor(patternRunningColor);
    timer->start();
    switch (kind) {
    case PatternKind::Egg:
        canvas.Text2->setText(rateAndPhase(canvas.eggRate, canvas.eggPhase));
        break;
    case PatternKind::Gold:
        canvas.Text2->setText(rateAndPhase(canvas.goldRate, canvas.goldPhase));
        break;
    case PatternKind::Light:
        canvas.goodt = 0;
        canvas.goody = 0;
        [[fallthrough]];
    case PatternKind::Growth:
        canvas.Text2->setText(rateAndPhase(canvas.growthRate, canvas.growthPhase));
        break;
    default:
        break;
    }
    drawPattern(canvas, kind);
}

void patternTick(CanvasEnv& canvas, PatternKind kind) {
    CanvasEnv& c = canvas;
    // While a frame is still on its way (its message may be up, and a
    // message box lets timers tick), no second one starts: the counter stays
    // above its mark and the first tick after it redraws.
    const bool free = c.patternBusy == 0;
    switch (kind) {
    case PatternKind::Egg:
        drift(c.eggCount, c.eggTick, c.eggRate, c.eggPhase, 0.5);
        if (c.eggCount > 3 && free)
            redraw(c, kind, c.eggCount);
        break;
    case PatternKind::Gold:
    case PatternKind::Light:
        slowTick(c, kind, c.goldCount, c.goldTick, c.goldRate, c.goldPhase, free);
        break;
    case PatternKind::Growth:
        slowTick(c, kind, c.growthCount, c.growthTick, c.growthRate, c.growthPhase, free);
        break;
    case PatternKind::Shell:
        drift(c.goldCount, c.goldTick, c.goldRate, c.goldPhase, 0.1);
        if (c.goldCount > 6) {
            c.goldPhase += phaseStep;
            c.goldCount = 0;
        }
        drift(c.eggCount, c.eggTick, c.eggRate, c.eggPhase, 0.5);
        if (c.eggCount > 6)
            c.eggCount = 0;
        c.oat += 1;
        c.goodt += 0.05;
        c.goody += 0.5;
        if (c.oat > 6 && free)
            redraw(c, kind, c.oat);
        break;
    case PatternKind::Tower:
        break;
    }
}

} // namespace quorin
