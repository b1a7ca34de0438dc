#include "plottools/VideoPlayback.h"
#include "core/DropModel.h"
#include "platform/Dialogs.h"
#include "platform/MediaPlayer.h"
#include "platform/NumberText.h"
#include "platform/PictureBox.h"
#include "state/SharedState.h"
#include <QDir>
#include <QScrollBar>
#include <QTimer>
#include <cmath>
#include <utility>

namespace quorin {

namespace {
// Play states from 4 up mean the player is busy (opening, buffering...).
bool playerIdle(const MediaPlayer& p) {
    return p.playState() < 4;
}
} // namespace

void startVideo(VideoEnv& env) {
    const QString file = env.dialogs.openFile(QStringLiteral("所有文件|*.*"));
    // A window closed while the dialog was up starts no video.
    if (file.isEmpty() || env.closing)
        return;
    MediaPlayer* player = env.player;
    if (!player)
        return; // no player service: nothing to play on
    env.file = file;
    player->setUrl(file);
    player->setControlsHidden(true);
    player->setVisible(true);
    player->setVolume(62);
    // A drag reports its value once, on release, and not at every step of
    // the way: each report is a seek.
    env.bar.setTracking(false);
    env.bar.show();
    env.barClock.start();
    env.plot.hide();
}

void followVideo(VideoEnv& env) {
    MediaPlayer* player = env.player;
    if (!player)
        return;
    if (playerIdle(*player)) {
        const double position = player->position();
        const double duration = player->duration();
        // The thumb is left alone while the user holds it.
        if (duration != 0 && !env.bar.isSliderDown()) {
            const double mark = std::min(position / duration * videoBarMax, double(videoBarMax));
            if (std::isfinite(mark)) {
                // The mark first, so the change this causes is known as ours.
                env.state.videoScrollMark = mark;
                env.bar.setValue(static_cast<int>(std::floor(mark)));
            }
        }
    }
    if (player->playState() == MediaPlayer::Stopped)
        env.barClock.stop();
}

void seekVideo(VideoEnv& env) {
    SharedState& st = env.state;
    const int value = env.bar.value();
    if (std::abs(value - st.videoScrollMark) <= 200)
        return;
    env.barClock.stop();
    st.videoSeekFraction = double(value) / videoBarMax;
    MediaPlayer* player = env.player;
    if (!player || !playerIdle(*player))
        return; // the clock stays off until a later seek or video
    player->pause();
    const double position = val(wc(st.videoSeekFraction * player->duration()));
    player->setPosition(position);
    player->play();
    player->setToolTip(QString());
    env.barClock.start();
}

void toggleVideoPause(VideoEnv& env, int button) {
    if (button != 1)
        return;
    MediaPlayer* player = env.player;
    env.paused = !env.paused;
    if (!player)
        return;
    if (env.paused) {
        player->pause();
        player->setToolTip(QStringLiteral("pause"));
    } else {
        player->play();
        player->setToolTip(QString());
    }
}

QString videoNotPlayedMessage(const QString& file) {
    return QStringLiteral("无法播放视频文件 ") + QDir::toNativeSeparators(file) +
           QStringLiteral("。");
}

void noteVideoFailure(VideoEnv& env, const QString& file) {
    if (!env.failed.contains(file))
        env.failed << file;
    if (!env.failureNotice.isActive())
        env.failureNotice.start();
}

void tellVideoFailures(VideoEnv& env) {
    env.failureNotice.stop();
    // Taken first: a failure reported while a message is up comes at a later tick.
    const QStringList failed = std::exchange(env.failed, {});
    if (env.closing)
        return;
    for (const QString& file : failed) {
        if (file == env.file && env.player) {
            env.file.clear();
            env.barClock.stop();
            env.bar.hide();
            env.player->setVisible(false);
            env.plot.show();
        }
        env.dialogs.message(videoNotPlayedMessage(file), MessageButtons::Ok,
                            QStringLiteral("Quorin"));
        if (env.closing)
            return;
    }
}

} // namespace quorin
