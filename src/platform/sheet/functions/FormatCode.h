#pragma once

/// A number format code read into sections of tokens (internal to TEXT's
/// formatting: NumberFormat.cpp and DateFormat.cpp).

#include <string>
#include <string_view>
#include <vector>

namespace vtx::sheet {

enum class FormatTokenKind : std::uint8_t {
    Literal,  ///< shown as is (quoted text, escaped or plain characters)
    Digit,    ///< a digit placeholder: ch is '0', '#' or '?'
    Point,    ///< "."
    Comma,    ///< ",": thousands separator, scaling or literal, by position
    Percent,  ///< "%"
    Exponent, ///< "E+", "E-" (either case)
    Slash,    ///< "/": a fraction bar between digit placeholders
    At,       ///< "@": the text (or a number in general format)
    General,  ///< "General"
    DatePart, ///< a run of one of d m y h s: ch (lower case), count
    Elapsed,  ///< [h] [m] [s] with count letters: ch (lower case), count
    AmPm,     ///< "AM/PM" or "A/P" as written
};

struct FormatToken {
    FormatTokenKind kind = FormatTokenKind::Literal;
    char ch = 0;
    int count = 0;
    std::string text; ///< the literal text, or the code as written
};

enum class FormatCompare : std::uint8_t {
    None,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual
};

struct FormatSection {
    std::vector<FormatToken> tokens;
    FormatCompare compare = FormatCompare::None; ///< a condition such as [>=100]
    double limit = 0;
    bool isDate = false; ///< has date or time codes
    bool hasAt = false;

    bool accepts(double x) const;
    /// A condition met by negative numbers only ([<0], [<=-1]): such a
    /// section shows its own signs, as the negative section does.
    bool onlyNegatives() const {
        return (compare == FormatCompare::Less && limit <= 0) ||
               (compare == FormatCompare::LessEqual && limit < 0);
    }
};

/// Splits a format code at its top-level ";" into 1 to 4 sections of tokens.
/// False for a code that cannot be read: an unclosed quote or bracket, an
/// unknown bracket, more than four sections.
bool readFormatCode(std::string_view code, std::vector<FormatSection>& sections);

/// Formats a non-negative serial date number with a date/time section; false
/// when the value is no date (above 9999-12-31).
bool formatDateSection(const FormatSection& section, double serial, std::string& out);

} // namespace vtx::sheet
