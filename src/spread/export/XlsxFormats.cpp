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
                  xlsxNumberFormat(style.type)};
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
    m_formats.emplace(key, format);
    return format;
}
