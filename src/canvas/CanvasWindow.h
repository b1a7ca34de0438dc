#pragma once
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include <QTimer>
#include <QWidget>
#include <array>

namespace quorin {

class Program;
class MainWindow;
struct SharedState;
struct Services;

// The canvas: one large picture box with a command bar, animation buttons and
// image tools. Created by Program on first access; every launcher reloads it.
class CanvasWindow : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWindow(Program& program);
    ~CanvasWindow() override;

    Program& program() { return program_; }
    SharedState& state();
    const Services& services() const;
    MainWindow& mainWindow();

    // Load defaults; Program calls it once right after construction.
    void load();
    // What the window does when it is unloaded (the launchers and closing).
    void unloadHandler();
    // An unloaded window is dead: commands that resume after a wait stop.
    void markDead() { dead_ = true; }
    bool isDead() const { return dead_; }

    // Client size in twips.
    double widthTwips() const;
    double heightTwips() const;

    // --- controls ---
    PictureBox* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    std::array<CommandButton*, 22> Command1{};
    CommandButton* Command2 = nullptr;         // 蛋
    CommandButton* Command3 = nullptr;         // 金
    CommandButton* Command4 = nullptr;         // 果壳
    CommandButton* Command5 = nullptr;         // 生
    CommandButton* Command6 = nullptr;         // 塔
    CommandButton* Command7 = nullptr;         // 光
    CommandButton* Command8 = nullptr;         // 雨
    CommandButton* Command9 = nullptr;         // 图像采集
    CommandButton* Command10 = nullptr;        // 全屏
    CommandButton* Command11 = nullptr;        // 图像采集
    std::array<CommandButton*, 3> Command12{}; // 图像采集, 图像比较, 图像叠加
    std::array<TextBox*, 4> Text1{};
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    ClickLabel* Label1 = nullptr;

    // --- timers (names and intervals as designed) ---
    QTimer Timer1; // preview step, 1800 ms
    QTimer Timer4; // pattern drift, 1000 ms
    QTimer Timer5;
    QTimer Timer6;
    QTimer Timer7;
    QTimer Timer8;  // "auto" record cycle, 1000 ms
    QTimer Timer9;  // "auto" record step, 200 ms
    QTimer Timer10; // "autoplay" cycle, 1 ms
    QTimer Timer11; // "autoplay" step, 1 ms
    QTimer Timer12; // preview folder dialog, 1500 ms
    QTimer Timer13; // stroke sampler, 10 ms
    QTimer Timer14; // stroke replay, 100 ms
    QTimer Timer16; // pattern drift, 1000 ms
    QTimer Timer17; // full screen when left alone, 1000 ms
    QTimer Timer18; // starts the patterns, 3000 ms

    // --- window-level variables (reset with each load) ---
    ColorValue yaa = colors::blue; // pen colour
    QString yae = QStringLiteral("caise");
    bool huatuo = true;
    bool huaxian = false;
    bool baochi = false;
    double zx = 0, zy = 0;
    double xa = 0, xb = 0, ya = 0, yb = 0;
    double fv = 0, fvx0 = 0, fvy0 = 0;

    // --- handlers ---
    void command1Click(int index);
    void command10Click(); // 全屏
    void resizeHandler();
    void escPressed();
    void picture1KeyDown(int key, int shift);
    void picture1KeyPress(int character);
    void timer1Tick();  // preview: next picture
    void timer12Tick(); // preview: choose the folder
    void timer17Tick();
    void timer18Tick();

    // Presses of 生 and 金; the patterns themselves come with the animations.
    void startPatternSheng() {}
    void startPatternJin() {}

    // Window changes that must not run the resize rule (a border switch
    // re-creates the native window and may report a resize of the same size).
    class QuietResize {
    public:
        explicit QuietResize(CanvasWindow& c) : c_(c) { ++c_.quietResize_; }
        ~QuietResize() { --c_.quietResize_; }
        QuietResize(const QuietResize&) = delete;
        QuietResize& operator=(const QuietResize&) = delete;

    private:
        CanvasWindow& c_;
    };

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    Program& program_;
    bool dead_ = false;
    bool inResize_ = false;
    int quietResize_ = 0;
};

} // namespace quorin
