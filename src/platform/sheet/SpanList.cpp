#include "platform/sheet/SpanList.h"

#include <algorithm>
#include <climits>

namespace vtx::sheet {

const CellSpan* SpanList::firstMeeting(int col0, int row0, int col1, int row1) const {
    // Only spans starting at most m_tallest - 1 rows above the rectangle can
    // reach into it; of those, each row's spans are checked by column.
    const int from = row0 > INT_MIN + m_tallest ? row0 - m_tallest + 1 : INT_MIN;
    auto it = m_byCorner.lower_bound({from, INT_MIN});
    const auto end = m_byCorner.upper_bound({row1, INT_MAX});
    for (; it != end; ++it) {
        const CellSpan& s = m_spans[it->second];
        if (s.col > col1) {
            // Nothing further right in this row meets it: go to the next row.
            it = m_byCorner.lower_bound({s.row + 1, INT_MIN});
            if (it == end)
                break;
            --it;
            continue;
        }
        if (s.col + s.cols - 1 >= col0 && s.row + s.rows - 1 >= row0)
            return &s;
    }
    return nullptr;
}

bool SpanList::add(const CellSpan& span) {
    if (firstMeeting(span.col, span.row, span.col + span.cols - 1, span.row + span.rows - 1))
        return false;
    m_byCorner.emplace(std::make_pair(span.row, span.col), m_spans.size());
    m_spans.push_back(span);
    m_tallest = std::max(m_tallest, span.rows);
    return true;
}

bool SpanList::remove(int col, int row) {
    const auto it = m_byCorner.find({row, col});
    if (it == m_byCorner.end())
        return false;
    std::vector<CellSpan> rest = m_spans;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(it->second));
    assign(std::move(rest));
    return true;
}

const CellSpan* SpanList::find(int col, int row) const {
    return m_spans.empty() ? nullptr : firstMeeting(col, row, col, row);
}

void SpanList::assign(std::vector<CellSpan> spans) {
    m_spans = std::move(spans);
    m_byCorner.clear();
    m_tallest = 1;
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        m_byCorner.emplace(std::make_pair(m_spans[i].row, m_spans[i].col), i);
        m_tallest = std::max(m_tallest, m_spans[i].rows);
    }
}

} // namespace vtx::sheet
