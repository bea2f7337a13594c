#pragma once

/// The tables FROMTABLE reads, kept parsed per version of their file.
///
///     FromTableLease table;
///     Vtx_String reason;
///     if (!lendFromTable("C:\\Tables\\bolts.kss", table, reason))
///         report(reason);                        // "<file>: file not found"
///     int column = table.findColumn("Hole");     // by the table's header index
///     int row = table.findRow(table.findColumn("Size"), "m20");
///     table.grid().recalcCell(column, row);      // a grid of its own, FROMTABLE registered
///
/// A table is keyed by its file's absolute path (relative names from the
/// current folder of the process, "." and ".." folded, links not followed)
/// and its version: size and modification time (FileStamp), the rule of the
/// standards engine's file cache. A file whose stamp changed is read again;
/// a file that cannot be stamped (missing, not a regular file) or that did
/// not have its stamped size when read is read for the one call only.
///
/// Each version keeps the grid as loaded (never evaluated), the index of
/// its header row and, built on first use, one index per key column. Calls
/// evaluate in working grids copied from it: one per call under way, so a
/// table that looks into itself gets a grid of its own at each level. A
/// working grid that a call wrote into (the 3-argument form of a call made
/// inside the table) is dropped when its call ends, so the next call sees
/// the file's cells again.
///
/// Bounds: kFromTableCacheTables versions whose files add up to at most
/// kFromTableCacheBytes, least recently used out; a larger file is read for
/// each call. Each version keeps at most kFromTableIdleGrids working grids
/// between calls (more exist only while calls are nested in one another).

#include "platform/core/VtxString.h"

#include <cstdint>
#include <memory>

class Vtx_Spread;

constexpr int kFromTableCacheTables = 8;
constexpr std::uintmax_t kFromTableCacheBytes = 8u << 20;
constexpr int kFromTableIdleGrids = 2;

class FromTableVersion;
struct FromTableWorkingGrid;

/// A working grid of a table lent to one call; given back when the lease
/// ends. Move-only.
class FromTableLease {
public:
    FromTableLease() = default;
    ~FromTableLease();
    FromTableLease(FromTableLease&& other) noexcept;
    FromTableLease& operator=(FromTableLease&& other) noexcept;
    FromTableLease(const FromTableLease&) = delete;
    FromTableLease& operator=(const FromTableLease&) = delete;

    explicit operator bool() const { return m_grid != nullptr; }
    /// The working grid (precondition: the lease holds one).
    Vtx_Spread& grid();
    /// The first column (1..count) whose header data text (row 0) equals
    /// header as sameTableText compares; 0 when none. Read from the table as
    /// loaded.
    int findColumn(const Vtx_String& header) const;
    /// The first row (1..count) whose data text in keyColumn equals key as
    /// sameTableText compares; 0 when none or keyColumn is outside.
    int findRow(int keyColumn, const Vtx_String& key) const;

private:
    friend bool lendFromTable(const Vtx_String&, FromTableLease&, Vtx_String&);
    void giveBack();

    std::shared_ptr<FromTableVersion> m_table;
    FromTableWorkingGrid* m_grid = nullptr;
};

/// Lends a working grid of the table in file (a core path) to lease. False
/// when the file cannot be read or is damaged, with the sheet reader's
/// reason ("<file>:<line>: ...") naming file as given.
bool lendFromTable(const Vtx_String& file, FromTableLease& lease, Vtx_String& reason);

/// To be called after a FROMTABLE call wrote into grid: when grid is a
/// working grid lent at this moment, it is dropped at the end of its lease.
void noteFromTableWrite(const Vtx_Spread* grid);

/// What the cache has done since it was last cleared.
struct FromTableCacheStats {
    long long loads = 0;  ///< table files read and parsed
    long long reuses = 0; ///< calls served by a version read before
    int tables = 0;       ///< versions kept now
};
FromTableCacheStats fromTableCacheStats();
/// Forgets every kept table and zeroes the counts (grids lent at this moment
/// stay valid until their leases end).
void clearFromTableCache();
