#include "platform/sheet/formula/FormulaTextCache.h"

#include "platform/sheet/formula/FormulaPool.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace vtx::sheet {

namespace {

enum CharClass : std::uint8_t { kLetter = 1, kDigit = 2, kWordOther = 4, kQuote = 8, kDollar = 16 };

struct CharTable {
    std::uint8_t cls[256] = {};
    constexpr CharTable() {
        for (int c = 0; c < 256; ++c) {
            std::uint8_t k = 0;
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                k = kLetter;
            else if (c >= '0' && c <= '9')
                k = kDigit;
            else if (c == '_' || c == '.' || c >= 0x80)
                k = kWordOther;
            else if (c == '"')
                k = kQuote;
            else if (c == '$')
                k = kDollar;
            cls[c] = k;
        }
    }
};

constexpr CharTable kTable;

inline std::uint8_t classOf(char c) {
    return kTable.cls[static_cast<unsigned char>(c)];
}
constexpr std::uint8_t kWord = kLetter | kDigit | kWordOther;

} // namespace

bool FormulaTextCache::shapeKey(std::string_view text, CellPos at, RefStyle style,
                                std::string& key) {
    if (style == RefStyle::R1C1 || text.size() > 512)
        return false;
    key.clear();
    char number[16];
    auto appendInt = [&](long v) {
        auto r = std::to_chars(number, number + sizeof number, v);
        key.append(number, r.ptr);
    };
    key += static_cast<char>('0' + static_cast<int>(style));
    appendInt(at.col);
    key += '|';
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    std::size_t literal = 0; // start of the text not yet copied
    while (i < n) {
        std::uint8_t cls = classOf(p[i]);
        if (cls & kQuote) {
            // A text is copied as it is ("" inside just starts the next text).
            const void* close = std::memchr(p + i + 1, '"', n - i - 1);
            if (!close)
                return false;
            i = static_cast<std::size_t>(static_cast<const char*>(close) - p) + 1;
            continue;
        }
        if (!(cls & kLetter)) {
            // Whole rows ("2:5") hold row numbers that no letter announces.
            if (p[i] == ':') {
                std::size_t next = i + 1 < n && p[i + 1] == '$' ? i + 2 : i + 1;
                if (next < n && (classOf(p[next]) & kDigit))
                    return false;
            }
            ++i;
            continue;
        }
        if (i > 0 && (classOf(p[i - 1]) & kWord)) {
            // Inside a word that does not start here ("1E5", "A1B"): skip it.
            while (i < n && (classOf(p[i]) & kWord))
                ++i;
            continue;
        }
        // A word at a token boundary: letters, then maybe "$" and digits.
        std::size_t start = i;
        while (i < n && (classOf(p[i]) & kLetter))
            ++i;
        std::size_t letters = i - start;
        char first = p[start];
        // "R1C1", "RC[1]", "R[1]C": cannot be told from A1 text cheaply.
        if ((first == 'R' || first == 'r') &&
            (letters == 1 ||
             (i < n && ((classOf(p[i]) & kDigit) || p[i] == '[' || p[i] == 'C' || p[i] == 'c'))))
            return false;
        bool absoluteRow = i < n && p[i] == '$';
        if (absoluteRow)
            ++i;
        std::size_t digitsStart = i;
        long row = 0;
        while (i < n && (classOf(p[i]) & kDigit) && i - digitsStart < 8)
            row = row * 10 + (p[i++] - '0');
        std::size_t digits = i - digitsStart;
        if (digits == 0 || absoluteRow)
            continue; // a name, or a reference whose row is written absolutely
        if (i < n && ((classOf(p[i]) & kWord) || p[i] == '('))
            continue; // part of a longer name ("LOG10(")
        if (letters > 3 || row < 1 || row > kMaxRows)
            return false;
        key.append(p + literal, digitsStart - literal);
        key += '~';
        appendInt(row - at.row);
        literal = i;
    }
    key.append(p + literal, n - literal);
    return true;
}

FormulaCode* FormulaTextCache::find(const std::string& key) const {
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : it->second;
}

void FormulaTextCache::remember(const std::string& key, FormulaCode* code) {
    if (m_entries.size() >= kMaxEntries)
        clear();
    auto [it, inserted] = m_entries.emplace(key, code);
    if (inserted)
        m_pool.retain(code);
}

void FormulaTextCache::clear() {
    for (auto& [key, code] : m_entries)
        m_pool.release(code);
    m_entries.clear();
}

} // namespace vtx::sheet
