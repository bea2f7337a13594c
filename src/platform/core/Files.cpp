#include "platform/core/Files.h"

#include "platform/core/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <map>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#define VTX_POSIX_FILES 1
#endif

namespace fs = std::filesystem;

namespace {

void setReason(Vtx_String* reason, const Vtx_String& path, const std::string& what) {
    if (reason)
        *reason = Vtx_String(path.str() + ": " + what);
}

#ifdef VTX_POSIX_FILES
// Writes all bytes to a new file and, with sync, forces them to disk before
// it is closed.
bool writeAndSync(const fs::path& file, std::string_view bytes, bool sync = true) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<std::size_t>(n);
    }
    ok = ok && (!sync || ::fsync(fd) == 0);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

// Forces everything written to the file system holding folder to disk: one
// call for a whole batch of files.
bool syncFileSystem(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

long long currentProcess() {
    return static_cast<long long>(::getpid());
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#else
bool writeAndSync(const fs::path& file, std::string_view bytes, bool = true) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

void syncFolder(const fs::path&) {}
bool syncFileSystem(const fs::path&) {
    return true;
}
long long currentProcess() {
    return 0;
}
#endif

// Temporary files are named "<target>.~<process>-<random>.tmp", so that the
// ones a killed writer left behind are recognised and removed by the next
// write of the same target (a file of a process still running is kept).
fs::path temporaryBeside(const fs::path& target) {
    fs::path temp = target;
    temp += ".~" + std::to_string(currentProcess()) + "-" + generateRandomString(8).str() + ".tmp";
    return temp;
}

void removeStaleTemporaries(const fs::path& folder, const std::vector<std::string>& targets) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    if (ec)
        return;
    std::vector<fs::path> stale;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        const std::size_t mark = name.rfind(".~");
        if (mark == std::string::npos || name.size() < 5 ||
            name.compare(name.size() - 4, 4, ".tmp") != 0)
            continue;
        if (!std::binary_search(targets.begin(), targets.end(), name.substr(0, mark)))
            continue;
        const std::string tag = name.substr(mark + 2, name.size() - mark - 6);
        const std::size_t dash = tag.find('-');
        long long pid = 0;
        if (dash != std::string::npos) {
            try {
                pid = std::stoll(tag.substr(0, dash));
            } catch (const std::exception&) {
                pid = 0;
            }
        }
        if (!processRunning(pid) || (pid == currentProcess() && dash != std::string::npos))
            stale.push_back(entry.path());
    }
    for (const fs::path& file : stale)
        fs::remove(file, ec);
}

Vtx_String withClosingSeparator(const Vtx_String& folder) {
    if (folder.isEmpty() || folder.endsWith("\\") || folder.endsWith("/"))
        return folder;
    return folder + "\\";
}

void sortFileList(Vtx_StringArray& files) {
    std::sort(files.begin(), files.end(), [](const Vtx_String& a, const Vtx_String& b) {
        int folded = a.compare(b, false);
        return folded != 0 ? folded < 0 : a.compare(b, true) < 0;
    });
}

} // namespace

Vtx_String changeExtension(const Vtx_String& path, const Vtx_String& ext) {
    int lastSeparator = std::max(path.findLast('\\'), path.findLast('/'));
    int dot = path.findLast('.');
    Vtx_String stem = dot > lastSeparator ? path.left(dot) : path;
    return ext.isEmpty() ? stem : stem + "." + ext;
}

bool fileExists(const Vtx_String& path) {
    std::error_code ec;
    return fs::is_regular_file(nativePath(path), ec);
}

bool fileStampOf(const Vtx_String& path, FileStamp& stamp) {
#ifdef VTX_POSIX_FILES
    struct stat info {};
    if (::stat(nativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modified = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL +
                     static_cast<long long>(info.st_mtim.tv_nsec);
    return true;
#else
    std::error_code ec;
    const fs::path file = nativePath(path);
    if (!fs::is_regular_file(file, ec))
        return false;
    const auto size = fs::file_size(file, ec);
    if (ec)
        return false;
    const auto modified = fs::last_write_time(file, ec);
    if (ec)
        return false;
    stamp.size = size;
    stamp.modified = static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count());
    return true;
#endif
}

bool folderExists(const Vtx_String& path) {
    std::error_code ec;
    return fs::is_directory(nativePath(path), ec);
}

ErrorStatus readFileBytes(const Vtx_String& path, std::string& bytes, Vtx_String* reason) {
    bytes.clear();
    fs::path file = nativePath(path);
    std::error_code ec;
    fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) {
        setReason(reason, path, "file not found");
        return eFileNotFound;
    }
    if (!fs::is_regular_file(status)) {
        setReason(reason, path, "not a file");
        return eFileAccessErr;
    }
    std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        setReason(reason, path, "cannot read the file size");
        return eFileAccessErr;
    }
    if (size > static_cast<std::uintmax_t>(kMaxFileSize)) {
        setReason(reason, path, "file larger than " + std::to_string(kMaxFileSize) + " bytes");
        return eLimitExceeded;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        setReason(reason, path, "cannot open the file");
        return eFileAccessErr;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size) || in.bad()) {
        bytes.clear();
        setReason(reason, path, "cannot read the file");
        return eFileAccessErr;
    }
    FileReadLog::noteRead(path);
    return eOk;
}

