#include "canvas/Interception.h"
#include "state/CanvasEnv.h"
#include "state/SharedState.h"

namespace quorin {

void sales(CanvasEnv& canvas) {
    // The plot window follows the drop model; until then the whole picture
    // is the window and the target defaults to its bottom-right corner.
    PictureBox& pic = *canvas.Picture1;
    canvas.xa = pic.scaleLeft();
    canvas.ya = pic.scaleTop();
    canvas.xb = pic.scaleLeft() + pic.scaleWidth();
    canvas.yb = pic.scaleTop() + pic.scaleHeight();
    canvas.state().targetX = canvas.xb;
    canvas.state().targetY = canvas.yb;
}

} // namespace quorin
