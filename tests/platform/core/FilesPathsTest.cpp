// Core paths on a file system of mixed names, whether two paths name one
// file, and the log of the files read.

#include "platform/core/Files.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

void putRaw(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(FilesPaths, MixedNamesAreFoundPartByPart) {
    CoreTempFolder folder;
    // A folder stored in 8-bit bytes holding a file of UTF-8 name, and a
    // folder of UTF-8 name holding a file stored in 8-bit bytes.
    putRaw(folder.path() / "Biblioth\xE8que" / "R\xC3\xA9sum\xC3\xA9.kss", "one");
    putRaw(folder.path() / "Caf\xC3\xA9" / "Tr\xE4ger.txt", "two");
    std::string bytes;
    ASSERT_EQ(readFileBytes(folder.file("Biblioth\xE8que\\R\xE9sum\xE9.kss"), bytes), eOk);
    EXPECT_EQ(bytes, "one");
    ASSERT_EQ(readFileBytes(folder.file("Caf\xE9\\Tr\xE4ger.txt"), bytes), eOk);
    EXPECT_EQ(bytes, "two");

    // A new file, and a new folder, in the 8-bit folder get UTF-8 names.
    ASSERT_EQ(writeFileAtomically(folder.file("Biblioth\xE8que\\Neu \x80.kss"), "three"), eOk);
    EXPECT_TRUE(fs::exists(folder.path() / "Biblioth\xE8que" / "Neu \xE2\x82\xAC.kss"));
    const Vtx_String deeper = folder.file("Biblioth\xE8que\\\xC4ste");
    fs::create_directories(nativePath(deeper));
    EXPECT_TRUE(fs::is_directory(folder.path() / "Biblioth\xE8que" / "\xC3\x84ste"));
    EXPECT_FALSE(fs::exists(folder.path() / "Biblioth\xC3\xA8que"));

    // A name on disk in UTF-8 of characters outside Windows-1252 keeps its
    // bytes as module text and is found again by them.
    putRaw(folder.path() / "\xE6\x97\xA5\xE6\x9C\xAC" / "a.txt", "four");
    Vtx_StringArray files;
    ASSERT_EQ(ObjectExportFindFilesRecursive(folder.core(), "a.txt", files), eOk);
    ASSERT_EQ(files.length(), 1);
    ASSERT_EQ(readFileBytes(files[0], bytes), eOk) << files[0].str();
    EXPECT_EQ(bytes, "four");
}

TEST(FilesPaths, SameFileGoesByIdentityNotByText) {
    CoreTempFolder folder;
    putRaw(folder.path() / "sub" / "P\xE9.csv", "parts");
    putRaw(folder.path() / "other.csv", "parts");
    const Vtx_String latin = folder.file("sub\\P\xE9.csv");
    fs::create_hard_link(folder.path() / "sub" / "P\xE9.csv", folder.path() / "hard.csv");
    fs::create_symlink(folder.path() / "sub", folder.path() / "link");

    EXPECT_TRUE(sameFile(latin, folder.file("sub/../sub/P\xE9.csv")));
    EXPECT_TRUE(sameFile(latin, folder.file("hard.csv")));
    EXPECT_TRUE(sameFile(latin, folder.file("link\\P\xE9.csv")));
    // The same content in another file, and a file not there, are others.
    EXPECT_FALSE(sameFile(latin, folder.file("other.csv")));
    EXPECT_FALSE(sameFile(latin, folder.file("sub\\missing.csv")));
    EXPECT_FALSE(sameFile(folder.file("sub\\missing.csv"), folder.file("sub\\missing.csv")));
}

TEST(FilesPaths, TheReadLogKnowsWhatWasReadWhileItLived) {
    CoreTempFolder folder;
    folder.put("a.txt", "a");
    folder.put("b.txt", "b");
    folder.put("c.txt", "c");
    std::string bytes;
    ASSERT_EQ(readFileBytes(folder.file("a.txt"), bytes), eOk); // before any log
    FileReadLog outer;
    ASSERT_EQ(readFileBytes(folder.file("b.txt"), bytes), eOk);
    {
        FileReadLog inner;
        Vtx_StringArray lines;
        ASSERT_EQ(ObjectExportReadFile(folder.file("c.txt"), lines), eOk);
        EXPECT_EQ(inner.find(folder.file("c.txt")), folder.file("c.txt"));
        EXPECT_TRUE(inner.find(folder.file("b.txt")).isEmpty());
    }
    ASSERT_EQ(readFileBytes(folder.file("missing.txt"), bytes), eFileNotFound);
    EXPECT_TRUE(outer.find(folder.file("a.txt")).isEmpty());
    // Found under another spelling, and given back as it was read.
    EXPECT_EQ(outer.find(folder.file("./b.txt")), folder.file("b.txt"));
    EXPECT_FALSE(outer.find(folder.file("c.txt")).isEmpty());
    EXPECT_TRUE(outer.find(folder.file("missing.txt")).isEmpty());
}

// A log replaced by a newer one ends while the newer lives: reads go on
// being noted in the newer one, and nothing points at the ended log (a
// command run again in the same process replaces its log).
TEST(FilesPaths, AReadLogEndingOutOfTurnLeavesTheOthersWhole) {
    CoreTempFolder folder;
    folder.put("a.txt", "a");
    std::string bytes;
    for (int round = 0; round < 3; ++round) {
        auto first = std::make_unique<FileReadLog>();
        auto second = std::make_unique<FileReadLog>();
        first.reset();
        ASSERT_EQ(readFileBytes(folder.file("a.txt"), bytes), eOk);
        EXPECT_EQ(second->find(folder.file("a.txt")), folder.file("a.txt"));
    }
    ASSERT_EQ(readFileBytes(folder.file("a.txt"), bytes), eOk) << "no log left behind";
}

} // namespace
