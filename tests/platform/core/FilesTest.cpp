#include "platform/core/Files.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

class FilesTest : public testing::Test {
protected:
    CoreTempFolder m_folder;

    Vtx_StringArray readLines(const std::string& name, ErrorStatus expected = eOk) {
        Vtx_StringArray lines;
        Vtx_String reason;
        EXPECT_EQ(ObjectExportReadFile(m_folder.file(name), lines, &reason), expected)
            << reason.c_str();
        return lines;
    }
};

TEST(FilesPaths, BothSeparatorsMapToNative) {
    EXPECT_EQ(nativePath("a\\b/c.txt"), std::filesystem::path("a/b/c.txt").make_preferred());
    EXPECT_EQ(corePath(std::filesystem::path("a") / "b" / "c.txt"), "a\\b\\c.txt");
    EXPECT_EQ(corePath(nativePath("Data\\Gr\xF6\xDF"
                                  "e.txt")),
              "Data\\Gr\xF6\xDF"
              "e.txt");
}

TEST(FilesPaths, ChangeExtensionTouchesOnlyTheFileName) {
    EXPECT_EQ(changeExtension("Connection Standards\\Base.kss", "map"),
              "Connection Standards\\Base.map");
    EXPECT_EQ(changeExtension("v1.2\\file", "map"), "v1.2\\file.map");
    EXPECT_EQ(changeExtension("v1.2/file.a.b", "c"), "v1.2/file.a.c");
    EXPECT_EQ(changeExtension("design.txt", ""), "design");
}

TEST_F(FilesTest, ReadKeepsHighBytesAndAcceptsBothLineEnds) {
    m_folder.put("map.txt", "Mapping version 1.0\r\nkey=a\x83\x95GenVar x\xBF"
                            "b\nlast\xFF");
    Vtx_StringArray lines = readLines("map.txt");
    ASSERT_EQ(lines.length(), 3);
    EXPECT_EQ(lines[0], "Mapping version 1.0");
    EXPECT_EQ(lines[1], "key=a\x83\x95GenVar x\xBF"
                        "b");
    EXPECT_EQ(lines[2], "last\xFF") << "a last line without its end is kept";
}

TEST_F(FilesTest, ReadCountsLinesAsWritten) {
    m_folder.put("empty.txt", "");
    EXPECT_EQ(readLines("empty.txt").length(), 0);
    m_folder.put("ends.txt", "a\r\nb\r\n");
    EXPECT_EQ(readLines("ends.txt").length(), 2) << "no empty line after the last line end";
    m_folder.put("blank.txt", "\n\r\n");
    EXPECT_EQ(readLines("blank.txt"), Vtx_StringArray({"", ""}));
    m_folder.put("cr.txt", "a\rb\n");
    EXPECT_EQ(readLines("cr.txt"), Vtx_StringArray({"a\rb"})) << "a lone CR is data";
}

TEST_F(FilesTest, ReadFailuresNameTheFileAndLine) {
    Vtx_StringArray lines = {"stale"};
    Vtx_String reason;
    Vtx_String missing = m_folder.file("missing.txt");
    EXPECT_EQ(ObjectExportReadFile(missing, lines, &reason), eFileNotFound);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(reason.hasSubString(missing)) << reason.c_str();

    std::filesystem::create_directory(m_folder.path() / "sub");
    EXPECT_EQ(ObjectExportReadFile(m_folder.file("sub"), lines, &reason), eFileAccessErr);

    m_folder.put("long.txt", "short\n" + std::string(kMaxLineLength + 1, 'x') + "\n");
    EXPECT_EQ(ObjectExportReadFile(m_folder.file("long.txt"), lines, &reason), eLimitExceeded);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(reason.hasSubString("long.txt: line 2:")) << reason.c_str();

    m_folder.put("limit.txt", std::string(kMaxLineLength, 'y'));
    EXPECT_EQ(readLines("limit.txt").length(), 1) << "a line of exactly the limit is read";
}

TEST_F(FilesTest, WriteEndsEveryLineWithCrLfAndRoundTrips) {
    Vtx_StringArray lines = {"Mapping version 1.0", "", "k=\x80\x95\xBF\xFF"};
    ASSERT_EQ(ObjectExportWriteFile(m_folder.file("out.map"), lines), eOk);
    EXPECT_EQ(m_folder.get("out.map"), "Mapping version 1.0\r\n\r\nk=\x80\x95\xBF\xFF\r\n");
    EXPECT_EQ(readLines("out.map"), lines);
    EXPECT_EQ(m_folder.entryCount(), 1) << "no temporary file is left beside the target";
}

