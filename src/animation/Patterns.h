#pragma once
#include "core/Patterns.h"
#include "motion/CanvasPlot.h"
#include "platform/Colour.h"
#include "state/CanvasFields.h"
#include <span>

class QWidget;

namespace quorin {

// What the patterns act on: the plots, the message line, and their buttons,
// timers and groups.
class PatternEnv : public virtual CanvasPlotEnv,
                   public virtual CanvasFields,
                   public virtual CanvasTimerList {
public:
    CommandButton* Command2 = nullptr; // 蛋
    CommandButton* Command3 = nullptr; // 金
    CommandButton* Command4 = nullptr; // 果壳
    CommandButton* Command5 = nullptr; // 生
    CommandButton* Command6 = nullptr; // 塔
    CommandButton* Command7 = nullptr; // 光

    CanvasTimer Timer4{timers_, 1000};  // 果壳
    CanvasTimer Timer5{timers_, 1000};  // 蛋
    CanvasTimer Timer6{timers_, 1000};  // 金
    CanvasTimer Timer7{timers_, 1000};  // 生
    CanvasTimer Timer16{timers_, 1000}; // 光

    // Pattern parameters: counter, tick count, rate and phase of each group,
    // and the shell's oat, goodt and goody.
    double eggCount = 0, eggTick = 0, eggRate = 0, eggPhase = 0;
    double goldCount = 0, goldTick = 0, goldRate = 0, goldPhase = 0;
    double growthCount = 0, growthTick = 0, growthRate = 0, growthPhase = 0;
    double oat = 0, goodt = 0, goody = 0;
    // A pattern frame is being drawn or shows its message: ticks do not start
    // another redraw meanwhile.
    int patternBusy = 0;

protected:
    ~PatternEnv() = default;
};

// A row of the pattern table: all the canvas knows of a pattern besides its
// curve (core/Patterns) and its tick. The window creates and wires the
// buttons and timers from it; the commands below find a pattern's button,
// timer and state in it.
struct PatternRow {
    PatternKind kind;
    // The button: its caption and place in twips, and where the canvas keeps it.
    const char* caption;
    double left, top, width, height;
    CommandButton* PatternEnv::*button;
    // Its timer; none: each press draws once, and the button turns towerDoneColor.
    CanvasTimer PatternEnv::*timer;
    // The group whose rate@phase a press that starts the timer shows in Text2
    // (none: Text2 stays), and what else such a press does first.
    double PatternEnv::*shownRate;
    double PatternEnv::*shownPhase;
    void (*onStart)(PatternEnv&);
    // A frame draws with a solid fill.
    bool solidFill;
    // A tick of its timer: the groups it drives drift, and it redraws when
    // `free` (no frame on its way).
    void (*tick)(PatternEnv&, PatternKind, bool free);
};

// The table, one row per pattern, in the order the buttons are created (top
// of the canvas down).
std::span<const PatternRow> patternTable();
const PatternRow& patternRow(PatternKind kind);

// The pattern buttons 蛋 金 果壳 生 塔 光 (Command2 .. Command7): a press starts
// the pattern's timer and draws it once, or stops a running one (the drawing
// stays). 塔 has no timer: each press draws once.
void patternButton(PatternEnv& canvas, PatternKind kind);

// A tick of the pattern's timer (Timer5, Timer6, Timer4, Timer7, Timer16):
// the rates and phases drift, and every few ticks the picture is emptied and
// the pattern drawn anew.
void patternTick(PatternEnv& canvas, PatternKind kind);

// One frame of the pattern (coma2 .. coma7): the input check, the plot window
// of the drop path, the pattern, the running colour on its button and the
// one-second hold (none after 塔).
void drawPattern(PatternEnv& canvas, PatternKind kind);

// The button of a pattern whose timer runs: a press on it stops the pattern.
bool isRunningPatternButton(const PatternEnv& canvas, const QWidget* widget);

inline constexpr ColorValue patternRunningColor = 55488;
inline constexpr ColorValue patternStoppedColor = rgb(232, 227, 174);
inline constexpr ColorValue towerDoneColor = 217;

} // namespace quorin
