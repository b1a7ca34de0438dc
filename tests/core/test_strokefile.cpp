#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/TextFiles.h"
#include "support/QtPrint.h"
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

using namespace quorin;

namespace {

struct Strokes {
    BoundedTable<double> x{3000, 3000};
    BoundedTable<double> y{3000, 3000};
    BoundedTable<double> colour{3000, 3000};
    BoundedTable<double> width{3000, 3000};
    BoundedArray<double> pointCount{3000};
    BoundedArray<double> groupEnd{3000};
    StrokeTables tables{x, y, colour, width, pointCount, groupEnd};

    void add(int s, const std::vector<std::pair<double, double>>& points, double c, double w) {
        for (std::size_t p = 0; p < points.size(); ++p) {
            x.set(s, static_cast<long long>(p), points[p].first);
            y.set(s, static_cast<long long>(p), points[p].second);
            colour.set(s, static_cast<long long>(p), c);
            width.set(s, static_cast<long long>(p), w);
        }
        pointCount.set(s, static_cast<double>(points.size()) - 1);
    }
};

// The kept rows of a file's text, as the import hands them to the reader.
struct Rows {
    QString lower;
    std::vector<QStringView> two;
    int count = 0;
    explicit Rows(const QString& fileText) : lower(lowerCase(fileText + "\r\n")) {
        two = *rowrules::keptRows(QStringView(lower), rowTableRows);
        count = static_cast<int>(two.size());
    }
};

} // namespace

TEST(StrokeFile, ExportThenReadGivesTheStrokesBack) {
    Strokes in;
    EXPECT_EQ(strokeFileText(in.tables, 0), QString());

    // Stroke 1 is a single point; strokes 2 and 3 would give two equal lines
    // if the ordinals only counted strokes.
    in.add(0, {{1.5, 2}, {3, -4.25}, {1e-7, 6}}, 255, 3);
    in.add(1, {{10, 20}}, 16711680, 1);
    in.add(2, {{5, 7}}, 0, 2);
    in.add(3, {{7, 9}}, 0, 2);
    in.colour.set(0, 0, 99); // only the last point's colour is written
    const QString text = strokeFileText(in.tables, 4);

    EXPECT_TRUE(text.startsWith("1.5\t3\t1E-07\t255\t3\t1\r\n2\t-4.25\t6\t255\t3\t2\r\n"))
        << text.toStdString();
    const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), 8);

    Rows rows(text);
    ASSERT_EQ(rows.count, 8);
    Strokes out;
    const StrokeImportResult r = qingz(rows.two, out.tables);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.strokeCount, 4);
    EXPECT_EQ(out.groupEnd.at(0), 4);
    for (int s = 0; s < 4; ++s) {
        const long long n = tableIndex(in.pointCount.at(s));
        EXPECT_EQ(out.pointCount.at(s), n) << s;
        for (long long p = 0; p <= n; ++p) {
            EXPECT_EQ(out.x.at(s, p), in.x.at(s, p)) << s << "," << p;
            EXPECT_EQ(out.y.at(s, p), in.y.at(s, p)) << s << "," << p;
            EXPECT_EQ(out.colour.at(s, p), in.colour.at(s, n)) << s << "," << p;
            EXPECT_EQ(out.width.at(s, p), in.width.at(s, n)) << s << "," << p;
        }
        EXPECT_EQ(out.x.at(s, n + 3), 0.0); // the ordinal is not kept
        EXPECT_EQ(out.y.at(s, n + 3), 0.0);
    }
    // The closing entry leaves the stroke after the last one its point count.
    EXPECT_EQ(out.pointCount.at(4), 0);
}

