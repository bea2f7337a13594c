// New sections by example without the dialog: how the name pattern is found,
// names composed, and where and how the new row goes.
#include "SectionLibraryFixture.h"

#include "sectionlib/NewSectionByExample.h"

namespace {

Vtx_StringArray cells(std::initializer_list<const char*> texts) {
    Vtx_StringArray result;
    for (const char* text : texts)
        result.append(text);
    return result;
}

Vtx_ProfValuesTable angleTable() {
    Vtx_ProfValuesTable table;
    table.tableName = "L";
    table.templateName = "LShape.tpl";
    table.columns =
        cells({"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t"});
    return table;
}

TEST(NewSectionByExample, EqualValuesGiveDistinctPositionsAndTextPartsMatchByText) {
    Vtx_ProfValuesTable table = angleTable();
    table.rows.append(cells(
        {"100x100x10", "1", "L 100x100x10", "L100", "Corniere 100", "", "100", "100.0", "10"}));
    table.rows.append(cells({"HDx10", "1", "HD 10", "HD 10", "HD 10", "HD 10", "hd", "0", "10"}));
    const NewSectionByExample equal(table, "100x100x10");
    EXPECT_EQ(equal.pattern(), (Vtx_Array<int>{0, 1, 2}));
    EXPECT_EQ(equal.prefixes(), cells({"L ", "L", "Corniere ", ""}));
    EXPECT_EQ(equal.composeName(cells({"120", "80", "8"})), "120x80x8");
    // Fewer values than the pattern needs: the parts that are there.
    EXPECT_EQ(equal.composeName(cells({"120"})), "120");

    const NewSectionByExample text(table, "hdx10");
    EXPECT_EQ(text.pattern(), (Vtx_Array<int>{0, 2}));
}

TEST(NewSectionByExample, AnExampleWhoseNameIsNotMadeOfValuesTakesTheNextRowsPattern) {
    Vtx_ProfValuesTable table = angleTable();
    table.rows.append(
        cells({"Special", "1", "Special", "Special", "Special", "Special", "50", "50", "5"}));
    table.rows.append(cells(
        {"60x40x6", "1", "L 60x40x6", "W 60x40x6", "L 60x40x6", "L 60x40x6", "60", "40", "6"}));
    const NewSectionByExample example(table, "special");
    EXPECT_EQ(example.exampleRow(), 0);
    EXPECT_EQ(example.pattern(), (Vtx_Array<int>{0, 1, 2}));
    EXPECT_EQ(example.currentPrefix(), "L ");

    // No row gives a pattern: no prefixes, the last row's parts as found.
    Vtx_ProfValuesTable alone = angleTable();
    alone.rows.append(cells({"Ax7", "1", "A 7", "A 7", "A 7", "A 7", "1", "2", "7"}));
    const NewSectionByExample none(alone, "unknown");
    EXPECT_EQ(none.pattern(), (Vtx_Array<int>{-1, 2}));
    EXPECT_TRUE(none.prefixes().isEmpty());
}

TEST(NewSectionByExample, TheNewRowIsACompleteCopyWithNewNamesAndValues) {
    Vtx_ProfValuesTable table = angleTable();
    table.columns.append("Note");
    table.rows.append(cells(
        {"60x40x6", "0", "L 60x40x6", "W 60x40x6", "L 60x40x6", "Plain", "60", "40", "6", "old"}));
    const NewSectionByExample example(table, "60x40x6");
    int row = -1;
    ASSERT_EQ(example.addSection(table, "70x40x6", true, cells({"70", "40", "6", "kept?"}), row),
              NewSectionResult::Added);
    EXPECT_EQ(table.rows[row], cells({"70x40x6", "1", "L 70x40x6", "W 70x40x6", "L 70x40x6",
                                      "70x40x6", "70", "40", "6", "kept?"}));
    EXPECT_EQ(row, 1);

    const Vtx_ProfValuesTable before = table;
    EXPECT_EQ(example.addSection(table, "70X40X6", true, {}, row), NewSectionResult::NameExists);
    EXPECT_EQ(example.addSection(table, " ", false, {}, row), NewSectionResult::EmptyName);
    EXPECT_EQ(example.addSection(table, "a\tb", false, {}, row), NewSectionResult::BadName);
    EXPECT_EQ(example.addSection(table, "80x40x6", true, cells({"80\n"}), row),
              NewSectionResult::BadName);
    EXPECT_EQ(table.rows, before.rows);

    Vtx_ProfValuesTable empty = angleTable();
    const NewSectionByExample nothing(empty, "x");
    EXPECT_EQ(nothing.addSection(empty, "1", false, {}, row), NewSectionResult::NoExample);
}

TEST(NewSectionByExample, NamesSortNaturally) {
    EXPECT_LT(compareSectionNames("90x90x9", "100x100x10"), 0);
    EXPECT_LT(compareSectionNames("100x100x8", "100x100x10"), 0);
    EXPECT_LT(compareSectionNames("100x50x5.5", "100x50x6"), 0);
    EXPECT_EQ(compareSectionNames("hd 100", "HD 100"), 0);
    EXPECT_LT(compareSectionNames("100", "100x10"), 0);
    EXPECT_GT(compareSectionNames("Special", "600"), 0);
}

TEST(NewSectionByExample, StandardTypesNameTheirValuesInTheirOrder) {
    EXPECT_EQ(standardDimensionNames(4).length(), 4);
    EXPECT_EQ(standardDimensionNames(19).length(), 9);
    EXPECT_EQ(standardDimensionNames(4)[1], dialString(743) + " 1");
    EXPECT_EQ(standardDimensionNames(22)[1], dialString(749));
    EXPECT_TRUE(standardDimensionNames(0).isEmpty());
    EXPECT_TRUE(standardDimensionNames(25).isEmpty());

    // Values beyond the type's names are named by their columns; a template
    // drawing's table names all its values by its columns.
    Vtx_ProfValuesTable table = angleTable();
    table.columns = cells({"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "tw",
                           "tf", "r1", "r2", "A", "G"});
    table.rows.append(cells({"40x4", "1", "L 40", "L 40", "L 40", "L 40", "40", "40", "4", "4", "6",
                             "3", "3.08", "2.42"}));
    table.templateName = "3";
    Vtx_StringArray expected = standardDimensionNames(3);
    ASSERT_EQ(expected.length(), 6);
    expected.append("A");
    expected.append("G");
    EXPECT_EQ(NewSectionByExample(table, "40x4").dimensionNames(), expected);
    table.templateName = "Angles\\Special.dwg";
    EXPECT_EQ(NewSectionByExample(table, "40x4").dimensionNames(),
              cells({"h", "b", "tw", "tf", "r1", "r2", "A", "G"}));
}

} // namespace
