// Core paths and the file system: a core path (8-bit text, "\\" or "/")
// to the native path and back, whether two paths name one file, and the log
// of the files read.

#include "platform/core/Files.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool hasHighBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

bool existsOnDisk(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The native form of a path with bytes above 0x7F that is not on disk in
// UTF-8: each part is taken in UTF-8 where that is on disk, else in its
// 8-bit bytes where those are, so that a folder of 8-bit name holding files
// of UTF-8 names (and the other way round) is found. From the first part
// that is on disk in neither form, the parts are UTF-8: that is how new
// files and folders are named.
fs::path partByPart(const std::string& generic) {
    fs::path found;
    bool onDisk = true;
    for (const fs::path& part : fs::path(generic)) {
        const std::string bytes = part.string();
        const fs::path utf8 = fs::path(toUtf8(bytes));
        if (!onDisk || !hasHighBytes(bytes)) {
            found /= utf8;
        } else if (existsOnDisk(found / utf8)) {
            found /= utf8;
        } else if (existsOnDisk(found / part)) {
            found /= part;
        } else {
            found /= utf8;
        }
        onDisk = onDisk && existsOnDisk(found);
    }
    return found.make_preferred();
}

struct ReadLogState {
    std::mutex mutex;
    FileReadLog* active = nullptr;
};

ReadLogState& readLogState() {
    static ReadLogState state;
    return state;
}

} // namespace

fs::path nativePath(const Vtx_String& path) {
    std::string text = path.str();
    std::replace(text.begin(), text.end(), '\\', '/');
    fs::path utf8 = fs::path(toUtf8(text)).make_preferred();
    if (!hasHighBytes(text) || existsOnDisk(utf8))
        return utf8;
    return partByPart(text);
}

Vtx_String corePath(const fs::path& path) {
    // A name on disk that is UTF-8 of Windows-1252 characters becomes those
    // characters; any other name (8-bit bytes, or UTF-8 of characters
    // outside Windows-1252) keeps its bytes, which nativePath finds again.
    const std::string generic = path.generic_string();
    std::string bytes;
    if (!fromUtf8(generic, bytes))
        bytes = generic;
    std::replace(bytes.begin(), bytes.end(), '/', '\\');
    return Vtx_String(std::move(bytes));
}

bool sameFile(const Vtx_String& a, const Vtx_String& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    std::error_code error;
    return fs::equivalent(nativePath(a), nativePath(b), error) && !error;
}

FileReadLog::FileReadLog() {
    ReadLogState& state = readLogState();
    std::lock_guard<std::mutex> lock(state.mutex);
    m_outer = state.active;
    state.active = this;
}

FileReadLog::~FileReadLog() {
    // Unlinked from wherever it is in the chain: a log may end while a log
    // made after it lives on (one replaced by another).
    ReadLogState& state = readLogState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.active == this) {
        state.active = m_outer;
        return;
    }
    for (FileReadLog* log = state.active; log; log = log->m_outer)
        if (log->m_outer == this) {
            log->m_outer = m_outer;
            return;
        }
}

void FileReadLog::noteRead(const Vtx_String& path) {
    ReadLogState& state = readLogState();
    std::lock_guard<std::mutex> lock(state.mutex);
    for (FileReadLog* log = state.active; log; log = log->m_outer)
        log->m_files.insert(path.str());
}

Vtx_String FileReadLog::find(const Vtx_String& path) const {
    std::set<std::string> files;
    {
        std::lock_guard<std::mutex> lock(readLogState().mutex);
        files = m_files;
    }
    for (const std::string& file : files)
        if (sameFile(Vtx_String(file), path))
            return Vtx_String(file);
    return {};
}
