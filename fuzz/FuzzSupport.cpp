#include "FuzzSupport.h"

#include "platform/core/Files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include <sys/types.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fuzz {

namespace {

// Bytes shown escaped, so a message stays on one line whatever it quotes.
std::string printable(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        }
    }
    return out;
}

// Folders of earlier runs that ended in a crash (which skips the clean-up)
// are removed once their process is gone.
void removeStaleFolders(const fs::path& base) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("vtx-fuzz-"))
            continue;
        const long pid = std::strtol(name.c_str() + 9, nullptr, 10);
        if (pid > 0 && !processRunning(pid))
            fs::remove_all(entry.path(), error);
    }
}

fs::path makeTempFolder() {
    std::error_code error;
    fs::path base = "/dev/shm";
    if (!fs::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0)
        base = fs::temp_directory_path();
    removeStaleFolders(base);
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = base / ("vtx-fuzz-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(device() % 1000000));
        if (fs::create_directory(folder, error))
            return folder;
    }
    std::fprintf(stderr, "fuzz: cannot make a temporary folder in %s\n", base.c_str());
    std::abort();
}

// Removes the folder at normal exit (libFuzzer ends a timed run with exit()).
struct TempFolder {
    fs::path path = makeTempFolder();
    std::string text = path.string();
    ~TempFolder() {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

} // namespace

void fail(const char* file, int line, const char* condition, const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n  at %s:%d: %s\n", printable(what).c_str(), file,
                 line, condition);
    std::fflush(stderr);
    std::abort();
}

const std::string& tempFolder() {
    static TempFolder folder;
    return folder.text;
}

std::string writeTempFile(const std::string& relative, std::string_view bytes) {
    const fs::path path = fs::path(tempFolder()) / relative;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        fail(__FILE__, __LINE__, "out", "cannot write the temporary file " + path.string());
    return path.string();
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string corePathOf(const std::string& nativePath) {
    std::string path = nativePath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string formulaText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::string firstDifference(std::string_view a, std::string_view b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const std::size_t from = at < 16 ? 0 : at - 16;
    return "first difference at byte " + std::to_string(at) + " of " + std::to_string(a.size()) +
           " and " + std::to_string(b.size()) + ": \"" + printable(a.substr(from, 48)) +
           "\" against \"" + printable(b.substr(from, 48)) + "\"";
}

} // namespace fuzz