TEST_F(FilesTest, RefusedWriteLeavesTheOldContent) {
    m_folder.put("keep.txt", "old\r\n");
    EXPECT_EQ(ObjectExportWriteFile(m_folder.file("keep.txt"), {"one", "two\nthree"}),
              eInvalidInput);
    EXPECT_EQ(ObjectExportWriteFile(m_folder.file("keep.txt"),
                                    {Vtx_String(std::string(kMaxLineLength + 1, 'z'))}),
              eLimitExceeded);
    EXPECT_EQ(m_folder.get("keep.txt"), "old\r\n");
    EXPECT_EQ(ObjectExportWriteFile(m_folder.file("no such folder\\x.txt"), {"a"}), eFileAccessErr);
    EXPECT_EQ(writeFileAtomically(m_folder.core(), "x"), eInvalidInput)
        << "a folder path names no file";
    EXPECT_EQ(m_folder.entryCount(), 1);
}

TEST_F(FilesTest, AtomicWriteReplacesWholeContent) {
    m_folder.put("data.bin", std::string(10000, 'a'));
    std::string bytes("\0\x01\r\n\xFF", 5);
    ASSERT_EQ(writeFileAtomically(m_folder.file("data.bin"), bytes), eOk);
    std::string read;
    ASSERT_EQ(readFileBytes(m_folder.file("data.bin"), read), eOk);
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(fileExists(m_folder.file("data.bin")));
    EXPECT_FALSE(fileExists(m_folder.core()));
    EXPECT_TRUE(folderExists(m_folder.core()));
}

TEST(FilesPattern, WildcardsIgnoreCase) {
    EXPECT_TRUE(matchesFilePattern("Base.KSS", "*.kss"));
    EXPECT_TRUE(matchesFilePattern("a1.txt", "a?.txt"));
    EXPECT_FALSE(matchesFilePattern("a12.txt", "a?.txt"));
    EXPECT_TRUE(matchesFilePattern("\xC4rger.txt", "\xE4*"));
    EXPECT_TRUE(matchesFilePattern("anything", ""));
    EXPECT_TRUE(matchesFilePattern("abcbcd", "a*bcd"));
    EXPECT_FALSE(matchesFilePattern("abc", "abc?"));
    EXPECT_FALSE(matchesFilePattern(std::string(5000, 'a'), std::string(40, '*') + "a*a*a*b"));
}

TEST_F(FilesTest, FindFilesFlatAndRecursiveAreSorted) {
    m_folder.put("Std\\b.kss", "");
    m_folder.put("Std\\A.KSS", "");
    m_folder.put("Std\\notes.txt", "");
    m_folder.put("Std\\Childs\\c.kss", "");
    m_folder.put("Std\\Childs\\Deep\\a.kss", "");
    std::filesystem::create_directory(m_folder.path() / "Std" / "folder.kss");
    Vtx_String root = m_folder.file("Std");

    Vtx_StringArray files = {"stale"};
    ASSERT_EQ(ObjectExportFindFiles(root, "*.kss", files), eOk);
    EXPECT_EQ(files, Vtx_StringArray({root + "\\A.KSS", root + "\\b.kss"}));

    ASSERT_EQ(ObjectExportFindFilesRecursive(root + "\\", "*.KSS", files), eOk);
    EXPECT_EQ(files, Vtx_StringArray({root + "\\A.KSS", root + "\\b.kss", root + "\\Childs\\c.kss",
                                      root + "\\Childs\\Deep\\a.kss"}));
}

TEST_F(FilesTest, EightBitNamesAreUtf8OnDiskAndFoundByTheirBytesToo) {
    // "é" in a module text is written as UTF-8 on disk; a name stored in
    // 8-bit bytes by another program is found, listed and read back too.
    const Vtx_String utf8Name = m_folder.file("R\xE9sum\xE9 \x80.kss");
    ASSERT_EQ(writeFileAtomically(utf8Name, "new"), eOk);
    EXPECT_TRUE(std::filesystem::exists(m_folder.path() / "R\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC.kss"));
    {
        std::ofstream latin(m_folder.path() / "Alt\xE9.kss", std::ios::binary);
        latin << "old";
    }
    std::string bytes;
    ASSERT_EQ(readFileBytes(m_folder.file("Alt\xE9.kss"), bytes), eOk);
    EXPECT_EQ(bytes, "old");
    Vtx_StringArray files;
    ASSERT_EQ(ObjectExportFindFiles(m_folder.file(""), "*.kss", files), eOk);
    ASSERT_EQ(files.length(), 2);
    for (const Vtx_String& file : files) {
        EXPECT_TRUE(fileExists(file)) << file.str();
        EXPECT_EQ(readFileBytes(file, bytes), eOk) << file.str();
    }
    // Writing to the 8-bit name replaces that file; no second one appears.
    ASSERT_EQ(writeFileAtomically(m_folder.file("Alt\xE9.kss"), "newer"), eOk);
    ASSERT_EQ(readFileBytes(m_folder.file("Alt\xE9.kss"), bytes), eOk);
    EXPECT_EQ(bytes, "newer");
    ASSERT_EQ(ObjectExportFindFiles(m_folder.file(""), "*.kss", files), eOk);
    EXPECT_EQ(files.length(), 2);
}

