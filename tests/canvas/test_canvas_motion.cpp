#include "animation/Rain.h"
#include "canvas/CommandBar.h"
#include "core/CanvasMotion.h"
#include "core/PlotSampling.h"
#include "motion/CanvasModel.h"
#include "motion/CanvasPlot.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <set>

namespace quorin {
namespace {

using test::CanvasTest;

// Fields in memory, counting the writes to the special-moments box.
struct CountingFields final : MainFields {
    QString fieldText(int i) const override { return text.at(i); }
    void setFieldText(int i, const QString& t) override {
        text[i] = t;
        writes += i == 11;
    }
    void hideDragLabel() override {}
    std::array<QString, 18> text;
    int writes = 0;
};

TEST(CanvasModel, CopiesOfTheModelEqualItBitForBit) {
    CountingFields f;
    for (double vy0 : {-3.0, 0.0, 2.0})
        for (double vfy : {-1.0, 0.0, 2.0})
            for (double vx0 : {-2.0, 1.0}) {
                const DropInputs in{1.5, 1.2, vx0, 0.5, vfy, vy0};
                f.text = {"1.5", numberToText(vx0), "0.5", numberToText(vfy), numberToText(vy0)};
                f.text[13] = "1.2";
                CanvasModel same(f, vx0, vy0);
                CanvasModel other(f, 4, 5);
                DropInputs moved = in;
                moved.vx0 = 4;
                moved.vy0 = 5;
                for (double t : {0.0, 0.5, 3.0}) {
                    EXPECT_EQ(same.f1(t), f1(in, t));
                    EXPECT_EQ(same.f2(t), f2(in, t));
                    EXPECT_EQ(same.f4(t), same.f1(t));
                    EXPECT_EQ(same.f3(t), same.f2(t));
                    EXPECT_EQ(other.f4(t), f1(moved, t));
                    EXPECT_EQ(other.f3(t), f2(moved, t));
                }
            }
    // An interceptor velocity that is no number counts as 0.
    CanvasModel nan(f, std::nan(""), std::nan(""));
    DropInputs zero = nan.inputs();
    zero.vx0 = zero.vy0 = 0;
    EXPECT_EQ(nan.f4(1), f1(zero, 1));
    EXPECT_EQ(nan.f3(1), f2(zero, 1));
}

TEST(CanvasModel, MomentGoesToTheBoxOnceNotAtEveryEvaluation) {
    CountingFields f;
    f.text = {"1", "1", "1", "2", "-3"}; // thrown upward into a downward wind
    f.text[13] = "1";
    f.text[11] = "old";
    CanvasModel model(f, 0, 0);
    for (int i = 0; i < 10000; ++i)
        model.f2(i * 1e-4);
    EXPECT_EQ(f.writes, 1);
    EXPECT_EQ(f.text[11], *canvasModelMoment(model.inputs()));
    model.f1(1); // the horizontal copies write nothing
    model.f4(1);
    EXPECT_EQ(f.writes, 1);
    // A command that wrote the box itself gets the moment written again.
    f.text[11] = "message";
    model.boxChanged();
    model.f2(1);
    EXPECT_EQ(f.writes, 2);
    // f3 is the interceptor thrown with fvy0 = 0 < VFy: its own text.
    model.f3(1);
    EXPECT_EQ(f.text[11], numberToText(relativeApexTime(DropInputs{1, 1, 0, 1, 2, 0})));
}

// Calls back at every paint of a widget.
class PaintCounter final : public QObject {
public:
    PaintCounter(QWidget& w, std::function<void()> painted) : painted_(std::move(painted)) {
        w.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted_();
        return false;
    }

private:
    std::function<void()> painted_;
};

class CanvasMotion : public CanvasTest {
protected:
    void SetUp() override {
        // The screenshots for the documentation (QUORIN_SHOTS=folder) want a
        // larger picture.
        const bool shots = !qEnvironmentVariableIsEmpty("QUORIN_SHOTS");
        c = &launchSmall(CanvasMode::Drop, shots ? QSize(720, 480) : QSize(240, 160),
                         colors::black);
        c->yaa = colors::red;
    }
    void set(int field, const char* text) { main().Text1[field]->setText(QString::fromUtf8(text)); }
    // Pixels of the picture that are not the back colour, by colour.
    int drawnPixels() const {
        int n = 0;
        for (const auto& [colour, count] : drawn())
            n += count;
        return n;
    }
    std::map<QRgb, int> drawn() const {
        std::map<QRgb, int> colours;
        const QImage img = c->Picture1->persistentImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0)
                    ++colours[img.pixel(x, y) & 0xFFFFFF];
        return colours;
    }
    double windowOfInputs() {
        const auto plot = samplePlot(readDropInputs(main()), val(main().Text1[10]->text()), 150);
        return plot->R;
    }
    CanvasWindow* c = nullptr;
};

TEST_F(CanvasMotion, ClickPlotOnlyInSimulationModeNotArmedNotDrawing) {
    for (int guard = 0; guard < 3; ++guard) {
        state().angleTransformArmed = guard == 0;
        state().simulationMode = guard != 1;
        state().drawingMode = guard == 2;
        c->picture1Click();
        EXPECT_TRUE(drawn().empty()) << guard;
    }
    EXPECT_EQ(t.clock.pauses(), 0);
    EXPECT_TRUE(t.dialogs.shown().empty());
}

TEST_F(CanvasMotion, BadInputsGetAMessageAndDrawNothing) {
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    for (const Case& k :
         {Case{0, "abc", inputCheckMessage}, Case{10, "0", inputCheckMessage},
          Case{10, "-2", inputCheckMessage}, Case{0, "0", arithmeticErrorMessage},
          Case{13, "0", arithmeticErrorMessage}, Case{4, "1e400", inputCheckMessage},
          Case{3, "nan", inputCheckMessage}, Case{2, "", inputCheckMessage}}) {
        set(k.field, k.text);
        t.dialogs.clearLog();
        c->picture1Click();
        c->command1Click(0);
        state().rainStarted = false;
        c->command8Click();
        EXPECT_EQ(t.dialogs.messageTexts(), QStringList(3, QString::fromUtf8(k.message))) << k.text;
        set(k.field, "1");
    }
    EXPECT_TRUE(drawn().empty());
    EXPECT_FALSE(state().rainStarted);
    for (int i : {5, 6, 7, 8, 9, 12})
        EXPECT_EQ(main().Text1[i]->text(), QString::fromUtf8(i == 12 ? "？" : "?"));

    // A huge flight time is no overflow for the model: results, never NaN.
    set(10, "1e300");
    c->command1Click(0);
    for (int i : {5, 6, 7, 8, 9, 12})
        EXPECT_FALSE(main().Text1[i]->text().contains(QStringLiteral("NaN"))) << i;
}

TEST_F(CanvasMotion, ClickPlotWindowChordsAndEllipses) {
    const double R = windowOfInputs();
    c->huatuo = false;
    c->picture1Click();
    EXPECT_EQ(c->xb, R);
    EXPECT_EQ(c->ya, -R);
    EXPECT_EQ(c->Picture1->scaleLeft(), -R);
    EXPECT_EQ(state().targetX, R);
    EXPECT_EQ(state().targetY, R);
    const int plain = t.clock.pauses();
    EXPECT_GE(plain, 150); // one wait per sample of the path

    // 画弦: a cleared picture, a disc and a ring at every sample first.
    c->huaxian = true;
    c->Picture1->pset(-0.8 * R, -0.8 * R, colors::blue);
    c->picture1Click();
    EXPECT_EQ(t.clock.pauses(), 3 * plain);
    EXPECT_EQ(drawn().count(qRgb(0, 0, 255)), 0u); // cleared by the chords

    // The ellipses pass through (0.9 xb, zy).
    ASSERT_EQ(c->Picture1->point(0.9 * R, 0), colors::black);
    c->huaxian = false;
    c->huatuo = true;
    c->picture1Click();
    EXPECT_GT(t.clock.pauses(), 5 * plain);
    EXPECT_EQ(c->Picture1->point(0.9 * R, 0), colors::red);

    // 坐标变换 keeps the scale while the window is recomputed.
    c->baochi = true;
    set(10, "3");
    c->picture1Click();
    EXPECT_EQ(c->Picture1->scaleLeft(), -R);
    EXPECT_NE(c->xa, -R);
}

TEST_F(CanvasMotion, DeriveWritesTheResultsAndDrawsInOneOrManyShades) {
    set(4, "-5"); // thrown upward
    set(3, "-1"); // into a weaker upward wind
    c->yae = PlotWindow::Yae::danse;
    c->huatuo = false;
    c->command1Click(0);
    const DropInputs in = readDropInputs(main());
    const DropState atT = dropStateAt(in, 1);
    const auto text = [](double v) { return numberToText(canvasround::wc(v)); };
    EXPECT_EQ(main().Text1[5]->text(), text(atT.x));
    EXPECT_EQ(main().Text1[8]->text(), text(atT.vy));
    EXPECT_EQ(main().Text1[9]->text(), text(std::hypot(atT.vx, atT.vy)));
    const double R = windowOfInputs();
    EXPECT_EQ(main().Text1[12]->text(), text(scanPath(in, 1, R, atT, 10000).length));
    EXPECT_TRUE(main().Text1[11]->text().contains(QStringLiteral("vy达到vfy.")));
    EXPECT_TRUE(main().Text1[11]->text().contains(QStringLiteral("vy为0.")));
    EXPECT_TRUE(main().Label1[14]->isHidden());
    const auto one = drawn();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.begin()->first, qRgb(255, 0, 0) & 0xFFFFFF);

