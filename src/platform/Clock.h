#pragma once
#include <cstdint>
#include <functional>

namespace quorin {

enum class WaitKind {
    // Pending window events are dispatched while waiting: timers tick, and
    // clicks may start other commands.
    Processing,
    // No timer ticks and no user command runs, but the window system is served
    // (repaints, moves, the desktop's liveness ping). The program holds the
    // user's input meanwhile (platform/InputHold) and may end the wait early
    // when it is asked to stop.
    Busy,
};

// Monotonic seconds and the program's waits.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    // Waits until more than `seconds` have passed. A busy wait calls
    // `repaint` now and then so the animated picture stays visible, and ends
    // at once when `stopRequested` says so.
    virtual void pause(double seconds, WaitKind kind, const std::function<void()>& repaint = {},
                       const std::function<bool()>& stopRequested = {}) = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    double now() const override;
    void pause(double seconds, WaitKind kind, const std::function<void()>& repaint = {},
               const std::function<bool()>& stopRequested = {}) override;

private:
    std::int64_t startNs_;
    // Busy waits repaint at display rate, not at every round of the loop: a
    // full-screen repaint per millisecond would stretch the designed waits.
    double lastRepaint_ = -1;
};

} // namespace quorin
