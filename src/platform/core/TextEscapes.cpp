#include "platform/core/TextEscapes.h"

#include "platform/core/VtxString.h"

#include <algorithm>

namespace {

bool isUndefinedHigh(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

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

void appendEscaped(std::string& out, std::string_view text, unsigned set,
                   std::string_view hexAlso) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::size_t plainStart = 0;
    // Runs without escapes are appended whole; most texts are one such run.
    auto flush = [&](std::size_t end) {
        if (end <= plainStart)
            return;
        const std::string_view plain = text.substr(plainStart, end - plainStart);
        if ((set & kEscapeUtf8) && std::any_of(plain.begin(), plain.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0x80;
            }))
            out += toUtf8(plain);
        else
            out += plain;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto b = static_cast<unsigned char>(c);
        const char* escape = nullptr;
        switch (c) {
        case '\\':
            escape = "\\\\";
            break;
        case '\n':
            escape = "\\n";
            break;
        case '\t':
            escape = "\\t";
            break;
        case '\r':
            escape = (set & kEscapeReturn) ? "\\r" : nullptr;
            break;
        case '"':
            escape = (set & kEscapeQuote) ? "\\\"" : nullptr;
            break;
        default:
            break;
        }
        const bool hex = !escape && (set & kEscapeHex) &&
                         (b < 0x20 || b == 0x7F || ((set & kEscapeUtf8) && isUndefinedHigh(b)) ||
                          hexAlso.find(c) != std::string_view::npos);
        if (!escape && !hex)
            continue;
        flush(i);
        plainStart = i + 1;
        if (escape) {
            out += escape;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    flush(text.size());
}
