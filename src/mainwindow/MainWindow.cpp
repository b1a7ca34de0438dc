#include "mainwindow/MainWindow.h"
#include "core/CanvasModes.h"
#include "core/ParameterRecords.h"
#include "motion/DeriveCommand.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "plottools/PictureTools.h"
#include "plottools/VideoPlayback.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include <QCloseEvent>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <utility>

namespace quorin {

namespace {

struct Place {
    double left, top, width, height;
};

// Designed captions of Label1(0) .. Label1(17).
const std::array<const char*, 18> labelCaptions = {
    "半径r(mm)=",
    "水平风速VFx=",
    "水平初速Vx0=",
    "垂直风速VFy=",
    "垂直初速Vy0=",
    "垂直位移Hy =",
    "水平位移Hx =",
    "速率V =",
    "水平速度Vx =",
    "垂直速度Vy =",
    "飞行时间t =",
    "路程H =",
    "物质相对水的密度   P =",
    "特殊时刻 T =",
    "阻力为 =",
    "反导角度ф =",
    "目标坐标（X,Y）",
    "拦截误差设定值（%）：",
};

// Designed texts and places of Text1(0) .. Text1(17) (left, top as designed;
// sizes chosen to hold a 20-point number).
struct FieldDesign {
    const char* text;
    Place place;
};
const std::array<FieldDesign, 18> fieldDesigns = {{
    {"1", {1440, 240, 1700, 555}},
    {"1", {1440, 1680, 1700, 555}},
    {"1", {1440, 960, 1700, 555}},
    {"1", {4560, 960, 1700, 555}},
    {"1", {4560, 1680, 1700, 555}},
    {"?", {960, 3840, 2200, 555}},
    {"?", {960, 4680, 2200, 555}},
    {"?", {960, 5520, 2200, 555}},
    {"?", {960, 6360, 2200, 555}},
    {"?", {4200, 6360, 2400, 555}},
    {"1", {1440, 2640, 1700, 555}},
    {"", {960, 7920, 5600, 1260}},
    {"？", {4200, 5520, 2400, 555}},
    {"1", {4560, 240, 1700, 555}},
    {"?", {6720, 7080, 1500, 555}},
    {"0", {1680, 7080, 1500, 555}},
    {"0", {3480, 7080, 1500, 555}},
    {"1", {10680, 7080, 1200, 555}},
}};

// Each label stands left of its field; the pairing is not index to index.
const std::array<Place, 18> labelPlaces = {{
    {60, 240, 1320, 555},    // 0 半径 -> Text1(0)
    {60, 960, 1320, 555},    // 1 水平风速 -> Text1(2)
    {60, 1680, 1320, 555},   // 2 水平初速 -> Text1(1)
    {3200, 960, 1300, 555},  // 3 垂直风速 -> Text1(3)
    {3200, 1680, 1300, 555}, // 4 垂直初速 -> Text1(4)
    {0, 4680, 900, 555},     // 5 垂直位移 -> Text1(6)
    {0, 3840, 900, 555},     // 6 水平位移 -> Text1(5)
    {3220, 6360, 920, 555},  // 7 速率 -> Text1(9)
    {0, 5520, 900, 555},     // 8 水平速度 -> Text1(7)
    {0, 6360, 900, 555},     // 9 垂直速度 -> Text1(8)
    {60, 2640, 1320, 555},   // 10 飞行时间 -> Text1(10)
    {3220, 5520, 920, 555},  // 11 路程 -> Text1(12)
    {3200, 240, 1300, 555},  // 12 密度 -> Text1(13)
    {0, 7920, 900, 1260},    // 13 特殊时刻 -> Text1(11)
    {4200, 4680, 2400, 555}, // 14 阻力为 (no field)
    {5040, 7080, 1620, 555}, // 15 反导角度 -> Text1(14)
    {60, 7080, 1560, 555},   // 16 目标坐标 -> Text1(15), Text1(16)
    {8280, 7080, 2340, 555}, // 17 拦截误差 -> Text1(17)
}};

constexpr ColorValue fieldGreen = rgb(158, 239, 158);

} // namespace

MainWindow::MainWindow(MainWindowHost& host, SharedState& state, const Services& services)
    : QWidget(nullptr), host_(host), state_(state), services_(services) {
    setWindowTitle(QStringLiteral("风雨同路，一往无前"));
    setFixedSize(twipsToPixels(15732), twipsToPixels(9300));
    createControls();
    load();
}

MainWindow::~MainWindow() {
    Timer3.stop();
    Timer4.stop();
    VideoNotice.stop();
    WindowsMediaPlayer1.reset();
    state_.swatches.onChange = nullptr;
}

QString MainWindow::fieldText(int index) const {
    return index >= 0 && index < MainFields::count ? Text1[index]->text() : QString();
}

void MainWindow::setFieldText(int index, const QString& text) {
    if (index >= 0 && index < MainFields::count)
        Text1[index]->setText(text);
}

void MainWindow::hideDragLabel() {
    Label1[14]->hide();
}

ColorValue MainWindow::paperColor() const {
    return state_.swatches.paper();
}

void MainWindow::createControls() {
    for (int i = 0; i < 18; ++i) {
        Label1[i] = new ClickLabel(QString::fromUtf8(labelCaptions[i]), this);
        const Place& p = labelPlaces[i];
        placeTwips(Label1[i], p.left, p.top, p.width, p.height);
        connect(Label1[i], &ClickLabel::clicked, this, [this, i] { label1Click(i); });
    }
    for (int i = 0; i < 18; ++i) {
        Text1[i] = new TextBox(i == 11, this);
        const FieldDesign& f = fieldDesigns[i];
        Text1[i]->setText(QString::fromUtf8(f.text));
        placeTwips(Text1[i], f.place.left, f.place.top, f.place.width, f.place.height);
        connect(Text1[i], &TextBox::clicked, this, [this, i] { text1Click(i); });
        connect(Text1[i], &TextBox::doubleClicked, this, [this, i] { text1DoubleClick(i); });
    }
    for (int i : {7, 8, 9, 12, 14})
        Text1[i]->setEnabled(false);

    Command1 = new CommandButton(QStringLiteral("推导计算"), this);
    placeTwips(Command1, 9600, 240, 1455, 495);
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });

    const std::array<const char*, 2> swatches = {"纸的颜色", "彩笔"};
    for (int i = 0; i < 2; ++i) {
        Command6[i] = new CommandButton(QString::fromUtf8(swatches[i]), this);
        placeTwips(Command6[i], 2640 + 600 * i, 2400, 495, 1215);
        Command6[i]->hide();
    }
    state_.swatches.onChange = [this] {
        Command6[0]->setBackColor(state_.swatches.paper());
        Command6[1]->setBackColor(state_.swatches.pen());
    };

    // The launchers, left to right.
    const std::array<std::pair<CommandButton**, CanvasMode>, 6> launchers = {{
        {&Command8, CanvasMode::Drop},
        {&Command9, CanvasMode::Intercept},
        {&Command10, CanvasMode::Math},
        {&Command11, CanvasMode::Compare},
        {&Command12, CanvasMode::Freehand},
        {&Command13, CanvasMode::Overlay},
    }};
    for (int i = 0; i < 6; ++i) {
        const auto [button, mode] = launchers[i];
        *button = new CommandButton(QString::fromUtf8(canvasModeRow(mode).caption), this);
        placeTwips(*button, 6720 + 1080 * i, 7800, 492, 1332);
        connect(*button, &QPushButton::clicked, this, [this, mode] { host_.launch(mode); });
    }
    Command14 = new CommandButton(QStringLiteral("视频播放"), this);
    placeTwips(Command14, 13200, 7800, 492, 1332);
    connect(Command14, &QPushButton::clicked, this, [this] { command14Click(); });

    Picture1 = new PictureBox(this);
    placeTwips(Picture1, 6840, 960, 6960, 4320);
    // The designed picture of the plot area; skipped quietly when absent.
    Picture1->loadPicture(services().folder.picture(QStringLiteral("plot580x360.jpg")));
    Picture1->setAutoRedraw(true);
    connect(Picture1, &PictureBox::clicked, this, [this] { picture1Click(); });
    connect(Picture1, &PictureBox::doubleClicked, this, [this] { picture1DoubleClick(); });

    Image1 = new ImageBox(this);
    placeTwips(Image1, 14640, 8520, 852, 612);
    Image1->setStretch(true);
    connect(Image1, &ImageBox::clicked, this, [this] { image1Click(); });

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setRange(0, 32767);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { hScroll1Change(); });

    if (services().makeMediaPlayer)
        WindowsMediaPlayer1 = services().makeMediaPlayer(this);
    if (WindowsMediaPlayer1) {
        WindowsMediaPlayer1->onClick = [this](int button) { playerClick(button); };
        WindowsMediaPlayer1->onError = [this](const QString& file) { playerError(file); };
    }

    Timer3.setInterval(618);
    connect(&Timer3, &QTimer::timeout, this, [this] { timer3Tick(); });
    Timer4.setInterval(1000);
    connect(&Timer4, &QTimer::timeout, this, [this] { timer4Tick(); });
    VideoNotice.setInterval(100);
    connect(&VideoNotice, &QTimer::timeout, this, [this] { videoNoticeTick(); });
    Timer4.start();
}

