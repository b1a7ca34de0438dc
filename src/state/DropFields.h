#pragma once
#include "core/DropModel.h"

namespace quorin {

class MainFields;

// The drop as the main window's fields give it, for every command of either
// window that throws one.

// The seven input fields: radius, Vx0, VFx, VFy, Vy0, flight time, density.
inline constexpr int dropInputFields[] = {0, 1, 2, 3, 4, 10, 13};

// Text1(0) radius, (1) Vx0, (2) VFx, (3) VFy, (4) Vy0, (13) density, each
// through val(); callers check the fields hold numbers first.
DropInputs readDropInputs(const MainFields& fields);
// Flight time from Text1(10).
double readFlightTime(const MainFields& fields);
// The seven input fields (radius, density, velocities, wind, flight time)
// hold numbers: what every drop command checks first.
bool dropFieldsAreNumbers(const MainFields& fields);

inline const char* const inputCheckMessage = "请输入数值！";
inline const char* const arithmeticErrorMessage =
    "参数无法计算：半径和密度须不为0，且数值不可过大。";

} // namespace quorin
