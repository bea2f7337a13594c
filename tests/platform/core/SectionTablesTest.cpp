#include "CoreTestSupport.h"

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const std::string kTables = std::string(VTX_TEST_DATA) + "/core/tables/";
const Vtx_String kSampleLibrary = Vtx_String(VTX_SAMPLE_DIR) + "/library/";

TEST(TableFile, EveryByteOfEveryCellReadsBack) {
    std::string allBytes;
    for (int c = 0; c < 256; ++c)
        allBytes += static_cast<char>(c);
    Vtx_Array<Vtx_StringArray> rows = {
        {"IShape.tpl"},
        {"SysName", "I/O", "English"},
        {Vtx_String(allBytes), "\\t", "a\\"},
        {""},
        {},
        {"", ""},
        {"trailing", ""},
        {"\r\n", "\\e", "\t"},
    };
    CoreTempFolder folder;
    ASSERT_EQ(writeFile(folder.file("ALL.pr"), rows), eOk);
    Vtx_String tableName;
    Vtx_Array<Vtx_StringArray> back{{"stale"}};
    Vtx_String reason;
    ASSERT_EQ(readFile(folder.file("ALL.pr"), tableName, back, &reason), eOk) << reason.str();
    EXPECT_EQ(tableName, "ALL");
    ASSERT_EQ(back.length(), rows.length());
    for (int r = 0; r < rows.length(); ++r)
        EXPECT_EQ(back[r], rows[r]) << "row " << r;
}

TEST(TableFile, LayoutIsOneEscapedRowPerLine) {
    CoreTempFolder folder;
    ASSERT_EQ(writeFile(folder.file("T.pr"), {{"tpl"}, {"a\tb", "c\\d"}, {""}, {}, {"x\ny"}}), eOk);
    EXPECT_EQ(folder.get("T.pr"), "vtx-table 1\ntpl\na\\tb\tc\\\\d\n\\e\n\nx\\ny\n");
}

TEST(TableFile, CarriageReturnLineEndsAreAccepted) {
    Vtx_String tableName;
    Vtx_Array<Vtx_StringArray> rows;
    ASSERT_EQ(readFile(Vtx_String(kTables + "crlf.pr"), tableName, rows), eOk);
    EXPECT_EQ(tableName, "crlf");
    ASSERT_EQ(rows.length(), 3);
    EXPECT_EQ(rows[2].last(), "100");
}

struct BadTable {
    const char* file;
    ErrorStatus status;
    const char* says;
};

TEST(TableFile, BadFilesFailWithFileAndLine) {
    const BadTable cases[] = {
        {"bad-escape.pr", eBadFileFormat, "line 4: unknown escape \\q in column 1"},
        {"trailing-backslash.pr", eBadFileFormat, "line 4: a backslash ends the line"},
        {"no-header.pr", eBadFileFormat, "line 1: not a table file"},
        {"version-2.pr", eBadFileFormat, "line 1: table file version 2 is not supported"},
        {"empty.pr", eBadFileFormat, "line 1: empty file"},
        {"absent.pr", eFileNotFound, "absent.pr"},
    };
    for (const BadTable& bad : cases) {
        Vtx_String tableName = "kept";
        Vtx_Array<Vtx_StringArray> rows{{"stale"}};
        Vtx_String reason;
        EXPECT_EQ(readFile(Vtx_String(kTables + bad.file), tableName, rows, &reason), bad.status)
            << bad.file;
        EXPECT_TRUE(reason.hasSubString(bad.file)) << reason.str();
        EXPECT_TRUE(reason.hasSubString(bad.says)) << reason.str();
        EXPECT_TRUE(rows.isEmpty()) << bad.file;
    }
}

TEST(TableFile, TooLongLineIsRefused) {
    CoreTempFolder folder;
    folder.put("LONG.pr", "vtx-table 1\n" + std::string(kMaxLineLength + 1, 'x') + "\n");
    Vtx_String tableName;
    Vtx_Array<Vtx_StringArray> rows;
    Vtx_String reason;
    EXPECT_EQ(readFile(folder.file("LONG.pr"), tableName, rows, &reason), eLimitExceeded);
    EXPECT_TRUE(reason.hasSubString("line 2")) << reason.str();
}

