#pragma once
#include <QString>

namespace quorin {

class CanvasSurface;
class StrokeEnv;

// 导出 / Ctrl+O: the recorded strokes into a text file the user chooses,
// replacing it whole (a failed write leaves the old file and says so).
void outsave(StrokeEnv& canvas);
// 导入 / Ctrl+I: strokes from such a file into the stroke tables, for 自动 to
// replay. Drawing mode ends.
void inputres(StrokeEnv& canvas);

// The notice, then the save dialog for a text file and, for a file that
// exists, the replace question: the chosen name, or "" when the user
// cancelled or declined.
QString chooseTextFileToReplace(CanvasSurface& canvas, const QString& notice);
// A replace of `name` that failed: the old file is whole, and the user hears.
void tellNotWritten(CanvasSurface& canvas, const QString& name);

// The replace question of the stroke files (two spaces before 之, as always).
inline const char* const strokesReplaceTitle = "Quorin 进化-quorin evolution  之 画画";

} // namespace quorin
