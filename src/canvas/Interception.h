#pragma once

namespace quorin {

class CanvasEnv;

// The interception scene as far as it goes today: the plot window (xa, ya) -
// (xb, yb) is the whole picture's scale and the target defaults to its
// bottom-right corner. The window from the drop model, the frame, the range
// ellipse and the launch point come with the angle search.
void sales(CanvasEnv& canvas);

} // namespace quorin
