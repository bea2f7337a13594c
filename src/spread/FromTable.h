#pragma once

/// "FROMTABLE": the grids' own table function. A formula reads one cell of
/// another sheet file, looked up by address or by header and key:
///
///     FROMTABLE("sizes.kss", B3)                      value of B3 in sizes.kss
///     FROMTABLE("sizes.kss", B3, D7)                  writes it into D7 of this grid
///     FROMTABLE("sizes.kss", "Size", "Width", "M20")  column "Width" of the row
///                                                     whose "Size" is "M20"
///
///     Vtx_Spread grid;                 // created in a dialog
///     registerFromTable(&grid);        // again after every load
///     grid.setCellFormula(1, 1, "FROMTABLE(\"sizes.kss\",B3)", true);
///
/// A call reads its table from the cache of parsed tables (FromTableCache.h):
/// a file is read once per version, and every call is evaluated in a
/// working grid of its own, so a table may itself use FROMTABLE, even into
/// itself. Nesting is bounded by kFromTableMaxDepth. docs/fromtable.md has
/// the rules.

#include "platform/core/VtxString.h"
#include "platform/sheet/ValueRecord.h"

class Vtx_Spread;

/// The most FROMTABLE calls that may be under way inside one another; a call
/// that would go deeper fails (status 1) with an "*Error*" line on the host's
/// command line.
constexpr int kFromTableMaxDepth = 16;

/// Registers "FROMTABLE" (2 to 4 arguments, cell references as type 3) on
/// grid. The handler is bound to grid: grid is the caller grid of its calls.
/// Does nothing (false) for a null grid or one that is not created.
bool registerFromTable(Vtx_Spread* grid);

/// The handler that registerFromTable registers, bound to callerGrid. It
/// takes every text argument's memory block (each is freed, whatever the
/// outcome), prints the mode-2 formula dialog's "Loading spreadsheet:" line
/// and evaluates the call. Returns 1.
vtx::sheet::CustomFunctionHandler fromTableHandler(Vtx_Spread* callerGrid);

/// The FROMTABLE evaluation (mode 2 of the formula dialog) on an argument
/// array whose text blocks have not been taken yet; it takes them.
/// callerGrid is the grid of the calling formula. The table is a working
/// grid lent by the table cache, the grid under evaluation while the target
/// cell is recalculated. Nothing is done without callerGrid, result or
/// args; otherwise the result starts at status 2 (no value) and ends at 0
/// with a value, 1 when the value could not be read, or stays 2 when there
/// is nothing to return.
void evaluateFromTable(Vtx_Spread* callerGrid, vtx::sheet::ValueRecord* result,
                       vtx::sheet::ValueRecord* args, int count);

/// FROMTABLE calls under way inside one another at this moment (0 when none).
int fromTableDepth();

/// Names and keys compare with equal lengths and every character equal after
/// conversion to upper case (Windows-1252 letters); with caseSensitive the
/// bytes must be equal.
bool sameTableText(const Vtx_String& a, const Vtx_String& b, bool caseSensitive = false);

/// The key text of a floating-point argument: the number in the general
/// format of the grid's data texts (15 significant digits, no needless
/// zeros), so it compares equal with a cell that holds the same number.
Vtx_String fromTableNumberText(double value);
