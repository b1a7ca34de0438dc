#include "canvas/Interception.h"
#include "core/InterceptSearch.h"
#include "motion/CanvasPlot.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <QTest>
#include <cmath>

namespace quorin {
namespace {

constexpr ColorValue white = rgb(255, 255, 255);
constexpr ColorValue grey = 13421772;

class Interception : public test::CanvasTest {
protected:
    // 反导模拟 on a small white picture, the scene drawn afresh on it.
    void openScene() {
        c = &launchSmall(CanvasMode::Intercept, QSize(600, 600), white);
        c->yaa = colors::red;
        sales(*c);
    }
    void set(int field, const QString& text) { main().Text1[field]->setText(text); }
    QString field(int i) { return main().Text1[i]->text(); }
    void targetOutOfReach() {
        set(15, "1e9");
        set(16, "-1e9");
        set(17, "5");
    }
    // A small drop carried up by a wind of 20 m/s and a target on its level
    // throw: the search hits at its first angle, 360.
    void risingDropWithTargetOnItsPath() {
        const char* const fields[] = {"1", "3", "0", "-20", "0"}; // Text1(0) .. Text1(4)
        for (int i = 0; i < 5; ++i)
            set(i, fields[i]);
        set(13, "1");
        set(10, "5");
        set(17, "1");
        searchIntercept(task(1e9, -1e9), [&](const InterceptCandidate& k) {
            set(15, numberToText(k.path[60].x));
            set(16, numberToText(k.path[60].y));
            return false;
        });
    }
    InterceptTask task(double x, double y) {
        return {readDropInputs(main()), val(field(10)), x, y, val(field(17))};
    }
    int busyPauses() const { return t.clock.pauses() - t.clock.processingPauses(); }
    // The waits of the click plot that follows a search: one per sample.
    int clickPlotWaits() {
        return int(samplePlot(readDropInputs(main()), val(field(10)), 150)->points.size());
    }
    bool anyPixel(ColorValue colour) const {
        const QImage img = c->Picture1->persistentImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) ==
                    (qRgb(redOf(colour), greenOf(colour), blueOf(colour)) & 0xFFFFFF))
                    return true;
        return false;
    }
    QStringList outputs() { return {field(1), field(4), field(10), field(14), c->Text2->text()}; }

    CanvasWindow* c = nullptr;
};

TEST_F(Interception, SceneIsDrawnOnlyFromInputsThatMakeAPlot) {
    openScene();
    c->Picture1->setBackColor(white);
    c->Picture1->setFillColor(colors::blue);
    sales(*c);
    const double R = samplePlot(readDropInputs(main()), 10, 150)->R;
    EXPECT_TRUE(c->xa == -R && c->yb == R && state().targetX == R && state().targetY == R);
    EXPECT_EQ(c->Picture1->scaleWidth(), 2 * R);
    const auto at = [&](double x, double y) { return c->Picture1->point(x, y); };
    const double f = 0.9 * R, a = 2 * std::numbers::pi * 20 / 150; // a corner of the ellipse
    for (auto [x, y] : {std::pair{-f, 0.5 * R},
                        {0.5 * R, f},
                        {0.0, -0.5 * R},
                        {-0.5 * R, 0.0},
                        {f * std::sin(a), f * std::cos(a)}})
        EXPECT_EQ(at(x, y), colors::red) << x << "," << y; // frame, axes, ellipse
    EXPECT_EQ(at(0.05 * R, 0.85 * R), white);              // no arrowheads
    const double r = Int(2 * R / 100);                     // the filled launch point
    EXPECT_TRUE(at(0.5 * r, -0.5 * r) == colors::blue && at(0.5 * r, 0.5 * r) == colors::blue);
    EXPECT_EQ(at(2 * r, -2 * r), white);

    state().targetX = 7;
    for (auto [i, text, message] : {std::tuple{10, "abc", inputCheckMessage},
                                    {10, "0", inputCheckMessage},
                                    {4, "", inputCheckMessage},
                                    {13, "0", arithmeticErrorMessage}}) {
        const QString old = field(i);
        set(i, QString::fromUtf8(text));
        c->Picture1->setBackColor(white);
        t.dialogs.clearLog();
        sales(*c);
        EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(message)}) << text;
        EXPECT_FALSE(anyPixel(colors::red));
        EXPECT_TRUE(c->Picture1->scaleWidth() == 2 * R && state().targetX == 7);
        set(i, old);
    }
}

// 变换角度 on the canvas of Quorin模拟 (not armed): the outputs of the hit,
// no rings, one click plot after the search.
TEST_F(Interception, TransformButtonWritesTheHitAndPlotsOnce) {
    c = &launchSmall(CanvasMode::Drop, QSize(300, 300), colors::black);
    c->huatuo = false;
    risingDropWithTargetOnItsPath();
    const auto expected =
        searchIntercept(task(val(field(15)), val(field(16))), [](auto&) { return true; });
    ASSERT_EQ(expected.end, InterceptOutcome::End::Hit);
    const int busyBefore = busyPauses();
    c->command1Click(10);
    const InterceptHit& hit = *expected.hit;
    EXPECT_EQ(outputs(), (QStringList{numberToText(hit.fvx0), numberToText(hit.fvy0),
                                      numberToText(hit.time), "360", "θ  = 360"}));
    EXPECT_TRUE(c->baochi && !state().angleTransformArmed && !anyPixel(grey));
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
    EXPECT_EQ(busyPauses() - busyBefore, expected.candidates + clickPlotWaits());
    EXPECT_TRUE(t.dialogs.shown().empty());
}

