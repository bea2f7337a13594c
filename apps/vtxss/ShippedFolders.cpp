// Where the shipped sample library and installation folder are: beside the
// installed program (share/vtxss/ under its prefix), or in the source tree
// when the program runs from its build tree.

#include "Cli.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace cli {

std::string shippedFolder(const std::string& name, const std::string& buildTreeFolder) {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    fs::path installed;
    if (!ec) {
        installed = (program.parent_path() / VTX_DATA_FROM_BIN / name).lexically_normal();
        if (fs::is_directory(installed, ec))
            return installed.string();
    }
    if (installed.empty() || fs::is_directory(buildTreeFolder, ec))
        return buildTreeFolder;
    return installed.string();
}

} // namespace cli
