#pragma once
#include <QString>

namespace quorin {

class CanvasEnv;
struct SharedState;

// The picture preview: Command1(20) starts and stops it, Timer12 asks for a
// file of the folder to show, Timer1 shows the folder's pictures one by one.
void previewClick(CanvasEnv& canvas);
void previewFolderTick(CanvasEnv& canvas);
void previewStepTick(CanvasEnv& canvas);

// Fills previewFiles / previewFileCount from the folder of `chosenFile` and
// returns the count. Earlier listings are forgotten.
int listPreviewFolder(SharedState& state, const QString& chosenFile);

} // namespace quorin
