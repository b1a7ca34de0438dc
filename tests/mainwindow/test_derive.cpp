#include "mainwindow/MainWindow.h"
#include "platform/NumberText.h"
#include "state/DropFields.h"
#include "state/SharedState.h"
#include "support/QtPrint.h"
#include "support/TestProgram.h"
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::TestProgram;

namespace {

constexpr ColorValue circleColor = rgb(128, 64, 128);
constexpr ColorValue paper = rgb(146, 197, 198);

// Entry fields in the order of DropInputs, plus the flight time.
struct Entry {
    QString radius = "1", density = "1", vx0 = "1", vfx = "1", vfy = "1", vy0 = "1", t = "1";
};

void enter(MainWindow& w, const Entry& e) {
    w.Text1[0]->setText(e.radius);
    w.Text1[13]->setText(e.density);
    w.Text1[1]->setText(e.vx0);
    w.Text1[2]->setText(e.vfx);
    w.Text1[3]->setText(e.vfy);
    w.Text1[4]->setText(e.vy0);
    w.Text1[10]->setText(e.t);
}

DropInputs inputsOf(const Entry& e) {
    return {e.radius.toDouble(), e.density.toDouble(), e.vx0.toDouble(),
            e.vfx.toDouble(),    e.vfy.toDouble(),     e.vy0.toDouble()};
}

// Path length by Simpson's rule over the speed: independent of the chord sum.
double arcLength(const DropInputs& in, double t) {
    const int n = 4000;
    const double h = t / n;
    auto speed = [&](double s) {
        const DropState d = dropStateAt(in, s);
        return std::hypot(d.vx, d.vy);
    };
    double sum = speed(0) + speed(t);
    for (int i = 1; i < n; ++i)
        sum += (i % 2 ? 4 : 2) * speed(i * h);
    return sum * h / 3;
}

// Root of g on [a, b] where g changes sign.
template <class G> double bisect(G g, double a, double b) {
    const bool rising = g(a) < 0;
    for (int i = 0; i < 200; ++i) {
        const double m = (a + b) / 2;
        ((g(m) < 0) == rising ? a : b) = m;
    }
    return (a + b) / 2;
}

bool anyPixelNear(const PictureBox& pic, double x, double y, ColorValue c) {
    const QPointF p = pic.toPixels(x, y);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QPointF u = pic.toUser(p + QPointF(dx, dy));
            if (pic.point(u.x(), u.y()) == c)
                return true;
        }
    return false;
}

int countPixels(const PictureBox& pic, ColorValue c) {
    const QImage& img = pic.persistentImage();
    const QRgb want = qRgb(redOf(c), greenOf(c), blueOf(c));
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF);
    return n;
}

struct Derive : ::testing::Test {
    TestProgram tp;
    MainWindow& w = tp.main();
    PictureBox& pic = *w.Picture1;

    void markResults() {
        for (int i : {5, 6, 7, 8, 9, 12})
            w.Text1[i]->setText(QStringLiteral("old%1").arg(i));
    }
    void expectResultsUnchanged() {
        for (int i : {5, 6, 7, 8, 9, 12})
            EXPECT_EQ(w.Text1[i]->text(), QStringLiteral("old%1").arg(i)) << "field " << i;
    }
};

} // namespace

