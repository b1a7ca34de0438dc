#include "canvas/CanvasLayout.h"
#include "platform/Twips.h"
#include "support/CanvasTest.h"
#include <QTest>

namespace quorin {
namespace {

using test::CanvasTest;

const double px = 1.5; // rounding slack in twips, in pixels

QRectF twipsGeometry(const QWidget* w) {
    return {leftTwips(w), topTwips(w), widthTwips(w), heightTwips(w)};
}

void expectNearRect(const QRectF& got, const QRectF& want) {
    const double slack = px * twipsPerPixel();
    EXPECT_NEAR(got.left(), want.left(), slack);
    EXPECT_NEAR(got.top(), want.top(), slack);
    EXPECT_NEAR(got.width(), want.width(), slack);
    EXPECT_NEAR(got.height(), want.height(), slack);
}

bool frameless(const CanvasWindow& c) {
    return c.windowFlags().testFlag(Qt::FramelessWindowHint);
}

// --- load and resize ---

TEST_F(CanvasTest, LoadLaysOutPictureAndRightColumnFromTheDesignedSize) {
    CanvasWindow& c = t.program->canvas();
    c.Timer17.stop();
    c.Timer18.stop();
    const double W = c.widthTwips(), H = c.heightTwips(), h = heightTwips(c.Command1[0]);
    expectNearRect(twipsGeometry(c.Picture1), {0.05 * W, 0.025 * H + h, 0.9 * W, 0.9 * (H - h)});
    expectNearRect(twipsGeometry(c.Image1), {0.05 * W, 0.02 * H + h, 0.9 * W, 0.9 * (H - h)});
    const double column = 0.95 * W + 100;
    for (QWidget* w : {c.Command1[14], c.Command1[15], c.Command1[18], c.Command1[21], c.Command9,
                       c.Command12[0]})
        EXPECT_NEAR(leftTwips(w), column, px * twipsPerPixel());
    // Tops stay as designed; 全画屏 is not in the load's column.
    EXPECT_NEAR(topTwips(c.Command1[15]), 3600, px * twipsPerPixel());
    EXPECT_NEAR(leftTwips(c.Command1[19]), 14880, px * twipsPerPixel());
}

TEST_F(CanvasTest, ResizeOfADrawingCanvasUsesTheNarrowerPictureAndMovesTheWholeColumn) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    c.resize(twipsToPixels(11000), twipsToPixels(8000));
    const double W = c.widthTwips(), H = c.heightTwips(), h = heightTwips(c.Command1[0]);
    expectNearRect(twipsGeometry(c.Picture1), {0.05 * W, 0.025 * H + h, 0.9 * W, 0.85 * (H - h)});
    EXPECT_NEAR(leftTwips(c.Command1[19]), 0.95 * W + 100, px * twipsPerPixel());
}

TEST_F(CanvasTest, NarrowCanvasHidesRainAndPatternsAndWideningBringsPatternsBack) {
    CanvasWindow& c = launch(CanvasMode::Math);
    c.Command8->show(); // as if 雨 were in use
    c.resize(twipsToPixels(7000), c.height());
    for (QWidget* w :
         {c.Command2, c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command8})
        EXPECT_FALSE(shown(w));
    EXPECT_TRUE(shown(c.Command10));
    EXPECT_NEAR(widthTwips(c.Text2), 0.7 * widthTwips(c.Command2), px * twipsPerPixel());

    c.resize(twipsToPixels(12000), c.height());
    for (QWidget* w :
         {c.Command2, c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command10})
        EXPECT_TRUE(shown(w));
    EXPECT_FALSE(shown(c.Command8));
    EXPECT_NEAR(widthTwips(c.Text3), 1.35 * widthTwips(c.Command2), px * twipsPerPixel());
}

TEST_F(CanvasTest, MathDrawingLayoutIsConsumedByTheFirstResizeOnly) {
    CanvasWindow& c = launch(CanvasMode::Math);
    // The launcher hid 导入图像; the resize after showing brought it back.
    EXPECT_TRUE(shown(c.Command1[9]));
    EXPECT_FALSE(state().mathDrawingLayout);
    EXPECT_EQ(c.Picture1->autoRedraw(), state().keepPicture);
    c.Command1[9]->hide();
    c.Command8->show();
    c.resize(c.width() - 20, c.height());
    EXPECT_FALSE(shown(c.Command1[9]));
    EXPECT_TRUE(shown(c.Command8));
}

TEST_F(CanvasTest, LowCanvasAndSimulationCanvasAreNotLaidOut) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    const QRect before = c.Picture1->geometry();
    c.resize(c.width(), twipsToPixels(900));
    EXPECT_EQ(c.Picture1->geometry(), before);

