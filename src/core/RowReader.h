#pragma once
#include "platform/BoundedTable.h"
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
