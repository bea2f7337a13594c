// The names of the dimension values of the standard section types.

#include "sectionlib/NewSectionByExample.h"

#include "platform/core/Settings.h"

namespace {

/// One name: dialog text `text`, followed by a blank and `number` when it is
/// not 0 ("Flange width 1").
struct DimensionName {
    int text;
    int number;
};

constexpr int kMaxDimensions = 9;

constexpr DimensionName kHeight{736, 0};
constexpr DimensionName kWidth{737, 0};
constexpr DimensionName kWebThickness{738, 0};
constexpr DimensionName kFlangeThickness{739, 0};
constexpr DimensionName kThickness{744, 0};

/// The names of types 1 to 24, in order; a zero text ends a list.
constexpr int kStandardTypes = 24;
constexpr DimensionName kDimensionNames[kStandardTypes][kMaxDimensions] = {
    /* 1 */ {kHeight, kWidth, kWebThickness, kFlangeThickness, {740, 0}},
    /* 2 */ {kHeight, kWidth, kWebThickness, kFlangeThickness},
    /* 3 */ {kHeight, kWidth, kWebThickness, kFlangeThickness, {741, 0}, {742, 0}},
    /* 4 */ {kHeight, {743, 1}, {743, 2}, kThickness},
    /* 5 */ {kHeight, kWidth, kWebThickness, kFlangeThickness, {741, 0}},
    /* 6 */
    {kHeight, kWidth, kWebThickness, kFlangeThickness, {741, 0}, {742, 0}, {745, 0}, {746, 0}},
    /* 7 */
    {kHeight, kWidth, kWebThickness, kFlangeThickness, {741, 0}, {742, 0}, {745, 0}, {746, 0}},
    /* 8 */ {kWidth, kThickness},
    /* 9 */ {{747, 0}},
    /* 10 */ {kHeight, kWidth, kThickness, {740, 0}},
    /* 11 */ {{747, 0}, kThickness},
    /* 12 */ {kHeight, kWidth, {748, 0}, kThickness},
    /* 13 */ {kHeight, {749, 1}, {750, 1}, {750, 2}, {749, 2}, kThickness},
    /* 14 */ {{751, 0}, kThickness, {752, 0}},
    /* 15 */ {kHeight, kWidth, kThickness, {753, 0}},
    /* 16 */ {kHeight, kWidth, kThickness, {753, 0}},
    /* 17 */ {kHeight, kWidth, kWebThickness, kFlangeThickness, {741, 0}},
    /* 18 */ {kHeight, kWidth, kThickness, {1684, 1}, {1684, 2}, {1685, 0}, {1686, 0}},
    /* 19 */
    {kHeight, kWidth, kThickness, {1684, 1}, {1684, 2}, {1685, 0}, {1686, 1}, {1686, 2}, {1687, 0}},
    /* 20 */ {kHeight, kWidth, kThickness, {1684, 1}, {1684, 2}, {1685, 0}},
    /* 21 */ {kHeight, kWidth, {749, 1}, kThickness, {749, 2}, {1687, 0}},
    /* 22 */ {kHeight, {749, 0}, kWidth, kThickness},
    /* 23 */ {kHeight, kWidth, kThickness, {737, 2}, {1686, 0}},
    /* 24 */ {kHeight, kWidth, kThickness, {737, 1}, {737, 2}, {1686, 0}, {1687, 0}},
};

} // namespace

Vtx_StringArray standardDimensionNames(int type) {
    Vtx_StringArray names;
    if (type < 1 || type > kStandardTypes)
        return names;
    for (const DimensionName& name : kDimensionNames[type - 1]) {
        if (name.text == 0)
            break;
        Vtx_String text = dialString(name.text);
        if (name.number != 0)
            text += " " + Vtx_String::fromInt(name.number);
        names.append(text);
    }
    return names;
}
