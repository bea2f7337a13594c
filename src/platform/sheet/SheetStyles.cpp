// Cell types, styles, spans, sizes and cursor state of SheetModel.
#include "platform/sheet/SheetImpl.h"

#include <algorithm>

namespace vtx::sheet {

namespace {

// Gives a cell an interned style; a cell that would be left blank is not kept.
void putStyle(SheetImpl& s, int col, int row, std::uint32_t id) {
    if (id == 0 && !s.m_cells.find(col, row))
        return;
    s.m_cells.ensure(col, row).style = id;
    s.eraseIfBlank(col, row);
}

template <typename Change>
bool changeStyles(SheetImpl& s, const CellRange& range, Change&& change) {
    CellRange r = range;
    if (!s.rangeInGrid(r))
        return false;
    for (int col = r.col0; col <= r.col1; ++col)
        for (int row = r.row0; row <= r.row1; ++row) {
            CellStyle style = s.styleAt(col, row);
            change(style, col, row, r);
            putStyle(s, col, row, s.internStyle(style));
        }
    return true;
}

} // namespace

bool SheetModel::setCellType(const CellRange& range, const CellType& type) {
    return notify(changeStyles(*m_impl, range,
                               [&](CellStyle& s, int, int, const CellRange&) { s.type = type; }),
                  kChangeCells, range);
}

// The type and the font copy only their own part of the shared style.
CellType SheetModel::cellType(int col, int row) const {
    return m_impl->styleIn(col, row).type;
}

int SheetModel::cellTypeNumber(int col, int row) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return -1;
    return vtx::sheet::cellTypeNumber(m_impl->styleAt(col, row).type);
}

bool SheetModel::setFont(const CellRange& range, const CellFont& font) {
    return notify(changeStyles(*m_impl, range,
                               [&](CellStyle& s, int, int, const CellRange&) { s.font = font; }),
                  kChangeCells, range);
}

CellFont SheetModel::font(int col, int row) const {
    return m_impl->styleIn(col, row).font;
}

bool SheetModel::setColors(const CellRange& range, std::uint32_t back, std::uint32_t fore) {
    return notify(changeStyles(*m_impl, range,
                               [&](CellStyle& s, int, int, const CellRange&) {
                                   s.backColor = back;
                                   s.foreColor = fore;
                               }),
                  kChangeCells, range);
}

bool SheetModel::colors(int col, int row, std::uint32_t& back, std::uint32_t& fore) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    const CellStyle& s = m_impl->styleAt(col, row);
    back = s.backColor;
    fore = s.foreColor;
    return true;
}

bool SheetModel::setBorder(const CellRange& range, unsigned edges, BorderSide side, bool outline) {
    return notify(changeStyles(*m_impl, range,
                               [&](CellStyle& s, int col, int row, const CellRange& r) {
                                   auto put = [&](unsigned edge, int index, bool onOutline) {
                                       if ((edges & edge) && (!outline || onOutline))
                                           s.borders[index] = side;
                                   };
                                   put(kBorderLeft, 0, col == r.col0);
                                   put(kBorderTop, 1, row == r.row0);
                                   put(kBorderRight, 2, col == r.col1);
                                   put(kBorderBottom, 3, row == r.row1);
                               }),
                  kChangeCells, range);
}

BorderSide SheetModel::border(int col, int row, BorderEdge edge) const {
    const CellStyle& s = m_impl->styleIn(col, row);
    switch (edge) {
    case kBorderLeft:
        return s.borders[0];
    case kBorderTop:
        return s.borders[1];
    case kBorderRight:
        return s.borders[2];
    case kBorderBottom:
        return s.borders[3];
    default:
        return {};
    }
}

bool SheetModel::setLock(const CellRange& range, bool locked) {
    return notify(
        changeStyles(*m_impl, range,
                     [&](CellStyle& s, int, int, const CellRange&) { s.locked = locked; }),
        kChangeCells, range);
}

bool SheetModel::isLocked(int col, int row) const {
    return m_impl->styleIn(col, row).locked;
}

CellStyle SheetModel::style(int col, int row) const {
    return m_impl->styleIn(col, row);
}

bool SheetModel::setStyle(const CellRange& range, const CellStyle& style) {
    // One style for every cell: it is looked up once.
    SheetImpl& s = *m_impl;
    CellRange r = range;
    if (!s.rangeInGrid(r))
        return false;
    const std::uint32_t id = s.internStyle(style);
    for (int col = r.col0; col <= r.col1; ++col)
        for (int row = r.row0; row <= r.row1; ++row)
            putStyle(s, col, row, id);
    return notify(true, kChangeCells, r);
}

// ---- spans ----

bool SheetModel::addSpan(int col, int row, int cols, int rows) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (cols < 1 || rows < 1 || !m_impl->inRange(col, row) ||
        !m_impl->inRange(col + cols - 1, row + rows - 1))
        return false;
    return notify(m_impl->m_spans.add({col, row, cols, rows}), kChangeSpans,
                  CellRange{col, row, col + cols - 1, row + rows - 1});
}

