#include "core/RecordReader.h"
#include "core/RowReader.h"
#include "platform/NumberText.h"
#include <vector>

namespace quorin {

QStringList recordRows(const QString& text, QChar separator) {
    const QString lower = lowerCase(text);
    const QStringView view(lower);
    const QChar cr(13);
    constexpr qsizetype reach = 720;
    std::vector<QStringView> rows;
    // The CRs round the occurrence: `previous` the last one before it, `next`
    // the first from it on (-1: none). They are looked for again only once an
    // occurrence lies past `next`, so a long line costs one pass, not one per
    // separator in it.
    qsizetype previous = -1, next = -1;
    bool known = false;
    qsizetype lineStart = -1, lineEnd = -1; // of the row last taken
    for (qsizetype p = view.indexOf(separator); p >= 0; p = view.indexOf(separator, p + 1)) {
        if (!known || (next >= 0 && p > next)) {
            previous = p == 0 ? -1 : view.lastIndexOf(cr, p - 1);
            next = view.indexOf(cr, p);
            known = true;
        }
        const bool firstLine = previous < 0;
        if (!firstLine && (next < 0 || next - p >= reach))
            continue;
        const qsizetype end = next < 0 ? view.size() : next;
        const qsizetype start = firstLine ? 0 : previous + 2;
        // Further occurrences in the same line give the same row again; only
        // the last of equal rows stays, so one is enough.
        if (start == lineStart && end == lineEnd)
            continue;
        lineStart = start;
        lineEnd = end;
        rows.push_back(end > start ? view.sliced(start, end - start) : QStringView());
    }
    QStringList out;
    for (QStringView row : lastOccurrences(rows))
        out.append(row.toString());
    return out;
}

std::array<std::optional<double>, 8> recordFields(const QString& record) {
    std::array<std::optional<double>, 8> values;
    qsizetype start = 0;
    std::size_t k = 0;
    for (qsizetype p = 0; p < record.size() && k < values.size(); ++p) {
        if (record[p] != QLatin1Char(','))
            continue;
        const QString field = record.mid(start, p - start);
        if (isNumeric(field))
            values[k] = val(field);
        ++k;
        start = p + 1;
        ++p; // the character after a comma is not looked at
    }
    return values;
}

} // namespace quorin