TEST(StrokeFile, OldOrdinalsLoseARepeatedLineAndShiftThePairs) {
    // Stroke 0 ends on Y line "7 0 2 2", stroke 1 starts with the same X line.
    const QString text = "5\t0\t2\t1\r\n7\t0\t2\t2\r\n"
                         "7\t0\t2\t2\r\n9\t0\t2\t3\r\n"
                         "11\t0\t2\t3\r\n13\t0\t2\t4\r\n";
    Rows rows(text);
    ASSERT_EQ(rows.count, 5);
    Strokes out;
    EXPECT_EQ(qingz(rows.two, out.tables).strokeCount, 3);
    // Pairs are now (5, 7), (9, 11), (13, closing entry).
    EXPECT_EQ(out.x.at(0, 0), 5);
    EXPECT_EQ(out.y.at(0, 0), 7);
    EXPECT_EQ(out.x.at(1, 0), 9);
    EXPECT_EQ(out.y.at(1, 0), 11);
    EXPECT_EQ(out.x.at(2, 0), 13);
    EXPECT_EQ(out.y.at(2, 0), 0);
}

TEST(StrokeFile, FieldsSeparatorsAndLimits) {
    Strokes out;
    // "|" separates as TAB does; an empty field keeps its place. Rows come
    // as text or, from a plain ASCII file, as its bytes.
    const std::vector<QByteArrayView> rows = {"1|2\t\t4|9|1.5|1", "5|6\t\t8|9|1.5|2"};
    StrokeImportResult r = qingz(rows, out.tables);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(out.x.at(0, 1), 2);
    EXPECT_EQ(out.x.at(0, 2), 0);
    EXPECT_EQ(out.x.at(0, 3), 4);
    EXPECT_EQ(out.y.at(0, 3), 8);
    EXPECT_EQ(out.pointCount.at(0), 3);
    EXPECT_EQ(out.colour.at(0, 2), 9);
    EXPECT_EQ(out.width.at(0, 4), 1.5);
    EXPECT_EQ(out.groupEnd.at(0), 1);

    // No rows: nothing is read. Rows too short for a colour and a width, and
    // fields past the last column, write nothing outside the tables.
    Strokes none;
    EXPECT_EQ(qingz(std::vector<QStringView>(), none.tables).strokeCount, 0);
    EXPECT_EQ(none.groupEnd.used(), 0u);
    const QString many = QString("1\t").repeated(3100);
    EXPECT_TRUE(qingz(std::vector<QStringView>{u"1", many}, none.tables).complete);
    EXPECT_EQ(none.pointCount.at(0), 2998 - 3); // field 2999 is the last kept
    EXPECT_EQ(none.y.at(0, 2997), 1);
    EXPECT_EQ(none.y.at(0, 2998), 0);
    EXPECT_EQ(none.y.at(0, 2999), 0);
}

