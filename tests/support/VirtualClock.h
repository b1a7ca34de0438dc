#pragma once
#include "platform/Clock.h"
#include <functional>

namespace quorin::test {

// Time that advances instantly. A processing wait dispatches pending events
// once (so queued clicks and deferred deletes run, as they would for real); a
// busy wait dispatches them too but runs no timer, as the real one does, so
// input a test posts reaches the program's hold. `onPause` lets a test act in
// the middle of a command.
class VirtualClock final : public Clock {
public:
    double now() const override { return t_; }
    void pause(double seconds, WaitKind kind, const std::function<void()>& repaint = {},
               const std::function<bool()>& stopRequested = {}) override;
    void advance(double seconds) { t_ += seconds; }
    int pauses() const { return pauses_; }
    int processingPauses() const { return processingPauses_; }
    // The kind of the latest wait (the one `onPause` is called in).
    WaitKind lastKind() const { return lastKind_; }
    std::function<void(int pauseNumber)> onPause;

private:
    double t_ = 1000.0;
    int pauses_ = 0;
    int processingPauses_ = 0;
    WaitKind lastKind_ = WaitKind::Processing;
};

} // namespace quorin::test
