// Structural editing: references follow inserted, deleted, moved and copied
// cells; references to deleted cells become #REF!.
#include "SheetTestUtil.h"

namespace vtx::sheet::test {

namespace {

class StructureTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet);
        for (int r = 1; r <= 5; ++r)
            sheet.setData(1, r, std::to_string(r));
    }
    std::string formula(int col, int row) {
        std::string t;
        sheet.getText(col, row, TextForm::Formula, t);
        return t;
    }
    SheetModel sheet;
};

} // namespace

TEST_F(StructureTest, InsertedRowsPushReferencesAndWidenRanges) {
    sheet.setFormula(3, 1, "A2+$A$4", true);
    sheet.setFormula(3, 2, "SUM(A1:A5)", true);
    ASSERT_TRUE(sheet.insertRows(3, 2));
    EXPECT_EQ(formula(3, 1), "A2+$A$6");
    EXPECT_EQ(formula(3, 2), "SUM(A1:A7)");
    EXPECT_EQ(sheet.value(1, 6).asNumber(), 4);
    sheet.setData(1, 3, "100");
    EXPECT_EQ(sheet.value(3, 2).asNumber(), 115) << "the inserted row is inside the range";
}

TEST_F(StructureTest, FormulasInMovedRowsKeepTheirTargets) {
    sheet.setFormula(2, 5, "A1*10", true);
    ASSERT_TRUE(sheet.insertRows(2, 1));
    EXPECT_FALSE(sheet.hasFormula(2, 5));
    EXPECT_EQ(formula(2, 6), "A1*10");
    EXPECT_EQ(sheet.value(2, 6).asNumber(), 10);
}

TEST_F(StructureTest, DeletedRowsTurnTheirReferencesIntoRefErrors) {
    sheet.setFormula(3, 1, "A3+1", true);
    sheet.setFormula(4, 1, "A5+1", true);
    sheet.setFormula(5, 1, "SUM(A2:A4)", true);
    sheet.setFormula(6, 1, "SUM(A3:A3)", true);
    sheet.setFormula(7, 3, "1", true); // in the deleted row: goes with it
    ASSERT_TRUE(sheet.deleteRows(3, 1));
    EXPECT_EQ(formula(3, 1), "#REF!+1");
    EXPECT_EQ(sheet.value(3, 1), Value::error(FormulaError::Ref));
    EXPECT_EQ(formula(4, 1), "A4+1");
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 6);
    EXPECT_EQ(formula(5, 1), "SUM(A2:A3)") << "a range shrinks";
    EXPECT_EQ(sheet.value(5, 1).asNumber(), 2 + 4);
    EXPECT_EQ(sheet.value(6, 1), Value::error(FormulaError::Ref)) << "a range wholly deleted";
    EXPECT_FALSE(sheet.hasFormula(7, 3));
}

TEST_F(StructureTest, ColumnsInsertAndDeleteLikeRows) {
    sheet.setData(2, 1, "7");
    sheet.setFormula(4, 1, "A1+B1", true);
    ASSERT_TRUE(sheet.insertCols(2, 1));
    EXPECT_EQ(formula(5, 1), "A1+C1");
    EXPECT_EQ(sheet.value(5, 1).asNumber(), 8);
    ASSERT_TRUE(sheet.deleteCols(1, 1));
    EXPECT_EQ(formula(4, 1), "#REF!+B1");
    EXPECT_EQ(sheet.value(4, 1), Value::error(FormulaError::Ref));
}

TEST_F(StructureTest, HeadersMoveWithTheirRowsAndColumns) {
    sheet.setData(0, 2, "second");
    sheet.setData(3, 0, "Third");
    sheet.insertRows(1, 1);
    sheet.insertCols(1, 1);
    std::string t;
    sheet.getText(0, 3, TextForm::Data, t);
    EXPECT_EQ(t, "second");
    sheet.getText(4, 0, TextForm::Data, t);
    EXPECT_EQ(t, "Third");
}

TEST_F(StructureTest, CopiedFormulasShiftTheirRelativeReferences) {
    sheet.setFormula(2, 1, "A1*$A$1", true);
    sheet.setTag(2, 1, "t");
    ASSERT_TRUE(sheet.copyRange({2, 1, 2, 1}, 2, 3));
    EXPECT_EQ(formula(2, 3), "A3*$A$1");
    EXPECT_EQ(sheet.value(2, 3).asNumber(), 3);
    std::string tag;
    sheet.getText(2, 3, TextForm::Tag, tag);
    EXPECT_EQ(tag, "t");
    // Out of the grid: the copy's reference is #REF!.
    sheet.setFormula(3, 5, "A1", true);
    ASSERT_TRUE(sheet.copyRange({3, 5, 3, 5}, 3, 1));
    EXPECT_EQ(sheet.value(3, 1), Value::error(FormulaError::Ref));
}

