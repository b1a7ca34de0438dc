#pragma once
#include <QString>
#include <QStringView>
#include <concepts>
#include <optional>
#include <type_traits>

namespace quorin {

// The program's default number-to-text: 15 significant digits, trailing zeros
// dropped, "0.5" with its leading zero, plain decimals from 1E-6 up to below
// 1E15 and "1.5E+20" / "1E-07" outside that range.
QString numberToText(double value);

// The same for a single-precision value (7 significant digits).
QString singleToText(float value);

// True for optional blanks, optional sign, digits with an optional point and
// an optional exponent. Empty text, "nan" and "inf" are not numbers.
bool isNumeric(const QString& text);

// Reads a plain decimal ("-12.5", up to 15 digits, no exponent, no blanks) one
// character at a time: the digits make an exact whole number and one division
// by an exact power of ten rounds correctly, so its value is the one the
// general conversion gives. Anything else has no value here.
class PlainDecimalReader {
public:
    void take(char16_t c, bool first) {
        if (c >= u'0' && c <= u'9' && count_ < 15) {
            digits_ = digits_ * 10 + (c - u'0');
            ++count_;
            decimals_ += point_;
        } else if (c == u'.' && !point_) {
            point_ = true;
        } else if (c == u'-' && first) {
            negative_ = true;
        } else {
            plain_ = false;
        }
    }
    std::optional<double> value() const;

private:
    long long digits_ = 0;
    int count_ = 0, decimals_ = 0;
    bool point_ = false, negative_ = false, plain_ = true;
};

// The number the text holds, when isNumeric would say so; nothing otherwise.
std::optional<double> numericValue(QStringView text);

// The leading numeric prefix of the text (after blanks), else 0.
double val(const QString& text);

// Floor, as the program's Int.
double Int(double value);

// Counted loop "for v = from to to step step": v grows by step each pass and
// the loop runs while v has not passed `to` in the direction of the step.
// A zero, NaN or infinite step, or a step too small to move v, is refused
// (returns false without running). The body may return false to stop early.
template <class Body> bool forStep(double from, double to, double step, Body&& body) {
    if (!(step == step) || step == 0.0 || step - step != 0.0 || !(from == from) || !(to == to))
        return false;
    if (from + step == from)
        return false;
    for (double v = from; step > 0 ? v <= to : v >= to; v += step) {
        if constexpr (std::is_same_v<std::invoke_result_t<Body, double>, bool>) {
            if (!body(v))
                break;
        } else {
            body(v);
        }
    }
    return true;
}

} // namespace quorin
