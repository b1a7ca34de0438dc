#pragma once
#include "core/Patterns.h"
#include "platform/Colour.h"
#include "state/CanvasEnv.h"
#include <span>

class QWidget;

namespace quorin {

// A row of the pattern table: all the canvas knows of a pattern besides its
// curve (core/Patterns) and its tick. The window creates and wires the
// buttons and timers from it; the commands below find a pattern's button,
// timer and state in it.
struct PatternRow {
    PatternKind kind;
    // The button: its caption and place in twips, and where the canvas keeps it.
    const char* caption;
    double left, top, width, height;
    CommandButton* CanvasEnv::*button;
    // Its timer; none: each press draws once, and the button turns towerDoneColor.
    CanvasTimer CanvasEnv::*timer;
    // The group whose rate@phase a press that starts the timer shows in Text2
    // (none: Text2 stays), and what else such a press does first.
    double CanvasEnv::*shownRate;
    double CanvasEnv::*shownPhase;
    void (*onStart)(CanvasEnv&);
    // A frame draws with a solid fill.
    bool solidFill;
    // A tick of its timer: the groups it drives drift, and it redraws when
    // `free` (no frame on its way).
    void (*tick)(CanvasEnv&, PatternKind, bool free);
};

// The table, one row per pattern, in the order the buttons are created (top
// of the canvas down).
std::span<const PatternRow> patternTable();
const PatternRow& patternRow(PatternKind kind);

// The pattern buttons 蛋 金 果壳 生 塔 光 (Command2 .. Command7): a press starts
// the pattern's timer and draws it once, or stops a running one (the drawing
// stays). 塔 has no timer: each press draws once.
void patternButton(CanvasEnv& canvas, PatternKind kind);

// A tick of the pattern's timer (Timer5, Timer6, Timer4, Timer7, Timer16):
// the rates and phases drift, and every few ticks the picture is emptied and
// the pattern drawn anew.
void patternTick(CanvasEnv& canvas, PatternKind kind);

// One frame of the pattern (coma2 .. coma7): the input check, the plot window
// of the drop path, the pattern, the running colour on its button and the
// one-second hold (none after 塔).
void drawPattern(CanvasEnv& canvas, PatternKind kind);

// The button of a pattern whose timer runs: a press on it stops the pattern.
bool isRunningPatternButton(const CanvasEnv& canvas, const QWidget* widget);

inline constexpr ColorValue patternRunningColor = 55488;
inline constexpr ColorValue patternStoppedColor = rgb(232, 227, 174);
inline constexpr ColorValue towerDoneColor = 217;

} // namespace quorin
