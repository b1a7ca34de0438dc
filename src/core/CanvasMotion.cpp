#include "core/CanvasMotion.h"
#include "platform/NumberText.h"
#include <cmath>

namespace quorin {

namespace canvasround {

namespace {
// b rounded up when the digit after it is 5 or more in magnitude.
double roundedUnits(double value, double tenthUnits, double units) {
    const double a = Int(value * tenthUnits);
    double b = Int(value * units);
    const double d = a - 10 * b;
    if (std::abs(d) >= 5)
        b += 1;
    return b;
}
} // namespace

double wc(double value) {
    return roundedUnits(value, 1e7, 1e6) / 1e6;
}

float wct(double value) {
    return static_cast<float>(roundedUnits(value, 1e7, 1e6) / 1e6);
}

double wcc(double value) {
    return roundedUnits(value, 1e2, 1e1) / 1e1;
}

double wcs(double value) {
    return Int(value * 10) / 10;
}

} // namespace canvasround

namespace {
QString reachesWindText(double ta) {
    return QStringLiteral("t=") + numberToText(canvasround::wc(ta)) + QStringLiteral("时，") +
           QStringLiteral("vy为vfy。");
}
} // namespace

std::optional<QString> canvasModelMoment(const DropInputs& in) {
    if (in.vy0 >= 0 && in.vfy >= 0 && in.vy0 < in.vfy)
        return numberToText(relativeApexTime(in));
    if (in.vy0 <= 0 && 0 <= in.vfy)
        return reachesWindText(relativeApexTime(in));
    return std::nullopt;
}

std::optional<QString> canvasDeriveMessage(const DropInputs& in, double t) {
    if (in.vy0 <= 0 && 0 <= in.vfy)
        return reachesWindText(relativeApexTime(in));
    if (in.vy0 <= 0 && in.vfy <= 0 && std::abs(in.vy0) > std::abs(in.vfy)) {
        const double ta = relativeApexTime(in);
        const DropConstants c = dropConstants(in);
        const double wind = std::abs(in.vfy) / c.vt;
        QString top;
        if (t > ta && wind < 1)
            top = numberToText(ta + std::log((1 + wind) / (1 - wind)) / (2 * c.lambda));
        const QString lf = QStringLiteral("\n"), cr = QStringLiteral("\r");
        return QStringLiteral("t=") + numberToText(canvasround::wc(ta)) + QStringLiteral("时，") +
               lf + cr + QStringLiteral("vy达到vfy.") + cr + lf + QStringLiteral("t=") + top +
               QStringLiteral("时，") + cr + lf + QStringLiteral("vy为0.");
    }
    return std::nullopt;
}

} // namespace quorin
