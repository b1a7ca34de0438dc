#pragma once

class QWidget;

namespace quorin {

class CanvasEnv;

// The picture and the right-hand column follow the canvas size; the share of
// the height the picture takes differs between load (0.9) and resize (0.85).
void layOutCanvas(CanvasEnv& canvas, double pictureShare, bool withFullDrawButton);
// At load, when the canvas is tall enough: the picture takes 0.9 of the height.
void layOutAtLoad(CanvasEnv& canvas);
// What the canvas does whenever it is shown or resized.
void applyResizeRule(CanvasEnv& canvas);

// Command10 全屏 (also the start-up display).
void fullScreenCommand(CanvasEnv& canvas);
// Command1(18) 全屏 / 还原.
void barFullScreenCommand(CanvasEnv& canvas);
// Command1(19) 全画屏.
void fullDrawingScreenCommand(CanvasEnv& canvas);

} // namespace quorin
