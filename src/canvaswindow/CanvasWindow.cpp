#include "canvaswindow/CanvasWindow.h"
#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvas/CanvasLayout.h"
#include "canvas/CommandBar.h"
#include "canvas/Freehand.h"
#include "canvas/HiddenCapture.h"
#include "canvas/Preview.h"
#include "canvas/RecordReplay.h"
#include "canvas/StrokeFiles.h"
#include "canvas/StrokeReplay.h"
#include "imagecmp/ImageCommands.h"
#include "motion/CanvasPlot.h"
#include "platform/Twips.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>

namespace quorin {

namespace {

struct ButtonDesign {
    const char* caption;
    double left, top, width, height;
};

// Command1(0) .. Command1(21) as designed.
const std::array<ButtonDesign, 22> barDesign = {{
    {"推导计算", 360, 120, 975, 735},   {"清空图像", 2520, 120, 975, 735},
    {"图像预存", 3600, 120, 972, 732},  {"图像保存", 4680, 120, 972, 732},
    {"单色", 5760, 120, 975, 735},      {"随机彩色", 5760, 120, 975, 735},
    {"底色", 9000, 480, 855, 375},      {"画色", 9000, 120, 855, 375},
    {"不画椭圆", 7920, 120, 975, 735},  {"导入图像", 1440, 120, 975, 732},
    {"变换角度", 10080, 120, 975, 735}, {"坐标变换", 12360, 120, 975, 735},
    {"画弦", 6840, 120, 855, 375},      {"写字", 6840, 480, 855, 375},
    {"画画", 14880, 2400, 372, 852},    {"自动", 14880, 3600, 372, 852},
    {"导出", 14880, 4800, 372, 852},    {"导入", 14880, 6000, 372, 852},
    {"全屏", 14880, 7440, 372, 852},    {"全画屏", 14880, 7200, 372, 1332},
    {"图像预览", 360, 120, 975, 735},   {"粗", 14880, 1680, 372, 492},
}};

} // namespace

CanvasWindow::CanvasWindow(CanvasHost& host, SharedState& state, const Services& services)
    : CanvasSurface(state, services, host), QWidget(nullptr), host_(host) {
    setWindowTitle(QStringLiteral("新月 画画"));
    resize(twipsToPixels(15468), twipsToPixels(9060));
    createControls();
}

CanvasWindow::~CanvasWindow() = default;

void CanvasWindow::createControls() {
    Picture1 = new PictureBox(this);
    placeTwips(Picture1, 720, 960, 13092, 7332);
    Picture1->setAutoRedraw(true);
    Picture1->setCursor(Qt::ArrowCursor);
    connect(Picture1, &PictureBox::keyDown, this,
            [this](int key, int shift) { picture1KeyDown(key, shift); });
    connect(Picture1, &PictureBox::keyPress, this,
            [this](int character) { picture1KeyPress(character); });
    connect(Picture1, &PictureBox::clicked, this, [this] { picture1Click(); });
    connect(Picture1, &PictureBox::mouseDown, this,
            [this](int b, int sh, double x, double y) { freehandPress(*this, b, sh, x, y); });
    connect(Picture1, &PictureBox::mouseMove, this,
            [this](int b, int sh, double x, double y) { freehandMove(*this, b, sh, x, y); });
    connect(Picture1, &PictureBox::mouseUp, this,
            [this](int b, int sh, double x, double y) { freehandRelease(*this, b, sh, x, y); });

    Image1 = new ImageBox(this);
    placeTwips(Image1, 300, 300, 6192, 3552);

    for (int i = 0; i < 22; ++i) {
        const ButtonDesign& d = barDesign[i];
        Command1[i] = new CommandButton(QString::fromUtf8(d.caption), this);
        placeTwips(Command1[i], d.left, d.top, d.width, d.height);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { command1Click(i); });
    }

    auto button = [this](const char* caption, double l, double t, double w, double h) {
        auto* b = new CommandButton(QString::fromUtf8(caption), this);
        placeTwips(b, l, t, w, h);
        return b;
    };
    // The pattern buttons and their timers, from the pattern table.
    for (const PatternDesign& row : patternTable) {
        const PatternKind kind = row.kind;
        CommandButton* b = button(row.caption, row.left, row.top, row.width, row.height);
        buttonOf(kind) = b;
        connect(b, &QPushButton::clicked, this, [this, kind] { patternButton(*this, kind); });
        if (QTimer* timer = timerOf(kind))
            connect(timer, &QTimer::timeout, this, [this, kind] { patternTick(*this, kind); });
    }
    Command10 = button("全屏", 120, 4320, 612, 372);
    connect(Command10, &QPushButton::clicked, this, [this] { command10Click(); });
    Command8 = button("雨", 120, 5160, 372, 372);
    connect(Command8, &QPushButton::clicked, this, [this] { command8Click(); });
    Command11 = button("图像采集", 14640, 960, 372, 1212);
    Command9 = button("图像采集", 15120, 960, 372, 1212);
    const std::array<const char*, 3> captureCaptions = {"图像采集", "图像比较", "图像叠加"};
    for (int i = 0; i < 3; ++i) {
        Command12[i] =
            button(captureCaptions[i], 14880, 1680 + 1800 * i - (i == 2 ? 360 : 0), 372, 1212);
        connect(Command12[i], &QPushButton::clicked, this, [this, i] { command12Click(*this, i); });
    }
    connect(Command11, &QPushButton::clicked, this, [this] { command11Click(*this); });
    connect(Command9, &QPushButton::clicked, this, [this] { command9Click(*this); });

