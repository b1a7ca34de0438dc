#include "app/Program.h"
#include "app/Launchers.h"
#include "canvaswindow/CanvasWindow.h"
#include "mainwindow/MainWindow.h"
#include <QApplication>
#include <QTimer>

namespace quorin {

// Counts how deep the program is inside waits, so that windows are deleted
// only when no command is suspended. A busy wait holds the user's input and
// ends early once a stop is asked; a wait that lets events in first hands on
// what a busy wait held.
class Program::TrackedClock final : public Clock {
public:
    TrackedClock(Clock& inner, Program& program) : inner_(inner), program_(program) {}
    double now() const override { return inner_.now(); }
    void pause(double seconds, WaitKind kind, const std::function<void()>& repaint,
               const std::function<bool()>&) override {
        program_.enterSuspend();
        InputHold& hold = program_.hold_;
        if (kind == WaitKind::Busy) {
            const InputHold::BusyScope busy(hold);
            inner_.pause(seconds, kind, repaint, [&hold] { return hold.stopRequested(); });
        } else {
            hold.release();
            inner_.pause(seconds, kind, repaint);
        }
        program_.leaveSuspend();
    }

private:
    Clock& inner_;
    Program& program_;
};

class Program::TrackedDialogs final : public Dialogs {
public:
    TrackedDialogs(Dialogs& inner, Program& program) : inner_(inner), program_(program) {}
    Answer message(const QString& text, MessageButtons buttons, const QString& title) override {
        Scope s(program_);
        return inner_.message(text, buttons, title);
    }
    QString openFile(const QString& filter) override {
        Scope s(program_);
        return inner_.openFile(filter);
    }
    QString saveFile(const QString& filter) override {
        Scope s(program_);
        return inner_.saveFile(filter);
    }
    ColorValue chooseColor(ColorValue initial) override {
        Scope s(program_);
        return inner_.chooseColor(initial);
    }

private:
    struct Scope {
        explicit Scope(Program& p) : p_(p) { p_.enterSuspend(); }
        ~Scope() { p_.leaveSuspend(); }
        Program& p_;
    };
    Dialogs& inner_;
    Program& program_;
};

Program::Program(Services services)
    : hold_([this](QWidget* window, QWidget* target, const QEvent& event) {
          return isStopRequest(window, target, event);
      }),
      clock_(std::make_unique<TrackedClock>(services.clock, *this)),
      dialogs_(std::make_unique<TrackedDialogs>(services.dialogs, *this)),
      services_{*dialogs_, *clock_, services.folder, services.random,
                std::move(services.makeMediaPlayer)} {
    main_ = std::make_unique<MainWindow>(*this, state_, services_);
}

Program::~Program() {
    canvas_.reset();
    graveyard_.clear();
    main_.reset();
}

CanvasWindow& Program::canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<CanvasWindow>(*this, state_, services_);
        canvas_->load();
    }
    return *canvas_;
}

void Program::unloadCanvas() {
    if (!canvas_)
        return;
    std::unique_ptr<CanvasWindow> c = std::move(canvas_);
    c->unloadHandler();
    c->markDead();
    c->hide();
    graveyard_.push_back(std::move(c));
    schedulePurge();
}

void Program::launch(CanvasMode mode) {
    launchCanvas(*this, mode);
}

bool Program::canvasVisible() const {
    return canvas_ && canvas_->isVisible();
}

void Program::showCanvas() {
    canvas().show();
}

bool Program::commandSuspended() const {
    return suspended_ > 0 || QApplication::activeModalWidget() != nullptr;
}

MainFields& Program::mainFields() {
    return *main_;
}

bool Program::mainWindowVisible() const {
    return main_->isVisible();
}

bool Program::mainWindowClosing() const {
    return main_->closing;
}

void Program::showMainWindow() {
    main_->show();
}

bool Program::stopRequested() const {
    return hold_.stopRequested();
}

// Closing either window, and what the canvas counts as a stop (Esc, the
// button of a running pattern).
bool Program::isStopRequest(QWidget* window, QWidget* target, const QEvent& event) const {
    if (window == main_.get())
        return event.type() == QEvent::Close;
    if (canvas_ && window == canvas_.get())
        return canvas_->asksToStop(target, event);
    return false;
}

void Program::leaveSuspend() {
    --suspended_;
    if (suspended_ == 0 && !graveyard_.empty())
        schedulePurge();
}

void Program::schedulePurge() {
    if (purgeScheduled_)
        return;
    purgeScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        purgeScheduled_ = false;
        purge();
    });
}

void Program::purge() {
    if (suspended_ > 0)
        return; // leaveSuspend schedules another try
    graveyard_.clear();
}

} // namespace quorin