ErrorStatus ObjectExportReadFile(const Vtx_String& path, Vtx_StringArray& lines,
                                 Vtx_String* reason) {
    lines.removeAll();
    std::string bytes;
    if (ErrorStatus status = readFileBytes(path, bytes, reason); status != eOk)
        return status;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < bytes.size()) {
        ++lineNumber;
        std::size_t end = bytes.find('\n', start);
        std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        if (end - start > static_cast<std::size_t>(kMaxLineLength)) {
            lines.removeAll();
            setReason(reason, path,
                      "line " + std::to_string(lineNumber) + ": line longer than " +
                          std::to_string(kMaxLineLength) + " bytes");
            return eLimitExceeded;
        }
        lines.append(Vtx_String(bytes.substr(start, end - start)));
        start = next;
    }
    return eOk;
}

ErrorStatus ObjectExportWriteFile(const Vtx_String& path, const Vtx_StringArray& lines) {
    std::string bytes;
    for (const Vtx_String& line : lines) {
        if (line.find('\n') >= 0)
            return eInvalidInput;
        if (line.length() > kMaxLineLength)
            return eLimitExceeded;
        bytes += line.str();
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

ErrorStatus writeFileAtomically(const Vtx_String& path, std::string_view bytes) {
    const std::vector<std::pair<Vtx_String, std::string_view>> one = {{path, bytes}};
    return writeFilesAtomically(one);
}

ErrorStatus writeFilesAtomically(const std::vector<std::pair<Vtx_String, std::string_view>>& files,
                                 Vtx_String* failed) {
    struct Pending {
        fs::path target;
        fs::path temp;
    };
    std::vector<Pending> pending;
    std::error_code ec;
    auto fail = [&](const Vtx_String& path, ErrorStatus status) {
        for (const Pending& p : pending)
            fs::remove(p.temp, ec);
        if (failed)
            *failed = path;
        return status;
    };
    // Each folder's leftovers of killed writers, once per batch.
    std::map<fs::path, std::vector<std::string>> byFolder;
    for (const auto& [path, bytes] : files) {
        fs::path target = nativePath(path);
        if (target.filename().empty())
            return fail(path, eInvalidInput);
        const fs::path folder = target.parent_path();
        if (!folder.empty() && !fs::is_directory(folder, ec))
            return fail(path, eFileAccessErr);
        if (fs::is_directory(target, ec))
            return fail(path, eFileAccessErr);
        byFolder[folder].push_back(target.filename().string());
    }
    for (auto& [folder, names] : byFolder) {
        std::sort(names.begin(), names.end());
        removeStaleTemporaries(folder, names);
    }
    // All new contents beside their targets first, then one sync for the
    // batch, then the renames, then each folder's entry list: a crash leaves
    // every target whole, old or new. A single file is synced on its own.
    const bool single = files.size() == 1;
    for (const auto& [path, bytes] : files) {
        const fs::path target = nativePath(path);
        fs::path temp;
        bool written = false;
        for (int attempt = 0; attempt < 8 && !written; ++attempt) {
            temp = temporaryBeside(target);
            written = writeAndSync(temp, bytes, single);
            if (!written)
                fs::remove(temp, ec);
        }
        if (!written)
            return fail(path, eFileAccessErr);
        pending.push_back({target, temp});
    }
    if (!single && !pending.empty() && !syncFileSystem(pending.front().target.parent_path()))
        return fail(files.front().first, eFileAccessErr);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        fs::rename(pending[i].temp, pending[i].target, ec);
        if (ec) {
            pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(i));
            return fail(files[i].first, eFileAccessErr);
        }
    }
    for (const auto& [folder, names] : byFolder)
        syncFolder(folder);
    return eOk;
}

