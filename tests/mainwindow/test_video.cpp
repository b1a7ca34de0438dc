#include "core/DropModel.h"
#include "mainwindow/MainWindow.h"
#include "platform/NumberText.h"
#include "platform/QtMediaPlayer.h"
#include "state/SharedState.h"
#include "support/QtPrint.h"
#include "support/TestProgram.h"
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::FakeMediaPlayer;
using quorin::test::TestProgram;

namespace {

struct Video : ::testing::Test {
    TestProgram tp;
    MainWindow& w = tp.main();
    FakeMediaPlayer& player = *tp.player;

    void start() {
        tp.dialogs.answerOpen(QStringLiteral("/videos/clip.mp4"));
        w.Command14->click();
    }
    // The clock's tick with the player at `pos` of `dur` seconds.
    void tickAt(double pos, double dur, int state = MediaPlayer::Playing) {
        player.pos = pos;
        player.dur = dur;
        player.state = state;
        w.timer3Tick();
    }
    bool seeked() const { return player.calls.filter(QStringLiteral("seek")).size() > 0; }
};

} // namespace

TEST_F(Video, CancelledOpenChangesNothing) {
    tp.dialogs.answerOpen(QString());
    w.Command14->click();
    ASSERT_EQ(tp.dialogs.shown().size(), 1u);
    EXPECT_EQ(tp.dialogs.shown()[0].kind, "open");
    EXPECT_EQ(tp.dialogs.shown()[0].text, QStringLiteral("所有文件|*.*"));
    EXPECT_TRUE(player.url.isEmpty());
    EXPECT_FALSE(player.visible);
    EXPECT_TRUE(w.HScroll1->isHidden());
    EXPECT_FALSE(w.Timer3.isActive());
    EXPECT_FALSE(w.Picture1->isHidden());
}

TEST_F(Video, StartPlaysOverThePlot) {
    start();
    EXPECT_EQ(player.url, QStringLiteral("/videos/clip.mp4"));
    EXPECT_TRUE(player.controlsHidden);
    EXPECT_TRUE(player.visible);
    EXPECT_EQ(player.vol, 62);
    EXPECT_FALSE(w.HScroll1->isHidden());
    EXPECT_TRUE(w.Timer3.isActive());
    EXPECT_EQ(w.Timer3.interval(), 618);
    EXPECT_TRUE(w.Picture1->isHidden());
    EXPECT_EQ(player.rect, w.Picture1->geometry()); // placed over the plot at load
}

TEST_F(Video, ClockMovesTheBarWithoutSeeking) {
    start();
    tickAt(5, 10);
    EXPECT_EQ(w.HScroll1->value(), 16383); // 16383.5 rounded down
    EXPECT_DOUBLE_EQ(tp.state().videoScrollMark, 16383.5);
    tickAt(7.5, 10);
    EXPECT_EQ(w.HScroll1->value(), 24575);
    EXPECT_FALSE(seeked()); // the bar's own change event is no user seek
    EXPECT_TRUE(w.Timer3.isActive());

    // Unknown duration: the bar stays.
    tickAt(9, 0);
    EXPECT_EQ(w.HScroll1->value(), 24575);

    // Busy player: no reading, and the clock keeps running.
    tickAt(9, 10, MediaPlayer::Busy);
    EXPECT_EQ(w.HScroll1->value(), 24575);
    EXPECT_TRUE(w.Timer3.isActive());
}

TEST_F(Video, EndOfVideoFillsTheBarAndStopsTheClock) {
    start();
    tickAt(12, 10); // past the end
    EXPECT_EQ(w.HScroll1->value(), 32767);
    EXPECT_TRUE(w.Timer3.isActive());
    tickAt(10, 10, MediaPlayer::Stopped);
    EXPECT_EQ(w.HScroll1->value(), 32767);
    EXPECT_FALSE(w.Timer3.isActive());
    EXPECT_FALSE(seeked());
}

TEST_F(Video, UserSeekBeyond200Seeks) {
    start();
    tickAt(1, 10); // mark 3276.7, bar 3276
    player.calls.clear();

    w.HScroll1->setValue(3276 + 200); // 199.3 from the mark: the clock's own jitter
    EXPECT_TRUE(player.calls.isEmpty());
    EXPECT_TRUE(w.Timer3.isActive());

    w.HScroll1->setValue(3276 - 300);
    EXPECT_DOUBLE_EQ(tp.state().videoSeekFraction, 2976.0 / 32767);
    // Position rounded to 6 decimals: 2976 / 32767 * 10 = 0.90823... s.
    EXPECT_EQ(player.calls, QStringList({"pause", "seek 0.908231", "play"}));
    EXPECT_DOUBLE_EQ(player.pos, 0.908231);
    EXPECT_EQ(player.tip, QString());
    EXPECT_TRUE(w.Timer3.isActive());
}

TEST_F(Video, DragSeeksOnceOnRelease) {
    start();
    tickAt(1, 10);
    player.calls.clear();
    QScrollBar& bar = *w.HScroll1;
    bar.setSliderDown(true);
    for (int v = 5000; v <= 20000; v += 5000)
        bar.setSliderPosition(v);
    tickAt(2, 10); // the clock does not pull the thumb from under the hand
    EXPECT_EQ(bar.sliderPosition(), 20000);
    EXPECT_TRUE(player.calls.isEmpty());

    bar.setSliderDown(false);
    EXPECT_EQ(player.calls.filter(QStringLiteral("seek")).size(), 1);
    EXPECT_DOUBLE_EQ(player.pos, val(wc(20000.0 / 32767 * 10)));
}

