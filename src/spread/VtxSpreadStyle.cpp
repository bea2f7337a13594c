// Vtx_Spread: fonts, cell types, colours, locks and text search.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellFont;
using vtx::sheet::CellRange;
using vtx::sheet::CellType;
using vtx::sheet::NumberStyle;

namespace {} // namespace

bool Vtx_Spread::setRangeFont(int column1, int row1, int column2, int row2, const Vtx_String& name,
                              int height, bool bold, bool fitTextTip) {
    if (!m_created)
        return false;
    CellFont font;
    font.name = name.str();
    font.height = height;
    font.bold = bold;
    if (fitTextTip)
        m_textTipFont = font;
    return m_model->setFont(CellRange::ordered(normalizeIndex(column1), normalizeIndex(row1),
                                               normalizeIndex(column2), normalizeIndex(row2)),
                            font);
}

bool Vtx_Spread::styleHeaders() {
    if (!m_created)
        return false;
    const int cols = getMaxCols();
    const int rows = getMaxRows();
    if (cols >= 1)
        setRangeFont(1, 0, cols, 0, m_fontName, m_fontHeight, true);
    if (rows >= 1)
        setRangeFont(0, 1, 0, rows, m_fontName, m_fontHeight, true);
    return true;
}

bool Vtx_Spread::resetFonts(bool textTips) {
    if (!styleHeaders())
        return false;
    const int cols = getMaxCols();
    const int rows = getMaxRows();
    if (cols >= 1 && rows >= 1)
        setRangeFont(1, 1, cols, rows, m_fontName, m_fontHeight, false, textTips);
    return true;
}

bool Vtx_Spread::styleColumn(int column, bool headerBold) {
    if (!m_created || column < 1 || column > getMaxCols())
        return false;
    if (headerBold)
        setRangeFont(column, 0, column, 0, m_fontName, m_fontHeight, true);
    if (getMaxRows() >= 1)
        setRangeFont(column, 1, column, getMaxRows(), m_fontName, m_fontHeight, false);
    return true;
}

bool Vtx_Spread::styleRow(int row, bool headerBold) {
    if (!m_created || row < 1 || row > getMaxRows())
        return false;
    if (headerBold)
        setRangeFont(0, row, 0, row, m_fontName, m_fontHeight, true);
    if (getMaxCols() >= 1)
        setRangeFont(1, row, getMaxCols(), row, m_fontName, m_fontHeight, false);
    return true;
}

bool Vtx_Spread::setNumberCells(int column1, int row1, int column2, int row2, int decimals,
                                double minimum, double maximum) {
    if (!inRange(column1, row1) || !inRange(column2, row2))
        return false;
    return m_model->setCellType(CellRange::ordered(column1, row1, column2, row2),
                                CellType::number(NumberStyle::Plain, decimals, minimum, maximum));
}

bool Vtx_Spread::setEditCells(int column1, int row1, int column2, int row2, unsigned style,
                              int maxLength) {
    if (!inRange(column1, row1) || !inRange(column2, row2))
        return false;
    return m_model->setCellType(CellRange::ordered(column1, row1, column2, row2),
                                CellType::edit(maxLength, style));
}

bool Vtx_Spread::setCellColors(int column, int row, unsigned back, unsigned fore) {
    return inRange(column, row) && m_model->setColors(CellRange::cell(column, row), back, fore);
}

bool Vtx_Spread::setLocked(int column1, int row1, int column2, int row2, bool locked) {
    if (!inRange(column1, row1) || !inRange(column2, row2))
        return false;
    return m_model->setLock(CellRange::ordered(column1, row1, column2, row2), locked);
}

bool Vtx_Spread::isLocked(int column, int row) const {
    return inRange(column, row) && m_model->isLocked(column, row);
}

bool Vtx_Spread::findInRow(const Vtx_String& text, bool substring, int row, int fromColumn,
                           int& foundColumn) const {
    if (!m_created || row < 0 || row > getMaxRows())
        return false;
    for (int c = std::max(1, fromColumn); c <= getMaxCols(); ++c) {
        Vtx_String cell;
        getCellText(c, row, cell, kTextValue);
        // An empty text is in every cell: as a substring it finds nothing.
        const bool match =
            substring ? !text.isEmpty() && cell.hasSubString(text) : cell.equal(text, false);
        if (match) {
            foundColumn = c;
            return true;
        }
    }
    return false;
}

bool Vtx_Spread::findNext(const Vtx_String& text, bool substring, int column, int row,
                          int& foundColumn, int& foundRow) const {
    if (!m_created)
        return false;
    for (int r = std::max(row, 0); r <= getMaxRows(); ++r) {
        if (findInRow(text, substring, r, r == row ? column : 1, foundColumn)) {
            foundRow = r;
            return true;
        }
    }
    return false;
}
