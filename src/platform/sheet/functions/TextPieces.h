#pragma once

/// What the text functions of one text and a few numbers compute, on views:
/// the function bodies (TextFunctions.cpp) and the interpreter's path for
/// text formulas (InterpreterText.cpp) both call these, so that the two give
/// the same results. Texts are 8-bit (Windows-1252): lengths and positions
/// count bytes. A false return is #VALUE!.

#include <string>
#include <string_view>

namespace vtx::sheet {

/// LEFT: the first n bytes (all of a shorter text); false for n < 0.
bool leftPart(std::string_view text, double n, std::string_view& out);
/// RIGHT: the last n bytes; false for n < 0.
bool rightPart(std::string_view text, double n, std::string_view& out);
/// MID: n bytes from the 1-based position start ("" beyond the end); false
/// for start < 1 or n < 0.
bool midPart(std::string_view text, double start, double n, std::string_view& out);

/// Append the text changed as UPPER, LOWER, PROPER, TRIM and CLEAN change it.
void appendUpper(std::string& out, std::string_view text);
void appendLower(std::string& out, std::string_view text);
/// Letters after a letter lower case, the others upper case.
void appendProper(std::string& out, std::string_view text);
/// Blanks at either end dropped, runs of blanks inside made one.
void appendTrimmed(std::string& out, std::string_view text);
/// Control characters (below 32) dropped.
void appendCleaned(std::string& out, std::string_view text);
/// REPT: appends the text n times (n truncated); false for n < 0 or a
/// result longer than kMaxTextLength.
bool appendRepeated(std::string& out, std::string_view text, double n);

} // namespace vtx::sheet
