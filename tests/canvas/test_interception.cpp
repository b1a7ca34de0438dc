#include "canvas/Interception.h"
#include "core/InterceptSearch.h"
#include "motion/CanvasPlot.h"
#include "motion/DeriveCommand.h"
#include "platform/NumberText.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <QTest>
#include <cmath>

namespace quorin {
namespace {

using test::CanvasTest;

constexpr ColorValue white = rgb(255, 255, 255);
constexpr ColorValue grey = 13421772;

class Interception : public CanvasTest {
protected:
    // 反导模拟 on a small white picture, the scene drawn afresh on it.
    CanvasWindow& openScene() {
        c = &launchSmall(CanvasMode::Intercept, QSize(600, 600), white);
        c->yaa = colors::red;
        sales(*c);
        return *c;
    }
    void set(int field, const QString& text) { main().Text1[field]->setText(text); }
    QString field(int i) const { return t.program->mainWindow().Text1[i]->text(); }
    // A small drop carried up by a wind of 20 m/s and a target on its level
    // throw (360 degrees): the search hits at its first angle.
    void risingDropWithTargetOnItsPath() {
        const QStringList fields{"1", "3", "0", "-20", "0"}; // Text1(0) .. Text1(4)
        for (int i = 0; i < 5; ++i)
            set(i, fields[i]);
        set(13, "1");
        set(10, "5");
        set(17, "1");
        InterceptCandidate first;
        searchIntercept(task(1e9, -1e9), [&](const InterceptCandidate& k) {
            first = k;
            return false;
        });
        target = first.path[60];
        set(15, numberToText(target.x));
        set(16, numberToText(target.y));
    }
    InterceptTask task(double x, double y) {
        return {readDropInputs(main()), val(field(10)), x, y, val(field(17))};
    }
    int busyPauses() const { return t.clock.pauses() - t.clock.processingPauses(); }
    int pixelsOf(ColorValue colour) const {
        const QImage img = c->Picture1->persistentImage();
        const QRgb wanted = qRgb(redOf(colour), greenOf(colour), blueOf(colour)) & 0xFFFFFF;
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == wanted;
        return n;
    }
    QStringList outputs() const {
        return {field(1), field(4), field(10), field(14), c->Text2->text()};
    }

    CanvasWindow* c = nullptr;
    PathPoint target;
};

TEST_F(Interception, SceneFrameAxesEllipseAndLaunchPoint) {
    openScene();
    c->Picture1->setFillColor(colors::blue);
    c->Picture1->setBackColor(white);
    sales(*c);
    const double R = samplePlot(readDropInputs(main()), 10, 150)->R;
    EXPECT_EQ(c->xa, -R);
    EXPECT_EQ(c->yb, R);
    EXPECT_EQ(c->Picture1->scaleLeft(), -R);
    EXPECT_EQ(c->Picture1->scaleWidth(), 2 * R);
    EXPECT_EQ(state().targetX, R);
    EXPECT_EQ(state().targetY, R);

    const auto at = [&](double x, double y) { return c->Picture1->point(x, y); };
    const double f = 0.9 * R;
    EXPECT_EQ(at(-f, 0.5 * R), colors::red); // the frame
    EXPECT_EQ(at(0.5 * R, f), colors::red);
    EXPECT_EQ(at(0, -0.5 * R), colors::red); // the axes
    EXPECT_EQ(at(-0.5 * R, 0), colors::red);
    const double a = 2 * std::numbers::pi * 20 / 150; // a corner of the ellipse
    EXPECT_EQ(at(f * std::sin(a), f * std::cos(a)), colors::red);
    EXPECT_EQ(at(f * std::sin(3 * a), f * std::cos(3 * a)), colors::red);
    // No arrowheads beside the axes' ends.
    EXPECT_EQ(at(0.05 * R, 0.85 * R), white);
    // The launch point: filled, radius a hundredth of the scale width.
    const double r = Int(2 * R / 100);
    EXPECT_EQ(at(0.5 * r, -0.5 * r), colors::blue);
    EXPECT_EQ(at(0.5 * r, 0.5 * r), colors::blue);
    EXPECT_EQ(at(2 * r, -2 * r), white);
}

TEST_F(Interception, SceneFromInputsThatMakeNoPlotDrawsNothing) {
    openScene();
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    const double scale = c->Picture1->scaleWidth();
    state().targetX = 7;
    for (const Case& k :
         {Case{10, "abc", inputCheckMessage}, Case{10, "0", inputCheckMessage},
          Case{10, "-1", inputCheckMessage}, Case{4, "", inputCheckMessage},
          Case{0, "0", arithmeticErrorMessage}, Case{13, "0", arithmeticErrorMessage}}) {
        const QString old = field(k.field);
        set(k.field, QString::fromUtf8(k.text));
        c->Picture1->setBackColor(white);
        t.dialogs.clearLog();
        sales(*c);
        EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(k.message)}) << k.text;
        EXPECT_EQ(pixelsOf(white), 600 * 600) << k.text;
        EXPECT_EQ(c->Picture1->scaleWidth(), scale);
        EXPECT_EQ(state().targetX, 7);
        set(k.field, old);
    }
}

