// Finding data files and keeping them parsed between calls.

#include "standards/DataFiles.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"

#include <algorithm>
#include <system_error>

bool findDataFile(const Vtx_String& name, Vtx_String& path) {
    if (name.isEmpty())
        return false;
    const Vtx_String candidates[] = {
        name,
        gSettings.libDir + "Connection Standards\\Data\\" + name,
        gSettings.libDir + "Connection Standards\\" + name,
        gSettings.libDir + name,
    };
    for (const Vtx_String& candidate : candidates) {
        if (fileExists(candidate)) {
            path = candidate;
            return true;
        }
    }
    return false;
}

DataFileCache::FileEntry* DataFileCache::entryFor(const Vtx_String& name, Vtx_String* reason) {
    const std::string resolutionKey = name.str() + '\0' + gSettings.libDir.str();
    const auto now = std::chrono::steady_clock::now();
    Vtx_String path;
    bool trusted = false;
    if (auto it = m_resolved.find(resolutionKey); it != m_resolved.end()) {
        if (now - it->second.when < m_recheck) {
            path = it->second.path;
            trusted = true;
        } else {
            m_resolved.erase(it);
        }
    }

    FileStamp stamp;
    if (trusted && !fileStampOf(path, stamp)) {
        // The file the name resolved to is gone: search again at once.
        m_resolved.erase(resolutionKey);
        trusted = false;
    }
    if (!trusted) {
        ++m_stats.resolutions;
        if (!findDataFile(name, path) || !fileStampOf(path, stamp)) {
            if (reason != nullptr)
                *reason = name + ": data file not found";
            return nullptr;
        }
        if (m_resolved.size() >= 4 * static_cast<std::size_t>(kMaxFiles))
            m_resolved.clear();
        m_resolved[resolutionKey] = Resolution{path, now};
    }

    auto found = m_files.find(path.str());
    if (found == m_files.end() || !(found->second.stamp == stamp)) {
        if (found == m_files.end())
            evictIfFull();
        FileEntry& entry = m_files[path.str()];
        entry = FileEntry{};
        entry.path = path;
        entry.stamp = stamp;
        found = m_files.find(path.str());
    }
    found->second.lastUse = ++m_useCounter;
    return &found->second;
}

bool DataFileCache::readEntry(FileEntry& entry, std::string& bytes, Vtx_String* reason) {
    if (readFileBytes(entry.path, bytes, reason) != eOk) {
        // Unreadable now; the next call tries again.
        const std::string key = entry.path.str();
        m_files.erase(key);
        return false;
    }
    ++m_stats.fileReads;
    return true;
}

std::shared_ptr<const DataTable> DataFileCache::table(const Vtx_String& name, Vtx_String* reason) {
    FileEntry* entry = entryFor(name, reason);
    if (entry == nullptr)
        return nullptr;
    if (!entry->table) {
        std::string bytes;
        if (!readEntry(*entry, bytes, reason))
            return nullptr;
        DataTable table = DataTable::parse(bytes);
        table.setPath(entry->path);
        entry->table = std::make_shared<const DataTable>(std::move(table));
    }
    return entry->table;
}

std::shared_ptr<const SizeList> DataFileCache::sizes(const Vtx_String& name, Vtx_String* reason) {
    FileEntry* entry = entryFor(name, reason);
    if (entry == nullptr)
        return nullptr;
    if (!entry->sizes) {
        std::string bytes;
        if (!readEntry(*entry, bytes, reason))
            return nullptr;
        entry->sizes = std::make_shared<const SizeList>(parseSizeList(bytes));
    }
    return entry->sizes;
}

void DataFileCache::evictIfFull() {
    if (m_files.size() < static_cast<std::size_t>(kMaxFiles))
        return;
    auto oldest =
        std::min_element(m_files.begin(), m_files.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
    m_files.erase(oldest);
}

void DataFileCache::clear() {
    m_files.clear();
    m_resolved.clear();
}

DataFileCache& dataFileCache() {
    static DataFileCache cache;
    return cache;
}
