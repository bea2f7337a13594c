#include "spread/GridMeasure.h"

#include "platform/sheet/SheetModel.h"

#include <algorithm>
#include <cmath>
#include <string>

using vtx::sheet::CellKind;
using vtx::sheet::kOptionColumnHeaders;
using vtx::sheet::kOptionRowHeaders;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

double GridMeasure::columnPixels(const SheetModel& sheet, int column) const {
    return std::max(0.0, sheet.columnWidth(column)) * pixelsPerWidthUnit();
}

double GridMeasure::rowPixels(const SheetModel& sheet, int row) const {
    return std::max(0.0, sheet.rowHeight(row)) * pixelsPerHeightUnit();
}

double GridMeasure::contentWidth(const SheetModel& sheet) const {
    double total = sheet.option(kOptionRowHeaders) ? columnPixels(sheet, 0) : 0.0;
    for (int c = 1; c <= sheet.maxCols(); ++c)
        total += columnPixels(sheet, c);
    return total;
}

double GridMeasure::contentHeight(const SheetModel& sheet) const {
    double total = sheet.option(kOptionColumnHeaders) ? rowPixels(sheet, 0) : 0.0;
    for (int r = 1; r <= sheet.maxRows(); ++r)
        total += rowPixels(sheet, r);
    return total;
}

Vtx_Size FixedGridMeasure::clientSize(const SheetModel&) const {
    return m_client;
}

Vtx_Size FixedGridMeasure::scrollBarSize(const SheetModel& sheet) const {
    return {sheet.appearance().scrollBarWidth, sheet.appearance().scrollBarHeight};
}

bool FixedGridMeasure::verticalScrollBarShown(const SheetModel& sheet) const {
    if (m_vertical)
        return *m_vertical;
    return contentHeight(sheet) > m_client.height;
}

bool FixedGridMeasure::horizontalScrollBarShown(const SheetModel& sheet) const {
    if (m_horizontal)
        return *m_horizontal;
    const int vertical = verticalScrollBarShown(sheet) ? scrollBarSize(sheet).width : 0;
    return contentWidth(sheet) > m_client.width - vertical;
}

Vtx_Size FixedGridMeasure::textExtent(const SheetModel& sheet, int column, int row) const {
    const vtx::sheet::CellFont font = sheet.font(column, row);
    const int height = font.height > 0 ? font.height : kDefaultFontHeight;
    const int line = height + kLineLeading;
    const CellKind kind = sheet.cellType(column, row).kind;
    if (kind == CellKind::CheckBox || kind == CellKind::Picture)
        return {line + kCellMargin, line};
    std::string text;
    sheet.getText(column, row, TextForm::Value, text);
    // The widest line decides the width; every line adds its height.
    std::size_t widest = 0;
    int lines = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            widest = std::max(widest, i - start);
            start = i + 1;
            if (i < text.size())
                ++lines;
        }
    }
    double character = 7.0 * height / kDefaultFontHeight;
    if (font.bold)
        character *= 1.1;
    const auto width = static_cast<int>(std::ceil(static_cast<double>(widest) * character - 1e-9));
    return {width + kCellMargin, lines * line};
}