// 变换角度 on the canvas of Quorin模拟 (not armed): the outputs of the hit,
// no rings, one click plot after the search.
TEST_F(Interception, TransformButtonWritesTheHitAndPlotsOnce) {
    c = &launchSmall(CanvasMode::Drop, QSize(300, 300), colors::black);
    c->huatuo = false;
    risingDropWithTargetOnItsPath();
    const InterceptOutcome expected =
        searchIntercept(task(target.x, target.y), [](auto&) { return true; });
    ASSERT_EQ(expected.end, InterceptOutcome::End::Hit);
    const int busyBefore = busyPauses();
    c->command1Click(10);
    const InterceptHit& hit = *expected.hit;
    EXPECT_EQ(outputs(), (QStringList{numberToText(hit.fvx0), numberToText(hit.fvy0),
                                      numberToText(hit.time), "360", "θ  = 360"}));
    EXPECT_EQ(c->fvx0, hit.fvx0);
    EXPECT_TRUE(c->baochi);
    EXPECT_FALSE(state().angleTransformArmed);
    EXPECT_EQ(pixelsOf(grey), 0);
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
    // One wait per candidate, then the click plot of the hit path: one per sample.
    const auto plot = samplePlot(readDropInputs(main()), val(field(10)), 150);
    EXPECT_EQ(busyPauses() - busyBefore, expected.candidates + int(plot->points.size()));
    EXPECT_EQ(state().targetX, plot->R); // the click plot's window
    EXPECT_TRUE(t.dialogs.shown().empty());
}

TEST_F(Interception, PressOnTheTargetSearchesAndEndsWithTheGreyRing) {
    openScene();
    set(17, "5");
    // A point on the path thrown at 300 degrees, pressed where it shows.
    InterceptCandidate at300;
    searchIntercept(task(1e9, -1e9), [&](const InterceptCandidate& k) {
        at300 = k;
        return k.angle > 300;
    });
    const PathPoint p = at300.path[50];
    InterceptTask pressed = task(0, 0);
    const QPoint pixel = c->Picture1->toPixels(p.x, p.y).toPoint();
    const int busyBefore = busyPauses();
    QTest::mouseClick(c->Picture1, Qt::LeftButton, {}, pixel);

    const double x = val(field(15)), y = val(field(16));
    EXPECT_NEAR(x, p.x, 0.01 * std::abs(p.x));
    pressed.targetX = x;
    pressed.targetY = y;
    const InterceptOutcome expected = searchIntercept(pressed, [](auto&) { return true; });
    ASSERT_EQ(expected.end, InterceptOutcome::End::Hit);
    EXPECT_EQ(field(14), numberToText(expected.hit->angle));
    EXPECT_TRUE(state().angleTransformArmed);
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
    // A wait per candidate, the click plot of the hit path (disarmed for it)
    // and the five waits of the rings.
    const auto plot = samplePlot(readDropInputs(main()), val(field(10)), 150);
    EXPECT_EQ(busyPauses() - busyBefore, expected.candidates + int(plot->points.size()) + 5);
    const double h = expected.hit->radiusUnit;
    EXPECT_EQ(c->Picture1->point(x + 1.2 * h, y), grey);
    EXPECT_EQ(c->Picture1->point(x - 1.2 * h, y), grey);
    EXPECT_EQ(c->Picture1->point(x + 2.5 * h, y), white); // the other rings are cleared
}

