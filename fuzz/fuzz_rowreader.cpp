// The row reader on any bytes a file may hold: plain ASCII cut where it lies,
// anything else decoded as GBK, as the program reads files.
#include "FuzzCheck.h"
#include "core/RowReader.h"
#include "platform/TextFiles.h"
#include <QSet>

using namespace quorin;
using fuzz::require;

namespace {

// The program's limit, or a small one that reaches the refusal of rows that
// do not fit; the first byte picks one.
qsizetype rowLimit(const std::uint8_t* data, std::size_t size) {
    return size > 0 && (data[0] & 1) != 0 ? 7 : rowTableRows;
}

QString textOf(QStringView row) {
    return row.toString();
}
QString textOf(QByteArrayView row) {
    return QString::fromLatin1(row);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qsizetype limit = rowLimit(data, size);
    QStringList rows;
    bool handed = false;
    const RowReadResult r = zhong(fuzz::bytesOf(data, size), limit, [&](const auto& kept) {
        handed = true;
        for (const auto& row : kept)
            rows.append(textOf(row));
    });
    if (r.tooMany) {
        require(r.rowCount == 0 && !handed, "refused rows are not handed on");
        return 0;
    }
    require(handed && r.rowCount == rows.size(), "the count is of the rows handed on");
    require(r.rowCount >= 0 && r.rowCount <= limit, "the rows fit");
    for (const QString& row : rows) {
        require(!row.isEmpty(), "no row is empty");
        require(!row.contains(QChar(13)), "no row holds a CR");
    }
    require(QSet<QString>(rows.begin(), rows.end()).size() == rows.size(), "no row is repeated");
    return 0;
}
