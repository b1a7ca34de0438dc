#pragma once
#include <QString>
#include <array>

namespace quorin {

class CanvasWindow;

// "图形文件*.jpg|*.jpg|..." : every picture dialog of the canvas.
QString pictureFileFilter();

// Click on Command1(index): runs the command of that button.
void runCommandBar(CanvasWindow& canvas, int index);

// --- commands of the bar ---
void clearCanvasPicture(CanvasWindow& canvas);    // 1 清空图像
void prestorePicture(CanvasWindow& canvas);       // 2 图像预存
void savePictureWithRecord(CanvasWindow& canvas); // 3 图像保存
void chooseBackColor(CanvasWindow& canvas);       // 6 底色
void choosePenColor(CanvasWindow& canvas);        // 7 画色
void importPicture(CanvasWindow& canvas);         // 9 导入图像
void coordinateTransform(CanvasWindow& canvas);   // 11 坐标变换
void writeText(CanvasWindow& canvas);             // 13 写字
// The picture save of Ctrl+S.
void savephoto(CanvasWindow& canvas);
// 粗 / 细: pen width 7 or 2, only while drawing.
void cxqh(CanvasWindow& canvas);

// Routines that come with their own features; the bar and the Ctrl keys
// already call them here.
void derive(CanvasWindow& canvas);         // 0 推导计算: canvas derive
void bianhuanjiaodu(CanvasWindow& canvas); // 10 变换角度: angle transform
void huahua(CanvasWindow& canvas);         // 14 画画: freehand drawing on/off
void autop(CanvasWindow& canvas);          // 15 自动: stroke replay on/off
void outsave(CanvasWindow& canvas);        // 16 导出: export strokes
void inputres(CanvasWindow& canvas);       // 17 导入: import strokes
void jiajian(CanvasWindow& canvas);        // Ctrl+J: pen width +-1

// The eight values of a parameter record, in record order: flight time,
// radius, Vx0, VFy, Vy0, the canvas transform X and Y, VFx.
using RecordValues = std::array<QString, 8>;
RecordValues currentRecordValues(CanvasWindow& canvas);
// treego.txt: the values each followed by a comma, then CR LF.
QString treegoRecord(const RecordValues& values);
// tree.txt: date CR LF, then file name TAB values CR LF.
QString treeRecord(const QString& date, const QString& fileName, const RecordValues& values);

} // namespace quorin
