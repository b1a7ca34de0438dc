#pragma once
#include "core/DropModel.h"
#include "platform/Colour.h"
#include <optional>

class QLabel;

namespace quorin {

class MainFields;
class MediaPlayer;
class PictureBox;
struct SharedState;
struct Services;

// What the plot commands of the main window act on, built by the window.
struct PlotEnv {
    MainFields& fields;  // entry fields in, result fields out
    QLabel& dragLabel;   // Label1(14)
    PictureBox& plot;    // Picture1
    MediaPlayer* player; // hidden when a plot is drawn; may be absent
    SharedState& state;
    const Services& services;
    const bool& closing;   // the window is closing: stop after the next wait
    ColorValue& foreColor; // the window's own fore colour
};

// Waits 0.01 s while window events run; false once the window is closing,
// and the command then stops.
bool pauseBriefly(PlotEnv& env);
// The same, then Cls on the plot.
bool pauseThenClear(PlotEnv& env);

void deriveAndPlot(PlotEnv& env); // 推导计算
void replayDrop(PlotEnv& env);    // a click on the plot

} // namespace quorin
