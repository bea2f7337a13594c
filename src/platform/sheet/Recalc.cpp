// Recalculation: which formulas a change reaches, their order, cycles.
//
// Every walk here uses explicit work lists, never recursion, so a chain of a
// million formulas costs heap, not stack. The order is Kahn's: a formula is
// evaluated once all its precedents inside the set are. What is left when no
// formula is ready lies on a cycle or behind one; the cycles are found as
// strongly connected components (iterative Tarjan), their cells get #CIRC!
// and the rest continues in order. A formula is evaluated only when one of
// its precedents changed, so a recalculation stops where values stay equal.
#include "platform/sheet/SheetImpl.h"

#include <algorithm>
#include <unordered_map>

namespace vtx::sheet {

namespace {

constexpr int kMaxDeferredRounds = 16;

} // namespace

void SheetImpl::valueChanged(CellPos p) {
    std::uint64_t key = p.key();
    if (m_recalcDepth > 0) {
        m_deferred.push_back(key);
        return;
    }
    if (!((m_options >> kOptionAutoCalc) & 1u)) {
        m_pending.push_back(key);
        return;
    }
    recalcFrom({key});
}

void SheetImpl::collectDependents(const std::vector<std::uint64_t>& sources,
                                  std::vector<std::uint64_t>& set) {
    std::vector<std::uint64_t> work;
    auto reach = [&](std::uint64_t d, bool direct) {
        CellPos q = CellPos::fromKey(d);
        Cell* c = m_cells.find(q.col, q.row);
        if (!c || !c->formula)
            return;
        if (direct)
            c->flags |= kCellChanged;
        if (c->flags & kCellInSet)
            return;
        c->flags |= kCellInSet;
        set.push_back(d);
        work.push_back(d);
    };
    for (std::uint64_t s : sources)
        m_graph.forEachDependent(m_cells, CellPos::fromKey(s),
                                 [&](std::uint64_t d) { reach(d, true); });
    while (!work.empty()) {
        std::uint64_t k = work.back();
        work.pop_back();
        m_graph.forEachDependent(m_cells, CellPos::fromKey(k),
                                 [&](std::uint64_t d) { reach(d, false); });
    }
}

void SheetImpl::recalcFrom(const std::vector<std::uint64_t>& sources) {
    std::vector<std::uint64_t> set;
    // A source that is itself a formula (a new or re-entered one) is part of the set.
    for (std::uint64_t s : sources) {
        CellPos p = CellPos::fromKey(s);
        Cell* c = m_cells.find(p.col, p.row);
        if (c && c->formula && !(c->flags & kCellInSet)) {
            c->flags |= kCellInSet | kCellChanged;
            set.push_back(s);
        }
    }
    collectDependents(sources, set);
    std::vector<std::uint64_t> volatileCells;
    for (std::uint64_t v : m_volatile) {
        CellPos p = CellPos::fromKey(v);
        Cell* c = m_cells.find(p.col, p.row);
        if (c && c->formula && c->formula->isVolatile) {
            c->flags |= kCellChanged;
            volatileCells.push_back(v);
            if (!(c->flags & kCellInSet)) {
                c->flags |= kCellInSet;
                set.push_back(v);
            }
        }
    }
    // A volatile formula may get a new value: what depends on it follows.
    if (!volatileCells.empty())
        collectDependents(volatileCells, set);
    if (!set.empty())
        evaluateSet(set, nullptr);
    runDeferred();
}

void SheetImpl::recalcAll() {
    std::vector<std::uint64_t> set;
    std::vector<Cell*> cells;
    std::vector<std::uint64_t> stillVolatile;
    // Room for every cell (the formulas are fewer): no growing and copying
    // of long lists; what is not used is never touched.
    set.reserve(m_cells.cellCount());
    cells.reserve(set.capacity());
    m_cells.forEachCell([&](int col, int row, Cell& c) {
        if (!c.formula)
            return;
        c.flags |= kCellInSet | kCellChanged;
        set.push_back(CellPos{col, row}.key());
        cells.push_back(&c);
        if (c.formula->isVolatile)
            stillVolatile.push_back(set.back());
    });
    m_volatile.swap(stillVolatile);
    m_pending.clear();
    m_needFullRecalc = false;
    if (!set.empty())
        evaluateSet(set, nullptr, &cells);
    runDeferred();
}

bool SheetImpl::recalcCell(CellPos target) {
    if (m_recalcDepth > 0)
        return false;
    Cell* t = m_cells.find(target.col, target.row);
    if (!t || !t->formula)
        return true;
    // Every formula the target depends on, transitively.
    std::vector<std::uint64_t> set;
    std::vector<std::uint64_t> work;
    auto add = [&](CellPos p) {
        Cell* c = m_cells.find(p.col, p.row);
        if (!c || !c->formula || (c->flags & kCellInSet))
            return;
        c->flags |= kCellInSet | kCellChanged;
        set.push_back(p.key());
        work.push_back(p.key());
    };
    add(target);
    while (!work.empty()) {
        CellPos p = CellPos::fromKey(work.back());
        work.pop_back();
        const Cell* cell = m_cells.find(p.col, p.row);
        if (!cell || !cell->formula)
            continue;
        const FormulaCode* code = cell->formula;
        for (const CellRef& r : code->precedentRefs()) {
            CellPos q = r.resolve(p);
            if (isInGrid(q))
                add(q);
        }
        for (const RangeRef& r : code->ranges) {
            CellPos a = r.first.resolve(p);
            CellPos b = r.last.resolve(p);
            if (!isInGrid(a) || !isInGrid(b))
                continue;
            m_cells.forEach(r.resolve(p), [&](int col, int row, const Cell& c) {
                if (c.formula)
                    add({col, row});
            });
        }
    }
    evaluateSet(set, nullptr);
    runDeferred();
    return true;
}

void SheetImpl::computeNewFormula(CellPos p) {
    bool automatic = (m_options >> kOptionAutoCalc) & 1u;
    if (m_recalcDepth > 0) {
        m_deferred.push_back(p.key());
        return;
    }
    std::vector<std::uint64_t> set;
    Cell& c = m_cells.ensure(p.col, p.row);
    c.flags |= kCellInSet | kCellChanged;
    set.push_back(p.key());
    // The dependents take part even with recalculation off, so that a cycle
    // closed by this formula is found now; they are then only evaluated when
    // they lie on the cycle.
    collectDependents({p.key()}, set);
    std::uint64_t only = p.key();
    evaluateSet(set, automatic ? nullptr : &only);
    if (!automatic && set.size() > 1)
        m_pending.push_back(p.key());
    runDeferred();
}

void SheetImpl::runDeferred() {
    // The recalculations below end by calling this again; the outer call's
    // loop does their work, so that handlers writing back and forth stop
    // after a fixed number of rounds instead of nesting without end.
    if (m_inDeferred)
        return;
    m_inDeferred = true;
    for (int round = 0; round < kMaxDeferredRounds && !m_deferred.empty() && m_recalcDepth == 0;
         ++round) {
        std::vector<std::uint64_t> sources;
        sources.swap(m_deferred);
        if (!((m_options >> kOptionAutoCalc) & 1u)) {
            m_pending.insert(m_pending.end(), sources.begin(), sources.end());
            break;
        }
        recalcFrom(sources);
    }
    m_deferred.clear();
    m_inDeferred = false;
}

void SheetImpl::addRangeEdges(const std::vector<std::uint64_t>& set,
                              const std::vector<Cell*>& cellOf, std::vector<std::uint32_t>& first,
                              std::vector<std::uint32_t>& succ,
                              std::vector<std::uint32_t>& indegree) const {
    const std::size_t n = set.size();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> edges; // precedent, dependent
    for (std::size_t i = 0; i < n; ++i) {
        CellPos p = CellPos::fromKey(set[i]);
        for (const RangeRef& def : cellOf[i]->formula->ranges) {
            CellPos a = def.first.resolve(p);
            CellPos b = def.last.resolve(p);
            if (!isInGrid(a) || !isInGrid(b))
                continue;
            CellRange r = def.resolve(p);
            // Members of the set inside the range, found in the sorted keys.
            auto it = std::lower_bound(set.begin(), set.end(), CellPos{r.col0, r.row0}.key());
            while (it != set.end()) {
                CellPos q = CellPos::fromKey(*it);
                if (q.col > r.col1)
                    break;
                if (q.row < r.row0) {
                    it = std::lower_bound(it, set.end(), CellPos{q.col, r.row0}.key());
                    continue;
                }
                if (q.row > r.row1) {
                    it = std::lower_bound(it, set.end(), CellPos{q.col + 1, r.row0}.key());
                    continue;
                }
                edges.emplace_back(static_cast<std::uint32_t>(it - set.begin()),
                                   static_cast<std::uint32_t>(i));
                ++it;
            }
        }
    }
    if (edges.empty())
        return;
    // Merge them into the compressed list: count, then fill each
    // precedent's successors, the single references' first.
    std::vector<std::uint32_t> merged(succ.size() + edges.size());
    std::vector<std::uint32_t> start(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        start[i + 1] = first[i + 1] - first[i];
    for (const auto& e : edges) {
        ++start[e.first + 1];
        ++indegree[e.second];
    }
    for (std::size_t i = 0; i < n; ++i)
        start[i + 1] += start[i];
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
        for (std::uint32_t k = first[i]; k < first[i + 1]; ++k)
            merged[fill[i]++] = succ[k];
    for (const auto& e : edges)
        merged[fill[e.first]++] = e.second;
    first.swap(start);
    succ.swap(merged);
}

void SheetImpl::evaluateSet(std::vector<std::uint64_t>& set, const std::uint64_t* onlyCell,
                            std::vector<Cell*>* cells) {
    ++m_recalcDepth;
    const std::size_t n = set.size();
    // Cells of the set are never erased while they carry kCellInSet, so
    // their pointers stay good until the end.
    std::vector<Cell*> cellOf;
    if (cells) {
        cellOf.swap(*cells);
    } else {
        cellOf.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            CellPos p = CellPos::fromKey(set[i]);
            cellOf[i] = m_cells.find(p.col, p.row);
        }
    }
    bool anyRanges = false;
    for (const Cell* c : cellOf)
        anyRanges |= !c->formula->ranges.empty();
    // Range precedents are found by binary search in the sorted set (a full
    // recalculation gives it sorted already); without ranges the order of
    // the set does not matter.
    if (anyRanges && !std::is_sorted(set.begin(), set.end())) {
        std::sort(set.begin(), set.end());
        for (std::size_t i = 0; i < n; ++i) {
            CellPos p = CellPos::fromKey(set[i]);
            cellOf[i] = m_cells.find(p.col, p.row);
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        cellOf[i]->scratch = static_cast<std::uint32_t>(i);
    auto indexOf = [&](CellPos p) -> std::int64_t {
        const Cell* c = m_cells.find(p.col, p.row);
        if (!c || !(c->flags & kCellInSet) || !c->formula)
            return -1;
        return c->scratch;
    };

    // Edges precedent -> dependent inside the set, as a compressed list: the
    // successors of i are succ[first[i]] .. succ[first[i + 1] - 1]. Single
    // references come from each cell's own list of dependents, grouped by
    // precedent already; ranges are matched from the formulas using them.
    std::vector<std::uint32_t> indegree(n, 0);
    std::vector<std::uint32_t> first(n + 1, 0);
    std::vector<std::uint32_t> succ;
    succ.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::uint64_t d : cellOf[i]->dependents) {
            std::int64_t j = indexOf(CellPos::fromKey(d));
            if (j >= 0) {
                succ.push_back(static_cast<std::uint32_t>(j));
                ++indegree[static_cast<std::size_t>(j)];
            }
        }
        first[i + 1] = static_cast<std::uint32_t>(succ.size());
    }
    if (anyRanges)
        addRangeEdges(set, cellOf, first, succ, indegree);

    Interpreter interpreter(m_cells, this, &m_lookups);
    std::vector<std::uint8_t> done(n, 0);
    // References built at run time (OFFSET, INDIRECT, ...) may reach
    // formulas of the set that no edge orders before the formula reading
    // them: such a formula waits for them (late edges) and is evaluated again.
    std::vector<CellRange> reads;
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> lateSucc;
    std::vector<std::uint8_t> postponed(n, 0);
    std::vector<std::uint32_t> ready;
    for (std::size_t i = 0; i < n; ++i)
        if (indegree[i] == 0)
            ready.push_back(static_cast<std::uint32_t>(i));
    std::size_t finished = 0;

    auto release = [&](std::uint32_t i, bool changed) {
        done[i] = 1;
        ++finished;
        for (std::uint32_t k = first[i]; k < first[i + 1]; ++k) {
            std::uint32_t s = succ[k];
            if (changed)
                cellOf[s]->flags |= kCellChanged;
            if (--indegree[s] == 0 && !done[s])
                ready.push_back(s);
        }
        if (lateSucc.empty())
            return;
        auto late = lateSucc.find(i);
        if (late == lateSucc.end())
            return;
        for (std::uint32_t s : late->second)
            if (--indegree[s] == 0 && !done[s])
                ready.push_back(s);
        lateSucc.erase(late);
    };
    // The formulas of the set not yet evaluated that a run-time reference of
    // formula i reaches; each becomes a late precedent of i.
    // A reference reaching formula i itself is a cycle (*self).
    auto waitForReads = [&](std::uint32_t i, bool* self) {
        bool waiting = false;
        for (const CellRange& r : reads)
            m_cells.forEach(r, [&](int, int, const Cell& cell) {
                if (!cell.formula || !(cell.flags & kCellInSet) || done[cell.scratch])
                    return;
                if (cell.scratch == i) {
                    *self = true;
                    return;
                }
                lateSucc[cell.scratch].push_back(i);
                ++indegree[i];
                waiting = true;
            });
        return waiting;
    };
    auto evaluate = [&](std::uint32_t i) {
        CellPos p = CellPos::fromKey(set[i]);
        Cell* c = cellOf[i];
        if (!c->formula) { // replaced by a handler during this recalculation
            release(i, true);
            return;
        }
        bool wanted = (c->flags & kCellChanged) && (!onlyCell || *onlyCell == set[i]);
        bool changed = false;
        if (wanted) {
            bool dynamic = c->formula->isVolatile;
            if (dynamic) {
                reads.clear();
                interpreter.setDynamicReads(&reads);
            }
            Value v = interpreter.evaluate(*c->formula, p);
            interpreter.setDynamicReads(nullptr);
            bool self = false;
            if (dynamic && waitForReads(i, &self)) {
                postponed[i] = 1;
                return;
            }
            if (self)
                v = Value::error(FormulaError::Circular);
            if (!(c->value == v)) {
                c->value = std::move(v);
                m_cells.touch(p.col);
                changed = true;
            }
            c->flags &= static_cast<std::uint8_t>(~kCellStale);
        }
        release(i, changed);
    };

    while (finished < n) {
        while (!ready.empty()) {
            std::uint32_t i = ready.back();
            ready.pop_back();
            evaluate(i);
        }
        if (finished == n)
            break;
        // Stuck: what is left lies on cycles or behind them. Tarjan's
        // algorithm over the remaining cells, without recursion.
        std::vector<std::int32_t> index(n, -1);
        std::vector<std::int32_t> low(n, 0);
        std::vector<std::uint8_t> onStack(n, 0);
        std::vector<std::uint32_t> stack;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> call; // node, next edge
        std::vector<std::uint32_t> cyclic;
        std::int32_t counter = 0;
        for (std::uint32_t root = 0; root < n; ++root) {
            if (done[root] || index[root] >= 0)
                continue;
            call.emplace_back(root, first[root]);
            index[root] = low[root] = counter++;
            stack.push_back(root);
            onStack[root] = 1;
            while (!call.empty()) {
                auto& [v, next] = call.back();
                if (next < first[v + 1]) {
                    std::uint32_t w = succ[next++];
                    if (done[w])
                        continue;
                    if (index[w] < 0) {
                        index[w] = low[w] = counter++;
                        stack.push_back(w);
                        onStack[w] = 1;
                        call.emplace_back(w, first[w]);
                    } else if (onStack[w]) {
                        low[v] = std::min(low[v], index[w]);
                    }
                    continue;
                }
                std::uint32_t node = v;
                call.pop_back();
                if (!call.empty())
                    low[call.back().first] = std::min(low[call.back().first], low[node]);
                if (low[node] != index[node])
                    continue;
                std::vector<std::uint32_t> component;
                std::uint32_t w = 0;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[w] = 0;
                    component.push_back(w);
                } while (w != node);
                bool selfLoop = false;
                if (component.size() == 1)
                    for (std::uint32_t k = first[node]; k < first[node + 1]; ++k)
                        selfLoop |= succ[k] == node;
                if (component.size() > 1 || selfLoop)
                    cyclic.insert(cyclic.end(), component.begin(), component.end());
            }
        }
        if (cyclic.empty()) {
            // No cycle of written references: formulas waiting for what
            // their run-time references reach close the cycle.
            for (std::uint32_t i = 0; i < n; ++i)
                if (!done[i] && postponed[i])
                    cyclic.push_back(i);
            lateSucc.clear();
        }
        if (cyclic.empty())
            break; // cannot happen: a stuck set holds a cycle
        for (std::uint32_t i : cyclic) {
            Cell* c = cellOf[i];
            Value circular = Value::error(FormulaError::Circular);
            bool changed = !(c->value == circular);
            if (changed) {
                c->value = circular;
                m_cells.touch(CellPos::fromKey(set[i]).col);
            }
            c->flags &= static_cast<std::uint8_t>(~kCellStale);
            c->flags |= kCellChanged;
        }
        for (std::uint32_t i : cyclic)
            done[i] = 1;
        for (std::uint32_t i : cyclic)
            release(i, true);
    }
    for (Cell* c : cellOf)
        c->flags &= static_cast<std::uint8_t>(~(kCellInSet | kCellChanged));
    --m_recalcDepth;
}

} // namespace vtx::sheet
