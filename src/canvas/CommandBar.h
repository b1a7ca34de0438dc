#pragma once
#include "core/ParameterRecords.h"
#include <QString>

namespace quorin {

class CanvasEnv;

// A picture file that is missing, damaged, cut short or too large to show.
QString pictureNotOpenedMessage(const QString& path);

// Click on Command1(index): runs the command of that button.
void runCommandBar(CanvasEnv& canvas, int index);

// --- commands of the bar ---
void derive(CanvasEnv& canvas);                // 0 推导计算: the canvas derive
void clearCanvasPicture(CanvasEnv& canvas);    // 1 清空图像
void prestorePicture(CanvasEnv& canvas);       // 2 图像预存
void savePictureWithRecord(CanvasEnv& canvas); // 3 图像保存
void chooseBackColor(CanvasEnv& canvas);       // 6 底色
void choosePenColor(CanvasEnv& canvas);        // 7 画色
void importPicture(CanvasEnv& canvas);         // 9 导入图像
void coordinateTransform(CanvasEnv& canvas);   // 11 坐标变换
void writeText(CanvasEnv& canvas);             // 13 写字
// The picture save of Ctrl+S.
void savephoto(CanvasEnv& canvas);
// 粗 / 细: pen width 7 or 2, only while drawing.
void cxqh(CanvasEnv& canvas);

// The values of the parameter record of a picture saved now.
RecordValues currentRecordValues(CanvasEnv& canvas);

} // namespace quorin
