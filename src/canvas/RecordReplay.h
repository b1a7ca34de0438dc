#pragma once
#include <QString>

namespace quorin {

class CanvasEnv;

// The parameter records of the saved pictures (treego.txt) replayed as drops:
// "auto" typed into Text2 runs them through rains (rainst for the last) over
// and over, "autoplay" through rainst with the replay pan added.

// Reads treego.txt into treeRecords; the record count (0 for a missing or
// empty file).
double query1(CanvasEnv& canvas, QChar separator);
// One record into recordValues; values that are no numbers, or missing, leave
// their element as it was.
QString Opensesame(CanvasEnv& canvas, const QString& record);

void autoCycleStart(CanvasEnv& canvas);     // Timer8
void autoCycleStep(CanvasEnv& canvas);      // Timer9
void autoplayCycleStart(CanvasEnv& canvas); // Timer10
void autoplayCycleStep(CanvasEnv& canvas);  // Timer11

// The words of Text2: a click, Enter, and every key before it is taken.
void text2Click(CanvasEnv& canvas);
void text2Key(CanvasEnv& canvas, int character);

} // namespace quorin
