#pragma once

namespace quorin {

class Program;

// The six mode buttons of the main window. Each reloads the canvas, sets the
// mode flags, decides which canvas controls show, pre-fills entry fields,
// loads a background and shows the canvas.
void launchMathDrawing(Program& program);     // 数学画画
void launchDropSimulation(Program& program);  // Quorin模拟
void launchInterception(Program& program);    // 反导模拟
void launchImageCompare(Program& program);    // 图像比较
void launchFreehandDrawing(Program& program); // 新月画画
void launchImageOverlay(Program& program);    // 图像叠加

// The message 图像比较 and 图像叠加 show before a first comparison.
extern const char* const compareAdviceText;

} // namespace quorin
