#pragma once
#include "core/Patterns.h"
#include "motion/CanvasPlot.h"
#include "platform/Colour.h"
#include "state/CanvasFields.h"
#include <array>
#include <memory>

class QWidget;

namespace quorin {

// What the patterns act on: the plots, the message line, and their buttons,
// timers and groups.
class PatternEnv : public virtual CanvasPlotEnv,
                   public virtual CanvasFields,
                   public virtual CanvasTimerList {
public:
    // Each pattern's button and timer (none for 塔), made from its row of the
    // table; the designed names below are the six patterns'.
    CommandButton*& buttonOf(PatternKind kind) { return patternButtons_[index(kind)]; }
    CommandButton* buttonOf(PatternKind kind) const { return patternButtons_[index(kind)]; }
    CanvasTimer* timerOf(PatternKind kind) const { return patternTimers_[index(kind)].get(); }

private:
    static std::size_t index(PatternKind kind) { return std::size_t(kind); }
    using Timers = std::array<std::unique_ptr<CanvasTimer>, patternCount>;
    static Timers makeTimers(std::vector<CanvasTimer*>& list);
    std::array<CommandButton*, patternCount> patternButtons_{};
    Timers patternTimers_ = makeTimers(timers_);

public:
    CommandButton*& Command2 = buttonOf(PatternKind::Egg);    // 蛋
    CommandButton*& Command3 = buttonOf(PatternKind::Gold);   // 金
    CommandButton*& Command4 = buttonOf(PatternKind::Shell);  // 果壳
    CommandButton*& Command5 = buttonOf(PatternKind::Growth); // 生
    CommandButton*& Command6 = buttonOf(PatternKind::Tower);  // 塔
    CommandButton*& Command7 = buttonOf(PatternKind::Light);  // 光
    CanvasTimer& Timer4 = *timerOf(PatternKind::Shell);       // 果壳
    CanvasTimer& Timer5 = *timerOf(PatternKind::Egg);         // 蛋
    CanvasTimer& Timer6 = *timerOf(PatternKind::Gold);        // 金
    CanvasTimer& Timer7 = *timerOf(PatternKind::Growth);      // 生
    CanvasTimer& Timer16 = *timerOf(PatternKind::Light);      // 光

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
