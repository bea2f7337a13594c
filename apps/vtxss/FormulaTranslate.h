#pragma once

// Formulas of other spreadsheet programs in the grid's formula language:
// the A1 syntax of .xlsx files and .csv cells (commas between arguments,
// Sheet!A1), and the OpenFormula syntax of .ods files ([.A1:.B2],
// semicolons). What the language has is rewritten; what it lacks (a
// function it does not have, another sheet or workbook, a table reference,
// an array constant, a named range, the union and intersection operators)
// is refused with a reason, never passed on to become #NAME? silently.
//
//     std::string out, reason;
//     translateFormula("_xlfn.IFS(A1>0,1,TRUE,0)", {}, out, reason);  // "IFS(A1>0,1,TRUE,0)"
//     translateFormula("CUBEVALUE(1)", {}, out, reason);
//     // false, reason "the function CUBEVALUE is not in the formula language"

#include <string>
#include <string_view>

namespace cli {

enum class FormulaSyntax {
    A1,          ///< .xlsx and .csv: B3, $A$1:C9, Sheet1!A1, commas between arguments
    OpenFormula, ///< .ods: of:=SUM([.A1:.B2];1), TRUE(), ~ union, ! intersection
};

struct TranslateContext {
    FormulaSyntax syntax = FormulaSyntax::A1;
    /// The sheet being imported: a reference naming it is a plain reference.
    std::string sheetName;
    /// Moves every relative reference part (a formula shared down a column
    /// is written once and used in each cell at its offset).
    int rowShift = 0;
    int colShift = 0;
};

/// The formula (without or with its leading "=" or "of:=") in the grid's
/// language, A1 style, without "="; false with a reason when it does not
/// translate.
bool translateFormula(std::string_view formula, const TranslateContext& context, std::string& out,
                      std::string& reason);

/// A cell address of the A1 syntax ("B3", "$B$3") as 1-based column and row.
bool readCellAddress(std::string_view text, int& col, int& row);

} // namespace cli
