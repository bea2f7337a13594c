#pragma once

// Small helpers shared by the vtxss subcommands: option parsing, the library
// and installation folders, and failure reporting.

#include "platform/core/VtxString.h"

#include <map>
#include <string>
#include <vector>

namespace cli {

/// Parsed command line of one subcommand: --name value options, --flag
/// switches and positional arguments.
class Args {
public:
    /// valueOptions are the option names that take a value; every other
    /// "--name" is a switch. False with error set for an unknown option
    /// when known is not empty.
    bool parse(int argc, char** argv, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& switches, std::string& error);
    bool has(const std::string& name) const {
        return m_values.count(name) || m_switches.count(name);
    }
    std::string value(const std::string& name, const std::string& fallback = {}) const;
    const std::vector<std::string>& positional() const { return m_positional; }

private:
    std::map<std::string, std::string> m_values;
    std::map<std::string, bool> m_switches;
    std::vector<std::string> m_positional;
};

/// Sets the core library's folders from --lib and --install, else from the
/// VTX_LIBRARY and VTX_INSTALL environment variables, else the shipped
/// sample. False with a reason when a folder does not exist.
bool setUpFolders(const Args& args, std::string& error);

/// Prints "vtxss <command>: <reason>" as one line on stderr; returns 1.
int fail(const std::string& command, const std::string& reason);

/// A path given on the command line: absolute or relative to the current
/// folder when that file exists, else relative to the library folder.
std::string resolveLibraryPath(const std::string& path);

} // namespace cli
