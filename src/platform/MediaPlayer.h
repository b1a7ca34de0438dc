#pragma once
#include <QRect>
#include <QString>
#include <functional>

namespace quorin {

// The embedded video player of the main window.
class MediaPlayer {
public:
    // Play-state codes: 1 stopped; below 4 means not busy.
    static constexpr int Stopped = 1;
    static constexpr int Paused = 2;
    static constexpr int Playing = 3;
    static constexpr int Busy = 9; // opening or buffering

    virtual ~MediaPlayer() = default;
    virtual void setUrl(const QString& file) = 0; // starts playback
    virtual void setControlsHidden(bool hidden) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    virtual void setGeometry(const QRect& pixels) = 0;
    virtual QRect geometry() const = 0;
    virtual void setToolTip(const QString& text) = 0;
    virtual QString toolTip() const = 0;
    virtual void setVolume(int percent) = 0;
    virtual int volume() const = 0;
    virtual int playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual double position() const = 0; // seconds
    virtual void setPosition(double seconds) = 0;
    virtual double duration() const = 0; // seconds, 0 while unknown
    // Mouse button of a click on the picture (1 left, 2 right).
    std::function<void(int button)> onClick;
    // The file given to setUrl cannot be played (missing, no video, damaged).
    // Called from the event loop, never from inside a call to the player, and
    // at most once per setUrl.
    std::function<void(const QString& file)> onError;
};

} // namespace quorin