// Start-up, in its designed order.
void MainWindow::load() {
    // The position bar and its clock come back only with a video.
    HScroll1->hide();
    Timer3.stop();
    state().simulationMode = false;
    // Previous records go to the backups.
    const ProgramFolder& folder = services().folder;
    // One that has grown too large to move stays, and its user is told once,
    // before the window shows.
    for (const auto& [record, backup] :
         {std::pair{"tree.txt", "treebackup.txt"}, std::pair{"treego.txt", "treegobackup.txt"}}) {
        const QString path = folder.ownFile(QString::fromLatin1(record));
        if (!rotateRecordFile(path, folder.ownFile(QString::fromLatin1(backup))) &&
            tooLargeToRead(path))
            services().dialogs.message(
                tooLargeMessage(path) +
                    QStringLiteral("\r\n这个记录文件没有移入备份文件 %1，新的记录仍会追加在它后面；"
                                   "请把它移走或删去。")
                        .arg(QString::fromLatin1(backup)),
                MessageButtons::Ok, QStringLiteral("Quorin"));
    }
    // A missing 22.bmp leaves the image empty.
    Image1->loadPicture(folder.picture(QStringLiteral("22.bmp")));
    state().penColor = colors::blue;
    // Colours of the buttons, the swatches and the window.
    Command1->setBackColor(colors::buttonCream);
    state().swatches.setPaper(rgb(146, 197, 198));
    state().swatches.setPen(colors::buttonCream);
    for (CommandButton* b :
         {Command8, Command9, Command10, Command11, Command12, Command13, Command14})
        b->setBackColor(colors::buttonCream);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colors::panelGreen));
    setPalette(pal);
    // Labels on the window's green, fields in their own green, large.
    for (ClickLabel* l : Label1)
        l->setBackColor(colors::panelGreen);
    for (TextBox* t : Text1) {
        t->setBackColor(fieldGreen);
        t->setFontSize(20);
    }
    // The special-moment label shows; the drag label only during a derive.
    Label1[13]->show();
    Label1[14]->hide();
    // The player sits over the plot, the bar just under it.
    const QRect plot = Picture1->geometry();
    if (WindowsMediaPlayer1) {
        WindowsMediaPlayer1->setVisible(false);
        WindowsMediaPlayer1->setGeometry(plot);
    }
    HScroll1->setGeometry(plot.left(), plot.top() + plot.height() + twipsToPixels(30), plot.width(),
                          HScroll1->sizeHint().height());
}

