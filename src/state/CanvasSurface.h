#pragma once
#include "platform/Colour.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include <QTimer>
#include <span>
#include <vector>

namespace quorin {

class CanvasHost;
class MainFields;
struct SharedState;
struct Services;
class Swatches;

// A command's run counted for its scope in one of the canvas's "running"
// counters. A run that starts while another is under way (re-entered through
// the events a wait or a message box lets in) is not the first, and the
// command gives way.
class RunningScope {
public:
    explicit RunningScope(int& depth) : depth_(depth), first_(depth == 0) { ++depth_; }
    ~RunningScope() { --depth_; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
    bool first() const { return first_; }

private:
    int& depth_;
    bool first_;
};

// A timer of the canvas: created with its designed interval and entered in
// the canvas's list of timers, which outlives it.
class CanvasTimer : public QTimer {
public:
    CanvasTimer(std::vector<CanvasTimer*>& list, int interval) {
        setInterval(interval);
        list.push_back(this);
    }
};

// The canvas's list of timers. Every part of the canvas that keeps timers
// derives from it (virtually: there is one list), so it is built before them;
// each timer is one line, `CanvasTimer TimerN{timers_, interval};`.
class CanvasTimerList {
public:
    std::span<CanvasTimer* const> timers() const { return timers_; }

protected:
    CanvasTimerList() = default;
    ~CanvasTimerList() = default;
    CanvasTimerList(const CanvasTimerList&) = delete;
    CanvasTimerList& operator=(const CanvasTimerList&) = delete;
    std::vector<CanvasTimer*> timers_;
};

// What every canvas command may touch: the window as a plain widget, its two
// drawing surfaces, the pen and fore colours, and what the canvas reaches
// outside itself (the shared record, the services, the main window's fields,
// the program as far as the canvas may ask it). The feature environments
// (CanvasPlotEnv, PatternEnv, StrokeEnv, ...) derive from it virtually and add
// the controls, timers and variables of their feature; the canvas window is
// all of them, and commands see only the one they take.
class CanvasSurface {
public:
    CanvasSurface(const CanvasSurface&) = delete;
    CanvasSurface& operator=(const CanvasSurface&) = delete;

    // The window the canvas is (its size, cursor, frame and focus); the
    // canvas window gives itself.
    virtual QWidget& canvasWidget() = 0;
    const QWidget& canvasWidget() const { return const_cast<CanvasSurface*>(this)->canvasWidget(); }
    SharedState& state() { return state_; }
    const Services& services() const { return services_; }
    MainFields& mainFields();
    CanvasHost& host() { return host_; }
    Swatches& swatches();

    // An unloaded canvas is dead: commands that resume after a wait stop.
    void markDead() { dead_ = true; }
    bool isDead() const { return dead_; }
    // A command stops here: its canvas is dead, or the user asked the running
    // command to stop. Checked after every wait and dialog.
    bool mustStop() const;

    // Client size in twips.
    double widthTwips() const;
    double heightTwips() const;

    PictureBox* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    ColorValue yaa = colors::blue; // pen colour
    // The window's own fore colour, which the plot commands set.
    ColorValue foreColor = colors::black;

    // Window changes that must not run the resize rule (a border switch
    // re-creates the native window and may report a resize of the same size).
    class QuietResize {
    public:
        explicit QuietResize(CanvasSurface& c) : c_(c) { ++c_.quietResize_; }
        ~QuietResize() { --c_.quietResize_; }
        QuietResize(const QuietResize&) = delete;
        QuietResize& operator=(const QuietResize&) = delete;

    private:
        CanvasSurface& c_;
    };
    bool resizeIsQuiet() const { return quietResize_ > 0; }

protected:
    // Only the canvas window, the one complete canvas, constructs it: the
    // feature environments are abstract (they leave canvasWidget() to it) and
    // so never construct their virtual bases themselves.
    CanvasSurface(SharedState& state, const Services& services, CanvasHost& host);
    ~CanvasSurface() = default;

private:
    SharedState& state_;
    const Services& services_;
    CanvasHost& host_;
    bool dead_ = false;
    int quietResize_ = 0;
};

} // namespace quorin
