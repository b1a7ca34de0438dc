#include "support/VirtualClock.h"
#include <QCoreApplication>

namespace quorin::test {

void VirtualClock::pause(double seconds, WaitKind kind, const std::function<void()>& repaint,
                         const std::function<bool()>&) {
    ++pauses_;
    lastKind_ = kind;
    t_ += seconds > 0 ? seconds : 0;
    if (onPause)
        onPause(pauses_);
    if (kind == WaitKind::Processing) {
        ++processingPauses_;
        QCoreApplication::processEvents();
    } else {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
        if (repaint)
            repaint();
    }
}

} // namespace quorin::test
