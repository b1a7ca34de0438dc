#include "canvas/CanvasLayout.h"
#include "animation/Patterns.h"
#include "canvas/CanvasBackgrounds.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "state/SharedState.h"
#include <cmath>
#include <cstring>

namespace quorin {

namespace {

void setVisible(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

// The buttons of the pattern table.
void setPatternButtonsVisible(LayoutEnv& canvas, bool visible) {
    for (const PatternDesign& row : patternTable)
        canvas.buttonOf(row.kind)->setVisible(visible);
}

void setBarVisible(LayoutEnv& canvas, int from, int to, bool visible) {
    for (int i = from; i <= to; ++i)
        canvas.Command1[i]->setVisible(visible);
}

} // namespace

void layOutCanvas(LayoutEnv& canvas, double pictureShare, bool withFullDrawButton) {
    canvas.canvasWidget().update();
    const double W = canvas.widthTwips();
    const double H = canvas.heightTwips();
    const double h = heightTwips(canvas.Command1[0]);
    const double pictureHeight = pictureShare * (H - h);
    placeTwips(canvas.Picture1, 0.05 * W, 0.025 * H + h, 0.9 * W, pictureHeight);
    placeTwips(canvas.Image1, 0.05 * W, 0.02 * H + h, 0.9 * W, pictureHeight);
    // The right-hand column stands just right of the picture; tops as designed.
    const double column = 0.05 * W + 0.9 * W + 100;
    std::vector<QWidget*> right = {canvas.Command1[15], canvas.Command1[14], canvas.Command1[16],
                                   canvas.Command1[17], canvas.Command1[18]};
    if (withFullDrawButton)
        right.push_back(canvas.Command1[19]);
    for (QWidget* w :
         {static_cast<QWidget*>(canvas.Command1[21]), static_cast<QWidget*>(canvas.Command9),
          static_cast<QWidget*>(canvas.Command11), static_cast<QWidget*>(canvas.Command12[1]),
          static_cast<QWidget*>(canvas.Command12[2]), static_cast<QWidget*>(canvas.Command12[0])})
        right.push_back(w);
    for (QWidget* w : right)
        setLeftTwips(w, column);
}

void layOutAtLoad(LayoutEnv& canvas) {
    if (canvas.heightTwips() > 1000)
        layOutCanvas(canvas, 0.9, false);
}

void applyResizeRule(LayoutEnv& canvas) {
    SharedState& s = canvas.state();
    if (!s.simulationMode && canvas.heightTwips() > 1000) {
        const double buttonWidth = widthTwips(canvas.Command2);
        auto setReadoutWidths = [&](double factor) {
            setSizeTwips(canvas.Text2, factor * buttonWidth, heightTwips(canvas.Text2));
            setSizeTwips(canvas.Text3, factor * buttonWidth, heightTwips(canvas.Text3));
        };
        if (canvas.widthTwips() >= 8000) {
            if (!s.hideAnimationButtons) {
                setPatternButtonsVisible(canvas, true);
                canvas.Command10->show();
                setReadoutWidths(1.35);
            }
        } else {
            // Too narrow for the animations; 雨 does not come back on widening.
            canvas.Command8->hide();
            setPatternButtonsVisible(canvas, false);
            setReadoutWidths(0.7);
        }
        layOutCanvas(canvas, 0.85, true);
        repaintBackground(canvas);
        if (s.mathDrawingLayout) {
            s.mathDrawingLayout = false;
            canvas.Picture1->setAutoRedraw(s.keepPicture);
            canvas.Command8->hide();
            canvas.Command1[9]->show();
        }
    } else if (s.simulationMode && s.fullScreenResizing) {
        fillScreen(canvas);
    }
}

namespace {

// Steps shared by both full-screen commands: the resize they raise takes its
// full-screen branch, the picture keeps or drops its drawing as asked, and
// the frame goes.
void enterFullScreen(LayoutEnv& canvas) {
    SharedState& s = canvas.state();
    s.fullScreen = true;
    s.simulationMode = true;
    s.fullScreenResizing = true;
    screenSizeCanvas(canvas);
    repaintBackground(canvas);
    canvas.Picture1->setAutoRedraw(s.keepPicture);
    chromeOff(canvas);
}

} // namespace

void fullScreenCommand(LayoutEnv& canvas) {
    SharedState& s = canvas.state();
    enterFullScreen(canvas);
    setVisible({canvas.Command1[1], canvas.Command1[2], canvas.Command1[3], canvas.Command1[6],
                canvas.Command1[7]},
               false);
    setPatternButtonsVisible(canvas, false);
    setVisible({canvas.Command10, canvas.Command1[9]}, false);
    s.simulationMode = false;
    s.fullScreenResizing = false;
    // Esc is read from the picture, the only thing left on the screen.
    canvas.Picture1->setFocus();
}

void barFullScreenCommand(LayoutEnv& canvas) {
    SharedState& s = canvas.state();
    CommandButton* self = canvas.Command1[18];
    if (!s.barFullScreen) {
        self->setCaption(QStringLiteral("还原"));
        s.barFullScreen = true;
        s.fullScreenResizing = true;
        setBarVisible(canvas, 0, 17, false);
        canvas.Command1[3]->show();
        setSizeTwips(canvas.Command1[3], 1452, 372);
        setVisible({canvas.Command1[15], canvas.Command1[7], canvas.Command1[9]}, true);
        setPatternButtonsVisible(canvas, false);
        canvas.Command8->hide();
        canvas.Command9->show();
        setVisible({canvas.Text1[0], canvas.Text1[1], canvas.Text1[2], canvas.Text1[3],
                    canvas.Text2, canvas.Text3},
                   false);
        screenSizeCanvas(canvas);
        repaintBackground(canvas);
        if (s.simulationMode) {
            canvas.Picture1->setAutoRedraw(false);
            setVisible({canvas.Command1[15], canvas.Command1[7], canvas.Command1[3], self}, false);
        }
        chromeOff(canvas);
        return;
    }
    self->setCaption(QStringLiteral("全屏"));
    s.simulationMode = false;
    s.fullScreenResizing = false;
    canvas.canvasWidget().setWindowState(Qt::WindowNoState);
    setBarVisible(canvas, 0, 17, true);
    setPatternButtonsVisible(canvas, true);
    setVisible({canvas.Command8, canvas.Command9, canvas.Text1[0], canvas.Text1[1], canvas.Text1[2],
                canvas.Text1[3], canvas.Text2, canvas.Text3},
               true);
    setSizeTwips(canvas.Command1[3], 972, 732);
    s.barFullScreen = false;
    setBorderless(canvas, false);
    canvas.canvasWidget().setWindowTitle(QStringLiteral("新月 画画"));
    // The size change raises the resize rule, which lays the canvas out again.
    const QSize screen = screenSizeTwips();
    canvas.canvasWidget().resize(twipsToPixels(0.9 * screen.width()),
                                 twipsToPixels(0.9 * screen.height()));
    repaintBackground(canvas);
}

void fullDrawingScreenCommand(LayoutEnv& canvas) {
    SharedState& s = canvas.state();
    enterFullScreen(canvas);
    setVisible({canvas.Command1[1], canvas.Command1[2], canvas.Command1[3], canvas.Text1[2],
                canvas.Text1[3], canvas.Command1[6], canvas.Command1[7], canvas.Command1[20],
                canvas.Command1[9], canvas.Command1[11], canvas.Text2, canvas.Text3},
               false);
    s.simulationMode = false;
    s.fullScreenResizing = false;

    const std::initializer_list<QWidget*> drawColumn = {canvas.Command1[14], canvas.Command1[15],
                                                        canvas.Command1[16], canvas.Command1[17],
                                                        canvas.Command1[19], canvas.Command1[21]};
    if (canvas.previewing) {
        setVisible(drawColumn, false);
    } else {
        const double left = canvas.widthTwips() - 1.2 * widthTwips(canvas.Command1[14]);
        for (QWidget* w : drawColumn)
            setLeftTwips(w, left);
    }
    if (s.fullDrawToggle) {
        s.fullDrawToggle = false;
        canvas.Picture1->setAutoRedraw(true);
        s.drawingMode = true;
        s.keepPicture = true;
        canvas.Picture1->setDrawWidth(2);
        setVisible(drawColumn, false);
    }
    s.fullDrawToggle = true;
    canvas.Picture1->setFocus();
}

QWidget* LayoutEnv::control(const CanvasControlRef& ref) const {
    const auto is = [&ref](const char* name) { return std::strcmp(ref.name, name) == 0; };
    const auto element = [&ref](const auto& array) -> QWidget* {
        return ref.index >= 0 && ref.index < int(array.size()) ? array[ref.index] : nullptr;
    };
    if (is("Command1"))
        return element(Command1);
    if (is("Command12"))
        return element(Command12);
    if (is("Text1"))
        return element(Text1);
    const std::pair<const char*, QWidget*> single[] = {
        {"Picture1", Picture1}, {"Image1", Image1},       {"Command8", Command8},
        {"Command9", Command9}, {"Command10", Command10}, {"Command11", Command11},
        {"Text2", Text2},       {"Text3", Text3},         {"Label1", Label1},
    };
    for (const auto& [name, widget] : single)
        if (is(name))
            return ref.index < 0 ? widget : nullptr;
    for (const PatternDesign& row : patternTable)
        if (is(row.button))
            return ref.index < 0 ? buttonOf(row.kind) : nullptr;
    return nullptr;
}

} // namespace quorin
