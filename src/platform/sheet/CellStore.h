#pragma once

/// Storage of a grid's cells: one column after another, each column a table
/// of blocks of 64 rows allocated when first written. Reading an empty or
/// never-written cell costs two index look-ups; whole ranges are walked block
/// by block.

#include "platform/sheet/ColumnNumbers.h"
#include "platform/sheet/DependentList.h"
#include "platform/sheet/SheetTypes.h"
#include "platform/sheet/Value.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vtx::sheet {

class FormulaCode;

/// Texts that few cells have.
struct CellExtra {
    std::string tag;         ///< the hidden tag text (form 2)
    std::string enteredText; ///< a number's data text as typed, when not its shortest form
};

/// Bits of Cell::flags.
enum CellFlag : std::uint8_t {
    kCellPending = 1, ///< to be recalculated (a precedent changed with recalculation off)
    kCellInSet = 2,   ///< member of the recalculation under way
    kCellChanged = 4, ///< a precedent's value changed during this recalculation
    kCellStale = 8,   ///< formula not yet evaluated
};

struct Cell {
    Value value;
    FormulaCode* formula = nullptr;
    std::unique_ptr<CellExtra> extra;
    /// Formula cells that refer to this cell by a single reference.
    DependentList dependents;
    std::uint32_t style = 0;
    std::uint32_t scratch = 0;
    std::uint8_t flags = 0;

    /// Nothing worth keeping: no value, formula, style, texts or dependents.
    bool isBlank() const {
        return value.isEmpty() && !formula && !extra && dependents.empty() && style == 0;
    }
    /// Something of the grid's contents: a value, formula, texts or style (a
    /// cell kept only for the formulas that refer to it holds none).
    bool holdsContent() const { return formula || !value.isEmpty() || extra || style != 0; }
};

constexpr int kBlockBits = 6;
constexpr int kBlockRows = 1 << kBlockBits;

struct CellBlock {
    std::array<Cell, kBlockRows> cells;
    std::uint64_t used = 0;
};

/// The cells of one column.
class ColumnStore {
public:
    ColumnStore() = default;
    ColumnStore(ColumnStore&&) noexcept = default;
    ColumnStore& operator=(ColumnStore&&) noexcept = default;
    ColumnStore(const ColumnStore&) = delete;
    ColumnStore& operator=(const ColumnStore&) = delete;

