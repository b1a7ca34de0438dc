#pragma once
#include "state/CanvasFields.h"
#include "state/CanvasSurface.h"
#include <QString>

namespace quorin {

// What the image buttons act on: the surface, the fields (file names,
// resolution, threshold), the command bar (hidden while one runs) and their
// own buttons.
class ImageEnv : public virtual CanvasSurface,
                 public virtual CanvasFields,
                 public virtual CommandBarButtons {
public:
    CommandButton* Command9 = nullptr;         // 图像采集
    CommandButton* Command11 = nullptr;        // 图像采集
    std::array<CommandButton*, 3> Command12{}; // 图像采集, 图像比较, 图像叠加
    // The two-step image buttons Command11 and Command9: true once a capture
    // has turned them to 图像对比, until the comparison turns them back.
    bool command11Compares = false;
    bool command9Compares = false;
    // Image operations (capture, comparison, overlay) running: a press of an
    // image button meanwhile starts no second one.
    int imageOperationRunning = 0;

protected:
    ~ImageEnv() = default;
};

// The canvas's image buttons. Each samples or redraws the picture on the grid
// the resolution boxes (Text1(2), Text1(3)) give, in the box's own twips
// whatever user scale is set, pausing between columns so the window stays
// responsive. A press while another image operation runs is ignored, and a
// command stops at its next pause when the canvas is closed.

// Command12(0) 图像采集, (1) 图像比较, (2) 图像叠加.
void command12Click(ImageEnv& canvas, int index);
// The two-step buttons: a capture while they read 图像采集, the comparison
// with the picture (or a redraw) while they read 图像对比. Command9 compares
// by the template rule and also keeps the captured colours.
void command11Click(ImageEnv& canvas);
void command9Click(ImageEnv& canvas);

// Reads a pixel set or difference file into the first pixel table and draws
// every point that is not "*" as a filled disc: in the pen colour (`inPen`)
// or in the point's own colour.
void chonghua(ImageEnv& canvas, const QString& path, bool inPen);

// The difference file's name in the program folder.
inline const char* const differenceFileName = "caculator.txt";

} // namespace quorin
