#include "platform/InputHold.h"
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace quorin {
namespace {

// A top-level window that logs the input it gets, with a button in it.
class LoggingWindow : public QWidget {
public:
    LoggingWindow(QString name, std::vector<QString>& log) : name_(std::move(name)), log_(log) {
        button = new QPushButton(QStringLiteral("b"), this);
        button->setGeometry(10, 10, 60, 30);
        QObject::connect(button, &QPushButton::clicked,
                         [this] { log_.push_back(name_ + QStringLiteral(" click")); });
        resize(200, 100);
        show();
    }
    QPushButton* button = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        log_.push_back(name_ + QStringLiteral(" key ") + QString::number(e->key()));
    }
    void closeEvent(QCloseEvent* e) override {
        log_.push_back(name_ + QStringLiteral(" close"));
        e->ignore();
    }

private:
    QString name_;
    std::vector<QString>& log_;
};

void postKey(QWidget& w, int key) {
    QCoreApplication::postEvent(w.windowHandle(),
                                new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void postClick(QWidget& w, QPoint at) {
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            w.windowHandle(),
            new QMouseEvent(type, QPointF(at), w.mapToGlobal(QPointF(at)), Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::NoModifier));
}

void postMove(QWidget& w, QPoint at) {
    QCoreApplication::postEvent(w.windowHandle(),
                                new QMouseEvent(QEvent::MouseMove, QPointF(at),
                                                w.mapToGlobal(QPointF(at)), Qt::NoButton,
                                                Qt::NoButton, Qt::NoModifier));
}

class InputHoldTest : public ::testing::Test {
protected:
    InputHoldTest()
        : hold([this](QWidget* window, QWidget*, const QEvent& e) {
              stopAsked.push_back(window);
              return e.type() == QEvent::KeyPress &&
                     static_cast<const QKeyEvent&>(e).key() == Qt::Key_Escape;
          }) {}
    // What a busy wait does: the window system's events, with input held.
    void busyWait() {
        const InputHold::BusyScope busy(hold);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    }
    std::vector<QString> log;
    std::vector<QWidget*> stopAsked;
    LoggingWindow a{QStringLiteral("a"), log};
    LoggingWindow b{QStringLiteral("b"), log};
    InputHold hold;
};

TEST_F(InputHoldTest, InputDuringABusyWaitIsDeliveredAfterItInOrderToItsWindow) {
    postClick(b, {40, 25});
    postKey(a, Qt::Key_A);
    QCoreApplication::postEvent(a.windowHandle(), new QCloseEvent);
    busyWait();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(hold.heldCount(), 4u);
    EXPECT_FALSE(hold.stopRequested());

    // Input that comes before the held input is handed on waits behind it.
    postKey(b, Qt::Key_B);
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
    hold.release();
    const std::vector<QString> expected = {QStringLiteral("b click"), QStringLiteral("a key 65"),
                                           QStringLiteral("a close"), QStringLiteral("b key 66")};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(hold.heldCount(), 0u);

    // Not busy and nothing held: input goes straight through.
    log.clear();
    postKey(a, Qt::Key_C);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, std::vector<QString>{QStringLiteral("a key 67")});
}

TEST_F(InputHoldTest, AStopRequestEndsWithTheCommandAndInputForAHiddenWindowIsDropped) {
    postClick(b, {40, 25});
    postKey(a, Qt::Key_Escape);
    busyWait();
    EXPECT_TRUE(hold.stopRequested());
    ASSERT_FALSE(stopAsked.empty());
    EXPECT_EQ(stopAsked.front(), &b);
    b.hide(); // the window was closed while the command unwound
    hold.release();
    EXPECT_FALSE(hold.stopRequested());
    EXPECT_EQ(log, std::vector<QString>{QStringLiteral("a key 16777216")});
}

TEST_F(InputHoldTest, AModalDialogKeepsTheHeldInputUntilItCloses) {
    postKey(a, Qt::Key_A);
    busyWait();
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    hold.release();
    EXPECT_TRUE(log.empty());
    dialog.hide();
    hold.release();
    EXPECT_EQ(log, std::vector<QString>{QStringLiteral("a key 65")});
}

TEST_F(InputHoldTest, MovesAreWorthTheirLastPositionAndTheHoldIsBounded) {
    for (int i = 0; i < 50; ++i)
        postMove(a, {i, i});
    busyWait();
    EXPECT_EQ(hold.heldCount(), 1u);
    hold.release();
    for (std::size_t i = 0; i < InputHold::maxHeld + 10; ++i)
        postKey(a, Qt::Key_A);
    busyWait();
    EXPECT_EQ(hold.heldCount(), InputHold::maxHeld);
    hold.release();
    EXPECT_EQ(log.size(), InputHold::maxHeld);
}

} // namespace
} // namespace quorin
