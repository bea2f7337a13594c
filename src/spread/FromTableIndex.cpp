// Hash indexes of a table's header row and key columns.
#include "spread/FromTableIndex.h"

#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellPos;
using vtx::sheet::CellRange;

namespace {

// Texts compare as sameTableText does: equal lengths and equal bytes after
// folding letter case, so the folded text is the key.
std::string folded(const Vtx_String& text) {
    return text.lower().str();
}

} // namespace

FromTableIndex::FromTableIndex(const vtx::sheet::SheetModel& sheet)
    : m_sheet(sheet), m_header(readLine(true, 0)) {}

int FromTableIndex::Line::find(const Vtx_String& text) const {
    if (text.isEmpty())
        return firstEmpty;
    auto it = first.find(folded(text));
    return it == first.end() ? 0 : it->second;
}

int FromTableIndex::column(const Vtx_String& header) const {
    return m_header.find(header);
}

int FromTableIndex::row(int keyColumn, const Vtx_String& key) {
    if (keyColumn < 1 || keyColumn > m_sheet.maxCols())
        return 0;
    auto it = m_keyColumns.find(keyColumn);
    if (it == m_keyColumns.end())
        it = m_keyColumns.emplace(keyColumn, readLine(false, keyColumn)).first;
    return it->second.find(key);
}

FromTableIndex::Line FromTableIndex::readLine(bool header, int keyColumn) const {
    const int count = header ? m_sheet.maxCols() : m_sheet.maxRows();
    const CellRange range =
        header ? CellRange{1, 0, count, 0} : CellRange{keyColumn, 1, keyColumn, count};
    Line line;
    // The cells come in order, so the first free place is the first number
    // missing from the places that hold a text.
    int nextPlace = 1;
    bool gap = false;
    std::string text;
    for (const CellPos& at : m_sheet.usedCells(range)) {
        m_sheet.getText(at.col, at.row, vtx::sheet::TextForm::Data, text);
        if (text.empty())
            continue;
        const int place = header ? at.col : at.row;
        if (!gap && place == nextPlace)
            ++nextPlace;
        else
            gap = true;
        line.first.try_emplace(folded(Vtx_String(text)), place);
    }
    line.firstEmpty = nextPlace <= count ? nextPlace : 0;
    return line;
}
