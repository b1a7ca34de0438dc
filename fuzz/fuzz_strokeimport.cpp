// The stroke import as 导入 runs it: the file's bytes through the row reader,
// then its rows into the stroke tables; then the export of what was read.
#include "FuzzCheck.h"
#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/TextFiles.h"

using namespace quorin;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BoundedTable<double> x(3000, 3000), y(3000, 3000), colour(3000, 3000), width(3000, 3000);
    BoundedArray<double> pointCount(3000), groupEnd(3000);
    StrokeTables tables{x, y, colour, width, pointCount, groupEnd};
    StrokeImportResult read;
    const RowReadResult rows = zhong(fuzz::bytesOf(data, size), rowTableRows,
                                     [&](const auto& kept) { read = qingz(kept, tables); });
    if (rows.tooMany || rows.rowCount <= 0)
        return 0;

    require(read.strokeCount >= 0 && read.strokeCount <= rows.rowCount / 2 + 1,
            "two rows per stroke");
    if (read.complete) {
        require(read.badRow == -1, "a complete reading names no row");
        require(groupEnd.at(0) == read.strokeCount, "the stroke count is stored");
    } else {
        require(read.badRow >= 0 && read.badRow <= rows.rowCount, "the bad row is a row read");
        require(groupEnd.used() == 0, "a stopped reading leaves the count alone");
    }
    const QString exported = strokeFileText(tables, read.strokeCount);
    require(read.strokeCount == 0 || exported.endsWith(QStringLiteral("\r\n")),
            "the export ends its lines");
    return 0;
}
