#include "platform/sheet/ColumnNumbers.h"

#include "platform/sheet/CellStore.h"

namespace vtx::sheet {

bool ColumnNumbers::ready(const ColumnStore& column, std::uint64_t version, int row0, int row1) {
    if (m_copied && m_version == version)
        return true;
    if (m_seenVersion != version) {
        m_seenVersion = version;
        m_rowsWalked = 0;
    }
    // A walk costs the rows it covers that the column has (a whole column
    // "A:A" costs no more than the column's blocks); a copy all of them.
    const int span = column.rowSpan();
    const int last = std::min(row1, span - 1);
    if (last >= row0)
        m_rowsWalked += static_cast<std::uint64_t>(last - row0 + 1);
    if (m_rowsWalked < static_cast<std::uint64_t>(span))
        return false;
    copy(column, version);
    return true;
}

void ColumnNumbers::copy(const ColumnStore& column, std::uint64_t version) {
    m_rows.clear();
    m_numbers.clear();
    m_errorRows.clear();
    m_errors.clear();
    column.forEach(0, column.rowSpan() - 1, [&](int row, const Cell& c) {
        if (c.value.isNumber()) {
            m_rows.push_back(row);
            m_numbers.push_back(c.value.asNumber());
        } else if (c.value.isError()) {
            m_errorRows.push_back(row);
            m_errors.push_back(c.value.asError());
        }
    });
    m_copied = true;
    m_version = version;
}

} // namespace vtx::sheet
