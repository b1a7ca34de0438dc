#pragma once
#include "platform/Controls.h"
#include "platform/MediaPlayer.h"
#include "platform/PictureBox.h"
#include "state/MainFields.h"
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class QScrollBar;

namespace quorin {

class MainWindowHost;
struct PlotEnv;
struct SharedState;
struct Services;
struct VideoEnv;

// The start-up window: entry and result fields, the plot, the launchers and
// the video player. It holds its controls and forwards their events to the
// commands of each feature, which see it through small environments. Its
// fields are offered to the canvas as MainFields.
class MainWindow : public QWidget, public MainFields {
    Q_OBJECT
public:
    MainWindow(MainWindowHost& host, SharedState& state, const Services& services);
    ~MainWindow() override;

    SharedState& state() { return state_; }
    const Services& services() const { return services_; }

    // --- MainFields ---
    QString fieldText(int index) const override;
    void setFieldText(int index, const QString& text) override;
    void hideDragLabel() override;

    // --- controls ---
    std::array<ClickLabel*, 18> Label1{};
    std::array<TextBox*, 18> Text1{};
    CommandButton* Command1 = nullptr;        // 推导计算
    std::array<CommandButton*, 2> Command6{}; // hidden colour swatches: paper, pen
    CommandButton* Command8 = nullptr;        // Quorin模拟
    CommandButton* Command9 = nullptr;        // 反导模拟
    CommandButton* Command10 = nullptr;       // 数学画画
    CommandButton* Command11 = nullptr;       // 图像比较
    CommandButton* Command12 = nullptr;       // 新月画画
    CommandButton* Command13 = nullptr;       // 图像叠加
    CommandButton* Command14 = nullptr;       // 视频播放
    PictureBox* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    std::unique_ptr<MediaPlayer> WindowsMediaPlayer1;
    QTimer Timer3;      // video position bar, 618 ms
    QTimer Timer4;      // one-shot start of the animated display, 1000 ms
    QTimer VideoNotice; // tells of videos that could not be played, 100 ms

    bool videoPaused = false;
    QString videoFile;        // the video started last
    QStringList failedVideos; // not played, not yet told
    // Set when the window closes; a command resuming from a wait then stops.
    bool closing = false;
    // The window's own fore colour, which the plot commands set; the plot
    // itself draws in Picture1's.
    ColorValue foreColor = colors::black;

    // --- handlers (public so tests and the start-up path can call them) ---
    void timer4Tick();
    void windowClick();
    void image1Click();
    void command1Click();       // 推导计算
    void picture1Click();       // animated replay
    void picture1DoubleClick(); // clear the drawing
    void label1Click(int index);
    void text1Click(int index);       // highlight an entry field (0..13)
    void text1DoubleClick(int index); // empty an entry field (0..13)
    void command14Click();            // 视频播放
    void hScroll1Change();
    void timer3Tick();
    void playerClick(int button);
    void playerError(const QString& file);
    void videoNoticeTick();

    // Paper colour of the plot (the hidden swatch Command6(0)).
    ColorValue paperColor() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createControls();
    void load();
    PlotEnv plotEnv();
    VideoEnv videoEnv();

    MainWindowHost& host_;
    SharedState& state_;
    const Services& services_;
};

} // namespace quorin
