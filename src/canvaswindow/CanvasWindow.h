#pragma once
#include "canvas/CommandBar.h"
#include "canvas/RecordReplay.h"
#include <QWidget>

namespace quorin {

class CanvasHost;

// The canvas: one large picture box with a command bar, animation buttons and
// image tools. Created by the program on first access; every launcher reloads
// it. The window is every feature's environment at once (they share the
// surface, the fields and the plot window as virtual bases); it creates the
// controls, wires their events and forwards them to the commands, each of
// which sees only the environment it takes.
class CanvasWindow : public QWidget, public CommandBarEnv, public RecordEnv {
    Q_OBJECT
public:
    CanvasWindow(CanvasHost& host, SharedState& state, const Services& services);
    ~CanvasWindow() override;

    // Load defaults; the program calls it once right after construction.
    void load();
    // What the window does when it is unloaded (the launchers and closing).
    void unloadHandler();

    using CanvasSurface::heightTwips;
    using CanvasSurface::widthTwips;
    QWidget& canvasWidget() override { return *this; }

    // The window's own timers (the features keep theirs).
    CanvasTimer Timer17{timers_, 1000}; // full screen when left alone
    CanvasTimer Timer18{timers_, 3000}; // starts the patterns

    // --- handlers ---
    void command1Click(int index);
    void command8Click();  // 雨
    void command10Click(); // 全屏
    void picture1Click();  // the click plot
    void surfaceClick();   // a click on the window where no control is
    void resizeHandler();
    void escPressed();
    void picture1KeyDown(int key, int shift);
    void picture1KeyPress(int character);
    void timer1Tick();  // preview: next picture
    void timer12Tick(); // preview: choose the folder
    void timer17Tick();
    void timer18Tick();

    // Whether input that arrives during a busy wait asks the running command
    // to stop: Esc, the frame's close button, a press on a running pattern's
    // button.
    bool asksToStop(const QWidget* target, const QEvent& event) const;

    void command3Click(); // 金
    void command5Click(); // 生

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createControls();
    CanvasHost& host_;
    bool inResize_ = false;
    // Shown and not yet framed by a window manager: where it puts the canvas
    // is checked against the screen.
    bool placing_ = false;
};

} // namespace quorin