TEST_F(Interception, NoHitLeavesTheOutputsAlone) {
    openScene();
    const QStringList before = outputs();
    // Far out of reach (and far outside the picture), then a target on the
    // first path with a negative tolerance: no band to hit.
    set(15, "1e9");
    set(16, "-1e9");
    set(17, "5");
    bianhuanjiaodu(*c);
    EXPECT_EQ(outputs(), before);
    risingDropWithTargetOnItsPath();
    set(17, "-1");
    const QStringList rising = outputs();
    bianhuanjiaodu(*c);
    EXPECT_EQ(outputs(), rising);
    EXPECT_TRUE(t.dialogs.shown().empty());
    EXPECT_EQ(pixelsOf(grey), 0);
    EXPECT_TRUE(state().angleTransformArmed);
}

TEST_F(Interception, InputsThatAreNoNumbersStopTheSearchWithOneMessage) {
    openScene();
    for (int i : {0, 1, 2, 3, 4, 10, 13, 15, 16, 17})
        for (const char* text : {"", "abc", "1e400"}) {
            const QString old = field(i);
            set(i, QString::fromUtf8(text));
            const QStringList before = outputs();
            t.dialogs.clearLog();
            const int pauses = t.clock.pauses();
            bianhuanjiaodu(*c);
            EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(inputCheckMessage)})
                << i << text;
            EXPECT_EQ(t.clock.pauses(), pauses) << i << text; // no search, no click plot
            EXPECT_EQ(outputs(), before);
            set(i, old);
        }
    for (const char* time : {"0", "-3"}) {
        set(10, QString::fromUtf8(time));
        t.dialogs.clearLog();
        c->command1Click(10);
        EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(inputCheckMessage)});
    }
    set(10, "10");
    set(0, "0"); // radius 0: the model's own message, once
    t.dialogs.clearLog();
    bianhuanjiaodu(*c);
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(arithmeticErrorMessage)});
    EXPECT_TRUE(state().angleTransformArmed);
}

// The erasing redraw lets window events in: a press meanwhile updates the
// read-outs but starts no second search under the first.
TEST_F(Interception, PressDuringTheSearchStartsNoSecondOne) {
    openScene();
    set(15, "1e9");
    set(16, "-1e9");
    set(17, "5");
    const int start = t.clock.pauses();
    bianhuanjiaodu(*c);
    const int alone = t.clock.pauses() - start;

    const QPoint elsewhere(100, 500);
    t.clock.onPause = [&](int n) {
        if (n == start + alone + 40)
            QTest::mouseClick(c->Picture1, Qt::LeftButton, {}, elsewhere);
    };
    bianhuanjiaodu(*c);
    EXPECT_EQ(t.clock.pauses(), start + 2 * alone);
    EXPECT_NE(field(15), QStringLiteral("1e9")); // the press was read out
    EXPECT_EQ(c->Text1[0]->text(), field(15));
    EXPECT_FALSE(c->angleSearchRunning);
}

TEST_F(Interception, ClosingEitherWindowDuringTheSearchStopsIt) {
    for (const bool mainWindow : {false, true}) {
        openScene();
        set(15, "1e9");
        set(16, "-1e9");
        set(17, "5");
        const int start = t.clock.pauses();
        int closedAt = 0;
        t.clock.onPause = [&](int n) {
            if (n == start + 500) {
                closedAt = n;
                if (mainWindow)
                    main().close();
                else
                    c->close();
            }
        };
        bianhuanjiaodu(*c);
        t.clock.onPause = nullptr;
        EXPECT_EQ(t.clock.pauses(), closedAt) << mainWindow;
        EXPECT_FALSE(state().interceptMode);
        EXPECT_FALSE(state().angleTransformArmed); // not armed again by the search
        QCoreApplication::processEvents();         // the dead canvas goes
    }
}

} // namespace
} // namespace quorin
