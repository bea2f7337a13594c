// ROUNDTO, GETARRAYITEM, TONUMBER, ISNULL and ISPOSITIVE.

#include "platform/core/StringUtils.h"
#include "standards/StandardsFunctionBodies.h"

#include <cmath>

namespace standards_bodies {

bool roundTo(StandardsCall& call) {
    double value = 0;
    double step = 0;
    if (!call.number(0, value) || !call.number(1, step))
        return false;
    call.setNumber(ObjectExportRoundTo(value, step));
    return true;
}

bool getArrayItem(StandardsCall& call) {
    Vtx_String list;
    double index = 0;
    if (!call.text(0, list) || !call.number(1, index))
        return false;
    // Empty items keep their place: "a;;c" has c at position 3.
    Vtx_StringArray items;
    strToArr(list, ';', items);
    // Checked as a double first: NaN or 1e300 must not reach the int cast.
    const double position = std::trunc(index);
    if (position >= 1 && position <= items.length())
        call.setText(items[static_cast<int>(position) - 1]);
    else
        call.setText(Vtx_String());
    return true;
}

bool toNumber(StandardsCall& call) {
    Vtx_String text;
    if (!call.text(0, text))
        return false;
    call.setNumber(decimalReading(text));
    return true;
}

bool isNull(StandardsCall& call) {
    const StandardsArgument& x = call.at(0);
    Vtx_String text;
    if (x.isNone())
        call.setNumber(1);
    else if (call.text(0, text))
        call.setNumber(text.isEmpty() ? 1 : 0);
    else if (x.isNumber())
        call.setNumber(x.number == 0 ? 1 : 0);
    else
        return false;
    return true;
}

bool isPositive(StandardsCall& call) {
    const StandardsArgument& x = call.at(0);
    Vtx_String text;
    double number = 0;
    if (x.isNone())
        number = 0;
    else if (call.text(0, text))
        number = text.isEmpty() ? 0 : decimalReading(text);
    else if (!call.number(0, number))
        return false;
    // NaN is not positive.
    call.setNumber(number > 0 ? 1 : 0);
    return true;
}

} // namespace standards_bodies
