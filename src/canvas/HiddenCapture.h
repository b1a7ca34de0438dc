#pragma once

namespace quorin {

class StrokeEnv;

// Enter in the canvas's Text1(3) while it reads "se": the canvas picture
// sampled on a grid (every 1000 scale units across, 100 down) into a text file
// of colour texts, one line per column, each point marked with a red circle.
void hiddenCapture(StrokeEnv& canvas);

// A key typed into Text1(3): Enter over "se" runs the capture.
void text1Key3(StrokeEnv& canvas, int character);

inline const char* const captureGridTooLargeMessage =
    "采集网格超过5000列或5001行，像素集合没有保存。";

} // namespace quorin
