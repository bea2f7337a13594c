#pragma once

// Cell formats of the .xlsx export (private to vtx_export): the number format
// of a cell type, the workbook's colour of a grid colour, and one format per
// distinct look of the grid's cells.

#include "platform/sheet/CellStyle.h"
#include "spread/ExportSheet.h"

#include <xlsxwriter.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

/// The number format that shows a number as its cell type shows it: "0.00"
/// for a number cell of 2 decimals, "#,##0.0" with thousands separators,
/// "0%" percent, "0" an integer cell; "" (general) for other cells.
std::string xlsxNumberFormat(const vtx::sheet::CellType& type);

/// A grid colour (0x00BBGGRR) as the workbook's 0xRRGGBB; black becomes the
/// writer's own black, since 0 means no colour there.
lxw_color_t xlsxColor(std::uint32_t color);

/// The workbook's border style of a grid border style (1 thin, 2 thick, 3
/// dotted, 4 dashed, 5 double; any other non-zero style is drawn thin).
std::uint8_t xlsxBorderStyle(std::uint8_t style);

/// One workbook format per distinct font, colours, borders and number format, made
/// when first needed and owned by the workbook.
class XlsxFormatCache {
public:
    /// The workbook and the options must outlive the cache.
    XlsxFormatCache(lxw_workbook* workbook, const ExportOptions& options)
        : m_workbook(workbook), m_options(options) {}

    /// The format of a cell style; nullptr (the default look) when the
    /// workbook cannot make one.
    lxw_format* get(const vtx::sheet::CellStyle& style);

private:
    /// Each border side as its style in the high and its colour in the low
    /// 32 bits.
    using Borders = std::array<std::uint64_t, 4>;
    using Key = std::tuple<std::string, int, bool, bool, bool, std::uint32_t, std::uint32_t,
                           std::string, Borders>;
    static Borders bordersOf(const vtx::sheet::CellStyle& style);

    lxw_workbook* m_workbook;
    const ExportOptions& m_options;
    std::map<Key, lxw_format*> m_formats;
};
