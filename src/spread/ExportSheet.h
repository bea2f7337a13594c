#pragma once

/// What the exports of a grid to other spreadsheet formats share: their
/// options, their summary, the part of the grid they write and where the
/// pictures of picture cells are found.
///
/// An export writes cell values as they are (formulas are not carried over:
/// the other program's formula language and the grid's custom functions
/// differ). The column-header row (row 0) is written as the first row when
/// options.columnHeaders is on and at least one column header has a text;
/// the row-header column is not written.
///
///     ExportOptions options;
///     options.referenceFile = "C:\\Bills\\bill.kss";
///     ExportSummary summary;
///     Vtx_String reason;
///     if (exportSheetToCsv(*grid.model(), "C:\\Bills\\bill.csv", options, &summary,
///                          &reason) != eOk)
///         report(reason);

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <functional>
#include <utility>
#include <vector>

namespace vtx::sheet {
class SheetModel;
}
class Vtx_Spread;
class KsPrintSettings;

/// Options of an export.
struct ExportOptions {
    /// Write the column headers (row 0) as the first row when one has a text.
    bool columnHeaders = true;
    /// The font of cells whose style names none, and its height in pixels
    /// (96 dpi) for cells whose style gives none.
    Vtx_String defaultFontName = "Tahoma";
    int defaultFontHeight = 15;
    /// The sheet file the grid came from (may be empty): relative picture
    /// names are looked up beside it first.
    Vtx_String referenceFile;
    /// Write the sheet's header data (the variables of its print settings:
    /// a bill's date, title, project, ...) above the table.
    bool headerData = true;
    /// CSV: numbers with all their digits (the shortest text that reads
    /// back as the same number) instead of as their cells show them.
    bool rawNumbers = false;
    /// .xlsx: the worksheet's name; empty for exportSheetName's choice.
    Vtx_String sheetName;
    /// exportSheetFile: write the values of a recalculation instead of the
    /// stored ones.
    bool recalculate = false;
    /// Called while rows are written: rows done, rows in all.
    std::function<void(int, int)> progress;
};

/// The options that export a created grid as it shows: its default font.
ExportOptions exportOptionsFor(const Vtx_Spread& grid);

/// What an export wrote.
struct ExportSummary {
    int rows = 0;     ///< rows written, the header row included
    int columns = 0;  ///< columns written
    int cells = 0;    ///< cells with a value
    int merges = 0;   ///< merged ranges
    int pictures = 0; ///< pictures placed
    /// Things kept out of the file, one line each naming the cell
    /// ("C4: picture not found: Pictures\\p1.bmp").
    Vtx_StringArray warnings;
    int headerData = 0; ///< header-data entries written above the table
    /// exportSheetFile: formula cells whose stored value a recalculation
    /// changes, and the first few of them ("B3").
    int staleCells = 0;
    Vtx_StringArray staleExamples;
    Vtx_String sheetName; ///< .xlsx: the worksheet's name
};

/// The header data of a sheet: its print settings' variables in order.
using ExportHeaderData = std::vector<std::pair<Vtx_String, Vtx_String>>;

/// The part of a grid that an export writes.
struct ExportLayout {
    int lastColumn = 0;     ///< the last column with a value, picture or span
    int lastRow = 0;        ///< the last row with a value, picture or span
    bool headerRow = false; ///< the column headers are written first
    /// Header data written above the table, followed by one empty row.
    ExportHeaderData headerData;
    /// Rows of the file before the table: the header data and its empty row.
    int dataRows() const {
        return headerData.empty() ? 0 : static_cast<int>(headerData.size()) + 1;
    }
    /// The row of the exported file (0-based) that grid row `row` goes to.
    int fileRow(int row) const { return dataRows() + (headerRow ? row : row - 1); }
};

ExportLayout exportLayout(const vtx::sheet::SheetModel& model, const ExportOptions& options);

/// The print settings a sheet carries in the tag of its sheet cell (a
/// bill's variables, margins, header and footer pictures). False, with the
/// defaults, when the tag holds none.
bool exportPrintSettings(const vtx::sheet::SheetModel& model, KsPrintSettings& settings);

/// The worksheet name of an export: options.sheetName, else the print
/// settings' "Title" variable, else the base name of options.referenceFile,
/// else "Sheet1"; a character a worksheet name cannot hold ([ ] : * ? / \\)
/// becomes "_", a leading or trailing "'" is dropped, and the name is cut
/// to 31 characters.
Vtx_String exportSheetName(const vtx::sheet::SheetModel& model, const ExportOptions& options);

/// The cell's name as a user reads it: "A1", "AB12"; "A0" for a header.
Vtx_String exportCellName(int column, int row);

/// The picture file of a picture cell that shows a file (empty for any other
/// cell). A name with a drive, a leading separator or "\\\\" is used as it
/// is; any other name is looked up beside options.referenceFile (in the
/// current folder when it names no folder), then in the library folder, then
/// in the installation folder; when it is in none of them, the name is
/// returned as it is. found tells whether the file exists.
Vtx_String exportPicturePath(const vtx::sheet::SheetModel& model, int column, int row,
                             const ExportOptions& options, bool& found);
