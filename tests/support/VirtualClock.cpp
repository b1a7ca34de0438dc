#include "support/VirtualClock.h"
#include <QCoreApplication>

namespace quorin::test {

void VirtualClock::pause(double seconds, WaitKind kind, const std::function<void()>& repaint) {
    ++pauses_;
    t_ += seconds > 0 ? seconds : 0;
    if (onPause)
        onPause(pauses_);
    if (kind == WaitKind::Processing) {
        ++processingPauses_;
        QCoreApplication::processEvents();
    } else if (repaint) {
        repaint();
    }
}

} // namespace quorin::test
