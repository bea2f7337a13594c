#pragma once

/// Splits a formula text into tokens. References are read in the style asked
/// for and kept relative to the formula's cell.

#include "platform/sheet/FormulaError.h"
#include "platform/sheet/formula/FormulaCode.h"

#include <string>
#include <string_view>

namespace vtx::sheet {

enum class TokenType : std::uint8_t {
    End,
    Number,
    Text,
    Boolean,
    ErrorLiteral,
    Ref,
    Range,
    Name,     ///< an identifier; `call` tells whether "(" follows
    Operator, ///< `op` holds the operator
    Percent,
    LeftParen,
    RightParen,
    Comma,
};

struct Token {
    TokenType type = TokenType::End;
    Op op = Op::Add;
    bool call = false;
    int position = 0;
    double number = 0;
    std::string_view text; ///< Name, Text, Number (as written): into the formula or `owned`
    std::string owned;     ///< a Text with "" escapes, unescaped
    RangeRef range;        ///< Ref: range.first
};

class Lexer {
public:
    Lexer(std::string_view text, CellPos at, RefStyle style)
        : m_text(text), m_at(at), m_style(style) {}
    /// The next token; false with the error when the text cannot be read.
    bool next(Token& token, ParseError& error);

private:
    bool readA1(std::size_t& i, CellRef& ref) const;
    bool readR1C1(std::size_t& i, CellRef& ref) const;
    /// "R" or "C" with its number: absolute n, [offset], or nothing (offset 0).
    bool readR1C1Part(std::size_t& p, char letter, int& value, bool& absolute) const;
    bool readRef(std::size_t& i, CellRef& ref) const;
    /// One side of a whole-column or whole-row range: A1 "$C" / "12",
    /// R1C1 "C3" / "C[-1]" / "C" / "R2".
    bool readBand(std::size_t& i, bool columns, CellRef& ref) const;
    /// "A:C", "$2:$5" (A1 style) or "C2:C4", "R[-1]", "C" (R1C1 style).
    bool readBandRange(std::size_t& i, RangeRef& range) const;
    bool endsName(std::size_t i) const;
    bool isIdentChar(std::size_t i) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    CellPos m_at;
    RefStyle m_style;
};

} // namespace vtx::sheet
