#pragma once
#include <functional>
#include <iterator>

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

// The groups of drifting numbers the pattern timers drive: counter, tick
// count, rate and phase each.
enum class PatternGroup { None, Egg, Gold, Growth };

// How a tick of a pattern's timer moves its numbers and when it redraws.
enum class PatternTick {
    None,  // no timer: each press draws once (塔)
    Quick, // its group drifts by 0.5 a tick; a redraw after 3 ticks (蛋)
    Slow,  // its group drifts by 0.1; a redraw after 6, a phase step first
    Shell, // the gold and egg groups and the shell's oat, goodt, goody (果壳)
};

// A row of the pattern table: all the canvas knows of a pattern besides its
// curve (patternSteps). The canvas makes the pattern's button and timer from
// its row and finds them by the kind.
struct PatternDesign {
    PatternKind kind;
    // The button: its caption, designed name, and place in twips.
    const char* caption;
    const char* button;
    double left, top, width, height;
    // Its timer's designed name and interval (none: PatternTick::None).
    const char* timer;
    int interval;
    PatternTick tick;
    // The group a tick drives (Quick, Slow), and the one whose rate@phase a
    // press that starts the timer shows in Text2 (None: Text2 stays).
    PatternGroup driven;
    PatternGroup shown;
    // A starting press puts the shell's goodt and goody back to 0.
    bool startsShellAfresh;
    // A frame draws with a solid fill.
    bool solidFill;
};

// One row per pattern, in the order the buttons are created (top of the
// canvas down).
inline constexpr PatternDesign patternTable[] = {
    // kind, caption, button, place; timer, interval, tick; driven, shown; shell afresh, solid
    {PatternKind::Light, "光", "Command7", 240, 1200, 372, 372, "Timer16", 1000, PatternTick::Slow,
     PatternGroup::Gold, PatternGroup::Growth, true, true},
    {PatternKind::Tower, "塔", "Command6", 240, 1680, 372, 372, nullptr, 0, PatternTick::None,
     PatternGroup::None, PatternGroup::None, false, true},
    {PatternKind::Shell, "果壳", "Command4", 120, 2160, 492, 372, "Timer4", 1000,
     PatternTick::Shell, PatternGroup::None, PatternGroup::None, false, true},
    {PatternKind::Growth, "生", "Command5", 240, 2760, 372, 372, "Timer7", 1000, PatternTick::Slow,
     PatternGroup::Growth, PatternGroup::Growth, false, true},
    {PatternKind::Gold, "金", "Command3", 240, 3240, 372, 372, "Timer6", 1000, PatternTick::Slow,
     PatternGroup::Gold, PatternGroup::Gold, false, false},
    {PatternKind::Egg, "蛋", "Command2", 240, 3720, 372, 372, "Timer5", 1000, PatternTick::Quick,
     PatternGroup::Egg, PatternGroup::Egg, false, false},
};
inline constexpr int patternCount = int(std::size(patternTable));

// The row of a kind (every kind has one: the tests check).
constexpr const PatternDesign& patternRow(PatternKind kind) {
    for (const PatternDesign& row : patternTable)
        if (row.kind == kind)
            return row;
    return patternTable[0];
}

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
