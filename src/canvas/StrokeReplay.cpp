#include "canvas/StrokeReplay.h"
#include "canvas/Freehand.h"
#include "core/StrokeFile.h"
#include "platform/NumberText.h"
#include "state/SharedState.h"
#include <vector>

namespace quorin {

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
    if (s.replayCounter >= s.groupStrokeCount()) {
        canvas.Timer14.stop();
        canvas.Command1[15]->setBackColor(modeOffColor);
        return;
    }
    const std::vector<ReplayPoint> points =
        replayPoints(s.strokeTables(), tableIndex(s.replayCounter));
    if (points.empty())
        return;
    PictureBox& pic = *canvas.Picture1;
    const double dx = s.coordTransformX, dy = s.coordTransformY;
    pic.setDrawWidth(points.front().width);
    pic.pset(dx + points.front().x, dy + points.front().y, points.front().colour);
    for (std::size_t i = 1; i < points.size(); ++i) {
        pic.setDrawWidth(points[i].width);
        pic.lineTo(dx + points[i].x, dy + points[i].y, points[i].colour);
    }
}

} // namespace quorin
