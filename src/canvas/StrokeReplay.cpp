#include "canvas/StrokeReplay.h"
#include "canvas/Freehand.h"
#include "platform/NumberText.h"
#include "state/SharedState.h"
#include <algorithm>

namespace quorin {

namespace {
ColorValue colourOf(double v) {
    return static_cast<ColorValue>(static_cast<std::int64_t>(v) & 0xFFFFFF);
}
int widthOf(double v) {
    return static_cast<int>(std::clamp(v, 1.0, 70.0));
}
} // namespace

void autop(StrokeEnv& canvas) {
    if (canvas.Timer14.isActive()) {
        canvas.Timer14.stop();
        canvas.Command1[15]->setBackColor(modeOffColor);
        return;
    }
    canvas.state().replayCounter = -1;
    canvas.Timer14.start();
    canvas.Command1[15]->setBackColor(modeOnColor);
}

void strokeReplayTick(StrokeEnv& canvas) {
    SharedState& s = canvas.state();
    s.replayCounter += 1;
    canvas.Text2->setText(numberToText(s.replayCounter));
    if (s.replayCounter >= s.strokeGroupEnd.at(tableIndex(s.strokeGroupIndex))) {
        canvas.Timer14.stop();
        canvas.Command1[15]->setBackColor(modeOffColor);
        return;
    }
    const auto stroke = tableIndex(s.replayCounter);
    // A stroke of its press point alone has no sampled point: nothing to draw.
    if (s.strokeWidth.at(stroke, 1) == 0)
        return;
    PictureBox& pic = *canvas.Picture1;
    const double dx = s.coordTransformX, dy = s.coordTransformY;
    pic.setDrawWidth(widthOf(s.strokeWidth.at(stroke, 1)));
    pic.pset(dx + s.strokeX.at(stroke, 0), dy + s.strokeY.at(stroke, 0),
             colourOf(s.strokeColor.at(stroke, 1)));
    const double last = std::min(s.strokePointCount.at(stroke), double(strokeLimit));
    for (long long p = 1; p <= last; ++p) {
        pic.setDrawWidth(widthOf(s.strokeWidth.at(stroke, p)));
        pic.lineTo(dx + s.strokeX.at(stroke, p), dy + s.strokeY.at(stroke, p),
                   colourOf(s.strokeColor.at(stroke, p)));
    }
}

} // namespace quorin