    for (int i = 0; i < 4; ++i) {
        Text1[i] = new TextBox(false, this);
        placeTwips(Text1[i], i < 2 ? 11280 : 13560, i % 2 == 0 ? 0 : 480, 975, 495);
    }
    Text2 = new TextBox(true, this);
    Text2->setText(QStringLiteral("Quorin\r\n"));
    placeTwips(Text2, 0, 5640, 615, 1812);
    Text3 = new TextBox(false, this);
    placeTwips(Text3, 0, 7320, 612, 1104);

    Label1 = new ClickLabel(QStringLiteral("采集分辨率：X×Y"), this);
    placeTwips(Label1, 12240, 120, 1332, 852);

    connect(&Timer1, &QTimer::timeout, this, [this] { timer1Tick(); });
    connect(&Timer12, &QTimer::timeout, this, [this] { timer12Tick(); });
    connect(&Timer13, &QTimer::timeout, this, [this] { freehandSample(*this); });
    connect(&Timer14, &QTimer::timeout, this, [this] { strokeReplayTick(*this); });
    connect(&Timer8, &QTimer::timeout, this, [this] { autoCycleStart(*this); });
    connect(&Timer9, &QTimer::timeout, this, [this] { autoCycleStep(*this); });
    connect(&Timer10, &QTimer::timeout, this, [this] { autoplayCycleStart(*this); });
    connect(&Timer11, &QTimer::timeout, this, [this] { autoplayCycleStep(*this); });
    connect(Text2, &TextBox::clicked, this, [this] { text2Click(*this); });
    connect(Text2, &TextBox::keyPressed, this, [this](int ch) { text2Key(*this, ch); });
    connect(Text1[3], &TextBox::keyPressed, this, [this](int ch) { text1Key3(*this, ch); });
    // A press on either transform field makes both editable again.
    for (int i : {2, 3})
        connect(Text1[i], &TextBox::pressed, this, [this] {
            Text1[2]->setLocked(false);
            Text1[3]->setLocked(false);
        });
    connect(&Timer17, &QTimer::timeout, this, [this] { timer17Tick(); });
    connect(&Timer18, &QTimer::timeout, this, [this] { timer18Tick(); });
    Timer17.start();
    Timer18.start();
}

// Load defaults, in their designed order.
void CanvasWindow::load() {
    SharedState& s = state();
    s.screenSaverMode = false;
    Label1->hide();
    s.rainStarted = false;
    for (TextBox* t : {Text2, Text3, Text1[0], Text1[1], Text1[2], Text1[3]})
        t->setBackColor(rgb(168, 221, 155));
    s.barFullScreen = false;
    s.drawingMode = false;
    Image1->hide();
    s.zeroStrokeCounters();
    layOutAtLoad(*this);
    Command1[4]->show();
    Command1[5]->hide();
    for (const PatternDesign& row : patternTable)
        buttonOf(row.kind)->setBackColor(colors::buttonCream);
    for (CommandButton* b :
         {Command8, Command9, Command10, Command11, Command12[1], Command12[2], Command12[0]})
        b->setBackColor(colors::buttonCream);
    for (CommandButton* b : Command1)
        b->setBackColor(colors::buttonCream);
    for (QWidget* w : {static_cast<QWidget*>(Command1[19]), static_cast<QWidget*>(Command1[21]),
                       static_cast<QWidget*>(Command11), static_cast<QWidget*>(Command12[1]),
                       static_cast<QWidget*>(Command12[2]), static_cast<QWidget*>(Command12[0])})
        w->hide();
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colors::panelGreen));
    setPalette(pal);
    swatches().setPaper(rgb(208, 208, 192));
    Picture1->setBackColor(colors::black);
    Command1[20]->hide();
}

void CanvasWindow::unloadHandler() {
    SharedState& s = state();
    for (QTimer* t : timers())
        t->stop();
    if (s.interceptMode) {
        s.interceptMode = false;
        s.angleTransformArmed = false;
        if (s.hideAnimationButtons)
            s.hideAnimationButtons = false;
    }
}

