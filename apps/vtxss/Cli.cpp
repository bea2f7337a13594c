#include "Cli.h"

#include "platform/core/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace cli {

bool Args::parse(int argc, char** argv, const std::vector<std::string>& valueOptions,
                 const std::vector<std::string>& switches, std::string& error) {
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            m_positional.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::string inlineValue;
        bool hasInline = false;
        if (auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasInline = true;
        }
        if (std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end()) {
            if (hasInline) {
                m_values[name] = inlineValue;
            } else if (i + 1 < argc) {
                m_values[name] = argv[++i];
            } else {
                error = "option --" + name + " needs a value";
                return false;
            }
        } else if (std::find(switches.begin(), switches.end(), name) != switches.end()) {
            m_switches[name] = true;
        } else {
            error = "unknown option --" + name;
            return false;
        }
    }
    return true;
}

std::string Args::value(const std::string& name, const std::string& fallback) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? fallback : it->second;
}

namespace {

std::string folderFrom(const Args& args, const char* option, const char* env,
                       const char* fallback) {
    if (args.has(option))
        return args.value(option);
    if (const char* fromEnv = std::getenv(env); fromEnv && *fromEnv)
        return fromEnv;
    return fallback;
}

} // namespace

bool setUpFolders(const Args& args, std::string& error) {
    std::string lib = folderFrom(args, "lib", "VTX_LIBRARY", VTX_DEFAULT_LIBRARY);
    std::string install = folderFrom(args, "install", "VTX_INSTALL", VTX_DEFAULT_INSTALL);
    if (!std::filesystem::is_directory(lib)) {
        error = "library folder not found: " + lib;
        return false;
    }
    if (!std::filesystem::is_directory(install)) {
        error = "installation folder not found: " + install;
        return false;
    }
    gSettings.setLibDir(std::filesystem::absolute(lib).string());
    gSettings.setVtxDir(std::filesystem::absolute(install).string());
    return true;
}

int fail(const std::string& command, const std::string& reason) {
    std::cerr << "vtxss " << command << ": " << reason << "\n";
    return 1;
}

std::string resolveLibraryPath(const std::string& path) {
    std::filesystem::path p(path);
    if (p.is_absolute() || std::filesystem::exists(p))
        return path;
    std::string lib = gSettings.libDir.str();
    std::replace(lib.begin(), lib.end(), '\\', '/');
    std::string rel = path;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return (std::filesystem::path(lib) / rel).string();
}

} // namespace cli