    c->Picture1->cls();
    c->yae = PlotWindow::Yae::caise;
    c->yaa = rgb(255, 255, 255);
    c->command1Click(0);
    EXPECT_GT(drawn().size(), 50u);
}

TEST_F(CanvasMotion, DeriveIsSeenWhileItRuns) {
    c->huatuo = false;
    set(1, "3"); // thrown right and up
    set(4, "-5");
    set(2, "-2"); // against the wind
    set(10, "2");
    std::size_t midway = 0;
    t.clock.onPause = [&](int n) {
        if (n == 75) {
            midway = drawnPixels();
            const QString shots = qEnvironmentVariable("QUORIN_SHOTS");
            if (!shots.isEmpty())
                c->Picture1->grab().save(shots + "/canvas-derive-midway.png");
        }
    };
    c->command1Click(0);
    EXPECT_GT(midway, 0u);
    EXPECT_LT(midway, std::size_t(drawnPixels()));
}

TEST_F(CanvasMotion, ImportTakesTheDeriveWindowOrKeepsTheOldOne) {
    t.dialogs.answerOpen(QString());
    c->command1Click(9);
    EXPECT_EQ(c->xb, windowOfInputs());
    EXPECT_EQ(c->foreColor, colors::blue);

    c->xa = c->xb = 7;
    set(1, "abc");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(t.temp.file("in.bmp"), "BMP"));
    t.dialogs.answerOpen(t.temp.file("in.bmp"));
    c->command1Click(9);
    EXPECT_EQ(c->xa, 7);
    EXPECT_TRUE(c->Image1->hasPicture());
    EXPECT_TRUE(t.dialogs.messageTexts().isEmpty());
}

