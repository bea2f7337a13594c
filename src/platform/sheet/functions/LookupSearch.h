#pragma once

/// The searches behind VLOOKUP, HLOOKUP, MATCH, LOOKUP and XLOOKUP. They run
/// over one row or column of an argument's values (ArgValues), whether those
/// come from a range, an array or a single value; only a column of a range
/// can use the grid's exact-match index.

#include "platform/sheet/functions/FunctionApi.h"

#include <vector>

namespace vtx::sheet {

/// The value a look-up seeks and how values match it.
class LookupKey {
public:
    /// The key argument as a value (an empty one is the number 0). With
    /// `wildcards`, a text holding "?", "*" or "~" is matched as a pattern.
    LookupKey(const Operand& arg, const CellStore& cells, bool wildcards);
    const Value& value() const { return m_value; }
    /// A number, or a text matched without wildcards: the index can find it.
    bool indexable() const { return m_value.isNumber() || (m_value.isText() && !m_pattern); }
    bool sameKind(const Value& v) const { return v.type() == m_value.type(); }
    /// An equal value: of the same kind; numbers equal to 15 significant
    /// digits, texts equal without regard to case or matching the pattern.
    bool matches(const Value& v) const;
    /// The order of a value of the key's kind against the key (<0, 0, >0).
    int order(const Value& v) const;

private:
    Value m_value;
    bool m_pattern = false;
};

/// One row or column of an argument's values: the vector a look-up searches.
class LookupVector {
public:
    /// Column `line` of the values when vertical, else row `line`.
    LookupVector(const ArgValues& values, const CellStore& cells, bool vertical, int line = 0);
    int size() const { return m_size; }
    /// The positions that can hold a value: a range is cut after the last
    /// cell that exists, so a search of A:A costs what the column holds.
    int used() const { return m_used; }
    const Value& at(int i) const {
        return m_vertical ? m_values.at(i, m_line) : m_values.at(m_line, i);
    }
    /// The cells of the vector when its values come from a range, else null.
    const CellRange* cells() const { return m_range.isValid() ? &m_range : nullptr; }

    /// Calls fn(position, value) for the values that are not empty, first to
    /// last (last to first when `reverse`), until fn returns true. A range is
    /// walked over its existing cells only.
    template <typename Fn> void visit(bool reverse, Fn&& fn) const {
        if (m_range.isValid() && !reverse) {
            bool done = false;
            m_store.forEach(m_range, [&](int col, int row, const Cell& cell) {
                if (!done && !cell.value.isEmpty())
                    done = fn(m_vertical ? row - m_range.row0 : col - m_range.col0, cell.value);
            });
            return;
        }
        for (int k = 0; k < m_used; ++k) {
            const int i = reverse ? m_used - 1 - k : k;
            const Value& v = at(i);
            if (!v.isEmpty() && fn(i, v))
                return;
        }
    }

private:
    const ArgValues& m_values;
    const CellStore& m_store;
    bool m_vertical;
    int m_line;
    int m_size;
    int m_used;
    CellRange m_range; ///< invalid unless the values are a range's cells
};

/// The position of the first value that matches the key (the last with
/// `last`), -1 when none. Error values never match. A column of a range
/// uses the exact-match index for a number or a text without wildcards.
int findMatch(const FunctionCall& c, const LookupVector& v, const LookupKey& key,
              bool last = false);

/// The result of a binary search: the last position of the key's kind
/// before the split and the first one after it (-1 when there is none).
struct SortedSplit {
    int lastBefore = -1;
    int firstAfter = -1;
};

/// Binary search over values sorted ascending (descending when
/// `descending`). The split lies after the values below the key (up to and
/// including the equal ones when `inclusive`; above the key for descending
/// data). Values of another kind than the key (empty cells, errors, texts
/// among numbers ...) are passed over: where the middle of the window holds
/// one, the next value of the key's kind inside the window is taken, and a
/// window holding none from its middle on is halved to its lower part.
SortedSplit searchSorted(const LookupVector& v, const LookupKey& key, bool descending,
                         bool inclusive);

/// The approximate match of VLOOKUP, HLOOKUP, LOOKUP and MATCH: the last
/// position whose value is <= key in ascending data (>= key in descending
/// data), -1 when none.
inline int findSorted(const LookupVector& v, const LookupKey& key, bool descending = false) {
    return searchSorted(v, key, descending, true).lastBefore;
}

/// XLOOKUP's linear search for an equal value or else the next smaller
/// (`side` < 0) or next larger (`side` > 0) one of the key's kind; among
/// equal candidates the first met in the search direction. -1 when none.
int findNearest(const LookupVector& v, const LookupKey& key, int side, bool reverse);

/// Sets the result to the first error value among the arguments first..last
/// (an error argument gives that error); false when there is none.
bool passError(FunctionCall& c, int first, int last);

/// XLOOKUP: registered with the other look-up functions.
void addXLookup(std::vector<FunctionInfo>& table);

} // namespace vtx::sheet
