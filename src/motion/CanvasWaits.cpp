#include "motion/CanvasWaits.h"
#include "platform/Services.h"
#include "state/CanvasEnv.h"
#include "state/SharedState.h"

namespace quorin {

namespace {
constexpr double hundredth = 0.01;

void busy(CanvasEnv& canvas, double seconds) {
    PictureBox* picture = canvas.Picture1;
    canvas.services().clock.pause(seconds, WaitKind::Busy, [picture] { picture->repaintDrawn(); });
}

void busyHundredth(CanvasEnv& canvas) {
    busy(canvas, hundredth);
}
} // namespace

void canvasPause(CanvasEnv& canvas) {
    // The replay's count to 5000 takes no measurable time.
    if (canvas.state().replayMode)
        return;
    busyHundredth(canvas);
}

void spinBriefly(CanvasEnv&) {}

void pauseAndClear0(CanvasEnv& canvas) {
    busyHundredth(canvas);
    canvas.Picture1->cls();
}

void pauseHundredthBusy(CanvasEnv& canvas) {
    busyHundredth(canvas);
}

void spinThenClear(CanvasEnv& canvas) {
    // A wait of no time: what was drawn still shows, at the clock's display rate.
    busy(canvas, 0);
    canvas.Picture1->cls();
}

void yanchi(CanvasEnv& canvas) {
    busy(canvas, 1.0);
}

} // namespace quorin
