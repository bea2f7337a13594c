// The formula dialog's record and its opening steps.
#include "spread/FormulaDialog.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FromTable.h"

#include <algorithm>
#include <utility>
#include <vector>

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
    Vtx_DialogHost* host = m_dialogHost != nullptr ? m_dialogHost : &m_host;
    if (!m_grid.isCreated() && !m_grid.createInDialog(host, kFormulaGridPlaceholder, true))
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
    case FormulaDialogMode::FromTable:
        // The table is evaluated in a grid of the table cache, which is the
        // grid under evaluation meanwhile.
        evaluateFromTable(m_callerGrid, m_result, m_args, m_count);
        break;
    }
    return true;
}

void KsFormulaDialog::readTable() {
    m_firstCellText.clear();
    m_headerRow.removeAll();
    m_rows.removeAll();
    m_grid.getCellText(1, 1, m_firstCellText, kTextData);
    int columns = m_grid.getMaxCols();
    int rows = m_grid.getMaxRows();
    const vtx::sheet::SheetModel* model = m_grid.model();
    if (!model || columns < 1)
        return;
    // The data texts of the cells that exist. A loaded table ends with its
    // last row and column that hold a data text (a file may declare a huge
    // grid around a few cells); the dialog's own grid, when the file could
    // not be loaded, is given whole.
    std::vector<std::pair<vtx::sheet::CellPos, Vtx_String>> texts;
    int lastColumn = 0;
    int lastRow = 0;
    for (const vtx::sheet::CellPos& at : model->usedCells({1, 0, columns, rows})) {
        Vtx_String text;
        m_grid.getCellText(at.col, at.row, text, kTextData);
        if (text.isEmpty())
            continue;
        lastColumn = std::max(lastColumn, at.col);
        lastRow = std::max(lastRow, at.row);
        texts.emplace_back(at, std::move(text));
    }
    if (m_fileLoaded) {
        columns = lastColumn;
        rows = lastRow;
    }
    Vtx_StringArray emptyRow;
    emptyRow.setLogicalLength(columns);
    m_headerRow = emptyRow;
    for (int row = 1; row <= rows; ++row)
        m_rows.append(emptyRow);
    for (auto& [at, text] : texts) {
        Vtx_StringArray& line = at.row == 0 ? m_headerRow : m_rows[at.row - 1];
        line[at.col - 1] = std::move(text);
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
