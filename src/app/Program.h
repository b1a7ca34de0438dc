#pragma once
#include "app/Launchers.h"
#include "platform/InputHold.h"
#include "platform/Services.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include <QObject>
#include <memory>
#include <vector>

namespace quorin {

class MainWindow;
class CanvasWindow;

// Owns the shared state, the services and both windows, and answers what each
// window asks of the other. The canvas is created on first access after an
// unload; an unloaded canvas is hidden, marked dead and deleted only when no
// command is suspended in a wait or dialog, so a command that resumes after
// its window was closed still finds the object alive (and stops, seeing it
// dead).
class Program : public QObject, public CanvasHost, public MainWindowHost, public LaunchHost {
    Q_OBJECT
public:
    explicit Program(Services services);
    ~Program() override;

    SharedState& state() override { return state_; }
    const Services& services() const override { return services_; }
    MainWindow& mainWindow() { return *main_; }

    // The canvas, loaded with its defaults if it is not loaded.
    CanvasWindow& canvas() override;
    bool canvasLoaded() const { return canvas_ != nullptr; }
    // Runs the canvas's unload handler, hides it and lets it go. Harmless when
    // the canvas is not loaded.
    void unloadCanvas() override;
    // Windows unloaded but not yet deleted.
    std::size_t pendingDeletes() const { return graveyard_.size(); }

    // --- what the main window asks ---
    void launch(CanvasMode mode) override;
    bool canvasVisible() const override;
    void showCanvas() override;
    bool commandSuspended() const override;

    // --- what the canvas asks ---
    MainFields& mainFields() override;
    bool mainWindowVisible() const override;
    bool mainWindowClosing() const override;
    void showMainWindow() override;
    bool stopRequested() const override;

    // The user's input during busy waits (held, and some of it a stop request).
    InputHold& inputHold() { return hold_; }

private:
    class TrackedClock;
    class TrackedDialogs;
    void enterSuspend() { ++suspended_; }
    void leaveSuspend();
    void schedulePurge();
    void purge();
    bool isStopRequest(QWidget* window, QWidget* target, const QEvent& event) const;

    SharedState state_;
    InputHold hold_;
    std::unique_ptr<TrackedClock> clock_;
    std::unique_ptr<TrackedDialogs> dialogs_;
    Services services_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<CanvasWindow> canvas_;
    std::vector<std::unique_ptr<CanvasWindow>> graveyard_;
    int suspended_ = 0;
    bool purgeScheduled_ = false;
};

} // namespace quorin
