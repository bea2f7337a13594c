// Section tables in a real grid (made in a window-less dialog) and in the
// core library's section-table registry, as the standards functions see it.

#include "SectionLibraryFixture.h"

#include "spread/VtxSpread.h"

class SectionGrid : public SectionLibrary {
protected:
    void SetUp() override {
        SectionLibrary::SetUp();
        dialog.addPlaceholder(1001, {0, 0, 600, 400});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1001, true));
    }
    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

TEST_F(SectionGrid, TableGoesToTheGridAndComesBackUnchanged) {
    const Vtx_ProfValuesTable table = load("HEB");
    ASSERT_TRUE(table.setToSS(grid));
    EXPECT_EQ(grid.getMaxRows(), table.rows.length());
    EXPECT_EQ(grid.getMaxCols(), table.columns.length());
    EXPECT_FALSE(grid.isModified());
    Vtx_String text;
    ASSERT_TRUE(grid.getCellText(0, 3, text, kTextValue));
    EXPECT_EQ(text, Vtx_String("HEB")) << "every row header is the table name";
    ASSERT_TRUE(grid.getCellText(2, 0, text, kTextValue));
    EXPECT_EQ(text, Vtx_String("I/O"));

    grid.setCellText(2, 1, "0");
    grid.setCellText(3, 2, "HEB 120 edited");
    Vtx_ProfValuesTable back;
    back.templateName = "kept.tpl";
    ASSERT_TRUE(back.getFromSS(grid));
    EXPECT_EQ(back.tableName, Vtx_String("HEB"));
    EXPECT_EQ(back.templateName, Vtx_String("kept.tpl"));
    EXPECT_EQ(back.columns, table.columns);
    ASSERT_EQ(back.rows.length(), table.rows.length());
    EXPECT_EQ(back.rows[0][1], Vtx_String("0"));
    EXPECT_EQ(back.rows[1][2], Vtx_String("HEB 120 edited"));
    for (int r = 2; r < table.rows.length(); ++r)
        EXPECT_EQ(back.rows[r], table.rows[r]) << "row " << r;
}

TEST_F(SectionGrid, EmptyTableEmptiesTheGrid) {
    ASSERT_TRUE(load("IPE").setToSS(grid));
    Vtx_ProfValuesTable empty = load("IPE");
    empty.rows.removeAll();
    EXPECT_FALSE(empty.setToSS(grid));
    EXPECT_EQ(grid.getMaxRows(), 0);
    EXPECT_EQ(grid.getMaxCols(), 0);
    Vtx_ProfValuesTable table = load("HEA");
    EXPECT_FALSE(table.getFromSS(grid));
    EXPECT_EQ(table.tableName, Vtx_String("HEA")) << "a refused read changes nothing";
}

TEST_F(SectionGrid, LongRowKeepsItsCellsThroughTheGrid) {
    Vtx_ProfValuesTable table = load("IPE");
    table.rows[0].append("extra");
    ASSERT_TRUE(table.setToSS(grid));
    Vtx_ProfValuesTable back;
    ASSERT_TRUE(back.getFromSS(grid));
    EXPECT_EQ(back.rows[0].last(), Vtx_String("extra"));
}

TEST_F(SectionLibrary, RegistrySeesTheEditedTable) {
    Vtx_SectionTableManager& registry = sectionTableManager();
    Vtx_String value;
    ASSERT_EQ(getSectionValue("HEA 200", 0, value), eOk);
    EXPECT_EQ(value, Vtx_String("190"));

    Vtx_ProfValuesTable table = load("HEA");
    int row = -1;
    ASSERT_TRUE(table.findSysName("200", row));
    table.rows[row][6] = "191";
    ASSERT_TRUE(table.insertRow(table.rows.length() - 1));
    const Vtx_String added = table.rows.last()[0];
    ASSERT_EQ(table.setToGlobals(&registry), eOk);

    ASSERT_EQ(getSectionValue("HEA 200", 0, value), eOk);
    EXPECT_EQ(value, Vtx_String("191"));
    Vtx_String systemName;
    ASSERT_EQ(registry.getSystemName("HEA-" + added, systemName), eOk);
    int registered = 0;
    for (const Vtx_SectionTable& t : registry.tables())
        registered += t.name.equal("HEA.pr", false) ? 1 : 0;
    EXPECT_EQ(registered, 1) << "the edited table replaces the old one";
    const Vtx_SectionTable* found = nullptr;
    ASSERT_TRUE(registry.findSection("HEA 200", found, row));
    EXPECT_EQ(found->templateName, Vtx_String("1"));
    EXPECT_EQ(found->columns[1], Vtx_String("English")) << "the in-use column is not registered";
}

TEST_F(SectionLibrary, RefusedRegistrationKeepsTheRegisteredTable) {
    Vtx_SectionTableManager& registry = sectionTableManager();
    Vtx_ProfValuesTable table = load("HEA");
    table.columns.removeAll();
    EXPECT_EQ(table.setToGlobals(&registry), eInvalidInput);
    EXPECT_EQ(table.setToGlobals(nullptr), eInvalidInput);
    Vtx_String value;
    EXPECT_EQ(getSectionValue("HEA 200", 0, value), eOk);
}
