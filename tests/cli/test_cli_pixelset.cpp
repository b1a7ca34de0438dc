#include "support/RunTool.h"
#include "support/TempFolder.h"
#include <QDir>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace quorin {
namespace {

using test::runTool;
using test::TempFolder;

struct Pixel {
    int r, g, b;
};

// A picture as a binary PPM: rows top down, each pixel red, green, blue.
QByteArray ppm(int width, int height, const std::vector<Pixel>& pixels) {
    QByteArray out =
        "P6\n" + QByteArray::number(width) + ' ' + QByteArray::number(height) + "\n255\n";
    for (const Pixel& p : pixels) {
        out += char(p.r);
        out += char(p.g);
        out += char(p.b);
    }
    return out;
}

// How a pixel set writes a colour: blue, green, red as one hexadecimal
// number, upper case, no leading zeros.
QByteArray hex(const Pixel& p) {
    return QByteArray::number((p.b << 16) | (p.g << 8) | p.r, 16).toUpper();
}

// 3 x 2 pixels: 45 x 30 twips at 15 twips a pixel.
const std::vector<Pixel> small = {{255, 0, 0}, {0, 255, 0},     {0, 0, 255},
                                  {0, 0, 0},   {255, 255, 255}, {18, 52, 86}};

class PixelSetTool : public ::testing::Test {
protected:
    void SetUp() override {
        t.write(QStringLiteral("small.ppm"), ppm(3, 2, small));
        t.write(QStringLiteral("binary.txt"), QByteArray("FF\t1\r\n\0\x89PNG\r\n", 13));
        QDir(t.file(QString())).mkdir(QStringLiteral("folder"));
    }
    QString f(const char* name) const { return t.file(QString::fromUtf8(name)); }
    test::ToolRun run(QStringList words) {
        words.prepend(QStringLiteral("pixelset"));
        return runTool(words);
    }
    // Runs that each exit with 2, naming what is wrong on stderr, and
    // print nothing.
    using Refusals = std::vector<std::pair<QStringList, const char*>>;
    void expectRefused(const Refusals& bad) {
        for (const auto& [words, told] : bad) {
            SCOPED_TRACE(words.join(' ').toStdString());
            const auto r = run(words);
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QString::fromUtf8(told)))
                << r.err.constData();
            EXPECT_TRUE(r.out.isEmpty());
        }
    }
    TempFolder t;
};

// --- capture ---

// A column per line, each point's colour and a TAB, the running total. A grid
// point x, y (twips) reads the pixel it falls in, pixel i covering 15 i - 7.5
// up to 15 i + 7.5 twips; past the last one it reads FFFFFFFF.
TEST_F(PixelSetTool, CaptureWritesTheColourUnderEachGridPoint) {
    const auto colourAt = [](int x, int y) -> QByteArray {
        const int px = int(std::floor(x / 15.0 + 0.5)), py = int(std::floor(y / 15.0 + 0.5));
        return px < 3 && py < 2 ? hex(small[std::size_t(py * 3 + px)]) : "FFFFFFFF";
    };
    // Steps of 15 twips (a pixel), 7 twips and, across, 1 twip.
    for (const auto& [x, y] : {std::pair{3, 2}, {6, 4}, {45, 1}}) {
        SCOPED_TRACE(x);
        const auto r = run({"capture", f("small.ppm"), f("a.txt"),
                            QStringLiteral("--resolution=%1x%2").arg(x).arg(y)});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty() && r.out.isEmpty());
        const int stepX = 45 / x, stepY = 30 / y;
        QByteArray expected;
        int total = 0;
        for (int tx = 0; tx <= 45 - stepX; tx += stepX) {
            for (int ty = 0; ty <= 30 - stepY; ty += stepY, ++total)
                expected += colourAt(tx, ty) + '\t';
            expected += QByteArray::number(total) + "\r\n";
        }
        EXPECT_EQ(t.read(QStringLiteral("a.txt")), expected);
    }
}