    [[gnu::always_inline]] const Cell* find(int row) const {
        std::size_t b = static_cast<std::size_t>(row) >> kBlockBits;
        if (b >= m_blocks.size() || !m_blocks[b])
            return nullptr;
        const CellBlock& block = *m_blocks[b];
        int i = row & (kBlockRows - 1);
        return (block.used >> i) & 1u ? &block.cells[static_cast<std::size_t>(i)] : nullptr;
    }
    [[gnu::always_inline]] Cell* find(int row) {
        return const_cast<Cell*>(static_cast<const ColumnStore*>(this)->find(row));
    }
    [[gnu::always_inline]] Cell& ensure(int row) {
        std::size_t b = static_cast<std::size_t>(row) >> kBlockBits;
        if (b >= m_blocks.size() || !m_blocks[b]) [[unlikely]]
            return ensureBlock(row);
        CellBlock& block = *m_blocks[b];
        int i = row & (kBlockRows - 1);
        block.used |= std::uint64_t{1} << i;
        return block.cells[static_cast<std::size_t>(i)];
    }
    void erase(int row);
    /// Visits every existing cell with row0 <= row <= row1: fn(row, cell).
    template <typename Fn> void forEach(int row0, int row1, Fn&& fn) const {
        if (row0 < 0)
            row0 = 0;
        if (row1 < row0)
            return;
        std::size_t b0 = static_cast<std::size_t>(row0) >> kBlockBits;
        std::size_t b1 = static_cast<std::size_t>(row1) >> kBlockBits;
        for (std::size_t b = b0; b <= b1 && b < m_blocks.size(); ++b) {
            const CellBlock* block = m_blocks[b].get();
            if (!block || !block->used)
                continue;
            int base = static_cast<int>(b << kBlockBits);
            std::uint64_t used = block->used;
            // Only the rows of the range: the first and the last block are
            // masked, so visiting one row costs no more than its own cell.
            if (b == b0)
                used &= ~std::uint64_t{0} << (row0 - base);
            if (b == b1 && row1 - base < kBlockRows - 1)
                used &= (std::uint64_t{1} << (row1 - base + 1)) - 1;
            if (used == ~std::uint64_t{0}) {
                // A full block, as inside long filled ranges: straight through.
                for (int i = 0; i < kBlockRows; ++i)
                    fn(base + i, block->cells[static_cast<std::size_t>(i)]);
                continue;
            }
            while (used) {
                int i = __builtin_ctzll(used);
                used &= used - 1;
                fn(base + i, block->cells[static_cast<std::size_t>(i)]);
            }
        }
    }
    template <typename Fn> void forEachMutable(int row0, int row1, Fn&& fn) {
        static_cast<const ColumnStore*>(this)->forEach(
            row0, row1, [&](int row, const Cell& c) { fn(row, const_cast<Cell&>(c)); });
    }
    /// Moves the cells of rows >= row down by count (count < 0: up, the rows
    /// row+count .. row-1 being dropped).
    void shiftRows(int row, int count);
    bool empty() const { return m_blocks.empty(); }
    void clear() { m_blocks.clear(); }
    /// The number of existing cells.
    std::size_t cellCount() const {
        std::size_t count = 0;
        for (const auto& block : m_blocks)
            if (block)
                count += static_cast<std::size_t>(__builtin_popcountll(block->used));
        return count;
    }
    /// The rows covered by the column's blocks (0 to rowSpan() - 1).
    int rowSpan() const { return static_cast<int>(m_blocks.size()) << kBlockBits; }
    int lastRow() const;

private:
    Cell& ensureBlock(int row);
    std::vector<std::unique_ptr<CellBlock>> m_blocks;
};

