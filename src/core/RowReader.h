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
// Whether every byte is ASCII.
bool isAscii(QByteArrayView bytes);
// The letters of `n` ASCII bytes lowered in place.
void lowerAsciiLetters(char* d, qsizetype n);

// Rows of ASCII bytes as keys that ignore case: equal when they are equal once
// lowered, hashed as if lowered, so a text can be cut into the rows of its
// lowered form without being lowered first. The hash is taken once, when the
// key is made (a hash table that grows takes it again for every key).
struct FoldedBytes {
    FoldedBytes(QByteArrayView r);
    QByteArrayView row;
    size_t hash;
    operator QByteArrayView() const { return row; }
    friend bool operator==(FoldedBytes a, FoldedBytes b) {
        return a.hash == b.hash && a.row.size() == b.row.size() &&
               a.row.compare(b.row, Qt::CaseInsensitive) == 0;
    }
    friend size_t qHash(FoldedBytes key, size_t seed = 0) { return key.hash ^ seed; }
};

// The rules on any view of text (QStringView, or QByteArrayView for ASCII
// text read as bytes), so every reader of rows cuts and keeps them alike.
namespace rowrules {

// The rows of a text: cut at every CR (the character after a CR, the LF of a
// CR LF, belongs to no row), repeats keeping their last place, empties gone,
// in one pass that holds only the rows it keeps. Nothing as soon as more than
// `limit` rows would be kept, so a file of countless short rows costs no more
// than that. `closed`: the text is cut as if a CR LF followed it (the line
// end the row reader adds). Rows are told apart as `Key`s: the views
// themselves, or FoldedBytes to cut ASCII text as its lowered form would be.
template <class View, class Key = View>
std::optional<std::vector<View>> keptRows(View text, qsizetype limit, bool closed = false) {
    QHash<Key, qsizetype> last; // each distinct row: the index of its last occurrence
    qsizetype index = 0;
    qsizetype start = 0;
    const auto cut = [&](qsizetype p) {
        if (p > start)
            last.insert(Key{text.sliced(start, p - start)}, index);
        start = p + 2;
        ++index;
        return last.size() <= limit;
    };
    for (qsizetype p = text.indexOf('\r'); p >= 0; p = text.indexOf('\r', p + 1))
        if (!cut(p))
            return std::nullopt;
    if (closed && !cut(text.size()))
        return std::nullopt;
    std::vector<std::pair<qsizetype, View>> order;
    order.reserve(static_cast<std::size_t>(last.size()));
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        order.emplace_back(it.value(), static_cast<View>(it.key()));
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
