#include "standards/FileTextCache.h"

#include "platform/core/Files.h"

#include <unordered_map>

namespace standards {

namespace {

struct Entry {
    FileStamp stamp;
    std::shared_ptr<const std::string> bytes;
    std::shared_ptr<const vtx::sheet::SheetModel> sheet; ///< parsed from bytes, on first use
};

// Files past this size are read every time rather than kept.
constexpr std::uintmax_t kMaxCachedFileSize = 4u << 20;
constexpr std::size_t kMaxCachedFiles = 256;

std::unordered_map<std::string, Entry>& entries() {
    static std::unordered_map<std::string, Entry> cache;
    return cache;
}

} // namespace

ErrorStatus cachedFileBytes(const Vtx_String& path, std::shared_ptr<const std::string>& bytes,
                            Vtx_String* reason) {
    FileStamp stamp;
    const bool stamped = fileStampOf(path, stamp);
    auto& cache = entries();
    if (stamped) {
        auto it = cache.find(path.str());
        if (it != cache.end() && it->second.stamp == stamp) {
            bytes = it->second.bytes;
            return eOk;
        }
    }
    std::string read;
    ErrorStatus es = readFileBytes(path, read, reason);
    if (es != eOk) {
        cache.erase(path.str());
        return es;
    }
    auto shared = std::make_shared<const std::string>(std::move(read));
    bytes = shared;
    if (stamped && stamp.size <= kMaxCachedFileSize && shared->size() == stamp.size) {
        if (cache.size() >= kMaxCachedFiles)
            cache.clear();
        cache[path.str()] = Entry{stamp, shared, nullptr};
    }
    return eOk;
}

std::shared_ptr<const vtx::sheet::SheetModel> cachedSheet(const Vtx_String& path,
                                                          Vtx_String* reason) {
    std::shared_ptr<const std::string> bytes;
    if (cachedFileBytes(path, bytes, reason) != eOk)
        return nullptr;
    auto& cache = entries();
    auto it = cache.find(path.str());
    // The entry holds these very bytes only while the file is unchanged.
    const bool cached = it != cache.end() && it->second.bytes == bytes;
    if (cached && it->second.sheet)
        return it->second.sheet;
    auto sheet = std::make_shared<vtx::sheet::SheetModel>();
    std::string why;
    if (!sheet->loadFromText(*bytes, path.str(), &why)) {
        if (reason)
            *reason = Vtx_String(why);
        return nullptr;
    }
    if (cached)
        it->second.sheet = sheet;
    return sheet;
}

void forgetCachedFile(const Vtx_String& path) {
    if (path.isEmpty())
        entries().clear();
    else
        entries().erase(path.str());
}

} // namespace standards