TEST_F(Interception, PressOnTheTargetSearchesAndEndsWithTheGreyRing) {
    openScene();
    set(17, "5");
    // A point on the path thrown at 300 degrees, pressed where it shows.
    InterceptTask pressed = task(1e9, -1e9);
    PathPoint p;
    searchIntercept(pressed, [&](const InterceptCandidate& k) {
        p = k.path[50];
        return k.angle > 300;
    });
    const int busyBefore = busyPauses();
    QTest::mouseClick(c->Picture1, Qt::LeftButton, {}, c->Picture1->toPixels(p.x, p.y).toPoint());

    const double x = val(field(15)), y = val(field(16));
    EXPECT_NEAR(x, p.x, 0.01 * std::abs(p.x));
    pressed.targetX = x;
    pressed.targetY = y;
    const auto expected = searchIntercept(pressed, [](auto&) { return true; });
    ASSERT_EQ(expected.end, InterceptOutcome::End::Hit);
    EXPECT_EQ(field(14), numberToText(expected.hit->angle));
    EXPECT_TRUE(state().angleTransformArmed);
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
    // A wait per candidate, the click plot (disarmed for it), the five of the rings.
    EXPECT_EQ(busyPauses() - busyBefore, expected.candidates + clickPlotWaits() + 5);
    const double h = expected.hit->radiusUnit;
    EXPECT_EQ(c->Picture1->point(x + 1.2 * h, y), grey);
    EXPECT_EQ(c->Picture1->point(x - 1.2 * h, y), grey);
    EXPECT_EQ(c->Picture1->point(x + 2.5 * h, y), white); // the other rings are cleared
}

TEST_F(Interception, NoHitOrInputsThatAreNoNumbersLeaveTheOutputsAlone) {
    openScene();
    targetOutOfReach();
    QStringList before = outputs();
    bianhuanjiaodu(*c);
    EXPECT_EQ(outputs(), before);
    risingDropWithTargetOnItsPath();
    set(17, "-1"); // no band to hit
    before = outputs();
    bianhuanjiaodu(*c);
    EXPECT_EQ(outputs(), before);
    EXPECT_TRUE(t.dialogs.shown().empty());
    EXPECT_FALSE(anyPixel(grey));

    for (int i : {0, 1, 2, 3, 4, 10, 13, 15, 16, 17})
        for (const char* text : {"", "abc", "1e400"}) {
            const QString old = field(i);
            set(i, QString::fromUtf8(text));
            before = outputs();
            t.dialogs.clearLog();
            const int pauses = t.clock.pauses();
            bianhuanjiaodu(*c);
            EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(inputCheckMessage)})
                << i << text;
            EXPECT_EQ(t.clock.pauses(), pauses) << i << text; // no search, no click plot
            EXPECT_EQ(outputs(), before);
            set(i, old);
        }
    for (auto [i, text, message] : {std::tuple{10, "0", inputCheckMessage},
                                    {10, "-3", inputCheckMessage},
                                    {0, "0", arithmeticErrorMessage}}) {
        const QString old = field(i);
        set(i, QString::fromUtf8(text));
        t.dialogs.clearLog();
        c->command1Click(10);
        EXPECT_EQ(t.dialogs.messageTexts(), QStringList{QString::fromUtf8(message)}) << text;
        set(i, old);
    }
    EXPECT_TRUE(state().angleTransformArmed);
}

// The erasing redraw lets window events in: a press meanwhile updates the
// read-outs but starts no second search under the first.
TEST_F(Interception, PressDuringTheSearchStartsNoSecondOne) {
    openScene();
    targetOutOfReach();
    const int start = t.clock.pauses();
    bianhuanjiaodu(*c);
    const int alone = t.clock.pauses() - start;
    t.clock.onPause = [&](int n) {
        if (n == start + alone + 40)
            QTest::mouseClick(c->Picture1, Qt::LeftButton, {}, QPoint(100, 500));
    };
    bianhuanjiaodu(*c);
    EXPECT_EQ(t.clock.pauses(), start + 2 * alone);
    EXPECT_NE(field(15), QStringLiteral("1e9")); // the press was read out
    EXPECT_EQ(c->Text1[0]->text(), field(15));
}

TEST_F(Interception, ClosingEitherWindowDuringTheSearchStopsIt) {
    for (const bool mainWindow : {false, true}) {
        openScene();
        targetOutOfReach();
        const int closeAt = t.clock.pauses() + 500;
        t.clock.onPause = [&](int n) {
            if (n == closeAt)
                mainWindow ? main().close() : c->close();
        };
        bianhuanjiaodu(*c);
        t.clock.onPause = nullptr;
        EXPECT_EQ(t.clock.pauses(), closeAt) << mainWindow;
        EXPECT_FALSE(state().interceptMode);
        EXPECT_FALSE(state().angleTransformArmed); // not armed again by the search
        QCoreApplication::processEvents();         // the dead canvas goes
    }
}

} // namespace
} // namespace quorin
