#pragma once

namespace quorin {

class CanvasEnv;

// The canvas's waits. They dispatch no window events (the canvas stays busy
// while an animation runs), but the canvas picture repaints itself so the
// animation shows. After a wait a command checks isDead() like any other.

// More than 0.01 s; while a record replay runs, no wait at all.
void canvasPause(CanvasEnv& canvas);
// A count that takes no measurable time.
void spinBriefly(CanvasEnv& canvas);
// More than 0.01 s, then Cls of the canvas picture.
void pauseAndClear0(CanvasEnv& canvas);
// The hit rings' waits: more than 0.01, 0.01, 0.02, 0.03 and 0.05 s, each
// then Cls of the canvas picture.
void pauseAndClear1(CanvasEnv& canvas);
void pauseAndClear2(CanvasEnv& canvas);
void pauseAndClear3(CanvasEnv& canvas);
void pauseAndClear4(CanvasEnv& canvas);
void pauseAndClear5(CanvasEnv& canvas);
// More than 0.01 s.
void pauseHundredthBusy(CanvasEnv& canvas);
// No measurable time, then Cls of the canvas picture.
void spinThenClear(CanvasEnv& canvas);
// More than 1 s: the hold after a pattern frame.
void yanchi(CanvasEnv& canvas);
// No wait: the window events that are pending run now (clicks included), so
// the canvas may be unloaded when it returns.
void letEventsRun(CanvasEnv& canvas);

} // namespace quorin
