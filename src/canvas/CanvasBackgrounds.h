#pragma once
#include "core/CanvasModes.h"

namespace quorin {

class CanvasSurface;

// Shared steps of the canvas's full-screen commands and background loaders.
// The canvas and its picture take the whole screen, framed: as much of it as
// the desktop's panels and the frame leave (fillScreen does the sizing).
void screenSizeCanvas(CanvasSurface& canvas);
void fillScreen(CanvasSurface& canvas);
// AutoRedraw on, Image1's picture painted over Picture1, then a refresh.
void repaintBackground(CanvasSurface& canvas);
// Image1's picture stretched over the whole picture, when it holds one.
void paintImageOverPicture(CanvasSurface& canvas);
// Window border on or off. Switching it re-creates the native window, which
// hides it; a visible canvas is shown again.
void setBorderless(CanvasSurface& canvas, bool borderless);
// No border, no caption (a screen-sized canvas grows into the frame's room).
void chromeOff(CanvasSurface& canvas);

// Background loaders of the launchers: each paints a picture of the program
// folder into the canvas picture's persistent image. A missing picture leaves
// the canvas without a background.
void daotu(CanvasSurface& canvas);       // hai1.jpg, after screen-sizing the canvas
void hai(CanvasSurface& canvas);         // hai2.jpg
void hai3(CanvasSurface& canvas);        // hai03.jpg
void zhihuaxiang(CanvasSurface& canvas); // hai11.jpg
// The loader a mode names.
void loadModeBackground(CanvasSurface& canvas, ModeBackground background);

} // namespace quorin
