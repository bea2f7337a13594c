#pragma once

/// The data and size files of the standards functions: where they are found,
/// how they are read, and the cache that keeps them parsed between calls.
/// Formats with examples in docs/data-files.md.
///
/// A *table file* holds one row per line, fields separated by tabs (each
/// tab separates two fields, so "A\t\tx" has an empty value), the key first
/// and the value second; "//" starts a comment. A *size file* holds one
/// size per line, "width" or "width" x "thickness" (lower-case x); "//" and
/// "/* ... */" are comments.
///
///     DataFileCache& cache = dataFileCache();
///     std::shared_ptr<const DataTable> table = cache.table("bolts.txt");
///     if (table) {
///         int row = table->find("M20;8.8");
///         ...
///     }
///
/// Every call sees the file as it is on disk now: a cached file is used only
/// while its size and modification time are those it was read with.

#include "platform/core/Files.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// A parsed table file: its rows in file order, each with at least one
/// field (the key), and an index from key (case folded) to the first row.
class DataTable {
public:
    /// Parses the bytes of a table file (see docs/data-files.md).
    static DataTable parse(std::string_view bytes);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    /// The fields of row; precondition: 0 <= row < rowCount().
    const Vtx_StringArray& row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    /// The first row whose key equals key with case ignored, or -1.
    int find(const Vtx_String& key) const;
    /// The file line (1-based) that row was read from.
    int line(int row) const { return m_lines[static_cast<std::size_t>(row)]; }
    /// The file the table was read from (set by the cache; empty otherwise).
    const Vtx_String& path() const { return m_path; }
    void setPath(const Vtx_String& path) { m_path = path; }

private:
    std::vector<Vtx_StringArray> m_rows;
    std::vector<int> m_lines;
    Vtx_String m_path;
    std::unordered_map<std::string, int> m_index;
};

/// One line of a size file: the number before the lower-case "x" and the one
/// after it (0 when the line has no "x").
struct SizeEntry {
    double first = 0;
    double second = 0;
    bool operator==(const SizeEntry&) const = default;
};

using SizeList = std::vector<SizeEntry>;

/// Parses the bytes of a size file (see docs/data-files.md).
SizeList parseSizeList(std::string_view bytes);

/// Where a data file named by a function argument lives, in this order: the
/// name as it is; the library folder + "Connection Standards\\Data\\" + name;
/// + "Connection Standards\\" + name; + name. The first existing file wins;
/// false when none exists.
bool findDataFile(const Vtx_String& name, Vtx_String& path);

/// Parsed data and size files by path, and data-file names by the path they
/// resolved to.
///
/// A cached file is checked on every call against the size and modification
/// time it was read with, and read again when either differs. A resolved name
/// is trusted while its file exists, for at most the recheck interval (1 s by
/// default); then it is resolved again, so a file that newly appears earlier
/// in the search order is picked up. The cache holds at most kMaxFiles files;
/// the one unused longest goes first.
class DataFileCache {
public:
    static constexpr int kMaxFiles = 64;

    /// The table file that name resolves to, parsed; null when no file is
    /// found or it cannot be read (reason, when given, says why).
    std::shared_ptr<const DataTable> table(const Vtx_String& name, Vtx_String* reason = nullptr);
    /// The size file that name resolves to, parsed; null as for table().
    std::shared_ptr<const SizeList> sizes(const Vtx_String& name, Vtx_String* reason = nullptr);

    /// Forgets every file and every resolved name.
    void clear();
    void setRecheckInterval(std::chrono::milliseconds interval) { m_recheck = interval; }

    /// Counters for tests and benchmarks.
    struct Stats {
        int fileReads = 0;   ///< files read and parsed
        int resolutions = 0; ///< names resolved through the search order
    };
    const Stats& stats() const { return m_stats; }
    /// Files held now (at most kMaxFiles).
    int cachedFiles() const { return static_cast<int>(m_files.size()); }

private:
    struct FileEntry {
        Vtx_String path;
        FileStamp stamp;
        std::shared_ptr<const DataTable> table;
        std::shared_ptr<const SizeList> sizes;
        std::uint64_t lastUse = 0;
    };
    struct Resolution {
        Vtx_String path;
        std::chrono::steady_clock::time_point when;
    };

    /// The entry of the current version of the file that name resolves to,
    /// or null; the entry's parsed forms may still be missing.
    FileEntry* entryFor(const Vtx_String& name, Vtx_String* reason);
    /// Reads the entry's file; on failure the entry is dropped.
    bool readEntry(FileEntry& entry, std::string& bytes, Vtx_String* reason);
    void evictIfFull();

    std::unordered_map<std::string, FileEntry> m_files;
    std::unordered_map<std::string, Resolution> m_resolved;
    std::chrono::milliseconds m_recheck{1000};
    std::uint64_t m_useCounter = 0;
    Stats m_stats;
};

/// The cache the standards functions use.
DataFileCache& dataFileCache();
