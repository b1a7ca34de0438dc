#include "state/DropFields.h"
#include "platform/NumberText.h"
#include "state/MainFields.h"

namespace quorin {

DropInputs readDropInputs(const MainFields& fields) {
    DropInputs in;
    in.radiusMm = val(fields.fieldText(0));
    in.vx0 = val(fields.fieldText(1));
    in.vfx = val(fields.fieldText(2));
    in.vfy = val(fields.fieldText(3));
    in.vy0 = val(fields.fieldText(4));
    in.density = val(fields.fieldText(13));
    return in;
}

double readFlightTime(const MainFields& fields) {
    return val(fields.fieldText(10));
}

bool dropFieldsAreNumbers(const MainFields& fields) {
    for (int i : dropInputFields)
        if (!isNumeric(fields.fieldText(i)))
            return false;
    return true;
}

} // namespace quorin
