#include "platform/sheet/functions/LookupSearch.h"

#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/LookupIndex.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>

namespace vtx::sheet {

bool passError(FunctionCall& c, int first, int last) {
    for (int i = first; i <= last && i < c.argc; ++i)
        if (c.args[i].kind == OperandKind::Error) {
            c.setError(c.args[i].error);
            return true;
        }
    return false;
}

LookupKey::LookupKey(const Operand& arg, const CellStore& cells, bool wildcards)
    : m_value(operandValue(arg, cells)) {
    // An empty key (an empty cell, a missing argument) seeks 0, as the
    // comparison operators read an empty cell; empty cells never match.
    if (m_value.isEmpty())
        m_value = Value::number(0);
    m_pattern = wildcards && m_value.isText() && hasWildcards(m_value.asText());
}

bool LookupKey::matches(const Value& v) const {
    if (v.type() != m_value.type())
        return false;
    if (v.isText())
        return m_pattern ? wildcardMatch(m_value.asText(), v.asText())
                         : compareTextNoCase(v.asText(), m_value.asText()) == 0;
    return numbersEqual(v.asNumber(), m_value.asNumber()); // numbers and truth values
}

int LookupKey::order(const Value& v) const {
    if (v.isText())
        return compareTextNoCase(v.asText(), m_value.asText());
    return compareNumbers(v.asNumber(), m_value.asNumber());
}

LookupVector::LookupVector(const ArgValues& values, const CellStore& cells, bool vertical, int line)
    : m_values(values), m_store(cells), m_vertical(vertical), m_line(line),
      m_size(vertical ? values.rows() : values.cols()), m_used(m_size) {
    if (const CellRange* r = values.range()) {
        m_range = vertical ? CellRange{r->col0 + line, r->row0, r->col0 + line, r->row1}
                           : CellRange{r->col0, r->row0 + line, r->col1, r->row0 + line};
        int end = vertical ? cells.lastRow(m_range.col0) - m_range.row0 + 1
                           : cells.columnSlots() - m_range.col0;
        m_used = std::clamp(end, 0, m_size);
    }
}

int findMatch(const FunctionCall& c, const LookupVector& v, const LookupKey& key, bool last) {
    const CellRange* r = v.cells();
    if (!last && c.lookups && r && r->col0 == r->col1 && LookupIndex::covers(r->rows()) &&
        key.indexable()) {
        const int row = c.lookups->findExact(c.cells, *r, key.value());
        return row < 0 ? -1 : row - r->row0;
    }
    int found = -1;
    v.visit(last, [&](int i, const Value& x) {
        if (!key.matches(x))
            return false;
        found = i;
        return true;
    });
    return found;
}

SortedSplit searchSorted(const LookupVector& v, const LookupKey& key, bool descending,
                         bool inclusive) {
    // Invariant: the values of the key's kind before lo lie before the
    // split, those after hi after it; the answers are the nearest such
    // values seen, which are the ones next to the window when it closes.
    SortedSplit split;
    int lo = 0;
    int hi = v.used() - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        int probe = mid;
        while (probe <= hi && !key.sameKind(v.at(probe)))
            ++probe;
        if (probe > hi) {
            hi = mid - 1;
            continue;
        }
        int order = key.order(v.at(probe));
        if (descending)
            order = -order;
        if (inclusive ? order <= 0 : order < 0) {
            split.lastBefore = probe;
            lo = probe + 1;
        } else {
            split.firstAfter = probe;
            hi = mid - 1;
        }
    }
    return split;
}

int findNearest(const LookupVector& v, const LookupKey& key, int side, bool reverse) {
    int exact = -1;
    int best = -1;
    Value bestValue;
    v.visit(reverse, [&](int i, const Value& x) {
        if (!key.sameKind(x))
            return false;
        const int order = key.order(x);
        if (order == 0) {
            exact = i;
            return true;
        }
        if ((order < 0) != (side < 0))
            return false;
        if (best < 0 ||
            (side < 0 ? compareValues(x, bestValue) > 0 : compareValues(x, bestValue) < 0)) {
            best = i;
            bestValue = x;
        }
        return false;
    });
    return exact >= 0 ? exact : best;
}

} // namespace vtx::sheet
