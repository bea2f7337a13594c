#pragma once

/// Remembers the program of recently parsed formula texts by their shape:
/// the text with the row numbers of its relative A1 references replaced by
/// offsets from the formula's row. "A7+1" in row 8 and "A8+1" in row 9 have
/// one shape, so the second is not parsed again. Texts whose shape cannot be
/// told safely (R1C1 references, rows out of the grid) are never cached.

#include "platform/sheet/SheetTypes.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace vtx::sheet {

class FormulaCode;
class FormulaPool;

class FormulaTextCache {
public:
    explicit FormulaTextCache(FormulaPool& pool) : m_pool(pool) {}
    ~FormulaTextCache() { clear(); }
    FormulaTextCache(const FormulaTextCache&) = delete;
    FormulaTextCache& operator=(const FormulaTextCache&) = delete;

    /// The shape key of text at `at`; false when the text is not cacheable.
    static bool shapeKey(std::string_view text, CellPos at, RefStyle style, std::string& key);
    /// The cached program of a key, or null.
    FormulaCode* find(const std::string& key) const;
    /// Remembers a program (the cache holds a use of it).
    void remember(const std::string& key, FormulaCode* code);
    /// Forgets everything (custom functions or the reference style changed).
    void clear();
    /// Visits every remembered program: fn(key, program).
    template <typename Fn> void forEach(Fn&& fn) const {
        for (const auto& [key, code] : m_entries)
            fn(key, *code);
    }

private:
    static constexpr std::size_t kMaxEntries = 4096;
    FormulaPool& m_pool;
    std::unordered_map<std::string, FormulaCode*> m_entries;
};

} // namespace vtx::sheet