/// A registry holding two hand-made tables; "HEA" has five languages.
class SectionRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_registry.addSectionTable(
                      "HEA.pr", "Prof\\IShape.tpl",
                      {"SysName", "English", "German", "French", "Dutch", "Korean", "h", "b"},
                      {{"200", "HEA 200", "HE 200 A", "HEA 200", "HE 200 A", "K200", "190", ""},
                       {"220", "HEA 220", "HE 220 A", "HEA 220", "HE 220 A", "", "210", "220"}}),
                  eOk);
        ASSERT_EQ(m_registry.addSectionTable(
                      "TRICK", "", {"SysName", "English", "German", "French", "Dutch", "h"},
                      {{"1", "HEA-220", "", "", "", "99"}}),
                  eOk);
    }

    Vtx_SectionTableManager m_registry;
};

TEST_F(SectionRegistryTest, TablesAreNamedWithOrWithoutExtension) {
    EXPECT_TRUE(m_registry.hasTable("hea"));
    EXPECT_TRUE(m_registry.hasTable("trick.PR"));
    EXPECT_EQ(m_registry.addSectionTable("hea", "", {"SysName"}, {}), eDuplicateKey);
    EXPECT_EQ(m_registry.addSectionTable(".pr", "", {"SysName"}, {}), eInvalidName);
    EXPECT_EQ(m_registry.addSectionTable("HEB", "", {}, {}), eInvalidInput);
    EXPECT_EQ(m_registry.removeTable("Trick.pr"), eOk);
    EXPECT_EQ(m_registry.removeTable("Trick"), eKeyNotFound);
    EXPECT_EQ(m_registry.tables().size(), 1u);
}

TEST_F(SectionRegistryTest, KoreanInTheSixthColumnMakesFiveLanguages) {
    EXPECT_EQ(Vtx_SectionTableManager::languageCount(m_registry.tables()[0]), 5);
    EXPECT_EQ(Vtx_SectionTableManager::languageCount(m_registry.tables()[1]), 4);
}

TEST_F(SectionRegistryTest, SectionsAreFoundBySystemNameBeforeUserName) {
    Vtx_String name;
    ASSERT_EQ(m_registry.getSystemName("he 200 a", name), eOk);
    EXPECT_EQ(name, "HEA-200");
    ASSERT_EQ(m_registry.getSystemName("K200", name), eOk) << "the fifth language counts";
    ASSERT_EQ(m_registry.getSystemName("HEA-220", name), eOk);
    EXPECT_EQ(name, "HEA-220") << "a user name of another table does not hide a system name";
    ASSERT_EQ(m_registry.getSystemName("TRICK-1", name), eOk);
    EXPECT_EQ(m_registry.getSystemName("", name), eKeyNotFound);
    EXPECT_EQ(m_registry.getSystemName("HEA 240", name), eKeyNotFound);
}

TEST_F(SectionRegistryTest, UserNameFollowsTheWorkLanguage) {
    const Vtx_String saved = gSettings.workLanguage;
    Vtx_String name;
    gSettings.workLanguage = "German";
    ASSERT_EQ(m_registry.getUserName("HEA-200", name), eOk);
    EXPECT_EQ(name, "HE 200 A");
    gSettings.workLanguage = "Korean";
    ASSERT_EQ(m_registry.getUserName("HEA 220", name), eOk);
    EXPECT_EQ(name, "HEA 220") << "an empty cell falls back to the first language";
    gSettings.workLanguage = "Spanish";
    ASSERT_EQ(m_registry.getUserName("HE 200 A", name), eOk);
    EXPECT_EQ(name, "HEA 200");
    gSettings.workLanguage = saved;
}

/// The global registry on the sample library.
class SampleSectionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedLibDir = gSettings.libDir;
        gSettings.setLibDir(kSampleLibrary);
        resetSectionTableManager();
    }
    void TearDown() override {
        gSettings.libDir = m_savedLibDir;
        resetSectionTableManager();
    }

private:
    Vtx_String m_savedLibDir;
};

