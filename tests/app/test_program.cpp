#include "app/Program.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include "platform/TextFiles.h"
#include "support/TestProgram.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::TestProgram;

namespace {
void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
} // namespace

TEST(SharedStateRecord, StartsAtZeroAndStaysSmall) {
    SharedState s;
    EXPECT_FALSE(s.simulationMode || s.interceptMode || s.drawingMode || s.fullScreen ||
                 s.screenSaverMode || s.replayMode || s.keepPicture);
    EXPECT_EQ(s.penColor, 0.0);
    EXPECT_EQ(s.strokeX.at(3000, 3000), 0.0);
    EXPECT_EQ(s.pixelSet1.at(5000, 5000), QString());
    // Dense tables would take gigabytes; an empty record stays far under 1 MB.
    EXPECT_LT(s.memoryBytes(), 1024u * 1024u);
    std::printf("[ figure ] empty shared state: %zu bytes\n", s.memoryBytes());
}

TEST(SharedStateRecord, TablesKeepTheirLimits) {
    SharedState s;
    EXPECT_TRUE(s.strokeX.set(3000, 3000, 1.0));
    EXPECT_FALSE(s.strokeX.set(3001, 0, 1.0));
    EXPECT_FALSE(s.recordValues.set(8, 1.0));
    EXPECT_TRUE(s.treeRecords.set(100000, "r"));
    EXPECT_FALSE(s.treeRecords.set(100001, "r"));
    EXPECT_FALSE(s.previewFiles.set(10001, "p"));
    EXPECT_FALSE(s.capturedPixels.set(0, 5001, "FF"));
    s.strokeCount = 5;
    s.pointCount = 7;
    s.strokeSlot = 5;
    s.strokeGroupIndex = 1;
    s.zeroStrokeCounters();
    EXPECT_EQ(s.strokeCount + s.pointCount + s.strokeSlot + s.strokeGroupIndex, 0.0);
    EXPECT_EQ(s.strokeX.at(3000, 3000), 1.0); // the tables themselves are kept
}

TEST(ProgramCanvas, LoadsOnFirstAccessAndAgainAfterUnload) {
    TestProgram t;
    Program& p = *t.program;
    EXPECT_FALSE(p.canvasLoaded());
    CanvasWindow& first = p.canvas();
    EXPECT_TRUE(p.canvasLoaded());
    EXPECT_EQ(&p.canvas(), &first); // the same window until it is unloaded
    QPointer<CanvasWindow> old(&first);
    first.Text2->setText("changed");

    p.unloadCanvas();
    EXPECT_FALSE(p.canvasLoaded());
    EXPECT_TRUE(old && old->isDead() && !old->isVisible());
    p.unloadCanvas(); // harmless when not loaded

    CanvasWindow& second = p.canvas();
    EXPECT_FALSE(second.isDead());
    EXPECT_EQ(second.Text2->text(), "Quorin\r\n"); // load defaults again
    settle();
    EXPECT_TRUE(old.isNull()); // deleted once nothing runs on it
    EXPECT_EQ(p.pendingDeletes(), 0u);
}

TEST(ProgramCanvas, UnloadInInterceptionModeClearsItsFlags) {
    TestProgram t;
    SharedState& s = t.state();
    t.program->canvas();
    s.interceptMode = true;
    s.angleTransformArmed = true;
    s.hideAnimationButtons = true;
    t.program->unloadCanvas();
    EXPECT_FALSE(s.interceptMode || s.angleTransformArmed || s.hideAnimationButtons);

    // Outside interception mode the unload leaves the flags for the next launch.
    t.program->canvas();
    s.hideAnimationButtons = true;
    s.mathDrawingLayout = true;
    t.program->unloadCanvas();
    EXPECT_TRUE(s.hideAnimationButtons && s.mathDrawingLayout);
}

// A command of the canvas sits in a processing wait while the user closes the
// main window: the canvas is unloaded under it, and the command must find its
// window alive (but dead) when the wait returns.
TEST(ProgramStart, ARecordFileTooLargeToMoveIsReportedOnceAndKept) {
    QString big;
    TestProgram t(false, [&](test::TempFolder& folder) {
        QFile f(folder.file("tree.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(300LL * 1024 * 1024)); // sparse
        big = f.fileName();
        folder.write("treego.txt", "1,2,3,4,5,6,7,8,\r\n");
    });
    const QStringList messages = t.dialogs.messageTexts();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(tooLargeMessage(big))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("treebackup.txt")));
    EXPECT_EQ(QFileInfo(big).size(), 300LL * 1024 * 1024);
    // The other record file moved as always.
    EXPECT_EQ(t.temp.read("treego.txt"), QByteArray());
    EXPECT_EQ(t.temp.read("treegobackup.txt"), "1,2,3,4,5,6,7,8,\r\n\r\n");
    QFile::remove(big);
}

TEST(ProgramCanvas, ClosingTheMainWindowDuringAWaitIsSafe) {
    TestProgram t;
    t.main().show();
    CanvasWindow& canvas = t.program->canvas();
    canvas.show();
    QPointer<CanvasWindow> watch(&canvas);
    t.clock.onPause = [&](int n) {
        if (n == 1)
            t.main().close();
    };
    int stepsDrawn = 0;
    for (int i = 0; i < 5; ++i) {
        t.program->services().clock.pause(0.01, WaitKind::Processing);
        if (canvas.isDead())
            break;
        canvas.Picture1->pset(i, i);
        ++stepsDrawn;
    }
    EXPECT_EQ(stepsDrawn, 0);
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_FALSE(watch.isNull()); // still there while the command ran
    EXPECT_EQ(t.program->pendingDeletes(), 1u);
    settle();
    EXPECT_TRUE(watch.isNull());
}