TEST_F(Video, SeekWhileBusyKeepsTheClockOff) {
    start();
    tickAt(1, 10);
    player.state = MediaPlayer::Busy;
    player.calls.clear();
    w.HScroll1->setValue(20000);
    EXPECT_TRUE(player.calls.isEmpty());
    EXPECT_FALSE(w.Timer3.isActive());
    EXPECT_DOUBLE_EQ(tp.state().videoSeekFraction, 20000.0 / 32767);

    // A later seek that finds the player idle starts it again.
    player.state = MediaPlayer::Paused;
    w.HScroll1->setValue(30000);
    EXPECT_TRUE(seeked());
    EXPECT_TRUE(w.Timer3.isActive());
}

TEST_F(Video, LeftClickPausesAndResumes) {
    start();
    ASSERT_TRUE(player.onClick);
    player.onClick(2); // other buttons do nothing
    EXPECT_FALSE(w.videoPaused);
    EXPECT_EQ(player.state, MediaPlayer::Playing);

    player.onClick(1);
    EXPECT_TRUE(w.videoPaused);
    EXPECT_EQ(player.state, MediaPlayer::Paused);
    EXPECT_EQ(player.tip, QStringLiteral("pause"));

    player.onClick(1);
    EXPECT_FALSE(w.videoPaused);
    EXPECT_EQ(player.state, MediaPlayer::Playing);
    EXPECT_EQ(player.tip, QString());
}

// --- a file the player cannot play: told once, from the event loop ---

TEST_F(Video, AFileThatCannotBePlayedIsToldOnceAndThePlotComesBack) {
    start();
    player.fail();
    player.fail(); // an error and invalid media: one failure
    EXPECT_TRUE(tp.dialogs.messageTexts().isEmpty());
    QTest::qWait(300);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"无法播放视频文件 /videos/clip.mp4。"});
    EXPECT_FALSE(player.visible);
    EXPECT_FALSE(w.Timer3.isActive());
    EXPECT_FALSE(w.Picture1->isHidden());
}

TEST_F(Video, ALateFailureWaitsForTheNextCommandAndLeavesItsVideoPlaying) {
    start();
    // Reported while the next video is being chosen, and time passes there.
    tp.dialogs.onFile = [&] {
        player.fail();
        QTest::qWait(300);
        EXPECT_TRUE(tp.dialogs.messageTexts().isEmpty());
    };
    tp.dialogs.answerOpen(QStringLiteral("/videos/next.mp4"));
    w.Command14->click();
    QTest::qWait(300);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"无法播放视频文件 /videos/clip.mp4。"});
    EXPECT_TRUE(player.visible);
    EXPECT_TRUE(w.Timer3.isActive());
}

// The real player on a clip made for the test, with a real event loop.
TEST(RealVideo, PlaysSeeksPausesAndStops) {
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("clip.mp4"));
    QProcess make;
    make.start(ffmpeg, {"-v", "error", "-f", "lavfi", "-i",
                        "testsrc=duration=3:size=160x120:rate=25", "-pix_fmt", "yuv420p", clip});
    ASSERT_TRUE(make.waitForFinished(30000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

    QWidget parent;
    parent.resize(200, 160);
    parent.show();
    QtMediaPlayer player(&parent);
    player.setGeometry(QRect(0, 0, 160, 120));
    player.setVisible(true);
    player.setVolume(62);
    EXPECT_EQ(player.volume(), 62);

    // The player reports busy while it opens the file (the picture may
    // already move), then playing with the duration known.
    player.setUrl(clip);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return player.playState() == MediaPlayer::Playing && player.duration() > 0; }, 5000))
        << "state " << player.playState();
    EXPECT_NEAR(player.duration(), 3.0, 0.1);
    const double early = player.position();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.position() > early + 0.2; }, 2000))
        << "playback did not advance from " << early;

    player.pause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == MediaPlayer::Paused; }, 2000));
    player.setPosition(2.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(player.position() - 2.0) < 0.2; }, 3000))
        << "position " << player.position();
    const double held = player.position();
    QTest::qWait(300);
    EXPECT_NEAR(player.position(), held, 0.05); // paused: no progress

    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == MediaPlayer::Playing; }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == MediaPlayer::Stopped; }, 5000))
        << "state " << player.playState() << " at " << player.position();
}

TEST(RealVideo, AFileThatIsNoVideoIsReportedOnceFromTheEventLoop) {
    QTemporaryFile bad;
    ASSERT_TRUE(bad.open() && bad.write(QByteArray(4096, 'x')) == 4096 && bad.flush());
    QWidget parent;
    QtMediaPlayer player(&parent);
    QStringList reports;
    player.onError = [&](const QString& file) { reports << file; };
    player.setUrl(bad.fileName());
    EXPECT_TRUE(reports.isEmpty()); // never from inside the call
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reports.isEmpty(); }, 5000));
    QTest::qWait(300);
    EXPECT_EQ(reports, QStringList{bad.fileName()});
}
