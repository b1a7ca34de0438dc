#include "platform/QtMediaPlayer.h"
#include "platform/InputCodes.h"
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
        if (clicked)
            clicked(buttonBits(e->button()));
        QVideoWidget::mousePressEvent(e);
    }
};

} // namespace

// The playback engine (and its audio output, which connects to the sound
// server) is made on first use, so a run that plays no video never touches
// the audio system.
struct QtMediaPlayer::Impl {
    explicit Impl(QtMediaPlayer& owner) : owner(owner) {}

    QtMediaPlayer& owner;
    std::unique_ptr<QMediaPlayer> player;
    std::unique_ptr<QAudioOutput> audio;
    ClickableVideoWidget* video = nullptr; // owned by the parent widget
    int volume = 100;
    QString file;          // given to setUrl last
    bool reported = false; // its failure is on its way to the owner

    QMediaPlayer& engine() {
        if (!player) {
            player = std::make_unique<QMediaPlayer>();
            audio = std::make_unique<QAudioOutput>();
            audio->setVolume(float(volume) / 100.0f);
            player->setAudioOutput(audio.get());
            player->setVideoOutput(video);
            // A failure shows as an error, as invalid media, or both.
            QObject::connect(player.get(), &QMediaPlayer::errorOccurred, player.get(),
                             [this](QMediaPlayer::Error error) {
                                 if (error != QMediaPlayer::NoError)
                                     failed();
                             });
            QObject::connect(player.get(), &QMediaPlayer::mediaStatusChanged, player.get(),
                             [this](QMediaPlayer::MediaStatus status) {
                                 if (status == QMediaPlayer::InvalidMedia)
                                     failed();
                             });
        }
        return *player;
    }

    // Reported from the event loop: the engine may signal from inside
    // setSource, and the owner's answer may take a while (a message box).
    // Posted to the engine, so a report still on its way when the player is
    // destroyed is dropped with it.
    void failed() {
        if (reported || file.isEmpty())
            return;
        reported = true;
        QMetaObject::invokeMethod(
            player.get(),
            [this, failedFile = file] {
                // A copy: the owner may let the player go while it answers.
                if (const auto report = owner.onError)
                    report(failedFile);
            },
            Qt::QueuedConnection);
    }
};

QtMediaPlayer::QtMediaPlayer(QWidget* parent) : d(std::make_unique<Impl>(*this)) {
    d->video = new ClickableVideoWidget(parent);
    d->video->hide();
    d->video->clicked = [this](int button) {
        if (onClick)
            onClick(button);
    };
}

QtMediaPlayer::~QtMediaPlayer() {
    if (d->player) {
        // Nothing the engine says while it stops is reported to an owner
        // that is going away.
        d->player->disconnect(d->player.get());
        d->player->stop();
        d->player->setVideoOutput(static_cast<QObject*>(nullptr));
    }
}

void QtMediaPlayer::setUrl(const QString& file) {
    d->file = file;
    d->reported = false;
    d->engine().setSource(QUrl::fromLocalFile(file));
    d->engine().play();
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
    d->volume = std::clamp(percent, 0, 100);
    if (d->audio)
        d->audio->setVolume(float(d->volume) / 100.0f);
}

int QtMediaPlayer::volume() const {
    return d->volume;
}

int QtMediaPlayer::playState() const {
    if (!d->player)
        return 0; // nothing loaded yet
    switch (d->player->mediaStatus()) {
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
        return Busy;
    default:
        break;
    }
    switch (d->player->playbackState()) {
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
    d->engine().play();
}
void QtMediaPlayer::pause() {
    d->engine().pause();
}
double QtMediaPlayer::position() const {
    return d->player ? d->player->position() / 1000.0 : 0.0;
}

void QtMediaPlayer::setPosition(double seconds) {
    if (std::isfinite(seconds))
        d->engine().setPosition(static_cast<qint64>(std::llround(std::max(0.0, seconds) * 1000.0)));
}

double QtMediaPlayer::duration() const {
    return d->player ? d->player->duration() / 1000.0 : 0.0;
}

} // namespace quorin
