#pragma once

// What the vtxss subcommands share: how a command fails, the library and
// installation folders, and texts and paths between the command line (UTF-8,
// native separators) and the module (8-bit Windows-1252 text, "\" or "/").

#include "platform/core/VtxString.h"

#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

namespace cli {

/// Exit codes of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; ///< the work failed (a missing file, a refused value, ...)
constexpr int kExitMisuse = 2;  ///< the command line is wrong

/// A command's failure: one line for the user and its exit code. Thrown by
/// a command and turned into "vtxss CMD: reason" by the dispatcher only.
class Failure : public std::runtime_error {
public:
    Failure(const std::string& reason, int code) : std::runtime_error(reason), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

/// Ends the command: the work failed (exit 1). reason is UTF-8, one line.
[[noreturn]] void fail(const std::string& reason);
/// Ends the command: the command line is wrong (exit 2).
[[noreturn]] void misuse(const std::string& reason);

/// Module text (8-bit) as the user reads it: UTF-8, with "\" turned into
/// the native separator where that is "/" (the module's paths use either).
std::string shown(const Vtx_String& moduleText);
/// A text as the user reads it (see shown), with the library folder left
/// out of the paths in it: "Connection Standards/FinPlate/FP-Standard.kss".
std::string shownInLibrary(const Vtx_String& moduleText);
/// A path as the user reads it (module or command-line form alike).
std::string shownPath(const std::string& path);
/// A name or path of the command line (UTF-8) as module text; a misuse
/// naming `what` when it holds a character that 8-bit text cannot hold.
Vtx_String moduleText(const std::string& utf8, const std::string& what);

/// The folder options of the commands that read the library.
struct Folders {
    std::string lib;     ///< --lib, else $VTX_LIBRARY, else the shipped sample
    std::string install; ///< --install, else $VTX_INSTALL, else the shipped sample
};
void addFolderOptions(CLI::App& command, Folders& folders);
/// Sets the core library's folders; fails when one does not exist.
void setUpFolders(const Folders& folders);
/// The shipped folder `name` ("library", "install") that a folder option
/// falls back to: <program's folder>/VTX_DATA_FROM_BIN/name when the tool
/// runs installed (the program found through /proc/self/exe, links
/// resolved), else buildTreeFolder when it exists (the tool runs from its
/// build tree), else the installed path, for the error to name.
std::string shippedFolder(const std::string& name, const std::string& buildTreeFolder);

/// A file named on the command line (`what` names it in a refusal), as
/// module text: as given when it is absolute or exists (relative to the
/// current folder), else relative to the library folder. "\\" and "/"
/// both separate folders.
Vtx_String libraryFile(const std::string& path, const std::string& what);

/// Misuse when target (a file the command writes) is input, one of its own
/// inputs, by file identity (links, hard links and other spellings of the
/// path count; see sameFile). inputWhat names the input ("the part list").
void refuseOwnInput(const Vtx_String& target, const Vtx_String& input,
                    const std::string& inputWhat);
/// Misuse when target is a file the command read so far (the standards, a
/// mapping file, ...), unless it is `replaced`, the one file the command is
/// meant to write over (apply's drawing).
void refuseReadInput(const Vtx_String& target, const Vtx_String& replaced = {});
/// Starts recording the files a command reads, for refuseReadInput.
void recordInputs();

/// True for "-", which names stdout where a command writes a file.
inline bool isStdout(const std::string& path) {
    return path == "-";
}

} // namespace cli
