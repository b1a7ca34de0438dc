#pragma once
#include "state/CanvasFields.h"
#include "state/CanvasSurface.h"
#include <QString>

namespace quorin {

// What the picture preview acts on: the surface, the fields, its button's
// caption in the command bar, and its two timers.
class PreviewEnv : public virtual CanvasSurface,
                   public virtual CanvasFields,
                   public virtual CommandBarButtons,
                   public virtual CanvasTimerList {
public:
    CanvasTimer Timer1{timers_, 1800};  // preview step
    CanvasTimer Timer12{timers_, 1500}; // preview folder dialog
    // The picture preview runs (its button reads 停止预览).
    bool previewing = false;

protected:
    ~PreviewEnv() = default;
};
struct SharedState;

// The picture preview: Command1(20) starts and stops it, Timer12 asks for a
// file of the folder to show, Timer1 shows the folder's pictures one by one.
void previewClick(PreviewEnv& canvas);
void previewFolderTick(PreviewEnv& canvas);
void previewStepTick(PreviewEnv& canvas);

// Fills previewFiles / previewFileCount from the folder of `chosenFile` and
// returns the count. Earlier listings are forgotten.
int listPreviewFolder(SharedState& state, const QString& chosenFile);

} // namespace quorin