TEST_F(FilesTest, ABatchIsWrittenWholeAndLeftoversOfKilledWritersGo) {
    namespace fs = std::filesystem;
    const fs::path folder = m_folder.path();
    auto put = [&](const std::string& name) { std::ofstream(folder / name) << "x"; };
    // Leftovers of the same target: a dead process, the older naming without
    // a process, and a writer still running (the test's parent) that keeps
    // its file; another target's leftover stays as well.
    const std::string alive = std::to_string(::getppid());
    put("a.kss.~999999999-abcdefgh.tmp");
    put("a.kss.~abcdefgh.tmp");
    put("a.kss.~" + alive + "-abcdefgh.tmp");
    put("other.kss.~999999999-abcdefgh.tmp");
    const std::vector<std::pair<Vtx_String, std::string_view>> files = {
        {m_folder.file("a.kss"), "first"}, {m_folder.file("b.kss"), "second"}};
    ASSERT_EQ(writeFilesAtomically(files), eOk);
    std::string bytes;
    ASSERT_EQ(readFileBytes(m_folder.file("a.kss"), bytes), eOk);
    EXPECT_EQ(bytes, "first");
    ASSERT_EQ(readFileBytes(m_folder.file("b.kss"), bytes), eOk);
    EXPECT_EQ(bytes, "second");
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".tmp")
            left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.kss.~" + alive + "-abcdefgh.tmp",
                                              "other.kss.~999999999-abcdefgh.tmp"}));

    // A batch that cannot be written names the file and leaves no temporary
    // file behind.
    fs::create_directory(folder / "c.kss");
    Vtx_String failed;
    const std::vector<std::pair<Vtx_String, std::string_view>> bad = {
        {m_folder.file("d.kss"), "d"}, {m_folder.file("c.kss"), "c"}};
    EXPECT_EQ(writeFilesAtomically(bad, &failed), eFileAccessErr);
    EXPECT_EQ(failed, m_folder.file("c.kss"));
    EXPECT_FALSE(fs::exists(folder / "d.kss"));
}

TEST_F(FilesTest, FindFilesInAMissingFolderFails) {
    Vtx_StringArray files = {"stale"};
    EXPECT_EQ(ObjectExportFindFiles(m_folder.file("nope"), "*", files), eFileNotFound);
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(ObjectExportFindFilesRecursive(m_folder.file("nope"), "*", files), eFileNotFound);
}

TEST_F(FilesTest, FindIgnoringCaseMatchesEveryPartAndPrefersTheExactSpelling) {
    m_folder.put("Icons\\Rails\\Gantry-Small.bmp", "");
    m_folder.put("Icons\\HL.bmp", "upper");
    m_folder.put("Icons\\hl.bmp", "lower");
    m_folder.put("Icons\\rails.bmp", "a file, not the folder");
    const Vtx_String icons = m_folder.file("Icons");

    EXPECT_EQ(findFileIgnoringCase(icons, "rails/gantry-small.BMP"), "Rails\\Gantry-Small.bmp");
    EXPECT_EQ(findFileIgnoringCase(m_folder.core(), "icons\\RAILS\\gantry-small.bmp"),
              "Icons\\Rails\\Gantry-Small.bmp");
    EXPECT_EQ(findFileIgnoringCase(icons, "hl.bmp"), "hl.bmp");
    EXPECT_EQ(findFileIgnoringCase(icons, "HL.bmp"), "HL.bmp");
    EXPECT_EQ(findFileIgnoringCase(icons, "Hl.bmp"), "HL.bmp") << "the first in sorted order";
    EXPECT_EQ(findFileIgnoringCase(icons, "Rails"), "") << "a folder is no file";
    EXPECT_EQ(findFileIgnoringCase(icons, "Rails\\Other.bmp"), "");
    EXPECT_EQ(findFileIgnoringCase(m_folder.file("Missing"), "hl.bmp"), "");
    EXPECT_EQ(findFileIgnoringCase(icons, ""), "");
}

} // namespace