bool SheetModel::removeSpan(int col, int row) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    return notify(m_impl->m_spans.remove(col, row), kChangeSpans);
}

bool SheetModel::getSpan(int col, int row, CellSpan& span) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (const CellSpan* found = m_impl->m_spans.find(col, row)) {
        span = *found;
        return true;
    }
    span = {col, row, 1, 1};
    return false;
}

const std::vector<CellSpan>& SheetModel::spans() const {
    return m_impl->m_spans.all();
}

// ---- sizes ----

bool SheetModel::setColumnWidth(int col, double width) {
    col = SheetImpl::normalize(col);
    if (col < 0 || col > m_impl->m_maxCols || !(width >= 0) || width > 10000)
        return false;
    m_impl->m_colWidths[col] = width;
    return notify(true, kChangeSizes, CellRange{col, 0, col, -1});
}

double SheetModel::columnWidth(int col) const {
    col = SheetImpl::normalize(col);
    if (col < 0 || col > m_impl->m_maxCols)
        return -1;
    auto it = m_impl->m_colWidths.find(col);
    return it == m_impl->m_colWidths.end() ? SheetImpl::kDefaultWidth : it->second;
}

bool SheetModel::setRowHeight(int row, double height) {
    row = SheetImpl::normalize(row);
    if (row < 0 || row > m_impl->m_maxRows || !(height >= 0) || height > 10000)
        return false;
    m_impl->m_rowHeights[row] = height;
    return notify(true, kChangeSizes, CellRange{0, row, -1, row});
}

double SheetModel::rowHeight(int row) const {
    row = SheetImpl::normalize(row);
    if (row < 0 || row > m_impl->m_maxRows)
        return -1;
    auto it = m_impl->m_rowHeights.find(row);
    return it == m_impl->m_rowHeights.end() ? SheetImpl::kDefaultHeight : it->second;
}

double SheetModel::maxTextColumnWidth(int col) const {
    col = SheetImpl::normalize(col);
    if (col < 0 || col > m_impl->m_maxCols)
        return -1;
    double widest = 0;
    m_impl->m_cells.forEach(
        CellRange{col, 0, col, m_impl->m_maxRows}, [&](int, int, const Cell& c) {
            double scale = c.style ? m_impl->styleOf(&c).font.height : 0;
            scale = scale > 0 ? scale / 15.0 : 1.0;
            double w = static_cast<double>(m_impl->shownText(&c).size()) * scale;
            if (m_impl->styleOf(&c).font.bold)
                w *= 1.1;
            widest = std::max(widest, w);
        });
    return widest;
}

double SheetModel::maxTextRowHeight(int row) const {
    row = SheetImpl::normalize(row);
    if (row < 0 || row > m_impl->m_maxRows)
        return -1;
    double highest = 0;
    m_impl->m_cells.forEach(
        CellRange{0, row, m_impl->m_maxCols, row}, [&](int, int, const Cell& c) {
            if (c.value.isEmpty())
                return;
            int h = m_impl->styleOf(&c).font.height;
            // Font heights are in pixels of the default 96 dpi; a line needs
            // the font's points plus a little leading. Only a text can hold
            // line breaks, and every line counts.
            const double line = (h > 0 ? h : 15) * 0.75 + 1.5;
            const auto lines = c.value.isText() ? 1 + std::count(c.value.asText().begin(),
                                                                 c.value.asText().end(), '\n')
                                                : 1;
            highest = std::max(highest, line * static_cast<double>(lines));
        });
    return highest;
}

// ---- cursor and edit state ----

bool SheetModel::activeCell(int& col, int& row) const {
    if (m_impl->m_active.col < 1 || m_impl->m_active.row < 1)
        return false;
    col = m_impl->m_active.col;
    row = m_impl->m_active.row;
    return true;
}

bool SheetModel::setActiveCell(int col, int row) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (col < 1 || row < 1 || !m_impl->inRange(col, row))
        return false;
    m_impl->m_active = {col, row};
    return notify(true, kChangeCursor);
}

bool SheetModel::selection(CellRange& range) const {
    if (!m_impl->m_hasSelection)
        return false;
    range = m_impl->m_selection;
    return true;
}

bool SheetModel::setSelection(const CellRange& range) {
    CellRange r = range;
    if (!m_impl->rangeInGrid(r))
        return false;
    m_impl->m_selection = r;
    m_impl->m_hasSelection = true;
    return notify(true, kChangeCursor);
}

void SheetModel::clearSelection() {
    m_impl->m_hasSelection = false;
    notify(true, kChangeCursor);
}
bool SheetModel::editMode() const {
    return m_impl->m_editMode;
}
void SheetModel::setEditMode(bool on) {
    m_impl->m_editMode = on;
    notify(true, kChangeCursor);
}

void SheetModel::editSelection(int& start, int& length) const {
    start = m_impl->m_editStart;
    length = m_impl->m_editLength;
}

void SheetModel::setEditSelection(int start, int length) {
    m_impl->m_editStart = std::max(0, start);
    m_impl->m_editLength = length < 0 ? -1 : length;
    notify(true, kChangeCursor);
}

} // namespace vtx::sheet
