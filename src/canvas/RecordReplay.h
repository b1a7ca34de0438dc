#pragma once
#include "animation/Rain.h"
#include "canvas/Preview.h"
#include <QString>

namespace quorin {

// What the record replays act on: the drops of 雨's renderers, the preview's
// timers (a replay stops them), and the replay timers.
class RecordEnv : public virtual RainEnv, public virtual PreviewEnv {
public:
    CanvasTimer Timer8{timers_, 1000}; // "auto" record cycle
    CanvasTimer Timer9{timers_, 200};  // "auto" record step
    CanvasTimer Timer10{timers_, 1};   // "autoplay" cycle
    CanvasTimer Timer11{timers_, 1};   // "autoplay" step
    // A record-cycle tick is running (its renderer may show a message).
    int recordTickRunning = 0;

protected:
    ~RecordEnv() = default;
};

// The parameter records of the saved pictures (treego.txt) replayed as drops:
// "auto" typed into Text2 runs them through rains (rainst for the last) over
// and over, "autoplay" through rainst with the replay pan added.

// Reads treego.txt into treeRecords; the record count (0 for a missing or
// empty file).
double query1(CanvasSurface& canvas, QChar separator);
// One record into recordValues; values that are no numbers, or missing, leave
// their element as it was.
QString Opensesame(CanvasSurface& canvas, const QString& record);

void autoCycleStart(RecordEnv& canvas);     // Timer8
void autoCycleStep(RecordEnv& canvas);      // Timer9
void autoplayCycleStart(RecordEnv& canvas); // Timer10
void autoplayCycleStep(RecordEnv& canvas);  // Timer11

// The words of Text2: a click, Enter, and every key before it is taken.
void text2Click(RecordEnv& canvas);
void text2Key(RecordEnv& canvas, int character);

} // namespace quorin
