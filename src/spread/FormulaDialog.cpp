// The formula dialog's record and its opening steps.
#include "spread/FormulaDialog.h"

#include "platform/host/Host.h"
#include "spread/FromTable.h"

namespace {

// Options of the grid that the dialog switches.
constexpr int kOptionTypedFormulas = 12;
constexpr int kOptionAutoCalc = 7;

// The module-wide grid under evaluation.
Vtx_Spread* gEvaluatedGrid = nullptr;

} // namespace

Vtx_Spread* gridUnderEvaluation() {
    return gEvaluatedGrid;
}

GridUnderEvaluationScope::GridUnderEvaluationScope(Vtx_Spread* grid) : m_before(gEvaluatedGrid) {
    gEvaluatedGrid = grid;
}

GridUnderEvaluationScope::~GridUnderEvaluationScope() {
    gEvaluatedGrid = m_before;
}

KsFormulaDialog::KsFormulaDialog(FormulaDialogMode mode, const Vtx_String& fileName)
    : m_mode(mode), m_fileName(fileName), m_callerGrid(gEvaluatedGrid) {
    m_host.addPlaceholder(kFormulaGridPlaceholder, kFormulaGridRect);
    m_host.addPlaceholder(kFormulaSecondGridPlaceholder, kFormulaSecondGridRect);
}

KsFormulaDialog::~KsFormulaDialog() = default;

void KsFormulaDialog::setCell(int column, int row) {
    m_column = column;
    m_row = row;
}

void KsFormulaDialog::setFromTableCall(vtx::sheet::ValueRecord* result,
                                       vtx::sheet::ValueRecord* args, int count,
                                       Vtx_Spread* callerGrid) {
    m_result = result;
    m_args = args;
    m_count = count;
    m_callerGrid = callerGrid;
}

bool KsFormulaDialog::initDialog() {
    m_closed = false;
    if (!m_grid.createInDialog(&m_host, kFormulaGridPlaceholder, true))
        return false;
    m_grid.setOption(kOptionTypedFormulas, true);
    m_grid.setOption(kOptionAutoCalc, false);
    m_autoCalculate = false;
    m_style = kFormulaStyleDefault;

    registerFromTable(&m_grid);
    m_grid.setMaxRows(kFormulaGridRows, false);
    m_grid.setMaxCols(kFormulaGridColumns, false);
    m_grid.setNumberCells(1, 1, 6, 6, 2, -9999, 9999);

    m_fileLoaded = false;
    m_loadReason.clear();
    if (!m_fileName.isEmpty())
        m_fileLoaded = m_grid.loadFile(m_fileName, &m_loadReason);
    else
        m_loadReason = "no file named";
    hostPrintf("Loading spreadsheet:%s\n", m_fileName.c_str());
    // A load drops the grid's functions.
    registerFromTable(&m_grid);

    switch (m_mode) {
    case FormulaDialogMode::ReadTable:
        readTable();
        m_closed = true;
        break;
    case FormulaDialogMode::EvaluateCell: {
        GridUnderEvaluationScope scope(&m_grid);
        m_textResult.clear();
        m_grid.recalcCell(m_column, m_row);
        m_grid.getCellText(m_column, m_row, m_textResult, kTextData);
        break;
    }
    case FormulaDialogMode::FromTable: {
        GridUnderEvaluationScope scope(&m_grid);
        evaluateFromTable(m_grid, m_callerGrid, m_result, m_args, m_count);
        break;
    }
    }
    return true;
}

void KsFormulaDialog::readTable() {
    m_firstCellText.clear();
    m_headerRow.removeAll();
    m_rows.removeAll();
    m_grid.getCellText(1, 1, m_firstCellText, kTextData);
    const int columns = m_grid.getMaxCols();
    const int rows = m_grid.getMaxRows();
    for (int column = 1; column <= columns; ++column) {
        Vtx_String text;
        m_grid.getCellText(column, 0, text, kTextData);
        m_headerRow.append(text);
    }
    for (int row = 1; row <= rows; ++row) {
        Vtx_StringArray texts;
        for (int column = 1; column <= columns; ++column) {
            Vtx_String text;
            m_grid.getCellText(column, row, text, kTextData);
            texts.append(text);
        }
        m_rows.append(std::move(texts));
    }
}

void KsFormulaDialog::takeTable(Vtx_String& firstCell, Vtx_StringArray& header,
                                Vtx_Array<Vtx_StringArray>& rows) {
    firstCell = std::move(m_firstCellText);
    header = std::move(m_headerRow);
    rows = std::move(m_rows);
    m_firstCellText.clear();
    m_headerRow.removeAll();
    m_rows.removeAll();
}
