#pragma once

// What the vtxss subcommands write besides their files: JSON documents,
// files sent to stdout ("-"), and what the module prints on the host's
// command line while a command runs.

#include "platform/core/VtxString.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

using Json = nlohmann::ordered_json;

/// text followed by blanks up to width bytes (unchanged when longer), for
/// the columns of a text report.
std::string padded(std::string text, std::size_t width);

/// Prints document on stdout, indented by two, as UTF-8 (a byte sequence
/// that is not UTF-8 is replaced, never thrown on).
void printJson(const Json& document);

/// Where a command's report goes: stderr when its file goes to stdout.
std::ostream& reportStream(const std::string& target);

/// Writes a file to target (module text) through write, which is handed a
/// module path. For "-" the file is written into a private temporary
/// folder, copied to stdout and removed; a binary file is refused (misuse)
/// when stdout is a terminal. extension names the temporary file's kind
/// ("csv", "vtxd") and stem its name, which a writer may put into the file
/// (a bill's title). A target that is a file the command read is refused
/// (misuse; see refuseReadInput), unless it is `replaced`.
void writeTarget(const Vtx_String& target, const std::string& extension, bool binary,
                 const std::function<void(const Vtx_String& path)>& write,
                 const Vtx_String& replaced = {}, const std::string& stem = "out");
/// The file a command writes, named on the command line: "-" (stdout) or
/// module text (see moduleText).
Vtx_String targetFile(const std::string& path);

/// One message the module printed: a "*Error* ..." line, a "Warning: ..."
/// message box with its further lines, or any other line; UTF-8, paths in
/// native form.
struct ModuleMessage {
    enum class Kind { Error, Warning, Note };
    Kind kind = Kind::Note;
    std::string text; ///< without its "*Error* " or "Warning: " mark; lines joined by "\n"
    /// The text on one line ("\n" and the blanks around it become one blank).
    std::string oneLine() const;
};

/// Splits command-line output (8-bit) into messages.
std::vector<ModuleMessage> splitModuleMessages(const std::string& commandLineText);

/// Keeps what the module prints on the host's command line from the
/// terminal while it lives, so that each command decides where it goes.
class ModuleMessages {
public:
    ModuleMessages();
    ~ModuleMessages();
    ModuleMessages(const ModuleMessages&) = delete;
    ModuleMessages& operator=(const ModuleMessages&) = delete;

    /// The messages printed since the last take.
    std::vector<ModuleMessage> take();
    /// The error messages printed since the last take, each on one line and
    /// joined by "; "; empty when there is none. The rest is dropped.
    std::string takeErrors();
    /// Prints what was not taken on stderr, one line each:
    /// "vtxss CMD: warning: ...".
    void printRest(const std::string& command);

private:
    int m_echoBefore;
};

} // namespace cli
