#pragma once
#include "app/Launchers.h"
#include "app/Program.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include "support/TestProgram.h"
#include <gtest/gtest.h>

namespace quorin::test {

// A whole program with the canvas opened by one of its launchers. The
// canvas's start-up timers are stopped so that real time passing during a
// test never turns the canvas full screen; tests tick them by hand.
class CanvasTest : public ::testing::Test {
protected:
    CanvasWindow& launch(CanvasMode mode) {
        launchCanvas(*t.program, mode);
        CanvasWindow& c = t.program->canvas();
        c.Timer17.stop();
        c.Timer18.stop();
        return c;
    }
    // The same with a small retained picture on a plain back colour: the pixel
    // work of the drawing commands stays cheap.
    CanvasWindow& launchSmall(CanvasMode mode, QSize pixels, ColorValue back) {
        CanvasWindow& c = launch(mode);
        c.Picture1->resize(pixels);
        c.Picture1->setAutoRedraw(true);
        c.Picture1->setBackColor(back);
        return c;
    }
    SharedState& state() { return t.state(); }
    MainWindow& main() { return t.main(); }
    static bool shown(const QWidget* w) { return !w->isHidden(); }

    TestProgram t;
};

} // namespace quorin::test
