// Vtx_Spread: combo, check-box and picture cells, and spans of equal cells.
#include "spread/VtxSpread.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"

#include <string>

using vtx::sheet::BorderSide;
using vtx::sheet::CellRange;
using vtx::sheet::CellSpan;
using vtx::sheet::CellType;
using vtx::sheet::PictureStyle;

namespace {

CellType checkBoxType() {
    return CellType::checkBox(std::to_string(kCheckBoxPictureOff),
                              std::to_string(kCheckBoxPictureOn));
}

// The frame of a bordered check-box cell: a thin grey line on every side.
constexpr BorderSide kCheckBoxFrame{1, 0x808080};

} // namespace

bool Vtx_Spread::setNumberCells(int column1, int row1, int column2, int row2, int decimals,
                                double minimum, double maximum, vtx::sheet::NumberStyle style) {
    if (!inRange(column1, row1) || !inRange(column2, row2))
        return false;
    return m_model->setCellType(CellRange::ordered(column1, row1, column2, row2),
                                CellType::number(style, decimals, minimum, maximum));
}

bool Vtx_Spread::setComboCells(int column1, int row1, int column2, int row2,
                               const Vtx_StringArray& items, bool styleFlag) {
    if (!inRange(column1, row1) || !inRange(column2, row2))
        return false;
    std::string list;
    for (int i = 0; i < items.length(); ++i) {
        if (i > 0)
            list += '\t';
        list += items[i].str();
    }
    return m_model->setCellType(
        CellRange::ordered(column1, row1, column2, row2),
        CellType::combo(std::move(list), styleFlag ? kComboStyleFlagged : kComboStyleList));
}

bool Vtx_Spread::setCheckBoxCell(int column, int row, bool border) {
    if (!inRange(column, row))
        return false;
    const CellRange cell = CellRange::cell(column, row);
    if (!m_model->setCellType(cell, checkBoxType()))
        return false;
    return !border || m_model->setBorder(cell, vtx::sheet::kBorderAll, kCheckBoxFrame);
}

bool Vtx_Spread::setCheckBoxColumn(int column, bool border, bool spanHeader) {
    if (!m_created || column < 1 || column > getMaxCols())
        return false;
    const int rows = getMaxRows();
    if (rows >= 1) {
        const CellRange body{column, 1, column, rows};
        if (!m_model->setCellType(body, checkBoxType()))
            return false;
        if (border && !m_model->setBorder(body, vtx::sheet::kBorderAll, kCheckBoxFrame))
            return false;
    }
    if (!spanHeader || column == getMaxCols())
        return true;
    // The header spans over the next column: spans in the way go first.
    for (int c = column; c <= column + 1; ++c) {
        CellSpan span;
        if (m_model->getSpan(c, 0, span))
            m_model->removeSpan(span.col, span.row);
    }
    return m_model->addSpan(column, 0, 2, 1);
}

bool Vtx_Spread::setPictureCell(int column, int row, int resourceId, bool isIcon) {
    if (!inRange(column, row))
        return false;
    const ResourceKind kind = isIcon ? ResourceKind::Icon : ResourceKind::Bitmap;
    if (Host::current().resources().find(kind, resourceId).empty())
        return false;
    return m_model->setCellType(
        CellRange::cell(column, row),
        CellType::picture(std::to_string(resourceId),
                          isIcon ? PictureStyle::Icon : PictureStyle::Bitmap));
}

bool Vtx_Spread::unmergeColumn(int column) {
    if (!m_created || column < 0 || column > getMaxCols())
        return false;
    // Copied: removing changes the model's list.
    const std::vector<CellSpan> spans = m_model->spans();
    for (const CellSpan& s : spans)
        if (column >= s.col && column < s.col + s.cols)
            m_model->removeSpan(s.col, s.row);
    return true;
}

bool Vtx_Spread::unmergeAll() {
    if (!m_created)
        return false;
    for (int c = 0; c <= getMaxCols(); ++c)
        unmergeColumn(c);
    return true;
}

bool Vtx_Spread::mergeEqualCells(int column) {
    if (!unmergeColumn(column))
        return false;
    const int rows = getMaxRows();
    bool ok = true;
    int runStart = 1;
    Vtx_String runText;
    getCellText(column, 1, runText, kTextValue);
    // One step past the last row closes the run that reaches it.
    for (int r = 2; r <= rows + 1; ++r) {
        Vtx_String text;
        if (r <= rows)
            getCellText(column, r, text, kTextValue);
        if (r <= rows && text.equal(runText, false))
            continue;
        const int length = r - runStart;
        if (length >= 2 && !runText.isEmpty())
            ok = m_model->addSpan(column, runStart, 1, length) && ok;
        runStart = r;
        runText = text;
    }
    return ok;
}
