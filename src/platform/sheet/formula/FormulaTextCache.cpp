#include "platform/sheet/formula/FormulaTextCache.h"

#include "platform/sheet/formula/FormulaPool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vtx::sheet {

namespace {

enum CharClass : std::uint8_t {
    kLetter = 1,
    kDigit = 2,
    kWordOther = 4,
    kQuote = 8,
    kDollar = 16,
    kColon = 32,
    kMarker = 64,
};

/// The byte that marks a row offset in a key. Formula texts hardly hold it
/// (it is "ÿ" in Windows-1252); those that do are not cached, so that no
/// text can pass for an offset.
constexpr unsigned char kMarkerByte = 0xFF;

struct CharTable {
    std::uint8_t cls[256] = {};
    constexpr CharTable() {
        for (int c = 0; c < 256; ++c) {
            std::uint8_t k = 0;
            if (c == kMarkerByte)
                k = kMarker;
            else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                k = kLetter;
            else if (c >= '0' && c <= '9')
                k = kDigit;
            else if (c == '_' || c == '.' || c >= 0x80)
                k = kWordOther;
            else if (c == '"')
                k = kQuote;
            else if (c == '$')
                k = kDollar;
            else if (c == ':')
                k = kColon;
            cls[c] = k;
        }
    }
};

constexpr CharTable kTable;

inline std::uint8_t classOf(char c) {
    return kTable.cls[static_cast<unsigned char>(c)];
}
constexpr std::uint8_t kWord = kLetter | kDigit | kWordOther;

// Raw bytes of a number, for the key: no digits to write.
char* putBytes(char* out, std::int32_t v) {
    std::memcpy(out, &v, sizeof v);
    return out + sizeof v;
}

} // namespace

// The key is the reference style and the column (references keep their
// column as an offset too), then the text with each relative row number
// replaced by the marker byte and the row's offset from the formula's row.
// The text is copied while it is read: keys are built for every formula
// entered, and most formulas are short.
bool FormulaTextCache::shapeKey(std::string_view text, CellPos at, RefStyle style, ShapeKey& key) {
    if (style == RefStyle::R1C1 || text.size() > kMaxShapeText)
        return false;
    const char* p = text.data();
    const std::size_t n = text.size();
    char* out = key.bytes.data();
    key.rowCount = 0;
    *out++ = static_cast<char>(style);
    out = putBytes(out, at.col);
    std::size_t i = 0;
    while (i < n) {
        std::uint8_t cls = classOf(p[i]);
        if (!(cls & (kLetter | kQuote | kColon | kMarker))) {
            *out++ = p[i++]; // operators, digits of numbers, blanks
            continue;
        }
        if (cls & kMarker)
            return false;
        if (cls & kQuote) {
            // A text is copied as it is ("" inside just starts the next text).
            const void* close = std::memchr(p + i + 1, '"', n - i - 1);
            if (!close)
                return false;
            std::size_t end = static_cast<std::size_t>(static_cast<const char*>(close) - p) + 1;
            if (std::memchr(p + i, kMarkerByte, end - i))
                return false;
            std::memcpy(out, p + i, end - i);
            out += end - i;
            i = end;
            continue;
        }
        if (cls & kColon) {
            // Whole rows ("2:5") hold row numbers that no letter announces.
            std::size_t next = i + 1 < n && p[i + 1] == '$' ? i + 2 : i + 1;
            if (next < n && (classOf(p[next]) & kDigit))
                return false;
            *out++ = p[i++];
            continue;
        }
        if (i > 0 && (classOf(p[i - 1]) & kWord)) {
            // Inside a word that does not start here ("1E5", "A1B"): copy it.
            while (i < n && (classOf(p[i]) & kWord))
                *out++ = p[i++];
            continue;
        }
        // A word at a token boundary: letters, then maybe "$" and digits.
        std::size_t start = i;
        while (i < n && (classOf(p[i]) & kLetter))
            *out++ = p[i++];
        std::size_t letters = i - start;
        char first = p[start];
        // "R1C1", "RC[1]", "R[1]C": cannot be told from A1 text cheaply.
        if ((first == 'R' || first == 'r') &&
            (letters == 1 ||
             (i < n && ((classOf(p[i]) & kDigit) || p[i] == '[' || p[i] == 'C' || p[i] == 'c'))))
            return false;
        bool absoluteRow = i < n && p[i] == '$';
        if (absoluteRow)
            *out++ = p[i++];
        std::size_t digitsStart = i;
        std::int32_t row = 0;
        while (i < n && (classOf(p[i]) & kDigit) && i - digitsStart < 8)
            row = row * 10 + (p[i++] - '0');
        bool isRow = i > digitsStart && !absoluteRow;
        // Digits followed by more of a word belong to a name ("LOG10(").
        if (isRow && i < n && ((classOf(p[i]) & kWord) || p[i] == '('))
            isRow = false;
        if (!isRow) {
            for (std::size_t k = digitsStart; k < i; ++k)
                *out++ = p[k];
            continue;
        }
        if (letters > 3 || row < 1 || row > kMaxRows)
            return false;
        *out++ = static_cast<char>(kMarkerByte);
        out = putBytes(out, row - at.row);
        key.rows[key.rowCount++] = {static_cast<std::uint16_t>(digitsStart),
                                    static_cast<std::uint16_t>(i), row};
    }
    key.size = static_cast<std::size_t>(out - key.bytes.data());
    return true;
}

