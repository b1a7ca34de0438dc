#include "canvas/Freehand.h"
#include "canvas/Interception.h"
#include "core/CanvasMotion.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include "state/MainFields.h"
#include "state/SharedState.h"

namespace quorin {

namespace {

constexpr ColorValue white = rgb(255, 255, 255);

// The tables are full: the drawing goes on, unrecorded; the user hears it once
// per drawing session.
void tellStrokesFull(StrokeEnv& canvas) {
    if (canvas.strokesFullTold)
        return;
    canvas.strokesFullTold = true;
    tellDrawing(canvas, QString::fromUtf8(strokesFullMessage));
}

bool strokeTablesFull(const SharedState& s) {
    return s.strokeCount > strokeLimit;
}

// The colour under the pointer; outside the picture, white.
ColorValue colourAt(StrokeEnv& canvas, double x, double y) {
    const ColorValue c = canvas.Picture1->point(x, y);
    return c < 0 ? white : c;
}

} // namespace

void tellDrawing(CanvasSurface& canvas, const QString& text) {
    canvas.services().dialogs.message(text, MessageButtons::Ok, QString::fromUtf8(strokesTitle));
}

void freehandPress(StrokeEnv& canvas, int button, int, double x, double y) {
    if (button != 1)
        return;
    SharedState& s = canvas.state();
    MainFields& main = canvas.mainFields();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (!s.drawingMode) {
        canvas.Text1[0]->setText(singleToText(fx));
        canvas.Text1[1]->setText(singleToText(fy));
        main.setFieldText(15, singleToText(fx));
        main.setFieldText(16, singleToText(fy));
        if (s.angleTransformArmed)
            bianhuanjiaodu(canvas);
        return;
    }
    canvas.zx = fx;
    canvas.zy = fy;
    main.setFieldText(15, singleToText(fx));
    main.setFieldText(16, singleToText(fy));
    if (strokeTablesFull(s)) {
        tellStrokesFull(canvas);
    } else {
        const auto stroke = tableIndex(s.strokeCount), point = tableIndex(s.pointCount);
        s.strokeX.set(stroke, point, canvasround::wc(canvas.zx));
        s.strokeY.set(stroke, point, canvasround::wc(canvas.zy));
    }
    canvas.Timer13.start();
    canvas.Picture1->pset(canvas.zx, canvas.zy, canvas.yaa);
}

void freehandSample(StrokeEnv& canvas) {
    SharedState& s = canvas.state();
    const double x = val(canvas.Text1[0]->text()), y = val(canvas.Text1[1]->text());
    // A full stroke (or full tables) stops recording; the line is still drawn,
    // so what the user sees is the whole drawing.
    if (strokeTablesFull(s) || s.pointCount >= strokeLimit) {
        tellStrokesFull(canvas);
    } else {
        s.pointCount += 1;
        const auto stroke = tableIndex(s.strokeCount), point = tableIndex(s.pointCount);
        s.strokeX.set(stroke, point, x);
        s.strokeY.set(stroke, point, y);
        s.strokeColor.set(stroke, point, canvas.yaa);
        s.strokeWidth.set(stroke, point, canvas.Picture1->drawWidth());
    }
    canvas.Picture1->lineTo(x, y, canvas.yaa);
}

void freehandMove(StrokeEnv& canvas, int, int, double x, double y) {
    canvas.Text1[0]->setText(singleToText(static_cast<float>(x)));
    canvas.Text1[1]->setText(singleToText(static_cast<float>(y)));
    if (canvas.state().captureMode)
        return;
    const ColorValue c = colourAt(canvas, x, y);
    canvas.Text3->setBackColor(c);
    canvas.Text2->setText(QString::number(redOf(c)) + QStringLiteral("__") +
                          QString::number(greenOf(c)) + QStringLiteral("__") +
                          QString::number(blueOf(c)));
}

void freehandRelease(StrokeEnv& canvas, int button, int shift, double x, double y) {
    SharedState& s = canvas.state();
    if (button == 1 && s.drawingMode) {
        canvas.Timer13.stop();
        canvas.zx = static_cast<float>(x);
        canvas.zy = static_cast<float>(y);
        if (!strokeTablesFull(s)) {
            s.strokeCount += 1;
            s.strokePointCount.set(tableIndex(s.strokeSlot), s.pointCount);
            s.strokeGroupEnd.set(tableIndex(s.strokeGroupIndex), s.strokeCount);
            s.strokeSlot += 1;
        }
        s.pointCount = 0;
    }
    if (button == 2 && shift == 2 && s.drawingMode) {
        canvas.yaa = colourAt(canvas, x, y);
        tellDrawing(canvas, QStringLiteral("通过右键单击，获取像素值，将用此像素值作画。"));
    }
}

void setDrawingPointer(CanvasSurface& canvas, bool drawing) {
    canvas.Picture1->setCursor(drawing ? Qt::CrossCursor : Qt::ArrowCursor);
}

void huahua(StrokeEnv& canvas) {
    SharedState& s = canvas.state();
    if (s.drawingMode) {
        s.drawingMode = false;
        setDrawingPointer(canvas, false);
        s.zeroStrokeCounters();
        canvas.strokesFullTold = false;
        canvas.Command1[14]->setBackColor(modeOffColor);
    } else {
        canvas.Picture1->setDrawWidth(2);
        s.drawingMode = true;
        setDrawingPointer(canvas, true);
        canvas.Command1[14]->setBackColor(modeOnColor);
    }
}

void jiajian(StrokeEnv& canvas) {
    SharedState& s = canvas.state();
    if (s.simulationMode && !s.drawingMode) {
        // The click plot starts again from the origin, without chords.
        canvas.zx = 0;
        canvas.zy = 0;
        s.replayPanY = 0;
        s.replayPanX = 0;
        canvas.huaxian = false;
    } else if (!s.drawingMode) {
        return;
    }
    const Answer a = canvas.services().dialogs.message(
        QStringLiteral(
            "是否要增加划线的宽度，如果选择“是”，则 线宽加1；如果选择“否”，则 线宽减1。"),
        MessageButtons::YesNo, QStringLiteral("Quorin"));
    if (canvas.mustStop())
        return;
    PictureBox& pic = *canvas.Picture1;
    if (a == Answer::Yes && pic.drawWidth() < 70)
        pic.setDrawWidth(pic.drawWidth() + 1);
    else if (a == Answer::No && pic.drawWidth() > 1)
        pic.setDrawWidth(pic.drawWidth() - 1);
}

} // namespace quorin
