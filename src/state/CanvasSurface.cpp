#include "state/CanvasSurface.h"
#include "platform/Twips.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"

namespace quorin {

CanvasSurface::CanvasSurface(SharedState& state, const Services& services, CanvasHost& host)
    : state_(state), services_(services), host_(host) {}

bool CanvasSurface::mustStop() const {
    return dead_ || host_.stopRequested();
}

MainFields& CanvasSurface::mainFields() {
    return host_.mainFields();
}

Swatches& CanvasSurface::swatches() {
    return state_.swatches;
}

double CanvasSurface::widthTwips() const {
    return quorin::widthTwips(&canvasWidget());
}
double CanvasSurface::heightTwips() const {
    return quorin::heightTwips(&canvasWidget());
}

} // namespace quorin
