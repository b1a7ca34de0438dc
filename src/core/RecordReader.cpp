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
    for (qsizetype p = view.indexOf(separator); p >= 0; p = view.indexOf(separator, p + 1)) {
        const qsizetype previous = p == 0 ? -1 : view.lastIndexOf(cr, p - 1);
        const bool firstLine = previous < 0;
        qsizetype next = view.indexOf(cr, p);
        if (!firstLine && (next < 0 || next - p >= reach))
            continue;
        if (next < 0)
            next = view.size();
        const qsizetype start = firstLine ? 0 : previous + 2;
        rows.push_back(next > start ? view.sliced(start, next - start) : QStringView());
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
