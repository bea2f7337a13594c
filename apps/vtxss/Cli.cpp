#include "Cli.h"

#include "Options.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace cli {

void fail(const std::string& reason) {
    throw Failure(reason, kExitFailure);
}

void misuse(const std::string& reason) {
    throw Failure(reason, kExitMisuse);
}

std::string shownPath(const std::string& path) {
    std::string text = path;
    if (fs::path::preferred_separator == '/')
        std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string shown(const Vtx_String& moduleText) {
    return shownPath(toUtf8(moduleText.view()));
}

std::string shownInLibrary(const Vtx_String& moduleText) {
    std::string out = shown(moduleText);
    const std::string lib = shown(gSettings.libDir);
    for (std::size_t at = out.find(lib); !lib.empty() && at != std::string::npos;
         at = out.find(lib, at))
        out.erase(at, lib.size());
    return out;
}

namespace {

// True when text is well-formed UTF-8 (any code point).
bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        if (b >= 0x80) {
            if ((b & 0xE0) == 0xC0)
                extra = 1;
            else if ((b & 0xF0) == 0xE0)
                extra = 2;
            else if ((b & 0xF8) == 0xF0)
                extra = 3;
            else
                return false;
        }
        if (i + extra >= text.size() && extra > 0)
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

Vtx_String moduleText(const std::string& utf8, const std::string& what) {
    std::string bytes;
    if (fromUtf8(utf8, bytes))
        return Vtx_String(std::move(bytes));
    // Not UTF-8 at all: a name typed or stored in 8-bit bytes ("R\xE9sum\xE9")
    // is taken as the 8-bit text it is.
    if (!isUtf8(utf8))
        return Vtx_String(utf8);
    misuse(what + " '" + utf8 + "' has a character outside Windows-1252");
    return {};
}

void addFolderOptions(CLI::App& command, Folders& folders) {
    addValueOption(command, "--lib", folders.lib, "DIR",
                   "library folder (default: $VTX_LIBRARY, else the shipped sample)");
    addValueOption(command, "--install", folders.install, "DIR",
                   "installation folder with the language texts and print-settings sets "
                   "(default: $VTX_INSTALL, else the shipped sample)");
}

namespace {

std::string folderFrom(const std::string& given, const char* env, const std::string& fallback) {
    if (!given.empty())
        return given;
    if (const char* fromEnv = std::getenv(env); fromEnv && *fromEnv)
        return fromEnv;
    return fallback;
}

Vtx_String folderSetting(const std::string& folder, const char* what) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        fail(std::string(what) + " folder not found: " + shownPath(folder));
    return moduleText(fs::absolute(folder, ec).lexically_normal().string(),
                      std::string("the ") + what + " folder");
}

} // namespace

void setUpFolders(const Folders& folders) {
    const Vtx_String lib = folderSetting(
        folderFrom(folders.lib, "VTX_LIBRARY", shippedFolder("library", VTX_DEFAULT_LIBRARY)),
        "library");
    const Vtx_String install = folderSetting(
        folderFrom(folders.install, "VTX_INSTALL", shippedFolder("install", VTX_DEFAULT_INSTALL)),
        "installation");
    gSettings.setLibDir(lib);
    gSettings.setVtxDir(install);
}

Vtx_String libraryFile(const std::string& path, const std::string& what) {
    const Vtx_String given = moduleText(path, what);
    if (nativePath(given).is_absolute() || fileExists(given) || folderExists(given))
        return given;
    const Vtx_String& lib = gSettings.libDir;
    const bool closed = lib.endsWith("\\") || lib.endsWith("/");
    return lib + (closed ? "" : "\\") + given;
}

namespace {

std::unique_ptr<FileReadLog>& inputLog() {
    static std::unique_ptr<FileReadLog> log;
    return log;
}

void refuseTarget(const Vtx_String& target, const std::string& input) {
    misuse("--out " + shown(target) + " is the same file as " + input + "; name another file");
}

} // namespace

void refuseOwnInput(const Vtx_String& target, const Vtx_String& input,
                    const std::string& inputWhat) {
    if (!isStdout(target.str()) && sameFile(target, input))
        refuseTarget(target, inputWhat + " " + shown(input));
}

void refuseReadInput(const Vtx_String& target, const Vtx_String& replaced) {
    if (!inputLog() || isStdout(target.str()))
        return;
    const Vtx_String input = inputLog()->find(target);
    if (!input.isEmpty() && !sameFile(input, replaced))
        refuseTarget(target, shown(input) + ", which the command reads");
}

void recordInputs() {
    // The log of an earlier command in this process goes first, so that the
    // new one does not start inside it.
    inputLog().reset();
    inputLog() = std::make_unique<FileReadLog>();
}

} // namespace cli
