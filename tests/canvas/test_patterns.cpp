#include "animation/Patterns.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <set>

namespace quorin {
namespace {

using test::CanvasTest;

class Patterns : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Math, {240, 160}, colors::black);
        c->yaa = colors::red;
    }
    // A frame is 1000 or more waits; the hold one more.
    int waitsOf(const std::function<void()>& act) {
        const int before = t.clock.pauses();
        act();
        return t.clock.pauses() - before;
    }
    int ticks(PatternKind kind, int n) {
        int redraws = 0;
        for (int i = 0; i < n; ++i)
            redraws += waitsOf([&] { patternTick(*c, kind); }) > 0;
        return redraws;
    }
    CanvasWindow* c = nullptr;
};

TEST_F(Patterns, EggRunsOnItsTimerRedrawsEveryFourthTickAndDriftsItsPhase) {
    EXPECT_GT(waitsOf([&] { c->Command2->click(); }), 1001);
    EXPECT_TRUE(c->Timer5.isActive());
    EXPECT_EQ(c->Command2->backColor(), patternRunningColor);
    EXPECT_EQ(c->Text2->text(), QStringLiteral("0@0"));
    EXPECT_EQ(ticks(PatternKind::Egg, 3), 0);
    EXPECT_EQ(ticks(PatternKind::Egg, 1), 1); // the 4th tick after a draw
    EXPECT_EQ(c->eggCount, 0);
    EXPECT_EQ(c->eggPhase, 0);
    ticks(PatternKind::Egg, 15); // 19 ticks in all
    EXPECT_EQ(c->eggPhase, phaseStep);
    EXPECT_EQ(c->eggTick, 0);
    EXPECT_DOUBLE_EQ(c->eggRate, 9.5);

    // A second press stops it and keeps the drawing.
    const QImage drawn = c->Picture1->persistentImage();
    c->Command2->click();
    EXPECT_FALSE(c->Timer5.isActive());
    EXPECT_EQ(c->Command2->backColor(), patternStoppedColor);
    EXPECT_EQ(c->Picture1->persistentImage(), drawn);
}

TEST_F(Patterns, GoldGrowthAndLightRedrawOnTheSeventhTickWithAPhaseStep) {
    for (PatternKind kind : {PatternKind::Gold, PatternKind::Growth, PatternKind::Light}) {
        patternButton(*c, kind);
        double& phase = kind == PatternKind::Growth ? c->growthPhase : c->goldPhase;
        const double before = phase;
        EXPECT_EQ(ticks(kind, 6), 0);
        EXPECT_EQ(ticks(kind, 1), 1);
        EXPECT_DOUBLE_EQ(phase, before + phaseStep);
        patternButton(*c, kind); // stop
    }
    // 光's start puts the shell's drift back and shows the growth group.
    c->goodt = 3;
    c->goody = 4;
    c->growthRate = 1.5;
    patternButton(*c, PatternKind::Light);
    EXPECT_EQ(c->goodt + c->goody, 0);
    EXPECT_EQ(c->Text2->text(), QStringLiteral("1.5@") + numberToText(c->growthPhase));
}

TEST_F(Patterns, ShellMovesBothGroupsAndRedrawsOnItsSeventhTick) {
    c->Command4->click();
    EXPECT_TRUE(c->Timer4.isActive());
    EXPECT_EQ(c->Text2->text(), QStringLiteral("Quorin\r\n")); // left as it was
    EXPECT_EQ(ticks(PatternKind::Shell, 6), 0);
    EXPECT_EQ(ticks(PatternKind::Shell, 1), 1);
    EXPECT_EQ(c->oat, 0);
    // Seven ticks: the gold counter passed 6 (phase step, no drawing of its
    // own), the egg counter too (back to 0).
    EXPECT_DOUBLE_EQ(c->goldPhase, phaseStep);
    EXPECT_EQ(c->goldCount, 0);
    EXPECT_EQ(c->eggCount, 0);
    EXPECT_DOUBLE_EQ(c->eggRate, 3.5);
    EXPECT_DOUBLE_EQ(c->goody, 3.5);
}

TEST_F(Patterns, TowerDrawsOnceWithoutTimerOrHold) {
    const double start = t.clock.now();
    c->Command6->click();
    EXPECT_EQ(c->Command6->backColor(), towerDoneColor);
    EXPECT_NEAR(t.clock.now() - start, 10.01, 0.02); // 1001 pauses, no hold
    EXPECT_NE(c->Picture1->point(0, 0), -1);
}

TEST_F(Patterns, RedrawLeavesOnlyTheNewFrame) {
    patternButton(*c, PatternKind::Egg);
    c->Picture1->resetScale();
    c->Picture1->scaleToPixels();
    c->Picture1->pset(1, 1, colors::blue); // a mark away from the pattern
    c->Picture1->pset(238, 158, colors::blue);
    ticks(PatternKind::Egg, 4);
    c->Picture1->scaleToPixels();
    EXPECT_NE(c->Picture1->point(1, 1), colors::blue);
    EXPECT_NE(c->Picture1->point(238, 158), colors::blue);
}