// The text between last's relative rows must be alike in both, and in the
// place of each row the new text must hold the moved row. The text around a
// row is what made it a relative row in `last`, so it makes the new digits
// one too; and what is alike is read alike.
bool FormulaTextCache::sameShape(std::string_view text, int row, std::string_view last, int lastRow,
                                 const RowSpan* rows, std::size_t rowCount) {
    const char* t = text.data();
    const char* l = last.data();
    const std::size_t tn = text.size();
    if (tn > kMaxShapeText)
        return false;
    // The stretches compared are short ("A", ">0,ROUND(B"): eight bytes at
    // a time, then byte by byte, beats calling memcmp for each.
    auto alike = [](const char* a, const char* b, std::size_t n) {
        for (; n >= 8; a += 8, b += 8, n -= 8) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a, sizeof x);
            std::memcpy(&y, b, sizeof y);
            if (x != y)
                return false;
        }
        for (std::size_t k = 0; k < n; ++k)
            if (a[k] != b[k])
                return false;
        return true;
    };
    const std::int32_t moved = row - lastRow;
    std::size_t at = 0;     // in text
    std::size_t lastAt = 0; // in last
    for (std::size_t k = 0; k < rowCount; ++k) {
        const RowSpan& span = rows[k];
        const std::size_t length = span.start - lastAt;
        if (tn - at < length || !alike(t + at, l + lastAt, length))
            return false;
        at += length;
        // The new row's digits (at most 8, as shapeKey() reads them).
        std::size_t end = at;
        std::int32_t value = 0;
        while (end < tn && (classOf(t[end]) & kDigit) && end - at < 8)
            value = value * 10 + (t[end++] - '0');
        if (end == at || value != span.row + moved || value < 1 || value > kMaxRows)
            return false;
        at = end;
        lastAt = span.end;
    }
    return tn - at == last.size() - lastAt && alike(t + at, l + lastAt, tn - at);
}

FormulaCode* FormulaTextCache::findLikeLast(std::string_view text, CellPos at, RefStyle style) {
    const auto col = static_cast<std::size_t>(at.col);
    if (col >= m_last.size())
        return nullptr;
    LastFormula& last = m_last[col];
    if (!last.code || last.style != style)
        return nullptr;
    if (at.row == last.row && text == last.text) {
        moveDown(last);
        return last.code;
    }
    if (!sameShape(text, at.row, last.text, last.row, last.rows.data(), last.rows.size()))
        return nullptr;
    return last.code;
}

