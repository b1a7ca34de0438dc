#pragma once
#include "motion/DropModel.h"
#include <QString>
#include <optional>
#include <vector>

namespace quorin {

class MainWindow;

// --- the model on the main window's fields ---

// Text1(0) radius, (1) Vx0, (2) VFx, (3) VFy, (4) Vy0, (13) density, each
// through val(); callers check the fields hold numbers first.
DropInputs readDropInputs(const MainWindow& w);
// Flight time from Text1(10).
double readFlightTime(const MainWindow& w);
double f1(const MainWindow& w, double t);
double f2(const MainWindow& w, double t);
// The drop at the flight time of Text1(10). The sinking phase after a relative
// apex with a downward start and wind hides the drag label Label1(14).
DropState dropStateAt(MainWindow& w);

// --- the numbers behind one plot (pure) ---

struct PathPoint {
    double s = 0, x = 0, y = 0;
};

// The path sampled for drawing (s = 0, t/100, ... <= t) and the plot window it
// needs: xr, yr = 1.5 times the extent, R = the larger of the two.
struct PlotSamples {
    std::vector<PathPoint> points;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double xr = 0, yr = 0, R = 0;
};

// Nothing when a sample or the window is not finite.
std::optional<PlotSamples> samplePlot(const DropInputs& in, double t);

// The 10000-step measurement of the path: its length and the texts of the
// axis crossings ("" when the path does not cross).
struct PathScan {
    double length = 0;
    QString xCrossing, yCrossing;
};

PathScan scanPath(const DropInputs& in, double t, double R, const DropState& atT);

// The two lines of the special moments, always written.
QString momentLines(const DropState& atT);

// --- commands ---

// Waits 0.01 s while window events run; false once the window is closing,
// and the command then stops.
bool pauseBriefly(MainWindow& w);
// The same, then Cls on Picture1.
bool pauseThenClear(MainWindow& w);

void deriveAndPlot(MainWindow& w); // 推导计算
void replayDrop(MainWindow& w);    // a click on the plot

// Text1 click and double click: highlight or empty an entry field (0..13).
void highlightField(MainWindow& w, int index);
void emptyField(MainWindow& w, int index);

inline const char* const inputCheckMessage = "请输入数值！";
inline const char* const arithmeticErrorMessage =
    "参数无法计算：半径和密度须不为0，且数值不可过大。";

} // namespace quorin
