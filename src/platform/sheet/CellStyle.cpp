#include "platform/sheet/CellStyle.h"

#include <algorithm>
#include <cmath>

namespace vtx::sheet {

CellType CellType::edit(int maxLength, std::uint32_t controlStyle) {
    CellType t;
    t.kind = CellKind::Edit;
    t.maxLength = std::max(0, maxLength);
    t.controlStyle = controlStyle;
    return t;
}

CellType CellType::number(NumberStyle style, int decimals, double minimum, double maximum,
                          bool spin) {
    CellType t;
    t.kind = CellKind::Number;
    t.numberStyle = style;
    t.decimals = std::clamp(decimals, 0, 15);
    t.minimum = std::min(minimum, maximum);
    t.maximum = std::max(minimum, maximum);
    t.spin = spin;
    return t;
}

CellType CellType::integer(double minimum, double maximum, bool spin) {
    CellType t = number(NumberStyle::Plain, 0, minimum, maximum, spin);
    t.kind = CellKind::Integer;
    return t;
}

CellType CellType::checkBox(std::string offPicture, std::string onPicture) {
    CellType t;
    t.kind = CellKind::CheckBox;
    t.pictureOff = std::move(offPicture);
    t.pictureOn = std::move(onPicture);
    return t;
}

CellType CellType::combo(std::string tabSeparatedItems, std::uint32_t controlStyle) {
    CellType t;
    t.kind = CellKind::Combo;
    t.text = std::move(tabSeparatedItems);
    t.controlStyle = controlStyle;
    return t;
}

CellType CellType::picture(std::string name, PictureStyle style) {
    CellType t;
    t.kind = CellKind::Picture;
    t.text = std::move(name);
    t.pictureStyle = style;
    return t;
}

CellType CellType::header() {
    CellType t;
    t.kind = CellKind::Header;
    return t;
}

int cellTypeNumber(const CellType& type) {
    switch (type.kind) {
    case CellKind::General:
        return 0;
    case CellKind::Edit:
        return 1;
    case CellKind::Number:
        return 14 + static_cast<int>(type.numberStyle);
    case CellKind::Integer:
        return 10;
    case CellKind::CheckBox:
        return 12;
    case CellKind::Combo:
        return 7;
    case CellKind::Picture:
        return 8;
    case CellKind::Header:
        return 5;
    }
    return 0;
}

void makeStorable(CellStyle& style) {
    CellType& t = style.type;
    const CellType defaults;
    t.maxLength = std::clamp(t.maxLength, 0, kMaxEditLength);
    t.decimals = std::clamp(t.decimals, 0, kMaxDecimals);
    if (!std::isfinite(t.minimum))
        t.minimum = defaults.minimum;
    if (!std::isfinite(t.maximum))
        t.maximum = defaults.maximum;
    for (std::string* text : {&t.text, &t.pictureOff, &t.pictureOn, &style.font.name})
        if (text->size() > kMaxStyleText)
            text->resize(kMaxStyleText);
    style.font.height = std::clamp(style.font.height, 0, kMaxFontHeight);
}

} // namespace vtx::sheet