TEST_F(CanvasMotion, RainSweepsOnceCheckedAndAlwaysShowsTheMainWindow) {
    state().drawingMode = true;
    c->command8Click();
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(state().rainStarted);
    EXPECT_TRUE(drawn().empty());
    main().hide();

    // A first press that fails its check leaves the next one to check again.
    state().drawingMode = false;
    set(0, "abc");
    c->command8Click();
    EXPECT_FALSE(state().rainStarted);
    EXPECT_TRUE(main().isVisible());
    set(0, "1");
    c->zy = -windowOfInputs() / 2;
    c->command8Click();
    EXPECT_TRUE(state().rainStarted);
    const double R = windowOfInputs();
    EXPECT_EQ(state().targetX, -R);
    EXPECT_EQ(state().targetY, R);
    EXPECT_EQ(c->Picture1->drawWidth(), 5);
    // zx walked from R down to -R (the last start point may fall a rounding
    // short of it) and stays where the sweep ended.
    EXPECT_NEAR(c->zx, -R, R / 50 * 1.001);
    EXPECT_LT(c->zx, -R + R / 50 * 1.001);
    EXPECT_FALSE(drawn().empty());
    EXPECT_EQ(t.dialogs.messageTexts().size(), 1);

    // The streak shows while the sweep runs, although it never waits (once
    // the window system has exposed the canvas).
    QCoreApplication::processEvents();
    int paints = 0;
    const QString shots = qEnvironmentVariable("QUORIN_SHOTS");
    QImage exposure; // for the documentation: the frames the user saw, laid over each other
    PaintCounter counter(*c->Picture1, [&] {
        if (++paints % 10 != 0 || shots.isEmpty())
            return;
        const QImage frame = c->Picture1->screenImage();
        if (exposure.isNull())
            exposure = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&exposure);
        p.setCompositionMode(QPainter::CompositionMode_Lighten);
        p.drawImage(0, 0, frame);
    });
    c->command8Click();
    EXPECT_GT(paints, 100);
    if (!shots.isEmpty())
        exposure.save(shots + "/canvas-rain.png");

    // Later presses keep the first window.
    set(10, "3");
    c->command8Click();
    EXPECT_EQ(state().targetX, -R);
    EXPECT_EQ(t.dialogs.messageTexts().size(), 1);
}

