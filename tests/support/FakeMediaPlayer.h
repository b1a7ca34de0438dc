#pragma once
#include "platform/MediaPlayer.h"
#include <QStringList>

namespace quorin::test {

// A player whose state the test sets; records what the program asked of it.
class FakeMediaPlayer final : public MediaPlayer {
public:
    void setUrl(const QString& file) override {
        url = file;
        state = Playing;
        calls << "url";
    }
    void setControlsHidden(bool hidden) override { controlsHidden = hidden; }
    void setVisible(bool v) override { visible = v; }
    bool isVisible() const override { return visible; }
    void setGeometry(const QRect& r) override { rect = r; }
    QRect geometry() const override { return rect; }
    void setToolTip(const QString& t) override { tip = t; }
    QString toolTip() const override { return tip; }
    void setVolume(int v) override { vol = v; }
    int volume() const override { return vol; }
    int playState() const override { return state; }
    void play() override {
        state = Playing;
        calls << "play";
    }
    void pause() override {
        state = Paused;
        calls << "pause";
    }
    double position() const override { return pos; }
    void setPosition(double s) override {
        pos = s;
        calls << QStringLiteral("seek %1").arg(s);
    }
    double duration() const override { return dur; }
    // What the real player reports, from the event loop, when the file it
    // was given last cannot be played.
    void fail() {
        if (onError)
            onError(url);
    }

    QString url;
    bool controlsHidden = false;
    bool visible = false;
    QRect rect;
    QString tip;
    int vol = 50;
    int state = 0;
    double pos = 0;
    double dur = 0;
    QStringList calls;
};

} // namespace quorin::test
