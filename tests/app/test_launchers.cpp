#include "app/Launchers.h"
#include "canvas/CanvasLayout.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include "platform/Twips.h"
#include "support/CanvasTest.h"
#include <QScreen>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorin {
namespace {

enum Mode { Math, Drop, Intercept, Compare, Freehand, Overlay };

// Visibility right after each launcher and the resize that follows it, one
// letter per mode: S shown, H hidden. Written from the mode table, with the
// 数学画画 resize applied (导入图像 shown, 雨 hidden).
struct Expected {
    const char* name;
    QWidget* (*control)(CanvasWindow&);
    const char* modes;
};

template <int I> QWidget* bar(CanvasWindow& c) {
    return c.Command1[I];
}

const std::vector<Expected>& expectedRows() {
    static const std::vector<Expected> rows = {
        {"Command1(0)", bar<0>, "HSHHHH"},
        {"Command1(1)", bar<1>, "SSHHSH"},
        {"Command1(2)", bar<2>, "SSHHSH"},
        {"Command1(3)", bar<3>, "SSHSSS"},
        {"Command1(4)", bar<4>, "HSHHHH"},
        {"Command1(5)", bar<5>, "HSHHHH"},
        {"Command1(6)", bar<6>, "SSHSSS"},
        {"Command1(7)", bar<7>, "SSHSSS"},
        {"Command1(8)", bar<8>, "HSHHHH"},
        {"Command1(9)", bar<9>, "SSHSSS"}, // 数学画画: shown by the resize
        {"Command1(10)", bar<10>, "HHHHHH"},
        {"Command1(11)", bar<11>, "HSHHSH"},
        {"Command1(12)", bar<12>, "HSHHHH"},
        {"Command1(13)", bar<13>, "HHHHHH"},
        {"Command1(14)", bar<14>, "HHHHSH"},
        {"Command1(15)", bar<15>, "HHHHSH"},
        {"Command1(16)", bar<16>, "HHHHSH"},
        {"Command1(17)", bar<17>, "HHHHSH"},
        {"Command1(18)", bar<18>, "HHHHHH"},
        {"Command1(19)", bar<19>, "HHHHSH"},
        {"Command1(20)", bar<20>, "HHHHSS"},
        {"Command1(21)", bar<21>, "HHHHSH"},
        {"Command2", [](CanvasWindow& c) -> QWidget* { return c.Command2; }, "SHHHHH"},
        {"Command3", [](CanvasWindow& c) -> QWidget* { return c.Command3; }, "SHHHHH"},
        {"Command4", [](CanvasWindow& c) -> QWidget* { return c.Command4; }, "SHHHHH"},
        {"Command5", [](CanvasWindow& c) -> QWidget* { return c.Command5; }, "SHHHHH"},
        {"Command6", [](CanvasWindow& c) -> QWidget* { return c.Command6; }, "SHHHHH"},
        {"Command7", [](CanvasWindow& c) -> QWidget* { return c.Command7; }, "SHHHHH"},
        {"Command8", [](CanvasWindow& c) -> QWidget* { return c.Command8; }, "HHHHHH"},
        {"Command9", [](CanvasWindow& c) -> QWidget* { return c.Command9; }, "HHHHHH"},
        {"Command10", [](CanvasWindow& c) -> QWidget* { return c.Command10; }, "SHHHHH"},
        {"Command11", [](CanvasWindow& c) -> QWidget* { return c.Command11; }, "HHHSHH"},
        {"Command12(0)", [](CanvasWindow& c) -> QWidget* { return c.Command12[0]; }, "HHHHHS"},
        {"Command12(1)", [](CanvasWindow& c) -> QWidget* { return c.Command12[1]; }, "HHHHHS"},
        {"Command12(2)", [](CanvasWindow& c) -> QWidget* { return c.Command12[2]; }, "HHHHHS"},
        {"Text1(0)", [](CanvasWindow& c) -> QWidget* { return c.Text1[0]; }, "HSHHHH"},
        {"Text1(1)", [](CanvasWindow& c) -> QWidget* { return c.Text1[1]; }, "HSHHHH"},
        {"Text1(2)", [](CanvasWindow& c) -> QWidget* { return c.Text1[2]; }, "HSHSSS"},
        {"Text1(3)", [](CanvasWindow& c) -> QWidget* { return c.Text1[3]; }, "HSHSSS"},
        {"Text2", [](CanvasWindow& c) -> QWidget* { return c.Text2; }, "HHHSSS"},
        {"Text3", [](CanvasWindow& c) -> QWidget* { return c.Text3; }, "HHHSSS"},
        {"Label1", [](CanvasWindow& c) -> QWidget* { return c.Label1; }, "HHHSHS"},
        {"Image1", [](CanvasWindow& c) -> QWidget* { return c.Image1; }, "HHHHHH"},
    };
    return rows;
}

void expectRow(CanvasWindow& canvas, Mode mode) {
    for (const Expected& row : expectedRows()) {
        const bool shown = !row.control(canvas)->isHidden();
        EXPECT_EQ(shown, row.modes[mode] == 'S') << row.name << " in mode " << mode;
    }
}

const std::array<int, 7> prefilled = {0, 13, 1, 2, 3, 4, 10};

class Launchers : public test::CanvasTest {
protected:
    void scribbleFields() {
        for (int i : prefilled)
            t.main().Text1[i]->setText(QStringLiteral("x"));
    }
    QStringList fields() {
        QStringList out;
        for (int i : prefilled)
            out << t.main().Text1[i]->text();
        return out;
    }
};

TEST_F(Launchers, MathDrawingShowsItsRowAndPrefillsOnes) {
    scribbleFields();
    CanvasWindow& c = launch(CanvasMode::Math);
    expectRow(c, Math);
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.windowTitle(), QStringLiteral("数学画画"));
    EXPECT_EQ(fields(), QStringList(7, QStringLiteral("1")));
    EXPECT_EQ(c.Command10->backColor(), 55488);
    // The resize consumed the one-shot layout request.
    EXPECT_FALSE(t.state().mathDrawingLayout);
    EXPECT_FALSE(t.state().simulationMode);
    EXPECT_FALSE(t.state().interceptMode);
    EXPECT_TRUE(t.dialogs.shown().empty());
}

