#pragma once

// A grid in a window-less dialog over a fresh temporary folder tree, with
// the installation folder at root/install; the tree is removed and the
// installation folder restored at the end. Files are named by core paths
// (backslashes) below the root.

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

class GridFolderTest : public ::testing::Test {
protected:
    GridFolderTest(const char* prefix, std::initializer_list<const char*> folders)
        : m_prefix(prefix), m_folders(folders.begin(), folders.end()) {}

    void SetUp() override {
        namespace fs = std::filesystem;
        for (int i = 0;; ++i) {
            m_root = fs::temp_directory_path() /
                     (m_prefix + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(m_root))
                break;
        }
        fs::create_directories(m_root / "install");
        for (const std::string& folder : m_folders)
            fs::create_directories(m_root / folder);
        m_savedVtxDir = gSettings.vtxDir;
        gSettings.setVtxDir(path("install"));
        dialog.addPlaceholder(1196, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
    }
    void TearDown() override {
        gSettings.vtxDir = m_savedVtxDir;
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    // A core path below the temporary root, written with backslashes.
    Vtx_String path(const std::string& relative) const {
        Vtx_String text = m_root.string() + "/" + relative;
        text.replaceSubString("/", "\\");
        return text;
    }
    void write(const std::string& relative, const std::string& bytes) {
        ASSERT_EQ(writeFileAtomically(path(relative), bytes), eOk);
    }
    static std::string readBytes(const Vtx_String& file) {
        std::string bytes;
        readFileBytes(file, bytes);
        return bytes;
    }

    std::filesystem::path m_root;
    HiddenDialogHost dialog;
    Vtx_Spread grid;

private:
    std::string m_prefix;
    std::vector<std::string> m_folders;
    Vtx_String m_savedVtxDir;
};
