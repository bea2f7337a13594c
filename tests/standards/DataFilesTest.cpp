// Table and size files: their formats, where a data file is found, and the
// cache that must see every change on disk at the next call.

#include "MacroFixture.h"

#include "platform/core/Settings.h"
#include "standards/DataFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override {
        libDir = makeTempDir("vtx-datafiles");
        data = libDir / "Connection Standards" / "Data";
        fs::create_directories(data);
        gSettings.setLibDir(libDir.string() + "/");
        cache.setRecheckInterval(std::chrono::milliseconds(0));
    }
    void TearDown() override { fs::remove_all(libDir); }

    /// The value of key in the table that name resolves to ("" when none).
    std::string valueOf(const char* name, const char* key) {
        auto table = cache.table(name);
        if (!table)
            return "<no file>";
        const int row = table->find(key);
        return row >= 0 && table->row(row).length() > 1 ? table->row(row)[1].str() : "";
    }

    DataFileCache cache;
    fs::path libDir;
    fs::path data;
};

} // namespace

TEST(TableFile, CommentsAndBlankLinesAreNotDataAndEveryTabSeparatesAField) {
    const DataTable table = DataTable::parse("// header\r\n"
                                             "\r\n"
                                             "M20;8.8\t\t141.1  // comment\r\n"
                                             "   \t  \r\n"
                                             "M24 \t 203.3\textra\n"
                                             "M30\n"
                                             "m20;8.8\t999\n"
                                             "Stra\xDF"
                                             "e;\xC4\tumlaut");
    ASSERT_EQ(table.rowCount(), 5);
    ASSERT_EQ(table.row(0).length(), 3);
    EXPECT_EQ(table.row(0)[1], "") << "two tabs: the second field is empty";
    EXPECT_EQ(table.row(0)[2], "141.1") << "blanks before a comment are not the value";
    EXPECT_EQ(table.row(1)[0], "M24");
    EXPECT_EQ(table.row(1).length(), 3);
    EXPECT_EQ(table.row(2).length(), 1) << "a key-only line is a row without a value";
    EXPECT_EQ(table.find("m20;8.8"), 0) << "the first of two keys equal but for case wins";
    EXPECT_EQ(table.find("STRA\xDF"
                         "E;\xE4"),
              4)
        << "Windows-1252 letters fold as well";
    EXPECT_EQ(table.find("M36"), -1);
    EXPECT_EQ(DataTable::parse("").rowCount(), 0);
}

TEST(SizeFile, SplitsAtLowerCaseXAndDropsBothKindsOfComment) {
    const SizeList sizes = parseSizeList("/* plates\r\n"
                                         "   100x99 is commented out */ 100x10\r\n"
                                         "120 // any thickness\n"
                                         "\n"
                                         "  150 x 12.5  \n"
                                         "100X10\n"
                                         "// 8x8\n"
                                         "160/* inline */x15\n"
                                         "200x8 /* never closed\n"
                                         "300x20\n");
    const SizeList expected = {{100, 10}, {120, 0}, {150, 12.5}, {100, 0}, {160, 15}, {200, 8}};
    EXPECT_EQ(sizes, expected);
}

TEST_F(DataFiles, NameIsSearchedInTheDocumentedOrder) {
    const fs::path asGiven = libDir / "elsewhere" / "t.txt";
    writeText(asGiven, "k\tgiven\n");
    writeText(data / "t.txt", "k\tdata\n");
    writeText(libDir / "Connection Standards" / "t.txt", "k\tstandards\n");
    writeText(libDir / "t.txt", "k\tlibrary\n");

    EXPECT_EQ(valueOf(asGiven.string().c_str(), "k"), "given");
    EXPECT_EQ(valueOf("t.txt", "k"), "data");
    fs::remove(data / "t.txt");
    EXPECT_EQ(valueOf("t.txt", "k"), "standards");
    fs::remove(libDir / "Connection Standards" / "t.txt");
    EXPECT_EQ(valueOf("t.txt", "k"), "library");
    fs::remove(libDir / "t.txt");
    EXPECT_EQ(valueOf("t.txt", "k"), "<no file>");
    EXPECT_EQ(valueOf("", "k"), "<no file>");

    Vtx_String path;
    writeText(data / "Bolts" / "grades.txt", "8.8\t640\n");
    ASSERT_TRUE(findDataFile("Bolts\\grades.txt", path)) << "a name may hold sub-folders";
    EXPECT_TRUE(path.endsWith("Data\\Bolts\\grades.txt"));
}

