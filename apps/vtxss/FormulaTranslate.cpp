// Formulas of other spreadsheet programs in the grid's formula language: one
// pass over the text that copies what the language shares and rewrites or
// refuses the rest.

#include "FormulaTranslate.h"

#include "FormulaNames.h"
#include "Sheet.h"

#include <cctype>
#include <vector>

namespace cli {

namespace {

constexpr int kMaxColumn = 16384;
constexpr int kMaxRow = 1048576;

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// One side of a reference: a cell (both parts), a whole column (col only)
// or a whole row (row only).
struct RefPart {
    int col = 0;
    int row = 0;
    bool colAbsolute = false;
    bool rowAbsolute = false;
};

// "$B$3", "B3", "$B", "12" (what parts are allowed is the caller's check).
bool readRefPart(std::string_view text, RefPart& part) {
    std::size_t i = 0;
    part = {};
    if (i < text.size() && text[i] == '$' && i + 1 < text.size() && isLetter(text[i + 1])) {
        part.colAbsolute = true;
        ++i;
    }
    std::size_t letters = 0;
    for (; i < text.size() && isLetter(text[i]) && letters < 4; ++i, ++letters)
        part.col = part.col * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
    if (letters > 3 || part.col > kMaxColumn)
        return false;
    if (i < text.size() && text[i] == '$') {
        part.rowAbsolute = true;
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]) && digits < 8; ++i, ++digits)
        part.row = part.row * 10 + (text[i] - '0');
    if (i != text.size() || digits > 7 || part.row > kMaxRow || (digits > 0 && part.row == 0))
        return false;
    if (digits == 0 && part.rowAbsolute)
        return false;
    return letters > 0 || digits > 0;
}

bool isCell(const RefPart& part) {
    return part.col > 0 && part.row > 0;
}

class Translator {
public:
    Translator(std::string_view text, const TranslateContext& context, std::string& out)
        : m_text(text), m_context(context), m_out(out) {}

    bool run(std::string& reason);

private:
    bool fail(std::string reason) {
        m_reason = std::move(reason);
        return false;
    }
    char at(std::size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }
    std::size_t skipBlanks(std::size_t i) const {
        while (i < m_text.size() && (m_text[i] == ' ' || m_text[i] == '\n' || m_text[i] == '\r'))
            ++i;
        return i;
    }
    bool writePart(RefPart part, const std::string& written);
    bool text();
    bool errorLiteral();
    bool band();
    bool number();
    bool word();
    bool sheetPrefix(const std::string& sheet, const std::string& written);
    bool quotedSheet();
    bool bracket();
    bool openFormulaRef(std::string_view inside);
    bool separator(char c);
    bool blanks();

    std::string_view m_text;
    const TranslateContext& m_context;
    std::string& m_out;
    std::size_t m_pos = 0;
    std::vector<bool> m_calls; ///< per open parenthesis: a function call's
    bool m_afterOperand = false;
    std::string m_reason;
};

bool Translator::writePart(RefPart part, const std::string& written) {
    const bool hasCol = part.col > 0;
    const bool hasRow = part.row > 0;
    if (hasCol && !part.colAbsolute)
        part.col += m_context.colShift;
    if (hasRow && !part.rowAbsolute)
        part.row += m_context.rowShift;
    if ((hasCol && (part.col < 1 || part.col > kMaxColumn)) ||
        (hasRow && (part.row < 1 || part.row > kMaxRow)))
        return fail("the reference " + written + " moves out of the grid in this cell");
    if (hasCol)
        m_out += (part.colAbsolute ? "$" : "") + columnName(part.col);
    if (hasRow)
        m_out += (part.rowAbsolute ? "$" : "") + std::to_string(part.row);
    return true;
}

