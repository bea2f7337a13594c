// Vtx_Spread: text inside cells, enterable cells, the Tab key and focus.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellSpan;

bool Vtx_Spread::findInCell(const Vtx_String& text, int column, int row, int fromPos,
                            int& foundPos) const {
    Vtx_String cell;
    if (text.isEmpty() || !getCellText(column, row, cell, kTextValue))
        return false;
    const int pos = cell.find(text, std::max(fromPos, 0));
    if (pos < 0)
        return false;
    foundPos = pos;
    return true;
}

bool Vtx_Spread::selectFound(const Vtx_String& text, int column, int row, int pos) {
    if (!m_created || column < 1 || row < 1 || !inRange(column, row) || pos < 0)
        return false;
    requestFocus();
    if (!m_model->setActiveCell(column, row))
        return false;
    if (!m_model->editMode())
        m_model->setEditMode(true);
    m_model->setEditSelection(pos, text.length());
    return true;
}

bool Vtx_Spread::replaceInCell(int column, int row, const Vtx_String& text,
                               const Vtx_String& replacement) {
    Vtx_String cell;
    if (text.isEmpty() || !getCellText(column, row, cell, kTextValue))
        return false;
    if (cell.replaceSubString(text, replacement) == 0)
        return false;
    if (!setCellText(column, row, cell))
        return false;
    setModified(true);
    return true;
}

bool Vtx_Spread::isEnterable(int column, int row) const {
    if (!m_created || column < 1 || row < 1 || column > getMaxCols() || row > getMaxRows())
        return false;
    if (m_model->isLocked(column, row))
        return false;
    CellSpan span;
    if (!m_model->getSpan(column, row, span))
        return true;
    // A span is entered at its anchor, and only while the anchor is open.
    return span.col == column && span.row == row;
}

bool Vtx_Spread::findEnterableCell(bool fromStart, int& column, int& row) const {
    if (!m_created)
        return false;
    const int cols = getMaxCols();
    const int rows = getMaxRows();
    for (int i = 0; i < rows; ++i) {
        const int r = fromStart ? 1 + i : rows - i;
        for (int j = 0; j < cols; ++j) {
            const int c = fromStart ? 1 + j : cols - j;
            if (isEnterable(c, r)) {
                column = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

int Vtx_Spread::tabKeyResult(bool shift) {
    if (!m_created)
        return kTabKeep;
    int column = 0;
    int row = 0;
    // Nowhere to stop: the key passes on.
    if (!findEnterableCell(shift, column, row))
        return shift ? kTabLeaveBackward : kTabLeaveForward;
    int activeColumn = 0;
    int activeRow = 0;
    if (!getActiveCell(activeColumn, activeRow))
        return kTabKeep;
    if (activeColumn != column || activeRow != row)
        return kTabKeep;
    return shift ? kTabLeaveBackward : kTabLeaveForward;
}

bool Vtx_Spread::focusFirstCell(bool fromStart) {
    int column = 0;
    int row = 0;
    if (!findEnterableCell(fromStart, column, row))
        return false;
    setActiveCell(column, row);
    requestFocus();
    return true;
}

bool Vtx_Spread::toggleEditable() {
    if (!m_created || !m_allowEditToggle)
        return false;
    m_model->setOption(vtx::sheet::kOptionProtect, !m_model->option(vtx::sheet::kOptionProtect));
    return true;
}

void Vtx_Spread::requestFocus() {
    if (m_focusHandler)
        m_focusHandler();
}
