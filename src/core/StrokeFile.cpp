#include "core/StrokeFile.h"
#include "core/RowReader.h"
#include "platform/NumberText.h"
#include "platform/TextFiles.h"
#include <QStringView>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorin {

namespace {

const QChar tab(9);

// Fields from 3000 on have no column in the tables.
constexpr int fieldLimit = 3000;

void appendLine(QString& out, const BoundedTable<double>& points, const StrokeTables& t, int s,
                long long n, int ordinal) {
    for (long long p = 0; p <= n; ++p)
        out += numberToText(points.at(s, p)) + tab;
    out += numberToText(t.colour.at(s, n)) + tab;
    out += numberToText(t.width.at(s, n)) + tab;
    out += numberToText(ordinal) + QStringLiteral("\r\n");
}

bool isDelimiter(char16_t c) {
    return c == u'\t' || c == u'|';
}

// Rows come as text or, for plain ASCII files, as the file's bytes.
char16_t unit(QChar c) {
    return c.unicode();
}
char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}
QStringView wide(QStringView text) {
    return text;
}
QString wide(QByteArrayView text) {
    return QString::fromLatin1(text);
}

struct Field {
    int column; // field k goes to column k-1
    double value;
};

// The non-empty fields of a row below the field limit, up to the first that is
// not a number; false when there is one, with the fields before it kept.
// The row stands between TABs, so field k lies between the k-th and the
// (k+1)-th delimiter counting that first TAB, and the end closes the last.
template <class View> bool parseRow(View row, std::vector<Field>& fields) {
    fields.clear();
    int k = 1; // delimiters seen so far
    qsizetype start = 0;
    PlainDecimalReader number;
    for (qsizetype i = 0; i <= row.size(); ++i) {
        if (i < row.size()) {
            const char16_t c = unit(row[i]);
            if (!isDelimiter(c)) {
                number.take(c, i == start);
                continue;
            }
        }
        if (k < fieldLimit && i > start) {
            // Plain decimals are read during the scan; anything else again.
            std::optional<double> v = number.value();
            if (!v)
                v = numericValue(wide(row.sliced(start, i - start)));
            if (!v)
                return false;
            fields.push_back({k - 1, *v});
        }
        ++k;
        start = i + 1;
        number = PlainDecimalReader();
    }
    return true;
}

} // namespace

QString strokeFileText(const StrokeTables& t, int strokeCount) {
    QString out;
    for (int s = 0; s < strokeCount; ++s) {
        const long long n = tableIndex(t.pointCount.at(s));
        appendLine(out, t.x, t, s, n, 2 * s + 1);
        appendLine(out, t.y, t, s, n, 2 * s + 2);
    }
    return out;
}

template <class View> StrokeImportResult qingz(const std::vector<View>& rows, StrokeTables& t) {
    StrokeImportResult result;
    const auto rowCount = static_cast<int>(rows.size());
    if (rowCount <= 0)
        return result;
    std::vector<Field> fields;
    int s = 0;
    long long last = 0; // kept from the row before when a row stores nothing
    for (int r = 0; r <= rowCount; ++r) {
        const bool whole =
            parseRow(r < rowCount ? rows[static_cast<std::size_t>(r)] : View(), fields);
        const bool xLine = r % 2 == 0;
        // Each field is stored as it is read, so a row that stops at a field
        // that is not a number keeps the fields before it.
        for (const Field& f : fields) {
            (xLine ? t.x : t.y).set(s, f.column, f.value);
            last = f.column;
        }
        if (!whole) {
            result.complete = false;
            result.badRow = r;
            result.strokeCount = s;
            return result;
        }
        // The last three fields are the colour, the width and the ordinal.
        t.pointCount.set(s, static_cast<double>(last - 3));
        if (xLine) {
            const double colour = t.x.at(s, last - 2);
            const double width = t.x.at(s, last - 1);
            // Points past the tables are refused, as one by one they would be.
            const long long to = std::min(last - 2, t.colour.colUpper());
            t.colour.fill(s, 0, to, colour);
            t.width.fill(s, 0, std::min(last - 2, t.width.colUpper()), width);
        }
        t.x.set(s, last, 0.0);
        t.y.set(s, last, 0.0);
        if (!xLine)
            ++s;
    }
    t.groupEnd.set(0, s);
    result.strokeCount = s;
    return result;
}

template StrokeImportResult qingz(const std::vector<QStringView>&, StrokeTables&);
template StrokeImportResult qingz(const std::vector<QByteArrayView>&, StrokeTables&);

StrokeFileRead readStrokeFile(const QString& path, StrokeTables& t) {
    StrokeFileRead read;
    if (tooLargeToRead(path)) {
        read.status = StrokeFileRead::Status::TooLarge;
        return read;
    }
    std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes) {
        read.status = StrokeFileRead::Status::Unreadable;
        return read;
    }
    // The rows go from the file's text into the stroke tables, with no table
    // of row texts between: a large file is held once, as it came.
    const RowReadResult rows = zhong(std::move(*bytes), rowTableRows,
                                     [&](const auto& kept) { read.strokes = qingz(kept, t); });
    if (rows.tooMany) {
        read.status = StrokeFileRead::Status::TooManyRows;
        return read;
    }
    read.rowCount = rows.rowCount;
    return read;
}

QString importStoppedMessage(int badRow) {
    return QStringLiteral("第 %1 行有一项不是数值，导入在此停止；此前的笔画已导入。")
        .arg(badRow + 1);
}

ColorValue strokeColourOf(double stored) {
    return lowThreeBytes(static_cast<std::int64_t>(stored));
}

int strokeWidthOf(double stored) {
    return static_cast<int>(std::clamp(stored, 1.0, 70.0));
}

std::vector<ReplayPoint> replayPoints(const StrokeTables& t, long long s) {
    std::vector<ReplayPoint> points;
    if (t.width.at(s, 1) == 0)
        return points;
    points.push_back({t.x.at(s, 0), t.y.at(s, 0), strokeColourOf(t.colour.at(s, 1)),
                      strokeWidthOf(t.width.at(s, 1))});
    const double last = std::min(t.pointCount.at(s), double(strokeLimit));
    for (long long p = 1; p <= last; ++p)
        points.push_back({t.x.at(s, p), t.y.at(s, p), strokeColourOf(t.colour.at(s, p)),
                          strokeWidthOf(t.width.at(s, p))});
    return points;
}

} // namespace quorin
