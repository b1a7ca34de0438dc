#include "motion/DeriveCommand.h"
#include "app/SharedState.h"
#include "mainwindow/MainWindow.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include <algorithm>
#include <cmath>

namespace quorin {

namespace {

const QString crlf = QStringLiteral("\r\n");
const double pi = 4 * std::atan(1.0);
constexpr ColorValue circleColor = rgb(128, 64, 128);

void notify(MainWindow& w, const char* text) {
    w.services().dialogs.message(QString::fromUtf8(text), MessageButtons::Ok,
                                 QStringLiteral("Quorin"));
}

// The fields both plot commands read, and a flight time that moves the
// sampling forward: t <= 0 would make the sampling steps 0 or run backwards
// through times the model does not describe.
struct CheckedInputs {
    DropInputs in;
    double t = 0;
};

std::optional<CheckedInputs> checkInputs(MainWindow& w) {
    for (int i : {0, 1, 2, 3, 4, 10, 13}) {
        if (!isNumeric(w.Text1[i]->text())) {
            notify(w, inputCheckMessage);
            return std::nullopt;
        }
    }
    const double t = readFlightTime(w);
    if (!(t > 0)) {
        notify(w, inputCheckMessage);
        return std::nullopt;
    }
    return CheckedInputs{readDropInputs(w), t};
}

ColorValue randomPenColor(MainWindow& w) {
    const double c = std::round(w.services().random.next() * w.state().penColor);
    return static_cast<ColorValue>(std::clamp(c, 0.0, double(0xFFFFFF)));
}

void drawFrameAndAxes(PictureBox& pic, double ax, double ay) {
    pic.setCurrent(0, 0);
    pic.setFillStyle(FillStyle::Transparent);
    pic.box(-0.9 * ax, -0.9 * ay, 0.9 * ax, 0.9 * ay, colors::blue);
    // Axes in the box's own fore colour, arrowheads down and to the right.
    pic.line(0, -0.9 * ay, 0, 0.9 * ay);
    pic.line(0, 0.9 * ay, 0.05 * ax, 0.85 * ay);
    pic.line(0, 0.9 * ay, -0.05 * ax, 0.85 * ay);
    pic.line(-0.9 * ax, 0, 0.9 * ax, 0);
    pic.line(0.9 * ax, 0, 0.85 * ax, 0.05 * ay);
    pic.line(0.9 * ax, 0, 0.85 * ax, -0.05 * ay);
}

// 150 segments from the bottom of the frame round the ellipse (rx, ry), one
// wait each. False when the window closed meanwhile.
bool traceEllipse(MainWindow& w, double rx, double ry, double startY) {
    PictureBox& pic = *w.Picture1;
    pic.setCurrent(0, startY);
    bool alive = true;
    forStep(0.0, 2 * pi, 2 * pi / 150, [&](double a) {
        if (!pauseBriefly(w)) {
            alive = false;
            return false;
        }
        pic.lineTo(rx * std::sin(a), ry * std::cos(a), circleColor);
        return true;
    });
    return alive;
}

// One fan of lines from the origin to the samples, each in a random shade
// of the pen colour.
bool drawFan(MainWindow& w, const std::vector<PathPoint>& points) {
    PictureBox& pic = *w.Picture1;
    for (const PathPoint& p : points) {
        if (!pauseBriefly(w))
            return false;
        pic.setFillColor(colors::black);
        pic.setFillStyle(FillStyle::Solid);
        pic.line(0, 0, p.x, p.y, randomPenColor(w));
    }
    return true;
}

// Steps 4 to 18 of 推导计算; returns early when a step fails or the window
// closes.
void derive(MainWindow& w) {
    const auto checked = checkInputs(w);
    if (!checked)
        return;
    const DropInputs& in = checked->in;
    const double t = checked->t;

    // Everything that can fail is computed before anything is written, from
    // one reading of the fields: an error leaves the result fields as they
    // were, and a field edited while the plot animates cannot mix two drops
    // in one run.
    const auto atT = tryDropStateAt(in, t);
    const auto plot = atT ? samplePlot(in, t) : std::nullopt;
    const PathScan scan = plot ? scanPath(in, t, plot->R, *atT) : PathScan{};
    if (!atT || !plot || !std::isfinite(scan.length) ||
        !std::isfinite(std::hypot(atT->vx, atT->vy))) {
        notify(w, arithmeticErrorMessage);
        return;
    }
    if (atT->hidesDragLabel)
        w.Label1[14]->hide();

    w.Text1[5]->setText(wc(atT->x));
    w.Text1[6]->setText(wc(atT->y));
    w.Text1[7]->setText(wc(atT->vx));
    w.Text1[8]->setText(wc(atT->vy));

    // A missing picture is no reason to stop: the plot goes on the paper colour.
    PictureBox& pic = *w.Picture1;
    pic.loadPicture(w.services().folder.file(QStringLiteral("I1.jpg")));

    const double R = plot->R;
    // A window of size 0 cannot be a scale; the results still come, unplotted.
    const bool drawable = R > 0;
    w.foreColor = colors::blue;
    if (drawable) {
        pic.scale(-R, -R, R, R);
        pic.setCurrent(0, 0);
        if (!drawFan(w, plot->points))
            return;
        pic.setCurrent(0, 0);
        if (!drawFan(w, plot->points))
            return;
        drawFrameAndAxes(pic, R, R);
        if (!traceEllipse(w, 0.9 * R, 0.9 * R, 0.9 * R))
            return;
    }

    w.Text1[9]->setText(wc(std::hypot(atT->vx, atT->vy)));
    w.Text1[12]->setText(wc(scan.length));
    TextBox& moments = *w.Text1[11];
    if (!scan.xCrossing.isEmpty())
        moments.appendText(scan.xCrossing);
    if (!scan.yCrossing.isEmpty())
        moments.appendText(scan.yCrossing);
    moments.appendText(momentLines(*atT));
}

} // namespace

// --- the model on the fields ---

DropInputs readDropInputs(const MainWindow& w) {
    DropInputs in;
    in.radiusMm = val(w.Text1[0]->text());
    in.vx0 = val(w.Text1[1]->text());
    in.vfx = val(w.Text1[2]->text());
    in.vfy = val(w.Text1[3]->text());
    in.vy0 = val(w.Text1[4]->text());
    in.density = val(w.Text1[13]->text());
    return in;
}

double readFlightTime(const MainWindow& w) {
    return val(w.Text1[10]->text());
}

double f1(const MainWindow& w, double t) {
    return f1(readDropInputs(w), t);
}
double f2(const MainWindow& w, double t) {
    return f2(readDropInputs(w), t);
}

DropState dropStateAt(MainWindow& w) {
    const DropState s = dropStateAt(readDropInputs(w), readFlightTime(w));
    if (s.hidesDragLabel)
        w.Label1[14]->hide();
    return s;
}

// --- pure numbers ---

std::optional<PlotSamples> samplePlot(const DropInputs& in, double t) {
    PlotSamples p;
    p.xmin = f1(in, 0);
    p.xmax = f1(in, t);
    p.ymin = f2(in, 0);
    p.ymax = f2(in, t);
    forStep(0.0, t, t / 100, [&](double s) {
        const PathPoint pt{s, f1(in, s), f2(in, s)};
        p.points.push_back(pt);
        p.xmin = std::min(p.xmin, pt.x);
        p.xmax = std::max(p.xmax, pt.x);
        p.ymin = std::min(p.ymin, pt.y);
        p.ymax = std::max(p.ymax, pt.y);
    });
    p.xr = 1.5 * (p.xmax - p.xmin);
    p.yr = 1.5 * (p.ymax - p.ymin);
    p.R = p.xr > p.yr ? p.xr : p.yr;
    // NaN would slip through min and max; the extents catch it.
    if (!std::isfinite(p.xr) || !std::isfinite(p.yr))
        return std::nullopt;
    for (const PathPoint& pt : p.points)
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y))
            return std::nullopt;
    return p;
}

