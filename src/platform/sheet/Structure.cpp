// Structural editing: rows and columns inserted and deleted, ranges copied
// and moved. Formulas are rewritten so that their references keep pointing
// at the same cells; a reference to a cell that is gone becomes #REF!.
#include "platform/sheet/SheetImpl.h"

#include <algorithm>
#include <utility>

namespace vtx::sheet {

namespace {

// A reference corner that points nowhere: shown and evaluated as #REF!.
constexpr CellRef kDeletedRef{0, 0, true, true};

// Insertion (count > 0) or deletion (count < 0) of rows or columns at `at`.
class BandMap : public PositionMap {
public:
    BandMap(bool rows, int at, int count) : m_rows(rows), m_at(at), m_count(count) {}

    bool mapCell(CellPos& p) const override {
        int& v = m_rows ? p.row : p.col;
        int limit = m_rows ? kMaxRows : kMaxCols;
        if (m_count > 0) {
            if (v >= m_at)
                v += m_count;
            return v <= limit;
        }
        int last = m_at - m_count - 1;
        if (v >= m_at && v <= last)
            return false;
        if (v > last)
            v += m_count;
        return true;
    }

    bool mapRange(CellRange& r) const override {
        int& lo = m_rows ? r.row0 : r.col0;
        int& hi = m_rows ? r.row1 : r.col1;
        int limit = m_rows ? kMaxRows : kMaxCols;
        if (m_count > 0) {
            if (lo >= m_at)
                lo += m_count;
            if (hi >= m_at)
                hi = std::min(hi + m_count, limit);
            return lo <= limit;
        }
        int n = -m_count;
        int last = m_at + n - 1;
        int newLo = lo < m_at ? lo : (lo > last ? lo - n : m_at);
        int newHi = hi < m_at ? hi : (hi > last ? hi - n : m_at - 1);
        if (newHi < newLo)
            return false;
        lo = newLo;
        hi = newHi;
        return true;
    }

private:
    bool m_rows;
    int m_at;
    int m_count;
};

// A range moved by (dc, dr); cells it lands on are overwritten.
class MoveMap : public PositionMap {
public:
    MoveMap(const CellRange& source, int dc, int dr)
        : m_source(source), m_dest{source.col0 + dc, source.row0 + dr, source.col1 + dc,
                                   source.row1 + dr},
          m_dc(dc), m_dr(dr) {}

    bool mapCell(CellPos& p) const override {
        if (m_source.contains(p.col, p.row)) {
            p.col += m_dc;
            p.row += m_dr;
            return true;
        }
        return !m_dest.contains(p.col, p.row);
    }

