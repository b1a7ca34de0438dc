#include "app/Launchers.h"
#include "canvas/CanvasBackgrounds.h"
#include "canvas/Interception.h"
#include "canvas/ModeControls.h"
#include "canvaswindow/CanvasWindow.h"
#include "platform/Services.h"
#include "state/MainFields.h"
#include "state/SharedState.h"

namespace quorin {

const char* const compareAdviceText =
    "在首次图像比较之前，请将需要比较的2张图片，通过“图像保存”按钮，重新保存一遍，否则，可能由于电"
    "脑屏幕尺寸的差异，导致比较失败。";

namespace {

void applyFlags(SharedState& s, const ModeFlags& f) {
    const auto set = [](bool& flag, std::optional<bool> value) {
        if (value)
            flag = *value;
    };
    set(s.simulationMode, f.simulationMode);
    set(s.captureMode, f.captureMode);
    set(s.hideAnimationButtons, f.hideAnimationButtons);
    set(s.mathDrawingLayout, f.mathDrawingLayout);
    set(s.angleTransformArmed, f.angleTransformArmed);
    set(s.interceptMode, f.interceptMode);
}

// Decides whether the launch starts from a freshly loaded canvas, and unloads
// the old one when it does. Leaving interception clears its flags before the
// unload, so the unload handler keeps the animation lock.
bool reloadCanvas(LaunchHost& program, const CanvasModeRow& row) {
    SharedState& s = program.state();
    if (row.keepsInterceptionCanvas && s.interceptMode)
        return false;
    if (!row.keepsInterceptionCanvas && s.interceptMode) {
        s.interceptMode = false;
        s.angleTransformArmed = false;
        program.unloadCanvas();
    }
    program.unloadCanvas();
    return true;
}

} // namespace

void launchCanvas(LaunchHost& program, CanvasMode mode) {
    const CanvasModeRow& row = canvasModeRow(mode);
    const bool fresh = reloadCanvas(program, row);
    CanvasWindow& canvas = program.canvas();
    applyFlags(program.state(), row.flags);
    if (fresh && row.showsBeforeControls)
        canvas.show();
    applyModeVisibility(canvas, mode);
    if (fresh && row.fields) {
        for (std::size_t i = 0; i < prefilledFieldIndexes.size(); ++i)
            program.mainFields().setFieldText(prefilledFieldIndexes[i],
                                              QString::fromLatin1((*row.fields)[i]));
    }
    if (fresh)
        canvas.show();
    if (row.title)
        canvas.setWindowTitle(QString::fromUtf8(row.title));
    if (fresh)
        loadModeBackground(canvas, row.background);

    // What the tables cannot say: 数学画画 marks its 全屏 button, and the
    // interception scene is set up afresh at every press, on a canvas that
    // is not maximised.
    if (mode == CanvasMode::Math)
        canvas.Command10->setBackColor(55488);
    if (mode == CanvasMode::Intercept) {
        sales(canvas);
        canvas.huatuo = false;
        canvas.setWindowState(Qt::WindowNoState);
    }

    if (row.advice) // shown under the program's own name, its default message title
        program.services().dialogs.message(QString::fromUtf8(compareAdviceText), MessageButtons::Ok,
                                           QStringLiteral("Quorin"));
    // The canvas comes up over the main window and takes the keys, also after
    // the advice, whose box hands the focus back to the window it was over.
    if (!canvas.isDead() && canvas.isVisible()) {
        canvas.raise();
        canvas.activateWindow();
    }
}

} // namespace quorin