bool Translator::text() {
    const std::size_t start = m_pos++;
    for (; m_pos < m_text.size(); ++m_pos) {
        if (m_text[m_pos] != '"')
            continue;
        if (at(m_pos + 1) == '"') {
            ++m_pos;
            continue;
        }
        ++m_pos;
        m_out.append(m_text.substr(start, m_pos - start));
        return true;
    }
    return fail("a text in quotes is not closed");
}

bool Translator::errorLiteral() {
    std::size_t end = m_pos + 1;
    while (end < m_text.size() && (isLetter(m_text[end]) || isDigit(m_text[end]) ||
                                   m_text[end] == '/' || m_text[end] == '_'))
        ++end;
    if (at(end) == '!' || at(end) == '?')
        ++end;
    std::string literal(m_text.substr(m_pos, end - m_pos));
    for (char& c : literal)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!isErrorLiteral(literal))
        return fail("the error value " + literal + " is not in the formula language");
    m_out += literal;
    m_pos = end;
    return true;
}

// A whole-column or whole-row range of the A1 syntax: "A:C", "$B:$B", "3:5".
bool Translator::band() {
    std::size_t colon = m_pos;
    while (colon < m_text.size() && m_text[colon] != ':' && isWordChar(m_text[colon]))
        ++colon;
    if (at(colon) != ':')
        return false;
    std::size_t end = colon + 1;
    while (end < m_text.size() && isWordChar(m_text[end]))
        ++end;
    RefPart first;
    RefPart last;
    if (!readRefPart(m_text.substr(m_pos, colon - m_pos), first) ||
        !readRefPart(m_text.substr(colon + 1, end - colon - 1), last) || isCell(first) ||
        isCell(last) || (first.col > 0) != (last.col > 0) || at(end) == '(')
        return false;
    const std::string written(m_text.substr(m_pos, end - m_pos));
    if (!writePart(first, written))
        return true;
    m_out += ':';
    writePart(last, written);
    m_pos = end;
    m_afterOperand = true;
    return true;
}

bool Translator::number() {
    const std::size_t start = m_pos;
    while (isDigit(at(m_pos)) || at(m_pos) == '.')
        ++m_pos;
    if ((at(m_pos) == 'e' || at(m_pos) == 'E') &&
        (isDigit(at(m_pos + 1)) ||
         ((at(m_pos + 1) == '+' || at(m_pos + 1) == '-') && isDigit(at(m_pos + 2))))) {
        m_pos += 2;
        while (isDigit(at(m_pos)))
            ++m_pos;
    }
    m_out.append(m_text.substr(start, m_pos - start));
    m_afterOperand = true;
    return true;
}

bool Translator::sheetPrefix(const std::string& sheet, const std::string& written) {
    if (!sheet.empty() && sheet.front() == '[')
        return fail("the reference " + written + " is to another workbook");
    std::string a = sheet;
    std::string b = m_context.sheetName;
    for (std::string* s : {&a, &b})
        for (char& c : *s)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (a != b || a.empty())
        return fail("the reference " + written + " is to another sheet");
    return true;
}

// 'My sheet'!A1: a sheet name in quotes (quotes inside doubled).
bool Translator::quotedSheet() {
    std::string sheet;
    std::size_t i = m_pos + 1;
    for (; i < m_text.size(); ++i) {
        if (m_text[i] == '\'' && at(i + 1) == '\'') {
            sheet += '\'';
            ++i;
        } else if (m_text[i] == '\'') {
            break;
        } else {
            sheet += m_text[i];
        }
    }
    if (at(i) != '\'' || at(i + 1) != '!')
        return fail("a name in single quotes is not a sheet name followed by \"!\"");
    std::size_t end = i + 2;
    while (end < m_text.size() && (isWordChar(m_text[end]) || m_text[end] == ':'))
        ++end;
    if (!sheetPrefix(sheet, std::string(m_text.substr(m_pos, end - m_pos))))
        return false;
    m_pos = i + 2;
    return true;
}

