#pragma once
#include "core/DropModel.h"
#include <QString>
#include <optional>

namespace quorin {

class MainFields;

// The canvas's copies of the drop model for one command run: f1, f2 for the
// drop entered in the main window, f3, f4 for the interceptor whose initial
// velocities are the canvas's fvx0 and fvy0. The main window's inputs are read
// once, when the model is made. f2 and f3 write their special moment into the
// main window's Text1(11) as the canvas model always has; the text depends on
// the inputs only, so the box is written only when it would change.
// The commands use f1 and f2; f3 and f4, the interceptor's, are the designed
// pair of the canvas model that no command calls now (the angle search works
// from the drop's own motion), kept with their tests for the same reason.
class CanvasModel {
public:
    CanvasModel(MainFields& fields, double fvx0, double fvy0);

    const DropInputs& inputs() const { return drop_.inputs(); }
    double f1(double t) const;
    double f2(double t);
    double f3(double t);
    double f4(double t) const;

    // The command wrote Text1(11) itself: the next moment write compares
    // with the box afresh.
    void boxChanged() { boxHolds_.reset(); }

private:
    void writeMoment(const std::optional<QString>& text);

    MainFields& fields_;
    // The drop's constants are worked out once per run.
    DropMotion drop_;
    DropMotion interceptor_;
    std::optional<QString> dropMoment_;
    std::optional<QString> interceptorMoment_;
    // What Text1(11) holds, as far as this model knows.
    std::optional<QString> boxHolds_;
};

} // namespace quorin