void CanvasWindow::escPressed() {
    SharedState& s = state();
    if (s.fullScreen) {
        s.fullScreen = false;
        s.keepPicture = false;
        host_.unloadCanvas();
    } else if (s.interceptMode) {
        s.interceptMode = false;
        s.angleTransformArmed = false;
        host_.unloadCanvas();
    }
    if (s.screenSaverMode) {
        s.screenSaverMode = false;
        host_.showMainWindow();
    }
}

void CanvasWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isDead() && !resizeIsQuiet())
        resizeHandler();
}

void CanvasWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placing_ = true;
}

// A window manager frames and places a new window after it is shown: a canvas
// it puts partly off the screen comes wholly onto it, and a canvas sized to
// the screen before its frame was known is fitted again (the resize raises
// the resize rule as any other does). Later moves are the user's.
void CanvasWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isDead())
        return;
    if (placing_ && frameGeometry() != geometry()) {
        placing_ = false;
        moveWithinScreen(*this);
    }
    const QSize before = size();
    if (!keepWithinScreen(*this))
        return;
    // A picture that filled the client area keeps filling it.
    for (QWidget* w : {static_cast<QWidget*>(Picture1), static_cast<QWidget*>(Image1)})
        if (w->pos() == QPoint(0, 0) && w->size() == before)
            w->resize(size());
}

// Closing the canvas by its frame unloads it like a launcher does. When the
// main window was hidden (the start-up display), it comes back as it would
// after Esc, so the program is never left without a window.
void CanvasWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (isDead())
        return;
    const bool mainHidden = !host_.mainWindowVisible() && !host_.mainWindowClosing();
    host_.unloadCanvas();
    if (mainHidden) {
        state().screenSaverMode = false;
        host_.showMainWindow();
    }
}

// The full-screen branch resizes the window itself; the resize event that
// raises must not run the rule again.
void CanvasWindow::resizeHandler() {
    if (inResize_)
        return;
    inResize_ = true;
    applyResizeRule(*this);
    inResize_ = false;
}

void CanvasWindow::command1Click(int index) {
    runCommandBar(*this, index);
}
void CanvasWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && childAt(event->pos()) == nullptr)
        surfaceClick();
    QWidget::mouseReleaseEvent(event);
}

void CanvasWindow::surfaceClick() {
    jiajian(*this);
}

void CanvasWindow::command3Click() {
    patternButton(*this, PatternKind::Gold);
}
void CanvasWindow::command5Click() {
    patternButton(*this, PatternKind::Growth);
}
void CanvasWindow::command8Click() {
    rain(*this);
}
void CanvasWindow::picture1Click() {
    clickPlot(*this);
}
void CanvasWindow::command10Click() {
    fullScreenCommand(*this);
}

// Ctrl shortcuts, only on a full-screen canvas whose picture is kept.
void CanvasWindow::picture1KeyDown(int key, int shift) {
    const SharedState& s = state();
    if (shift != 2 || !s.fullScreen || !s.keepPicture)
        return;
    switch (key) {
    case 83: // S
        savephoto(*this);
        break;
    case 72: // H
        huahua(*this);
        break;
    case 74: // J
        jiajian(*this);
        break;
    case 76: // L
        cxqh(*this);
        break;
    case 65: // A
        autop(*this);
        break;
    case 73: // I
        inputres(*this);
        break;
    case 79: // O
        outsave(*this);
        break;
    default:
        break;
    }
}

void CanvasWindow::picture1KeyPress(int character) {
    if (character == 27)
        escPressed();
}

void CanvasWindow::timer1Tick() {
    previewStepTick(*this);
}
void CanvasWindow::timer12Tick() {
    previewFolderTick(*this);
}

// The start-up display: left alone with the main window hidden, the canvas
// takes the whole screen.
void CanvasWindow::timer17Tick() {
    if (host_.mainWindowVisible() || !isVisible())
        return;
    command10Click();
    state().screenSaverMode = true;
    Timer17.stop();
}

// 生 then 金: one command, which a stop request ends as a whole.
void CanvasWindow::timer18Tick() {
    if (!state().screenSaverMode)
        return;
    Timer18.stop();
    command5Click();
    if (!mustStop())
        command3Click();
}

bool CanvasWindow::asksToStop(const QWidget* target, const QEvent& event) const {
    switch (event.type()) {
    case QEvent::Close:
        return true;
    case QEvent::KeyPress:
        return static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
    case QEvent::MouseButtonPress:
        return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton &&
               isRunningPatternButton(*this, target);
    default:
        return false;
    }
}

} // namespace quorin
