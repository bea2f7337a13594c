#pragma once

// A temporary library folder holding copies of the sample's section tables,
// set as the core library's library folder while a test runs.

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "sectionlib/ProfValuesTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// Texts in failure messages as text, not as bytes of the object.
inline void PrintTo(const Vtx_String& text, std::ostream* out) {
    *out << '"' << text.str() << '"';
}

class SectionLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        libDir = std::filesystem::temp_directory_path() /
                 ("vtx-sections-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(libDir);
        std::filesystem::copy(std::filesystem::path(VTX_SAMPLE_DIR) / "library" / "prof",
                              libDir / "prof");
        gSettings.setLibDir(libDir.string() + "/");
        savedLanguage = gSettings.workLanguage;
        resetSectionTableManager();
    }
    void TearDown() override {
        gSettings.workLanguage = savedLanguage;
        resetSectionTableManager();
        std::error_code ec;
        std::filesystem::permissions(prof("HEA.pr"), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(libDir, ec);
    }

    std::filesystem::path prof(const std::string& file) const { return libDir / "prof" / file; }

    static std::string bytesOf(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    /// A table read from the temporary library; the test fails when it does not read.
    Vtx_ProfValuesTable load(const char* name) {
        Vtx_ProfValuesTable table;
        Vtx_String reason;
        EXPECT_TRUE(table.readFromFile(name, &reason)) << reason.str();
        return table;
    }

    std::filesystem::path libDir;
    Vtx_String savedLanguage;
};
