#include "platform/Clock.h"
#include "support/VirtualClock.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorin;

TEST(Clock, SystemClockIsMonotonicAndWaitsAtLeastTheTime) {
    SystemClock clock;
    const double t0 = clock.now();
    QElapsedTimer real;
    real.start();
    clock.pause(0.02, WaitKind::Processing);
    EXPECT_GT(clock.now() - t0, 0.02);
    EXPECT_GE(real.elapsed(), 20);
    EXPECT_LT(real.elapsed(), 1000);
}

// A busy wait serves what is posted (the window system's paints and moves
// arrive that way) but no timer ticks in it; a stop request ends it at once.
TEST(Clock, BusyWaitServesPostedEventsButNoTimerAndEndsOnAStop) {
    SystemClock clock;
    int fired = 0, posted = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++fired; });
    timer.start();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { ++posted; }, Qt::QueuedConnection);
    clock.pause(0.01, WaitKind::Busy);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(posted, 1);
    clock.pause(0.01, WaitKind::Processing);
    EXPECT_GE(fired, 1);
    timer.stop();

    QElapsedTimer real;
    real.start();
    clock.pause(5.0, WaitKind::Busy, {}, [&] { return posted > 0; });
    EXPECT_LT(real.elapsed(), 1000);
}

TEST(Clock, BusyWaitRepaintsTheAnimatedPicture) {
    SystemClock clock;
    int repaints = 0;
    clock.pause(0.005, WaitKind::Busy, [&] { ++repaints; });
    EXPECT_GE(repaints, 1);
}

TEST(Clock, NegativeOrZeroWaitsEndAtOnce) {
    SystemClock clock;
    QElapsedTimer real;
    real.start();
    clock.pause(-5, WaitKind::Processing);
    clock.pause(0, WaitKind::Busy);
    EXPECT_LT(real.elapsed(), 200);
}

TEST(Clock, VirtualClockAdvancesInstantly) {
    quorin::test::VirtualClock clock;
    const double t0 = clock.now();
    clock.pause(100.0, WaitKind::Processing);
    EXPECT_DOUBLE_EQ(clock.now() - t0, 100.0);
    EXPECT_EQ(clock.pauses(), 1);
}
