#include "platform/QtMediaPlayer.h"
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QUrl>
#include <QVideoWidget>
#include <cmath>

namespace quorin {

namespace {

// The video surface; reports clicks to the player's owner.
class ClickableVideoWidget final : public QVideoWidget {
public:
    using QVideoWidget::QVideoWidget;
    std::function<void(int)> clicked;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        int button = 0;
        if (e->button() == Qt::LeftButton)
            button = 1;
        else if (e->button() == Qt::RightButton)
            button = 2;
        else if (e->button() == Qt::MiddleButton)
            button = 4;
        if (clicked)
            clicked(button);
        QVideoWidget::mousePressEvent(e);
    }
};

} // namespace

struct QtMediaPlayer::Impl {
    QMediaPlayer player;
    QAudioOutput audio;
    ClickableVideoWidget* video = nullptr; // owned by the parent widget
};

QtMediaPlayer::QtMediaPlayer(QWidget* parent) : d(std::make_unique<Impl>()) {
    d->video = new ClickableVideoWidget(parent);
    d->video->hide();
    d->player.setAudioOutput(&d->audio);
    d->player.setVideoOutput(d->video);
    d->video->clicked = [this](int button) {
        if (onClick)
            onClick(button);
    };
}

QtMediaPlayer::~QtMediaPlayer() {
    d->player.stop();
    d->player.setVideoOutput(static_cast<QObject*>(nullptr));
}

void QtMediaPlayer::setUrl(const QString& file) {
    d->player.setSource(QUrl::fromLocalFile(file));
    d->player.play();
}

// QVideoWidget draws no controls of its own.
void QtMediaPlayer::setControlsHidden(bool) {}

void QtMediaPlayer::setVisible(bool visible) {
    d->video->setVisible(visible);
    if (visible)
        d->video->raise();
}

bool QtMediaPlayer::isVisible() const {
    return d->video->isVisible();
}
void QtMediaPlayer::setGeometry(const QRect& pixels) {
    d->video->setGeometry(pixels);
}
QRect QtMediaPlayer::geometry() const {
    return d->video->geometry();
}
void QtMediaPlayer::setToolTip(const QString& text) {
    d->video->setToolTip(text);
}
QString QtMediaPlayer::toolTip() const {
    return d->video->toolTip();
}

void QtMediaPlayer::setVolume(int percent) {
    d->audio.setVolume(float(std::clamp(percent, 0, 100)) / 100.0f);
}

int QtMediaPlayer::volume() const {
    return int(std::lround(d->audio.volume() * 100.0f));
}

int QtMediaPlayer::playState() const {
    switch (d->player.mediaStatus()) {
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
        return Busy;
    default:
        break;
    }
    switch (d->player.playbackState()) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return Paused;
    case QMediaPlayer::StoppedState:
        return Stopped;
    }
    return Stopped;
}

void QtMediaPlayer::play() {
    d->player.play();
}
void QtMediaPlayer::pause() {
    d->player.pause();
}
double QtMediaPlayer::position() const {
    return d->player.position() / 1000.0;
}

void QtMediaPlayer::setPosition(double seconds) {
    if (std::isfinite(seconds))
        d->player.setPosition(static_cast<qint64>(std::llround(std::max(0.0, seconds) * 1000.0)));
}

double QtMediaPlayer::duration() const {
    return d->player.duration() / 1000.0;
}

} // namespace quorin
