#pragma once
#include "platform/MediaPlayer.h"
#include <memory>

class QWidget;

namespace quorin {

// MediaPlayer on QMediaPlayer + QVideoWidget, shown inside `parent`.
class QtMediaPlayer final : public MediaPlayer {
public:
    explicit QtMediaPlayer(QWidget* parent);
    ~QtMediaPlayer() override;
    void setUrl(const QString& file) override;
    void setControlsHidden(bool hidden) override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    void setGeometry(const QRect& pixels) override;
    QRect geometry() const override;
    void setToolTip(const QString& text) override;
    QString toolTip() const override;
    void setVolume(int percent) override;
    int volume() const override;
    int playState() const override;
    void play() override;
    void pause() override;
    double position() const override;
    void setPosition(double seconds) override;
    double duration() const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace quorin
