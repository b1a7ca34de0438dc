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
void slowTick(PatternEnv& c, PatternKind kind, double& count, double& tick, double& rate,
              double& phase, bool free) {
    drift(count, tick, rate, phase, 0.1);
    if (count > 6 && free) {
        phase += phaseStep;
        redraw(c, kind, count);
    }
}

// The patterns' ticks. While a frame is still on its way (its message may
// be up, and a message box lets timers tick), no second one starts: the
// counter stays above its mark and the first free tick after it redraws.
void eggTick(PatternEnv& c, PatternKind kind, bool free) {
    drift(c.eggCount, c.eggTick, c.eggRate, c.eggPhase, 0.5);
    if (c.eggCount > 3 && free)
        redraw(c, kind, c.eggCount);
}

// 光 drives the gold group, which it does not read.
void goldTick(PatternEnv& c, PatternKind kind, bool free) {
    slowTick(c, kind, c.goldCount, c.goldTick, c.goldRate, c.goldPhase, free);
}

void growthTick(PatternEnv& c, PatternKind kind, bool free) {
    slowTick(c, kind, c.growthCount, c.growthTick, c.growthRate, c.growthPhase, free);
}

void shellTick(PatternEnv& c, PatternKind kind, bool free) {
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
}

// 光 starts the shell's goodt and goody afresh.
void lightStart(PatternEnv& c) {
    c.goodt = 0;
    c.goody = 0;
}

using E = PatternEnv;

const PatternRow table[] = {
    // kind, caption, button place; button, timer; shown group; start, solid fill, tick
    {PatternKind::Light, "光", 240, 1200, 372, 372, &E::Command7, &E::Timer16, &E::growthRate,
     &E::growthPhase, lightStart, true, goldTick},
    {PatternKind::Tower, "塔", 240, 1680, 372, 372, &E::Command6, nullptr, nullptr, nullptr,
     nullptr, true, nullptr},
    {PatternKind::Shell, "果壳", 120, 2160, 492, 372, &E::Command4, &E::Timer4, nullptr, nullptr,
     nullptr, true, shellTick},
    {PatternKind::Growth, "生", 240, 2760, 372, 372, &E::Command5, &E::Timer7, &E::growthRate,
     &E::growthPhase, nullptr, true, growthTick},
    {PatternKind::Gold, "金", 240, 3240, 372, 372, &E::Command3, &E::Timer6, &E::goldRate,
     &E::goldPhase, nullptr, false, goldTick},
    {PatternKind::Egg, "蛋", 240, 3720, 372, 372, &E::Command2, &E::Timer5, &E::eggRate,
     &E::eggPhase, nullptr, false, eggTick},
};

} // namespace

std::span<const PatternRow> patternTable() {
    return table;
}

const PatternRow& patternRow(PatternKind kind) {
    for (const PatternRow& row : table)
        if (row.kind == kind)
            return row;
    return table[0]; // every kind has a row (the tests check)
}

void drawPattern(PatternEnv& canvas, PatternKind kind) {
    const PatternRow& row = patternRow(kind);
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
    const bool once = !row.timer;
    (canvas.*row.button)->setBackColor(once ? towerDoneColor : patternRunningColor);
    if (!once)
        (void)yanchi(canvas); // the frame's last step: nothing follows either way
}

bool isRunningPatternButton(const PatternEnv& canvas, const QWidget* widget) {
    for (const PatternRow& row : table)
        if (widget && row.timer && widget == canvas.*row.button)
            return (canvas.*row.timer).isActive();
    return false;
}

void patternButton(PatternEnv& canvas, PatternKind kind) {
    const PatternRow& row = patternRow(kind);
    CommandButton* button = canvas.*row.button;
    if (!row.timer) { // 塔
        button->setBackColor(patternRunningColor);
        drawPattern(canvas, kind);
        return;
    }
    QTimer& timer = canvas.*row.timer;
    if (timer.isActive()) {
        button->setBackColor(patternStoppedColor);
        timer.stop();
        return;
    }
    button->setBackColor(patternRunningColor);
    timer.start();
    if (row.onStart)
        row.onStart(canvas);
    if (row.shownRate)
        canvas.Text2->setText(rateAndPhase(canvas.*row.shownRate, canvas.*row.shownPhase));
    drawPattern(canvas, kind);
}

void patternTick(PatternEnv& canvas, PatternKind kind) {
    const PatternRow& row = patternRow(kind);
    if (row.tick)
        row.tick(canvas, kind, canvas.patternBusy == 0);
}

} // namespace quorin
