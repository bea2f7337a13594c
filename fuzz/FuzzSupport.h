#pragma once

/// What every fuzz target shares: the entry point libFuzzer calls, a check
/// that turns a broken promise into a crash with a message, a per-process
/// temporary folder for readers that only take a path, and the comparison of
/// two generations of written bytes.
///
///     extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
///         const std::string_view bytes = fuzz::asText(data, size);
///         const std::string path = fuzz::writeTempFile("input.txt", bytes);
///         ...
///         FUZZ_CHECK(second == third, "written again, the file changed");
///         return 0;
///     }
///
/// Built with libFuzzer (clang and the sanitizer preset) the targets fuzz;
/// built with any other compiler they link FuzzReplay.cpp, whose main() feeds
/// them the files of the seed and crash corpora once each.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

/// Prints "fuzz check failed: <what>" with the place and the failed
/// condition to stderr, then aborts: a failed round trip is a crash that
/// libFuzzer keeps as a reproducer.
[[noreturn]] void fail(const char* file, int line, const char* condition, const std::string& what);

/// The input as bytes of text.
inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// The folder of this process's temporary files (in memory under /dev/shm
/// when that exists, so that flushed writes cost little), made on first use
/// and removed when the process ends normally. Native path, no closing "/".
const std::string& tempFolder();
/// Writes bytes to tempFolder()/relative (making its folders) and returns
/// the native path. Aborts when the file cannot be written.
std::string writeTempFile(const std::string& relative, std::string_view bytes);
/// The bytes of a file, or "" when it cannot be read.
std::string readWholeFile(const std::string& path);
/// A core path (backslashes) of a native path.
std::string corePathOf(const std::string& nativePath);

/// text as a text constant of a formula: in double quotes, quotes doubled.
std::string formulaText(std::string_view text);

/// Where two texts first differ, with a few bytes of each around it, for
/// the message of a failed comparison.
std::string firstDifference(std::string_view a, std::string_view b);

} // namespace fuzz

/// Aborts with a message when cond is false.
#define FUZZ_CHECK(cond, what)                                                                     \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::fuzz::fail(__FILE__, __LINE__, #cond, (what));                                       \
    } while (false)

/// Aborts when two generations of written bytes differ, showing where.
#define FUZZ_CHECK_SAME(a, b, what)                                                                \
    do {                                                                                           \
        if ((a) != (b))                                                                            \
            ::fuzz::fail(__FILE__, __LINE__, #a " == " #b,                                         \
                         std::string(what) + ": " + ::fuzz::firstDifference((a), (b)));            \
    } while (false)
