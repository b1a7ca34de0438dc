#pragma once
#include "canvas/CanvasLayout.h"
#include "canvas/Freehand.h"
#include "core/ParameterRecords.h"
#include <QString>

namespace quorin {

// What the command bar acts on: it starts the commands of most features, so
// it is their environments together, and it keeps the pen's width switch.
class CommandBarEnv : public virtual LayoutEnv, public virtual StrokeEnv {
public:
    // The thick pen is on (its button reads 细).
    bool thickPen = false;

protected:
    ~CommandBarEnv() = default;
};

// Click on Command1(index): runs the command of that button.
void runCommandBar(CommandBarEnv& canvas, int index);

// --- commands of the bar ---
void derive(CanvasPlotEnv& canvas);                // 0 推导计算: the canvas derive
void clearCanvasPicture(CommandBarEnv& canvas);    // 1 清空图像
void prestorePicture(CommandBarEnv& canvas);       // 2 图像预存
void savePictureWithRecord(CommandBarEnv& canvas); // 3 图像保存
void chooseBackColor(CanvasSurface& canvas);       // 6 底色
void choosePenColor(CanvasSurface& canvas);        // 7 画色
void importPicture(CanvasPlotEnv& canvas);         // 9 导入图像
void coordinateTransform(CommandBarEnv& canvas);   // 11 坐标变换
void writeText(CommandBarEnv& canvas);             // 13 写字
// The picture save of Ctrl+S.
void savephoto(CommandBarEnv& canvas);
// 粗 / 细: pen width 7 or 2, only while drawing.
void cxqh(CommandBarEnv& canvas);

// The values of the parameter record of a picture saved now.
RecordValues currentRecordValues(CommandBarEnv& canvas);

} // namespace quorin
