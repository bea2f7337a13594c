#pragma once

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "platform/core/VtxString.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

/// Shows a core text in test failures as an escaped byte string.
inline void PrintTo(const Vtx_String& text, std::ostream* os) {
    *os << testing::PrintToString(text.str());
}

/// A fresh folder under the system's temporary folder, removed with
/// everything in it when the object goes.
class CoreTempFolder {
public:
    CoreTempFolder() {
        m_path = std::filesystem::temp_directory_path() /
                 ("vtx_core_test_" + generateRandomString(12).str());
        std::filesystem::create_directories(m_path);
    }
    ~CoreTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CoreTempFolder(const CoreTempFolder&) = delete;
    CoreTempFolder& operator=(const CoreTempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// The folder as a core path ending with "\\".
    Vtx_String core() const { return corePath(m_path) + "\\"; }
    /// A core path of a file in the folder.
    Vtx_String file(const std::string& name) const { return core() + Vtx_String(name); }

    /// Writes bytes to a file of the folder directly (not through the core).
    void put(const std::string& name, std::string_view bytes) const {
        std::filesystem::path target = nativePath(file(name));
        std::filesystem::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    /// The bytes of a file of the folder, read directly.
    std::string get(const std::string& name) const {
        std::ifstream in(nativePath(file(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    /// Number of entries in the folder (files and folders, not recursive).
    int entryCount() const {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path))
            ++n;
        return n;
    }

private:
    std::filesystem::path m_path;
};
