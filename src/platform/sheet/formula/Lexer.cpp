#include "platform/sheet/formula/Lexer.h"

#include "platform/sheet/Value.h"

#include <charconv>

namespace vtx::sheet {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

} // namespace

bool Lexer::isIdentChar(std::size_t i) const {
    if (i >= m_text.size())
        return false;
    char c = m_text[i];
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool Lexer::readA1(std::size_t& i, CellRef& ref) const {
    std::size_t p = i;
    bool colAbs = false;
    bool rowAbs = false;
    if (p < m_text.size() && m_text[p] == '$') {
        colAbs = true;
        ++p;
    }
    int col = 0;
    int letters = 0;
    while (p < m_text.size() && isLetter(m_text[p]) && letters < 4) {
        col = col * 26 + (upper(m_text[p]) - 'A' + 1);
        ++p;
        ++letters;
    }
    if (letters == 0 || letters > 3)
        return false;
    if (p < m_text.size() && m_text[p] == '$') {
        rowAbs = true;
        ++p;
    }
    long row = 0;
    int digits = 0;
    while (p < m_text.size() && isDigit(m_text[p]) && digits < 8) {
        row = row * 10 + (m_text[p] - '0');
        ++p;
        ++digits;
    }
    if (digits == 0 || isIdentChar(p) || (p < m_text.size() && m_text[p] == '('))
        return false;
    if (col > kMaxCols || row < 1 || row > kMaxRows)
        return false;
    ref.colAbs = colAbs;
    ref.rowAbs = rowAbs;
    ref.col = colAbs ? col : col - m_at.col;
    ref.row = rowAbs ? static_cast<int>(row) : static_cast<int>(row) - m_at.row;
    i = p;
    return true;
}

bool Lexer::readR1C1Part(std::size_t& p, char letter, int& value, bool& absolute) const {
    // The letter, then an absolute number, an [offset] or nothing (offset 0).
    if (p >= m_text.size() || upper(m_text[p]) != letter)
        return false;
    ++p;
    absolute = false;
    value = 0;
    if (p < m_text.size() && m_text[p] == '[') {
        std::size_t close = m_text.find(']', p);
        if (close == std::string_view::npos)
            return false;
        std::string_view inner = m_text.substr(p + 1, close - p - 1);
        if (!inner.empty() && inner[0] == '+')
            inner.remove_prefix(1);
        auto r = std::from_chars(inner.data(), inner.data() + inner.size(), value);
        if (r.ec != std::errc() || r.ptr != inner.data() + inner.size())
            return false;
        p = close + 1;
    } else if (p < m_text.size() && isDigit(m_text[p])) {
        long v = 0;
        for (int digits = 0; p < m_text.size() && isDigit(m_text[p]) && digits < 8; ++digits)
            v = v * 10 + (m_text[p++] - '0');
        value = static_cast<int>(v);
        absolute = true;
    }
    return true;
}

bool Lexer::readR1C1(std::size_t& i, CellRef& ref) const {
    std::size_t p = i;
    auto part = [&](char letter, int& value, bool& absolute) {
        return readR1C1Part(p, letter, value, absolute);
    };
    int row = 0;
    int col = 0;
    bool rowAbs = false;
    bool colAbs = false;
    if (!part('R', row, rowAbs) || !part('C', col, colAbs))
        return false;
    if (isIdentChar(p) || (p < m_text.size() && m_text[p] == '('))
        return false;
    if ((rowAbs && (row < 1 || row > kMaxRows)) || (colAbs && (col < 1 || col > kMaxCols)))
        return false;
    // An offset that reaches beyond the grid from every cell is no
    // reference (and would overflow when added to a position).
    if ((!rowAbs && (row < -kMaxRows || row > kMaxRows)) ||
        (!colAbs && (col < -kMaxCols || col > kMaxCols)))
        return false;
    ref = {col, row, colAbs, rowAbs};
    i = p;
    return true;
}

bool Lexer::endsName(std::size_t i) const {
    return !isIdentChar(i) && !(i < m_text.size() && m_text[i] == '(');
}

bool Lexer::readBand(std::size_t& i, bool columns, CellRef& ref) const {
    std::size_t p = i;
    int value = 0;
    bool absolute = false;
    if (m_style == RefStyle::R1C1) {
        if (!readR1C1Part(p, columns ? 'C' : 'R', value, absolute))
            return false;
    } else {
        if (p < m_text.size() && m_text[p] == '$') {
            absolute = true;
            ++p;
        }
        long v = 0;
        int count = 0;
        while (p < m_text.size() && count < 8 &&
               (columns ? isLetter(m_text[p]) : isDigit(m_text[p]))) {
            v = columns ? v * 26 + (upper(m_text[p]) - 'A' + 1) : v * 10 + (m_text[p] - '0');
            ++p;
            ++count;
        }
        if (count == 0 || (columns && count > 3))
            return false;
        value = static_cast<int>(v);
        if (!absolute)
            value -= columns ? m_at.col : m_at.row;
    }
    int limit = columns ? kMaxCols : kMaxRows;
    int resolved = absolute ? value : value + (columns ? m_at.col : m_at.row);
    // Relative R1C1 sides may leave the grid (they give #REF!); written
    // columns and rows must lie in it.
    if ((absolute || m_style != RefStyle::R1C1) && (resolved < 1 || resolved > limit))
        return false;
    if (columns)
        ref = {value, 1, absolute, true};
    else
        ref = {1, value, true, absolute};
    i = p;
    return true;
}

bool Lexer::readBandRange(std::size_t& i, RangeRef& range) const {
    for (bool columns : {true, false}) {
        std::size_t p = i;
        CellRef first;
        if (!readBand(p, columns, first))
            continue;
        CellRef last = first;
        std::size_t q = p + 1;
        if (p < m_text.size() && m_text[p] == ':' && readBand(q, columns, last)) {
            p = q;
        } else if (m_style != RefStyle::R1C1) {
            continue; // "A" alone is a name in A1 style, "C" a whole column in R1C1
        }
        // In R1C1 style a band followed by ":" and something else ("R1:C1",
        // "C:(...)") stands alone, as it does before " :"; the ":" is the
        // range operator.
        if (!endsName(p))
            continue;
        if (columns) {
            last.row = kMaxRows;
        } else {
            last.col = kMaxCols;
        }
        range = {first, last, columns ? kWholeColumns : kWholeRows};
        i = p;
        return true;
    }
    return false;
}

bool Lexer::readRef(std::size_t& i, CellRef& ref) const {
    if (m_style != RefStyle::R1C1 && readA1(i, ref))
        return true;
    return m_style != RefStyle::A1 && readR1C1(i, ref);
}

bool Lexer::next(Token& token, ParseError& error) {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                     m_text[m_pos] == '\r' || m_text[m_pos] == '\n'))
        ++m_pos;
    token.call = false;
    token.position = static_cast<int>(m_pos);
    if (m_pos >= m_text.size()) {
        token.type = TokenType::End;
        return true;
    }
    char c = m_text[m_pos];
    auto single = [&](TokenType type) {
        token.type = type;
        ++m_pos;
        return true;
    };
    auto op = [&](Op o, std::size_t len) {
        token.type = TokenType::Operator;
        token.op = o;
        m_pos += len;
        return true;
    };
    switch (c) {
    case '(':
        return single(TokenType::LeftParen);
    case ')':
        return single(TokenType::RightParen);
    case ',':
        return single(TokenType::Comma);
    case '%':
        return single(TokenType::Percent);
    case '+':
        return op(Op::Add, 1);
    case '-':
        return op(Op::Subtract, 1);
    case '*':
        return op(Op::Multiply, 1);
    case '/':
        return op(Op::Divide, 1);
    case '^':
        return op(Op::Power, 1);
    case '&':
        return op(Op::Concat, 1);
    case ':':
        return op(Op::RangeJoin, 1);
    case '=':
        return op(Op::Equal, 1);
    case '<':
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '>')
            return op(Op::NotEqual, 2);
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '=')
            return op(Op::LessEqual, 2);
        return op(Op::Less, 1);
    case '>':
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '=')
            return op(Op::GreaterEqual, 2);
        return op(Op::Greater, 1);
    case '"': {
        std::size_t p = m_pos + 1;
        bool escaped = false;
        while (true) {
            if (p >= m_text.size()) {
                error = {ParseErrorCode::UnterminatedText, static_cast<int>(m_pos)};
                return false;
            }
            if (m_text[p] == '"') {
                if (p + 1 < m_text.size() && m_text[p + 1] == '"') {
                    escaped = true;
                    p += 2;
                    continue;
                }
                break;
            }
            ++p;
        }
        token.type = TokenType::Text;
        token.text = m_text.substr(m_pos + 1, p - m_pos - 1);
        if (escaped) {
            token.owned.clear();
            for (std::size_t i = 0; i < token.text.size(); ++i) {
                token.owned += token.text[i];
                if (token.text[i] == '"')
                    ++i;
            }
            token.text = token.owned;
        }
        m_pos = p + 1;
        return true;
    }
    case '#': {
        for (int e = 1; e <= static_cast<int>(FormulaError::Circular); ++e) {
            std::string_view name = errorText(static_cast<FormulaError>(e));
            if (m_text.size() - m_pos >= name.size() &&
                errorFromText(m_text.substr(m_pos, name.size())) == static_cast<FormulaError>(e)) {
                token.type = TokenType::ErrorLiteral;
                token.number = e;
                m_pos += name.size();
                return true;
            }
        }
        error = {ParseErrorCode::UnexpectedChar, static_cast<int>(m_pos)};
        return false;
    }
    default:
        break;
    }
    if ((isDigit(c) || c == '$') && m_style != RefStyle::R1C1) {
        std::size_t p = m_pos;
        if (readBandRange(p, token.range)) {
            token.type = TokenType::Range;
            m_pos = p;
            return true;
        }
    }
    if (isDigit(c) || (c == '.' && m_pos + 1 < m_text.size() && isDigit(m_text[m_pos + 1]))) {
        std::size_t p = m_pos;
        while (p < m_text.size() && (isDigit(m_text[p]) || m_text[p] == '.'))
            ++p;
        if (p < m_text.size() && (m_text[p] == 'e' || m_text[p] == 'E')) {
            std::size_t q = p + 1;
            if (q < m_text.size() && (m_text[q] == '+' || m_text[q] == '-'))
                ++q;
            if (q < m_text.size() && isDigit(m_text[q])) {
                while (q < m_text.size() && isDigit(m_text[q]))
                    ++q;
                p = q;
            }
        }
        double value = 0;
        if (!parseNumber(m_text.substr(m_pos, p - m_pos), value)) {
            error = {ParseErrorCode::UnexpectedChar, static_cast<int>(m_pos)};
            return false;
        }
        token.type = TokenType::Number;
        token.number = value;
        token.text = m_text.substr(m_pos, p - m_pos);
        m_pos = p;
        return true;
    }
    if (isLetter(c) || c == '$' || c == '_') {
        std::size_t p = m_pos;
        CellRef first;
        if (readRef(p, first)) {
            token.range = RangeRef{first, {}, kWholeNone};
            token.type = TokenType::Ref;
            if (p < m_text.size() && m_text[p] == ':') {
                // "A1:B2" is one token; "A1:INDEX(...)" leaves ":" as the
                // range operator between two references.
                std::size_t q = p + 1;
                CellRef last;
                if (readRef(q, last)) {
                    token.type = TokenType::Range;
                    token.range.last = last;
                    p = q;
                }
            }
            m_pos = p;
            return true;
        }
        if (readBandRange(p, token.range)) {
            token.type = TokenType::Range;
            m_pos = p;
            return true;
        }
        if (c == '$') {
            error = {ParseErrorCode::BadReference, static_cast<int>(m_pos)};
            return false;
        }
        while (p < m_text.size() && isIdentChar(p))
            ++p;
        token.text = m_text.substr(m_pos, p - m_pos);
        std::size_t q = p;
        while (q < m_text.size() && m_text[q] == ' ')
            ++q;
        token.call = q < m_text.size() && m_text[q] == '(';
        m_pos = p;
        auto sameWord = [&](std::string_view word) {
            if (token.text.size() != word.size())
                return false;
            for (std::size_t i = 0; i < word.size(); ++i)
                if (upper(token.text[i]) != word[i])
                    return false;
            return true;
        };
        if (!token.call && (sameWord("TRUE") || sameWord("FALSE"))) {
            token.type = TokenType::Boolean;
            token.number = token.text.size() == 4 ? 1 : 0;
            return true;
        }
        token.type = TokenType::Name;
        return true;
    }
    error = {ParseErrorCode::UnexpectedChar, static_cast<int>(m_pos)};
    return false;
}

} // namespace vtx::sheet
