#include "platform/PictureGeometry.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

using namespace quorin;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
// A 200 x 100 image with a margin of 19 pixels around it.
const QRectF area(-19, -19, 238, 138);

} // namespace

// --- clipping and rounding ---

TEST(PictureGeometry, FarHorizontalAndVerticalLinesClipExactly) {
    struct Case {
        QPointF a, b, clippedA, clippedB;
    };
    const std::vector<Case> cases = {
        {{-1e300, 50.25}, {1e300, 50.25}, {-19, 50.25}, {219, 50.25}},
        {{1e300, 50.25}, {-1e300, 50.25}, {219, 50.25}, {-19, 50.25}},
        {{100.5, -1e300}, {100.5, 1e300}, {100.5, -19}, {100.5, 119}},
        {{100.5, 1e20}, {100.5, 60}, {100.5, 119}, {100.5, 60}},
        {{10, 10}, {20.5, 30}, {10, 10}, {20.5, 30}},
    };
    for (const auto& [a, b, clippedA, clippedB] : cases) {
        QPointF p = a, q = b;
        ASSERT_TRUE(clipSegment(p, q, area)) << a.x() << ' ' << a.y();
        EXPECT_EQ(p.x(), clippedA.x());
        EXPECT_EQ(p.y(), clippedA.y());
        EXPECT_EQ(q.x(), clippedB.x());
        EXPECT_EQ(q.y(), clippedB.y());
    }
}

TEST(PictureGeometry, ClippingRefusesWhatCannotShow) {
    const std::vector<std::pair<QPointF, QPointF>> cases = {
        {{-1e300, 50}, {-20, 50}},         // left of the area
        {{-100, 50}, {50, -100}},          // passes the corner outside
        {{notANumber, 0}, {10, 10}},       // NaN would pass every test as inside
        {{0, 0}, {infinity, 10}},          // no crossing to find
        {{-infinity, 50}, {infinity, 50}}, // nor here
    };
    for (auto [a, b] : cases)
        EXPECT_FALSE(clipSegment(a, b, area)) << a.x() << ' ' << b.x();
}

TEST(PictureGeometry, RoundingFindsThePixelAndSaturates) {
    // Pixel i covers [i - 0.5, i + 0.5): halves go up, also below zero.
    EXPECT_EQ(roundPoint({-0.5, 0.5}), QPoint(0, 1));
    EXPECT_EQ(roundPoint({-0.51, 0.49}), QPoint(-1, 0));
    EXPECT_EQ(roundPoint({-1.5, 2.5}), QPoint(-1, 3));
    EXPECT_EQ(roundPoint({1e300, -1e300}), QPoint(INT_MAX, INT_MIN));
    EXPECT_EQ(roundPoint({notANumber, 7}), QPoint(0, 7));
    EXPECT_EQ(snapToPixel({-0.5, 3e9 + 0.5}), QPointF(0, 3e9 + 1));
    EXPECT_EQ(clampInto({-1e300, 50}, area), QPointF(-19, 50));
}

// --- huge ellipses ---

// Reading a colour: the pixel a position falls in, none in the half pixel
// beyond the last one or before the first.
TEST(PictureGeometry, ReadingTakesThePixelThePositionFallsIn) {
    const QSize size(3, 2);
    EXPECT_EQ(pixelRead({0.0, 0.0}, size), QPoint(0, 0));
    EXPECT_EQ(pixelRead({-0.5, -0.5}, size), QPoint(0, 0));
    EXPECT_EQ(pixelRead({1.4999, 0.5}, size), QPoint(1, 1));
    EXPECT_EQ(pixelRead({2.4999, 1.4999}, size), QPoint(2, 1));
    EXPECT_EQ(pixelRead({2.5, 0.0}, size), std::nullopt);
    EXPECT_EQ(pixelRead({0.0, 1.5}, size), std::nullopt);
    EXPECT_EQ(pixelRead({-0.50001, 0.0}, size), std::nullopt);
    EXPECT_EQ(pixelRead({std::nan(""), 0.0}, size), std::nullopt);
    EXPECT_EQ(pixelRead({0.0, 0.0}, QSize(0, 0)), std::nullopt);
    // Twips at 96 dpi: 15 a pixel; 37 twips lie in pixel 2, 38 beyond it.
    EXPECT_EQ(twipsPerPixelAt(96.0), 15.0);
    EXPECT_EQ(pixelRead(twipsToPixelPosition(37, 0, 15.0), size), QPoint(2, 0));
    EXPECT_EQ(pixelRead(twipsToPixelPosition(38, 0, 15.0), size), std::nullopt);
}