    CanvasWindow& sim = launch(CanvasMode::Drop);
    const QRect simBefore = sim.Picture1->geometry();
    sim.resize(twipsToPixels(9000), twipsToPixels(7000));
    EXPECT_EQ(sim.Picture1->geometry(), simBefore);
}

// --- full screen ---

TEST_F(CanvasTest, FullScreenLeavesOnlyThePicture) {
    CanvasWindow& c = launch(CanvasMode::Math);
    state().keepPicture = true;
    c.Command10->click();
    const QSize screen = screenSizeTwips();
    EXPECT_NEAR(c.widthTwips(), screen.width(), px * twipsPerPixel());
    EXPECT_NEAR(c.heightTwips(), screen.height(), px * twipsPerPixel());
    expectNearRect(twipsGeometry(c.Picture1),
                   {0, 0, double(screen.width()), double(screen.height())});
    EXPECT_TRUE(c.isVisible());
    EXPECT_TRUE(frameless(c));
    EXPECT_TRUE(c.windowTitle().isEmpty());
    EXPECT_TRUE(state().fullScreen);
    EXPECT_FALSE(state().simulationMode);
    EXPECT_FALSE(state().fullScreenResizing);
    EXPECT_TRUE(c.Picture1->autoRedraw());
    for (QWidget* w :
         {c.Command1[1], c.Command1[2], c.Command1[3], c.Command1[6], c.Command1[7], c.Command1[9],
          c.Command2, c.Command3, c.Command4, c.Command5, c.Command6, c.Command7, c.Command10})
        EXPECT_FALSE(shown(w));
}

TEST_F(CanvasTest, BarFullScreenTwiceReturnsToNineTenthsWithTheWholeBar) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    c.Command1[18]->show();
    c.Command1[18]->click();
    EXPECT_EQ(c.Command1[18]->caption(), QStringLiteral("还原"));
    EXPECT_TRUE(state().barFullScreen);
    EXPECT_TRUE(frameless(c));
    const QSize screen = screenSizeTwips();
    EXPECT_NEAR(c.widthTwips(), screen.width(), px * twipsPerPixel());
    EXPECT_TRUE(shown(c.Command1[3]));
    EXPECT_NEAR(widthTwips(c.Command1[3]), 1452, px * twipsPerPixel());
    for (int i : {0, 1, 2, 4, 14, 16, 17})
        EXPECT_FALSE(shown(c.Command1[i])) << i;
    EXPECT_TRUE(shown(c.Command9));
    EXPECT_FALSE(state().fullScreen); // Esc does not close this state

    c.Command1[18]->click();
    EXPECT_EQ(c.Command1[18]->caption(), QStringLiteral("全屏"));
    EXPECT_FALSE(state().barFullScreen);
    EXPECT_FALSE(frameless(c));
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.windowTitle(), QStringLiteral("新月 画画"));
    EXPECT_NEAR(c.widthTwips(), 0.9 * screen.width(), px * twipsPerPixel());
    EXPECT_NEAR(c.heightTwips(), 0.9 * screen.height(), px * twipsPerPixel());
    for (int i = 0; i <= 17; ++i)
        EXPECT_TRUE(shown(c.Command1[i])) << i;
    for (QWidget* w :
         std::initializer_list<QWidget*>{c.Command2, c.Command8, c.Command9, c.Text1[0], c.Text2})
        EXPECT_TRUE(shown(w));
    EXPECT_NEAR(widthTwips(c.Command1[3]), 972, px * twipsPerPixel());
    // The resize laid the smaller canvas out again.
    EXPECT_NEAR(widthTwips(c.Picture1), 0.9 * c.widthTwips(), px * twipsPerPixel());
}

