#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasPlot.h"
#include "motion/CanvasWaits.h"
#include "platform/NumberText.h"
#include "state/MainFields.h"

namespace quorin {

namespace {

QString rateAndPhase(double rate, double phase) {
    return numberToText(rate) + QLatin1Char('@') + numberToText(phase);
}

PatternParams paramsOf(const PatternEnv& c) {
    return {c.eggRate, c.eggPhase, c.goldRate, c.goldPhase, c.growthRate, c.growthPhase,
            c.goodt,   c.goody,    c.zx,       c.zy,        c.yb};
}

// The redraw of a tick: an emptied picture and a new frame; the counter back
// to 0.
void redraw(PatternEnv& canvas, PatternKind kind, double& counter) {
    canvas.Picture1->clearPicture();
    drawPattern(canvas, kind);
    counter = 0;
}

// A group of drifting numbers; None is never asked for (the tests check the
// table).
struct Group {
    double &count, &tick, &rate, &phase;
};
Group groupOf(PatternEnv& c, PatternGroup group) {
    switch (group) {
    case PatternGroup::Gold:
        return {c.goldCount, c.goldTick, c.goldRate, c.goldPhase};
    case PatternGroup::Growth:
        return {c.growthCount, c.growthTick, c.growthRate, c.growthPhase};
    case PatternGroup::None:
    case PatternGroup::Egg:
        break;
    }
    return {c.eggCount, c.eggTick, c.eggRate, c.eggPhase};
}

// A group's tick: counter, tick count and rate move; every 19th tick the
// phase steps on.
void drift(const Group& g, double rateStep) {
    g.count += 1;
    g.tick += 1;
    g.rate += rateStep;
    if (g.tick > 18) {
        g.phase += phaseStep;
        g.tick = 0;
    }
}

// The shell's tick moves the gold and egg groups (a phase step and back to 0
// past 6, no drawing of their own) and its own numbers.
void shellTick(PatternEnv& c, PatternKind kind, bool free) {
    drift(groupOf(c, PatternGroup::Gold), 0.1);
    if (c.goldCount > 6) {
        c.goldPhase += phaseStep;
        c.goldCount = 0;
    }
    drift(groupOf(c, PatternGroup::Egg), 0.5);
    if (c.eggCount > 6)
        c.eggCount = 0;
    c.oat += 1;
    c.goodt += 0.05;
    c.goody += 0.5;
    if (c.oat > 6 && free)
        redraw(c, kind, c.oat);
}

// The patterns' ticks. While a frame is still on its way (its message may
// be up, and a message box lets timers tick), no second one starts: the
// counter stays above its mark and the first free tick after it redraws.
void tick(PatternEnv& c, const PatternDesign& row, bool free) {
    switch (row.tick) {
    case PatternTick::None:
        return;
    case PatternTick::Quick: {
        const Group g = groupOf(c, row.driven);
        drift(g, 0.5);
        if (g.count > 3 && free)
            redraw(c, row.kind, g.count);
        return;
    }
    case PatternTick::Slow: {
        const Group g = groupOf(c, row.driven);
        drift(g, 0.1);
        if (g.count > 6 && free) {
            g.phase += phaseStep;
            redraw(c, row.kind, g.count);
        }
        return;
    }
    case PatternTick::Shell:
        shellTick(c, row.kind, free);
        return;
    }
}

} // namespace

PatternEnv::Timers PatternEnv::makeTimers(std::vector<CanvasTimer*>& list) {
    Timers timers;
    for (const PatternDesign& row : patternTable)
        if (row.tick != PatternTick::None)
            timers[index(row.kind)] = std::make_unique<CanvasTimer>(list, row.interval);
    return timers;
}

void drawPattern(PatternEnv& canvas, PatternKind kind) {
    const PatternDesign& row = patternRow(kind);
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
            if (row.solidFill)
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
    const bool once = row.tick == PatternTick::None;
    canvas.buttonOf(kind)->setBackColor(once ? towerDoneColor : patternRunningColor);
    if (!once)
        (void)yanchi(canvas); // the frame's last step: nothing follows either way
}

bool isRunningPatternButton(const PatternEnv& canvas, const QWidget* widget) {
    for (const PatternDesign& row : patternTable)
        if (widget && widget == canvas.buttonOf(row.kind))
            return canvas.timerOf(row.kind) && canvas.timerOf(row.kind)->isActive();
    return false;
}

void patternButton(PatternEnv& canvas, PatternKind kind) {
    const PatternDesign& row = patternRow(kind);
    CommandButton* button = canvas.buttonOf(kind);
    QTimer* timer = canvas.timerOf(kind);
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
    if (row.startsShellAfresh) {
        canvas.goodt = 0;
        canvas.goody = 0;
    }
    if (row.shown != PatternGroup::None) {
        const Group g = groupOf(canvas, row.shown);
        canvas.Text2->setText(rateAndPhase(g.rate, g.phase));
    }
    drawPattern(canvas, kind);
}

void patternTick(PatternEnv& canvas, PatternKind kind) {
    tick(canvas, patternRow(kind), canvas.patternBusy == 0);
}

} // namespace quorin
