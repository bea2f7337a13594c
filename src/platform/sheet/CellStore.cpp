#include "platform/sheet/CellStore.h"

#include <algorithm>
#include <iterator>

namespace vtx::sheet {

const Value CellStore::s_empty{};

Cell& ColumnStore::ensureBlock(int row) {
    std::size_t b = static_cast<std::size_t>(row) >> kBlockBits;
    if (b >= m_blocks.size())
        m_blocks.resize(b + 1);
    if (!m_blocks[b])
        m_blocks[b] = std::make_unique<CellBlock>();
    CellBlock& block = *m_blocks[b];
    int i = row & (kBlockRows - 1);
    block.used |= std::uint64_t{1} << i;
    return block.cells[static_cast<std::size_t>(i)];
}

void ColumnStore::erase(int row) {
    std::size_t b = static_cast<std::size_t>(row) >> kBlockBits;
    if (b >= m_blocks.size() || !m_blocks[b])
        return;
    CellBlock& block = *m_blocks[b];
    int i = row & (kBlockRows - 1);
    block.cells[static_cast<std::size_t>(i)] = Cell();
    block.used &= ~(std::uint64_t{1} << i);
    if (!block.used) {
        m_blocks[b].reset();
        while (!m_blocks.empty() && !m_blocks.back())
            m_blocks.pop_back();
    }
}

int ColumnStore::lastRow() const {
    for (std::size_t b = m_blocks.size(); b-- > 0;) {
        if (m_blocks[b] && m_blocks[b]->used)
            return static_cast<int>(b << kBlockBits) + 63 - __builtin_clzll(m_blocks[b]->used);
    }
    return -1;
}

void ColumnStore::shiftRows(int row, int count) {
    if (count == 0)
        return;
    int last = lastRow();
    if (last < row && count > 0)
        return;
    if (count > 0) {
        for (int r = last; r >= row; --r) {
            Cell* c = find(r);
            if (!c)
                continue;
            Cell moved = std::move(*c);
            erase(r);
            ensure(r + count) = std::move(moved);
        }
        return;
    }
    int drop = -count;
    for (int r = row - drop; r < row && r <= last; ++r)
        erase(r);
    for (int r = row; r <= last; ++r) {
        Cell* c = find(r);
        if (!c)
            continue;
        Cell moved = std::move(*c);
        erase(r);
        ensure(r - drop) = std::move(moved);
    }
}

void CellStore::erase(int col, int row) {
    if (col < 0 || static_cast<std::size_t>(col) >= m_cols.size())
        return;
    m_cols[static_cast<std::size_t>(col)].erase(row);
}

const ColumnNumbers* CellStore::numbersOf(int col, int row0, int row1) const {
    if (row1 - row0 + 1 < ColumnNumbers::kMinRows)
        return nullptr;
    const auto slot = static_cast<std::size_t>(col);
    if (slot >= m_numbers.size())
        m_numbers.resize(slot + 1);
    if (!m_numbers[slot])
        m_numbers[slot] = std::make_unique<ColumnNumbers>();
    ColumnNumbers& numbers = *m_numbers[slot];
    return numbers.ready(m_cols[slot], version(col), std::max(row0, 0), row1) ? &numbers : nullptr;
}

bool CellStore::exactSum(const CellRange& r, double start, double& sum) const {
    if (r.row1 - r.row0 + 1 < ColumnNumbers::kMinRows)
        return false;
    double total = start;
    const int c1 = std::min<int>(r.col1, static_cast<int>(m_cols.size()) - 1);
    for (int c = std::max(r.col0, 0); c <= c1; ++c) {
        const auto slot = static_cast<std::size_t>(c);
        if (slot >= m_numbers.size() || !m_numbers[slot] || !m_numbers[slot]->current(version(c)) ||
            !m_numbers[slot]->exactSum(std::max(r.row0, 0), r.row1, total, total))
            return false;
    }
    sum = total;
    return true;
}

void CellStore::shiftRows(int row, int count) {
    ++m_epoch;
    m_numbers.clear();
    for (auto& column : m_cols)
        column.shiftRows(row, count);
}

void CellStore::shiftCols(int col, int count) {
    ++m_epoch;
    m_numbers.clear();
    if (count == 0 || static_cast<std::size_t>(col) >= m_cols.size())
        return;
    auto at = m_cols.begin() + col;
    if (count > 0) {
        std::vector<ColumnStore> fresh(static_cast<std::size_t>(count));
        m_cols.insert(at, std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
        return;
    }
    int drop = -count;
    int first = std::max(0, col - drop);
    m_cols.erase(m_cols.begin() + first, at);
}

} // namespace vtx::sheet
