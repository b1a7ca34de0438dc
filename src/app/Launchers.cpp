#include "app/Launchers.h"
#include "app/Program.h"
#include "canvas/CanvasBackgrounds.h"
#include "canvas/CanvasWindow.h"
#include "canvas/Interception.h"
#include "mainwindow/MainWindow.h"
#include <vector>

namespace quorin {

const char* const compareAdviceText =
    "在首次图像比较之前，请将需要比较的2张图片，通过“图像保存”按钮，重新保存一遍，否则，可能由于电"
    "脑屏幕尺寸的差异，导致比较失败。";

namespace {

enum Mode { Math, Drop, Intercept, Compare, Freehand, Overlay };

// Which canvas controls each mode shows: S shows, H hides, h leaves the
// control as the canvas load set it (hidden).
struct VisibilityRow {
    QWidget* (*control)(CanvasWindow&);
    const char* modes; // one letter per mode, in the order of Mode
};

template <int I> QWidget* bar(CanvasWindow& c) {
    return c.Command1[I];
}
template <int I> QWidget* capture(CanvasWindow& c) {
    return c.Command12[I];
}
template <int I> QWidget* field(CanvasWindow& c) {
    return c.Text1[I];
}

const std::vector<VisibilityRow>& visibilityTable() {
    static const std::vector<VisibilityRow> rows = {
        {bar<0>, "HSHHHH"},
        {bar<1>, "SSHHSH"},
        {bar<2>, "SSHHSH"},
        {bar<3>, "SSHSSS"},
        {bar<4>, "HSHHHH"},
        {bar<5>, "HSHHHH"},
        {bar<6>, "SSHSSS"},
        {bar<7>, "SSHSSS"},
        {bar<8>, "HSHHHH"},
        {bar<9>, "HSHSSS"},
        {bar<10>, "HHHHHH"},
        {bar<11>, "HSHHSH"},
        {bar<12>, "HSHHHH"},
        {bar<13>, "HHHHHH"},
        {bar<14>, "HHHHSH"},
        {bar<15>, "HHHHSH"},
        {bar<16>, "HHHHSH"},
        {bar<17>, "HHHHSH"},
        {bar<18>, "HHHHHH"},
        {bar<19>, "hhhHSH"},
        {bar<20>, "hhhHSS"},
        {bar<21>, "hhhhSh"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command2; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command3; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command4; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command5; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command6; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command7; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command8; }, "HHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command9; }, "HHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command10; }, "SHHHHH"},
        {[](CanvasWindow& c) -> QWidget* { return c.Command11; }, "hhhShH"},
        {capture<0>, "HHHHHS"},
        {capture<1>, "HHHHHS"},
        {capture<2>, "HHHHHS"},
        {field<0>, "HSHHHH"},
        {field<1>, "HSHHHH"},
        {field<2>, "HSHSSS"},
        {field<3>, "HSHSSS"},
        {[](CanvasWindow& c) -> QWidget* { return c.Text2; }, "HHHSSS"},
        {[](CanvasWindow& c) -> QWidget* { return c.Text3; }, "HHHSSS"},
        {[](CanvasWindow& c) -> QWidget* { return c.Label1; }, "hhhShS"},
    };
    return rows;
}

void applyVisibility(CanvasWindow& canvas, Mode mode) {
    for (const VisibilityRow& row : visibilityTable()) {
        const char v = row.modes[mode];
        if (v == 'S')
            row.control(canvas)->show();
        else if (v == 'H')
            row.control(canvas)->hide();
    }
}

// Steps 1 and 2 of every launcher but 反导模拟: leave interception mode and
// start from a freshly loaded canvas.
void leaveInterceptionAndReload(Program& program) {
    SharedState& s = program.state();
    if (s.interceptMode) {
        s.interceptMode = false;
        s.angleTransformArmed = false;
        program.unloadCanvas();
    }
    program.unloadCanvas();
}

void fillFields(MainWindow& main, const std::array<const char*, 7>& values) {
    // Radius, density, Vx0, VFx, VFy, Vy0, flight time, in this order.
    const std::array<int, 7> order = {0, 13, 1, 2, 3, 4, 10};
    for (int i = 0; i < 7; ++i)
        main.Text1[order[i]]->setText(QString::fromLatin1(values[i]));
}

