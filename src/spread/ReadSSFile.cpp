// ReadSSFile and the one-cell evaluation, through hidden formula dialogs.
#include "spread/ReadSSFile.h"

#include "spread/FormulaDialog.h"

#include <memory>

bool ReadSSFile(const Vtx_String& fileName, Vtx_String& firstCell, Vtx_StringArray& header,
                Vtx_Array<Vtx_StringArray>& rows) {
    firstCell.clear();
    header.removeAll();
    rows.removeAll();
    auto dialog = std::make_unique<KsFormulaDialog>(FormulaDialogMode::ReadTable, fileName);
    if (!dialog->initDialog())
        return false;
    dialog->takeTable(firstCell, header, rows);
    return dialog->fileLoaded();
}

bool evaluateSSCell(const Vtx_String& fileName, int column, int row, Vtx_String& text) {
    text.clear();
    auto dialog = std::make_unique<KsFormulaDialog>(FormulaDialogMode::EvaluateCell, fileName);
    dialog->setCell(column, row);
    if (!dialog->initDialog() || !dialog->fileLoaded())
        return false;
    const Vtx_Spread& grid = dialog->grid();
    if (column < 1 || row < 1 || column > grid.getMaxCols() || row > grid.getMaxRows())
        return false;
    text = dialog->textResult();
    return true;
}