TEST_F(Derive, DefaultsFillTheResultsAndDrawThePlot) {
    w.Label1[14]->show();
    w.Command1->click();

    EXPECT_TRUE(tp.dialogs.shown().empty());
    const Entry e;
    const DropInputs in = inputsOf(e);
    const DropState d = dropStateAt(in, 1);
    EXPECT_EQ(w.Text1[5]->text(), wc(d.x));
    EXPECT_EQ(w.Text1[6]->text(), wc(d.y));
    EXPECT_EQ(w.Text1[7]->text(), wc(d.vx));
    EXPECT_EQ(w.Text1[8]->text(), wc(d.vy));
    EXPECT_EQ(w.Text1[9]->text(), wc(std::hypot(d.vx, d.vy)));
    EXPECT_EQ(w.Text1[5]->text(), "1"); // x = VFx t when the drop moves with the wind
    EXPECT_NEAR(val(w.Text1[12]->text()), arcLength(in, 1), 2e-6);

    // No crossing for a drop that only falls with the wind; both moments are 0.
    EXPECT_EQ(w.Text1[11]->text(), QStringLiteral("当t=0 时，vx=0\r\nt=0时，vy为vfy。"));
    EXPECT_TRUE(w.Label1[14]->isHidden());
    EXPECT_EQ(w.Label1[14]->text(), QStringLiteral("阻力为："));
    EXPECT_TRUE(tp.state().simulationMode);

    // Two fans of a line per sample and 150 circle segments, each after a
    // 0.01 s wait. Sampling adds a rounded step, so the last sample may fall
    // just past t.
    EXPECT_GE(tp.clock.processingPauses(), 2 * 100 + 150);
    EXPECT_LE(tp.clock.processingPauses(), 2 * 101 + 151);

    // Square window round the origin, on the I1.jpg background.
    EXPECT_TRUE(pic.hasPicture());
    EXPECT_EQ(pic.scaleWidth(), -2 * pic.scaleLeft());
    EXPECT_EQ(pic.scaleHeight(), -2 * pic.scaleTop());
    EXPECT_EQ(pic.scaleWidth(), pic.scaleHeight());
    const double R = -pic.scaleLeft();
    EXPECT_TRUE(anyPixelNear(pic, -0.9 * R, -0.5 * R, colors::blue)); // frame, left side
    const double a = 2 * 3.14159265358979 * 100 / 150;                // a circle vertex
    EXPECT_TRUE(anyPixelNear(pic, 0.9 * R * std::sin(a), 0.9 * R * std::cos(a), circleColor));
    EXPECT_TRUE(anyPixelNear(pic, 0, -0.5 * R, pic.foreColor())); // vertical axis
}

TEST_F(Derive, PlotWindowFollowsTheWiderExtent) {
    // Blown sideways far more than it falls: R comes from the horizontal extent.
    Entry e;
    e.vfx = "20";
    e.vx0 = "20";
    e.t = "0.5";
    enter(w, e);
    w.Command1->click();
    const double x = f1(inputsOf(e), 0.5);
    EXPECT_NEAR(-pic.scaleLeft(), 1.5 * x, 1e-9);
    EXPECT_EQ(pic.scaleHeight(), pic.scaleWidth());

    // Dropped straight down: the vertical extent sets it.
    e = Entry{};
    e.vfx = "0";
    e.vx0 = "0";
    enter(w, e);
    w.Command1->click();
    EXPECT_NEAR(-pic.scaleTop(), 1.5 * f2(inputsOf(e), 1), 1e-9);
}

TEST_F(Derive, PathCrossingBothAxesIsReported) {
    // Thrown up and to the right against a left wind: the drop comes back
    // down through the x axis and is blown back across the y axis.
    Entry e;
    e.radius = "0.5";
    e.vx0 = "3";
    e.vfx = "-5";
    e.vfy = "0";
    e.vy0 = "-2";
    e.t = "2";
    enter(w, e);
    w.Command1->click();
    EXPECT_TRUE(tp.dialogs.shown().empty());

    const DropInputs in = inputsOf(e);
    const DropState d = dropStateAt(in, 2);
    const QStringList lines = w.Text1[11]->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4) << w.Text1[11]->text().toStdString();

    static const QRegularExpression xLine(
        QStringLiteral("^当 t=([-0-9.]+)时,  与 x 轴相交，水平距离为：([-0-9.]+)\\.$"));
    static const QRegularExpression yLine(
        QStringLiteral("^当t=([-0-9.]+) 时，与 y 轴相交，垂直距离为：([-0-9.]+)$"));
    const auto mx = xLine.match(lines[0]);
    const auto my = yLine.match(lines[1]);
    ASSERT_TRUE(mx.hasMatch()) << lines[0].toStdString();
    ASSERT_TRUE(my.hasMatch()) << lines[1].toStdString();

    // Where the path really meets each axis, found by bisection.
    const double tDown = bisect([&](double s) { return f2(in, s); }, d.turnTimeY, 2);
    const double tBack = bisect([&](double s) { return f1(in, s); }, d.turnTimeX, 2);
    EXPECT_NEAR(mx.captured(1).toDouble(), tDown, 0.01);
    EXPECT_NEAR(mx.captured(2).toDouble(), f1(in, tDown), 0.01);
    EXPECT_GT(mx.captured(2).toDouble(), 0);
    EXPECT_NEAR(my.captured(1).toDouble(), tBack, 0.01);
    EXPECT_NEAR(my.captured(2).toDouble(), f2(in, tBack), 0.01);

    // The moments: vx passes 0 at turnTimeX, vy reaches VFy (0) at the apex.
    EXPECT_EQ(lines[2], QStringLiteral("当t=") + wc(d.turnTimeX) + QStringLiteral(" 时，vx=0"));
    EXPECT_EQ(lines[3], QStringLiteral("t=") + wc(d.turnTimeY) + QStringLiteral("时，vy为vfy。"));
    EXPECT_NEAR(dropStateAt(in, d.turnTimeX).vx, 0, 1e-9);
    EXPECT_NEAR(dropStateAt(in, d.turnTimeY).vy, 0, 1e-9);
}