// A tick while the input message is up does not open a second box on top of
// it; the timer keeps running and the next free tick shows it again.
TEST_F(Patterns, BadInputsShowOneMessageAtATimeAndKeepTheTimer) {
    main().Text1[0]->setText(QStringLiteral("abc"));
    int nested = 0;
    t.dialogs.onMessage = [&] {
        if (nested++ == 0)
            for (int i = 0; i < 10; ++i)
                patternTick(*c, PatternKind::Egg);
    };
    c->Command2->click();
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(inputCheckMessage)});
    EXPECT_TRUE(c->Timer5.isActive());
    EXPECT_EQ(c->Command2->backColor(), patternRunningColor);
    EXPECT_EQ(c->eggCount, 10);        // the counters moved meanwhile
    patternTick(*c, PatternKind::Egg); // free again: redraws, and says it again
    EXPECT_EQ(t.dialogs.messageTexts().size(), 2);
    EXPECT_EQ(c->eggCount, 0);

    t.dialogs.onMessage = nullptr;
    for (const char* time : {"0", "-1"}) {
        main().Text1[0]->setText(QStringLiteral("1"));
        main().Text1[10]->setText(QString::fromLatin1(time));
        drawPattern(*c, PatternKind::Gold);
    }
    main().Text1[10]->setText(QStringLiteral("1"));
    main().Text1[13]->setText(QStringLiteral("0"));
    drawPattern(*c, PatternKind::Gold);
    const QStringList texts = t.dialogs.messageTexts();
    EXPECT_EQ(texts.mid(2), (QStringList{QString::fromUtf8(inputCheckMessage),
                                         QString::fromUtf8(inputCheckMessage),
                                         QString::fromUtf8(arithmeticErrorMessage)}));
}

// Where a cosine passes 0 the lines run out to huge or infinite points; the
// frame still ends, and draws what is in view.
TEST_F(Patterns, FramesThroughTheZerosOfTheCosineEnd) {
    c->goldPhase = 2 * std::atan(1.0); // 1/cos at theta = 0 is about 1.6e16
    c->growthPhase = -0.00001;         // and 1/cos(A) is infinite at theta = 0
    for (PatternKind kind : {PatternKind::Gold, PatternKind::Growth, PatternKind::Shell}) {
        c->Picture1->clearPicture();
        drawPattern(*c, kind);
        EXPECT_FALSE(c->Picture1->persistentImage().isNull());
    }
    EXPECT_TRUE(t.dialogs.shown().empty());
}

// The window makes every row's button, each with its caption, and the
// timers the rows ask for, each in the canvas's list.
TEST_F(Patterns, EveryRowGetsItsOwnButtonAndTimer) {
    std::set<const QWidget*> buttons;
    std::set<const QTimer*> timers;
    for (const PatternDesign& row : patternTable) {
        const CommandButton* button = c->buttonOf(row.kind);
        ASSERT_NE(button, nullptr) << row.caption;
        EXPECT_TRUE(buttons.insert(button).second) << row.caption;
        EXPECT_EQ(button->caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(c->control({row.button}), button) << row.button;
        EXPECT_EQ(c->timerOf(row.kind) != nullptr, row.timer != nullptr) << row.caption;
        if (const CanvasTimer* timer = c->timerOf(row.kind)) {
            EXPECT_TRUE(timers.insert(timer).second) << row.caption;
            EXPECT_EQ(timer->interval(), row.interval);
            EXPECT_EQ(std::count(c->timers().begin(), c->timers().end(), timer), 1);
        }
    }
}

// The canvas's list of timers: each designed timer once, with its designed
// interval (the patterns' from their rows, above), and an unload stops them
// all.
TEST_F(Patterns, TheCanvasTimersAreListedOnceWithTheirDesignedIntervals) {
    const std::pair<const QTimer*, int> designed[] = {
        {&c->Timer1, 1800},  {&c->Timer8, 1000},  {&c->Timer9, 200}, {&c->Timer10, 1},
        {&c->Timer11, 1},    {&c->Timer12, 1500}, {&c->Timer13, 10}, {&c->Timer14, 100},
        {&c->Timer17, 1000}, {&c->Timer18, 3000},
    };
    const auto patternTimers = std::count_if(std::begin(patternTable), std::end(patternTable),
                                             [](const PatternDesign& row) { return row.timer; });
    // The features keep their own timers, so the list is in no designed order.
    ASSERT_EQ(c->timers().size(), std::size(designed) + patternTimers);
    for (const auto& [timer, interval] : designed) {
        EXPECT_EQ(std::count(c->timers().begin(), c->timers().end(), timer), 1) << interval;
        EXPECT_EQ(timer->interval(), interval);
    }
    for (QTimer* timer : c->timers())
        timer->start();
    c->unloadHandler();
    for (const QTimer* timer : c->timers())
        EXPECT_FALSE(timer->isActive());
}

// (Esc in the middle of the frames: StopRequests.)
TEST(StartUpDisplay, DrawsGrowthThenGoldFullScreenAndEscEndsIt) {
    test::TestProgram t;
    MainWindow& m = t.main();
    m.show();
    m.timer4Tick();
    CanvasWindow& canvas = t.program->canvas();
    canvas.timer17Tick();
    ASSERT_TRUE(t.state().screenSaverMode);
    const int before = t.clock.pauses();
    canvas.timer18Tick();
    EXPECT_GT(t.clock.pauses() - before, 600 + 1001); // 生, then 金
    EXPECT_FALSE(canvas.Timer18.isActive());
    EXPECT_TRUE(canvas.Timer7.isActive());
    EXPECT_TRUE(canvas.Timer6.isActive());
    EXPECT_EQ(canvas.Command5->backColor(), patternRunningColor);
    EXPECT_EQ(canvas.Command3->backColor(), patternRunningColor);
    EXPECT_FALSE(m.isVisible());
    QCoreApplication::postEvent(
        canvas.windowHandle(),
        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
    QCoreApplication::processEvents();
    EXPECT_TRUE(canvas.isDead());
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(t.program->canvasLoaded());
}

} // namespace
} // namespace quorin