TEST_F(PixelSetTool, CaptureRefusesBadPicturesResolutionsAndOutputs) {
    t.write(QStringLiteral("old.txt"), "old\r\n");
    const Refusals bad = {
        {{"capture", f("missing.ppm"), f("old.txt")}, "missing.ppm"},
        {{"capture", f("folder"), f("old.txt")}, "folder"},
        {{"capture", f("binary.txt"), f("old.txt")}, "无法打开图像文件"},
        {{"capture", f("small.ppm"), f("old.txt"), "--resolution", "0x2"}, "0x2"},
        {{"capture", f("small.ppm"), f("old.txt"), "--resolution", "3"}, "3"},
        {{"capture", f("small.ppm"), f("old.txt"), "--resolution", "46x2"}, "46x2"},
        {{"capture", f("small.ppm"), f("no/such/folder/a.txt"), "--resolution", "3x2"}, "a.txt"},
        {{"capture", f("small.ppm"), f("folder"), "--resolution", "3x2"}, "folder"},
        {{"capture", f("small.ppm")}, "capture"},
        {{"capture", f("small.ppm"), f("old.txt"), "--scale", "2"}, "--scale"},
    };
    expectRefused(bad);
    EXPECT_EQ(t.read(QStringLiteral("old.txt")), "old\r\n");
    EXPECT_EQ(QDir(t.file(QString())).entryList(QDir::Files).size(), 3); // no temporary left
}

// --- compare ---

