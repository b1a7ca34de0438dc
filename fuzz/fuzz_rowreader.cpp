// The row reader on any text a file may hold, decoded as GBK as the program
// reads it.
#include "FuzzCheck.h"
#include "core/RowReader.h"
#include "platform/TextFiles.h"

using namespace quorin;
using fuzz::require;

namespace {

// Columns as the program has them, or small ones, which reach the refusal of
// rows that do not fit; the first byte picks one.
long long columnUpper(const std::uint8_t* data, std::size_t size) {
    return size > 0 && (data[0] & 1) != 0 ? 7 : 3000;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fromGbk(fuzz::bytesOf(data, size));
    const long long upper = columnUpper(data, size);
    BoundedArray<QString> one(upper), two(upper);
    const RowReadResult r = zhong(text, one, two);
    if (r.tooMany) {
        require(r.rowCount == 0 && one.used() == 0 && two.used() == 0,
                "refused rows leave the columns empty");
        return 0;
    }
    require(r.rowCount >= 0 && r.rowCount <= upper, "the rows and the closing entry fit");
    require(one.at(r.rowCount) == QStringLiteral("\t\t"), "the closing entry is TAB TAB");
    for (int i = 0; i < r.rowCount; ++i) {
        const QString entry = one.at(i);
        require(entry == two.at(i), "both columns hold the row");
        require(entry.size() > 2 && entry.front() == u'\t' && entry.back() == u'\t',
                "a row is enclosed in TABs and not empty");
        require(!entry.contains(QChar(13)), "no row holds a CR");
        require(i == 0 || entry != one.at(i - 1), "a row is not repeated");
    }
    return 0;
}
