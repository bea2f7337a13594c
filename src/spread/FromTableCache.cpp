// The tables FROMTABLE reads, parsed once per version of their file.
#include "spread/FromTableCache.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/FormulaDialog.h"
#include "spread/FromTable.h"
#include "spread/FromTableIndex.h"
#include "spread/VtxSpread.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// A grid in which calls into one table version are evaluated, in a
/// window-less dialog of its own like the formula dialog's grid.
struct FromTableWorkingGrid {
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    bool lent = false;
    bool written = false; ///< a call wrote into it: it no longer is the file
};

/// One version of a table file.
class FromTableVersion {
public:
    FromTableVersion() = default;
    FromTableVersion(const FromTableVersion&) = delete;
    FromTableVersion& operator=(const FromTableVersion&) = delete;

    bool load(const std::string& bytes, const Vtx_String& file, Vtx_String& reason) {
        std::string why;
        if (!m_loaded.loadFromText(bytes, file.str(), &why)) {
            reason = why;
            return false;
        }
        m_index.emplace(m_loaded);
        return true;
    }
    /// The index of the table as loaded (precondition: load() succeeded).
    FromTableIndex& index() { return *m_index; }

    /// An idle working grid, or a new copy of the table as loaded.
    FromTableWorkingGrid* lend() {
        for (const auto& working : m_grids)
            if (!working->lent) {
                working->lent = true;
                return working.get();
            }
        auto working = std::make_unique<FromTableWorkingGrid>();
        working->dialog.addPlaceholder(kFormulaGridPlaceholder, kFormulaGridRect);
        if (!working->grid.createInDialog(&working->dialog, kFormulaGridPlaceholder, true) ||
            !working->grid.copyGrid(m_loaded))
            return nullptr;
        registerFromTable(&working->grid);
        working->lent = true;
        m_grids.push_back(std::move(working));
        return m_grids.back().get();
    }
    /// Keeps the grid for the next call unless it was written into or enough
    /// grids are idle already.
    void giveBack(FromTableWorkingGrid* working) {
        const auto idle = std::count_if(m_grids.begin(), m_grids.end(),
                                        [](const auto& other) { return !other->lent; });
        auto it = std::find_if(m_grids.begin(), m_grids.end(),
                               [working](const auto& other) { return other.get() == working; });
        if (it == m_grids.end())
            return;
        working->lent = false;
        if (working->written || idle >= kFromTableIdleGrids)
            m_grids.erase(it);
    }

    std::string key;
    FileStamp stamp;
    std::uint64_t lastUse = 0;

private:
    vtx::sheet::SheetModel m_loaded; ///< as read from the file, never evaluated
    std::optional<FromTableIndex> m_index;
    std::vector<std::unique_ptr<FromTableWorkingGrid>> m_grids;
};

