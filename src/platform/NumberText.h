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