/// Every cell of a grid, headers included.
class CellStore {
public:
    [[gnu::always_inline]] const Cell* find(int col, int row) const {
        if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= m_cols.size())
            return nullptr;
        return m_cols[static_cast<std::size_t>(col)].find(row);
    }
    [[gnu::always_inline]] Cell* find(int col, int row) {
        return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(col, row));
    }
    [[gnu::always_inline]] Cell& ensure(int col, int row) {
        if (static_cast<std::size_t>(col) >= m_cols.size()) [[unlikely]]
            m_cols.resize(static_cast<std::size_t>(col) + 1);
        return m_cols[static_cast<std::size_t>(col)].ensure(row);
    }
    void erase(int col, int row);
    /// The value of a cell; an empty value for a cell never written.
    const Value& value(int col, int row) const {
        const Cell* c = find(col, row);
        return c ? c->value : s_empty;
    }
    /// Visits the existing cells of a range column by column: fn(col, row, cell).
    template <typename Fn> void forEach(const CellRange& r, Fn&& fn) const {
        int c1 = std::min<int>(r.col1, static_cast<int>(m_cols.size()) - 1);
        for (int c = std::max(r.col0, 0); c <= c1; ++c)
            m_cols[static_cast<std::size_t>(c)].forEach(
                r.row0, r.row1, [&](int row, const Cell& cell) { fn(c, row, cell); });
    }
    template <typename Fn> void forEachMutable(const CellRange& r, Fn&& fn) {
        static_cast<const CellStore*>(this)->forEach(
            r, [&](int c, int row, const Cell& cell) { fn(c, row, const_cast<Cell&>(cell)); });
    }
    /// Calls fn(number) for the numbers of a range, column by column and
    /// row by row, up to the first error value, which it returns (None when
    /// there is none): what SUM and its kin take from a range. Long column
    /// stretches may be read from a copy of the column's numbers
    /// (ColumnNumbers), which is why this grid is not to be read from two
    /// threads at once.
    template <typename Fn> FormulaError forEachNumber(const CellRange& r, Fn&& fn) const {
        int c1 = std::min<int>(r.col1, static_cast<int>(m_cols.size()) - 1);
        for (int c = std::max(r.col0, 0); c <= c1; ++c) {
            FormulaError found = FormulaError::None;
            if (const ColumnNumbers* numbers = numbersOf(c, r.row0, r.row1)) {
                found = numbers->forEachNumber(r.row0, r.row1, fn);
            } else {
                m_cols[static_cast<std::size_t>(c)].forEach(r.row0, r.row1,
                                                            [&](int, const Cell& cell) {
                                                                if (found != FormulaError::None)
                                                                    return;
                                                                if (cell.value.isNumber())
                                                                    fn(cell.value.asNumber());
                                                                else if (cell.value.isError())
                                                                    found = cell.value.asError();
                                                            });
            }
            if (found != FormulaError::None)
                return found;
        }
        return FormulaError::None;
    }
    /// start plus the numbers of a range added one by one, column by
    /// column, when up-to-date copies of the columns' numbers tell it
    /// exactly (ColumnNumbers::exactSum); false (sum untouched) where the
    /// range must be walked.
    bool exactSum(const CellRange& r, double start, double& sum) const;
    /// How many rows and columns from the corner of r hold every cell of r
    /// (a cell kept for its dependents too): none lies at or beyond them.
    /// Costs a look at each column of r that holds cells.
    void usedExtent(const CellRange& r, int& rows, int& cols) const {
        rows = 0;
        cols = 0;
        const int c1 = std::min<int>(r.col1, static_cast<int>(m_cols.size()) - 1);
        for (int c = std::max(r.col0, 0); c <= c1; ++c) {
            const int last = m_cols[static_cast<std::size_t>(c)].lastRow();
            if (last < r.row0)
                continue;
            rows = std::max(rows, std::min(last, r.row1) - r.row0 + 1);
            cols = c - r.col0 + 1;
        }
    }
    template <typename Fn> void forEachCell(Fn&& fn) {
        forEachMutable(CellRange{0, 0, static_cast<int>(m_cols.size()), kMaxRows + 1}, fn);
    }
    void shiftRows(int row, int count);
    /// Moves the columns >= col right by count (count < 0: left, dropping).
    void shiftCols(int col, int count);
    void clear() {
        m_cols.clear();
        m_numbers.clear();
        ++m_epoch;
    }
    int columnSlots() const { return static_cast<int>(m_cols.size()); }
    /// The last row of a column that holds a cell (any cell, empty or not),
    /// -1 when none.
    int lastRow(int col) const {
        return col >= 0 && static_cast<std::size_t>(col) < m_cols.size()
                   ? m_cols[static_cast<std::size_t>(col)].lastRow()
                   : -1;
    }
    /// The number of existing cells (headers included).
    std::size_t cellCount() const {
        std::size_t count = 0;
        for (const ColumnStore& column : m_cols)
            count += column.cellCount();
        return count;
    }

    /// Marks a column's values as changed (look-up indexes over it are stale).
    void touch(int col) {
        if (static_cast<std::size_t>(col) >= m_versions.size())
            m_versions.resize(static_cast<std::size_t>(col) + 1);
        ++m_versions[static_cast<std::size_t>(col)];
    }
    /// Changes with every touch of the column and every structural change.
    std::uint64_t version(int col) const {
        std::uint64_t v = static_cast<std::size_t>(col) < m_versions.size()
                              ? m_versions[static_cast<std::size_t>(col)]
                              : 0;
        return (m_epoch << 32) ^ v;
    }

private:
    /// The copy of a column's numbers when it should answer for rows
    /// row0..row1 of the column (see ColumnNumbers), else null.
    const ColumnNumbers* numbersOf(int col, int row0, int row1) const;

    std::vector<ColumnStore> m_cols;
    std::vector<std::uint32_t> m_versions;
    /// Copies of columns' numbers, by column, made on demand (a cache: kept
    /// up to date through version()).
    mutable std::vector<std::unique_ptr<ColumnNumbers>> m_numbers;
    std::uint64_t m_epoch = 0;
    static const Value s_empty;
};

} // namespace vtx::sheet
