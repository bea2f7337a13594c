// Section tables through their files: byte-equal round trips, and every
// kind of bad input refused with a reason and nothing written or lost.

#include "SectionLibraryFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

TEST_F(SectionLibrary, EverySampleTableWritesBackByteForByte) {
    for (const char* name : {"IPE", "HEA", "HEB", "UPN", "L", "RHS", "FL"}) {
        SCOPED_TRACE(name);
        if (!fs::exists(prof(std::string(name) + ".pr")))
            continue; // tables the sample does not have
        const std::string before = bytesOf(prof(std::string(name) + ".pr"));
        Vtx_ProfValuesTable table = load(name);
        EXPECT_EQ(table.tableName, Vtx_String(name));
        EXPECT_FALSE(table.rows.isEmpty());
        Vtx_String reason;
        ASSERT_TRUE(table.writeToFile(Vtx_String(name) + "-copy", &reason)) << reason.str();
        EXPECT_EQ(bytesOf(prof(std::string(name) + "-copy.pr")), before);
    }
}

TEST_F(SectionLibrary, ReadSplitsTemplateColumnsAndSections) {
    Vtx_ProfValuesTable table = load("HEA.PR"); // the extension is not added twice
    EXPECT_EQ(table.templateName, Vtx_String("1")) << "the standard I section type";
    ASSERT_GE(table.columns.length(), 7);
    EXPECT_EQ(table.columns[0], Vtx_String("SysName"));
    EXPECT_EQ(table.columns[1], Vtx_String("I/O"));
    EXPECT_EQ(table.rows[0][0], Vtx_String("100"));
    EXPECT_EQ(table.rows[0][2], Vtx_String("HEA 100"));
}

TEST_F(SectionLibrary, EditedTableSurvivesWriteAndRead) {
    Vtx_ProfValuesTable table = load("HEA");
    const int last = table.rows.length() - 1;
    ASSERT_TRUE(table.insertRow(last));
    ASSERT_EQ(table.setValues(last + 1, {1, 2, 3.25, 4, 5, 6.125, 7}), eOk);
    ASSERT_TRUE(table.writeToFile("HEA"));
    Vtx_ProfValuesTable again = load("HEA");
    EXPECT_EQ(again.rows, table.rows);
    EXPECT_EQ(again.columns, table.columns);
    EXPECT_EQ(again.templateName, table.templateName);
    EXPECT_EQ(again.rows[last + 1][8], Vtx_String("3.25"));
}

TEST_F(SectionLibrary, TemplateOnlyFileIsATableWithoutSections) {
    writeBytes(prof("T.pr"), "vtx-table 1\nBox.tpl\n");
    Vtx_ProfValuesTable table = load("T");
    EXPECT_EQ(table.templateName, Vtx_String("Box.tpl"));
    EXPECT_TRUE(table.columns.isEmpty());
    EXPECT_TRUE(table.rows.isEmpty()) << "the template is no section";
    ASSERT_TRUE(table.writeToFile("T"));
    Vtx_ProfValuesTable again = load("T");
    EXPECT_EQ(again.templateName, Vtx_String("Box.tpl"));
    EXPECT_TRUE(again.rows.isEmpty());
}

TEST_F(SectionLibrary, FailedReadKeepsTheTableAndNamesTheLine) {
    Vtx_ProfValuesTable table = load("HEA");
    const Vtx_ProfValuesTable before = table;
    Vtx_String reason;

    writeBytes(prof("Bad.pr"), "vtx-tabel 1\nIShape.tpl\n");
    EXPECT_FALSE(table.readFromFile("Bad", &reason));
    EXPECT_NE(reason.str().find("line 1"), std::string::npos) << reason.str();

    writeBytes(prof("Bad.pr"), "vtx-table 1\nIShape.tpl\nSysName\tI/O\n1\t\\q\n");
    EXPECT_FALSE(table.readFromFile("Bad", &reason));
    EXPECT_NE(reason.str().find("line 4"), std::string::npos) << reason.str();

    writeBytes(prof("Empty.pr"), "vtx-table 1\n");
    EXPECT_FALSE(table.readFromFile("Empty", &reason));
    EXPECT_NE(reason.str().find("no template row"), std::string::npos) << reason.str();

    EXPECT_FALSE(table.readFromFile("Missing", &reason));
    EXPECT_NE(reason.str().find("Missing.pr"), std::string::npos) << reason.str();

    EXPECT_EQ(table.rows, before.rows);
    EXPECT_EQ(table.columns, before.columns);
    EXPECT_EQ(table.tableName, before.tableName);
}

TEST_F(SectionLibrary, ShortRowsReadAsTheyAre) {
    writeBytes(prof("S.pr"), "vtx-table 1\nT.tpl\nSysName\tI/O\tEnglish\nA\t1\nB\n");
    Vtx_ProfValuesTable table = load("S");
    ASSERT_EQ(table.rows.length(), 2);
    Vtx_StringArray inUse;
    ASSERT_TRUE(table.getColumn(inUse, 1));
    EXPECT_EQ(inUse, (Vtx_StringArray{"1", ""}));
    EXPECT_FALSE(table.getColumn(inUse, 2)) << "not a position of the first row";
    ASSERT_TRUE(table.writeToFile("S"));
    EXPECT_EQ(bytesOf(prof("S.pr")), "vtx-table 1\nT.tpl\nSysName\tI/O\tEnglish\nA\t1\nB\n");
}

TEST_F(SectionLibrary, WriteRefusesWhatItCannotWriteWholeAndSaysWhy) {
    Vtx_ProfValuesTable table = load("HEA");
    const std::string before = bytesOf(prof("HEA.pr"));
    table.rows.removeAt(0);
    Vtx_String reason;

    fs::permissions(prof("HEA.pr"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(table.writeToFile("HEA", &reason));
    EXPECT_NE(reason.str().find("read-only"), std::string::npos) << reason.str();
    EXPECT_EQ(bytesOf(prof("HEA.pr")), before);

    for (const char* bad : {"", "..\\HEA", "a/b", "x:y"}) {
        reason.clear();
        EXPECT_FALSE(table.writeToFile(bad, &reason)) << bad;
        EXPECT_FALSE(reason.isEmpty()) << bad;
    }

    fs::remove_all(libDir / "prof");
    EXPECT_FALSE(table.writeToFile("HEA", &reason));
    EXPECT_NE(reason.str().find("no prof folder"), std::string::npos) << reason.str();
    EXPECT_FALSE(fs::exists(libDir / "prof"));
    EXPECT_FALSE(table.readFromFile("HEA", &reason));
    EXPECT_NE(reason.str().find("no prof folder"), std::string::npos) << reason.str();
}

TEST_F(SectionLibrary, FailedWriteLeavesNoTemporaryBehind) {
    Vtx_ProfValuesTable table = load("IPE");
    fs::create_directory(prof("Dir.pr")); // a folder where the file should go
    auto entries = [&] {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(libDir / "prof"))
            ++count;
        return count;
    };
    const int before = entries();
    Vtx_String reason;
    EXPECT_FALSE(table.writeToFile("Dir", &reason));
    EXPECT_NE(reason.str().find("not written"), std::string::npos) << reason.str();
    EXPECT_EQ(entries(), before) << "no temporary file left behind";
}
