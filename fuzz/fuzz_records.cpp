// The parameter records as the record replays read them: treego.txt decoded
// from GBK, cut into records round every comma, each record split into its
// eight values.
#include "FuzzCheck.h"
#include "core/RecordReader.h"
#include "platform/BoundedTable.h"
#include "platform/TextFiles.h"
#include <cmath>

using namespace quorin;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fromGbk(fuzz::bytesOf(data, size));
    BoundedArray<QString> records(100000);
    long long count = 0;
    for (const QString& row : recordRows(text, QLatin1Char(','))) {
        require(!row.isEmpty(), "no empty record");
        require(!row.contains(QChar(13)), "no record holds a CR");
        if (!records.set(count, row))
            break;
        ++count;
    }
    // The cycle reads one entry past the records as well.
    BoundedArray<double> values(7);
    for (long long i = 0; i <= count; ++i) {
        const auto fields = recordFields(records.at(i));
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (!fields[k])
                continue;
            require(std::isfinite(*fields[k]), "a record value is a finite number");
            values.set(static_cast<long long>(k), *fields[k]);
        }
    }
    return 0;
}
