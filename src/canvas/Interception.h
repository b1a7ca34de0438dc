#pragma once

namespace quorin {

class CanvasWindow;

// Sets up the interception scene: plot window from the drop model, default
// target at the bottom-right corner, frame, axes, range ellipse and launch
// point.
void sales(CanvasWindow& canvas);

} // namespace quorin
