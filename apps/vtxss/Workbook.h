#pragma once

// One sheet of a workbook of another spreadsheet program (.xlsx, .ods) or a
// .csv file, as read, before it becomes a grid: its cells with their values,
// texts and formulas (formulas in the file's syntax, with the result the file
// keeps for them).

#include "FormulaTranslate.h"

#include <string>
#include <vector>

namespace cli {

/// A value as the file holds it.
struct BookValue {
    enum class Kind { None, Number, Text, Boolean };
    Kind kind = Kind::None;
    double number = 0;
    std::string text; ///< UTF-8; an error value of a formula's result is a text ("#DIV/0!")
    bool boolean = false;
};

struct BookCell {
    int row = 0;     ///< 0-based
    int col = 0;     ///< 0-based
    BookValue value; ///< a constant, or the result the file keeps for a formula
    bool isFormula = false;
    std::string formula; ///< as written in the file (UTF-8)
    int rowShift = 0;    ///< a formula shared from a cell this far above ...
    int colShift = 0;    ///< ... and to the left: its relative references move
    /// Set when the cell cannot be imported at all (an array formula, ...).
    std::string refusal;
};

struct BookSheet {
    std::string name; ///< the sheet's name; empty for .csv
    FormulaSyntax syntax = FormulaSyntax::A1;
    std::vector<BookCell> cells;
};

/// Reads the sheet `wanted` (the first when empty) of an .xlsx or .ods file;
/// false with a reason (a file that cannot be read, no such sheet, a build
/// without the reader).
bool readWorkbook(const std::string& path, const std::string& wanted, BookSheet& sheet,
                  std::string& reason);
/// False when this build has no reader of .xlsx and .ods files.
bool canReadWorkbooks();

/// A file name's extension in lower case, with its dot (".xlsx").
std::string lowerExtension(const std::string& path);

/// Reads a .csv file (UTF-8, quoted fields, CR LF or LF): a field starting
/// with "=" is a formula, one that reads as a number in the C locale a
/// number, any other a text; empty fields are blank cells.
bool readCsvSheet(const std::string& path, BookSheet& sheet, std::string& reason);

} // namespace cli
