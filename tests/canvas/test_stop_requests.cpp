#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvas/Interception.h"
#include "canvas/StrokeReplay.h"
#include "imagecmp/ImageCommands.h"
#include "support/CanvasTest.h"
#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <functional>
#include <vector>

namespace quorin {
namespace {

using test::CanvasTest;
using test::TestProgram;

// Input as the window system hands it to a window: posted to its native
// window, so it arrives through the waits like a user's would.
void postKey(QWidget& window, int key) {
    QCoreApplication::postEvent(window.windowHandle(),
                                new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(window.windowHandle(),
                                new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

void postClick(QWidget& window, QWidget& target) {
    const QPointF at = target.mapTo(&window, target.rect().center());
    const QPointF global = window.mapToGlobal(at);
    QCoreApplication::postEvent(window.windowHandle(),
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(window.windowHandle(),
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void postClose(QWidget& window) {
    QCoreApplication::postEvent(window.windowHandle(), new QCloseEvent);
}

// The event loop goes idle, as it does once a command has returned.
void idle() {
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

struct Row {
    const char* name;
    CanvasMode mode;
    std::function<void(TestProgram&, CanvasWindow&)> run;
};

const RainDrop drop{2, 1, 3, 1, -4, 0, 0, 1};

// Every command that paces itself with busy waits.
const Row busyRows[] = {
    {"蛋", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command2->click(); }},
    {"金", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command3->click(); }},
    {"果壳", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command4->click(); }},
    {"生", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command5->click(); }},
    {"塔", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command6->click(); }},
    {"光", CanvasMode::Math, [](TestProgram&, CanvasWindow& c) { c.Command7->click(); }},
    {"生 then 金", CanvasMode::Math,
     [](TestProgram& t, CanvasWindow& c) {
         t.state().screenSaverMode = true;
         c.timer18Tick();
     }},
    {"雨", CanvasMode::Drop, [](TestProgram&, CanvasWindow& c) { c.command8Click(); }},
    {"rains", CanvasMode::Drop, [](TestProgram&, CanvasWindow& c) { rains(c, drop); }},
    {"rainst", CanvasMode::Drop, [](TestProgram&, CanvasWindow& c) { rainst(c, drop); }},
    {"canvas 推导计算", CanvasMode::Drop,
     [](TestProgram&, CanvasWindow& c) { c.command1Click(0); }},
    {"click plot", CanvasMode::Drop,
     [](TestProgram&, CanvasWindow& c) {
         c.huaxian = true; // the discs with their clearing waits too
         c.picture1Click();
     }},
    {"angle search", CanvasMode::Intercept,
     [](TestProgram& t, CanvasWindow& c) {
         t.main().Text1[15]->setText(QStringLiteral("1"));
         t.main().Text1[16]->setText(QStringLiteral("-1"));
         t.main().Text1[17]->setText(QStringLiteral("1e6"));
         t.state().angleTransformArmed = true;
         bianhuanjiaodu(c);
     }},
};

class StopRequests : public CanvasTest {
protected:
    CanvasWindow& open(const Row& row) {
        t.main().Timer4.stop();
        CanvasWindow& c = launchSmall(row.mode, {160, 120}, colors::black);
        c.yaa = colors::red;
        return c;
    }
    // The numbers of the row's busy waits, counted on a program of its own.
    std::vector<int> busyPausesOf(const Row& row) {
        TestProgram fresh;
        fresh.main().Timer4.stop();
        launchCanvas(*fresh.program, row.mode);
        CanvasWindow& c = fresh.program->canvas();
        c.Timer17.stop();
        c.Timer18.stop();
        c.Picture1->resize(160, 120);
        const int before = fresh.clock.pauses();
        std::vector<int> busy;
        fresh.clock.onPause = [&](int n) {
            if (fresh.clock.lastKind() == WaitKind::Busy)
                busy.push_back(n - before);
        };
        row.run(fresh, c);
        fresh.clock.onPause = nullptr;
        return busy;
    }

    // Runs the row with `request` posted at its pause `at`; the command must
    // end in that wait with nothing drawn after it. Returns the canvas.
    QPointer<CanvasWindow> stopAt(const Row& row, int at,
                                  const std::function<void(CanvasWindow&)>& request) {
        CanvasWindow& c = open(row);
        QPointer<CanvasWindow> canvas(&c);
        const int p0 = t.clock.pauses();
        QImage atRequest;
        t.clock.onPause = [&](int n) {
            if (n - p0 != at)
                return;
            atRequest = c.Picture1->persistentImage();
            request(c);
        };
        row.run(t, c);
        t.clock.onPause = nullptr;
        EXPECT_EQ(t.clock.pauses() - p0, at) << "waits after the stop request";
        if (canvas) {
            EXPECT_TRUE(c.Picture1->persistentImage() == atRequest) << "drawn after the request";
        }
        return canvas;
    }
};

TEST_F(StopRequests, EscInsideAFrameEndsEveryBusyCommandAtThatWait) {
    for (const Row& row : busyRows) {
        const std::vector<int> busy = busyPausesOf(row);
        ASSERT_GT(busy.size(), 2u) << row.name;
        // Nine waits spread over the command, its first and last included.
        for (std::size_t i = 0; i <= 8; ++i) {
            const int at = busy[i * (busy.size() - 1) / 8];
            SCOPED_TRACE(testing::Message() << row.name << ": pause " << at);
            t.program->unloadCanvas();
            QPointer<CanvasWindow> c =
                stopAt(row, at, [](CanvasWindow& w) { postKey(w, Qt::Key_Escape); });
            ASSERT_FALSE(c.isNull());
            // Held until the command has ended, then the key does what Esc does.
            EXPECT_EQ(t.program->inputHold().heldCount(), 2u);
            EXPECT_TRUE(t.program->stopRequested());
            idle();
            EXPECT_EQ(t.program->inputHold().heldCount(), 0u);
            EXPECT_FALSE(t.program->stopRequested());
        }
    }
}

TEST_F(StopRequests, ClosingEitherWindowInsideAFrameStopsItThenCloses) {
    const Row& egg = busyRows[0];
    t.main().show();
    QPointer<CanvasWindow> c = stopAt(egg, 40, [](CanvasWindow& w) { postClose(w); });
    ASSERT_FALSE(c.isNull());
    EXPECT_FALSE(c->isDead()) << "the close waits for the command to end";
    idle();
    EXPECT_TRUE(c.isNull() || c->isDead());
    EXPECT_FALSE(t.program->canvasVisible());
    EXPECT_TRUE(t.main().isVisible());

    c = stopAt(egg, 40, [this](CanvasWindow&) { postClose(t.main()); });
    ASSERT_FALSE(c.isNull());
    EXPECT_TRUE(t.main().isVisible());
    idle();
    EXPECT_FALSE(t.main().isVisible());
    EXPECT_TRUE(c.isNull() || c->isDead());
}

TEST_F(StopRequests, APressOnTheRunningPatternStopsItsFrameAndThenThePattern) {
    const Row& egg = busyRows[0];
    QPointer<CanvasWindow> c = stopAt(egg, 300, [](CanvasWindow& w) { postClick(w, *w.Command2); });
    ASSERT_FALSE(c.isNull());
    EXPECT_TRUE(c->Timer5.isActive());
    idle();
    EXPECT_FALSE(c->Timer5.isActive());
    EXPECT_EQ(c->Command2->backColor(), patternStoppedColor);

    // A press on a pattern that is not running is no stop: it waits for the
    // frame to end, then starts that pattern, not inside the frame.
    CanvasWindow& w = *c;
    const int p0 = t.clock.pauses();
    bool goldInside = false;
    t.clock.onPause = [&](int n) {
        if (n - p0 == 10)
            postClick(w, *w.Command3);
        goldInside = goldInside || w.Timer6.isActive();
    };
    drawPattern(w, PatternKind::Egg);
    t.clock.onPause = nullptr;
    EXPECT_FALSE(goldInside);
    EXPECT_GT(t.clock.pauses() - p0, 1001);
    EXPECT_EQ(t.program->inputHold().heldCount(), 2u);
    idle();
    EXPECT_TRUE(w.Timer6.isActive());
    EXPECT_EQ(w.Command3->backColor(), patternRunningColor);
}

TEST_F(StopRequests, EscDuringTheStartUpPairEndsBothAndBringsTheMainWindowBack) {
    const Row& pair = busyRows[6];
    CanvasWindow* canvas = nullptr;
    QPointer<CanvasWindow> c = stopAt(pair, 50, [&](CanvasWindow& w) {
        canvas = &w;
        w.state().fullScreen = true;
        postKey(w, Qt::Key_Escape);
        // A click on the picture of the closing canvas goes nowhere.
        postClick(w, *w.Picture1);
    });
    ASSERT_FALSE(c.isNull());
    EXPECT_TRUE(c->Timer7.isActive());  // 生 was started
    EXPECT_FALSE(c->Timer6.isActive()); // 金 never was
    EXPECT_NE(c->Command3->backColor(), patternRunningColor);
    const QString target = t.main().Text1[15]->text();
    idle();
    EXPECT_TRUE(c.isNull() || c->isDead());
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_EQ(t.main().Text1[15]->text(), target);
    EXPECT_FALSE(t.state().screenSaverMode);
}

// The commands that let events in while they wait stop when the canvas is
// closed during one of their waits, with nothing drawn after it.
TEST_F(StopRequests, ClosingTheCanvasDuringCaptureOrMarkingStopsAtThatWait) {
    QByteArray set;
    for (int i = 0; i < 24; ++i) {
        for (int k = 0; k < 18; ++k)
            set += "FFFFFF\t";
        set += QByteArray::number(18 * (i + 1)) + "\r\n";
    }
    t.temp.write(QStringLiteral("set.txt"), set);
    const Row rows[] = {
        {"capture", CanvasMode::Overlay,
         [](TestProgram& t, CanvasWindow& c) {
             c.Text1[2]->setText(QStringLiteral("24"));
             c.Text1[3]->setText(QStringLiteral("18"));
             t.dialogs.answerSave(t.temp.file(QStringLiteral("new.txt")));
             command12Click(c, 0);
         }},
        {"marking", CanvasMode::Compare,
         [](TestProgram& t, CanvasWindow& c) {
             c.Text1[2]->setText(QStringLiteral("24"));
             c.Text1[3]->setText(QStringLiteral("18"));
             c.Text2->setText(QStringLiteral("100"));
             t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
             t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
             t.dialogs.answerMessage(Answer::Yes);
             command12Click(c, 1);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        t.program->unloadCanvas();
        t.main().show();
        // Into the column loop: past the first waits of the dialogs.
        QPointer<CanvasWindow> c = stopAt(row, 5, [](CanvasWindow& w) { postClose(w); });
        EXPECT_TRUE(c.isNull() || c->isDead());
        t.dialogs.clearLog();
        idle();
    }
}

TEST_F(StopRequests, StrokeReplayStopsWhenTheCanvasCloses) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    QPointer<CanvasWindow> canvas(&c);
    autop(c);
    ASSERT_TRUE(c.Timer14.isActive());
    postKey(c, Qt::Key_Escape); // not busy: delivered as it comes
    postClose(c);
    QCoreApplication::processEvents();
    ASSERT_FALSE(canvas.isNull());
    EXPECT_TRUE(c.isDead());
    EXPECT_FALSE(c.Timer14.isActive());
}

} // namespace
} // namespace quorin