TEST_F(CanvasMotion, RenderersWriteTheirDropAndReturnItsLength) {
    const RainDrop drop{2, 1.5, 3, 0.5, -2, 10, 20, -1};
    c->huatuo = true;
    const double length = rains(*c, drop);
    QStringList fields;
    for (int i : {10, 0, 1, 3, 4, 2})
        fields << main().Text1[i]->text();
    EXPECT_EQ(fields, (QStringList{"2", "1.5", "3", "0.5", "-2", "-1"}));
    EXPECT_EQ(c->Text1[2]->text(), "10");
    EXPECT_EQ(c->Text1[3]->text(), "20");
    const DropInputs in{1.5, 1, 3, -1, 0.5, -2};
    const auto plot = samplePlot(in, 2, 200);
    EXPECT_EQ(length, scanPath(in, 2, plot->R, dropStateAt(in, 2), 10000).length);
    EXPECT_EQ(c->xb, plot->R);
    EXPECT_TRUE(c->baochi);
    EXPECT_FALSE(c->huatuo);
    EXPECT_TRUE(c->huaxian);
    EXPECT_EQ(rainst(*c, drop), length);
    EXPECT_FALSE(c->huaxian);

    // No time: one disc at the start point, length 0; a negative time is refused.
    c->Picture1->cls();
    EXPECT_EQ(rains(*c, RainDrop{0, 1, 1, 1, 1, 10, 20, 1}), 0);
    EXPECT_EQ(c->Picture1->point(10, 20), colors::red);
    EXPECT_TRUE(t.dialogs.shown().empty());
    EXPECT_EQ(rains(*c, RainDrop{-1, 1, 1, 1, 1, 10, 20, 1}), 0);
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(inputCheckMessage)});
}

// Unloading the canvas in the middle of a wait (as a timer or another window
// might) ends the animation at that wait; nothing runs on a freed canvas.
TEST_F(CanvasMotion, UnloadDuringAWaitStopsTheAnimation) {
    for (int command = 0; command < 3; ++command) {
        CanvasWindow& canvas = launch(CanvasMode::Drop);
        canvas.Picture1->resize(240, 160);
        const int start = t.clock.pauses();
        t.clock.onPause = [&](int n) {
            if (n == start + 5)
                t.program->unloadCanvas();
        };
        if (command == 0)
            canvas.command1Click(0);
        else if (command == 1)
            canvas.picture1Click();
        else
            rains(canvas, RainDrop{2, 1, 1, 1, 1, 0, 0, 1});
        EXPECT_TRUE(canvas.isDead());
        EXPECT_EQ(t.clock.pauses(), start + 5) << command;
        t.clock.onPause = nullptr;
    }
}

} // namespace
} // namespace quorin
