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

void busyThenClear(CanvasEnv& canvas, double seconds) {
    busy(canvas, seconds);
    canvas.Picture1->cls();
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
    busyThenClear(canvas, hundredth);
}
void pauseAndClear1(CanvasEnv& canvas) {
    busyThenClear(canvas, hundredth);
}
void pauseAndClear2(CanvasEnv& canvas) {
    busyThenClear(canvas, hundredth);
}
void pauseAndClear3(CanvasEnv& canvas) {
    busyThenClear(canvas, 0.02);
}
void pauseAndClear4(CanvasEnv& canvas) {
    busyThenClear(canvas, 0.03);
}
void pauseAndClear5(CanvasEnv& canvas) {
    busyThenClear(canvas, 0.05);
}

void pauseHundredthBusy(CanvasEnv& canvas) {
    busyHundredth(canvas);
}

void spinThenClear(CanvasEnv& canvas) {
    // A wait of no time: what was drawn still shows, at the clock's display rate.
    busyThenClear(canvas, 0);
}

void yanchi(CanvasEnv& canvas) {
    busy(canvas, 1.0);
}

void letEventsRun(CanvasEnv& canvas) {
    canvas.services().clock.pause(0, WaitKind::Processing);
}

} // namespace quorin