TEST_F(Derive, InvalidEntriesShowTheMessageAndComputeNothing) {
    struct Case {
        int field;
        QString text;
    };
    for (const Case& c :
         {Case{4, "abc"}, Case{13, ""}, Case{10, "0"}, Case{10, "-1"}, Case{10, "nan"}}) {
        SCOPED_TRACE(c.text.toStdString());
        enter(w, Entry{});
        w.Text1[c.field]->setText(c.text);
        markResults();
        w.Label1[14]->show();
        tp.dialogs.clearLog();
        const int pausesBefore = tp.clock.pauses();

        w.Command1->click();

        ASSERT_EQ(tp.dialogs.shown().size(), 1u);
        EXPECT_EQ(tp.dialogs.shown()[0].text, QStringLiteral("请输入数值！"));
        EXPECT_EQ(tp.dialogs.shown()[0].title, QStringLiteral("Quorin"));
        EXPECT_EQ(tp.dialogs.shown()[0].buttons, MessageButtons::Ok);
        expectResultsUnchanged();
        EXPECT_EQ(tp.clock.pauses(), pausesBefore); // no sampling, no animation
        EXPECT_TRUE(w.Label1[14]->isHidden());
        EXPECT_EQ(w.Text1[11]->text(), QString());
    }
}

TEST_F(Derive, ArithmeticErrorsStopWithAMessage) {
    // Radius 0, density 0, and a flight that overflows the displacement.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        Entry e;
        if (i == 0)
            e.radius = "0";
        if (i == 1)
            e.density = "0";
        if (i == 2) {
            e.vfx = "1e10";
            e.t = "1e300";
        }
        enter(w, e);
        markResults();
        tp.dialogs.clearLog();
        const int pausesBefore = tp.clock.pauses();

        w.Command1->click();

        ASSERT_EQ(tp.dialogs.shown().size(), 1u);
        EXPECT_EQ(tp.dialogs.shown()[0].text, QString::fromUtf8(arithmeticErrorMessage));
        EXPECT_EQ(tp.dialogs.shown()[0].title, QStringLiteral("Quorin"));
        expectResultsUnchanged();
        EXPECT_EQ(tp.clock.pauses(), pausesBefore);
        EXPECT_TRUE(w.Label1[14]->isHidden());
    }
    // The replay refuses the same inputs the same way.
    tp.dialogs.clearLog();
    w.Text1[0]->setText("0");
    w.picture1Click();
    ASSERT_EQ(tp.dialogs.shown().size(), 1u);
    EXPECT_EQ(tp.dialogs.shown()[0].text, QString::fromUtf8(arithmeticErrorMessage));
}

TEST(DeriveWithoutPictures, MissingBackgroundPlotsOnThePaperColour) {
    TestProgram tp(false);
    MainWindow& w = tp.main();
    w.Command1->click();
    EXPECT_TRUE(tp.dialogs.shown().empty());
    EXPECT_EQ(w.Text1[5]->text(), "1");
    EXPECT_NE(w.Text1[12]->text(), QStringLiteral("？"));
    PictureBox& pic = *w.Picture1;
    EXPECT_FALSE(pic.hasPicture());
    const double R = -pic.scaleLeft();
    EXPECT_EQ(pic.point(-0.5 * R, -0.3 * R), paper); // away from every line
    EXPECT_TRUE(anyPixelNear(pic, -0.9 * R, -0.5 * R, colors::blue));
}

