#pragma once
#include "core/DropModel.h"
#include <QString>
#include <optional>

namespace quorin {

// The canvas's own rounding family. Int is the floor; a digit d of 5 or more
// in magnitude rounds the kept digits up. Computed in doubles. The commands
// round with wc alone; wct, wcc and wcs are the rest of the family as the
// canvas was designed with it, kept (and tested) so that a command that needs
// one finds it here rather than writing its own.
namespace canvasround {
// Rounded to 6 decimals: a = Int(v 1e7), b = Int(v 1e6), d = a - 10 b.
double wc(double value);
// The same, as a single.
float wct(double value);
// Rounded to 1 decimal: a = Int(v 100), b = Int(v 10).
double wcc(double value);
// Cut to 1 decimal: Int(v 10) / 10.
double wcs(double value);
} // namespace canvasround

// What the canvas model's vertical displacement writes into the main window's
// special-moments box, replacing its text; nothing when it leaves the box:
// - Vy0 >= 0, VFy >= 0, Vy0 < VFy: the default text of the apex time ta;
// - else Vy0 <= 0 <= VFy: "t=" + wc(ta) + "时，vy为vfy。".
// (Vy0 = 0 < VFy satisfies both; the first is the one written.)
std::optional<QString> canvasModelMoment(const DropInputs& in);

// The canvas derive's message for the box, nothing when it leaves the box:
// - Vy0 <= 0 <= VFy: "t=" + wc(ta) + "时，vy为vfy。";
// - else Vy0 <= 0, VFy <= 0, |Vy0| > |VFy|: the two moments, ta when vy
//   reaches VFy and the top time T when vy reaches 0 (T written only when
//   t > ta and |VFy| < vt).
std::optional<QString> canvasDeriveMessage(const DropInputs& in, double t);

} // namespace quorin
