#pragma once

/// Reads a formula text into a program (FormulaCode). See Parser.cpp for the
/// grammar.

#include "platform/sheet/FormulaError.h"
#include "platform/sheet/formula/FormulaCode.h"

#include <functional>
#include <string_view>

namespace vtx::sheet {

/// Tells whether an upper-case name is a custom function of the grid; such a
/// name is called by name even where a built-in function has it too.
using CustomNameTest = std::function<bool(std::string_view upperName)>;

/// Parses `text` (a leading "=" is allowed) standing at cell `at`. On
/// failure returns false and fills `error` with the code and byte position.
bool parseFormula(std::string_view text, CellPos at, RefStyle style, const CustomNameTest& isCustom,
                  FormulaCode& out, ParseError& error);

} // namespace vtx::sheet
