#pragma once
#include "core/CanvasModes.h"

namespace quorin {

class CanvasWindow;
class MainFields;
struct Services;
struct SharedState;

// What a launch needs of the program that owns both windows.
class LaunchHost {
public:
    virtual SharedState& state() = 0;
    virtual const Services& services() const = 0;
    // The canvas, loaded with its defaults if it is not loaded.
    virtual CanvasWindow& canvas() = 0;
    virtual void unloadCanvas() = 0;
    virtual MainFields& mainFields() = 0;

protected:
    ~LaunchHost() = default;
};

// The six mode buttons of the main window: each reloads the canvas, sets the
// mode's flags, shows and hides the canvas's controls, fills in entry fields,
// loads a background and shows the canvas, as its row of the mode tables says.
void launchCanvas(LaunchHost& program, CanvasMode mode);

// The message 图像比较 and 图像叠加 show before a first comparison.
extern const char* const compareAdviceText;

} // namespace quorin
