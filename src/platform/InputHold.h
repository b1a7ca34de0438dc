#pragma once
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <deque>
#include <functional>
#include <memory>

class QWidget;

namespace quorin {

// The user's input while a busy wait runs.
//
// A busy wait keeps serving the window system (paints, moves and resizes, the
// desktop's liveness ping), but a click or a key handled there would start a
// second command inside the running one. So while any busy wait runs, every
// mouse, wheel, key and close event sent to one of the program's windows is
// held here instead: taken off its window and kept in arrival order. It is
// delivered to the same window once the program takes events freely again (its
// event loop is idle, or a wait that lets events in begins) with no busy wait
// and no modal dialog in the way. Input for a window that is hidden or gone by
// then is dropped: it never lands on a closing or unloaded window.
//
// Some held input also asks the running command to stop (the rule is the
// program's: Esc, closing a window, a running pattern's button). From then on
// every busy wait ends at once and commands see stopRequested(); the request
// lasts until the program takes events freely again, so the whole chain of the
// command unwinds before the held input does what it is meant to do.
class InputHold final : public QObject {
    Q_OBJECT
public:
    // True when `event`, sent to the top-level widget `window`, asks the
    // running command to stop. `target` is the widget under the mouse (mouse
    // events) or the window's focus widget (keys); it may be null.
    using StopRule = std::function<bool(QWidget* window, QWidget* target, const QEvent& event)>;

    explicit InputHold(StopRule isStopRequest);
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    // A busy wait in progress: input is held for its whole scope.
    class BusyScope {
    public:
        explicit BusyScope(InputHold& hold) : hold_(hold) { ++hold_.busyDepth_; }
        ~BusyScope() { --hold_.busyDepth_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        InputHold& hold_;
    };

    bool stopRequested() const { return stopRequested_; }
    std::size_t heldCount() const { return held_.size(); }

    // The program takes events freely: the stop request is over, and the held
    // input goes to its windows (now, in order, unless a busy wait runs, a
    // modal dialog is up, or a delivery is already under way further up).
    void release();

    // More than this many held events and the newest are dropped: a storm of
    // input during one long wait must not grow without bound.
    static constexpr std::size_t maxHeld = 4096;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A held event, made again when it is delivered. Pointer events are
    // rebuilt from their values: a copy of one shares its point with the
    // events that come after it, which would move it.
    struct Held {
        QPointer<QWindow> window;
        QEvent::Type type;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        std::function<std::unique_ptr<QEvent>()> make;
    };
    void hold(QWindow* window, const QEvent& event);
    void scheduleRelease();

    StopRule isStopRequest_;
    std::deque<Held> held_;
    int busyDepth_ = 0;
    bool stopRequested_ = false;
    bool delivering_ = false;
    bool releaseScheduled_ = false;
};

} // namespace quorin
