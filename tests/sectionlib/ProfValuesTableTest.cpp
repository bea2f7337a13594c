// Section tables in memory: languages, new sections by example, the in-use
// filter and value cells.

#include "SectionLibraryFixture.h"

namespace {

Vtx_StringArray heaColumns() {
    return {"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b"};
}

Vtx_ProfValuesTable smallTable() {
    Vtx_ProfValuesTable table;
    table.tableName = "HEA";
    table.templateName = "IShape.tpl";
    table.columns = heaColumns();
    table.rows.append({"100", "1", "HEA100", "HE 100 A", "HEA 100", "HE 100 A", "96", "100"});
    table.rows.append({"120", "0", "HEA120", "HE 120 A", "HEA 120", "HE 120 A", "114", "120"});
    return table;
}

} // namespace

TEST(ProfValuesTable, LanguagesAreFiveOnlyWithKoreanAtPositionSix) {
    Vtx_ProfValuesTable table;
    table.columns = {"SysName", "I/O", "English", "German", "French", "Dutch"};
    EXPECT_EQ(table.getNrLanguages(), 4);
    table.columns.append("KOREAN");
    EXPECT_EQ(table.getNrLanguages(), 5);
    table.columns[6] = "h";
    EXPECT_EQ(table.getNrLanguages(), 4);
    table.columns.insertAt(2, "Korean");
    EXPECT_EQ(table.getNrLanguages(), 4) << "Korean at position 2 is not the fifth language";
}

TEST(ProfValuesTable, NewSectionTakesAnUnusedNameAndTheExamplesPrefix) {
    Vtx_ProfValuesTable table = smallTable();
    gSettings.workLanguage = "English";
    ASSERT_TRUE(table.insertRow(0));
    ASSERT_EQ(table.rows.length(), 3);
    const Vtx_StringArray& made = table.rows[1];
    EXPECT_EQ(made[0], Vtx_String("101"));
    EXPECT_EQ(made[2], Vtx_String("HEA101"));
    // Everything else is the example's.
    EXPECT_EQ(made[1], Vtx_String("1"));
    EXPECT_EQ(made[3], Vtx_String("HE 100 A"));
    EXPECT_EQ(made[6], Vtx_String("96"));
    EXPECT_EQ(table.rows[2][0], Vtx_String("120"));

    gSettings.workLanguage = "French"; // "HEA 100": the prefix keeps its blank
    ASSERT_TRUE(table.insertRow(0));
    EXPECT_EQ(table.rows[1][0], Vtx_String("102"));
    EXPECT_EQ(table.rows[1][4], Vtx_String("HEA 102"));
    gSettings.workLanguage = "English";
}

TEST(ProfValuesTable, NewSectionMayFollowTheLastRow) {
    Vtx_ProfValuesTable table = smallTable();
    gSettings.workLanguage = "German";
    ASSERT_TRUE(table.insertRow(1));
    ASSERT_EQ(table.rows.length(), 3);
    EXPECT_EQ(table.rows[2][0], Vtx_String("121"));
    EXPECT_EQ(table.rows[2][3], Vtx_String("HE 121"));
    EXPECT_EQ(table.rows[2][1], Vtx_String("0")) << "the in-use flag is copied";
    gSettings.workLanguage = "English";

    EXPECT_FALSE(table.insertRow(3)) << "past the place after the last row";
    EXPECT_FALSE(table.insertRow(-2));
    EXPECT_EQ(table.rows.length(), 3);
}

TEST(ProfValuesTable, FirstSectionOfAnEmptyTableComesFromTheColumns) {
    Vtx_ProfValuesTable table = smallTable();
    table.rows.removeAll();
    gSettings.workLanguage = "Dutch";
    ASSERT_TRUE(table.insertRow(-1));
    gSettings.workLanguage = "English";
    ASSERT_EQ(table.rows.length(), 1);
    EXPECT_EQ(table.rows[0].length(), table.columns.length());
    EXPECT_EQ(table.rows[0][0], Vtx_String("1"));
    EXPECT_EQ(table.rows[0][5], Vtx_String("HEA1")) << "the table name is the prefix";

    Vtx_ProfValuesTable bare;
    EXPECT_FALSE(bare.insertRow(-1)) << "no columns, nothing to make a row of";
}

TEST(ProfValuesTable, NamedInsertNamesTheNewRowOrChangesNothing) {
    Vtx_ProfValuesTable table = smallTable();
    ASSERT_EQ(table.insertRow(1, "140", "HEA 140"), eOk);
    ASSERT_EQ(table.rows.length(), 3);
    EXPECT_EQ(table.rows[1][0], Vtx_String("120")) << "the example keeps its names";
    EXPECT_EQ(table.rows[2][0], Vtx_String("140"));
    for (int c = 2; c <= 5; ++c)
        EXPECT_EQ(table.rows[2][c], Vtx_String("HEA 140"));

    const Vtx_ProfValuesTable before = table;
    EXPECT_EQ(table.insertRow(0, "120", "x"), eInvalidInput) << "a system name in use";
    EXPECT_EQ(table.insertRow(0, "", "x"), eInvalidInput);
    table.rows[0].setLogicalLength(3); // too short for four user names
    const Vtx_Array<Vtx_StringArray> shortened = table.rows;
    EXPECT_EQ(table.insertRow(0, "90", "x"), eInvalidInput);
    EXPECT_EQ(table.rows, shortened);
    EXPECT_EQ(table.setSysName(1, "100"), eInvalidInput) << "names stay unique";
    EXPECT_EQ(table.setSysName(1, "120"), eOk) << "a row may keep its own name";
    EXPECT_EQ(before.rows.length(), table.rows.length());
}

TEST(ProfValuesTable, FilterCountsOnlyRowsInUse) {
    Vtx_ProfValuesTable table = smallTable();
    Vtx_StringArray names;
    table.getFilteredSysNames(names);
    EXPECT_EQ(names, (Vtx_StringArray{"HEA-100"}));
    table.getSysNames(names);
    EXPECT_EQ(names, (Vtx_StringArray{"HEA-100", "HEA-120"}));

    table.rows.insertAt(0, {"80", "0"});
    table.rows.append({"140", "1"});
    // rows 0 and 2 are not in use
    EXPECT_EQ(table.getfilteredIdx(3), 1);
    EXPECT_EQ(table.getfilteredIdx(0), 0);
    EXPECT_EQ(table.getfilteredIdx(4), -1);

    table.removeInactiveEntries();
    table.getSysNames(names);
    EXPECT_EQ(names, (Vtx_StringArray{"HEA-100", "HEA-140"}));
}

TEST(ProfValuesTable, ValuesNeedExactlyTheValueCells) {
    Vtx_ProfValuesTable table = smallTable();
    const Vtx_StringArray before = table.rows[0];
    EXPECT_EQ(table.setValues(0, {1.0}), eInvalidInput);
    EXPECT_EQ(table.setValues(0, {1, 2, 3}), eInvalidInput);
    EXPECT_EQ(table.setValues(5, {1, 2}), eInvalidInput);
    EXPECT_EQ(table.rows[0], before);
    ASSERT_EQ(table.setValues(0, {96, 0.125}), eOk);
    EXPECT_EQ(table.rows[0][6], Vtx_String("96"));
    EXPECT_EQ(table.rows[0][7], Vtx_String("0.125")) << "no digit is rounded away";
}