TEST_F(SampleSectionsTest, ValuesAndColumnsOfSampleSections) {
    Vtx_StringArray columns;
    ASSERT_EQ(getSectionColumnNames("IPE 300", columns), eOk);
    EXPECT_EQ(columns, (Vtx_StringArray{"h", "b", "tw", "tf", "r", "A", "G"}));
    const std::vector<std::tuple<const char*, int, const char*>> rows = {
        {"IPE 300", 0, "300"},  {"IPE-300", 2, "7.1"},  {"ipe 300", 5, "53.8"},
        {"IPE 300", 6, "42.2"}, {"HEA 200", 0, "190"},  {"HE 200 A", 3, "10"},
        {"HEA-200", 4, "18"},   {"HEA 200", 6, "42.3"}, {"HEB 240", 1, "240"},
        {"HEB 240", 5, "106"},  {"IPE 400", 6, "66.3"}, {"HEB-400", 6, "155.3"},
    };
    for (const auto& [section, column, expected] : rows) {
        Vtx_String value;
        ASSERT_EQ(getSectionValue(section, column, value), eOk) << section << " " << column;
        EXPECT_EQ(value, expected) << section << " " << column;
    }
    Vtx_String value;
    EXPECT_EQ(getSectionValue("IPE 300", 7, value), eInvalidIndex);
    EXPECT_EQ(getSectionValue("IPE 300", -1, value), eInvalidIndex);
    EXPECT_EQ(getSectionValue("PL 10x90", 0, value), eKeyNotFound);
    EXPECT_EQ(getSectionColumnNames("IPE 301", columns), eKeyNotFound);
}

TEST_F(SampleSectionsTest, SampleDimensionsAgreeWithAreaAndWeight) {
    // Every table ends with the area A (cm2) and the weight G (kg/m) of
    // steel, G = 0.785 A; the I sections' area also follows from their
    // dimensions, A = 2 b tf + (h - 2 tf) tw + (4 - pi) r^2. Both catch a
    // mistyped value in the shipped tables.
    const auto& tables = sectionTableManager().tables();
    ASSERT_GE(tables.size(), 7u);
    int sections = 0;
    int iSections = 0;
    for (const Vtx_SectionTable& table : tables) {
        const int columns = table.columns.length();
        ASSERT_GE(columns, 3) << table.name.str();
        ASSERT_EQ(table.columns[columns - 2], "A") << table.name.str();
        ASSERT_EQ(table.columns[columns - 1], "G") << table.name.str();
        const bool iShape = table.templateName == "1"; // the standard I section type
        for (const Vtx_StringArray& row : table.rows) {
            const int n = row.length();
            double area = 0, weight = 0;
            ASSERT_TRUE(n >= 3 && row[n - 2].toDouble(area) && row[n - 1].toDouble(weight))
                << row[1].str();
            EXPECT_NEAR(weight, 0.785 * area, 0.01 * weight + 0.01) << row[1].str();
            ++sections;
            if (!iShape)
                continue;
            ASSERT_EQ(n, 12) << table.name.str();
            double h = 0, b = 0, tw = 0, tf = 0, r = 0;
            ASSERT_TRUE(row[5].toDouble(h) && row[6].toDouble(b) && row[7].toDouble(tw) &&
                        row[8].toDouble(tf) && row[9].toDouble(r))
                << row[1].str();
            const double computed =
                (2 * b * tf + (h - 2 * tf) * tw + (4 - std::numbers::pi) * r * r) / 100;
            EXPECT_NEAR(area, computed, 0.01 * area) << row[1].str();
            ++iSections;
        }
    }
    EXPECT_GT(iSections, 45);
    EXPECT_GT(sections, iSections + 40);
}

TEST(SectionRegistry, LoadFolderSkipsBadFilesAndReportsThem) {
    CoreTempFolder folder;
    std::string ipe;
    ASSERT_EQ(readFileBytes(kSampleLibrary + "prof\\IPE.pr", ipe), eOk);
    folder.put("IPE.pr", ipe);
    folder.put("BAD.pr", "vtx-table 1\ntpl\nSysName\tEnglish\n");
    folder.put("WORSE.pr", "no header\n");
    folder.put("notes.txt", "not a table");
    Vtx_SectionTableManager registry;
    Vtx_StringArray failures;
    ASSERT_EQ(registry.loadFolder(folder.core(), &failures), eOk);
    ASSERT_EQ(registry.tables().size(), 1u);
    EXPECT_EQ(registry.tables()[0].name, "IPE.pr");
    EXPECT_EQ(registry.tables()[0].templateName, "1") << "a standard type, not a file";
    EXPECT_EQ(registry.tables()[0].columns[1], "English") << "the I/O column is dropped";
    ASSERT_EQ(failures.length(), 2);
    EXPECT_TRUE(failures[0].hasSubString("BAD.pr") && failures[0].hasSubString("I/O"))
        << failures[0].str();
    EXPECT_TRUE(failures[1].hasSubString("WORSE.pr")) << failures[1].str();

    ASSERT_EQ(registry.loadFolder(folder.core(), &failures), eOk);
    EXPECT_EQ(registry.tables().size(), 1u) << "loading twice registers nothing twice";
}

} // namespace
