#include "platform/sheet/DependencyGraph.h"

#include <algorithm>

namespace vtx::sheet {

void DependencyGraph::link(CellStore& cells, CellPos at, const FormulaCode& code) {
    std::uint64_t self = at.key();
    for (const CellRef& r : code.precedentRefs()) {
        CellPos p = r.resolve(at);
        if (isInGrid(p))
            cells.ensure(p.col, p.row).dependents.push_back(self);
    }
    for (const RangeRef& r : code.ranges) {
        CellPos a = r.first.resolve(at);
        CellPos b = r.last.resolve(at);
        if (isInGrid(a) && isInGrid(b))
            addRange(r.resolve(at), self);
    }
}

void DependencyGraph::unlink(CellStore& cells, CellPos at, const FormulaCode& code) {
    std::uint64_t self = at.key();
    for (const CellRef& r : code.precedentRefs()) {
        CellPos p = r.resolve(at);
        if (!isInGrid(p))
            continue;
        if (Cell* c = cells.find(p.col, p.row)) {
            c->dependents.eraseOne(self);
            if (c->isBlank() && !c->flags)
                cells.erase(p.col, p.row);
        }
    }
    for (const RangeRef& r : code.ranges) {
        CellPos a = r.first.resolve(at);
        CellPos b = r.last.resolve(at);
        if (isInGrid(a) && isInGrid(b))
            removeRange(r.resolve(at), self);
    }
}

void DependencyGraph::clear() {
    m_ranges.clear();
    m_ids.clear();
    m_byColumn.clear();
    m_wide.clear();
    m_free.clear();
    m_live = 0;
}

void DependencyGraph::addRange(const CellRange& r, std::uint64_t dependent) {
    auto it = m_ids.find(r);
    if (it != m_ids.end()) {
        m_ranges[it->second].dependents.push_back(dependent);
        return;
    }
    RangeNode node;
    node.range = r;
    node.dependents.push_back(dependent);
    std::uint32_t id = 0;
    if (!m_free.empty()) {
        id = m_free.back();
        m_free.pop_back();
        m_ranges[id] = std::move(node);
    } else {
        id = static_cast<std::uint32_t>(m_ranges.size());
        m_ranges.push_back(std::move(node));
    }
    m_ids.emplace(r, id);
    ++m_live;
    if (r.cols() > kWideColumns) {
        m_wide.push_back(id);
        return;
    }
    if (static_cast<std::size_t>(r.col1) >= m_byColumn.size())
        m_byColumn.resize(static_cast<std::size_t>(r.col1) + 1);
    for (int c = r.col0; c <= r.col1; ++c)
        m_byColumn[static_cast<std::size_t>(c)].push_back(id);
}

void DependencyGraph::removeRange(const CellRange& r, std::uint64_t dependent) {
    auto it = m_ids.find(r);
    if (it == m_ids.end())
        return;
    std::uint32_t id = it->second;
    RangeNode& node = m_ranges[id];
    node.dependents.eraseOne(dependent);
    if (!node.dependents.empty())
        return;
    m_ids.erase(it);
    --m_live;
    auto drop = [id](std::vector<std::uint32_t>& list) {
        auto pos = std::find(list.begin(), list.end(), id);
        if (pos != list.end()) {
            *pos = list.back();
            list.pop_back();
        }
    };
    if (r.cols() > kWideColumns) {
        drop(m_wide);
    } else {
        for (int c = r.col0; c <= r.col1; ++c)
            drop(m_byColumn[static_cast<std::size_t>(c)]);
    }
    node.range = CellRange();
    m_free.push_back(id);
}

} // namespace vtx::sheet
