#include "core/RowReader.h"
#include "platform/ByteWords.h"
#include <QHash>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace quorin {

namespace {

// Four UTF-16 units at a time: whether any is outside ASCII, and (for ASCII
// text) whether any is an upper-case letter.
constexpr std::uint64_t lanes(std::uint64_t unit) {
    return unit * 0x0001000100010001ULL;
}

// The OR of all units, eight bytes at a time (the tail's units in the low
// lanes).
template <class Unit> std::uint64_t unitsOred(const Unit* c, qsizetype n) {
    constexpr qsizetype perWord = 8 / sizeof(Unit);
    std::uint64_t all = 0;
    qsizetype i = 0;
    for (; i + perWord <= n; i += perWord) {
        std::uint64_t w;
        std::memcpy(&w, c + i, sizeof w);
        all |= w;
    }
    for (; i < n; ++i)
        all |= static_cast<std::make_unsigned_t<Unit>>(c[i]);
    return all;
}

bool anyNonAscii(const char16_t* c, qsizetype n) {
    return (unitsOred(c, n) & lanes(0xFF80)) != 0;
}

bool anyUpperAscii(const char16_t* c, qsizetype n) {
    // Each lane is below 0x80, so adding stays inside its lane: bit 7 of
    // lane + (0x80 - 'A') is set from 'A' on, of lane + (0x7F - 'Z') past 'Z'.
    std::uint64_t upper = 0;
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t w;
        std::memcpy(&w, c + i, sizeof w);
        upper |= (w + lanes(0x80 - 'A')) & ~(w + lanes(0x7F - 'Z'));
    }
    upper &= lanes(0x80);
    for (; i < n; ++i)
        upper |= char16_t(c[i] - u'A') < 26;
    return upper != 0;
}

} // namespace

bool isAscii(QByteArrayView bytes) {
    return (unitsOred(bytes.data(), bytes.size()) & byteLanes(0x80)) == 0;
}

void lowerAsciiLetters(char* d, qsizetype n) {
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, d + i, sizeof w);
        w = lowerAsciiWord(w);
        std::memcpy(d + i, &w, sizeof w);
    }
    for (; i < n; ++i) {
        if (d[i] >= 'A' && d[i] <= 'Z')
            d[i] = static_cast<char>(d[i] + ('a' - 'A'));
    }
}

bool lowerAsciiBytes(QByteArray& bytes) {
    if (!isAscii(bytes))
        return false;
    lowerAsciiLetters(bytes.data(), bytes.size());
    return true;
}

FoldedBytes::FoldedBytes(QByteArrayView r) : row(r) {
    // Every byte with bit 5 set: a letter reads the same in either case (as
    // do a row and its lowered form); other bytes may merge, which only costs
    // a comparison. Four words at a time, each mixed into its own lane by a
    // multiply, so the lanes do not wait for each other.
    const char* const d = row.data();
    const qsizetype n = row.size();
    constexpr std::uint64_t k = 0xFF51AFD7ED558CCDULL;
    std::uint64_t h[4] = {static_cast<std::uint64_t>(n), 1, 2, 3};
    const auto mix = [](std::uint64_t& lane, std::uint64_t w) {
        lane = (lane ^ (w | byteLanes(0x20))) * k;
        lane ^= lane >> 32;
    };
    qsizetype i = 0;
    for (; i + 32 <= n; i += 32)
        for (int j = 0; j < 4; ++j) {
            std::uint64_t w;
            std::memcpy(&w, d + i + 8 * j, sizeof w);
            mix(h[j], w);
        }
    for (; i < n; i += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, d + i, static_cast<std::size_t>(std::min<qsizetype>(8, n - i)));
        mix(h[0], w);
    }
    std::uint64_t all = h[0];
    for (int j = 1; j < 4; ++j)
        all = (all ^ h[j]) * k;
    hash = static_cast<size_t>(all ^ (all >> 29));
}

// QString::toLower looks every character up in the Unicode tables, which
// costs more than the rest of the reading; plain ASCII text is lowered here.
QString lowerCase(const QString& text) {
    const auto* const c = reinterpret_cast<const char16_t*>(text.constData());
    if (anyNonAscii(c, text.size()))
        return text.toLower();
    if (!anyUpperAscii(c, text.size()))
        return text;
    QString out = text;
    auto* d = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (char16_t(d[i] - u'A') < 26)
            d[i] = char16_t(d[i] + (u'a' - u'A'));
    }
    return out;
}

std::vector<QStringView> lastOccurrences(const std::vector<QStringView>& rows) {
    QHash<QStringView, qsizetype> last;
    last.reserve(static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        last.insert(rows[i], static_cast<qsizetype>(i));
    std::vector<QStringView> kept;
    kept.reserve(static_cast<std::size_t>(last.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].isEmpty() && last.value(rows[i]) == static_cast<qsizetype>(i))
            kept.push_back(rows[i]);
    }
    return kept;
}

QString tooManyRowsMessage() {
    return QStringLiteral("目前，记录行已经超过软件所设定的阀值：300000条，请重试。");
}

} // namespace quorin