void showAdvice(Program& program) {
    // Shown under the program's own name, its default message title.
    program.services().dialogs.message(QString::fromUtf8(compareAdviceText), MessageButtons::Ok,
                                       QStringLiteral("Quorin"));
}

} // namespace

void launchMathDrawing(Program& program) {
    leaveInterceptionAndReload(program);
    SharedState& s = program.state();
    CanvasWindow& canvas = program.canvas();
    MainWindow& main = program.mainWindow();
    s.mathDrawingLayout = true;
    applyVisibility(canvas, Math);
    fillFields(main, {"1", "1", "1", "1", "1", "1", "1"});
    canvas.Command2->show();
    canvas.Command10->show();
    canvas.Command10->setBackColor(55488);
    for (CommandButton* b :
         {canvas.Command3, canvas.Command4, canvas.Command5, canvas.Command6, canvas.Command7})
        b->show();
    canvas.Command8->hide();
    canvas.Command9->hide();
    for (TextBox* t : canvas.Text1)
        t->hide();
    canvas.Text2->hide();
    canvas.Text3->hide();
    s.simulationMode = false;
    canvas.show();
    canvas.setWindowTitle(QStringLiteral("数学画画"));
}

void launchDropSimulation(Program& program) {
    leaveInterceptionAndReload(program);
    SharedState& s = program.state();
    CanvasWindow& canvas = program.canvas();
    s.mathDrawingLayout = false;
    applyVisibility(canvas, Drop);
    s.angleTransformArmed = false;
    s.simulationMode = true;
    s.captureMode = false;
    canvas.show();
    canvas.setWindowTitle(QStringLiteral("Quorin模拟"));
}

void launchInterception(Program& program) {
    SharedState& s = program.state();
    const bool freshStart = !s.interceptMode;
    if (freshStart)
        program.unloadCanvas();
    CanvasWindow& canvas = program.canvas();
    MainWindow& main = program.mainWindow();
    s.mathDrawingLayout = false;
    s.simulationMode = true;
    for (int i = 0; i <= 18; ++i)
        canvas.Command1[i]->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{
             canvas.Command12[1], canvas.Command12[2], canvas.Command12[0], canvas.Command2,
             canvas.Command3, canvas.Command4, canvas.Command5, canvas.Command6, canvas.Command7,
             canvas.Command8, canvas.Command9, canvas.Command10, canvas.Text1[0], canvas.Text1[1],
             canvas.Text1[2], canvas.Text1[3], canvas.Text2, canvas.Text3})
        w->hide();
    if (freshStart) {
        fillFields(main, {"50", "7", "700", "1", "1", "-700", "10"});
        s.drawingMode = false;
        s.angleTransformArmed = false;
        canvas.show();
        daotu(canvas);
    }
    sales(canvas);
    canvas.huatuo = false;
    s.angleTransformArmed = true;
    canvas.setWindowState(Qt::WindowNoState);
    canvas.setWindowTitle(QStringLiteral("反导模拟"));
    s.interceptMode = true;
}

void launchImageCompare(Program& program) {
    leaveInterceptionAndReload(program);
    SharedState& s = program.state();
    CanvasWindow& canvas = program.canvas();
    s.simulationMode = false;
    s.captureMode = false;
    s.hideAnimationButtons = true;
    canvas.show();
    canvas.Label1->show();
    applyVisibility(canvas, Compare);
    hai(canvas);
    showAdvice(program);
}

void launchFreehandDrawing(Program& program) {
    leaveInterceptionAndReload(program);
    SharedState& s = program.state();
    CanvasWindow& canvas = program.canvas();
    s.simulationMode = false;
    s.hideAnimationButtons = true;
    canvas.show();
    applyVisibility(canvas, Freehand);
    zhihuaxiang(canvas);
}

void launchImageOverlay(Program& program) {
    leaveInterceptionAndReload(program);
    SharedState& s = program.state();
    CanvasWindow& canvas = program.canvas();
    s.simulationMode = false;
    s.captureMode = false;
    s.hideAnimationButtons = true;
    canvas.show();
    canvas.Label1->show();
    applyVisibility(canvas, Overlay);
    hai3(canvas);
    showAdvice(program);
}

} // namespace quorin