TEST(StrokeFile, ANonNumberStopsAtItsFieldAndKeepsTheFieldsBeforeIt) {
    // An earlier drawing fills the tables, so what the import leaves alone shows.
    auto earlier = [](Strokes& d) {
        d.add(0, {{100, 200}, {101, 201}, {102, 202}, {103, 203}, {104, 204}, {105, 205}}, 7, 9);
        d.add(1, {{110, 210}, {111, 211}, {112, 212}}, 8, 6);
        d.groupEnd.set(0, 2);
    };

    // In the first row: its fields before the word are stored, nothing else.
    Strokes first;
    earlier(first);
    Rows firstRows("10\t20\tabc\t255\t2\t1\r\n30\t40\t255\t2\t2");
    StrokeImportResult r = qingz(firstRows.two, first.tables);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.badRow, 0);
    EXPECT_EQ(r.strokeCount, 0);
    EXPECT_EQ(first.x.at(0, 0), 10);
    EXPECT_EQ(first.x.at(0, 1), 20);
    EXPECT_EQ(first.x.at(0, 2), 102);
    EXPECT_EQ(first.x.at(0, 3), 103);
    EXPECT_EQ(first.y.at(0, 0), 200);
    EXPECT_EQ(first.pointCount.at(0), 5);
    EXPECT_EQ(first.colour.at(0, 0), 7);
    EXPECT_EQ(first.width.at(0, 1), 9);
    EXPECT_EQ(first.groupEnd.at(0), 2);

    // In a later Y line ("12abc" is not a number): the strokes before it are
    // read, the row keeps its first field in the Y table, groupEnd stays.
    Strokes later;
    earlier(later);
    Rows laterRows("1\t2\t255\t2\t1\r\n3\t4\t255\t2\t2\r\n"
                   "5\t6\t65280\t3\t3\r\n7\t12abc\t65280\t3\t4");
    r = qingz(laterRows.two, later.tables);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.badRow, 3);
    EXPECT_EQ(r.strokeCount, 1);
    EXPECT_EQ(later.groupEnd.at(0), 2);
    EXPECT_EQ(later.y.at(0, 1), 4);
    EXPECT_EQ(later.pointCount.at(0), 1);
    EXPECT_EQ(later.x.at(1, 1), 6);
    EXPECT_EQ(later.colour.at(1, 1), 65280); // set by the complete X line
    EXPECT_EQ(later.y.at(1, 0), 7);
    EXPECT_EQ(later.y.at(1, 1), 211);
    EXPECT_EQ(later.y.at(1, 2), 212);

    // Lines ended by LF alone make one row, and "1<LF>3" its fifth field.
    Strokes lf;
    earlier(lf);
    Rows lfRows("1\t2\t255\t2\t1\n3\t4\t255\t2\t2\n");
    ASSERT_EQ(lfRows.count, 1);
    r = qingz(lfRows.two, lf.tables);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.badRow, 0);
    EXPECT_EQ(lf.x.at(0, 0), 1);
    EXPECT_EQ(lf.x.at(0, 1), 2);
    EXPECT_EQ(lf.x.at(0, 2), 255);
    EXPECT_EQ(lf.x.at(0, 3), 2);
    EXPECT_EQ(lf.x.at(0, 4), 104);
    EXPECT_EQ(lf.x.at(0, 5), 105);
    EXPECT_EQ(lf.pointCount.at(0), 5);
    EXPECT_EQ(lf.colour.at(0, 2), 7);
    EXPECT_EQ(lf.groupEnd.at(0), 2);
}

namespace {

// The resident size now and its peak since the last reset, in kB (Linux).
long long statusKb(const char* name) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(static_cast<qsizetype>(strlen(name)))
                .trimmed()
                .split(' ')[0]
                .toLongLong();
    return 0;
}

} // namespace

