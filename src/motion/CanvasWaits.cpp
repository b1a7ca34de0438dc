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
    // No wait, but what was drawn shows at display rate.
    const double now = canvas.services().clock.now();
    if (now - canvas.lastRepaint >= 1.0 / 60) {
        canvas.Picture1->repaintDrawn();
        canvas.lastRepaint = now;
    }
    canvas.Picture1->cls();
}

void yanchi(CanvasEnv& canvas) {
    busy(canvas, 1.0);
}

} // namespace quorin
