#pragma once
#include "platform/BoundedTable.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace quorin {

// Reading a record file into rows: the text is lowered, cut at every CR (the
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

// The raw rows, before repeats and empties are removed: cut at every CR, and
// the character after a CR, the LF of a CR LF, belongs to no row.
template <class View> std::vector<View> cutAtCr(View text) {
    std::vector<View> rows;
    qsizetype start = 0; // first character of the next row
    for (qsizetype p = text.indexOf('\r'); p >= 0; p = text.indexOf('\r', p + 1)) {
        rows.push_back(p > start ? text.sliced(start, p - start) : View());
        start = p + 2;
    }
    return rows;
}

// Of equal rows only the last occurrence stays, where it stood; empty rows go.
template <class View> std::vector<View> lastOccurrences(const std::vector<View>& rows) {
    QHash<View, qsizetype> last;
    last.reserve(static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        last.insert(rows[i], static_cast<qsizetype>(i));
    std::vector<View> kept;
    kept.reserve(static_cast<std::size_t>(last.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].isEmpty() && last.value(rows[i]) == static_cast<qsizetype>(i))
            kept.push_back(rows[i]);
    }
    return kept;
}

} // namespace rowrules

// Of equal rows only the last occurrence stays, where it stood; empty rows go.
std::vector<QStringView> lastOccurrences(const std::vector<QStringView>& rows);

// The rows of `text` after lowering, cutting, removing repeats and empties, in
// file order. Text without a CR has no rows.
QStringList distinctRows(const QString& text);

struct RowReadResult {
    bool tooMany = false; // the rows did not fit; nothing was written
    int rowCount = 0;
};

// Shown when the rows do not fit the tables.
QString tooManyRowsMessage();

// Fills entries 0..m of both columns with TAB + row + TAB, where m is the row
// count; entry m is TAB TAB. When entry m lies outside either column, nothing
// is written and the result says tooMany.
RowReadResult zhong(const QString& text, BoundedArray<QString>& column1,
                    BoundedArray<QString>& column2);

} // namespace quorin
