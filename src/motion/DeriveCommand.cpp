#include "motion/DeriveCommand.h"
#include "core/PlotSampling.h"
#include "platform/MediaPlayer.h"
#include "platform/NumberText.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace quorin {

namespace {

const double pi = 4 * std::atan(1.0);
constexpr ColorValue circleColor = rgb(128, 64, 128);

void notify(PlotEnv& env, const char* text) {
    env.services.dialogs.message(QString::fromUtf8(text), MessageButtons::Ok,
                                 QStringLiteral("Quorin"));
}

// The fields both plot commands read, and a flight time that moves the
// sampling forward: t <= 0 would make the sampling steps 0 or run backwards
// through times the model does not describe.
struct CheckedInputs {
    DropInputs in;
    double t = 0;
};

std::optional<CheckedInputs> checkInputs(PlotEnv& env) {
    const double t = readFlightTime(env.fields);
    if (!dropFieldsAreNumbers(env.fields) || !(t > 0)) {
        notify(env, inputCheckMessage);
        return std::nullopt;
    }
    return CheckedInputs{readDropInputs(env.fields), t};
}

ColorValue randomPenColor(PlotEnv& env) {
    const double c = std::round(env.services.random.next() * env.state.penColor);
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
bool traceEllipse(PlotEnv& env, double rx, double ry, double startY) {
    PictureBox& pic = env.plot;
    pic.setCurrent(0, startY);
    bool alive = true;
    forStep(0.0, 2 * pi, 2 * pi / 150, [&](double a) {
        if (!pauseBriefly(env)) {
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
bool drawFan(PlotEnv& env, const std::vector<PathPoint>& points) {
    PictureBox& pic = env.plot;
    for (const PathPoint& p : points) {
        if (!pauseBriefly(env))
            return false;
        pic.setFillColor(colors::black);
        pic.setFillStyle(FillStyle::Solid);
        pic.line(0, 0, p.x, p.y, randomPenColor(env));
    }
    return true;
}

// The evaluation and the animated plot of 推导计算; returns early when a step
// fails or the window closes.
void derive(PlotEnv& env) {
    const auto checked = checkInputs(env);
    if (!checked)
        return;
    const DropInputs& in = checked->in;
    const double t = checked->t;

    // Everything that can fail is computed before anything is written, from
    // one reading of the fields: an error leaves the result fields as they
    // were, and a field edited while the plot animates cannot mix two drops
    // in one run.
    const auto results = deriveResults(in, t);
    if (!results) {
        notify(env, arithmeticErrorMessage);
        return;
    }
    const DropState& atT = results->atT;
    const PlotSamples& plot = results->plot;
    if (atT.hidesDragLabel)
        env.dragLabel.hide();

    env.fields.setFieldText(5, wc(atT.x));
    env.fields.setFieldText(6, wc(atT.y));
    env.fields.setFieldText(7, wc(atT.vx));
    env.fields.setFieldText(8, wc(atT.vy));

    // A missing picture is no reason to stop: the plot goes on the paper colour.
    PictureBox& pic = env.plot;
    pic.loadPicture(env.services.folder.picture(QStringLiteral("I1.jpg")));

    const double R = plot.R;
    // A window of size 0 cannot be a scale; the results still come, unplotted.
    const bool drawable = R > 0;
    env.foreColor = colors::blue;
    if (drawable) {
        pic.scale(-R, -R, R, R);
        pic.setCurrent(0, 0);
        if (!drawFan(env, plot.points))
            return;
        pic.setCurrent(0, 0);
        if (!drawFan(env, plot.points))
            return;
        drawFrameAndAxes(pic, R, R);
        if (!traceEllipse(env, 0.9 * R, 0.9 * R, 0.9 * R))
            return;
    }

    env.fields.setFieldText(9, wc(results->speed()));
    env.fields.setFieldText(12, wc(results->scan.length));
    env.fields.appendFieldText(11, results->notes());
}

} // namespace

// --- the model on the fields ---

// --- commands ---

bool pauseBriefly(PlotEnv& env) {
    env.services.clock.pause(0.01, WaitKind::Processing);
    return !env.closing;
}

bool pauseThenClear(PlotEnv& env) {
    if (!pauseBriefly(env))
        return false;
    env.plot.cls();
    return true;
}

void deriveAndPlot(PlotEnv& env) {
    SharedState& st = env.state;
    // Hiding the player is not enough after a video: 视频播放 hid the plot
    // area, and nothing else shows it again, so the plot would be drawn unseen.
    if (env.player)
        env.player->setVisible(false);
    env.plot.show();
    st.simulationMode = true;
    st.captureMode = false;
    st.angleTransformArmed = false;

    env.fields.setFieldText(11, QString());
    env.dragLabel.setText(QStringLiteral("阻力为："));
    env.plot.setBackColor(env.state.swatches.paper());

    derive(env);

    env.dragLabel.hide();
}

void replayDrop(PlotEnv& env) {
    const auto checked = checkInputs(env);
    if (!checked)
        return;
    const auto atT = tryDropStateAt(checked->in, checked->t);
    const auto plot = atT ? samplePlot(checked->in, checked->t, mainPlotSteps) : std::nullopt;
    if (!plot) {
        notify(env, arithmeticErrorMessage);
        return;
    }

    PictureBox& pic = env.plot;
    pic.clearPicture();
    pic.setBackColor(colors::panelGreen);

    // Not square: each axis gets its own range. A flat range cannot be a
    // scale, so such a path is not drawn; its range line still comes.
    const double xr = plot->xr, yr = plot->yr;
    const bool drawable = xr > 0 && yr > 0;
    env.foreColor = colors::blue;
    if (drawable) {
        pic.scale(-xr, -yr, xr, yr);
        pic.setCurrent(0, 0);
        // One black drop moves along the path: each step clears the last.
        for (const PathPoint& p : plot->points) {
            if (!pauseThenClear(env))
                return;
            pic.setFillColor(colors::black);
            pic.setFillStyle(FillStyle::Solid);
            pic.circle(p.x, p.y, xr / 50, colors::black);
        }
        pic.setCurrent(0, 0);
        for (const PathPoint& p : plot->points) {
            if (!pauseBriefly(env))
                return;
            pic.lineTo(p.x, p.y, colors::red);
        }
        drawFrameAndAxes(pic, xr, yr);
    }
    env.dragLabel.setText(QStringLiteral("坐标："));
    if (drawable) {
        if (!traceEllipse(env, 0.9 * xr, 0.9 * yr, 0.9 * yr))
            return;
        if (!traceEllipse(env, 0.9 * xr, 0.3 * 0.9 * yr, 0.9 * yr))
            return;
    }
    env.fields.appendFieldText(11, QStringLiteral("坐标范围：") + QStringLiteral("(") + wc(-xr) +
                                       QStringLiteral(",") + wc(xr) + QStringLiteral(")") +
                                       QStringLiteral("--") + QStringLiteral("(") + wc(-yr) +
                                       QStringLiteral(",") + wc(yr) + QStringLiteral(")"));
}

} // namespace quorin