TEST_F(StructureTest, CopyReplacesTheDestinationAndRecalculatesItsDependents) {
    sheet.setFormula(4, 1, "C2*2", true);
    sheet.setData(3, 2, "old");
    sheet.setData(2, 9, "");
    ASSERT_TRUE(sheet.copyRange({1, 2, 1, 2}, 3, 2));
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 4);
    ASSERT_TRUE(sheet.copyRange({5, 5, 5, 5}, 3, 2)) << "an empty source empties the target";
    EXPECT_TRUE(sheet.value(3, 2).isEmpty());
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 0);
}

TEST_F(StructureTest, MovedCellsAreFollowedByTheirReferences) {
    sheet.setFormula(3, 1, "A1+A2", true);
    sheet.setFormula(3, 2, "SUM(A1:A2)", true);
    sheet.setFormula(3, 3, "B9", true);
    ASSERT_TRUE(sheet.moveRange({1, 1, 1, 2}, 2, 8)); // A1:A2 -> B8:B9
    EXPECT_EQ(formula(3, 1), "B8+B9");
    EXPECT_EQ(formula(3, 2), "SUM(B8:B9)");
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 3);
    EXPECT_EQ(formula(3, 3), "#REF!") << "the old B9 was overwritten";
    EXPECT_TRUE(sheet.value(1, 1).isEmpty());
}

TEST_F(StructureTest, AMovedFormulaKeepsPointingAtTheSameCells) {
    sheet.setFormula(2, 1, "A1*2", true);
    ASSERT_TRUE(sheet.moveRange({2, 1, 2, 1}, 5, 5));
    EXPECT_EQ(formula(5, 5), "A1*2");
    sheet.setData(1, 1, "21");
    EXPECT_EQ(sheet.value(5, 5).asNumber(), 42);
}

TEST_F(StructureTest, StructureCallsOutsideTheGridAreRefused) {
    EXPECT_FALSE(sheet.insertRows(0, 1));
    EXPECT_FALSE(sheet.insertRows(52, 1));
    EXPECT_FALSE(sheet.deleteRows(50, 2));
    EXPECT_FALSE(sheet.deleteCols(1, 0));
    EXPECT_FALSE(sheet.copyRange({1, 1, 2, 2}, 20, 50));
    EXPECT_FALSE(sheet.moveRange({1, 1, 1, 1}, 21, 1));
}

TEST_F(StructureTest, SpansAndSizesFollowRows) {
    sheet.addSpan(1, 3, 2, 2);
    sheet.setRowHeight(4, 30);
    sheet.insertRows(1, 1);
    CellSpan span;
    EXPECT_TRUE(sheet.getSpan(2, 5, span));
    EXPECT_EQ(span, (CellSpan{1, 4, 2, 2}));
    EXPECT_EQ(sheet.rowHeight(5), 30);
    sheet.deleteRows(4, 1);
    EXPECT_FALSE(sheet.getSpan(1, 4, span)) << "a span whose anchor is deleted goes";
}

} // namespace vtx::sheet::test

namespace vtx::sheet::test {

TEST_F(StructureTest, CopyOntoAnOverlappingRangeKeepsTheCopiedPrograms) {
    // Once freed the program of B2 while its copy still needed it.
    sheet.setFormula(2, 1, "A1*5", true);
    sheet.setFormula(2, 2, "A2*7", true);
    ASSERT_TRUE(sheet.copyRange({2, 1, 2, 2}, 2, 2));
    EXPECT_EQ(formula(2, 2), "A2*5");
    EXPECT_EQ(formula(2, 3), "A3*7");
    EXPECT_EQ(sheet.value(2, 3).asNumber(), 21);
}

TEST_F(StructureTest, CellsPushedBeyondTheCountsDoNotBreakTheFile) {
    // Once saved a cell beyond the row count that the reader then refused.
    sheet.setData(1, 50, "last");
    sheet.addSpan(3, 49, 1, 2);
    ASSERT_TRUE(sheet.insertRows(1, 1));
    SheetModel copy;
    std::string reason;
    ASSERT_TRUE(copy.loadFromText(sheet.saveToText(), "pushed", &reason)) << reason;
    EXPECT_EQ(copy.value(1, 2).asNumber(), 1);
}

} // namespace vtx::sheet::test
