#pragma once

/// Exported entry points built on the window-less formula dialog: a whole
/// sheet file read into string arrays, and one cell of a file evaluated.
///
///     Vtx_String first;
///     Vtx_StringArray header;
///     Vtx_Array<Vtx_StringArray> rows;
///     if (ReadSSFile("C:\\Tables\\bolts.kss", first, header, rows))
///         ...   // rows[0][0] == first
///
/// Both print "Loading spreadsheet:%s\n" on the host's command line, as the
/// formula dialog does when it opens. A relative file name is taken from the
/// current folder.

#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// Reads fileName through a formula dialog in mode 4: firstCell takes the
/// data text of cell (1, 1), header the column-header texts of columns
/// 1..C, rows one array per row 1..R with the data texts of columns 1..C,
/// where C and R are the last column and row of the table that hold a data
/// text (header texts count for C): trailing empty rows and columns of the
/// declared grid are left out, so the cost follows the cells of the file,
/// not the grid it declares. The three are emptied first. When the file
/// cannot be loaded they describe the dialog's own empty grid (10 rows of 8
/// empty texts, 8 empty header texts, an empty first cell) and the result is
/// false; true when the file was loaded.
VTX_MODULE_API bool ReadSSFile(const Vtx_String& fileName, Vtx_String& firstCell,
                               Vtx_StringArray& header, Vtx_Array<Vtx_StringArray>& rows);

/// The file and cell of the EvaluateSS test run.
constexpr const char* kEvaluateSSFile = "c:\\a\\t3.sss";
constexpr int kEvaluateSSColumn = 1;
constexpr int kEvaluateSSRow = 1;

/// The evaluation of a formula dialog in mode 1: loads fileName (FROMTABLE
/// registered), recalculates cell (column, row) with the grid as the grid
/// under evaluation and gives its data text. False (text empty) when the
/// file cannot be loaded or the cell lies outside the loaded grid.
VTX_MODULE_API bool evaluateSSCell(const Vtx_String& fileName, int column, int row,
                                   Vtx_String& text);

// The formula dialog's window, in a module built with its dialogs.

/// Opens the formula dialog in mode 1 on fileName (loaded when not empty)
/// and cell (column, row), and leaves it open over the host's main window.
/// False (nothing shown) when the program shows no windows or the dialog's
/// grid cannot be made; a file that cannot be loaded still opens the dialog
/// on its own empty grid, as the dialog does.
VTX_MODULE_API bool openFormulaDialog(const Vtx_String& fileName, int column, int row);
/// The test run of the formula dialog: openFormulaDialog on kEvaluateSSFile,
/// cell (kEvaluateSSColumn, kEvaluateSSRow).
VTX_MODULE_API void EvaluateSS();
