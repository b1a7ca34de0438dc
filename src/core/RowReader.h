#pragma once
#include "platform/TextFiles.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace quorin {

// Reading a file into rows: the text is lowered, cut at every CR (the
// character after a CR, the LF of a CR LF, belongs to no row), repeated rows
// keep only their last occurrence and empty rows are dropped.

// The text in lower case (plain ASCII text without a table look-up).
QString lowerCase(const QString& text);
// Bytes of plain ASCII text lowered in place; false, and nothing changed, when
// any byte is not ASCII.
bool lowerAsciiBytes(QByteArray& bytes);

// The rules on any view of text (QStringView, or QByteArrayView for ASCII
// text read as bytes), so every reader of rows cuts and keeps them alike.
namespace rowrules {

// The rows of a text: cut at every CR (the character after a CR, the LF of a
// CR LF, belongs to no row), repeats keeping their last place, empties gone,
// in one pass that holds only the rows it keeps. Nothing as soon as more than `limit` rows
// would be kept, so a file of countless short rows costs no more than that.
template <class View> std::optional<std::vector<View>> keptRows(View text, qsizetype limit) {
    QHash<View, qsizetype> last; // each distinct row: the index of its last occurrence
    qsizetype index = 0;
    qsizetype start = 0;
    for (qsizetype p = text.indexOf('\r'); p >= 0; p = text.indexOf('\r', p + 1), ++index) {
        if (p > start) {
            last.insert(text.sliced(start, p - start), index);
            if (last.size() > limit)
                return std::nullopt;
        }
        start = p + 2;
    }
    std::vector<std::pair<qsizetype, View>> order;
    order.reserve(static_cast<std::size_t>(last.size()));
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        order.emplace_back(it.value(), it.key());
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<View> rows;
    rows.reserve(order.size());
    for (const auto& [i, row] : order)
        rows.push_back(row);
    return rows;
}

} // namespace rowrules

// Of equal rows only the last occurrence stays, where it stood; empty rows go.
std::vector<QStringView> lastOccurrences(const std::vector<QStringView>& rows);

// The row tables hold rows 0..3000: a file read into them keeps at most this
// many rows (the closing entry takes the last place).
inline constexpr qsizetype rowTableRows = 3000;

struct RowReadResult {
    bool tooMany = false; // the rows did not fit; nothing was handed on
    int rowCount = 0;
};

// Shown when the rows do not fit the tables.
QString tooManyRowsMessage();

// The row reader of files: the file's bytes (GBK) and the CR LF every reader
// adds, lowered and cut into the rows kept (rowrules::keptRows), are handed to
// `use` as std::vector<QByteArrayView> when the text is plain ASCII (lowered
// in place: a large file is held once, as it came) and as
// std::vector<QStringView> into the decoded text otherwise. More than `limit`
// rows: `use` is not called and the result says tooMany.
template <class Use> RowReadResult zhong(QByteArray bytes, qsizetype limit, Use&& use) {
    const auto hand = [&](auto text) -> RowReadResult {
        const auto rows = rowrules::keptRows(text, limit);
        if (!rows)
            return {true, 0};
        use(*rows);
        return {false, static_cast<int>(rows->size())};
    };
    if (lowerAsciiBytes(bytes)) {
        bytes.append("\r\n");
        return hand(QByteArrayView(bytes));
    }
    QString text = fromGbk(bytes);
    bytes = QByteArray();
    text += QStringLiteral("\r\n");
    text = lowerCase(text);
    return hand(QStringView(text));
}

} // namespace quorin
