#include "standards/FileTextCache.h"

#include "platform/core/Files.h"

#include <filesystem>
#include <unordered_map>

namespace standards {

namespace {

struct Entry {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    std::shared_ptr<const std::string> bytes;
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
    std::error_code ec;
    const std::filesystem::path native = nativePath(path);
    const std::uintmax_t size = std::filesystem::file_size(native, ec);
    const std::filesystem::file_time_type modified =
        ec ? std::filesystem::file_time_type() : std::filesystem::last_write_time(native, ec);
    auto& cache = entries();
    if (!ec) {
        auto it = cache.find(path.str());
        if (it != cache.end() && it->second.size == size && it->second.modified == modified) {
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
    if (!ec && size <= kMaxCachedFileSize && shared->size() == size) {
        if (cache.size() >= kMaxCachedFiles)
            cache.clear();
        cache[path.str()] = Entry{size, modified, shared};
    }
    return eOk;
}

void forgetCachedFile(const Vtx_String& path) {
    if (path.isEmpty())
        entries().clear();
    else
        entries().erase(path.str());
}

} // namespace standards
