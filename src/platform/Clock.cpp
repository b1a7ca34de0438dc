#include "platform/Clock.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>

namespace quorin {

namespace {
qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

// Monotonic time since the clock was made: no jump at midnight or when the
// wall clock is set.
SystemClock::SystemClock() : startNs_(monotonicNs()) {}

double SystemClock::now() const {
    return double(monotonicNs() - startNs_) / 1e9;
}

void SystemClock::pause(double seconds, WaitKind kind, const std::function<void()>& repaint,
                        const std::function<bool()>& stopRequested) {
    const double end = now() + (seconds > 0 ? seconds : 0);
    // Always wait "more than" the time asked, and at least one round.
    do {
        if (kind == WaitKind::Processing) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (now() <= end)
                QThread::usleep(500);
        } else {
            // The window system's events (paints, moves, the desktop's ping)
            // and what was posted; timers stay for later.
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
            if (stopRequested && stopRequested())
                return;
            constexpr double displayInterval = 1.0 / 60;
            if (repaint && now() - lastRepaint_ >= displayInterval) {
                repaint();
                lastRepaint_ = now();
            }
            // Sleep in slices, but not past the end: the last fraction of a
            // millisecond is yielded away, so a run of short waits keeps
            // its designed length.
            const double remaining = end - now();
            if (remaining > 0.0015)
                QThread::usleep(1000);
            else if (remaining >= 0)
                QThread::yieldCurrentThread();
        }
    } while (now() <= end);
}

} // namespace quorin
