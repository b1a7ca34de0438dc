#pragma once

namespace quorin {

class CanvasSurface;

// The canvas's waits. Busy: no timer ticks and no other command starts while
// they run (the user's input is held until the command ends), but the windows
// keep repainting and the canvas picture shows the animation as it is drawn.
// Each returns whether the command goes on: false once the canvas is unloaded
// or the user asked the running command to stop, and then nothing more is
// drawn, not even the clearing that follows a wait.

// More than 0.01 s; while a record replay runs, no wait at all.
[[nodiscard]] bool canvasPause(CanvasSurface& canvas);
// More than `seconds` (0.01 s and the hit rings' 0.01 to 0.05 s), then Cls of
// the canvas picture; 0: no measurable time, what was drawn still shows at the
// clock's display rate.
[[nodiscard]] bool pauseAndClear(CanvasSurface& canvas, double seconds);
// More than 0.01 s.
[[nodiscard]] bool pauseHundredthBusy(CanvasSurface& canvas);
// More than 1 s: the hold after a pattern frame.
[[nodiscard]] bool yanchi(CanvasSurface& canvas);
// No wait: the window events that are pending run now (clicks included), so
// the canvas may be unloaded when it returns.
[[nodiscard]] bool letEventsRun(CanvasSurface& canvas);

} // namespace quorin
