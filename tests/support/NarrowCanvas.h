#pragma once
#include "platform/Services.h"
#include "state/CanvasSurface.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "support/VirtualClock.h"
#include <QWidget>
#include <array>

namespace quorin::test {

// What a canvas environment reaches outside the canvas, on test doubles: the
// main window's fields as 18 strings, a host that only records what it is
// asked, the shared record and the services.
struct CanvasOutside final : CanvasHost, MainFields {
    void unloadCanvas() override { ++unloads; }
    MainFields& mainFields() override { return *this; }
    bool mainWindowVisible() const override { return mainShown; }
    bool mainWindowClosing() const override { return false; }
    void showMainWindow() override { mainShown = true; }
    bool stopRequested() const override { return stop; }
    QString fieldText(int index) const override {
        return index >= 0 && index < count ? fields[index] : QString();
    }
    void setFieldText(int index, const QString& text) override {
        if (index >= 0 && index < count)
            fields[index] = text;
    }
    void hideDragLabel() override {}

    std::array<QString, MainFields::count> fields;
    bool mainShown = false;
    bool stop = false;
    int unloads = 0;
    SharedState state;
    TempFolder temp;
    ScriptedDialogs dialogs;
    VirtualClock clock;
    SeededRandom random{12345};
    Services services{dialogs, clock, temp.folder(), random, {}};
};

// Built before the environment's parts (a virtual base, listed first), which
// keep references to it.
struct HasOutside {
    CanvasOutside outside;
};

// One feature's environment alone: a plain widget holding a retained picture
// of `pixels`, and the outside above; no program, no windows, no other
// feature's controls. The test creates the controls its feature drives.
template <class Env> class NarrowCanvas final : public virtual HasOutside, public Env {
public:
    explicit NarrowCanvas(QSize pixels = {240, 160})
        : CanvasSurface(outside.state, outside.services, outside) {
        window_.resize(pixels);
        this->Picture1 = new PictureBox(&window_);
        this->Picture1->resize(pixels);
        this->Picture1->setAutoRedraw(true);
    }
    QWidget& canvasWidget() override { return window_; }

private:
    QWidget window_;
};

} // namespace quorin::test
