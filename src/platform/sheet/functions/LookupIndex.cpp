#include "platform/sheet/functions/LookupIndex.h"

#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/TextUtil.h"

namespace vtx::sheet {

namespace {

int scan(const CellStore& cells, int col, int row0, int row1, const Value& key) {
    int found = -1;
    cells.forEach(CellRange{col, row0, col, row1}, [&](int, int row, const Cell& c) {
        if (found < 0 && c.value.type() == key.type() && compareValues(c.value, key) == 0)
            found = row;
    });
    return found;
}

} // namespace

int LookupIndex::findExact(const CellStore& cells, int col, int row0, int row1, const Value& key) {
    if (row1 - row0 + 1 < kMinRows || !(key.isNumber() || key.isText()))
        return scan(cells, col, row0, row1, key);
    // Key: column (14 bits), first row and last row (21 bits each).
    std::uint64_t id = (static_cast<std::uint64_t>(col) << 42) |
                       (static_cast<std::uint64_t>(row0) << 21) | static_cast<std::uint64_t>(row1);
    std::uint64_t version = cells.version(col);
    auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.version != version) {
        if (it == m_entries.end()) {
            if (m_entries.size() >= kMaxEntries)
                m_entries.clear();
            it = m_entries.emplace(id, Entry()).first;
        }
        Entry& e = it->second;
        e.version = version;
        e.numbers.clear();
        e.texts.clear();
        cells.forEach(CellRange{col, row0, col, row1}, [&](int, int row, const Cell& c) {
            if (c.value.isNumber())
                e.numbers.emplace(c.value.asNumber() == 0 ? 0.0 : c.value.asNumber(), row);
            else if (c.value.isText())
                e.texts.emplace(upperText(c.value.asText()), row);
        });
    }
    const Entry& e = it->second;
    if (key.isNumber()) {
        auto hit = e.numbers.find(key.asNumber() == 0 ? 0.0 : key.asNumber());
        return hit == e.numbers.end() ? -1 : hit->second;
    }
    auto hit = e.texts.find(upperText(key.asText()));
    return hit == e.texts.end() ? -1 : hit->second;
}

} // namespace vtx::sheet
