#include "motion/CanvasWaits.h"
#include "platform/Services.h"
#include "state/CanvasEnv.h"
#include "state/SharedState.h"

namespace quorin {

namespace {
constexpr double hundredth = 0.01;

bool busy(CanvasEnv& canvas, double seconds) {
    PictureBox* picture = canvas.Picture1;
    canvas.services().clock.pause(seconds, WaitKind::Busy, [picture] { picture->repaintDrawn(); });
    return !canvas.mustStop();
}

bool busyThenClear(CanvasEnv& canvas, double seconds) {
    if (!busy(canvas, seconds))
        return false;
    canvas.Picture1->cls();
    return true;
}
} // namespace

bool canvasPause(CanvasEnv& canvas) {
    // The replay's count to 5000 takes no measurable time.
    if (canvas.state().replayMode)
        return !canvas.mustStop();
    return busy(canvas, hundredth);
}

bool pauseAndClear0(CanvasEnv& canvas) {
    return busyThenClear(canvas, hundredth);
}
bool pauseAndClear1(CanvasEnv& canvas) {
    return busyThenClear(canvas, hundredth);
}
bool pauseAndClear2(CanvasEnv& canvas) {
    return busyThenClear(canvas, hundredth);
}
bool pauseAndClear3(CanvasEnv& canvas) {
    return busyThenClear(canvas, 0.02);
}
bool pauseAndClear4(CanvasEnv& canvas) {
    return busyThenClear(canvas, 0.03);
}
bool pauseAndClear5(CanvasEnv& canvas) {
    return busyThenClear(canvas, 0.05);
}

bool pauseHundredthBusy(CanvasEnv& canvas) {
    return busy(canvas, hundredth);
}

bool spinThenClear(CanvasEnv& canvas) {
    // A wait of no time: what was drawn still shows, at the clock's display rate.
    return busyThenClear(canvas, 0);
}

bool yanchi(CanvasEnv& canvas) {
    return busy(canvas, 1.0);
}

bool letEventsRun(CanvasEnv& canvas) {
    canvas.services().clock.pause(0, WaitKind::Processing);
    return !canvas.mustStop();
}

} // namespace quorin