bool Translator::word() {
    std::size_t end = m_pos;
    while (end < m_text.size() && isWordChar(m_text[end]))
        ++end;
    const std::string name(m_text.substr(m_pos, end - m_pos));
    if (at(end) == '!' && m_context.syntax == FormulaSyntax::A1) {
        std::size_t refEnd = end + 1;
        while (refEnd < m_text.size() && (isWordChar(m_text[refEnd]) || m_text[refEnd] == ':'))
            ++refEnd;
        if (!sheetPrefix(name, std::string(m_text.substr(m_pos, refEnd - m_pos))))
            return false;
        m_pos = end + 1;
        return true;
    }
    if (at(end) == '[')
        return fail("the table reference " + name + "[...] is not in the formula language");
    const std::size_t next = skipBlanks(end);
    if (at(next) == '(') {
        std::string function;
        if (!engineFunction(name, m_context.syntax, function, m_reason))
            return false;
        m_out += function;
        m_out += '(';
        m_calls.push_back(true);
        m_pos = next + 1;
        m_afterOperand = false;
        return true;
    }
    RefPart part;
    if (readRefPart(name, part) && isCell(part)) {
        if (!writePart(part, name))
            return false;
    } else if (isBooleanName(name)) {
        for (char c : name)
            m_out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    } else {
        return fail("the name " + name + " is neither a cell nor a function (named ranges are " +
                    "not imported)");
    }
    m_pos = end;
    m_afterOperand = true;
    return true;
}