TEST_F(Derive, PlotComesBackAfterAVideo) {
    tp.dialogs.answerOpen(tp.temp.file("clip.mp4"));
    w.command14Click();
    ASSERT_TRUE(pic.isHidden());
    ASSERT_TRUE(tp.player->visible);
    w.Command1->click();
    EXPECT_FALSE(pic.isHidden());
    EXPECT_FALSE(tp.player->visible);
}

TEST_F(Derive, ClosingTheWindowStopsARunningCommand) {
    tp.clock.onPause = [&](int n) {
        if (n == 5)
            w.close();
    };
    w.Command1->click();
    EXPECT_TRUE(w.closing);
    EXPECT_EQ(tp.clock.pauses(), 5);
    EXPECT_EQ(w.Text1[9]->text(), "?"); // the run ended before step 15
    EXPECT_EQ(w.Text1[11]->text(), QString());

    // The replay likewise.
    const int before = tp.clock.pauses();
    w.picture1Click();
    EXPECT_EQ(tp.clock.pauses(), before + 1);
}

TEST_F(Derive, ReplayLeavesARedPathAndTheRange) {
    w.Text1[11]->setText("keep ");
    QTest::mouseClick(&pic, Qt::LeftButton, {}, QPoint(10, 10));

    EXPECT_TRUE(tp.dialogs.shown().empty());
    EXPECT_FALSE(pic.hasPicture());
    EXPECT_EQ(pic.backColor(), colors::panelGreen);
    EXPECT_GT(countPixels(pic, colors::red), 50);
    EXPECT_GT(countPixels(pic, colors::black), 10); // the last drop stays
    EXPECT_EQ(w.Label1[14]->text(), QStringLiteral("坐标："));

    // Defaults: x runs 0..1 so xr = 1.5; the y range from the model.
    const double yr = 1.5 * f2(inputsOf(Entry{}), 1);
    EXPECT_EQ(w.Text1[11]->text(), QStringLiteral("keep 坐标范围：(-1.5,1.5)--(") + wc(-yr) +
                                       QStringLiteral(",") + wc(yr) + QStringLiteral(")"));
    EXPECT_NEAR(pic.scaleLeft(), -1.5, 1e-12);
    EXPECT_NEAR(pic.scaleTop(), -yr, 1e-12);
    // A drop step and a path step per sample, two ellipses of 150 segments.
    EXPECT_GE(tp.clock.processingPauses(), 2 * 100 + 2 * 150);
    EXPECT_LE(tp.clock.processingPauses(), 2 * 101 + 2 * 151);
}

TEST_F(Derive, ReplayOfAFlatPathDrawsNothingButStillReportsTheRange) {
    Entry e;
    e.vx0 = "0";
    e.vfx = "0"; // no horizontal motion: xr = 0 cannot be a scale
    enter(w, e);
    w.picture1Click();
    EXPECT_TRUE(tp.dialogs.shown().empty());
    EXPECT_EQ(countPixels(pic, colors::red), 0);
    EXPECT_TRUE(w.Text1[11]->text().startsWith(QStringLiteral("坐标范围：(0,0)--(")));
    EXPECT_EQ(tp.clock.pauses(), 0);
}

TEST_F(Derive, FieldClicksHighlightAndDoubleClicksEmpty) {
    constexpr ColorValue fieldGreen = rgb(158, 239, 158);
    constexpr ColorValue highlight = rgb(239, 239, 158);
    for (int i = 0; i < 18; ++i)
        QTest::mouseClick(w.Text1[i]->editor(), Qt::LeftButton);
    for (int i = 0; i < 18; ++i) {
        // Disabled result fields take no clicks; 14..17 are never changed.
        const bool changes = i <= 13 && !QList<int>{7, 8, 9, 12}.contains(i);
        EXPECT_EQ(w.Text1[i]->backColor(), changes ? highlight : fieldGreen) << i;
    }

    std::array<QString, 18> before;
    for (int i = 0; i < 18; ++i)
        before[i] = w.Text1[i]->text();
    for (int i = 0; i < 18; ++i)
        QTest::mouseDClick(w.Text1[i]->editor(), Qt::LeftButton);
    for (int i = 0; i < 18; ++i) {
        const bool empties = i <= 13 && !QList<int>{7, 8, 9, 12}.contains(i);
        EXPECT_EQ(w.Text1[i]->text(), empties ? QString() : before[i]) << i;
    }
}