TEST_F(CanvasTest, BarFullScreenOfASimulationHidesItsOwnButtons) {
    CanvasWindow& c = launch(CanvasMode::Drop);
    c.Command1[18]->show();
    c.Command1[18]->click();
    EXPECT_FALSE(c.Picture1->autoRedraw());
    for (int i : {3, 7, 15, 18})
        EXPECT_FALSE(shown(c.Command1[i])) << i;
    EXPECT_TRUE(shown(c.Command1[9]));
}

TEST_F(CanvasTest, FullDrawingScreenSwitchesDrawingOnFromTheSecondPressOfTheRun) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    c.Command1[19]->click();
    EXPECT_TRUE(state().fullScreen);
    EXPECT_TRUE(state().fullDrawToggle);
    EXPECT_FALSE(state().drawingMode);
    EXPECT_TRUE(frameless(c));
    const double edge = c.widthTwips() - 1.2 * widthTwips(c.Command1[14]);
    for (int i : {14, 15, 16, 17, 19, 21}) {
        EXPECT_TRUE(shown(c.Command1[i])) << i;
        EXPECT_NEAR(leftTwips(c.Command1[i]), edge, px * twipsPerPixel()) << i;
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{c.Command1[1], c.Command1[20], c.Text1[2], c.Text2})
        EXPECT_FALSE(shown(w));

    // The toggle outlives the canvas: the next canvas's first press draws.
    CanvasWindow& next = launch(CanvasMode::Freehand);
    next.Command1[19]->click();
    EXPECT_TRUE(state().drawingMode);
    EXPECT_TRUE(state().keepPicture);
    EXPECT_TRUE(next.Picture1->autoRedraw());
    EXPECT_EQ(next.Picture1->drawWidth(), 2);
    for (int i : {14, 15, 16, 17, 19, 21})
        EXPECT_FALSE(shown(next.Command1[i])) << i;
    EXPECT_TRUE(state().fullDrawToggle);
}

TEST_F(CanvasTest, FullDrawingScreenDuringAPreviewHidesTheDrawingColumn) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    c.Command1[20]->click(); // 停止预览 now
    c.Timer12.stop();
    c.Command1[19]->click();
    EXPECT_FALSE(state().drawingMode);
    for (int i : {14, 15, 16, 17, 19, 21})
        EXPECT_FALSE(shown(c.Command1[i])) << i;
}

// --- start-up display and Esc ---

TEST_F(CanvasTest, StartUpDisplayGoesFullScreenOnlyWithTheMainWindowHidden) {
    main().show();
    CanvasWindow& c = launch(CanvasMode::Math);
    c.timer17Tick();
    EXPECT_FALSE(state().fullScreen);
    c.timer18Tick(); // not in screen-saver mode: waits
    EXPECT_FALSE(state().screenSaverMode);

    main().hide();
    c.Timer17.start();
    c.Timer18.start();
    c.timer17Tick();
    EXPECT_TRUE(state().fullScreen);
    EXPECT_TRUE(state().screenSaverMode);
    EXPECT_FALSE(c.Timer17.isActive());
    EXPECT_TRUE(c.Timer18.isActive());
    c.timer18Tick();
    EXPECT_FALSE(c.Timer18.isActive());
}

TEST_F(CanvasTest, EscFromTheStartUpDisplayClosesTheCanvasAndShowsTheMainWindow) {
    CanvasWindow& c = launch(CanvasMode::Math);
    c.timer17Tick();
    state().keepPicture = true;
    ASSERT_TRUE(state().screenSaverMode);
    QTest::keyClick(c.Picture1, Qt::Key_Escape);
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_TRUE(c.isDead());
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(state().fullScreen);
    EXPECT_FALSE(state().keepPicture);
    EXPECT_FALSE(state().screenSaverMode);
}

TEST_F(CanvasTest, EscOnAnOrdinaryCanvasDoesNothing) {
    CanvasWindow& c = launch(CanvasMode::Freehand);
    QTest::keyClick(c.Picture1, Qt::Key_Escape);
    EXPECT_TRUE(t.program->canvasLoaded());
    EXPECT_FALSE(main().isVisible());

    CanvasWindow& intercept = launch(CanvasMode::Intercept);
    QTest::keyClick(intercept.Picture1, Qt::Key_Escape);
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_FALSE(state().interceptMode);
    EXPECT_FALSE(state().angleTransformArmed);
}

} // namespace
} // namespace quorin
