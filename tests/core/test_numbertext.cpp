#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "support/QtPrint.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

using namespace quorin;

TEST(NumberText, DefaultTextOfDoubles) {
    const std::vector<std::pair<double, const char*>> cases = {
        {0.0, "0"},
        {-0.0, "0"},
        {2.0, "2"},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456.789, "123456.789"},
        {0.000001, "0.000001"},
        {1e-7, "1E-07"},
        {1.5e20, "1.5E+20"},
        {1e15, "1E+15"},
        {999999999999999.0, "999999999999999"},
        {-1234.5e-10, "-1.2345E-07"},
        {0.1 + 0.2, "0.3"},
        {100.0, "100"},
        {1e300, "1E+300"},
    };
    for (const auto& [v, text] : cases)
        EXPECT_EQ(numberToText(v), QString::fromLatin1(text)) << v;
}

TEST(NumberText, SinglePrecisionText) {
    EXPECT_EQ(singleToText(0.1f), "0.1");
    EXPECT_EQ(singleToText(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(singleToText(1671168.0f), "1671168");
    EXPECT_EQ(singleToText(16711680.0f), "1.671168E+07"); // 8 digits need an exponent
    EXPECT_EQ(singleToText(123.456f), "123.456");
}

TEST(NumberText, IsNumericAcceptsNumbersOnly) {
    for (const char* yes :
         {"1", " 1 ", "-2.5", "+3", ".5", "5.", "1e3", "1E-3", "  -0.0  ", "12345678901234567890"})
        EXPECT_TRUE(isNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no :
         {"", " ", "abc", "1a", "--1", "1e", "e5", ".", "nan", "inf", "1,5", "1 2", "1e999"})
        EXPECT_FALSE(isNumeric(QString::fromLatin1(no))) << no;
    EXPECT_FALSE(isNumeric(QStringLiteral("１２"))); // full-width digits are not numbers
}

TEST(NumberText, ValTakesTheNumericPrefix) {
    EXPECT_DOUBLE_EQ(val("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(val("  -3.5e2x"), -350.0);
    EXPECT_DOUBLE_EQ(val("abc"), 0.0);
    EXPECT_DOUBLE_EQ(val(""), 0.0);
    EXPECT_DOUBLE_EQ(val("1e"), 1.0);
    EXPECT_DOUBLE_EQ(val("7\t"), 7.0);
}

TEST(NumberText, IntIsTheFloor) {
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.1), -3.0);
    EXPECT_EQ(Int(-0.0), 0.0);
}

TEST(NumberText, ForStepCountsLikeTheProgramsLoops) {
    std::vector<double> seen;
    EXPECT_TRUE(forStep(0.0, 1.0, 0.25, [&](double v) { seen.push_back(v); }));
    EXPECT_EQ(seen, (std::vector<double>{0, 0.25, 0.5, 0.75, 1.0}));

    seen.clear();
    EXPECT_TRUE(forStep(0.0, -1.0, -0.5, [&](double v) { seen.push_back(v); }));
    EXPECT_EQ(seen, (std::vector<double>{0, -0.5, -1.0}));

    // A step that never reaches the end runs no pass (the loop test fails at once).
    seen.clear();
    EXPECT_TRUE(forStep(0.0, 1.0, -0.5, [&](double v) { seen.push_back(v); }));
    EXPECT_TRUE(seen.empty());

    // The body can end the loop early.
    int passes = 0;
    forStep(0.0, 100.0, 1.0, [&](double) { return ++passes < 3; });
    EXPECT_EQ(passes, 3);
}

TEST(NumberText, ForStepRefusesStepsThatWouldNeverEnd) {
    int passes = 0;
    auto count = [&](double) { ++passes; };
    EXPECT_FALSE(forStep(0.0, 1.0, 0.0, count));
    EXPECT_FALSE(forStep(0.0, 1.0, std::numeric_limits<double>::quiet_NaN(), count));
    EXPECT_FALSE(forStep(0.0, 1.0, std::numeric_limits<double>::infinity(), count));
    EXPECT_FALSE(forStep(1e20, 2e20, 1.0, count)); // 1e20 + 1 == 1e20
    EXPECT_FALSE(forStep(std::nan(""), 1.0, 0.1, count));
    EXPECT_EQ(passes, 0);
}

TEST(Colour, ValuesKeepRedInTheLowByte) {
    EXPECT_EQ(rgb(255, 0, 0), 255);
    EXPECT_EQ(rgb(0, 255, 0), 65280);
    EXPECT_EQ(rgb(0, 0, 255), 16711680);
    EXPECT_EQ(rgb(192, 216, 0), 55488);
    const ColorValue c = rgb(12, 34, 56);
    EXPECT_EQ(redOf(c), 12);
    EXPECT_EQ(greenOf(c), 34);
    EXPECT_EQ(blueOf(c), 56);
}

TEST(Dialogs, FiltersBecomeQtFilters) {
    EXPECT_EQ(toQtFilter(QStringLiteral("文本文件*.txt|*.txt")),
              QStringLiteral("文本文件*.txt (*.txt)"));
    EXPECT_EQ(
        toQtFilter(QStringLiteral("图形文件*.jpg|*.jpg|图形文件*.bmp|*.bmp|图形文件*.gif|*.gif")),
        QStringLiteral("图形文件*.jpg (*.jpg);;图形文件*.bmp (*.bmp);;图形文件*.gif (*.gif)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("所有文件|*.*")), QStringLiteral("所有文件 (*.*)"));
}

// The quick reading of plain decimals must give exactly what the general
// conversion gives, to the last bit.
TEST(NumberText, NumericValueReadsDecimalsExactly) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<long long> digits(0, 999999999999999LL);
    std::uniform_int_distribution<int> point(0, 15);
    for (int i = 0; i < 20000; ++i) {
        QString text = QString::number(digits(gen));
        const int p = std::min<int>(point(gen), int(text.size()));
        if (p > 0)
            text.insert(text.size() - p, QLatin1Char('.'));
        if (i % 2)
            text.prepend(QLatin1Char('-'));
        bool ok = false;
        const double expected = text.toDouble(&ok);
        ASSERT_TRUE(ok) << text.toStdString();
        ASSERT_EQ(quorin::numericValue(text), expected) << text.toStdString();
    }
    EXPECT_EQ(quorin::numericValue(u" +12.5 "), 12.5);
    EXPECT_EQ(quorin::numericValue(u"1e3"), 1000);
    EXPECT_FALSE(quorin::numericValue(u"+-1"));
    EXPECT_FALSE(quorin::numericValue(u"1e999"));
    EXPECT_FALSE(quorin::numericValue(u"0x10"));
}
