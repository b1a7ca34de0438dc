#pragma once
#include <QString>

namespace quorin {

class CanvasEnv;

// The canvas's image buttons. Each samples or redraws the picture on the grid
// the resolution boxes (Text1(2), Text1(3)) give, in the box's own twips
// whatever user scale is set, pausing between columns so the window stays
// responsive. A press while another image operation runs is ignored, and a
// command stops at its next pause when the canvas is closed.

// Command12(0) 图像采集, (1) 图像比较, (2) 图像叠加.
void command12Click(CanvasEnv& canvas, int index);
// The two-step buttons: a capture while they read 图像采集, the comparison
// with the picture (or a redraw) while they read 图像对比. Command9 compares
// by the template rule and also keeps the captured colours.
void command11Click(CanvasEnv& canvas);
void command9Click(CanvasEnv& canvas);

// Reads a pixel set or difference file into the first pixel table and draws
// every point that is not "*" as a filled disc: in the pen colour (`inPen`)
// or in the point's own colour.
void chonghua(CanvasEnv& canvas, const QString& path, bool inPen);

// The difference file's name in the program folder.
inline const char* const differenceFileName = "caculator.txt";

} // namespace quorin
