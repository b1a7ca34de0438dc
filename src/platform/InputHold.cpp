#include "platform/InputHold.h"
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace quorin {

namespace {

// What a user does to a window: the mouse, the wheel, keys and the frame's
// close button.
bool isHeldInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Touch and pen input: left unaccepted, it comes back as the mouse events Qt
// makes of it, and those are held.
bool isTouchOrPen(QEvent::Type type) {
    switch (type) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

std::function<std::unique_ptr<QEvent>()> remake(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto& m = static_cast<const QMouseEvent&>(event);
        return [type = m.type(), local = m.position(), scene = m.scenePosition(),
                global = m.globalPosition(), button = m.button(), buttons = m.buttons(),
                mods = m.modifiers(), device = m.pointingDevice(), time = m.timestamp()] {
            auto e = std::make_unique<QMouseEvent>(type, local, scene, global, button, buttons,
                                                   mods, device);
            e->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(e));
        };
    }
    case QEvent::Wheel: {
        const auto& w = static_cast<const QWheelEvent&>(event);
        return [local = w.position(), global = w.globalPosition(), pixels = w.pixelDelta(),
                angle = w.angleDelta(), buttons = w.buttons(), mods = w.modifiers(),
                phase = w.phase(), inverted = w.inverted(), source = w.source(),
                device = w.pointingDevice(), time = w.timestamp()] {
            auto e = std::make_unique<QWheelEvent>(local, global, pixels, angle, buttons, mods,
                                                   phase, inverted, source, device);
            e->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(e));
        };
    }
    default: { // keys and the close button: no points to share
        std::shared_ptr<const QEvent> copy(event.clone());
        return [copy] { return std::unique_ptr<QEvent>(copy->clone()); };
    }
    }
}

QWidget* topLevelOf(const QWindow* window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window)
            return w;
    return nullptr;
}

// The widget the event would reach: the one under the mouse, or the one with
// the focus.
QWidget* targetOf(QWidget* top, const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const QPoint at = static_cast<const QMouseEvent&>(event).position().toPoint();
        QWidget* child = top->childAt(at);
        return child ? child : top;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return top->focusWidget();
    default:
        return nullptr;
    }
}

} // namespace

InputHold::InputHold(StopRule isStopRequest) : isStopRequest_(std::move(isStopRequest)) {
    QCoreApplication::instance()->installEventFilter(this);
    // The event loop is about to sleep: nothing of a command is on its way
    // above it, so a stop request is over and the held input may go.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (busyDepth_ > 0)
                return;
            stopRequested_ = false;
            if (!held_.empty() && !QApplication::activeModalWidget())
                scheduleRelease();
        });
}

InputHold::~InputHold() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWindowType())
        return false;
    if (busyDepth_ > 0 && isTouchOrPen(event->type())) {
        event->ignore();
        return true;
    }
    if (!isHeldInput(event->type()))
        return false;
    // Besides what arrives during a busy wait, what arrives while older input
    // is still held waits behind it, so the order stays as the user gave it
    // (unless a modal dialog is up: it takes its input as usual).
    const bool behindHeld = !held_.empty() && !delivering_ && !QApplication::activeModalWidget();
    if (busyDepth_ == 0 && !behindHeld)
        return false;
    hold(static_cast<QWindow*>(watched), *event);
    // A close that is held has not closed anything yet.
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}

void InputHold::hold(QWindow* window, const QEvent& event) {
    if (busyDepth_ > 0 && !stopRequested_ && isStopRequest_) {
        QWidget* top = topLevelOf(window);
        if (top && isStopRequest_(top, targetOf(top, event), event))
            stopRequested_ = true;
    }
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    if (event.type() == QEvent::MouseMove) {
        const auto& m = static_cast<const QMouseEvent&>(event);
        buttons = m.buttons();
        modifiers = m.modifiers();
    }
    // A run of mouse moves is worth its last position.
    if (!held_.empty()) {
        Held& last = held_.back();
        if (event.type() == QEvent::MouseMove && last.type == QEvent::MouseMove &&
            last.window == window && last.buttons == buttons && last.modifiers == modifiers) {
            last.make = remake(event);
            return;
        }
    }
    if (held_.size() >= maxHeld)
        return;
    held_.push_back({window, event.type(), buttons, modifiers, remake(event)});
    if (busyDepth_ == 0)
        scheduleRelease();
}

void InputHold::scheduleRelease() {
    if (releaseScheduled_)
        return;
    releaseScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            releaseScheduled_ = false;
            release();
        },
        Qt::QueuedConnection);
}

void InputHold::release() {
    if (busyDepth_ > 0 || delivering_)
        return;
    stopRequested_ = false;
    delivering_ = true;
    while (!held_.empty() && busyDepth_ == 0 && !QApplication::activeModalWidget()) {
        Held next = std::move(held_.front());
        held_.pop_front();
        // Each delivery starts afresh: a stop asked of the command it runs
        // ends with that command.
        stopRequested_ = false;
        if (next.window && next.window->isVisible()) {
            const std::unique_ptr<QEvent> event = next.make();
            QCoreApplication::sendEvent(next.window, event.get());
        }
    }
    delivering_ = false;
}

} // namespace quorin