    bool mapRange(CellRange& r) const override {
        if (m_source.contains(r.col0, r.row0) && m_source.contains(r.col1, r.row1)) {
            r.col0 += m_dc;
            r.col1 += m_dc;
            r.row0 += m_dr;
            r.row1 += m_dr;
        }
        return true;
    }

private:
    CellRange m_source;
    CellRange m_dest;
    int m_dc;
    int m_dr;
};

// The program of a formula that moves from `from` to `to` while the cells it
// refers to move as `map` says; null when nothing changes.
std::unique_ptr<FormulaCode> remapCode(const FormulaCode& code, CellPos from, CellPos to,
                                       const PositionMap& map) {
    auto out = std::make_unique<FormulaCode>(code);
    bool changed = false;
    for (CellRef& r : out->refs) {
        CellPos target = r.resolve(from);
        if (!isInGrid(target))
            continue;
        CellRef updated = map.mapCell(target) ? r.pointingAt(target, to) : kDeletedRef;
        changed |= !(updated == r);
        r = updated;
    }
    for (RangeRef& def : out->ranges) {
        CellPos a = def.first.resolve(from);
        CellPos b = def.last.resolve(from);
        if (!isInGrid(a) || !isInGrid(b))
            continue;
        CellRange range = def.resolve(from);
        RangeRef updated;
        updated.whole = def.whole;
        if (map.mapRange(range)) {
            // Whole columns keep every row, whole rows every column.
            if (def.whole == kWholeColumns) {
                range.row0 = 1;
                range.row1 = kMaxRows;
            } else if (def.whole == kWholeRows) {
                range.col0 = 1;
                range.col1 = kMaxCols;
            }
            updated.first = def.first.pointingAt({range.col0, range.row0}, to);
            updated.last = def.last.pointingAt({range.col1, range.row1}, to);
        } else {
            updated.first = kDeletedRef;
            updated.last = kDeletedRef;
        }
        changed |= !(updated == def);
        def = updated;
    }
    if (!changed)
        return nullptr;
    out->useCount = 0;
    return out;
}

} // namespace

template <typename MoveCells>
void SheetImpl::restructure(const PositionMap& map, MoveCells&& move) {
    struct Moved {
        CellPos to;
        FormulaCode* code;
    };
    std::vector<FormulaCode*> oldCodes;
    std::vector<Moved> moved;
    m_cells.forEachCell([&](int col, int row, Cell& c) {
        c.dependents.clear();
        if (!c.formula)
            return;
        CellPos from{col, row};
        CellPos to = from;
        FormulaCode* old = c.formula;
        c.formula = nullptr;
        oldCodes.push_back(old);
        if (!map.mapCell(to))
            return;
        auto updated = remapCode(*old, from, to, map);
        FormulaCode* code = nullptr;
        if (updated) {
            code = m_pool.intern(*updated);
        } else {
            code = old;
            m_pool.retain(old);
        }
        moved.push_back({to, code});
    });
    m_graph.clear();
    move();
    for (FormulaCode* old : oldCodes)
        m_pool.release(old);
    for (const Moved& m : moved) {
        Cell& c = m_cells.ensure(m.to.col, m.to.row);
        c.formula = m.code;
        c.flags = kCellStale;
    }
    rebuildGraph();
    structureChanged();
}

void SheetImpl::rebuildGraph() {
    m_graph.clear();
    m_volatile.clear();
    std::vector<CellPos> formulas;
    m_cells.forEachCell([&](int col, int row, Cell& c) {
        c.dependents.clear();
        if (c.formula)
            formulas.push_back({col, row});
    });
    for (CellPos p : formulas) {
        const Cell* cell = m_cells.find(p.col, p.row);
        if (!cell || !cell->formula)
            continue;
        const FormulaCode* code = cell->formula;
        m_graph.link(m_cells, p, *code);
        if (code->isVolatile)
            m_volatile.push_back(p.key());
    }
}

void SheetImpl::structureChanged() {
    m_lookups.clear();
    m_pending.clear();
    if ((m_options >> kOptionAutoCalc) & 1u)
        recalcAll();
    else
        m_needFullRecalc = true;
}

namespace {

void shiftSpans(SpanList& spans, bool rows, int at, int count) {
    std::vector<CellSpan> out;
    for (CellSpan s : spans.all()) {
        int& start = rows ? s.row : s.col;
        int& size = rows ? s.rows : s.cols;
        int end = start + size - 1;
        if (count > 0) {
            if (start >= at)
                start += count;
            else if (end >= at)
                size += count;
            out.push_back(s);
            continue;
        }
        int last = at - count - 1;
        if (end < at) {
            out.push_back(s);
        } else if (start > last) {
            start += count;
            out.push_back(s);
        } else if (start < at) {
            size -= std::min(end, last) - at + 1;
            if (size >= 1)
                out.push_back(s);
        }
    }
    spans.assign(std::move(out));
}

void shiftSizes(std::map<int, double>& sizes, int at, int count) {
    std::map<int, double> out;
    for (auto [index, size] : sizes) {
        if (index < at)
            out[index] = size;
        else if (count > 0)
            out[index + count] = size;
        else if (index >= at - count)
            out[index + count] = size;
    }
    sizes.swap(out);
}

// The cells an insertion of `count` rows (columns) at `at` would push beyond
// the count are erased first: no cell lives beyond the counts. The full
// recalculation of the structural change follows.
void erasePushedOut(SheetImpl& s, bool rows, int at, int count) {
    const int last = rows ? s.m_maxRows : s.m_maxCols;
    const int first = std::max(at, last - count + 1);
    if (first > last)
        return;
    const CellRange band = rows ? CellRange{0, first, s.m_cells.columnSlots(), last}
                                : CellRange{first, 0, last, kMaxRows + 1};
    std::vector<std::uint64_t> changed;
    s.eraseCells(band, changed);
}

} // namespace

bool SheetModel::insertRows(int row, int count) {
    SheetImpl& s = *m_impl;
    row = SheetImpl::normalize(row);
    if (s.m_recalcDepth > 0 || count < 1 || row < 1 || row > s.m_maxRows + 1)
        return false;
    erasePushedOut(s, true, row, count);
    s.restructure(BandMap(true, row, count), [&] { s.m_cells.shiftRows(row, count); });
    shiftSpans(s.m_spans, true, row, count);
    shiftSizes(s.m_rowHeights, row, count);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

bool SheetModel::deleteRows(int row, int count) {
    SheetImpl& s = *m_impl;
    row = SheetImpl::normalize(row);
    if (s.m_recalcDepth > 0 || count < 1 || row < 1 || row + count - 1 > s.m_maxRows)
        return false;
    s.restructure(BandMap(true, row, -count), [&] { s.m_cells.shiftRows(row + count, -count); });
    shiftSpans(s.m_spans, true, row, -count);
    shiftSizes(s.m_rowHeights, row, -count);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

bool SheetModel::insertCols(int col, int count) {
    SheetImpl& s = *m_impl;
    col = SheetImpl::normalize(col);
    if (s.m_recalcDepth > 0 || count < 1 || col < 1 || col > s.m_maxCols + 1)
        return false;
    erasePushedOut(s, false, col, count);
    s.restructure(BandMap(false, col, count), [&] { s.m_cells.shiftCols(col, count); });
    shiftSpans(s.m_spans, false, col, count);
    shiftSizes(s.m_colWidths, col, count);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

bool SheetModel::deleteCols(int col, int count) {
    SheetImpl& s = *m_impl;
    col = SheetImpl::normalize(col);
    if (s.m_recalcDepth > 0 || count < 1 || col < 1 || col + count - 1 > s.m_maxCols)
        return false;
    s.restructure(BandMap(false, col, -count), [&] { s.m_cells.shiftCols(col + count, -count); });
    shiftSpans(s.m_spans, false, col, -count);
    shiftSizes(s.m_colWidths, col, -count);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

bool SheetModel::copyRange(const CellRange& source, int col, int row) {
    SheetImpl& s = *m_impl;
    CellRange src = source;
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (s.m_recalcDepth > 0 || !s.rangeInGrid(src) ||
        !s.inRange(col + src.cols() - 1, row + src.rows() - 1) || !s.inRange(col, row))
        return false;
    struct Copied {
        CellPos to;
        Value value;
        FormulaCode* code;
        std::string tag;
        std::string entered;
        std::uint32_t style;
    };
    std::vector<Copied> copies;
    s.m_cells.forEach(src, [&](int c, int r, const Cell& cell) {
        Copied k{
            {col + c - src.col0, row + r - src.row0}, cell.value, cell.formula, {}, {}, cell.style};
        // Hold the program: clearing the destination may drop its last use.
        if (cell.formula)
            s.m_pool.retain(cell.formula);
        if (cell.extra) {
            k.tag = cell.extra->tag;
            k.entered = cell.extra->enteredText;
        }
        copies.push_back(std::move(k));
    });
    // The destination is replaced as a whole: cells the source lacks are emptied.
    CellRange dest{col, row, col + src.cols() - 1, row + src.rows() - 1};
    std::vector<CellPos> cleared;
    s.m_cells.forEach(dest, [&](int c, int r, const Cell&) { cleared.push_back({c, r}); });
    std::vector<std::uint64_t> changed;
    for (CellPos p : cleared) {
        Cell& c = s.m_cells.ensure(p.col, p.row);
        s.dropFormula(c, p);
        Cell& fresh = s.m_cells.ensure(p.col, p.row);
        fresh.value = Value();
        fresh.extra.reset();
        fresh.style = 0;
        s.m_cells.touch(p.col);
        changed.push_back(p.key());
    }
    for (Copied& k : copies) {
        Cell& c = s.m_cells.ensure(k.to.col, k.to.row);
        c.value = std::move(k.value);
        c.style = k.style;
        if (!k.tag.empty() || !k.entered.empty()) {
            c.extra = std::make_unique<CellExtra>();
            c.extra->tag = std::move(k.tag);
            c.extra->enteredText = std::move(k.entered);
        }
        if (k.code)
            s.installFormula(k.to, k.code); // the use taken when copied passes to the cell
        s.m_cells.touch(k.to.col);
        changed.push_back(k.to.key());
    }
    for (CellPos p : cleared)
        s.eraseIfBlank(p.col, p.row);
    s.sourcesChanged(changed);
    return notify(true, kChangeCells, dest);
}

bool SheetModel::moveRange(const CellRange& source, int col, int row) {
    SheetImpl& s = *m_impl;
    CellRange src = source;
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (s.m_recalcDepth > 0 || !s.rangeInGrid(src) || !s.inRange(col, row) ||
        !s.inRange(col + src.cols() - 1, row + src.rows() - 1))
        return false;
    int dc = col - src.col0;
    int dr = row - src.row0;
    if (dc == 0 && dr == 0)
        return true;
    CellRange dest{col, row, col + src.cols() - 1, row + src.rows() - 1};
    s.restructure(MoveMap(src, dc, dr), [&] {
        struct Taken {
            CellPos to;
            Cell cell;
        };
        std::vector<Taken> taken;
        std::vector<CellPos> positions;
        s.m_cells.forEach(src, [&](int c, int r, const Cell&) { positions.push_back({c, r}); });
        for (CellPos p : positions) {
            Cell* c = s.m_cells.find(p.col, p.row);
            if (!c)
                continue;
            taken.push_back({{p.col + dc, p.row + dr}, std::move(*c)});
            s.m_cells.erase(p.col, p.row);
        }
        std::vector<CellPos> overwritten;
        s.m_cells.forEach(dest, [&](int c, int r, const Cell&) { overwritten.push_back({c, r}); });
        for (CellPos p : overwritten)
            s.m_cells.erase(p.col, p.row);
        for (Taken& t : taken) {
            s.m_cells.ensure(t.to.col, t.to.row) = std::move(t.cell);
            s.m_cells.touch(t.to.col);
        }
        for (int c = src.col0; c <= src.col1; ++c)
            s.m_cells.touch(c);
    });
    return notify(true, kChangeCells);
}

} // namespace vtx::sheet
