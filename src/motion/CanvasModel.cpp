#include "motion/CanvasModel.h"
#include "core/CanvasMotion.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include <cmath>

namespace quorin {

namespace {
// fvx0 and fvy0 that hold no number count as 0.
double numberOrZero(double v) {
    return std::isnan(v) ? 0.0 : v;
}

DropInputs withVelocities(DropInputs in, double fvx0, double fvy0) {
    in.vx0 = numberOrZero(fvx0);
    in.vy0 = numberOrZero(fvy0);
    return in;
}
} // namespace

CanvasModel::CanvasModel(MainFields& fields, double fvx0, double fvy0)
    : fields_(fields), drop_(readDropInputs(fields)),
      interceptor_(withVelocities(drop_.inputs(), fvx0, fvy0)),
      dropMoment_(canvasModelMoment(drop_.inputs())),
      interceptorMoment_(canvasModelMoment(interceptor_.inputs())) {}

double CanvasModel::f1(double t) const {
    return drop_.x(t);
}

double CanvasModel::f2(double t) {
    writeMoment(dropMoment_);
    return drop_.y(t);
}

double CanvasModel::f3(double t) {
    writeMoment(interceptorMoment_);
    return interceptor_.y(t);
}

double CanvasModel::f4(double t) const {
    return interceptor_.x(t);
}

void CanvasModel::writeMoment(const std::optional<QString>& text) {
    if (!text)
        return;
    if (!boxHolds_)
        boxHolds_ = fields_.fieldText(11);
    if (*boxHolds_ == *text)
        return;
    fields_.setFieldText(11, *text);
    boxHolds_ = text;
}

} // namespace quorin
