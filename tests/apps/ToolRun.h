#pragma once

// Runs the built vtxss as a user runs it, in a folder of its own, and keeps
// its exit code, stdout and stderr apart.

#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

struct ToolResult {
    int code = -1;
    std::string out;
    std::string err;
    /// The lines of stderr.
    int errLines() const;
};

/// Runs vtxss with args in folder (the current folder when empty); stdin
/// is empty, VTX_LIBRARY and VTX_INSTALL are unset.
ToolResult runTool(const std::vector<std::string>& args, const std::filesystem::path& folder = {});
/// As runTool, with another copy of the program.
ToolResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder = {});

/// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

/// A file's bytes.
std::string readFile(const std::filesystem::path& file);

const std::filesystem::path kSample = VTX_SAMPLE_DIR;
const std::filesystem::path kTestData = VTX_TEST_DATA;

} // namespace tooltest
