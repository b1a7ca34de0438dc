#include "canvas/StrokeFiles.h"
#include "canvas/Freehand.h"
#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "state/CanvasDialogs.h"
#include "state/SharedState.h"

namespace quorin {

namespace {

StrokeTables tablesOf(SharedState& s) {
    return {s.strokeX,     s.strokeY,          s.strokeColor,
            s.strokeWidth, s.strokePointCount, s.strokeGroupEnd};
}

} // namespace

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
    const double strokes = s.strokeGroupEnd.at(tableIndex(s.strokeGroupIndex));
    if (!replaceTextFile(name, strokeFileText(tablesOf(s), static_cast<int>(strokes))))
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
    if (tooLargeToRead(name)) {
        dialogs(canvas).message(tooLargeMessage(name), MessageButtons::Ok,
                                QStringLiteral("Quorin"));
        return;
    }
    // A file that cannot be read (gone, a folder, no access) ends quietly.
    std::optional<QByteArray> bytes = readFileBytes(name);
    if (!bytes)
        return;
    // The rows go from the file's text into the stroke tables, with no table
    // of row texts between: a large file is held once, as it came.
    StrokeTables tables = tablesOf(s);
    StrokeImportResult read;
    const RowReadResult rows = zhong(std::move(*bytes), rowTableRows,
                                     [&](const auto& kept) { read = qingz(kept, tables); });
    if (rows.tooMany) {
        dialogs(canvas).message(tooManyRowsMessage(), MessageButtons::Ok, QStringLiteral("Quorin"));
        return;
    }
    s.tableRowCount = rows.rowCount;
    if (!read.complete)
        tellDrawing(canvas,
                    QStringLiteral("第 %1 行有一项不是数值，导入在此停止；此前的笔画已导入。")
                        .arg(read.badRow + 1));
}

} // namespace quorin
