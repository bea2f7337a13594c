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
    /// The first row in row0..row1 of column col whose value equals key
    /// (numbers exactly, texts with case ignored), or -1.
    int findExact(const CellStore& cells, int col, int row0, int row1, const Value& key);
    void clear() { m_entries.clear(); }

private:
    struct Entry {
        std::uint64_t version = 0;
        std::unordered_map<double, int> numbers;
        std::unordered_map<std::string, int> texts;
    };
    static constexpr int kMinRows = 32; ///< smaller ranges are scanned
    static constexpr std::size_t kMaxEntries = 256;
    std::unordered_map<std::uint64_t, Entry> m_entries;
};

} // namespace vtx::sheet
