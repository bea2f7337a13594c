#pragma once

/// The error values of the formula language and the codes of formula-text
/// (parse) errors, with their texts kept in one place (FormulaError.cpp).

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::sheet {

/// An error value. Errors are values: they are stored in cells, passed to
/// functions and propagate through operators.
enum class FormulaError : std::uint8_t {
    None = 0,
    Div0,     ///< "#DIV/0!": division by zero.
    Value,    ///< "#VALUE!": an operand of the wrong kind.
    Ref,      ///< "#REF!": a reference to a cell that no longer exists.
    Name,     ///< "#NAME?": an unknown function name.
    NA,       ///< "#N/A": a value that is not available (failed look-up).
    Num,      ///< "#NUM!": a number out of the domain of a function.
    Null,     ///< "#NULL!": an empty intersection.
    Circular, ///< "#CIRC!": the cell takes part in a circular reference.
};

/// The text of an error value ("#DIV/0!"); "" for None.
std::string_view errorText(FormulaError error);
/// The error value whose text is given (case folded); None when none.
FormulaError errorFromText(std::string_view text);

/// Why a formula text was refused.
enum class ParseErrorCode : std::uint8_t {
    None = 0,
    Empty,            ///< nothing after the "=".
    UnexpectedChar,   ///< a character that starts no token.
    UnterminatedText, ///< a text without its closing double quote.
    UnexpectedToken,  ///< a token where it cannot stand.
    MissingOperand,   ///< an operator without its operand.
    UnbalancedParen,  ///< a parenthesis without its partner.
    BadReference,     ///< a reference outside the grid or of the wrong style.
    TooManyArguments, ///< more than 255 arguments in one call.
    NestingTooDeep,   ///< more than kMaxNesting open parentheses.
    FormulaTooLong,   ///< a text longer than kMaxFormulaLength.
    UnknownFunction,  ///< an argument list after something that is no function name.
    UnknownName,      ///< a name that is neither a reference nor a function call.
};

/// Nesting limit: open parentheses (groups and calls) at one time.
constexpr int kMaxNesting = 65536;
/// The most arguments one call may have.
constexpr int kMaxArguments = 255;
/// Longest formula text accepted, in bytes.
constexpr int kMaxFormulaLength = 1 << 20;

/// A refused formula text: the code and the 0-based byte offset in the text.
struct ParseError {
    ParseErrorCode code = ParseErrorCode::None;
    int position = 0;
    bool ok() const { return code == ParseErrorCode::None; }
    /// "unbalanced parenthesis at 7".
    std::string message() const;
};

/// A short English text of a parse error code.
std::string_view parseErrorText(ParseErrorCode code);

} // namespace vtx::sheet
