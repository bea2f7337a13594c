#include "platform/core/TextEscapes.h"

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::size_t decodeEscape(std::string_view text, std::size_t pos, unsigned set, std::string& out) {
    if (pos >= text.size())
        return 0;
    switch (text[pos]) {
    case '\\':
        out += '\\';
        return 1;
    case 'n':
        out += '\n';
        return 1;
    case 't':
        out += '\t';
        return 1;
    case 'r':
        if (!(set & kEscapeReturn))
            return 0;
        out += '\r';
        return 1;
    case '"':
        if (!(set & kEscapeQuote))
            return 0;
        out += '"';
        return 1;
    case 'x': {
        if (!(set & kEscapeHex) || pos + 2 >= text.size())
            return 0;
        const int high = hexDigit(text[pos + 1]);
        const int low = hexDigit(text[pos + 2]);
        if (high < 0 || low < 0)
            return 0;
        out += static_cast<char>(high * 16 + low);
        return 3;
    }
    default:
        return 0;
    }
}

bool unescapeText(std::string_view text, unsigned set, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        const std::size_t used = decodeEscape(text, i + 1, set, out);
        if (used == 0)
            return false;
        i += used;
    }
    return true;
}
