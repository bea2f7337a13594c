// Vtx_Spread: check cells, check links and the context commands.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellRange;

namespace {

// The language text of a command's menu entry; 0 for a separator or an
// unknown code.
int contextText(int code) {
    switch (code) {
    case kContextClearCells:
        return 1154;
    case kContextRecalculate:
        return 1155;
    case kContextInsertRow:
        return 774;
    case kContextDeleteRow:
        return 775;
    case kContextInsertColumn:
        return 1156;
    case kContextDeleteColumn:
        return 1157;
    case kContextCheckAll:
        return 1400;
    case kContextUncheckAll:
        return 1401;
    default:
        return 0;
    }
}

} // namespace

bool Vtx_Spread::setAllChecks(bool on) {
    int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
    if (!getSelection(column1, row1, column2, row2))
        return false;
    const int cols = getMaxCols();
    const int rows = getMaxRows();
    if (column1 < 0)
        column1 = cols;
    if (row1 < 0)
        row1 = rows;
    if (column2 < 0)
        column2 = cols;
    if (row2 < 0)
        row2 = rows;
    if (column1 > column2)
        std::swap(column1, column2);
    if (row1 > row2)
        std::swap(row1, row2);
    const Vtx_String mark = on ? "1" : "0";
    for (int r = std::max(row1, 1); r <= std::min(row2, rows); ++r)
        for (int c = std::max(column1, 1); c <= std::min(column2, cols); ++c)
            if (m_model->cellTypeNumber(c, r) == kCellTypeCheckBox)
                m_model->setData(c, r, mark.view());
    setModified(true);
    return true;
}

void Vtx_Spread::applyCheckLink(int row) {
    Vtx_String check;
    getCellText(m_checkDriver, row, check, kTextValue);
    if (check == "0" || check == "1")
        m_model->setLock(CellRange::cell(m_checkTarget, row), check == "0");
}

bool Vtx_Spread::linkCheckColumns(int driverColumn, int targetColumn) {
    const int cols = getMaxCols();
    if (driverColumn < 1 || driverColumn > cols || targetColumn < 1 || targetColumn > cols)
        return false;
    m_checkDriver = driverColumn;
    m_checkTarget = targetColumn;
    for (int r = 1; r <= getMaxRows(); ++r)
        applyCheckLink(r);
    return true;
}

bool Vtx_Spread::cellChanged() {
    const int cols = getMaxCols();
    if (m_checkDriver < 1 || m_checkDriver > cols || m_checkTarget < 1 || m_checkTarget > cols)
        return false;
    int column = 0;
    int row = 0;
    if (!getActiveCell(column, row) || column != m_checkDriver)
        return false;
    applyCheckLink(row);
    return setActiveCell(m_checkTarget, row);
}

Vtx_Array<Vtx_ContextEntry> Vtx_Spread::contextMenuEntries() const {
    Vtx_Array<Vtx_ContextEntry> entries;
    int position = 0;
    for (int i = 0; i < m_contextCodes.length(); ++i) {
        const int code = m_contextCodes[i];
        if (code == kContextSeparator) {
            entries.append({code, 0, 0});
            continue;
        }
        // Unknown codes and entries beyond the ten ids are not shown, so
        // they take no position either.
        if (contextText(code) == 0 || position >= static_cast<int>(std::size(kContextMenuIds)))
            continue;
        entries.append({code, kContextMenuIds[position++], contextText(code)});
    }
    return entries;
}

int Vtx_Spread::contextCommandFor(int menuId) const {
    const Vtx_Array<Vtx_ContextEntry> entries = contextMenuEntries();
    for (int i = 0; i < entries.length(); ++i)
        if (entries[i].menuId != 0 && entries[i].menuId == menuId)
            return entries[i].code;
    return 0;
}

bool Vtx_Spread::runContextMenuId(int menuId) {
    const int code = contextCommandFor(menuId);
    return code != 0 && runContextCommand(code);
}

bool Vtx_Spread::runContextCommand(int code) {
    int column = 0;
    int row = 0;
    if (!getActiveCell(column, row))
        return false;
    switch (code) {
    case kContextClearCells: {
        int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
        getSelection(column1, row1, column2, row2);
        const CellRange range{std::max(column1, 1), std::max(row1, 1), column2, row2};
        if (!range.isValid() || !m_model->clearRange(range))
            return false;
        setModified(true);
        return true;
    }
    case kContextRecalculate:
        recalcAll();
        return true;
    case kContextInsertRow:
        return insertRow(row, false, true);
    case kContextDeleteRow:
        if (!deleteRow(row))
            return false;
        if (row > getMaxRows() && getMaxRows() >= 1)
            setActiveCell(column, getMaxRows());
        return true;
    case kContextInsertColumn:
        return insertColumn(column, true, true);
    case kContextDeleteColumn:
        if (!deleteColumn(column))
            return false;
        if (column > getMaxCols() && getMaxCols() >= 1)
            setActiveCell(getMaxCols(), row);
        return true;
    case kContextCheckAll:
    case kContextUncheckAll:
        return setAllChecks(code == kContextCheckAll);
    default:
        return false;
    }
}