PathScan scanPath(const DropInputs& in, double t, double R, const DropState& atT) {
    PathScan scan;
    const double near = 0.2 * R / 1000;
    double prevX = 0, prevY = 0;
    int xCount = 0, yCount = 0;
    // One pass serves the length and both crossing scans.
    forStep(0.0, t, t / 10000, [&](double s) {
        const double x = f1(in, s), y = f2(in, s);
        scan.length += std::hypot(x - prevX, y - prevY);
        prevX = x;
        prevY = y;
        // The second sample close above the x axis, past the vertical turn.
        if (xCount < 2 && s > atT.turnTimeY && y < 0 && std::abs(y) < near && x > 0) {
            if (++xCount == 2)
                scan.xCrossing = QStringLiteral("当 t=") + wc(s) + QStringLiteral("时,  ") +
                                 QStringLiteral("与 x 轴相交，水平距离为：") + wc(x) +
                                 QStringLiteral(".") + crlf;
        }
        // The second sample just left of the y axis, past the horizontal turn.
        if (yCount < 2 && s > atT.turnTimeX && std::abs(x) < near && x < 0) {
            if (++yCount == 2)
                scan.yCrossing = QStringLiteral("当t=") + wc(s) +
                                 QStringLiteral(" 时，与 y 轴相交，垂直距离为：") + wc(y) + crlf;
        }
    });
    return scan;
}

