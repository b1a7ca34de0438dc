#pragma once
#include "platform/Controls.h"
#include "platform/MediaPlayer.h"
#include "platform/PictureBox.h"
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class QScrollBar;

namespace quorin {

class Program;
struct SharedState;
struct Services;

// The start-up window: entry and result fields, the plot, the launchers and
// the video player. Controls are public: the commands of each feature act on
// them directly, as the window's own procedures would.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Program& program);
    ~MainWindow() override;

    Program& program() { return program_; }
    SharedState& state();
    const Services& services() const;

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
    QTimer Timer3; // video position bar, 618 ms
    QTimer Timer4; // one-shot start of the animated display, 1000 ms

    bool videoPaused = false;
    // The colour the common dialog shows and returns on Cancel; the last one
    // chosen, black at first.
    ColorValue dialogColor = colors::black;
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
    void text1Click(int index);
    void text1DoubleClick(int index);
    void command14Click(); // 视频播放
    void hScroll1Change();
    void timer3Tick();
    void playerClick(int button);

    // Paper colour of the plot (the hidden swatch Command6(0)).
    ColorValue paperColor() const { return Command6[0]->backColor(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createControls();
    void load();

    Program& program_;
};

// Moves tree.txt-style record files into their backups without losing a
// record: the record file is emptied only once its content is safely in the
// backup. Returns false (and leaves the record file as it was) when the
// backup cannot be written.
bool rotateRecordFile(const QString& recordPath, const QString& backupPath);

} // namespace quorin
