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

// Text1(0) radius, (1) Vx0, (2) VFx, (3) VFy, (4) Vy0, (13) density, each
// through val(); callers check the fields hold numbers first.
DropInputs readDropInputs(const MainFields& fields);
// Flight time from Text1(10).
double readFlightTime(const MainFields& fields);
// The seven input fields (radius, density, velocities, wind, flight time)
// hold numbers: what every drop command checks first.
bool dropFieldsAreNumbers(const MainFields& fields);

// Waits 0.01 s while window events run; false once the window is closing,
// and the command then stops.
bool pauseBriefly(PlotEnv& env);
// The same, then Cls on the plot.
bool pauseThenClear(PlotEnv& env);

void deriveAndPlot(PlotEnv& env); // 推导计算
void replayDrop(PlotEnv& env);    // a click on the plot

// Samples of the path the main window's plot draws, and of its length scan.
inline constexpr int mainPlotSteps = 100;
inline constexpr int mainScanSteps = 10000;

inline const char* const inputCheckMessage = "请输入数值！";
inline const char* const arithmeticErrorMessage =
    "参数无法计算：半径和密度须不为0，且数值不可过大。";

} // namespace quorin
