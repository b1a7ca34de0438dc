#include "platform/NumberText.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
int numericPrefix(const QString& s, int i) {
    const int start = i;
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
        int j = i + 1;
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

} // namespace

QString numberToText(double value) {
    return formatDecimal(value, 15);
}

QString singleToText(float value) {
    return formatDecimal(static_cast<double>(value), 7);
}

bool isNumeric(const QString& text) {
    int i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const int n = numericPrefix(text, i);
    if (n == 0)
        return false;
    i += n;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i != text.size())
        return false;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v);
}

double val(const QString& text) {
    int i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const int n = numericPrefix(text, i);
    if (n == 0)
        return 0.0;
    bool ok = false;
    const double v = text.mid(i, n).toDouble(&ok);
    return ok ? v : 0.0;
}

double Int(double value) {
    return std::floor(value);
}

} // namespace quorin
