#include "core/Patterns.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorin {
namespace {

const double pi = 4 * std::atan(1.0);

std::vector<PatternStep> stepsOf(PatternKind kind, const PatternParams& p) {
    std::vector<PatternStep> steps;
    patternSteps(kind, p, [&](const PatternStep& s) {
        steps.push_back(s);
        return true;
    });
    return steps;
}

// The kinds as letters: P point, L line, W wait.
std::string shape(const std::vector<PatternStep>& steps) {
    std::string out;
    for (const PatternStep& s : steps)
        out += "PLW"[s.kind];
    return out;
}

std::string repeat(const std::string& unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

const PatternParams params{3.5, 0.2, 1.3, 0.4, 2.1, 0.3, 0.15, 1.5, 2, -3, 50};

// Each pattern's steps in their stated order: where the waits fall, how many
// turns, and the start points.
TEST(Patterns, StepsComeInTheirOrderAndNumber) {
    struct Expect {
        PatternKind kind;
        std::string start, unit;
        int turns;
    };
    for (const Expect& e :
         {Expect{PatternKind::Egg, "PP", "WLL", 1001}, Expect{PatternKind::Gold, "PP", "LW", 1001},
          Expect{PatternKind::Shell, "P", "LLLLLLW", 501},
          Expect{PatternKind::Growth, "P", "LWLWL", 301},
          Expect{PatternKind::Tower, "P", "WL", 1001},
          Expect{PatternKind::Light, "P", "WL", 601}}) {
        const auto steps = stepsOf(e.kind, params);
        // A floating loop to 2 pi + d theta may end one turn short by rounding.
        const std::string got = shape(steps);
        EXPECT_TRUE(got == e.start + repeat(e.unit, e.turns) ||
                    got == e.start + repeat(e.unit, e.turns + 1))
            << int(e.kind) << ": " << got.size() << " steps";
    }
    const auto egg = stepsOf(PatternKind::Egg, params);
    EXPECT_EQ(std::count_if(egg.begin(), egg.end(),
                            [](const PatternStep& s) { return s.kind == PatternStep::Line; }),
              2002);
}

TEST(Patterns, FirstAndLastLinesOfTheEggAndTheGold) {
    const auto egg = stepsOf(PatternKind::Egg, params);
    EXPECT_EQ(egg[0].x1, params.zx);
    EXPECT_EQ(egg[0].y1, params.zy);
    EXPECT_EQ(egg[1].y1, params.zy + 0.9 * params.yb);
    const double dTheta = 2 * pi / 1000, ry = 0.9 * params.yb;
    const auto eggLines = [&](double th) {
        const double r = ry * std::cos(params.eggPhase + params.eggRate * th);
        const double c = std::cos(params.eggRate * th), s = std::sin(params.eggRate * th);
        // The far ends are built from (zy, zx).
        return std::array<double, 5>{r, params.zy - r * c, params.zx - r * s, params.zy + r * c,
                                     params.zx + r * s};
    };
    const auto first = eggLines(dTheta);
    EXPECT_DOUBLE_EQ(egg[3].y1, first[0]);
    EXPECT_EQ(egg[3].x1, 0);
    EXPECT_DOUBLE_EQ(egg[3].x2, first[1]);
    EXPECT_DOUBLE_EQ(egg[3].y2, first[2]);
    EXPECT_DOUBLE_EQ(egg[4].x2, first[3]);
    EXPECT_DOUBLE_EQ(egg[4].y2, first[4]);
    const auto last = eggLines(2 * pi + dTheta);
    EXPECT_NEAR(egg.back().x2, last[3], 1e-6);
    EXPECT_NEAR(egg.back().y2, last[4], 1e-6);

    const auto gold = stepsOf(PatternKind::Gold, params);
    const double r0 = 1 / std::cos(params.goldPhase);
    EXPECT_EQ(gold[2].kind, PatternStep::Line);
    EXPECT_DOUBLE_EQ(gold[2].y1, r0);
    EXPECT_DOUBLE_EQ(gold[2].x2, params.zx + r0);
    EXPECT_DOUBLE_EQ(gold[2].y2, params.zy);
}

TEST(Patterns, FixedCurvesIgnoreTheParametersAndAFrameCanStopEarly) {
    PatternParams other = params;
    other.eggRate = other.goldRate = other.growthRate = 99;
    other.goldPhase = other.growthPhase = 5;
    for (PatternKind kind : {PatternKind::Tower, PatternKind::Light}) {
        const auto a = stepsOf(kind, params), b = stepsOf(kind, other);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(a[10].y2, b[10].y2);
    }
    int seen = 0;
    patternSteps(PatternKind::Egg, params, [&](const PatternStep&) { return ++seen < 5; });
    EXPECT_EQ(seen, 5);
}

// The table: every kind once and each kind's row found by it (the canvas
// keeps buttons and timers by kind), a timer exactly for the rows that tick,
// a group for the ticks that drive one, and no designed name twice.
TEST(Patterns, TheTableHasOneSoundRowPerKind) {
    std::vector<int> kinds;
    std::vector<std::string> names;
    for (const PatternDesign& row : patternTable) {
        kinds.push_back(int(row.kind));
        EXPECT_EQ(&patternRow(row.kind), &row) << row.caption;
        EXPECT_EQ(row.timer != nullptr, row.tick != PatternTick::None) << row.caption;
        EXPECT_EQ(row.interval > 0, row.tick != PatternTick::None) << row.caption;
        const bool drives = row.tick == PatternTick::Quick || row.tick == PatternTick::Slow;
        EXPECT_EQ(row.driven != PatternGroup::None, drives) << row.caption;
        names.push_back(row.button);
        if (row.timer)
            names.push_back(row.timer);
    }
    std::sort(kinds.begin(), kinds.end());
    for (int i = 0; i < patternCount; ++i)
        EXPECT_EQ(kinds[i], i);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

} // namespace
} // namespace quorin