TEST_F(Launchers, DropSimulationShowsItsRowAndLeavesTheLoadLayout) {
    scribbleFields();
    t.state().captureMode = true;
    t.state().angleTransformArmed = true;
    CanvasWindow& c = launch(CanvasMode::Drop);
    expectRow(c, Drop);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Quorin模拟"));
    EXPECT_TRUE(t.state().simulationMode);
    EXPECT_FALSE(t.state().captureMode);
    EXPECT_FALSE(t.state().angleTransformArmed);
    EXPECT_FALSE(t.state().mathDrawingLayout);
    EXPECT_EQ(fields(), QStringList(7, QStringLiteral("x")));
    // A simulation canvas keeps the picture at the load's 0.9 of the height.
    const double h = heightTwips(c.Command1[0]);
    EXPECT_NEAR(heightTwips(c.Picture1), 0.9 * (c.heightTwips() - h), 2 * twipsPerPixel());
}

TEST_F(Launchers, InterceptionFreshStartFillsFieldsAndTakesTheScreen) {
    scribbleFields();
    CanvasWindow& c = launch(CanvasMode::Intercept);
    expectRow(c, Intercept);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("反导模拟"));
    EXPECT_EQ(fields(), (QStringList{"50", "7", "700", "1", "1", "-700", "10"}));
    const SharedState& s = t.state();
    EXPECT_TRUE(s.interceptMode);
    EXPECT_TRUE(s.angleTransformArmed);
    EXPECT_TRUE(s.simulationMode);
    EXPECT_FALSE(s.drawingMode);
    EXPECT_FALSE(c.huatuo);
    // daotu gave the canvas the screen, as far as its frame leaves room: the
    // framed window fills the available area, the picture the client area;
    // then it painted hai1.jpg over the picture.
    const QRect area = c.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(c.frameGeometry()));
    EXPECT_EQ(c.frameGeometry().size(), area.size());
    EXPECT_EQ(c.Picture1->size(), c.size());
    EXPECT_TRUE(c.Image1->hasPicture());
    EXPECT_NE(c.Picture1->point(c.Picture1->scaleWidth() / 2, c.Picture1->scaleHeight() / 2),
              colors::black);
}

TEST_F(Launchers, InterceptionPressedAgainKeepsCanvasAndFieldsButRerunsSales) {
    CanvasWindow& first = launch(CanvasMode::Intercept);
    t.main().Text1[0]->setText(QStringLiteral("99"));
    first.huatuo = true;
    t.state().targetX = -1;
    t.state().angleTransformArmed = false;
    CanvasWindow& second = launch(CanvasMode::Intercept);
    EXPECT_EQ(&first, &second);
    EXPECT_FALSE(second.isDead());
    EXPECT_EQ(t.main().Text1[0]->text(), QStringLiteral("99"));
    EXPECT_EQ(t.state().targetX, second.xb); // sales ran again
    EXPECT_FALSE(second.huatuo);
    EXPECT_TRUE(t.state().angleTransformArmed);
    EXPECT_TRUE(t.state().interceptMode);
    expectRow(second, Intercept);
}