bool fileHolds(const Vtx_String& path, std::string_view bytes) {
    const fs::path file = nativePath(path);
    std::error_code ec;
    if (fs::file_size(file, ec) != bytes.size() || ec)
        return false;
    std::ifstream in(file, std::ios::binary);
    std::string held(bytes.size(), '\0');
    return in.read(held.data(), static_cast<std::streamsize>(held.size())) && held == bytes &&
           in.peek() == std::char_traits<char>::eof();
}

bool processRunning(long long pid) {
#ifdef VTX_POSIX_FILES
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
    return pid > 0;
#endif
}

bool matchesFilePattern(const Vtx_String& name, const Vtx_String& pattern) {
    const std::string& s = name.str();
    const std::string& p = pattern.str();
    if (p.empty())
        return true;
    // Greedy matching with one back-track point per "*": linear in practice,
    // never worse than |name| * |pattern|.
    std::size_t si = 0;
    std::size_t pi = 0;
    std::size_t starP = std::string::npos;
    std::size_t starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starS = si;
        } else if (pi < p.size() && (p[pi] == '?' || vtxToLower(p[pi]) == vtxToLower(s[si]))) {
            ++pi;
            ++si;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

namespace {

// The files matching pattern under folder, named by their path below it;
// Iterator decides whether sub-folders are searched.
template <typename Iterator>
ErrorStatus findMatchingFiles(const Vtx_String& folder, const Vtx_String& pattern,
                              Vtx_StringArray& files) {
    files.removeAll();
    fs::path root = nativePath(folder.isEmpty() ? Vtx_String(".") : folder);
    std::error_code ec;
    if (!fs::is_directory(root, ec))
        return eFileNotFound;
    Iterator it(root, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return eFileAccessErr;
    Vtx_String prefix = withClosingSeparator(folder);
    for (; it != Iterator(); it.increment(ec)) {
        if (ec)
            return eFileAccessErr;
        if (!it->is_regular_file(ec))
            continue;
        Vtx_String name = corePath(it->path().filename());
        if (matchesFilePattern(name, pattern))
            files.append(prefix + corePath(it->path().lexically_relative(root)));
    }
    sortFileList(files);
    return eOk;
}

} // namespace

ErrorStatus ObjectExportFindFiles(const Vtx_String& folder, const Vtx_String& pattern,
                                  Vtx_StringArray& files) {
    return findMatchingFiles<fs::directory_iterator>(folder, pattern, files);
}

ErrorStatus ObjectExportFindFilesRecursive(const Vtx_String& folder, const Vtx_String& pattern,
                                           Vtx_StringArray& files) {
    return findMatchingFiles<fs::recursive_directory_iterator>(folder, pattern, files);
}

namespace {

// The entry of folder named part, spelt as given or else with case ignored;
// empty when none is of the wanted kind.
Vtx_String findPartIgnoringCase(const fs::path& folder, const Vtx_String& part, bool wantFolder) {
    std::error_code ec;
    auto isWanted = [&](const fs::path& path) {
        return wantFolder ? fs::is_directory(path, ec) : fs::is_regular_file(path, ec);
    };
    if (isWanted(folder / nativePath(part)))
        return part;
    Vtx_StringArray matches;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const Vtx_String name = corePath(it->path().filename());
        if (name.equal(part, false) && isWanted(it->path()))
            matches.append(name);
    }
    if (matches.length() == 0)
        return {};
    sortFileList(matches);
    return matches[0];
}

} // namespace

Vtx_String findFileIgnoringCase(const Vtx_String& folder, const Vtx_String& relativeName) {
    Vtx_StringArray parts;
    int start = 0;
    for (int i = 0; i <= relativeName.length(); ++i) {
        if (i < relativeName.length() && relativeName.at(i) != '\\' && relativeName.at(i) != '/')
            continue;
        if (i > start)
            parts.append(relativeName.mid(start, i - start));
        start = i + 1;
    }
    fs::path at = nativePath(folder.isEmpty() ? Vtx_String(".") : folder);
    Vtx_String found;
    for (int i = 0; i < parts.length(); ++i) {
        const Vtx_String part = findPartIgnoringCase(at, parts[i], i + 1 < parts.length());
        if (part.isEmpty())
            return {};
        at /= nativePath(part);
        if (i > 0)
            found += '\\';
        found += part;
    }
    return found;
}
