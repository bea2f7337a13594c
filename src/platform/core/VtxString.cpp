#include "platform/core/VtxString.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

unsigned char byte(char c) {
    return static_cast<unsigned char>(c);
}

// Rounds a plain decimal text ("123.4567", no sign) half away from zero to
// `decimals` digits after the point and drops needless zeros.
std::string roundDecimalText(const std::string& digits, int decimals) {
    std::string intPart = digits;
    std::string fracPart;
    if (auto dot = digits.find('.'); dot != std::string::npos) {
        intPart = digits.substr(0, dot);
        fracPart = digits.substr(dot + 1);
    }
    if (intPart.empty())
        intPart.assign(1, '0');
    bool roundUp = false;
    if (static_cast<int>(fracPart.size()) > decimals) {
        roundUp = fracPart[static_cast<std::size_t>(decimals)] >= '5';
        fracPart.resize(static_cast<std::size_t>(decimals));
    }
    std::string all = intPart + fracPart;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<std::size_t>(i)] == '9') {
                all[static_cast<std::size_t>(i)] = '0';
            } else {
                ++all[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    std::size_t intLen = all.size() - fracPart.size();
    std::string whole = all.substr(0, intLen);
    std::string frac = all.substr(intLen);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    std::size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    return frac.empty() ? whole : whole + "." + frac;
}

// The 32 characters that Windows-1252 puts at 0x80..0x9F; 0 marks the five
// undefined bytes, which map to the control character of the same number.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        char16_t u = kHighTable[b - 0x80u];
        return u ? u : b;
    }
    return b;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool byteOfCodePoint(char32_t cp, char& out) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out = static_cast<char>(cp);
        return true;
    }
    for (unsigned i = 0; i < kHighTable.size(); ++i) {
        char32_t mapped = codePointOf(static_cast<unsigned char>(0x80 + i));
        if (mapped == cp) {
            out = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

} // namespace

namespace {

// Windows-1252 letter case as two 256-byte tables: ASCII letters, the
// accented Latin letters 0xC0..0xFE (but 0xD7 and 0xF7) and the four pairs
// Š/š, Œ/œ, Ž/ž, Ÿ/ÿ.
struct CaseTables {
    unsigned char upper[256];
    unsigned char lower[256];
    constexpr CaseTables() : upper(), lower() {
        for (int b = 0; b < 256; ++b) {
            upper[b] = static_cast<unsigned char>(b);
            lower[b] = static_cast<unsigned char>(b);
        }
        for (int b = 'a'; b <= 'z'; ++b) {
            upper[b] = static_cast<unsigned char>(b - 32);
            lower[b - 32] = static_cast<unsigned char>(b);
        }
        for (int b = 0xE0; b <= 0xFE; ++b) {
            if (b == 0xF7)
                continue;
            upper[b] = static_cast<unsigned char>(b - 32);
            lower[b - 32] = static_cast<unsigned char>(b);
        }
        const int pairs[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
        for (const auto& pair : pairs) {
            upper[pair[1]] = static_cast<unsigned char>(pair[0]);
            lower[pair[0]] = static_cast<unsigned char>(pair[1]);
        }
    }
};

constexpr CaseTables kCase;

inline unsigned char fold(char c) {
    return kCase.lower[static_cast<unsigned char>(c)];
}

} // namespace

char vtxToUpper(char c) {
    return static_cast<char>(kCase.upper[static_cast<unsigned char>(c)]);
}

char vtxToLower(char c) {
    return static_cast<char>(kCase.lower[static_cast<unsigned char>(c)]);
}

Vtx_String::Vtx_String(double value, int precision, bool shortest) {
    if (std::isnan(value)) {
        m_text = "nan";
        return;
    }
    if (std::isinf(value)) {
        m_text = value < 0 ? "-inf" : "inf";
        return;
    }
    char buffer[512];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    if (ec != std::errc()) {
        m_text.assign(1, '0');
        return;
    }
    std::string digits(buffer, end);
    if (shortest) {
        m_text = digits;
        if (m_text.find('.') == std::string::npos)
            m_text = roundDecimalText(digits, 0);
    } else {
        if (precision < 0)
            precision = 0;
        if (precision > 15)
            precision = 15;
        m_text = roundDecimalText(digits, precision);
    }
    if (value < 0 && m_text != "0")
        m_text.insert(m_text.begin(), '-');
}

Vtx_String Vtx_String::fromInt(long long value) {
    return Vtx_String(std::to_string(value));
}

char Vtx_String::at(int index) const {
    return index >= 0 && index < length() ? m_text[static_cast<std::size_t>(index)] : '\0';
}

Vtx_String& Vtx_String::append(const Vtx_String& text) {
    m_text += text.m_text;
    return *this;
}

Vtx_String& Vtx_String::append(char c) {
    m_text += c;
    return *this;
}

bool Vtx_String::insertAt(int index, const Vtx_String& text) {
    if (index < 0 || index > length())
        return false;
    m_text.insert(static_cast<std::size_t>(index), text.m_text);
    return true;
}

bool Vtx_String::removeAt(int index, int count) {
    if (index < 0 || index >= length() || count < 0)
        return false;
    m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return true;
}

int Vtx_String::compare(const Vtx_String& other, bool caseSensitive) const {
    std::size_t n = std::min(m_text.size(), other.m_text.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char a = caseSensitive ? byte(m_text[i]) : fold(m_text[i]);
        unsigned char b = caseSensitive ? byte(other.m_text[i]) : fold(other.m_text[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (m_text.size() == other.m_text.size())
        return 0;
    return m_text.size() < other.m_text.size() ? -1 : 1;
}

bool Vtx_String::equal(const Vtx_String& other, bool caseSensitive) const {
    return m_text.size() == other.m_text.size() && compare(other, caseSensitive) == 0;
}

bool Vtx_String::startsWith(const Vtx_String& prefix, bool caseSensitive) const {
    if (prefix.length() > length())
        return false;
    return left(prefix.length()).equal(prefix, caseSensitive);
}

bool Vtx_String::endsWith(const Vtx_String& suffix, bool caseSensitive) const {
    if (suffix.length() > length())
        return false;
    return right(suffix.length()).equal(suffix, caseSensitive);
}

bool Vtx_String::hasSubString(const Vtx_String& part, bool caseSensitive) const {
    return find(part, 0, caseSensitive) >= 0;
}

int Vtx_String::find(const Vtx_String& part, int from, bool caseSensitive) const {
    if (from < 0)
        from = 0;
    if (from > length())
        return -1;
    if (caseSensitive) {
        auto pos = m_text.find(part.m_text, static_cast<std::size_t>(from));
        return pos == std::string::npos ? -1 : static_cast<int>(pos);
    }
    // Folded comparison in place: no lowered copies of either text.
    const std::size_t n = m_text.size();
    const std::size_t m = part.m_text.size();
    if (m > n)
        return -1;
    for (std::size_t i = static_cast<std::size_t>(from); i + m <= n; ++i) {
        std::size_t k = 0;
        while (k < m && fold(m_text[i + k]) == fold(part.m_text[k]))
            ++k;
        if (k == m)
            return static_cast<int>(i);
    }
    return -1;
}

int Vtx_String::find(char c, int from) const {
    if (from < 0)
        from = 0;
    auto pos = m_text.find(c, static_cast<std::size_t>(from));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int Vtx_String::findLast(char c) const {
    auto pos = m_text.rfind(c);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int Vtx_String::replaceSubString(const Vtx_String& what, const Vtx_String& with,
                                 bool caseSensitive) {
    if (what.isEmpty())
        return 0;
    int count = 0;
    std::string result;
    int pos = 0;
    while (true) {
        int hit = find(what, pos, caseSensitive);
        if (hit < 0)
            break;
        result.append(m_text, static_cast<std::size_t>(pos), static_cast<std::size_t>(hit - pos));
        result += with.m_text;
        pos = hit + what.length();
        ++count;
    }
    if (count) {
        result.append(m_text, static_cast<std::size_t>(pos), std::string::npos);
        m_text = std::move(result);
    }
    return count;
}

Vtx_String Vtx_String::mid(int start, int count) const {
    if (start < 0)
        start = 0;
    if (start >= length() || count == 0)
        return {};
    std::size_t n = count < 0 ? std::string::npos : static_cast<std::size_t>(count);
    return Vtx_String(m_text.substr(static_cast<std::size_t>(start), n));
}

Vtx_String Vtx_String::right(int count) const {
    if (count <= 0)
        return {};
    if (count >= length())
        return *this;
    return mid(length() - count);
}

Vtx_String Vtx_String::upper() const {
    std::string out = m_text;
    for (char& c : out)
        c = static_cast<char>(kCase.upper[byte(c)]);
    return Vtx_String(std::move(out));
}

Vtx_String Vtx_String::lower() const {
    std::string out = m_text;
    for (char& c : out)
        c = static_cast<char>(fold(c));
    return Vtx_String(std::move(out));
}

Vtx_String Vtx_String::trimmed() const {
    std::size_t b = 0;
    std::size_t e = m_text.size();
    while (b < e && isBlank(m_text[b]))
        ++b;
    while (e > b && isBlank(m_text[e - 1]))
        --e;
    return Vtx_String(m_text.substr(b, e - b));
}

bool Vtx_String::toDouble(double& value) const {
    std::string t = trimmed().str();
    if (t.empty())
        return false;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !(std::isdigit(byte(*first)) || *first == '.'))
        return false;
    double parsed = 0;
    auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || ptr != last)
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

bool Vtx_String::toInt(int& value) const {
    double d = 0;
    if (!toDouble(d) || d != std::floor(d) || d < INT_MIN || d > INT_MAX)
        return false;
    value = static_cast<int>(d);
    return true;
}

double Vtx_String::asDouble() const {
    return std::atof(m_text.c_str());
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        appendUtf8(out, codePointOf(byte(c)));
    return out;
}

bool fromUtf8(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = byte(utf8[i]);
        char32_t cp = 0;
        std::size_t extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size())
                return false;
            unsigned char cont = byte(utf8[i + k]);
            if ((cont & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        // Overlong forms (a character written with more bytes than it needs)
        // are not valid UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800))
            return false;
        i += extra + 1;
        char mapped = 0;
        if (!byteOfCodePoint(cp, mapped))
            return false;
        out += mapped;
    }
    return true;
}
