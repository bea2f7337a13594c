#pragma once

// Names in formulas of other spreadsheet programs: functions, truth values
// and error values, and what the grid's formula language calls them.

#include "FormulaTranslate.h"

#include <string>
#include <string_view>

namespace cli {

/// The grid's name for the function `name` as the syntax writes it
/// ("_xlfn.IFS" and "COM.MICROSOFT.IFS" are IFS, "_xlfn.STDEV.S" is STDEV);
/// false with a reason when the language has no such function. An empty
/// result is a call that only groups (the implicit intersection
/// "_xlfn.SINGLE(A1:A9)", which the grid does by itself).
bool engineFunction(std::string_view name, FormulaSyntax syntax, std::string& function,
                    std::string& reason);

/// TRUE or FALSE in any case.
bool isBooleanName(std::string_view name);

/// #N/A, #DIV/0! and the other error values the language has (upper case).
bool isErrorLiteral(std::string_view literal);

} // namespace cli
