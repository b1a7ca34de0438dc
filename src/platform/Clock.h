#pragma once
#include <cstdint>
#include <functional>

namespace quorin {

enum class WaitKind {
    Processing, // pending window events are dispatched while waiting
    Busy,       // no events are dispatched; only the animated box repaints
};

// Monotonic seconds and the program's waits.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    // Waits until more than `seconds` have passed. A busy wait calls
    // `repaint` now and then so the animated picture stays visible.
    virtual void pause(double seconds, WaitKind kind,
                       const std::function<void()>& repaint = {}) = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    double now() const override;
    void pause(double seconds, WaitKind kind, const std::function<void()>& repaint = {}) override;

private:
    std::int64_t startNs_;
    // Busy waits repaint at display rate, not at every round of the loop: a
    // full-screen repaint per millisecond would stretch the designed waits.
    double lastRepaint_ = -1;
};

} // namespace quorin
