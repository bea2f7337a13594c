#pragma once

/// Number format codes as TEXT reads them: up to four sections
/// "positive;negative;zero;text", digit placeholders (0 # ?), decimals,
/// thousands separators and scaling commas, percent, scientific notation,
/// fractions, date and time codes on serial date numbers, literal text,
/// colours (ignored) and conditions such as [>=100]. docs/functions.md lists
/// the codes.

#include <string>
#include <string_view>

namespace vtx::sheet {

/// Formats a number with a format code. False when the code cannot be read
/// (an unclosed quote or bracket, more than four sections) or cannot show
/// the number (a date code for a negative number or one past 9999-12-31).
bool formatNumberWithCode(double value, std::string_view code, std::string& out);

/// Formats a text with a format code: with its text section (the fourth, or
/// a single section holding "@"), "@" standing for the text; the text itself
/// when the code has no text section. False when the code cannot be read.
bool formatTextWithCode(std::string_view text, std::string_view code, std::string& out);

} // namespace vtx::sheet
