// Vtx_Spread: column layouts that follow the window size, and row fill.
// Widths are worked out in whole pixels of the measure and stored in the
// model's units; see docs/grid-presentation.md for the arithmetic.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

#include <cmath>
#include <map>
#include <set>

using vtx::sheet::CellSpan;
using vtx::sheet::CellType;
using vtx::sheet::kOptionColumnHeaders;
using vtx::sheet::kOptionRowHeaders;

GridMeasure& Vtx_Spread::measure() {
    if (m_viewMeasure)
        return *m_viewMeasure;
    if (m_created && !m_ownMeasure.hasClientSize())
        m_ownMeasure.setClientSize(m_rect.width(), m_rect.height());
    return m_ownMeasure;
}

int Vtx_Spread::availableWidth() {
    if (!m_created)
        return -1;
    GridMeasure& m = measure();
    int width = m.clientSize(*m_model).width;
    if (m.verticalScrollBarShown(*m_model))
        width -= m.scrollBarSize(*m_model).width;
    return std::max(width, 0);
}

int Vtx_Spread::columnWidthPixels(int column) {
    column = normalizeIndex(column);
    if (!m_created || column < 0 || column > getMaxCols())
        return -1;
    return static_cast<int>(std::lround(measure().columnPixels(*m_model, column)));
}

int Vtx_Spread::rowHeightPixels(int row) {
    row = normalizeIndex(row);
    if (!m_created || row < 0 || row > getMaxRows())
        return -1;
    return static_cast<int>(std::lround(measure().rowPixels(*m_model, row)));
}

Vtx_Array<int> Vtx_Spread::layoutColumns() const {
    Vtx_Array<int> columns;
    if (m_model->option(kOptionRowHeaders))
        columns.append(0);
    for (int c = 1; c <= m_model->maxCols(); ++c)
        columns.append(c);
    return columns;
}

void Vtx_Spread::setColumnPixels(int column, int pixels) {
    m_model->setColumnWidth(column, std::max(pixels, 0) / measure().pixelsPerWidthUnit());
}

bool Vtx_Spread::setColumnLayout(int mode, int a, int b) {
    if (!m_created || mode < kLayoutNone || mode > kLayoutFixedColumn)
        return false;
    m_layoutMode = mode;
    m_layoutA = a;
    m_layoutB = b;
    return applyColumnLayout();
}

bool Vtx_Spread::setColumnLayoutList(int mode, const Vtx_Array<int>& columns,
                                     const Vtx_Array<int>& widths) {
    if (!m_created || mode != kLayoutColumnList)
        return false;
    const int n = std::min(columns.length(), widths.length());
    m_layoutColumns = Vtx_Array<int>();
    m_layoutWidths = Vtx_Array<int>();
    for (int i = 0; i < n; ++i) {
        m_layoutColumns.append(columns[i]);
        m_layoutWidths.append(widths[i]);
    }
    m_layoutMode = mode;
    return applyColumnLayout();
}

bool Vtx_Spread::applyColumnLayout() {
    if (!m_created)
        return false;
    switch (m_layoutMode) {
    case kLayoutEqual:
        return divideWidth(true, 0);
    case kLayoutFit:
        return layoutFit();
    case kLayoutShare:
        return layoutShare(m_layoutA, m_layoutB);
    case kLayoutFixedColumn:
        return layoutFixedColumn(m_layoutA, m_layoutB);
    case kLayoutColumnList:
        return layoutColumnList();
    default:
        return true;
    }
}

bool Vtx_Spread::resized(int width, int height) {
    m_ownMeasure.setClientSize(width, height);
    return applyColumnLayout();
}

bool Vtx_Spread::divideWidth(bool firstFixed, int width) {
    if (!m_created)
        return false;
    const Vtx_Array<int> columns = layoutColumns();
    const int n = columns.length();
    if (n == 0)
        return true;
    const int available = availableWidth();
    const int share = available / n;
    const int count = getMaxCols();
    // A preferred width wider than the equal share, or a lone column, gives
    // everything the equal share.
    if (width <= 0 || share < width || n == 1 || count < 1) {
        for (int c : columns)
            setColumnPixels(c, share);
        return true;
    }
    const int fixed = firstFixed ? 1 : count;
    const int rest = (available - width) / (n - 1);
    for (int c : columns)
        setColumnPixels(c, c == fixed ? width : rest);
    return true;
}