QString momentLines(const DropState& atT) {
    return QStringLiteral("当t=") + wc(atT.turnTimeX) + QStringLiteral(" 时，vx=0") + crlf +
           QStringLiteral("t=") + wc(atT.turnTimeY) + QStringLiteral("时，") +
           QStringLiteral("vy为vfy。");
}

// --- commands ---

bool pauseBriefly(MainWindow& w) {
    w.services().clock.pause(0.01, WaitKind::Processing);
    return !w.closing;
}

bool pauseThenClear(MainWindow& w) {
    if (!pauseBriefly(w))
        return false;
    w.Picture1->cls();
    return true;
}

void deriveAndPlot(MainWindow& w) {
    SharedState& st = w.state();
    // Hiding the player is not enough after a video: 视频播放 hid the plot
    // area, and nothing else shows it again, so the plot would be drawn unseen.
    if (w.WindowsMediaPlayer1)
        w.WindowsMediaPlayer1->setVisible(false);
    w.Picture1->show();
    st.simulationMode = true;
    st.captureMode = false;
    st.angleTransformArmed = false;

    w.Text1[11]->setText(QString());
    w.Label1[14]->setText(QStringLiteral("阻力为："));
    w.Picture1->setBackColor(w.paperColor());

    derive(w);

    w.Label1[14]->hide();
}

void replayDrop(MainWindow& w) {
    const auto checked = checkInputs(w);
    if (!checked)
        return;
    const auto atT = tryDropStateAt(checked->in, checked->t);
    const auto plot = atT ? samplePlot(checked->in, checked->t) : std::nullopt;
    if (!plot) {
        notify(w, arithmeticErrorMessage);
        return;
    }

    PictureBox& pic = *w.Picture1;
    pic.clearPicture();
    pic.setBackColor(colors::panelGreen);

    // Not square: each axis gets its own range. A flat range cannot be a
    // scale, so such a path is not drawn; its range line still comes.
    const double xr = plot->xr, yr = plot->yr;
    const bool drawable = xr > 0 && yr > 0;
    w.foreColor = colors::blue;
    if (drawable) {
        pic.scale(-xr, -yr, xr, yr);
        pic.setCurrent(0, 0);
        // One black drop moves along the path: each step clears the last.
        for (const PathPoint& p : plot->points) {
            if (!pauseThenClear(w))
                return;
            pic.setFillColor(colors::black);
            pic.setFillStyle(FillStyle::Solid);
            pic.circle(p.x, p.y, xr / 50, colors::black);
        }
        pic.setCurrent(0, 0);
        for (const PathPoint& p : plot->points) {
            if (!pauseBriefly(w))
                return;
            pic.lineTo(p.x, p.y, colors::red);
        }
        drawFrameAndAxes(pic, xr, yr);
    }
    w.Label1[14]->setText(QStringLiteral("坐标："));
    if (drawable) {
        if (!traceEllipse(w, 0.9 * xr, 0.9 * yr, 0.9 * yr))
            return;
        if (!traceEllipse(w, 0.9 * xr, 0.3 * 0.9 * yr, 0.9 * yr))
            return;
    }
    w.Text1[11]->appendText(QStringLiteral("坐标范围：") + QStringLiteral("(") + wc(-xr) +
                            QStringLiteral(",") + wc(xr) + QStringLiteral(")") +
                            QStringLiteral("--") + QStringLiteral("(") + wc(-yr) +
                            QStringLiteral(",") + wc(yr) + QStringLiteral(")"));
}

void highlightField(MainWindow& w, int index) {
    if (index >= 0 && index <= 13)
        w.Text1[index]->setBackColor(rgb(239, 239, 158));
}

void emptyField(MainWindow& w, int index) {
    if (index >= 0 && index <= 13)
        w.Text1[index]->setText(QString());
}

} // namespace quorin