// [.A1], [.$A$1:.B2], [Sheet1.A1], [$'My sheet'.A1], ['file:///b.ods'#$S.A1].
bool Translator::openFormulaRef(std::string_view inside) {
    const std::string written = "[" + std::string(inside) + "]";
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < inside.size(); ++i) {
        if (inside[i] == '\'')
            quoted = !quoted;
        else if (!quoted && inside[i] == '#' && (i == 0 || inside[i - 1] == '\''))
            return fail("the reference " + written + " is to another workbook");
        else if (!quoted && inside[i] == ':') {
            parts.push_back(inside.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(inside.substr(start));
    if (parts.size() > 2)
        return fail("the reference " + written + " is not understood");
    for (std::size_t p = 0; p < parts.size(); ++p) {
        std::string_view part = parts[p];
        if (!part.empty() && part.front() == '$')
            part.remove_prefix(1);
        std::string sheet;
        std::size_t dot = 0;
        if (!part.empty() && part.front() == '\'') {
            std::size_t i = 1;
            for (; i < part.size(); ++i) {
                if (part[i] == '\'' && i + 1 < part.size() && part[i + 1] == '\'')
                    sheet += part[i++];
                else if (part[i] == '\'')
                    break;
                else
                    sheet += part[i];
            }
            dot = i + 1;
        } else {
            dot = part.find('.');
            if (dot == std::string_view::npos)
                return fail("the reference " + written + " is not understood");
            sheet = std::string(part.substr(0, dot));
        }
        if (dot >= part.size() || part[dot] != '.')
            return fail("the reference " + written + " is not understood");
        if (!sheet.empty() && !sheetPrefix(sheet, written))
            return false;
        const std::string_view cell = part.substr(dot + 1);
        if (cell.find("#REF!") != std::string_view::npos) {
            m_out += "#REF!";
            return true;
        }
        RefPart ref;
        if (!readRefPart(cell, ref) || (parts.size() == 1 && !isCell(ref)))
            return fail("the reference " + written + " is not understood");
        if (p > 0)
            m_out += ':';
        if (!writePart(ref, written))
            return false;
    }
    return true;
}

bool Translator::bracket() {
    if (m_context.syntax == FormulaSyntax::A1) {
        if (isDigit(at(m_pos + 1)))
            return fail("a reference to another workbook is not in the formula language");
        return fail("a table reference ([...]) is not in the formula language");
    }
    bool quoted = false;
    std::size_t end = m_pos + 1;
    for (; end < m_text.size() && (quoted || m_text[end] != ']'); ++end)
        if (m_text[end] == '\'')
            quoted = !quoted;
    if (end >= m_text.size())
        return fail("a reference in [ ] is not closed");
    if (!openFormulaRef(m_text.substr(m_pos + 1, end - m_pos - 1)))
        return false;
    m_pos = end + 1;
    m_afterOperand = true;
    return true;
}

bool Translator::separator(char c) {
    if (m_calls.empty() || !m_calls.back()) {
        if (c == ';')
            return fail("a \";\" outside a function's arguments is not understood");
        return fail("the union operator (a \",\" between references) is not in the formula "
                    "language");
    }
    m_out += ',';
    ++m_pos;
    m_afterOperand = false;
    return true;
}

// Blanks are kept, but in the A1 syntax a blank between two operands is the
// intersection operator.
bool Translator::blanks() {
    const std::size_t end = skipBlanks(m_pos);
    const char next = at(end);
    if (m_afterOperand && m_context.syntax == FormulaSyntax::A1 &&
        (isWordChar(next) || next == '(' || next == '\''))
        return fail("the intersection operator (a blank between references) is not in the "
                    "formula language");
    m_out.append(m_text.substr(m_pos, end - m_pos));
    m_pos = end;
    return true;
}

bool Translator::run(std::string& reason) {
    if (m_text.substr(0, 3) == "of:")
        m_text.remove_prefix(3);
    if (!m_text.empty() && m_text.front() == '=')
        m_text.remove_prefix(1);
    const bool openFormula = m_context.syntax == FormulaSyntax::OpenFormula;
    bool ok = true;
    while (ok && m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == ' ' || c == '\n' || c == '\r') {
            ok = blanks();
        } else if (c == '"') {
            ok = text();
            m_afterOperand = true;
        } else if (c == '#') {
            ok = errorLiteral();
            m_afterOperand = true;
        } else if (c == '{') {
            ok = fail("array constants ({...}) are not in the formula language");
        } else if (c == '[') {
            ok = bracket();
        } else if (c == '\'' && !openFormula) {
            ok = quotedSheet();
        } else if ((isWordChar(c) && c != '.') || (c == '.' && isDigit(at(m_pos + 1)))) {
            if (!openFormula && band())
                ok = m_reason.empty();
            else if (isDigit(c) || c == '.')
                ok = number();
            else
                ok = word();
        } else if (c == '@' && !openFormula) {
            ++m_pos; // implicit intersection: what the grid does with a range anyway
        } else if (c == ',' || (c == ';' && openFormula)) {
            ok = separator(c);
        } else if (c == '(') {
            m_calls.push_back(false);
            m_out += c;
            ++m_pos;
            m_afterOperand = false;
        } else if (c == ')') {
            if (m_calls.empty())
                ok = fail("a \")\" without its \"(\"");
            else
                m_calls.pop_back();
            m_out += c;
            ++m_pos;
            m_afterOperand = true;
        } else if (openFormula && (c == '~' || c == '!')) {
            ok = fail(std::string(c == '~' ? "the union" : "the intersection") +
                      " operator is not in the formula language");
        } else if (std::string_view("+-*/^&=<>%:").find(c) != std::string_view::npos) {
            m_out += c;
            ++m_pos;
            m_afterOperand = c == '%';
        } else {
            ok = fail(std::string("the character \"") + c + "\" is not understood");
        }
    }
    if (ok && !m_calls.empty())
        ok = fail("a \"(\" is not closed");
    if (!ok)
        reason = m_reason;
    return ok;
}

} // namespace

bool readCellAddress(std::string_view text, int& col, int& row) {
    RefPart part;
    if (!readRefPart(text, part) || !isCell(part))
        return false;
    col = part.col;
    row = part.row;
    return true;
}

bool translateFormula(std::string_view formula, const TranslateContext& context, std::string& out,
                      std::string& reason) {
    out.clear();
    reason.clear();
    Translator translator(formula, context, out);
    return translator.run(reason);
}

} // namespace cli