void FormulaTextCache::moveDown(LastFormula& last) {
    for (const RowSpan& span : last.rows)
        if (span.row >= kMaxRows)
            return;
    std::size_t shift = 0; // digits gained by the rows before
    for (RowSpan& span : last.rows) {
        span.start = static_cast<std::uint16_t>(span.start + shift);
        span.end = static_cast<std::uint16_t>(span.end + shift);
        ++span.row;
        // Counting up in place: trailing nines become zeros.
        std::size_t k = span.end;
        while (k > span.start && last.text[k - 1] == '9')
            last.text[--k] = '0';
        if (k > span.start) {
            ++last.text[k - 1];
            continue;
        }
        // All nines: one digit more ("99" -> "100").
        last.text.insert(last.text.begin() + span.start, '1');
        span.end = static_cast<std::uint16_t>(span.end + 1);
        ++shift;
    }
    ++last.row;
}

void FormulaTextCache::noteLast(std::string_view text, CellPos at, RefStyle style,
                                const ShapeKey& key, FormulaCode* code) {
    const auto col = static_cast<std::size_t>(at.col);
    if (col >= m_last.size())
        m_last.resize(col + 1);
    LastFormula& last = m_last[col];
    m_pool.retain(code);
    if (last.code)
        m_pool.release(last.code);
    last.text.assign(text);
    last.row = at.row;
    last.style = style;
    last.rows.assign(key.rows.begin(),
                     key.rows.begin() + static_cast<std::ptrdiff_t>(key.rowCount));
    last.code = code;
    moveDown(last);
}

std::uint64_t FormulaTextCache::hashKey(std::string_view key) {
    auto mix = [](std::uint64_t h) {
        h *= 0xBF58476D1CE4E5B9ull;
        return h ^ (h >> 31);
    };
    auto word = [](const char* p) {
        std::uint64_t w = 0;
        std::memcpy(&w, p, sizeof w);
        return w;
    };
    const std::size_t n = key.size();
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
    if (n < 8) { // shorter than any real key (its header alone is 5 bytes)
        for (char c : key)
            h = mix(h ^ static_cast<unsigned char>(c));
        return h;
    }
    for (std::size_t i = 0; i + 8 < n; i += 8)
        h = mix(h ^ word(key.data() + i));
    // The last eight bytes, overlapping the words before when n is no
    // multiple of eight.
    return mix(h ^ word(key.data() + n - 8));
}

std::size_t FormulaTextCache::probe(std::uint64_t hash, std::string_view key) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash) & mask;
    while (m_slots[i].code && !(m_slots[i].hash == hash && m_slots[i].key == key))
        i = (i + 1) & mask;
    return i;
}

FormulaCode* FormulaTextCache::find(std::string_view key) const {
    if (m_slots.empty())
        return nullptr;
    return m_slots[probe(hashKey(key), key)].code;
}

void FormulaTextCache::remember(std::string_view key, FormulaCode* code) {
    if (m_count >= kMaxEntries)
        clear();
    // At most half full, so that probes stay short.
    if (2 * (m_count + 1) > m_slots.size())
        grow();
    std::uint64_t hash = hashKey(key);
    Slot& slot = m_slots[probe(hash, key)];
    if (slot.code)
        return; // known already
    slot.hash = hash;
    slot.key = key;
    slot.code = code;
    ++m_count;
    m_pool.retain(code);
}

void FormulaTextCache::grow() {
    std::vector<Slot> old(std::max(kFirstSlots, 2 * m_slots.size()));
    old.swap(m_slots);
    for (Slot& entry : old)
        if (entry.code)
            m_slots[probe(entry.hash, entry.key)] = std::move(entry);
}

void FormulaTextCache::clear() {
    for (Slot& slot : m_slots) {
        if (slot.code)
            m_pool.release(slot.code);
        slot = Slot();
    }
    m_count = 0;
    for (LastFormula& last : m_last)
        if (last.code)
            m_pool.release(last.code);
    m_last.clear();
}

} // namespace vtx::sheet