bool Vtx_Spread::layoutShare(int count, int percent) {
    const int cols = getMaxCols();
    const int fixedCount = std::min(std::abs(count), cols);
    if (fixedCount == 0)
        return divideWidth(true, 0);
    const Vtx_Array<int> columns = layoutColumns();
    const int available = availableWidth();
    const int each = available * std::clamp(percent, 0, 100) / 100 / fixedCount;
    const int others = columns.length() - fixedCount;
    const int rest = others > 0 ? (available - each * fixedCount) / others : 0;
    const int first = count > 0 ? 1 : cols - fixedCount + 1;
    for (int c : columns) {
        const bool fixed = c >= first && c < first + fixedCount;
        setColumnPixels(c, fixed ? each : rest);
    }
    return true;
}

bool Vtx_Spread::layoutFixedColumn(int column, int width) {
    column = normalizeIndex(column);
    if (column < 0 || column > getMaxCols())
        return false;
    width = std::max(width, 0);
    const Vtx_Array<int> columns = layoutColumns();
    // A hidden header column takes no room from the others.
    const bool shown = column != 0 || m_model->option(kOptionRowHeaders);
    const int others = columns.length() - (shown ? 1 : 0);
    const int rest = others > 0 ? (availableWidth() - (shown ? width : 0)) / others : 0;
    setColumnPixels(column, width);
    for (int c : columns)
        if (c != column)
            setColumnPixels(c, rest);
    return true;
}

bool Vtx_Spread::layoutColumnList() {
    const int cols = getMaxCols();
    std::map<int, int> listed; // a column listed twice keeps its last width
    for (int i = 0; i < m_layoutColumns.length(); ++i) {
        const int column = normalizeIndex(m_layoutColumns[i]);
        if (column >= 0 && column <= cols)
            listed[column] = std::max(m_layoutWidths[i], 0);
    }
    const Vtx_Array<int> columns = layoutColumns();
    int used = 0;
    int others = 0;
    for (int c : columns) {
        auto it = listed.find(c);
        if (it == listed.end())
            ++others;
        else
            used += it->second;
    }
    const int rest = others > 0 ? std::max(availableWidth() - used, 0) / others : 0;
    for (const auto& [column, width] : listed)
        setColumnPixels(column, width);
    for (int c : columns)
        if (!listed.count(c))
            setColumnPixels(c, rest);
    return true;
}

bool Vtx_Spread::layoutFit() {
    const int cols = getMaxCols();
    const int rows = getMaxRows();
    if (cols >= 1)
        m_model->setCellType({1, 0, cols, 0}, CellType::header());
    if (rows >= 1)
        m_model->setCellType({0, 1, 0, rows}, CellType::header());
    // A merged cell needs the room of its whole span: it does not size the
    // column (row) it starts in when it spans more than one; covered cells
    // show nothing.
    std::set<std::uint64_t> skipWidth;
    std::set<std::uint64_t> skipHeight;
    for (const CellSpan& s : m_model->spans())
        for (int c = s.col; c < s.col + s.cols; ++c)
            for (int r = s.row; r < s.row + s.rows; ++r) {
                const bool anchor = c == s.col && r == s.row;
                const std::uint64_t key = vtx::sheet::CellPos{c, r}.key();
                if (!anchor || s.cols > 1)
                    skipWidth.insert(key);
                if (!anchor || s.rows > 1)
                    skipHeight.insert(key);
            }
    const int firstColumn = m_model->option(kOptionRowHeaders) ? 0 : 1;
    const int firstRow = m_model->option(kOptionColumnHeaders) ? 0 : 1;
    GridMeasure& m = measure();
    std::map<int, int> widest;
    std::map<int, int> highest;
    for (int r = firstRow; r <= rows; ++r)
        for (int c = firstColumn; c <= cols; ++c) {
            const std::uint64_t key = vtx::sheet::CellPos{c, r}.key();
            const bool width = !skipWidth.count(key);
            const bool height = !skipHeight.count(key);
            if (!width && !height)
                continue;
            const Vtx_Size extent = m.textExtent(*m_model, c, r);
            if (width)
                widest[c] = std::max(widest[c], extent.width);
            if (height)
                highest[r] = std::max(highest[r], extent.height);
        }
    for (const auto& [column, pixels] : widest)
        setColumnPixels(column, pixels);
    for (const auto& [row, pixels] : highest)
        m_model->setRowHeight(row, pixels / m.pixelsPerHeightUnit());
    return true;
}

bool Vtx_Spread::fillHeight(int row) {
    row = normalizeIndex(row);
    if (!m_created || row < 0 || row > getMaxRows())
        return false;
    GridMeasure& m = measure();
    double height = m.clientSize(*m_model).height;
    if (m.horizontalScrollBarShown(*m_model))
        height -= m.scrollBarSize(*m_model).height;
    const double extra = height - m.contentHeight(*m_model);
    if (extra > 0)
        m_model->setRowHeight(row, m_model->rowHeight(row) + extra / m.pixelsPerHeightUnit());
    return true;
}