TEST_F(DataFiles, ChangedFileIsReadAgainAndAnUnchangedOneIsNot) {
    writeText(data / "w.txt", "S235\t4\n");
    EXPECT_EQ(valueOf("w.txt", "S235"), "4");
    EXPECT_EQ(valueOf("w.txt", "S235"), "4");
    EXPECT_EQ(cache.stats().fileReads, 1);

    writeText(data / "w.txt", "S235\t4.5\n");
    EXPECT_EQ(valueOf("w.txt", "S235"), "4.5") << "a different size";
    EXPECT_EQ(cache.stats().fileReads, 2);

    // Same size, and possibly the same clock tick: only a different
    // modification time may tell.
    writeText(data / "w.txt", "S235\t5.5\n");
    fs::last_write_time(data / "w.txt",
                        fs::last_write_time(data / "w.txt") - std::chrono::hours(1));
    EXPECT_EQ(valueOf("w.txt", "S235"), "5.5");

    fs::remove(data / "w.txt");
    EXPECT_EQ(valueOf("w.txt", "S235"), "<no file>");
}

TEST_F(DataFiles, ResolvedNameIsTrustedWithinTheRecheckInterval) {
    cache.setRecheckInterval(std::chrono::hours(1));
    writeText(libDir / "Connection Standards" / "r.txt", "k\tstandards\n");
    EXPECT_EQ(valueOf("r.txt", "k"), "standards");
    EXPECT_EQ(valueOf("r.txt", "k"), "standards");
    EXPECT_EQ(cache.stats().resolutions, 1) << "one search for a batch of calls";

    // A file that appears earlier in the order waits for the next recheck...
    writeText(data / "r.txt", "k\tdata\n");
    EXPECT_EQ(valueOf("r.txt", "k"), "standards");
    cache.setRecheckInterval(std::chrono::milliseconds(0));
    EXPECT_EQ(valueOf("r.txt", "k"), "data");

    // ...but a resolved file that vanished is searched again at once.
    cache.setRecheckInterval(std::chrono::hours(1));
    fs::remove(data / "r.txt");
    EXPECT_EQ(valueOf("r.txt", "k"), "standards");
}

TEST_F(DataFiles, ResolutionFollowsTheLibraryFolder) {
    writeText(data / "lib.txt", "k\tfirst\n");
    const fs::path other = makeTempDir("vtx-datafiles-other");
    writeText(other / "Connection Standards" / "Data" / "lib.txt", "k\tsecond\n");
    cache.setRecheckInterval(std::chrono::hours(1));
    EXPECT_EQ(valueOf("lib.txt", "k"), "first");
    gSettings.setLibDir(other.string() + "/");
    EXPECT_EQ(valueOf("lib.txt", "k"), "second");
    fs::remove_all(other);
}

TEST_F(DataFiles, SizesAndTablesOfOneFileAreKeptApart) {
    writeText(data / "both.txt", "100x10\t5\n");
    auto sizes = cache.sizes("both.txt");
    auto table = cache.table("both.txt");
    ASSERT_TRUE(sizes && table);
    EXPECT_EQ(*sizes, SizeList({{100, 10}}));
    EXPECT_EQ(table->row(0)[1], "5");
}

TEST_F(DataFiles, CacheHoldsABoundedNumberOfFiles) {
    for (int i = 0; i < DataFileCache::kMaxFiles + 10; ++i) {
        const std::string name = "f" + std::to_string(i) + ".txt";
        writeText(data / name, "k\t" + std::to_string(i) + "\n");
        ASSERT_EQ(valueOf(name.c_str(), "k"), std::to_string(i));
    }
    EXPECT_EQ(cache.cachedFiles(), DataFileCache::kMaxFiles);
    // The newest are still there; the oldest went first.
    const int reads = cache.stats().fileReads;
    valueOf(("f" + std::to_string(DataFileCache::kMaxFiles + 9) + ".txt").c_str(), "k");
    EXPECT_EQ(cache.stats().fileReads, reads);
    valueOf("f0.txt", "k");
    EXPECT_EQ(cache.stats().fileReads, reads + 1);
}