namespace {

struct Cache {
    std::vector<std::shared_ptr<FromTableVersion>> tables;
    std::vector<FromTableWorkingGrid*> lent; ///< in the order they were lent
    std::uint64_t clock = 0;
    FromTableCacheStats stats;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

// The file's absolute path as written ("." and ".." kept: folding ".."
// without the file system would be wrong after a link). The key of the last
// absolute name is remembered: calls into one table repeat it.
std::string tableKey(const Vtx_String& file) {
    static Vtx_String lastFile;
    static std::string lastKey;
    if (!lastKey.empty() && file == lastFile)
        return lastKey;
    const std::filesystem::path native = nativePath(file);
    if (native.is_absolute()) {
        lastFile = file;
        lastKey = native.string();
        return lastKey;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(native, error);
    return error ? native.string() : absolute.string();
}

void forget(const std::string& key) {
    auto& tables = cache().tables;
    std::erase_if(tables, [&key](const auto& table) { return table->key == key; });
}

// Keeps table, then drops the least recently used others past the bounds.
void keep(const std::shared_ptr<FromTableVersion>& table) {
    auto& tables = cache().tables;
    forget(table->key);
    tables.push_back(table);
    auto bytes = [&tables] {
        std::uintmax_t sum = 0;
        for (const auto& kept : tables)
            sum += kept->stamp.size;
        return sum;
    };
    while (tables.size() > static_cast<std::size_t>(kFromTableCacheTables) ||
           bytes() > kFromTableCacheBytes) {
        auto oldest =
            std::min_element(tables.begin(), tables.end() - 1,
                             [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
        if (oldest == tables.end() - 1)
            break;
        tables.erase(oldest);
    }
}

std::shared_ptr<FromTableVersion> kept(const std::string& key, const FileStamp& stamp) {
    for (const auto& table : cache().tables)
        if (table->stamp == stamp && table->key == key)
            return table;
    return nullptr;
}

// Reads and parses file; keeps the version when it may be kept.
std::shared_ptr<FromTableVersion> load(const Vtx_String& file, const std::string& key, bool stamped,
                                       const FileStamp& stamp, Vtx_String& reason) {
    std::string bytes;
    Vtx_String why;
    if (readFileBytes(file, bytes, &why) != eOk) {
        reason = why.isEmpty() ? file + ": cannot be read" : why;
        forget(key);
        return nullptr;
    }
    auto table = std::make_shared<FromTableVersion>();
    if (!table->load(bytes, file, reason)) {
        forget(key);
        return nullptr;
    }
    ++cache().stats.loads;
    table->key = key;
    table->stamp = stamp;
    // A file written while it was read is not what its stamp says.
    if (stamped && bytes.size() == stamp.size && stamp.size <= kFromTableCacheBytes)
        keep(table);
    return table;
}

} // namespace

FromTableLease::~FromTableLease() {
    giveBack();
}

FromTableLease::FromTableLease(FromTableLease&& other) noexcept
    : m_table(std::move(other.m_table)), m_grid(std::exchange(other.m_grid, nullptr)) {}

FromTableLease& FromTableLease::operator=(FromTableLease&& other) noexcept {
    if (this != &other) {
        giveBack();
        m_table = std::move(other.m_table);
        m_grid = std::exchange(other.m_grid, nullptr);
    }
    return *this;
}

Vtx_Spread& FromTableLease::grid() {
    return m_grid->grid;
}

int FromTableLease::findColumn(const Vtx_String& header) const {
    return m_table ? m_table->index().column(header) : 0;
}

int FromTableLease::findRow(int keyColumn, const Vtx_String& key) const {
    return m_table ? m_table->index().row(keyColumn, key) : 0;
}

void FromTableLease::giveBack() {
    if (m_grid) {
        std::erase(cache().lent, m_grid);
        m_table->giveBack(m_grid);
        m_grid = nullptr;
    }
    m_table.reset();
}

bool lendFromTable(const Vtx_String& file, FromTableLease& lease, Vtx_String& reason) {
    lease = FromTableLease();
    reason.clear();
    const std::string key = tableKey(file);
    FileStamp stamp;
    const bool stamped = fileStampOf(file, stamp);
    std::shared_ptr<FromTableVersion> table = stamped ? kept(key, stamp) : nullptr;
    if (table)
        ++cache().stats.reuses;
    else if (!(table = load(file, key, stamped, stamp, reason)))
        return false;
    table->lastUse = ++cache().clock;
    FromTableWorkingGrid* working = table->lend();
    if (!working) {
        reason = file + ": no grid for the table";
        return false;
    }
    cache().lent.push_back(working);
    lease.m_table = std::move(table);
    lease.m_grid = working;
    return true;
}

void noteFromTableWrite(const Vtx_Spread* grid) {
    for (FromTableWorkingGrid* working : cache().lent)
        if (&working->grid == grid)
            working->written = true;
}

FromTableCacheStats fromTableCacheStats() {
    FromTableCacheStats stats = cache().stats;
    stats.tables = static_cast<int>(cache().tables.size());
    return stats;
}

void clearFromTableCache() {
    cache().tables.clear();
    cache().stats = FromTableCacheStats();
}
