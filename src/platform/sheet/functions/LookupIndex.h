#pragma once

/// Exact-match indexes over columns, kept between calls while the column's
/// values do not change: the first look-up into a range builds a hash of its
/// values, every later one is a hash probe.

#include "platform/sheet/CellStore.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace vtx::sheet {

class LookupIndex {
public:
    /// Whether a column range of this many rows is indexed (smaller ones are
    /// cheaper to scan).
    static bool covers(int rows) { return rows >= kMinRows; }
    /// The first row of the column range whose value equals key, or -1.
    /// The key is a number or a text: numbers are equal when they agree to
    /// 15 significant digits, texts when they are equal with case ignored
    /// (no wildcards: a pattern is matched by scanning).
    int findExact(const CellStore& cells, const CellRange& column, const Value& key);
    void clear() {
        m_entries.clear();
        m_last = nullptr;
        m_lastId = kNoId;
    }

private:
    /// A cheap mix of a number's bits (the standard hash of a double hashes
    /// its bytes as a string would be).
    struct NumberHash {
        std::size_t operator()(double x) const;
    };
    struct Entry {
        std::uint64_t version = 0;
        std::unordered_map<double, int, NumberHash> numbers; ///< by numberKey()
        std::unordered_map<std::string, int> texts;          ///< by upper case
    };
    static constexpr int kMinRows = 32;
    static constexpr std::size_t kMaxEntries = 256;
    static constexpr std::uint64_t kNoId = ~std::uint64_t{0};
    std::unordered_map<std::uint64_t, Entry> m_entries;
    Entry* m_last = nullptr; ///< the entry of the last look-up (nodes do not move)
    std::uint64_t m_lastId = kNoId;
};

} // namespace vtx::sheet