TEST(StrokeFile, ImportHoldsTheFileOnceBesideTheStrokes) {
    if (!QFile::exists("/proc/self/clear_refs"))
        GTEST_SKIP() << "no resident-peak figures here";
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed blocks aside and pads every allocation:
    // resident sizes there say nothing about the reader's own needs.
    GTEST_SKIP() << "resident sizes are not the program's under AddressSanitizer";
#endif
    // 2990 distinct lines of 8 KB of points as long drawings write them:
    // decimals and upper-case exponents.
    QByteArray file;
    for (int line = 0; line < 2990; ++line) {
        for (int p = 0; p < 640; ++p)
            file += QByteArray::number(line * 0.37 + p * 1.25, 'g', 7) + '\t' +
                    QByteArray::number(-(line + p) * 1e-7, 'E', 4) + '\t';
        file += "16711935\t2\t" + QByteArray::number(line + 1) + "\r\n";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("strokes.txt");
    ASSERT_TRUE(replaceFileBytes(path, file));
    const double size = static_cast<double>(file.size());
    file = QByteArray();

    Strokes out;
    const auto import = [&] {
        StrokeImportResult r;
        zhong(*readFileBytes(path), rowTableRows,
              [&](const auto& rows) { r = qingz(rows, out.tables); });
        return r;
    };
    ASSERT_EQ(import().strokeCount, 1495); // the tables now hold the strokes
    EXPECT_NEAR(out.x.at(1494, 2), 2988 * 0.37 + 1.25, 1e-3);
    EXPECT_EQ(out.colour.at(1494, 0), 16711935);

    // Read again into tables of that size: the file's bytes once (lowered in
    // place) and the row index, nothing else.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long long before = statusKb("VmRSS:");
    ASSERT_TRUE(import().complete);
    const double grown = static_cast<double>(statusKb("VmHWM:") - before) * 1024;
    EXPECT_LT(grown, 1.25 * size) << grown / size;
}

TEST(StrokeFile, TheReplayWalksADotThenALineToEachPoint) {
    Strokes t;
    t.add(0, {{1, 2}, {3, 4}, {5, 6}}, 255, 3);
    t.colour.set(0, 2, 0x1000000 + 0xFF00); // only the low three bytes are drawn
    t.width.set(0, 2, 100);
    t.width.set(0, 1, 0.5); // a stored width is drawn as 1 .. 70
    const std::vector<ReplayPoint> points = replayPoints(t.tables, 0);
    ASSERT_EQ(points.size(), 3u);
    // The dot at the press point takes the first sampled point's pen.
    EXPECT_EQ(points[0].x, 1);
    EXPECT_EQ(points[0].y, 2);
    EXPECT_EQ(points[0].colour, 255);
    EXPECT_EQ(points[0].width, 1);
    EXPECT_EQ(points[1].x, 3);
    EXPECT_EQ(points[2].y, 6);
    EXPECT_EQ(points[2].colour, 0xFF00);
    EXPECT_EQ(points[2].width, 70);

    // A press without a sampled point has no width there: nothing to draw.
    t.x.set(1, 0, 9);
    t.pointCount.set(1, 0);
    EXPECT_TRUE(replayPoints(t.tables, 1).empty());
    // However many points a stroke claims, the replay stops at the table's end.
    t.width.set(2, 1, 2);
    t.pointCount.set(2, 1e9);
    EXPECT_EQ(replayPoints(t.tables, 2).size(), std::size_t(strokeLimit) + 1);
}

TEST(StrokeFile, ReadingAFileAsTheImportDoes) {
    QTemporaryDir dir;
    const QString name = dir.filePath("s.txt");
    Strokes in;
    in.add(0, {{1, 2}, {3, 4}}, 255, 2);
    ASSERT_TRUE(writeTextFile(name, strokeFileText(in.tables, 1)));
    Strokes out;
    StrokeFileRead read = readStrokeFile(name, out.tables);
    EXPECT_EQ(read.status, StrokeFileRead::Status::Read);
    EXPECT_EQ(read.rowCount, 2);
    EXPECT_TRUE(read.strokes.complete);
    EXPECT_EQ(out.groupEnd.at(0), 1);
    EXPECT_EQ(out.x.at(0, 1), 3);

    // Too large, gone or a folder: refused, the tables untouched.
    Strokes untouched;
    QFile large(dir.filePath("large.txt"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(maxTextFileBytes + 1));
    large.close();
    EXPECT_EQ(readStrokeFile(large.fileName(), untouched.tables).status,
              StrokeFileRead::Status::TooLarge);
    EXPECT_EQ(readStrokeFile(dir.filePath("none.txt"), untouched.tables).status,
              StrokeFileRead::Status::Unreadable);
    EXPECT_EQ(readStrokeFile(dir.path(), untouched.tables).status,
              StrokeFileRead::Status::Unreadable);
    QString many;
    for (int i = 0; i <= rowTableRows; ++i)
        many += QString::number(i) + "\t0\t0\t0\r\n";
    ASSERT_TRUE(writeTextFile(name, many));
    EXPECT_EQ(readStrokeFile(name, untouched.tables).status, StrokeFileRead::Status::TooManyRows);
    EXPECT_EQ(untouched.x.at(0, 0), 0);
    EXPECT_EQ(untouched.groupEnd.used(), 0u);

    // A row that is not numbers stops the reading there; the message counts
    // rows from 1.
    ASSERT_TRUE(writeTextFile(name, "1\t2\t255\t2\t1\r\nx\r\n"));
    read = readStrokeFile(name, out.tables);
    EXPECT_EQ(read.status, StrokeFileRead::Status::Read);
    EXPECT_FALSE(read.strokes.complete);
    EXPECT_EQ(importStoppedMessage(read.strokes.badRow),
              QString::fromUtf8("第 2 行有一项不是数值，导入在此停止；此前的笔画已导入。"));
}
