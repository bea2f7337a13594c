#pragma once

/// Remembers the program of recently parsed formula texts by their shape:
/// the text with the row numbers of its relative A1 references replaced by
/// offsets from the formula's row. "A7+1" in row 8 and "A8+1" in row 9 have
/// one shape, so the second is not parsed again. Texts whose shape cannot be
/// told safely (R1C1 references, rows out of the grid) are never cached.

#include "platform/sheet/SheetTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::sheet {

class FormulaCode;
class FormulaPool;

/// The longest formula text whose shape is taken; longer texts are parsed.
constexpr std::size_t kMaxShapeText = 512;

/// The digits of a relative row number in a formula text: text[start, end)
/// reads `row`.
struct RowSpan {
    std::uint16_t start = 0;
    std::uint16_t end = 0;
    std::int32_t row = 0;
};

/// A shape key: bytes, not text. Built in place for every formula entered,
/// so it lives in a fixed buffer rather than in a string that would be
/// filled character by character.
struct ShapeKey {
    /// Header, plus per row number replaced at most 4 bytes more than the
    /// two characters ("A1") it needs at least.
    static constexpr std::size_t kCapacity = 8 + 3 * kMaxShapeText;
    std::array<char, kCapacity> bytes;
    std::size_t size = 0;
    /// Where the text's relative row numbers stand (replaced by offsets);
    /// each takes two characters at least ("A1").
    std::array<RowSpan, kMaxShapeText / 2> rows;
    std::size_t rowCount = 0;
    std::string_view view() const { return {bytes.data(), size}; }
};

class FormulaTextCache {
public:
    explicit FormulaTextCache(FormulaPool& pool) : m_pool(pool) {}
    ~FormulaTextCache() { clear(); }
    FormulaTextCache(const FormulaTextCache&) = delete;
    FormulaTextCache& operator=(const FormulaTextCache&) = delete;

    /// The shape key of text at `at`; false when the text is not cacheable.
    static bool shapeKey(std::string_view text, CellPos at, RefStyle style, ShapeKey& key);
    /// The cached program of a key, or null.
    FormulaCode* find(std::string_view key) const;
    /// Remembers a program (the cache holds a use of it).
    void remember(std::string_view key, FormulaCode* code);

    /// The program of the formula noted last in column at.col when `text`
    /// at `at` has its shape, else null. Consecutive rows of a column
    /// mostly hold one shape ("A1+1", "A2+1", ...): comparing the two texts
    /// is cheaper than building a key and looking it up. The column keeps
    /// the text its formula would have one row further down, so that the
    /// next row is mostly one comparison of two texts.
    FormulaCode* findLikeLast(std::string_view text, CellPos at, RefStyle style);
    /// Notes the formula entered last in a column, with where its key found
    /// its relative rows (the cache holds a use of the program).
    void noteLast(std::string_view text, CellPos at, RefStyle style, const ShapeKey& key,
                  FormulaCode* code);
    /// True when `text` in row `row` has the shape of `last` in row
    /// `lastRow` of the same column, whose relative rows are `rows` (from
    /// its ShapeKey): `text` is `last` with the digits of each of those rows
    /// replaced by the row moved by row - lastRow. This is exactly when the
    /// two shape keys are equal.
    static bool sameShape(std::string_view text, int row, std::string_view last, int lastRow,
                          const RowSpan* rows, std::size_t rowCount);
    /// Forgets everything (custom functions or the reference style changed).
    void clear();
    /// Visits every remembered program: fn(key, program).
    template <typename Fn> void forEach(Fn&& fn) const {
        for (const Slot& slot : m_slots)
            if (slot.code)
                fn(std::string_view(slot.key), *slot.code);
    }

private:
    /// An open-addressing table, its size a power of two, probed linearly:
    /// a slot is found with a mask, not the division of a prime-sized hash
    /// table, and entries are never removed one by one (only all at once),
    /// so a free slot ends every probe.
    struct Slot {
        std::uint64_t hash = 0;
        std::string key;
        FormulaCode* code = nullptr; ///< null: free
    };
    static constexpr std::size_t kMaxEntries = 4096;
    static constexpr std::size_t kFirstSlots = 64;
    /// Hashes a key eight bytes at a time: keys are short, and one is looked
    /// up for every formula entered.
    static std::uint64_t hashKey(std::string_view key);
    /// The slot holding key, or the free slot where it belongs.
    std::size_t probe(std::uint64_t hash, std::string_view key) const;
    /// Doubles the table, keeping its entries.
    void grow();

    /// The formula entered last in a column (findLikeLast): its text moved
    /// to `row`, where `rows` stand in that text.
    struct LastFormula {
        std::string text;
        int row = 0;
        RefStyle style = RefStyle::Default;
        std::vector<RowSpan> rows;
        FormulaCode* code = nullptr; ///< null: none
    };

    FormulaPool& m_pool;
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    std::vector<LastFormula> m_last; ///< by column
    /// Moves a column's formula text one row down: each relative row number
    /// counts up by one. Nothing changes where a row would leave the grid.
    static void moveDown(LastFormula& last);
};

} // namespace vtx::sheet
