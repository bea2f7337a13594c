// The row and column counts. A grid holds no cell beyond its counts: making
// a count smaller erases what lies beyond it, so growing again shows empty
// cells, formulas no longer read the erased values and a saved file computes
// what the grid computed.
#include "platform/sheet/SheetImpl.h"

#include <algorithm>
#include <utility>

namespace vtx::sheet {

bool SheetImpl::hasContent(const CellRange& area) const {
    bool found = false;
    m_cells.forEach(area, [&](int, int, const Cell& c) { found = found || c.holdsContent(); });
    return found;
}

void SheetImpl::eraseCells(const CellRange& area, std::vector<std::uint64_t>& changed) {
    std::vector<CellPos> targets;
    m_cells.forEach(area, [&](int col, int row, const Cell& c) {
        if (c.holdsContent())
            targets.push_back({col, row});
    });
    for (CellPos p : targets) {
        Cell* c = m_cells.find(p.col, p.row);
        const bool hadValue = c->formula || !c->value.isEmpty();
        dropFormula(*c, p);
        // Unlinking may erase blank cells, this one among them (a formula
        // that refers to itself): look it up again.
        if ((c = m_cells.find(p.col, p.row)) != nullptr) {
            c->value = Value();
            c->extra.reset();
            c->style = 0;
        }
        m_cells.touch(p.col);
        // The position stays while formulas refer to it (its dependents).
        eraseIfBlank(p.col, p.row);
        if (hadValue)
            changed.push_back(p.key());
    }
}

void SheetImpl::sourcesChanged(const std::vector<std::uint64_t>& changed) {
    if (changed.empty())
        return;
    if (m_recalcDepth == 0 && ((m_options >> kOptionAutoCalc) & 1u))
        recalcFrom(changed);
    else
        m_pending.insert(m_pending.end(), changed.begin(), changed.end());
}

bool SheetImpl::setCount(bool cols, int count) {
    if (count < 0 || count > (cols ? kMaxCols : kMaxRows))
        return false;
    int& current = cols ? m_maxCols : m_maxRows;
    if (count >= current) {
        current = count;
        return true;
    }
    // Everything beyond the new count, whatever the old one was.
    const int slots = m_cells.columnSlots();
    const CellRange beyond = cols ? CellRange{count + 1, 0, slots, kMaxRows + 1}
                                  : CellRange{0, count + 1, slots, kMaxRows + 1};
    // Cells of a recalculation under way must not vanish under it.
    if (m_recalcDepth > 0 && hasContent(beyond))
        return false;
    current = count;
    std::vector<std::uint64_t> changed;
    eraseCells(beyond, changed);

    // Spans are cut at the count; one left with a single cell is dropped.
    std::vector<CellSpan> spans;
    for (CellSpan s : m_spans.all()) {
        int& start = cols ? s.col : s.row;
        int& size = cols ? s.cols : s.rows;
        if (start > count)
            continue;
        size = std::min(size, count - start + 1);
        if (s.cols > 1 || s.rows > 1)
            spans.push_back(s);
    }
    m_spans.assign(std::move(spans));
    std::map<int, double>& sizes = cols ? m_colWidths : m_rowHeights;
    sizes.erase(sizes.upper_bound(count), sizes.end());
    if ((cols ? m_active.col : m_active.row) > count)
        m_active = {0, 0};
    if (m_hasSelection) {
        int& first = cols ? m_selection.col0 : m_selection.row0;
        int& last = cols ? m_selection.col1 : m_selection.row1;
        if (first > count)
            m_hasSelection = false;
        else
            last = std::min(last, count);
    }
    sourcesChanged(changed);
    return true;
}

// The store keeps cells by column and visits columns in order, so a stable
// ordering by row keeps each row's cells in column order. A range with about
// as many cells as rows is ordered by counting each row's cells; a sparse one
// (few cells, many rows) by sorting.
std::vector<PlacedCell> SheetImpl::cellsByRow(const CellRange& range) const {
    std::vector<PlacedCell> cells;
    m_cells.forEach(range, [&](int col, int row, const Cell& cell) {
        cells.push_back(PlacedCell{&cell, col, row});
    });
    const auto rows = static_cast<std::size_t>(range.row1 - range.row0) + 1;
    if (cells.size() * 4 < rows) {
        std::stable_sort(cells.begin(), cells.end(),
                         [](const PlacedCell& a, const PlacedCell& b) { return a.row < b.row; });
        return cells;
    }
    std::vector<std::uint32_t> start(rows + 1, 0);
    for (const PlacedCell& c : cells)
        ++start[static_cast<std::size_t>(c.row - range.row0) + 1];
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<PlacedCell> ordered(cells.size());
    for (const PlacedCell& c : cells)
        ordered[start[static_cast<std::size_t>(c.row - range.row0)]++] = c;
    return ordered;
}

std::vector<CellPos> SheetModel::usedCells(const CellRange& range) const {
    CellRange r = range;
    std::vector<CellPos> used;
    if (!m_impl->rangeInGrid(r))
        return used;
    for (const PlacedCell& placed : m_impl->cellsByRow(r))
        if (placed.cell->holdsContent())
            used.push_back({placed.col, placed.row});
    return used;
}

bool SheetModel::setMaxCols(int count) {
    return notify(m_impl->setCount(true, count), kChangeStructure | kChangeCells | kChangeSizes |
                                                     kChangeSpans | kChangeCursor | kChangeOptions);
}

bool SheetModel::setMaxRows(int count) {
    return notify(m_impl->setCount(false, count), kChangeStructure | kChangeCells | kChangeSizes |
                                                      kChangeSpans | kChangeCursor |
                                                      kChangeOptions);
}

} // namespace vtx::sheet
