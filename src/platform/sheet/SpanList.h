#pragma once

/// The grid's spans (merged cells) in the order they were made, with an
/// index by top-left corner so that finding the span over a cell costs a
/// look-up, not a walk over every span: a bill adds a span to every
/// sub-total row and asks for each cell it writes.

#include "platform/sheet/SheetModel.h"

#include <map>
#include <utility>
#include <vector>

namespace vtx::sheet {

class SpanList {
public:
    const std::vector<CellSpan>& all() const { return m_spans; }
    bool empty() const { return m_spans.empty(); }

    /// Adds a span unless it overlaps one already there.
    bool add(const CellSpan& span);
    /// Removes the span whose top-left corner is (col, row).
    bool remove(int col, int row);
    /// The span covering (col, row), or null.
    const CellSpan* find(int col, int row) const;
    /// Replaces every span (after rows or columns moved).
    void assign(std::vector<CellSpan> spans);

private:
    /// The first span that meets the rectangle, or null.
    const CellSpan* firstMeeting(int col0, int row0, int col1, int row1) const;

    std::vector<CellSpan> m_spans;
    /// Position in m_spans by (top row, left column).
    std::map<std::pair<int, int>, std::size_t> m_byCorner;
    /// No span is taller: how far above a row a span covering it can start.
    int m_tallest = 1;
};

} // namespace vtx::sheet
