#pragma once

namespace quorin {

class CanvasWindow;

// Shared steps of the canvas's full-screen commands and background loaders.
void screenSizeCanvas(CanvasWindow& canvas);  // canvas and picture take the whole screen
void repaintBackground(CanvasWindow& canvas); // paint Image1's picture over Picture1
void chromeOff(CanvasWindow& canvas);
// Image1's picture stretched over the whole picture, when it holds one.
void paintImageOverPicture(CanvasWindow& canvas); // no border, no caption

// Background loaders of the launchers: each paints a picture of the program
// folder into the canvas picture's persistent image. A missing picture leaves
// the canvas without a background.
void daotu(CanvasWindow& canvas);       // hai1.jpg, after screen-sizing the canvas
void hai(CanvasWindow& canvas);         // hai2.jpg
void hai3(CanvasWindow& canvas);        // hai03.jpg
void zhihuaxiang(CanvasWindow& canvas); // hai11.jpg

} // namespace quorin
