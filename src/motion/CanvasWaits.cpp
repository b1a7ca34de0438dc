#include "motion/CanvasWaits.h"
#include "platform/Services.h"
#include "state/CanvasSurface.h"
#include "state/SharedState.h"

namespace quorin {

namespace {
constexpr double hundredth = 0.01;

bool busy(CanvasSurface& canvas, double seconds) {
    PictureBox* picture = canvas.Picture1;
    canvas.services().clock.pause(seconds, WaitKind::Busy, [picture] { picture->repaintDrawn(); });
    return !canvas.mustStop();
}

} // namespace

bool canvasPause(CanvasSurface& canvas) {
    // The replay's count to 5000 takes no measurable time.
    if (canvas.state().replayMode)
        return !canvas.mustStop();
    return busy(canvas, hundredth);
}

bool pauseAndClear(CanvasSurface& canvas, double seconds) {
    if (!busy(canvas, seconds))
        return false;
    canvas.Picture1->cls();
    return true;
}

bool pauseHundredthBusy(CanvasSurface& canvas) {
    return busy(canvas, hundredth);
}

bool yanchi(CanvasSurface& canvas) {
    return busy(canvas, 1.0);
}

bool letEventsRun(CanvasSurface& canvas) {
    canvas.services().clock.pause(0, WaitKind::Processing);
    return !canvas.mustStop();
}

} // namespace quorin