TEST(PictureGeometry, HugeEllipseArcsCoverOnlyTheVisibleArea) {
    struct Case {
        QPointF centre;
        double rx, ry;
        double visibleAngle; // in all
    };
    const std::vector<Case> cases = {
        {{-1e6 + 100, 50}, 1e6, 1e6, 138 / 1e6}, // edge upright at x = 100, across t = 0
        {{100, 1e6}, 1e8, 1e6, 238 / 1e8},       // flat top touching y = 0
        {{100, 50}, 1e9, 1e9, 0},                // around the area
        {{1e9, 50}, 1e6, 1e6, 0},                // beside it
    };
    for (const auto& [c, rx, ry, visibleAngle] : cases) {
        SCOPED_TRACE(c.x());
        double total = 0;
        for (const auto& [from, to] : visibleArcs(c, rx, ry, area)) {
            total += to - from;
            for (const double t : {from, (from + to) / 2, to}) {
                const QPointF p(c.x() + rx * std::cos(t), c.y() + ry * std::sin(t));
                EXPECT_TRUE(area.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(p)) << t;
            }
        }
        EXPECT_NEAR(total, visibleAngle, 1e-3 * visibleAngle + 1e-12);
    }
}

TEST(PictureGeometry, TracedArcsStayOnTheEdgeWithinTheirBudget) {
    // The edge of a huge circle crosses the image upright at x = 100.
    int points = 0;
    for (const auto& line : traceArcs({-1e6 + 100, 50}, 1e6, 1e6, area))
        for (const QPoint& p : line) {
            ++points;
            EXPECT_EQ(p.x(), 100);
            EXPECT_TRUE(p.y() >= -19 && p.y() <= 119) << p.y();
        }
    EXPECT_GT(points, 0);

    // A whole circle on a budget of 8 points, and one more per arc.
    const auto lines = traceArcs({100, 50}, 50, 50, area, 8);
    points = 0;
    for (const auto& line : lines)
        points += static_cast<int>(line.size());
    EXPECT_LE(points, 8 + static_cast<int>(lines.size()));
}

TEST(PictureGeometry, EllipseRowSpans) {
    struct Case {
        QPointF centre;
        double rx, ry;
        int row;
        std::optional<std::pair<int, int>> span;
    };
    const std::vector<Case> cases = {
        {{100.5, 50}, 30, 10, 50, std::pair{71, 130}}, // pixels whose centre is inside
        {{-1e6 + 100, 50}, 1e6, 1e6, 50, std::pair{0, 100}},
        {{100, 50}, 1e6, 10, 50, std::pair{0, 199}},   // wider than the row
        {{100, 50}, 1e6, 10, 61, std::nullopt},        // below it
        {{1e6 + 300, 50}, 1e6, 1e6, 50, std::nullopt}, // right of the row
    };
    for (const auto& [c, rx, ry, row, span] : cases)
        EXPECT_EQ(ellipseRowSpan(c, rx, ry, row, 200), span) << c.x() << ' ' << row;
}

// --- scale ---

TEST(PictureScale, EmptyOrNonFiniteRectangleIsRefused) {
    PictureScale scale;
    ASSERT_TRUE(scale.setUser(0, 0, 10, 10));
    EXPECT_FALSE(scale.setUser(5, 0, 5, 10));
    EXPECT_FALSE(scale.setUser(0, 3, 10, 3));
    EXPECT_FALSE(scale.setUser(0, 0, infinity, 10));
    EXPECT_FALSE(scale.setUser(notANumber, 0, 10, 10));
    EXPECT_FALSE(scale.setUser(-1e308, 0, 1e308, 10)); // width overflows
    EXPECT_EQ(scale.left(), 0);
    EXPECT_EQ(scale.width({200, 100}, 15), 10);
    EXPECT_EQ(scale.height({200, 100}, 15), 10);
}

TEST(PictureScale, ConversionsRoundTripAndFollowTheSize) {
    PictureScale twips, pixels, centred, yUp;
    pixels.setPixels();
    centred.setUser(-100, -50, 100, 50);
    yUp.setUser(0, 10, 20, 0);
    const QSize size(200, 100);
    const std::vector<std::tuple<const char*, PictureScale, QPointF, QPointF>> cases = {
        {"twips", twips, {1500, 750}, {100, 50}},
        {"pixels", pixels, {10.5, 20}, {10.5, 20}},
        {"centred", centred, {90, 40}, {190, 90}},
        {"y up", yUp, {10, 2}, {100, 80}},
    };
    for (const auto& [name, scale, user, pixel] : cases) {
        SCOPED_TRACE(name);
        const QPointF p = scale.toPixels(user.x(), user.y(), size, 15);
        EXPECT_DOUBLE_EQ(p.x(), pixel.x());
        EXPECT_DOUBLE_EQ(p.y(), pixel.y());
        const QPointF back = scale.toUser(p, size, 15);
        EXPECT_DOUBLE_EQ(back.x(), user.x());
        EXPECT_DOUBLE_EQ(back.y(), user.y());
        // An empty box gives no NaN.
        EXPECT_TRUE(isFinite(scale.toPixels(5, 5, {0, 0}, 15)));
        EXPECT_EQ(scale.toUser({7, 7}, {0, 0}, 15), QPointF(scale.left(), scale.top()));
    }
    // Twips and pixels follow the size; a user scale keeps its rectangle.
    EXPECT_EQ(twips.width({300, 150}, 15), 4500);
    EXPECT_EQ(pixels.height({300, 150}, 15), 150);
    EXPECT_EQ(yUp.width({300, 150}, 15), 20);
}