// The difference file: the second set's text (as the rows are read: lower
// case) where the colours differ by more than the threshold, "*" elsewhere,
// on the first set's grid (its lines, and the points of its first line); the
// number of differing points on stdout.
TEST_F(PixelSetTool, CompareWritesTheDifferencesOnTheFirstSetsGrid) {
    const QByteArray a = "FF\t0\t2\r\nFF00\tFFFFFF\t4\r\n";
    // FE against FF: distance 1; 0 against FFFFFF: distance 441.
    const QByteArray b = "FE\t0\t2\r\nFF00\t0\t4\r\n";
    struct Case {
        QByteArray first, second;
        QStringList options;
        int exitCode;
        QByteArray count, file;
    };
    const Case cases[] = {
        {a, b, {}, 1, "1", "*\t*\t2\r\n*\t0\t4\r\n"},
        {a, b, {"--threshold", "0"}, 1, "2", "fe\t*\t2\r\n*\t0\t4\r\n"},
        {a, a, {}, 0, "0", "*\t*\t2\r\n*\t*\t4\r\n"},
        {"FF\t0\t2\r\n", "FF\tFF00\t0\t3\r\nFF\tFF\tFF\t6\r\n", {}, 1, "1", "*\tff00\t2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.constData());
        t.write(QStringLiteral("a.txt"), c.first);
        t.write(QStringLiteral("b.txt"), c.second);
        const auto r = run(QStringList{"compare", f("a.txt"), f("b.txt"), f("d.txt")} + c.options);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.constData();
        EXPECT_EQ(r.out, c.count + '\n');
        EXPECT_EQ(t.read(QStringLiteral("d.txt")), c.file);
    }
}

TEST_F(PixelSetTool, CompareRefusesBadSetsAndThresholdsAndKeepsTheOldOutput) {
    t.write(QStringLiteral("a.txt"), "FF\t0\t2\r\n");
    t.write(QStringLiteral("words.txt"), "这不是像素\r\n集合\r\n");
    t.write(QStringLiteral("old.txt"), "old\r\n");
    const Refusals bad = {
        {{"compare", f("missing.txt"), f("a.txt"), f("old.txt")}, "missing.txt"},
        {{"compare", f("a.txt"), f("folder"), f("old.txt")}, "folder"},
        {{"compare", f("a.txt"), f("binary.txt"), f("old.txt")}, "不是像素集合文件"},
        {{"compare", f("words.txt"), f("a.txt"), f("old.txt")}, "不是像素集合文件"},
        {{"compare", f("small.ppm"), f("a.txt"), f("old.txt")}, "不是像素集合文件"},
        {{"compare", f("a.txt"), f("a.txt"), f("old.txt"), "--threshold", "abc"}, "abc"},
        {{"compare", f("a.txt"), f("a.txt"), f("no/such/folder/d.txt")}, "d.txt"},
        {{"compare", f("a.txt"), f("a.txt")}, "compare"},
    };
    expectRefused(bad);
    EXPECT_EQ(t.read(QStringLiteral("old.txt")), "old\r\n");
}

// --- overlay ---

// A white 40 x 40 picture on a 4 x 4 grid (steps of 150 twips, 10 pixels):
// discs of radius 10 pixels round the marked points, nothing round "*".
TEST_F(PixelSetTool, OverlayDrawsDiscsInTheirOwnColoursAndSkipsStars) {
    t.write(QStringLiteral("white.ppm"), ppm(40, 40, std::vector<Pixel>(1600, {255, 255, 255})));
    t.write(QStringLiteral("set.txt"), "FF\t*\t*\t*\t4\r\n"
                                       "*\t*\t*\t*\t8\r\n"
                                       "*\t*\tFF00\t*\t12\r\n"
                                       "*\t*\t*\t*\t16\r\n");
    const auto r = run({"overlay", f("set.txt"), f("white.ppm"), f("o.png"), "--resolution=4x4"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(t.read(QStringLiteral("o.png")).startsWith("\x89PNG"));
    const QImage o(f("o.png"));
    ASSERT_EQ(o.size(), QSize(40, 40));
    const auto at = [&](int x, int y) { return o.pixelColor(x, y).rgb() & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0xFF0000u);   // point (0, 0): red
    EXPECT_EQ(at(6, 6), 0xFF0000u);   // inside its disc
    EXPECT_EQ(at(20, 20), 0x00FF00u); // point (2, 2): green
    EXPECT_EQ(at(20, 27), 0x00FF00u);
    EXPECT_EQ(at(20, 32), 0xFFFFFFu); // beyond its radius
    EXPECT_EQ(at(10, 10), 0xFFFFFFu); // between the two discs
    EXPECT_EQ(at(30, 0), 0xFFFFFFu);  // a "*" point
}

TEST_F(PixelSetTool, OverlayRefusesBadInputsAndWritesNoPicture) {
    t.write(QStringLiteral("set.txt"), "FF\t0\t2\r\n");
    const Refusals bad = {
        {{"overlay", f("missing.txt"), f("small.ppm"), f("o.png")}, "missing.txt"},
        {{"overlay", f("binary.txt"), f("small.ppm"), f("o.png")}, "不是像素集合文件"},
        {{"overlay", f("set.txt"), f("folder"), f("o.png")}, "folder"},
        {{"overlay", f("set.txt"), f("set.txt"), f("o.png")}, "无法打开图像文件"},
        {{"overlay", f("set.txt"), f("small.ppm"), f("o.png"), "--resolution", "100x1"}, "100x1"},
        {{"overlay", f("set.txt"), f("small.ppm"), f("no/such/folder/o.png"), "--resolution=3x2"},
         "o.png"},
    };
    expectRefused(bad);
    EXPECT_FALSE(t.exists(QStringLiteral("o.png")));
}

// --- help ---

TEST_F(PixelSetTool, HelpForTheCommandAndEachSubcommand) {
    for (const QStringList& words : std::vector<QStringList>{
             {"--help"}, {"capture", "--help"}, {"compare", "-h"}, {"overlay", "--help"}}) {
        SCOPED_TRACE(words.join(' ').toStdString());
        const auto r = run(words);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(QString::fromLocal8Bit(r.out).contains(QStringLiteral("用法")))
            << r.out.constData();
        EXPECT_TRUE(r.err.isEmpty());
    }
    EXPECT_EQ(run({}).exitCode, 2);
    const auto unknown = run({"shrink"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("shrink"));
    EXPECT_TRUE(runTool({"--help"}).out.contains("pixelset"));
}

} // namespace
} // namespace quorin
