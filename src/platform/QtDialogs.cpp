#include "platform/QtDialogs.h"
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace quorin {

namespace {

bool isOnScreen(const QWidget* w) {
    return w && w->isVisible() && !w->isMinimized();
}

// One of the program's own windows, not a dialog, popup or tool tip.
bool isProgramWindow(const QWidget* w) {
    return w && w->isWindow() && w->windowType() == Qt::Window && !qobject_cast<const QDialog*>(w);
}

int areaOf(const QWidget* w) {
    return w->width() * w->height();
}

// Keeps a key that was already held down when a box came up from answering
// it. X repeats a held key as a release and a press with one time stamp, so a
// Return still held from the last box would close the next one at once (and
// answer a question with its default) before anyone has read it.
class HeldKeyGuard final : public QObject {
public:
    explicit HeldKeyGuard(const QWidget& box) : box_(box) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~HeldKeyGuard() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Key events reach the box through its window, once each.
        if (watched != box_.windowHandle())
            return false;
        if (event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            lastReleaseKey_ = key->key();
            lastReleaseTime_ = key->timestamp();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            return key->isAutoRepeat() ||
                   (key->key() == lastReleaseKey_ && key->timestamp() == lastReleaseTime_);
        }
        return false;
    }

private:
    const QWidget& box_;
    int lastReleaseKey_ = 0;
    quint64 lastReleaseTime_ = 0;
};

} // namespace

// The program's windows in the order they were last activated, the latest at
// the back. The active window may already be hidden when a command asks (an
// unloaded window is hidden at once and deleted later, and the window system
// reports the change of active window after that); the dialog then belongs
// over the window the user worked in before.
class QtDialogs::WindowHistory {
public:
    WindowHistory() {
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QObject::connect(app, &QGuiApplication::focusWindowChanged, &context_,
                             [this](QWindow* w) { activated(w); });
    }

    // A window the dialog can be seen over, or none. Never a hidden window:
    // a dialog owned by one may be placed over nothing, and goes when its
    // owner is deleted.
    QWidget* dialogParent() const {
        QWidget* active = QApplication::activeWindow();
        if (isOnScreen(active))
            return active;
        for (auto it = order_.rbegin(); it != order_.rend(); ++it)
            if (isProgramWindow(*it) && isOnScreen(*it))
                return *it;
        // None of the shown windows has been active yet: take the largest,
        // the title breaking ties, so that the choice does not depend on the
        // order Qt lists its windows in.
        QWidget* best = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!isProgramWindow(w) || !isOnScreen(w))
                continue;
            if (!best || areaOf(w) > areaOf(best) ||
                (areaOf(w) == areaOf(best) && w->windowTitle() < best->windowTitle()))
                best = w;
        }
        return best;
    }

private:
    void activated(QWindow* window) {
        if (!window)
            return;
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto it = std::find_if(windows.begin(), windows.end(),
                                     [window](QWidget* w) { return w->windowHandle() == window; });
        if (it == windows.end() || !isProgramWindow(*it))
            return;
        std::erase_if(order_, [w = *it](const QPointer<QWidget>& p) { return !p || p == w; });
        order_.emplace_back(*it);
    }

    QObject context_; // ends the connection with the history
    std::vector<QPointer<QWidget>> order_;
};

QtDialogs::QtDialogs() : history_(std::make_unique<WindowHistory>()) {}

QtDialogs::~QtDialogs() = default;

Answer QtDialogs::message(const QString& text, MessageButtons buttons, const QString& title) {
    const bool ok = buttons == MessageButtons::Ok;
    QMessageBox box(ok ? QMessageBox::Information : QMessageBox::Question, title, text,
                    ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                    history_->dialogParent());
    box.setDefaultButton(ok ? QMessageBox::Ok : QMessageBox::Yes);
    const HeldKeyGuard guard(box);
    // A window manager may leave a new window under the one that has the
    // focus, or leave the focus where it was; the box must be seen and take
    // the keys.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
    if (ok)
        return Answer::Ok;
    // Escape and the frame's close button answer No.
    return box.standardButton(box.clickedButton()) == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::openFile(const QString& filter) {
    return QFileDialog::getOpenFileName(history_->dialogParent(), QString(), QString(),
                                        toQtFilter(filter));
}

QString QtDialogs::saveFile(const QString& filter) {
    // The program asks its own replace question, so Qt's is switched off.
    return QFileDialog::getSaveFileName(history_->dialogParent(), QString(), QString(),
                                        toQtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

ColorValue QtDialogs::chooseColor(ColorValue initial) {
    const QColor start(redOf(initial), greenOf(initial), blueOf(initial));
    const QColor c = QColorDialog::getColor(start, history_->dialogParent());
    if (!c.isValid())
        return initial;
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace quorin
