#include "platform/NumberText.h"
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace quorin {

namespace {

// Digits and decimal exponent of `value` rounded to `digits` significant digits,
// trailing zeros dropped: value = 0.d1d2d3... * 10^(exp+1).
struct Decimal {
    bool negative = false;
    QByteArray digits; // at least one digit, no trailing zeros
    int exponent = 0;  // of the first digit
};

Decimal decompose(double value, int digits) {
    Decimal d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.append(*p);
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.endsWith('0'))
        d.digits.chop(1);
    return d;
}

QString formatDecimal(double value, int digits) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0.0)
        return QStringLiteral("0");
    const Decimal d = decompose(value, digits);
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    const QString ds = QString::fromLatin1(d.digits);
    if (d.exponent >= -6 && d.exponent < digits) {
        if (d.exponent < 0) {
            out += QStringLiteral("0.") + QString(-d.exponent - 1, QLatin1Char('0')) + ds;
        } else if (ds.size() <= d.exponent + 1) {
            out += ds + QString(d.exponent + 1 - ds.size(), QLatin1Char('0'));
        } else {
            out += ds.left(d.exponent + 1) + QLatin1Char('.') + ds.mid(d.exponent + 1);
        }
        return out;
    }
    out += ds.left(1);
    if (ds.size() > 1)
        out += QLatin1Char('.') + ds.mid(1);
    out += QLatin1Char('E');
    out += QLatin1Char(d.exponent < 0 ? '-' : '+');
    out += QString::number(std::abs(d.exponent)).rightJustified(2, QLatin1Char('0'));
    return out;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Length of the numeric prefix starting at `i` (sign, digits, point, exponent),
// 0 when there is no digit.
qsizetype numericPrefix(QStringView s, qsizetype i) {
    const qsizetype start = i;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    int mantissaDigits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        int expDigits = 0;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - start;
}

// The value of a numeric prefix (ASCII sign, digits, point, exponent), read
// without the locale: "." is always the decimal point.
std::optional<double> prefixValue(QStringView prefix) {
    std::array<char, 64> buffer{};
    qsizetype from = 0;
    if (!prefix.isEmpty() && prefix[0] == QLatin1Char('+'))
        from = 1; // from_chars takes no plus sign
    const qsizetype n = prefix.size() - from;
    if (n <= 0 || n >= qsizetype(buffer.size())) {
        bool ok = false;
        const double v = prefix.toString().toDouble(&ok); // long: the slow way
        return ok ? std::optional<double>(v) : std::nullopt;
    }
    for (qsizetype k = 0; k < n; ++k)
        buffer[std::size_t(k)] = static_cast<char>(prefix[from + k].unicode());
    double v = 0;
    const auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + n, v);
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity() * (v < 0 ? -1 : 1);
    if (ec != std::errc() || end != buffer.data() + n)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> PlainDecimalReader::value() const {
    static constexpr std::array<double, 16> powers = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (!plain_ || count_ == 0)
        return std::nullopt;
    const double v = double(digits_) / powers[std::size_t(decimals_)];
    return negative_ ? -v : v;
}

QString numberToText(double value) {
    return formatDecimal(value, 15);
}

QString singleToText(float value) {
    return formatDecimal(static_cast<double>(value), 7);
}

std::optional<double> numericValue(QStringView text) {
    qsizetype i = 0, end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    // One pass: the characters a number may hold go to the converter, which
    // must take all of them. A plus sign it does not take is passed over.
    if (i < end && text[i] == QLatin1Char('+')) {
        ++i;
        if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
            return std::nullopt;
    }
    PlainDecimalReader plain;
    for (qsizetype k = i; k < end; ++k)
        plain.take(text[k].unicode(), k == i);
    if (const auto quick = plain.value())
        return quick;
    std::array<char, 64> buffer{};
    const qsizetype n = end - i;
    if (n <= 0 || n >= qsizetype(buffer.size())) {
        // Empty, or long enough for the general (slower) rule.
        const qsizetype p = numericPrefix(text, i);
        if (p == 0 || p != n)
            return std::nullopt;
        const std::optional<double> v = prefixValue(text.sliced(i, n));
        return v && std::isfinite(*v) ? v : std::nullopt;
    }
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = text[i + k].unicode();
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' ||
                             c == u'e' || c == u'E';
        if (!allowed)
            return std::nullopt; // also keeps out "inf", "nan" and hexadecimal
        buffer[std::size_t(k)] = static_cast<char>(c);
    }
    double v = 0;
    const auto [stop, ec] = std::from_chars(buffer.data(), buffer.data() + n, v);
    if (ec != std::errc() || stop != buffer.data() + n || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumeric(const QString& text) {
    return numericValue(text).has_value();
}

double val(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype n = numericPrefix(text, i);
    if (n == 0)
        return 0.0;
    return prefixValue(QStringView(text).sliced(i, n)).value_or(0.0);
}

double Int(double value) {
    return std::floor(value);
}

} // namespace quorin
