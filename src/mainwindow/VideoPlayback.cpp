#include "mainwindow/VideoPlayback.h"
#include "app/SharedState.h"
#include "mainwindow/MainWindow.h"
#include "motion/DropModel.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include <QScrollBar>
#include <cmath>

namespace quorin {

namespace {
// Play states from 4 up mean the player is busy (opening, buffering...).
bool playerIdle(const MediaPlayer& p) {
    return p.playState() < 4;
}
} // namespace

void startVideo(MainWindow& w) {
    const QString file = w.services().dialogs.openFile(QStringLiteral("所有文件|*.*"));
    if (file.isEmpty())
        return;
    MediaPlayer* player = w.WindowsMediaPlayer1.get();
    if (!player)
        return; // no player service: nothing to play on
    player->setUrl(file);
    player->setControlsHidden(true);
    player->setVisible(true);
    player->setVolume(62);
    // A drag reports its value once, on release, and not at every step of
    // the way: each report is a seek.
    w.HScroll1->setTracking(false);
    w.HScroll1->show();
    w.Timer3.start();
    w.Picture1->hide();
}

void followVideo(MainWindow& w) {
    MediaPlayer* player = w.WindowsMediaPlayer1.get();
    if (!player)
        return;
    if (playerIdle(*player)) {
        const double position = player->position();
        const double duration = player->duration();
        // The thumb is left alone while the user holds it.
        if (duration != 0 && !w.HScroll1->isSliderDown()) {
            const double mark = std::min(position / duration * videoBarMax, double(videoBarMax));
            if (std::isfinite(mark)) {
                // The mark first, so the change this causes is known as ours.
                w.state().videoScrollMark = mark;
                w.HScroll1->setValue(static_cast<int>(std::floor(mark)));
            }
        }
    }
    if (player->playState() == MediaPlayer::Stopped)
        w.Timer3.stop();
}

void seekVideo(MainWindow& w) {
    SharedState& st = w.state();
    const int value = w.HScroll1->value();
    if (std::abs(value - st.videoScrollMark) <= 200)
        return;
    w.Timer3.stop();
    st.videoSeekFraction = double(value) / videoBarMax;
    MediaPlayer* player = w.WindowsMediaPlayer1.get();
    if (!player || !playerIdle(*player))
        return; // the clock stays off until a later seek or video
    player->pause();
    const double position = val(wc(st.videoSeekFraction * player->duration()));
    player->setPosition(position);
    player->play();
    player->setToolTip(QString());
    w.Timer3.start();
}

void toggleVideoPause(MainWindow& w, int button) {
    if (button != 1)
        return;
    MediaPlayer* player = w.WindowsMediaPlayer1.get();
    w.videoPaused = !w.videoPaused;
    if (!player)
        return;
    if (w.videoPaused) {
        player->pause();
        player->setToolTip(QStringLiteral("pause"));
    } else {
        player->play();
        player->setToolTip(QString());
    }
}

} // namespace quorin
