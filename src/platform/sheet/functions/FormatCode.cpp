#include "platform/sheet/functions/FormatCode.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/Value.h"
#include "platform/sheet/formula/Interpreter.h"

namespace vtx::sheet {

namespace {

using Kind = FormatTokenKind;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareTextNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool isColorName(std::string_view name) {
    static const char* const colors[] = {"Black",   "Blue", "Cyan",  "Green",
                                         "Magenta", "Red",  "White", "Yellow"};
    for (const char* c : colors)
        if (compareTextNoCase(name, c) == 0)
            return true;
    if (!startsWithNoCase(name, "Color") || name.size() == 5)
        return false;
    return name.substr(5).find_first_not_of("0123456789") == std::string_view::npos;
}

// "[...]": a condition, an elapsed time, a currency, a colour (ignored).
bool readBracket(std::string_view inner, FormatSection& section) {
    if (inner.empty())
        return false;
    char first = inner[0];
    if (first == '<' || first == '>' || first == '=') {
        static const struct {
            const char* op;
            FormatCompare compare;
        } ops[] = {{"<=", FormatCompare::LessEqual}, {">=", FormatCompare::GreaterEqual},
                   {"<>", FormatCompare::NotEqual},  {"<", FormatCompare::Less},
                   {">", FormatCompare::Greater},    {"=", FormatCompare::Equal}};
        for (const auto& op : ops) {
            std::string_view name(op.op);
            if (inner.substr(0, name.size()) != name)
                continue;
            section.compare = op.compare;
            return parseNumber(inner.substr(name.size()), section.limit);
        }
        return false;
    }
    char letter = vtxToLower(first);
    if ((letter == 'h' || letter == 'm' || letter == 's') &&
        inner.find_first_not_of(std::string{first, vtxToUpper(first), letter}) ==
            std::string_view::npos) {
        section.tokens.push_back({Kind::Elapsed, letter, static_cast<int>(inner.size()),
                                  "[" + std::string(inner) + "]"});
        section.isDate = true;
        return true;
    }
    if (first == '$') {
        // [$symbol-locale]: the symbol is shown, the locale is ignored.
        std::string_view symbol = inner.substr(1, inner.find('-') - 1);
        section.tokens.push_back({Kind::Literal, 0, 0, std::string(symbol)});
        return true;
    }
    return isColorName(inner);
}

// Codes of one character: digit placeholders, ".", ",", "%", "/", "@".
bool isSingleCharCode(char c, Kind& kind) {
    switch (c) {
    case '0':
    case '#':
    case '?':
        kind = Kind::Digit;
        return true;
    case '.':
        kind = Kind::Point;
        return true;
    case ',':
        kind = Kind::Comma;
        return true;
    case '%':
        kind = Kind::Percent;
        return true;
    case '/':
        kind = Kind::Slash;
        return true;
    case '@':
        kind = Kind::At;
        return true;
    default:
        return false;
    }
}

} // namespace

bool FormatSection::accepts(double x) const {
    switch (compare) {
    case FormatCompare::Less:
        return x < limit;
    case FormatCompare::LessEqual:
        return x <= limit;
    case FormatCompare::Greater:
        return x > limit;
    case FormatCompare::GreaterEqual:
        return x >= limit;
    case FormatCompare::Equal:
        return x == limit;
    case FormatCompare::NotEqual:
        return x != limit;
    case FormatCompare::None:
        break;
    }
    return true;
}

bool readFormatCode(std::string_view code, std::vector<FormatSection>& sections) {
    sections.assign(1, FormatSection());
    for (std::size_t i = 0; i < code.size(); ++i) {
        FormatSection& section = sections.back();
        auto& tokens = section.tokens;
        char c = code[i];
        char lower = vtxToLower(c);
        std::string_view rest = code.substr(i);
        switch (c) {
        case ';':
            if (sections.size() == 4)
                return false;
            sections.emplace_back();
            continue;
        case '"': {
            std::size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos)
                return false;
            tokens.push_back({Kind::Literal, 0, 0, std::string(code.substr(i + 1, close - i - 1))});
            i = close;
            continue;
        }
        case '\\':
            if (i + 1 < code.size())
                tokens.push_back({Kind::Literal, 0, 0, std::string(1, code[++i])});
            continue;
        case '_': // room for the next character: a blank in a text result
            tokens.push_back({Kind::Literal, 0, 0, " "});
            i += i + 1 < code.size();
            continue;
        case '*': // fill with the next character: nothing in a text result
            i += i + 1 < code.size();
            continue;
        case '[': {
            std::size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos ||
                !readBracket(code.substr(i + 1, close - i - 1), section))
                return false;
            i = close;
            continue;
        }
        default:
            break;
        }
        Kind single = Kind::Literal;
        if (isSingleCharCode(c, single)) {
            tokens.push_back({single, c, 1, std::string(1, c)});
            section.hasAt = section.hasAt || single == Kind::At;
            continue;
        }
        if (lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
            tokens.push_back({Kind::Exponent, c, 2, std::string(code.substr(i, 2))});
            ++i;
        } else if (startsWithNoCase(rest, "General")) {
            tokens.push_back({Kind::General, 0, 0, std::string(rest.substr(0, 7))});
            i += 6;
        } else if (startsWithNoCase(rest, "AM/PM") || startsWithNoCase(rest, "A/P")) {
            std::size_t n = startsWithNoCase(rest, "AM/PM") ? 5 : 3;
            tokens.push_back({Kind::AmPm, 0, 0, std::string(rest.substr(0, n))});
            section.isDate = true;
            i += n - 1;
        } else if (lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 's') {
            std::size_t n = 1;
            while (i + n < code.size() && vtxToLower(code[i + n]) == lower)
                ++n;
            tokens.push_back(
                {Kind::DatePart, lower, static_cast<int>(n), std::string(rest.substr(0, n))});
            section.isDate = true;
            i += n - 1;
        } else {
            tokens.push_back({Kind::Literal, 0, 0, std::string(1, c)});
        }
    }
    return true;
}

} // namespace vtx::sheet
