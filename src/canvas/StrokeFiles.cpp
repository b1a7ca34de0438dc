#include "canvas/StrokeFiles.h"
#include "canvas/Freehand.h"
#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "state/CanvasDialogs.h"
#include "state/SharedState.h"

namespace quorin {

QString chooseTextFileToReplace(CanvasSurface& canvas, const QString& notice) {
    tellDrawing(canvas, notice);
    if (canvas.mustStop())
        return {};
    const QString name = dialogs(canvas).saveFile(textFileFilter());
    if (canvas.mustStop() || name.isEmpty())
        return {};
    if (fileExists(name)) {
        const Answer a =
            dialogs(canvas).message(name + QStringLiteral("已经存在。\r\n要替换她吗？"),
                                    MessageButtons::YesNo, QString::fromUtf8(strokesReplaceTitle));
        if (canvas.mustStop() || a != Answer::Yes)
            return {};
    }
    return name;
}

void tellNotWritten(CanvasSurface& canvas, const QString& name) {
    tellDrawing(canvas, notWrittenMessage(name));
}

void outsave(StrokeEnv& canvas) {
    const QString name = chooseTextFileToReplace(
        canvas, QStringLiteral("将要保存的是Quorin画画的轨迹结果；\r\n是否继续？"));
    if (name.isEmpty())
        return;
    SharedState& s = canvas.state();
    const double strokes = s.groupStrokeCount();
    if (!replaceTextFile(name, strokeFileText(s.strokeTables(), static_cast<int>(strokes))))
        tellNotWritten(canvas, name);
}

void inputres(StrokeEnv& canvas) {
    SharedState& s = canvas.state();
    s.drawingMode = false;
    setDrawingPointer(canvas, false);
    canvas.Command1[14]->setBackColor(modeOffColor);
    tellDrawing(canvas, QStringLiteral("将要导入的是Quorin画画的轨迹结果；\r\n是否继续？"));
    if (canvas.mustStop())
        return;
    const QString name = dialogs(canvas).openFile(textFileFilter());
    if (canvas.mustStop() || name.isEmpty())
        return;
    StrokeTables tables = s.strokeTables();
    const StrokeFileRead read = readStrokeFile(name, tables);
    switch (read.status) {
    case StrokeFileRead::Status::Read:
        break;
    case StrokeFileRead::Status::TooLarge:
        dialogs(canvas).message(tooLargeMessage(name), MessageButtons::Ok,
                                QStringLiteral("Quorin"));
        return;
    case StrokeFileRead::Status::Unreadable: // gone, a folder, no access: ends quietly
        return;
    case StrokeFileRead::Status::TooManyRows:
        dialogs(canvas).message(tooManyRowsMessage(), MessageButtons::Ok, QStringLiteral("Quorin"));
        return;
    }
    s.tableRowCount = read.rowCount;
    if (!read.strokes.complete)
        tellDrawing(canvas, importStoppedMessage(read.strokes.badRow));
}

} // namespace quorin
