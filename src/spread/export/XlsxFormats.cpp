#include "spread/export/XlsxFormats.h"

#include "platform/core/VtxString.h"

using vtx::sheet::CellKind;
using vtx::sheet::CellStyle;
using vtx::sheet::CellType;
using vtx::sheet::NumberStyle;

std::string xlsxNumberFormat(const CellType& type) {
    const std::string decimals =
        type.decimals > 0 ? "." + std::string(static_cast<std::size_t>(type.decimals), '0') : "";
    if (type.kind == CellKind::Integer)
        return "0";
    if (type.kind != CellKind::Number)
        return {};
    switch (type.numberStyle) {
    case NumberStyle::Thousands:
        return "#,##0" + decimals;
    case NumberStyle::Percent:
        return "0" + decimals + "%";
    case NumberStyle::Plain:
        break;
    }
    return "0" + decimals;
}

lxw_color_t xlsxColor(std::uint32_t color) {
    const lxw_color_t rgb = ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

std::uint8_t xlsxBorderStyle(std::uint8_t style) {
    switch (style) {
    case 0:
        return LXW_BORDER_NONE;
    case 2:
        return LXW_BORDER_THICK;
    case 3:
        return LXW_BORDER_DOTTED;
    case 4:
        return LXW_BORDER_DASHED;
    case 5:
        return LXW_BORDER_DOUBLE;
    default:
        return LXW_BORDER_THIN;
    }
}

XlsxFormatCache::Borders XlsxFormatCache::bordersOf(const CellStyle& style) {
    Borders borders{};
    for (std::size_t i = 0; i < borders.size(); ++i)
        borders[i] = (std::uint64_t{style.borders[i].style} << 32) | style.borders[i].color;
    return borders;
}

lxw_format* XlsxFormatCache::get(const CellStyle& style) {
    const std::string font =
        style.font.name.empty() ? m_options.defaultFontName.str() : style.font.name;
    const int pixels = style.font.height > 0 ? style.font.height : m_options.defaultFontHeight;
    const Key key{font,
                  pixels,
                  style.font.bold,
                  style.font.italic,
                  style.font.underline,
                  style.foreColor,
                  style.backColor,
                  xlsxNumberFormat(style.type),
                  bordersOf(style)};
    auto found = m_formats.find(key);
    if (found != m_formats.end())
        return found->second;
    lxw_format* format = workbook_add_format(m_workbook);
    if (!format)
        return nullptr;
    format_set_font_name(format, toUtf8(font).c_str());
    format_set_font_size(format, pixels * 0.75);
    if (style.font.bold)
        format_set_bold(format);
    if (style.font.italic)
        format_set_italic(format);
    if (style.font.underline)
        format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (style.foreColor != vtx::sheet::kDefaultColor)
        format_set_font_color(format, xlsxColor(style.foreColor));
    if (style.backColor != vtx::sheet::kDefaultColor)
        format_set_bg_color(format, xlsxColor(style.backColor));
    if (!std::get<7>(key).empty())
        format_set_num_format(format, std::get<7>(key).c_str());
    // Left, top, right, bottom, as the grid keeps them.
    using SetStyle = void (*)(lxw_format*, uint8_t);
    using SetColor = void (*)(lxw_format*, lxw_color_t);
    static constexpr SetStyle kSetStyle[4] = {format_set_left, format_set_top, format_set_right,
                                              format_set_bottom};
    static constexpr SetColor kSetColor[4] = {format_set_left_color, format_set_top_color,
                                              format_set_right_color, format_set_bottom_color};
    for (std::size_t i = 0; i < 4; ++i) {
        const vtx::sheet::BorderSide& side = style.borders[i];
        if (side.style == 0)
            continue;
        kSetStyle[i](format, xlsxBorderStyle(side.style));
        kSetColor[i](format, xlsxColor(side.color));
    }
    m_formats.emplace(key, format);
    return format;
}
