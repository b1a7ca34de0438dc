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

size_t qHash(FoldedBytes key, size_t seed) {
    // The lowered row, a piece at a time.
    char piece[256];
    const qsizetype n = key.row.size();
    qsizetype at = 0;
    do {
        const qsizetype k = std::min(n - at, qsizetype(sizeof piece));
        std::memcpy(piece, key.row.data() + at, static_cast<std::size_t>(k));
        lowerAsciiLetters(piece, k);
        seed = qHashBits(piece, static_cast<std::size_t>(k), seed);
        at += k;
    } while (at < n);
    return seed;
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