// One second after start: open the canvas in its drawing mode and let it take
// the screen. Runs once.
void MainWindow::timer4Tick() {
    if (host_.canvasVisible() || !isVisible())
        return;
    host_.launch(CanvasMode::Math);
    host_.showCanvas();
    hide();
    Timer4.stop();
}

void MainWindow::windowClick() {
    Picture1->setBackColor(colors::panelGreen);
    Picture1->loadPicture(services().folder.picture(QStringLiteral("IMG1463A.jpg")));
    Picture1->setAutoRedraw(false);
}

void MainWindow::image1Click() {
    host_.showCanvas();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && childAt(event->pos()) == nullptr)
        windowClick();
    QWidget::mouseReleaseEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closing = true; // commands waiting inside a handler stop after their wait
    Timer3.stop();
    Timer4.stop();
    VideoNotice.stop();
    host_.unloadCanvas();
    event->accept();
}

// The commands of the plot and the video live with their features; they see
// the window through these.
PlotEnv MainWindow::plotEnv() {
    return {*this,  *Label1[14], *Picture1, WindowsMediaPlayer1.get(),
            state_, services_,   closing,   foreColor};
}

VideoEnv MainWindow::videoEnv() {
    return {WindowsMediaPlayer1.get(),
            *HScroll1,
            Timer3,
            *Picture1,
            state_,
            services_.dialogs,
            videoPaused,
            closing,
            videoFile,
            failedVideos,
            VideoNotice};
}

void MainWindow::command1Click() {
    PlotEnv env = plotEnv();
    deriveAndPlot(env);
}
void MainWindow::picture1Click() {
    PlotEnv env = plotEnv();
    replayDrop(env);
}
void MainWindow::picture1DoubleClick() {
    clearPlot(*Picture1);
}
void MainWindow::label1Click(int) {
    savePlot(*Picture1, services_);
}
void MainWindow::text1Click(int index) {
    if (index >= 0 && index <= 13)
        Text1[index]->setBackColor(rgb(239, 239, 158));
}
void MainWindow::text1DoubleClick(int index) {
    if (index >= 0 && index <= 13)
        Text1[index]->setText(QString());
}
void MainWindow::command14Click() {
    VideoEnv env = videoEnv();
    startVideo(env);
}
void MainWindow::hScroll1Change() {
    VideoEnv env = videoEnv();
    seekVideo(env);
}
void MainWindow::timer3Tick() {
    VideoEnv env = videoEnv();
    followVideo(env);
}
void MainWindow::playerClick(int button) {
    VideoEnv env = videoEnv();
    toggleVideoPause(env, button);
}
void MainWindow::playerError(const QString& file) {
    VideoEnv env = videoEnv();
    noteVideoFailure(env, file);
}
void MainWindow::videoNoticeTick() {
    if (host_.commandSuspended())
        return; // the notice ticks again
    VideoEnv env = videoEnv();
    tellVideoFailures(env);
}

} // namespace quorin
