#pragma once
#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvas/Preview.h"
#include "core/CanvasModes.h"
#include "imagecmp/ImageCommands.h"

class QWidget;

namespace quorin {

// What the layout acts on: every control of the canvas (it places them all)
// and the full-screen button.
class LayoutEnv : public virtual PatternEnv,
                  public virtual RainEnv,
                  public virtual ImageEnv,
                  public virtual PreviewEnv {
public:
    CommandButton* Command10 = nullptr; // 全屏

    // A control by its designed name (nullptr for a name it does not have).
    QWidget* control(const CanvasControlRef& ref) const;

protected:
    ~LayoutEnv() = default;
};

// The picture and the right-hand column follow the canvas size; the share of
// the height the picture takes differs between load (0.9) and resize (0.85).
void layOutCanvas(LayoutEnv& canvas, double pictureShare, bool withFullDrawButton);
// At load, when the canvas is tall enough: the picture takes 0.9 of the height.
void layOutAtLoad(LayoutEnv& canvas);
// What the canvas does whenever it is shown or resized.
void applyResizeRule(LayoutEnv& canvas);

// Command10 全屏 (also the start-up display).
void fullScreenCommand(LayoutEnv& canvas);
// Command1(18) 全屏 / 还原.
void barFullScreenCommand(LayoutEnv& canvas);
// Command1(19) 全画屏.
void fullDrawingScreenCommand(LayoutEnv& canvas);

} // namespace quorin
