#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace quorin {

class CanvasWindow;
struct SharedState;

// Window border on or off. Switching it re-creates the native window, which
// hides it; a visible canvas is shown again.
void setBorderless(CanvasWindow& canvas, bool borderless);

// The picture and the right-hand column follow the canvas size; the share of
// the height the picture takes differs between load (0.9) and resize (0.85).
void layOutCanvas(CanvasWindow& canvas, double pictureShare, bool withFullDrawButton);
// Load, step 4.
void layOutAtLoad(CanvasWindow& canvas);
// What the canvas does whenever it is shown or resized.
void applyResizeRule(CanvasWindow& canvas);

// Command10 全屏 (also the start-up display).
void fullScreenCommand(CanvasWindow& canvas);
// Command1(18) 全屏 / 还原.
void barFullScreenCommand(CanvasWindow& canvas);
// Command1(19) 全画屏.
void fullDrawingScreenCommand(CanvasWindow& canvas);

// --- picture preview: Command1(20), Timer12, Timer1 ---
void previewClick(CanvasWindow& canvas);
void previewFolderTick(CanvasWindow& canvas);
void previewStepTick(CanvasWindow& canvas);

// The folder part of a chosen file, up to and including its last "/" or "\".
QString folderOfFile(const QString& path);
// The names a preview shows: in the given order, ending after the first name
// that contains "$", at most `limit` names.
QStringList previewNames(const QStringList& folderNames, int limit);
// Fills previewFiles / previewFileCount from the folder of `chosenFile` and
// returns the count. Earlier listings are forgotten.
int listPreviewFolder(SharedState& state, const QString& chosenFile);

} // namespace quorin
