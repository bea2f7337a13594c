#pragma once

// vtxss sheet, in two parts: evaluating and printing a sheet file
// (SheetCommand.cpp) and importing a cell list (SheetImport.cpp).

#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

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

/// Imports the cell list `cells` into a new grid, recalculates it and
/// saves it to out ("-" for stdout); applyChanges also applies its X lines.
void importCells(const Vtx_String& cells, const Vtx_String& out, bool applyChanges);

} // namespace cli
