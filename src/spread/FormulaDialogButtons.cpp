// The formula dialog's buttons, as functions of its record.
#include "spread/FormulaDialog.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FromTable.h"

namespace {

constexpr int kOptionAutoCalc = 7;
// The style buttons show the formulas of this column in column 1.
constexpr int kFormulaSourceColumn = 4;
constexpr int kFormulaShownColumn = 1;

} // namespace

bool KsFormulaDialog::onStyle(int style) {
    if (style < kFormulaStyleDefault || style > kFormulaStyleR1C1)
        return false;
    m_style = style;
    m_grid.setRefStyle(style);
    for (int row = 1; row <= 5; ++row) {
        Vtx_String formula;
        m_grid.getCellText(kFormulaSourceColumn, row, formula, kTextFormula);
        if (row == 5 && formula.isEmpty())
            break;
        if (m_grid.setCellText(kFormulaShownColumn, row, formula))
            continue;
        // A number cell refuses a formula text: show it in an edit cell, or
        // the button would silently show nothing.
        if (m_grid.setEditCells(kFormulaShownColumn, row, kFormulaShownColumn, row,
                                kEditStyleDefault, 0))
            m_grid.setCellText(kFormulaShownColumn, row, formula);
    }
    if (vtx::sheet::SheetModel* model = m_grid.model())
        model->setColumnWidth(kFormulaShownColumn, model->maxTextColumnWidth(kFormulaShownColumn));
    return true;
}

bool KsFormulaDialog::onSaveToFile() {
    m_saveReason.clear();
    if (m_grid.saveFile(m_fileName, &m_saveReason))
        return true;
    hostPrintf("Save failed\n");
    return false;
}

bool KsFormulaDialog::onLoadFromFile() {
    m_loadReason.clear();
    const bool loaded = m_grid.loadFile(m_fileName, &m_loadReason);
    if (loaded)
        m_fileLoaded = true;
    else
        hostPrintf("Load failed\n");
    registerFromTable(&m_grid);
    return loaded;
}

void KsFormulaDialog::onAutoCalculate(bool on) {
    m_autoCalculate = on;
    m_grid.setOption(kOptionAutoCalc, on);
}

void KsFormulaDialog::onRecalculate() {
    m_grid.recalcAll();
}
