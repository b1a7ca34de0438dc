#include "canvas/Freehand.h"
#include "support/CanvasTest.h"
#include <QTest>

namespace quorin {
namespace {

using test::CanvasTest;

class Freehand : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Freehand, {300, 200}, colors::black);
        c->Picture1->scaleToPixels();
        c->Command1[14]->click(); // 画画
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(c->Picture1, b, m, p);
    }
    void move(QPoint p) { QTest::mouseMove(c->Picture1, p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseRelease(c->Picture1, b, m, p);
    }
    CanvasWindow* c = nullptr;
};

TEST_F(Freehand, AStrokeIsPointZeroAtThePressAndOnePointPerTick) {
    EXPECT_TRUE(state().drawingMode);
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
    EXPECT_EQ(c->Command1[14]->backColor(), 39168);
    move({40, 30});
    press({40, 30});
    EXPECT_TRUE(c->Timer13.isActive());
    EXPECT_EQ(main().Text1[15]->text(), "40");
    for (int tick = 0; tick < 3; ++tick)
        c->Timer13.timeout({}); // the pointer did not move: the press point again
    move({60, 50});
    c->Timer13.timeout({});
    release({60, 50});
    const SharedState& s = state();
    EXPECT_FALSE(c->Timer13.isActive());
    EXPECT_EQ(s.strokeCount, 1);
    EXPECT_EQ(s.strokePointCount.at(0), 4);
    EXPECT_EQ(s.strokeGroupEnd.at(0), 1);
    EXPECT_EQ(s.strokeX.at(0, 0), 40);
    EXPECT_EQ(s.strokeX.at(0, 4), 60);
    EXPECT_EQ(s.strokeY.at(0, 4), 50);
    EXPECT_EQ(s.strokeColor.at(0, 4), colors::blue);
    EXPECT_EQ(s.strokeWidth.at(0, 4), 2);
    EXPECT_EQ(s.pointCount, 0);
    EXPECT_EQ(c->Picture1->point(50, 40), colors::blue); // the line was drawn

    // Off again: counters start afresh, the tables keep their strokes.
    c->Command1[14]->click();
    EXPECT_EQ(s.strokeCount, 0);
    EXPECT_EQ(s.strokeX.at(0, 4), 60);
    EXPECT_EQ(c->Command1[14]->backColor(), 153);
}

TEST_F(Freehand, MovesReadThePixelAndCtrlRightPicksItsColour) {
    c->Picture1->pset(10, 10, rgb(255, 0, 128));
    move({10, 10});
    EXPECT_EQ(c->Text2->text(), "255__0__128");
    EXPECT_EQ(c->Text3->backColor(), rgb(255, 0, 128));
    freehandMove(*c, 0, 0, 350, 10); // outside the picture: white
    EXPECT_EQ(c->Text2->text(), "255__255__255");

    release({100, 100}, Qt::RightButton, Qt::ControlModifier); // black there
    EXPECT_EQ(c->yaa, 0);
    EXPECT_EQ(t.dialogs.messageTexts(),
              QStringList{QStringLiteral("通过右键单击，获取像素值，将用此像素值作画。")});
    EXPECT_EQ(t.dialogs.shown().back().title, QString::fromUtf8(strokesTitle));
}

TEST_F(Freehand, PenWidthStaysWithinOneToSeventy) {
    c->Picture1->setDrawWidth(70);
    t.dialogs.answerMessage(Answer::Yes);
    jiajian(*c);
    EXPECT_EQ(c->Picture1->drawWidth(), 70);
    c->Picture1->setDrawWidth(1);
    t.dialogs.answerMessage(Answer::No);
    jiajian(*c);
    EXPECT_EQ(c->Picture1->drawWidth(), 1);
    t.dialogs.answerMessage(Answer::Yes);
    c->surfaceClick();
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
}

TEST_F(Freehand, SurfaceClickInSimulationResetsTheClickPlotStart) {
    c->Command1[14]->click(); // drawing off
    state().simulationMode = true;
    c->zx = 5;
    c->zy = 6;
    c->huaxian = true;
    state().replayPanX = 7;
    state().replayPanY = 8;
    t.dialogs.answerMessage(Answer::No);
    c->surfaceClick();
    EXPECT_EQ(c->zx + c->zy + state().replayPanX + state().replayPanY, 0);
    EXPECT_FALSE(c->huaxian);
    // Neither simulating nor drawing: nothing, not even the question.
    state().simulationMode = false;
    c->surfaceClick();
    EXPECT_EQ(t.dialogs.shown().size(), 1u);
}

TEST_F(Freehand, CtrlHOnlyOnAKeptFullScreenPicture) {
    c->Command1[14]->click(); // off
    QTest::keyClick(c->Picture1, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(state().drawingMode);
    state().fullScreen = state().keepPicture = true;
    QTest::keyClick(c->Picture1, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(state().drawingMode);
}

// The tables hold 3001 strokes of 3001 points: past that the drawing goes on
// unrecorded, no counter passes the tables, and the user hears it once.
TEST_F(Freehand, FullStrokeTablesStopRecordingWithOneMessage) {
    SharedState& s = state();
    press({10, 10});
    for (int i = 0; i < 3005; ++i)
        c->Timer13.timeout({});
    release({10, 10});
    EXPECT_EQ(s.strokePointCount.at(0), 3000);
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(strokesFullMessage)});

    s.strokeCount = 3001; // as after 3001 strokes
    s.strokeSlot = 3001;
    press({20, 20});
    c->Timer13.timeout({});
    release({30, 30});
    EXPECT_EQ(s.strokeCount, 3001);
    EXPECT_EQ(s.strokeSlot, 3001);
    EXPECT_EQ(t.dialogs.messageTexts().size(), 1); // told once
    // A new drawing session tells again.
    c->Command1[14]->click();
    c->Command1[14]->click();
    s.strokeCount = 3001;
    press({20, 20});
    EXPECT_EQ(t.dialogs.messageTexts().size(), 2);
    release({20, 20});
}

TEST_F(Freehand, APressOnATransformFieldUnlocksBoth) {
    c->Text1[2]->setLocked(true);
    c->Text1[3]->setLocked(true);
    QTest::mousePress(c->Text1[3]->editor(), Qt::LeftButton);
    EXPECT_FALSE(c->Text1[2]->isLocked());
    EXPECT_FALSE(c->Text1[3]->isLocked());
}

} // namespace
} // namespace quorin
