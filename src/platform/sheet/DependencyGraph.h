#pragma once

/// Who depends on whom. A single-cell reference is kept in the referenced
/// cell (Cell::dependents); a range is registered once, however many formulas
/// use it, with the list of those formulas, and found by column.

#include "platform/sheet/CellStore.h"
#include "platform/sheet/formula/FormulaCode.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vtx::sheet {

class DependencyGraph {
public:
    /// Links the references of the program standing at `at`.
    void link(CellStore& cells, CellPos at, const FormulaCode& code);
    /// Undoes link() for the same program and position.
    void unlink(CellStore& cells, CellPos at, const FormulaCode& code);
    /// Drops every link (cells' dependents are cleared by the caller).
    void clear();

    /// Calls fn(key) for every formula cell that refers to position p (by a
    /// single reference or through a range). A formula may be named twice.
    template <typename Fn> void forEachDependent(const CellStore& cells, CellPos p, Fn&& fn) const {
        if (const Cell* c = cells.find(p.col, p.row))
            for (std::uint64_t d : c->dependents)
                fn(d);
        auto visit = [&](std::uint32_t id) {
            const RangeNode& node = m_ranges[id];
            if (node.range.contains(p.col, p.row))
                for (std::uint64_t d : node.dependents)
                    fn(d);
        };
        if (static_cast<std::size_t>(p.col) < m_byColumn.size())
            for (std::uint32_t id : m_byColumn[static_cast<std::size_t>(p.col)])
                visit(id);
        for (std::uint32_t id : m_wide)
            visit(id);
    }
    bool hasRanges() const { return m_live > 0; }

private:
    struct RangeNode {
        CellRange range;
        DependentList dependents;
    };
    struct RangeKeyHash {
        std::size_t operator()(const CellRange& r) const {
            std::uint64_t a =
                (static_cast<std::uint64_t>(r.col0) << 32) ^ static_cast<std::uint32_t>(r.row0);
            std::uint64_t b =
                (static_cast<std::uint64_t>(r.col1) << 32) ^ static_cast<std::uint32_t>(r.row1);
            return std::hash<std::uint64_t>()(a * 0x9E3779B97F4A7C15ull ^ b);
        }
    };
    static constexpr int kWideColumns = 64; ///< wider ranges are checked for every cell

    void addRange(const CellRange& r, std::uint64_t dependent);
    void removeRange(const CellRange& r, std::uint64_t dependent);

    std::vector<RangeNode> m_ranges;
    std::unordered_map<CellRange, std::uint32_t, RangeKeyHash> m_ids;
    std::vector<std::vector<std::uint32_t>> m_byColumn;
    std::vector<std::uint32_t> m_wide;
    std::vector<std::uint32_t> m_free;
    int m_live = 0;
};

} // namespace vtx::sheet
