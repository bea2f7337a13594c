#pragma once

#include <string_view>

namespace vtx::sheet {

/// Reads a text the way formulas turn a text into a number: operators
/// ("50%"+0), number arguments, the number lists of SUM and kin, VALUE and
/// TEXT all use this one reading. Blanks around are allowed. Accepted:
///
///     12.5  -3  +4e2  .5             plain decimal numbers (parseNumber)
///     1,234.5  -1,234,567            thousands separators every 3 digits
///     $12  -$12  $-12                one leading currency sign: $, euro (0x80), pound (0xA3)
///     50%  -1.5e2%                   a trailing percent sign divides by 100
///     (12)  ($1,200.50)              parentheses make the number negative
///     12:30  12:30:15.5  1:30 PM     times of day as fractions of a day
///     2024-03-01  2024/3/1 12:00     ISO dates (year first) as serial dates
///
/// False for anything else. Data typed into a cell and file readers keep the
/// strict parseNumber.
bool textToNumber(std::string_view text, double& out);

} // namespace vtx::sheet
