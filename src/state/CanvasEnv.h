#pragma once
#include "core/CanvasModes.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include <QTimer>
#include <array>
#include <span>
#include <vector>

namespace quorin {

class CanvasHost;

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
// the canvas's list of timers, which outlives it (it is declared first).
class CanvasTimer : public QTimer {
public:
    CanvasTimer(std::vector<CanvasTimer*>& list, int interval) {
        setInterval(interval);
        list.push_back(this);
    }
};

class MainFields;
struct SharedState;
struct Services;
class Swatches;

// The canvas as its commands see it: its controls, timers and form-level
// variables, the window they sit in, and what they reach outside the canvas
// (the shared record, the services, the main window's fields, the program as
// far as the canvas may ask it). The canvas window is one; commands of every
// canvas feature take it and never see the window class.
class CanvasEnv {
    // Declared before the timers, which enter themselves in it.
    std::vector<CanvasTimer*> timers_;

public:
    CanvasEnv(QWidget& window, SharedState& state, const Services& services, CanvasHost& host);
    CanvasEnv(const CanvasEnv&) = delete;
    CanvasEnv& operator=(const CanvasEnv&) = delete;

    QWidget& canvasWidget() { return window_; }
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

    // A control by its designed name (nullptr for a name it does not have).
    QWidget* control(const CanvasControlRef& ref) const;

    // --- controls ---
    PictureBox* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    std::array<CommandButton*, 22> Command1{};
    CommandButton* Command2 = nullptr;         // 蛋
    CommandButton* Command3 = nullptr;         // 金
    CommandButton* Command4 = nullptr;         // 果壳
    CommandButton* Command5 = nullptr;         // 生
    CommandButton* Command6 = nullptr;         // 塔
    CommandButton* Command7 = nullptr;         // 光
    CommandButton* Command8 = nullptr;         // 雨
    CommandButton* Command9 = nullptr;         // 图像采集
    CommandButton* Command10 = nullptr;        // 全屏
    CommandButton* Command11 = nullptr;        // 图像采集
    std::array<CommandButton*, 3> Command12{}; // 图像采集, 图像比较, 图像叠加
    std::array<TextBox*, 4> Text1{};
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    ClickLabel* Label1 = nullptr;

    // --- timers ---
    // The canvas's timers, each with its designed name and interval; the
    // declarations below are the list, in their designed order. What a timer
    // runs is wired by the window (the pattern timers by the pattern table).
    std::span<CanvasTimer* const> timers() const { return timers_; }
    CanvasTimer Timer1{timers_, 1800};  // preview step
    CanvasTimer Timer4{timers_, 1000};  // 果壳
    CanvasTimer Timer5{timers_, 1000};  // 蛋
    CanvasTimer Timer6{timers_, 1000};  // 金
    CanvasTimer Timer7{timers_, 1000};  // 生
    CanvasTimer Timer8{timers_, 1000};  // "auto" record cycle
    CanvasTimer Timer9{timers_, 200};   // "auto" record step
    CanvasTimer Timer10{timers_, 1};    // "autoplay" cycle
    CanvasTimer Timer11{timers_, 1};    // "autoplay" step
    CanvasTimer Timer12{timers_, 1500}; // preview folder dialog
    CanvasTimer Timer13{timers_, 10};   // stroke sampler
    CanvasTimer Timer14{timers_, 100};  // stroke replay
    CanvasTimer Timer16{timers_, 1000}; // 光
    CanvasTimer Timer17{timers_, 1000}; // full screen when left alone
    CanvasTimer Timer18{timers_, 3000}; // starts the patterns

    // --- window-level variables (reset with each load) ---
    ColorValue yaa = colors::blue; // pen colour
    // The canvas derive's rays: in random shades (caise, 彩色) or in the pen
    // colour (danse, 单色); Command1(4) and Command1(5) switch it.
    enum class Yae { caise, danse };
    Yae yae = Yae::caise;
    bool huatuo = true;
    bool huaxian = false;
    bool baochi = false;
    double zx = 0, zy = 0;
    double xa = 0, xb = 0, ya = 0, yb = 0;
    double fv = 0, fvx0 = 0, fvy0 = 0;
    // The two-step image buttons Command11 and Command9: true once a capture
    // has turned them to 图像对比, until the comparison turns them back.
    bool command11Compares = false;
    bool command9Compares = false;
    // The window's own fore colour, which the plot commands set.
    ColorValue foreColor = colors::black;
    // Pattern parameters: counter, tick count, rate and phase of each group,
    // and the shell's oat, goodt and goody.
    double eggCount = 0, eggTick = 0, eggRate = 0, eggPhase = 0;
    double goldCount = 0, goldTick = 0, goldRate = 0, goldPhase = 0;
    double growthCount = 0, growthTick = 0, growthRate = 0, growthPhase = 0;
    double oat = 0, goodt = 0, goody = 0;
    // A pattern frame is being drawn or shows its message: ticks do not start
    // another redraw meanwhile.
    int patternBusy = 0;
    // Image operations (capture, comparison, overlay) running: a press of an
    // image button meanwhile starts no second one.
    int imageOperationRunning = 0;
    // A record-cycle tick is running (its renderer may show a message).
    int recordTickRunning = 0;
    // The user has heard that the stroke tables are full (once per drawing
    // session).
    bool strokesFullTold = false;
    // The picture preview runs (its button reads 停止预览).
    bool previewing = false;
    // The thick pen is on (its button reads 细).
    bool thickPen = false;
    // The launch-angle search runs (it lets window events in while it erases).
    int angleSearchRunning = 0;

    // Window changes that must not run the resize rule (a border switch
    // re-creates the native window and may report a resize of the same size).
    class QuietResize {
    public:
        explicit QuietResize(CanvasEnv& c) : c_(c) { ++c_.quietResize_; }
        ~QuietResize() { --c_.quietResize_; }
        QuietResize(const QuietResize&) = delete;
        QuietResize& operator=(const QuietResize&) = delete;

    private:
        CanvasEnv& c_;
    };
    bool resizeIsQuiet() const { return quietResize_ > 0; }

protected:
    ~CanvasEnv() = default;

private:
    QWidget& window_;
    SharedState& state_;
    const Services& services_;
    CanvasHost& host_;
    bool dead_ = false;
    int quietResize_ = 0;
};

} // namespace quorin
