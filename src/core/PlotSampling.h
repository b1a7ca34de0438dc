#pragma once
#include "core/DropModel.h"
#include <QString>
#include <optional>
#include <vector>

namespace quorin {

// The numbers behind one plot of the drop: the sampled path, the plot window
// it needs, its length and the texts of its axis crossings.

// The path sampled for drawing at s = 0, t/steps, 2t/steps, ... <= t, and the
// plot window it needs: xr, yr = 1.5 times the extent, R = the larger of the
// two.
struct PlotSamples {
    std::vector<PathPoint> points;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double xr = 0, yr = 0, R = 0;
};

// Nothing when a sample or the window is not finite, or steps is not positive.
std::optional<PlotSamples> samplePlot(const DropInputs& in, double t, int steps);

// The fine measurement of the path in `steps` steps: its length and the texts
// of the axis crossings ("" when the path does not cross).
struct PathScan {
    double length = 0;
    QString xCrossing, yCrossing;
};

PathScan scanPath(const DropInputs& in, double t, double R, const DropState& atT, int steps);

// The two lines of the special moments, always written.
QString momentLines(const DropState& atT);

// Samples of the path the main window's plot draws, and of its length scan.
inline constexpr int mainPlotSteps = 100;
inline constexpr int mainScanSteps = 10000;

// What 推导计算 finds for a drop after t, worked out before anything is shown:
// the state at t, the plot's samples and the length scan.
struct DeriveResults {
    DropState atT;
    PlotSamples plot;
    PathScan scan;

    double speed() const;
    // The text the notes field (Text1(11)) gets: the axis crossings, where
    // the path crosses, and the special moments.
    QString notes() const;
};

// Nothing when a step is an arithmetic error (a state, a sample, the length
// or the speed not finite). t must be above 0: the fields' check.
std::optional<DeriveResults> deriveResults(const DropInputs& in, double t);

} // namespace quorin
