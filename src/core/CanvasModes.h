#pragma once
#include <array>
#include <optional>
#include <span>

namespace quorin {

// The six modes the main window opens the canvas in, as data: what each
// launcher sets, shows, hides, fills in and paints. The launchers apply these
// tables; a launcher does by hand only what they cannot say.
enum class CanvasMode { Math, Drop, Intercept, Compare, Freehand, Overlay };
inline constexpr int canvasModeCount = 6;

// A canvas control by its designed name and, for control arrays, its index.
struct CanvasControlRef {
    const char* name;
    int index = -1;
};

// One letter per mode, in the order of CanvasMode: 'S' shows the control,
// 'H' hides it, 'h' leaves it as the canvas load set it (hidden).
struct ControlVisibility {
    CanvasControlRef control;
    const char* modes;
};
std::span<const ControlVisibility> modeVisibility();

// Flags of the shared record a launcher sets; nothing leaves a flag alone.
struct ModeFlags {
    std::optional<bool> simulationMode = {};
    std::optional<bool> captureMode = {};
    std::optional<bool> hideAnimationButtons = {};
    std::optional<bool> mathDrawingLayout = {};
    std::optional<bool> angleTransformArmed = {};
    std::optional<bool> interceptMode = {};
};

// The background picture a mode paints into a freshly loaded canvas.
enum class ModeBackground {
    None,
    ScreenAndHai1, // daotu: the canvas takes the screen, then hai1.jpg
    Hai2,          // hai
    Hai03,         // hai3
    Hai11,         // zhihuaxiang
};

struct CanvasModeRow {
    CanvasMode mode;
    const char* caption; // the main window's launcher button
    const char* title;   // nullptr: the loaded canvas keeps its own
    ModeFlags flags;
    // 反导模拟 pressed again while intercepting keeps its canvas (and skips
    // the steps of a fresh canvas: fields, show, background); every other
    // mode leaves interception and starts from a freshly loaded canvas.
    bool keepsInterceptionCanvas;
    // Shown before the table's shows and hides: the resize that showing
    // raises then comes first and the table has the last word.
    bool showsBeforeControls;
    // Entry fields filled in: radius, density, Vx0, VFx, VFy, Vy0, flight
    // time; empty when the mode leaves them alone.
    std::optional<std::array<const char*, 7>> fields;
    ModeBackground background;
    // 图像比较 and 图像叠加 advise re-saving the pictures first.
    bool advice;
};
const CanvasModeRow& canvasModeRow(CanvasMode mode);

// Indexes of the main window's entry fields in the order of
// CanvasModeRow::fields.
inline constexpr std::array<int, 7> prefilledFieldIndexes = {0, 13, 1, 2, 3, 4, 10};

} // namespace quorin
