#pragma once
#include <functional>

namespace quorin {

// The six rotating line patterns of the canvas, as the points and lines they
// draw and the places of their pauses. The window only draws what a pattern
// yields and waits where it says.
enum class PatternKind {
    Egg,    // 蛋, coma2
    Gold,   // 金, coma3
    Shell,  // 果壳, coma4
    Growth, // 生, coma5
    Tower,  // 塔, coma6
    Light,  // 光, coma7
};

// What a pattern reads: the rates and phases of its groups, the shell's goodt
// and goody, the start point (zx, zy) and the plot window's yb.
struct PatternParams {
    double eggRate = 0, eggPhase = 0;
    double goldRate = 0, goldPhase = 0;
    double growthRate = 0, growthPhase = 0;
    double goodt = 0, goody = 0;
    double zx = 0, zy = 0, yb = 0;
};

// One step of a pattern: a point that sets the current position, a line
// with both ends given, or a pause.
struct PatternStep {
    enum Kind { Point, Line, Pause } kind = Pause;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a point uses (x1, y1)
};

// The steps of one frame of a pattern, in drawing order; `step` returns
// false to end the frame early. The 1/cos terms may give huge or infinite
// coordinates: the picture box clips or skips them.
void patternSteps(PatternKind kind, const PatternParams& p,
                  const std::function<bool(const PatternStep&)>& step);

// The step every tick adds to a phase (pi/12 to nine decimals).
inline constexpr double phaseStep = 0.261799387;

} // namespace quorin
