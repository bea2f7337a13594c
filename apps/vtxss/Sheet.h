#pragma once

// vtxss sheet, in two parts: evaluating and printing a sheet file
// (SheetCommand.cpp) and importing a cell list (SheetImport.cpp).

#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

#include <functional>
#include <string>

namespace cli {

/// A grid of the command, in a dialog without a window.
struct CommandGrid {
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    /// Creates the grid; fails when it cannot be made.
    void create();
};

/// "A", "B", ... "AA" for a 1-based column.
std::string columnName(int column);

/// Makes a grid of columns x rows with FROMTABLE registered, lets fill put
/// the cells (automatic recalculation off), recalculates it and saves it to
/// out ("-" for stdout).
void saveNewGrid(const Vtx_String& out, int columns, int rows,
                 const std::function<void(vtx::sheet::SheetModel&)>& fill);

/// How a workbook (.xlsx, .ods) or .csv file is imported.
struct BookImport {
    std::string sheet;       ///< the sheet to import; the first when empty
    bool keepValues = false; ///< a formula that does not translate keeps its value
};

/// Imports one sheet of the workbook or .csv file at path (UTF-8) into a
/// new grid, recalculates it and saves it to out. Every cell that cannot be
/// imported is listed on stderr and nothing is written.
void importBook(const std::string& path, const Vtx_String& out, const BookImport& how);

/// Imports the cell list `cells` into a new grid, recalculates it and
/// saves it to out ("-" for stdout); applyChanges also applies its X lines.
void importCells(const Vtx_String& cells, const Vtx_String& out, bool applyChanges);

} // namespace cli