TEST_F(Launchers, ImageCompareShowsItsRowAndAdvice) {
    t.state().captureMode = true;
    CanvasWindow& c = launch(CanvasMode::Compare);
    expectRow(c, Compare);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("新月 画画"));
    EXPECT_TRUE(t.state().hideAnimationButtons);
    EXPECT_FALSE(t.state().captureMode);
    EXPECT_FALSE(t.state().simulationMode);
    ASSERT_EQ(t.dialogs.shown().size(), 1u);
    EXPECT_EQ(t.dialogs.shown()[0].text, QString::fromUtf8(compareAdviceText));
    EXPECT_EQ(t.dialogs.shown()[0].title, QStringLiteral("Quorin"));
    EXPECT_EQ(t.dialogs.shown()[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(c.Image1->hasPicture()); // hai2.jpg
}

TEST_F(Launchers, FreehandDrawingShowsItsRowAndKeepsTheDesignedCaption) {
    t.state().captureMode = true;
    CanvasWindow& c = launch(CanvasMode::Freehand);
    expectRow(c, Freehand);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("新月 画画"));
    EXPECT_TRUE(t.state().hideAnimationButtons);
    EXPECT_TRUE(t.state().captureMode); // 新月画画 leaves it alone
    EXPECT_TRUE(t.dialogs.shown().empty());
    // The background is part of the retained picture, drawing goes on top.
    EXPECT_TRUE(c.Image1->hasPicture());
    EXPECT_FALSE(c.Picture1->autoRedraw());
    EXPECT_NE(c.Picture1->persistentImage().pixel(10, 10), QColor(Qt::black).rgb());
}

TEST_F(Launchers, ImageOverlayShowsItsRowAndAdvice) {
    CanvasWindow& c = launch(CanvasMode::Overlay);
    expectRow(c, Overlay);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("新月 画画"));
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(compareAdviceText)});
}

TEST_F(Launchers, EveryLaunchStartsFromAFreshCanvas) {
    CanvasWindow& freehand = launch(CanvasMode::Freehand);
    freehand.Picture1->setAutoRedraw(true);
    freehand.Picture1->pset(100, 100, colors::red);
    freehand.yae = PlotWindow::Yae::danse;
    CanvasWindow& math = launch(CanvasMode::Math);
    EXPECT_NE(&freehand, &math);
    EXPECT_TRUE(freehand.isDead());
    EXPECT_FALSE(freehand.isVisible());
    EXPECT_EQ(math.yae, PlotWindow::Yae::caise);
    EXPECT_EQ(math.Picture1->point(100, 100), colors::black);
}

TEST_F(Launchers, LeavingInterceptionClearsItsFlagsButNotTheAnimationLock) {
    launch(CanvasMode::Compare); // locks the animation buttons
    launch(CanvasMode::Intercept);
    CanvasWindow& c = launch(CanvasMode::Math);
    EXPECT_FALSE(t.state().interceptMode);
    EXPECT_FALSE(t.state().angleTransformArmed);
    // The unload ran after interceptMode was cleared, so the lock stays.
    EXPECT_TRUE(t.state().hideAnimationButtons);
    // 数学画画 shows its pattern buttons itself.
    for (QWidget* w : {c.Command2, c.Command3, c.Command4, c.Command5, c.Command6, c.Command7})
        EXPECT_FALSE(w->isHidden());

    // Closing a canvas that is in interception mode releases the lock.
    launch(CanvasMode::Intercept);
    t.program->unloadCanvas();
    EXPECT_FALSE(t.state().hideAnimationButtons);
    EXPECT_FALSE(t.state().interceptMode);
}

TEST_F(Launchers, AnimationLockSurvivesMathDrawingResizes) {
    launch(CanvasMode::Freehand);
    CanvasWindow& c = launch(CanvasMode::Math);
    ASSERT_TRUE(t.state().hideAnimationButtons);
    // Narrow hides the patterns; widening does not bring them back while locked.
    c.resize(twipsToPixels(7000), c.height());
    EXPECT_TRUE(c.Command2->isHidden());
    c.resize(twipsToPixels(12000), c.height());
    for (QWidget* w : {c.Command2, c.Command3, c.Command4, c.Command5, c.Command6, c.Command7})
        EXPECT_TRUE(w->isHidden());
}

// A misspelt name in the mode table would leave its control alone silently.
TEST_F(Launchers, EveryControlOfTheModeTableIsOnTheCanvas) {
    CanvasWindow& c = launch(CanvasMode::Drop);
    for (const ControlVisibility& row : modeVisibility())
        EXPECT_NE(c.control(row.control), nullptr) << row.control.name << " " << row.control.index;
    EXPECT_EQ(c.control({"Command1", 22}), nullptr);
    EXPECT_EQ(c.control({"Command2", 0}), nullptr);
    EXPECT_EQ(c.control({"Nothing"}), nullptr);
}

} // namespace
} // namespace quorin
