#pragma once
#include "canvas/Interception.h"
#include "core/StrokeFile.h"
#include "state/CanvasFields.h"
#include "state/CanvasSurface.h"
#include <QString>

namespace quorin {

// What drawing, the stroke files, their replay and the hidden capture act on:
// the picture, the fields, the command bar's captions, the start point (and,
// through the press that arms it, the angle search), and the stroke timers.
class StrokeEnv : public virtual InterceptEnv,
                  public virtual CommandBarButtons,
                  public virtual CanvasTimerList {
public:
    CanvasTimer Timer13{timers_, 10};  // stroke sampler
    CanvasTimer Timer14{timers_, 100}; // stroke replay
    // The user has heard that the stroke tables are full (once per drawing
    // session).
    bool strokesFullTold = false;

protected:
    ~StrokeEnv() = default;
};

// Freehand drawing on the canvas picture. While drawing mode is on, every
// stroke is recorded as points sampled every 10 ms (Timer13) with the pen
// colour and width, in the shared stroke tables.

// Mouse events of the canvas picture: button 1 left, 2 right; shift 2 Ctrl;
// coordinates in the picture's scale.
void freehandPress(StrokeEnv& canvas, int button, int shift, double x, double y);
void freehandMove(StrokeEnv& canvas, int button, int shift, double x, double y);
void freehandRelease(StrokeEnv& canvas, int button, int shift, double x, double y);
// Timer13: the next point of the stroke being drawn.
void freehandSample(StrokeEnv& canvas);

// 画画 / Ctrl+H: drawing mode on (pen width 2, drawing pointer) or off (the
// stroke counters start afresh).
void huahua(StrokeEnv& canvas);
// The canvas picture's pointer: a drawing one while drawing mode is on.
void setDrawingPointer(CanvasSurface& canvas, bool drawing);
// Ctrl+J and a click on the canvas's own surface: the pen width one up or
// down (1 .. 70), asked; in simulation mode the click plot's start is reset
// first.
void jiajian(StrokeEnv& canvas);

// A notice under the drawing tool's title.
void tellDrawing(CanvasSurface& canvas, const QString& text);

// The back colours of 画画 and 自动: running and stopped.
inline constexpr int modeOnColor = 39168;
inline constexpr int modeOffColor = 153;

inline const char* const strokesTitle = "Quorin 进化-quorin evolution 之画画";
inline const char* const strokesFullMessage =
    "画画记录已满（最多3001笔，每笔最多3001个点），超出的部分不再记录。";

} // namespace quorin
