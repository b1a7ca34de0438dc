#include "PngPixels.h"
#include "core/StrokeFile.h"
#include "platform/TextFiles.h"
#include "state/SharedState.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace quorin {
namespace {

using test::runTool;
using test::TempFolder;

// Strokes as the canvas records them: the press point has no colour or width,
// every sampled point has the pen it was drawn with. Coordinates in twips.
struct Drawing {
    SharedState state;
    StrokeTables tables = state.strokeTables();
    int strokes = 0;

    void add(const std::vector<std::pair<double, double>>& points, double c, double w) {
        for (std::size_t p = 0; p < points.size(); ++p) {
            tables.x.set(strokes, static_cast<long long>(p), points[p].first);
            tables.y.set(strokes, static_cast<long long>(p), points[p].second);
            if (p > 0) {
                tables.colour.set(strokes, static_cast<long long>(p), c);
                tables.width.set(strokes, static_cast<long long>(p), w);
            }
        }
        tables.pointCount.set(strokes, static_cast<double>(points.size()) - 1);
        ++strokes;
    }
    // The file 导出 writes: GBK, CR LF.
    QByteArray file() const { return toGbk(strokeFileText(tables, strokes)); }
};

// A red L of width 3, a blue diagonal of width 1 whose colour carries a byte
// above the three drawn, and a click without a line, which draws nothing.
QByteArray sampleFile() {
    Drawing d;
    d.add({{150, 150}, {300, 150}, {300, 300}}, 255, 3);
    d.add({{600, 450}, {750, 600}}, 0x3FF0000, 1);
    d.add({{900, 90}}, 255, 2);
    return d.file();
}

QByteArray utf8(const char* text) {
    return QByteArray(text);
}

TEST(CliStrokes, RendersTheStrokesAsSvg) {
    TempFolder dir;
    dir.write(QStringLiteral("s.txt"), sampleFile());
    const auto run = runTool({"strokes", "render", dir.file(QStringLiteral("s.txt")),
                              dir.file(QStringLiteral("s.svg")), "--size", "64x48"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"48\" viewBox=\"0 0 64 "
        "48\">\n"
        "<rect width=\"64\" height=\"48\" fill=\"#ffffff\"/>\n"
        "<polyline points=\"10.5,10.5 20.5,10.5 20.5,20.5\" fill=\"none\" stroke=\"#ff0000\" "
        "stroke-width=\"3\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
        "<polyline points=\"40.5,30.5 50.5,40.5\" fill=\"none\" stroke=\"#0000ff\" "
        "stroke-width=\"1\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
        "</svg>\n";
    EXPECT_EQ(dir.read(QStringLiteral("s.svg")), expected);
}

TEST(CliStrokes, RendersThePixelsTheCanvasDrawsAsPng) {
    TempFolder dir;
    dir.write(QStringLiteral("s.txt"), sampleFile());
    const auto run = runTool({"strokes", "render", dir.file(QStringLiteral("s.txt")),
                              dir.file(QStringLiteral("s.PNG")), "--size=64x48"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray png = dir.read(QStringLiteral("s.PNG"));
    ASSERT_EQ(test::pngSize(png), std::pair(64, 48));
    const std::vector<unsigned> pixels = test::pngPixels(png);
    ASSERT_EQ(pixels.size(), 64u * 48u);
    const auto at = [&](int x, int y) { return pixels[std::size_t(y * 64 + x)]; };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(15, 10), 0xFF0000u); // on the L
    EXPECT_EQ(at(15, 11), 0xFF0000u); // within its width of 3
    EXPECT_EQ(at(20, 15), 0xFF0000u);
    EXPECT_EQ(at(15, 15), 0xFFFFFFu); // inside the L
    EXPECT_EQ(at(45, 35), 0x0000FFu); // on the diagonal
    EXPECT_EQ(at(46, 35), 0xFFFFFFu); // one pixel wide, unsmoothed
    EXPECT_EQ(at(60, 6), 0xFFFFFFu);  // the click drew nothing

    // Without --size: the canvas picture's designed size.
    EXPECT_EQ(runTool({"strokes", "render", dir.file(QStringLiteral("s.txt")),
                       dir.file(QStringLiteral("d.png"))})
                  .exitCode,
              0);
    EXPECT_EQ(test::pngSize(dir.read(QStringLiteral("d.png"))), std::pair(873, 489));
}

TEST(CliStrokes, AnEmptyFileIsAnEmptyCanvas) {
    TempFolder dir;
    dir.write(QStringLiteral("e.txt"), {});
    const auto run = runTool({"strokes", "render", dir.file(QStringLiteral("e.txt")),
                              dir.file(QStringLiteral("e.svg")), "--size", "2X3"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(dir.read(QStringLiteral("e.svg")).contains("<rect width=\"2\" height=\"3\""));
    EXPECT_FALSE(dir.read(QStringLiteral("e.svg")).contains("polyline"));
}

TEST(CliStrokes, HelpAndWrongWords) {
    const auto help = runTool({"strokes", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("render"));
    const auto renderHelp = runTool({"strokes", "render", "--help"});
    EXPECT_EQ(renderHelp.exitCode, 0);
    EXPECT_TRUE(renderHelp.out.contains("873x489"));
    EXPECT_TRUE(renderHelp.out.contains("20000"));
    EXPECT_TRUE(runTool({"--help"}).out.contains("strokes"));

    EXPECT_EQ(runTool({"strokes"}).exitCode, 2);
    const auto unknown = runTool({"strokes", "paint"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("paint"));
    EXPECT_EQ(runTool({"strokes", "render", "only-one.txt"}).exitCode, 2);
    EXPECT_EQ(runTool({"strokes", "render", "a.txt", "b.svg", "--colour", "red"}).exitCode, 2);
}

// Every refusal exits with 2, says why on stderr and leaves the output as it
// was.
TEST(CliStrokes, BadInputWritesNothing) {
    TempFolder dir;
    dir.write(QStringLiteral("s.txt"), sampleFile());
    dir.write(QStringLiteral("out.svg"), "old");
    const QString good = dir.file(QStringLiteral("s.txt"));
    const QString out = dir.file(QStringLiteral("out.svg"));
    const auto refused = [&](const QStringList& args, const QByteArray& says) {
        const auto run = runTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(says))
            << args.join(' ').toStdString() << ": " << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(dir.read(QStringLiteral("out.svg")), "old");
    };

    refused({"strokes", "render", dir.file(QStringLiteral("none.txt")), out}, "none.txt");
    refused({"strokes", "render", dir.file(QString()), out}, utf8("无法读取"));
    QFile large(dir.file(QStringLiteral("large.txt"))); // sparse: costs no disk
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(maxTextFileBytes + 1));
    large.close();
    refused({"strokes", "render", large.fileName(), out}, utf8("太大"));
    dir.write(QStringLiteral("bin.dat"), QByteArray("\x00\x01\xff\xfe\x89PNG\r\n\x1a\n", 12));
    refused({"strokes", "render", dir.file(QStringLiteral("bin.dat")), out},
            utf8("第 1 行有一项不是数值"));
    dir.write(QStringLiteral("bad.txt"), "1\t2\t255\t2\t1\r\nx\t2\t255\t2\t2\r\n");
    refused({"strokes", "render", dir.file(QStringLiteral("bad.txt")), out},
            utf8("第 2 行有一项不是数值"));
    QByteArray many;
    for (int i = 0; i <= 3000; ++i)
        many += QByteArray::number(i) + "\t0\t0\t0\r\n";
    dir.write(QStringLiteral("many.txt"), many);
    refused({"strokes", "render", dir.file(QStringLiteral("many.txt")), out}, utf8("阀值"));

    for (const char* size :
         {"abc", "0x10", "10x0", "-5x10", "10x", "20001x10", "10x99999999999", "1.5x2"})
        refused({"strokes", "render", good, out, "--size", size}, "--size");
    refused({"strokes", "render", good, dir.file(QStringLiteral("out.jpg"))}, ".svg");
    refused(
        {"strokes", "render", good, dir.file(QStringLiteral("big.png")), "--size", "20000x20000"},
        "PNG");
}

TEST(CliStrokes, AnOutputThatCannotBeWrittenExitsWithTwo) {
    TempFolder dir;
    dir.write(QStringLiteral("s.txt"), sampleFile());
    const QString into = dir.file(QStringLiteral("no/such/folder/out.png"));
    const auto run = runTool({"strokes", "render", dir.file(QStringLiteral("s.txt")), into});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(utf8("无法写入文件"))) << run.err.constData();
    // A folder where the picture should go stays a folder.
    ASSERT_TRUE(QDir(dir.file(QString())).mkdir(QStringLiteral("taken.svg")));
    const auto onFolder = runTool({"strokes", "render", dir.file(QStringLiteral("s.txt")),
                                   dir.file(QStringLiteral("taken.svg"))});
    EXPECT_EQ(onFolder.exitCode, 2);
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("taken.svg"))).isDir());
}

} // namespace
} // namespace quorin
