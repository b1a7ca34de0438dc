#pragma once
#include "core/Patterns.h"
#include "platform/Colour.h"

class QWidget;

namespace quorin {

class CanvasEnv;

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
