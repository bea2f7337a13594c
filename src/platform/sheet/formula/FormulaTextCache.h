#pragma once

/// Remembers the program of recently parsed formula texts by their shape:
/// the text with the row numbers of its relative A1 references replaced by
/// offsets from the formula's row. "A7+1" in row 8 and "A8+1" in row 9 have
/// one shape, so the second is not parsed again. Texts whose shape cannot be
/// told safely (R1C1 references, rows out of the grid) are never cached.

#include "platform/sheet/SheetTypes.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vtx::sheet {

class FormulaCode;
class FormulaPool;

/// The longest formula text whose shape is taken; longer texts are parsed.
constexpr std::size_t kMaxShapeText = 512;

/// A shape key: bytes, not text. Built in place for every formula entered,
/// so it lives in a fixed buffer rather than in a string that would be
/// filled character by character.
struct ShapeKey {
    /// Header, plus per row number replaced at most 4 bytes more than the
    /// two characters ("A1") it needs at least.
    static constexpr std::size_t kCapacity = 8 + 3 * kMaxShapeText;
    std::array<char, kCapacity> bytes;
    std::size_t size = 0;
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
    /// Forgets everything (custom functions or the reference style changed).
    void clear();
    /// Visits every remembered program: fn(key, program).
    template <typename Fn> void forEach(Fn&& fn) const {
        for (const auto& [key, code] : m_entries)
            fn(std::string_view(key), *code);
    }

private:
    /// Hashes keys eight bytes at a time (they are short, and one is looked
    /// up for every formula entered); looks them up by string_view, without
    /// making a string of them.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const;
    };
    static constexpr std::size_t kMaxEntries = 4096;
    FormulaPool& m_pool;
    std::unordered_map<std::string, FormulaCode*, KeyHash, std::equal_to<>> m_entries;
};

} // namespace vtx::sheet
