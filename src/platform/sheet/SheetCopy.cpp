// Copying a whole grid: what a load gives, without the file text between.
#include "platform/sheet/SheetImpl.h"

namespace vtx::sheet {

bool SheetModel::copyFrom(const SheetModel& other) {
    if (m_impl->m_recalcDepth > 0)
        return false;
    if (&other == this)
        return true;
    const SheetImpl& s = *other.m_impl;
    SheetModel fresh;
    SheetImpl& d = *fresh.m_impl;
    d.m_options = s.m_options & ~(std::uint64_t{1} << kOptionAutoCalc);
    d.m_styles = s.m_styles;
    d.m_styleIds = s.m_styleIds;
    d.m_spans = s.m_spans;
    d.m_colWidths = s.m_colWidths;
    d.m_rowHeights = s.m_rowHeights;
    d.m_maxCols = s.m_maxCols;
    d.m_maxRows = s.m_maxRows;
    d.m_refStyle = s.m_refStyle;
    d.m_appearance = s.m_appearance;
    d.m_active = s.m_active;
    d.m_hasSelection = s.m_hasSelection;
    d.m_selection = s.m_selection;
    d.m_editMode = s.m_editMode;
    d.m_editStart = s.m_editStart;
    d.m_editLength = s.m_editLength;
    // Every cell. Constants first, then the formulas, so that linking a
    // formula finds the cells it refers to.
    const CellRange all{0, 0, s.m_cells.columnSlots(), kMaxRows + 1};
    s.m_cells.forEach(all, [&](int col, int row, const Cell& from) {
        Cell& to = d.m_cells.ensure(col, row);
        to.value = from.value;
        to.style = from.style;
        if (from.extra)
            to.extra = std::make_unique<CellExtra>(*from.extra);
    });
    // What belongs to the grid rather than to its contents stays: the custom
    // functions, and the programs of the formula texts parsed before (valid
    // as long as the functions and the reference style are the same).
    SheetImpl& old = *m_impl;
    d.m_custom = std::move(old.m_custom);
    // Programs with custom calls take this grid's address arguments; each
    // distinct program is marked once.
    std::unordered_map<const FormulaCode*, FormulaCode> marked;
    s.m_cells.forEach(all, [&](int col, int row, const Cell& from) {
        if (!from.formula)
            return;
        const FormulaCode* program = from.formula;
        if (!program->names.empty()) {
            auto [it, first] = marked.try_emplace(program, *program);
            if (first)
                d.markAddresses(it->second);
            program = &it->second;
        }
        d.installFormula({col, row}, d.m_pool.intern(*program));
        // A formula not yet evaluated stays so; the others keep their value.
        Cell& to = *d.m_cells.find(col, row);
        to.flags = static_cast<std::uint8_t>((to.flags & ~kCellStale) | (from.flags & kCellStale));
    });
    d.m_pending = s.m_pending;
    d.m_needFullRecalc = s.m_needFullRecalc;
    d.m_options = s.m_options;
    if (old.m_refStyle == d.m_refStyle)
        old.m_textCache.forEach([&](std::string_view key, const FormulaCode& code) {
            FormulaCode* program = d.m_pool.intern(code);
            d.m_textCache.remember(key, program);
            d.m_pool.release(program);
        });
    m_impl.swap(fresh.m_impl);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

} // namespace vtx::sheet
