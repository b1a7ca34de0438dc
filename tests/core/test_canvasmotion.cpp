#include "core/CanvasMotion.h"
#include "platform/NumberText.h"
#include "support/QtPrint.h"
#include <cmath>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using canvasround::wcc;
using canvasround::wcs;
using canvasround::wct;

TEST(CanvasRounding, HalvesGoUpAndTheCutIsTheFloor) {
    EXPECT_EQ(wcc(0.25), 0.3);
    EXPECT_EQ(wcc(-0.25), -0.2);
    EXPECT_EQ(wcs(0.29), 0.2);
    EXPECT_EQ(wcs(-0.21), -0.3);
    EXPECT_EQ(canvasround::wc(1.0 / 3), 333333 / 1e6);
    EXPECT_EQ(canvasround::wc(2.0 / 3), 666667 / 1e6);
    EXPECT_EQ(canvasround::wc(-1.0 / 3), -333333 / 1e6);
    EXPECT_EQ(wct(1.0 / 3), static_cast<float>(333333 / 1e6));
    EXPECT_EQ(canvasround::wc(-0.5), -0.5);
    EXPECT_EQ(canvasround::wc(1e20), 1e20);
    EXPECT_EQ(canvasround::wc(-1.2345678), -1234568 / 1e6);
    EXPECT_EQ(canvasround::wc(-123456.0000005), -123456); // a half goes up, also below 0
    EXPECT_TRUE(std::isnan(canvasround::wc(std::nan(""))));
}

// The main window's text rule and the canvas's number rule agree wherever
// the seventh decimal is a plain digit: the canvas text is the same.
TEST(CanvasRounding, AgreesWithTheMainWindowText) {
    for (double v = -50; v < 50; v += 0.0123456789)
        EXPECT_EQ(numberToText(canvasround::wc(v)), quorin::wc(v)) << v;
}

DropInputs drop(double vy0, double vfy) {
    DropInputs in;
    in.radiusMm = 1;
    in.density = 1;
    in.vx0 = 1;
    in.vfx = 1;
    in.vy0 = vy0;
    in.vfy = vfy;
    return in;
}

TEST(CanvasMoments, ModelWritesItsMomentOnlyInTheTwoRisingCases) {
    // Slower than a downward wind: the apex time as plain text.
    const DropInputs slower = drop(1, 2);
    ASSERT_EQ(canvasModelMoment(slower), numberToText(relativeApexTime(slower)));
    EXPECT_EQ(relativeApexTime(slower), dropStateAt(slower, 5).turnTimeY);
    // Thrown upward into a downward wind.
    const DropInputs upward = drop(-3, 2);
    EXPECT_EQ(canvasModelMoment(upward),
              QStringLiteral("t=") + numberToText(canvasround::wc(relativeApexTime(upward))) +
                  QStringLiteral("时，vy为vfy。"));
    // Vy0 = 0 < VFy is both; the "both downward" text is the one written.
    EXPECT_EQ(canvasModelMoment(drop(0, 2)), numberToText(relativeApexTime(drop(0, 2))));
    // Faster than the wind, or an upward wind: the box is left alone.
    EXPECT_FALSE(canvasModelMoment(drop(3, 2)));
    EXPECT_FALSE(canvasModelMoment(drop(-3, -1)));
    EXPECT_FALSE(canvasModelMoment(drop(2, -1)));
}

TEST(CanvasMoments, DeriveMessagesTheWindAndTheTopOfTheFlight) {
    const DropInputs upward = drop(-3, 2);
    EXPECT_EQ(canvasDeriveMessage(upward, 1), canvasModelMoment(upward));

    // Thrown upward harder than an upward wind: the apex relative to the
    // air, then the top where vy passes 0.
    const DropInputs climb = drop(-5, -1);
    const double ta = relativeApexTime(climb);
    const auto late = canvasDeriveMessage(climb, ta + 1);
    ASSERT_TRUE(late);
    const QString head =
        QStringLiteral("t=") + numberToText(canvasround::wc(ta)) + QStringLiteral("时，");
    ASSERT_TRUE(late->startsWith(head + QStringLiteral("\n\rvy达到vfy.\r\nt=")))
        << late->toStdString();
    EXPECT_TRUE(late->endsWith(QStringLiteral("时，\r\nvy为0.")));
    const qsizetype from = late->indexOf(QStringLiteral("\r\nt=")) + 4;
    const double top = late->mid(from, late->indexOf(QStringLiteral("时"), from) - from).toDouble();
    EXPECT_GT(top, ta);
    EXPECT_NEAR(dropStateAt(climb, top).vy, 0, 1e-9); // checked against the model itself
    // Before the apex the top's time is left empty.
    EXPECT_EQ(canvasDeriveMessage(climb, ta / 2),
              head + QStringLiteral("\n\rvy达到vfy.\r\nt=时，\r\nvy为0."));

    EXPECT_FALSE(canvasDeriveMessage(drop(2, 1), 1));   // thrown downward
    EXPECT_FALSE(canvasDeriveMessage(drop(-1, -3), 1)); // |Vy0| below |VFy|
}

} // namespace
} // namespace quorin
