#include "platform/sheet/functions/LookupIndex.h"

#include "platform/sheet/functions/TextUtil.h"

#include <cmath>
#include <cstring>

namespace vtx::sheet {

namespace {

// The hash key of a number: numbers equal to 15 significant digits (the way
// compareNumbers sees them) have one key. A whole number below 1e15 is its
// own rounding, which spares the rounding for the usual keys.
double numberKey(double x) {
    if (x == 0)
        return 0.0; // -0 too
    if (std::fabs(x) < 1e15 && x == static_cast<double>(static_cast<std::int64_t>(x)))
        return x;
    return significant15(x);
}

} // namespace

std::size_t LookupIndex::NumberHash::operator()(double x) const {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    bits ^= bits >> 31;
    bits *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(bits ^ (bits >> 29));
}

int LookupIndex::findExact(const CellStore& cells, const CellRange& column, const Value& key) {
    const int col = column.col0;
    // Key: column (14 bits), first row and last row (21 bits each).
    std::uint64_t id = (static_cast<std::uint64_t>(col) << 42) |
                       (static_cast<std::uint64_t>(column.row0) << 21) |
                       static_cast<std::uint64_t>(column.row1);
    std::uint64_t version = cells.version(col);
    // Look-ups come in runs into one range: the last entry used is kept.
    Entry* e = m_lastId == id ? m_last : nullptr;
    bool fresh = false;
    if (!e) {
        auto it = m_entries.find(id);
        if (it == m_entries.end()) {
            if (m_entries.size() >= kMaxEntries)
                m_entries.clear();
            it = m_entries.emplace(id, Entry()).first;
            fresh = true;
        }
        e = &it->second;
        m_last = e;
        m_lastId = id;
    }
    if (fresh || e->version != version) {
        e->version = version;
        e->numbers.clear();
        e->texts.clear();
        // Rows are visited in order, so the first row of equal values stays.
        cells.forEach(column, [&](int, int row, const Cell& c) {
            if (c.value.isNumber())
                e->numbers.emplace(numberKey(c.value.asNumber()), row);
            else if (c.value.isText())
                e->texts.emplace(upperText(c.value.asText()), row);
        });
    }
    if (key.isNumber()) {
        auto hit = e->numbers.find(numberKey(key.asNumber()));
        return hit == e->numbers.end() ? -1 : hit->second;
    }
    if (!key.isText())
        return -1;
    auto hit = e->texts.find(upperText(key.asText()));
    return hit == e->texts.end() ? -1 : hit->second;
}

} // namespace vtx::sheet
