// Writes the first inputs of the fuzz targets with the program's own writers:
// a stroke export, the parameter records, a pixel-set capture and a difference
// file. Usage: fuzz_seeds FOLDER (one folder per target is made inside).
#include "core/ParameterRecords.h"
#include "core/PixelSets.h"
#include "core/StrokeFile.h"
#include "platform/TextFiles.h"
#include <QDir>
#include <QFile>
#include <cstdio>
#include <vector>

using namespace quorin;

namespace {

struct Seed {
    QString name;
    QByteArray bytes;
};

QByteArray strokeExport() {
    BoundedTable<double> x(3000, 3000), y(3000, 3000), colour(3000, 3000), width(3000, 3000);
    BoundedArray<double> pointCount(3000), groupEnd(3000);
    StrokeTables t{x, y, colour, width, pointCount, groupEnd};
    // A short stroke and a longer curved one, as the freehand drawing leaves them.
    const int points[] = {4, 40};
    const double colours[] = {255, 16711680}, widths[] = {3, 1.5};
    for (int s = 0; s < 2; ++s) {
        for (int p = 0; p < points[s]; ++p) {
            x.set(s, p, 120.5 + 37.25 * p);
            y.set(s, p, 3000 - 11.0 * p * (s + 1));
            colour.set(s, p, colours[s]);
            width.set(s, p, widths[s]);
        }
        pointCount.set(s, points[s] - 1);
    }
    groupEnd.set(0, 2);
    return toGbk(strokeFileText(t, 2));
}

RecordValues record(int i) {
    return {QString::number(2.5 + i), QStringLiteral("0.001"), QString::number(3 * i),
            QStringLiteral("0"),      QStringLiteral("-4.5"),  QString::number(120 + i),
            QStringLiteral("80"),     QStringLiteral("1E-07")};
}

QByteArray treego() {
    QString text;
    for (int i = 0; i < 4; ++i)
        text += treegoRecord(record(i));
    return toGbk(text);
}

QByteArray tree() {
    return toGbk(
        treeRecord(QStringLiteral("2026-12-08 22:00:00"), QStringLiteral("D:\\图片\\雨滴1.jpg"),
                   record(1)) +
        treeRecord(QStringLiteral("2026-12-08 22:05:10"), QStringLiteral("雨滴2.jpg"), record(2)));
}

// A capture of `columns` grid columns of `rows` points each.
QByteArray capture(int columns, int rows, unsigned shift) {
    QByteArray out;
    long long total = 0;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const auto v = static_cast<quint32>((c * 977 + r * 131) << shift) & 0xFFFFFF;
            appendColourText(out, static_cast<ColorValue>(r == rows - 1 ? 0xFFFFFFFFu : v));
            out += '\t';
            ++total;
        }
        endPixelLine(out, total);
    }
    return out;
}

QByteArray difference(const QByteArray& first, const QByteArray& second, int columns, int rows) {
    PixelTable a(5000, 5000), b(5000, 5000);
    readPixelSet(first, a, 3000);
    readPixelSet(second, b, 3000);
    QByteArray out;
    long long total = 0;
    for (int c = 0; c < columns; ++c)
        appendSetDifferences(out, a, b, c, rows, 20, total);
    return out;
}

bool writeSeeds(const QString& folder, const QString& target, const std::vector<Seed>& seeds) {
    const QString dir = folder + QLatin1Char('/') + target;
    if (!QDir().mkpath(dir))
        return false;
    for (const Seed& seed : seeds) {
        QFile f(dir + QLatin1Char('/') + seed.name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(seed.bytes) != seed.bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QByteArray strokes = strokeExport();
    const QByteArray set1 = capture(6, 8, 0), set2 = capture(6, 8, 1);
    const QByteArray diff = difference(set1, set2, 6, 8);
    const QByteArray message = toGbk(QStringLiteral("目前，记录行已经超过软件所设定的阀值。\r\n"));
    const std::vector<Seed> texts = {{"strokes", strokes}, {"treego", treego()},
                                     {"tree", tree()},     {"capture", set1},
                                     {"difference", diff}, {"message", message}};
    const bool ok = writeSeeds(folder, "rowreader", texts) && writeSeeds(folder, "gbk", texts) &&
                    writeSeeds(folder, "strokeimport",
                               {{"strokes", strokes},
                                {"strokes-bars", QByteArray(strokes).replace('\t', '|')}}) &&
                    writeSeeds(folder, "records", {{"treego", treego()}, {"tree", tree()}}) &&
                    writeSeeds(folder, "pixelset",
                               {{"capture", set1}, {"capture2", set2}, {"difference", diff}}) &&
                    writeSeeds(folder, "colours",
                               {{"line", set1.left(set1.indexOf('\r'))},
                                {"difference", diff.left(diff.indexOf('\r'))},
                                {"resolution", "80\t60\t30\t"},
                                {"wide", "A0B0C|1234567890|ff\t\t\tFFFFFFFF\t2.5\t"}});
    if (!ok) {
        std::fprintf(stderr, "fuzz_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
