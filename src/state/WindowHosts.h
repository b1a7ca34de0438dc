#pragma once
#include "core/CanvasModes.h"

namespace quorin {

class MainFields;

// What each window asks of the program that owns both. The windows never see
// each other: what one needs of the other goes through these.

class CanvasHost {
public:
    // Runs the canvas's unload handler and lets it go (Esc, closing it).
    virtual void unloadCanvas() = 0;
    virtual MainFields& mainFields() = 0;
    virtual bool mainWindowVisible() const = 0;
    // True once the main window has begun to close.
    virtual bool mainWindowClosing() const = 0;
    virtual void showMainWindow() = 0;
    // The user asked the running command to stop (Esc, closing a window, a
    // running pattern's button): it ends at its next wait.
    virtual bool stopRequested() const = 0;

protected:
    ~CanvasHost() = default;
};

class MainWindowHost {
public:
    // The launchers: reload the canvas in a mode and show it.
    virtual void launch(CanvasMode mode) = 0;
    // Loaded and visible.
    virtual bool canvasVisible() const = 0;
    // Shows the canvas, loading it first when it is not loaded.
    virtual void showCanvas() = 0;
    virtual void unloadCanvas() = 0;
    // A command is held in a wait or a dialog, or a modal window is up: what
    // the window would start of itself (a notice) waits until this is over.
    virtual bool commandSuspended() const = 0;

protected:
    ~MainWindowHost() = default;
};

} // namespace quorin
