#pragma once

namespace quorin {

class StrokeEnv;

// 自动 / Ctrl+A: starts the replay of the recorded strokes, one stroke per
// Timer14 tick, or stops a running one.
void autop(StrokeEnv& canvas);
// Timer14: the next stroke, offset by the coordinate transform, drawn over
// whatever the canvas shows.
void strokeReplayTick(StrokeEnv& canvas);

} // namespace quorin
