// Commands run on the one environment they take, with nothing else of the
// canvas or the program built.
#include "animation/Patterns.h"
#include "motion/CanvasWaits.h"
#include "state/DropFields.h"
#include "support/NarrowCanvas.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using test::NarrowCanvas;

// The patterns' environment with the buttons the window would make from the
// table, the message line, and the main window's drop fields at their
// defaults.
class PatternEnvAlone : public ::testing::Test {
protected:
    PatternEnvAlone() {
        for (const PatternDesign& row : patternTable)
            c.buttonOf(row.kind) =
                new CommandButton(QString::fromUtf8(row.caption), &c.canvasWidget());
        c.Text2 = new TextBox(&c.canvasWidget());
        for (int i : dropInputFields)
            c.outside.fields[i] = QStringLiteral("1");
    }
    int pauses() const { return c.outside.clock.pauses(); }
    NarrowCanvas<PatternEnv> c;
};

// Ticks that arrive while a frame is on its way (its waits let timers in)
// start no second frame: the counter runs past its mark, and the first free
// tick redraws.
TEST_F(PatternEnvAlone, TicksDuringAFrameWaitForTheFirstFreeTick) {
    int deepest = 0, n = 0;
    c.outside.clock.onPause = [&](int) {
        deepest = std::max(deepest, c.patternBusy);
        if (++n == 10)
            for (int i = 0; i < 5; ++i)
                patternTick(c, PatternKind::Egg);
    };
    patternButton(c, PatternKind::Egg);
    EXPECT_TRUE(c.Timer5.isActive());
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(c.eggCount, 5);
    EXPECT_EQ(c.Command2->backColor(), patternRunningColor);

    const int before = pauses();
    patternTick(c, PatternKind::Egg);
    EXPECT_GT(pauses() - before, 1000);
    EXPECT_EQ(c.eggCount, 0);
    EXPECT_EQ(deepest, 1);
}

// A stop request (or an unloaded canvas) ends a wait and skips the clearing
// that follows it: what was drawn stays.
TEST(CanvasSurfaceAlone, AStoppedWaitLeavesTheDrawing) {
    NarrowCanvas<CanvasSurface> c;
    c.Picture1->setBackColor(colors::black);
    c.Picture1->scaleToPixels();
    c.Picture1->pset(3, 3, colors::red);
    c.outside.stop = true;
    EXPECT_FALSE(pauseAndClear(c, 0.01));
    EXPECT_EQ(c.Picture1->point(3, 3), colors::red);
    c.outside.stop = false;
    EXPECT_TRUE(pauseAndClear(c, 0.01));
    EXPECT_NE(c.Picture1->point(3, 3), colors::red);
    c.markDead();
    EXPECT_FALSE(canvasPause(c));
    EXPECT_FALSE(yanchi(c));
}

} // namespace
} // namespace quorin
