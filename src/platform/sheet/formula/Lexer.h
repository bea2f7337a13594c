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
    bool readRef(std::size_t& i, CellRef& ref) const;
    bool isIdentChar(std::size_t i) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    CellPos m_at;
    RefStyle m_style;
};

} // namespace vtx::sheet
