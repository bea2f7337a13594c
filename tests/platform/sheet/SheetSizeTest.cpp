// The row and column counts: a smaller count erases the cells beyond it, and
// what read them is recalculated; the file then computes what the grid did.
#include "SheetTestUtil.h"

namespace vtx::sheet::test {

namespace {

class SheetSizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet, 6, 6);
        for (int r = 1; r <= 6; ++r)
            sheet.setNumber(1, r, r);
    }
    std::string text(int col, int row, TextForm form) {
        std::string t;
        sheet.getText(col, row, form, t);
        return t;
    }
    SheetModel sheet;
};

} // namespace

TEST_F(SheetSizeTest, ShrinkingErasesEverythingBeyondTheCount) {
    sheet.setFormula(2, 6, "A1*2", true);
    sheet.setTag(1, 6, "tag");
    sheet.setCellType(CellRange::cell(3, 6), CellType::edit(4));
    sheet.setData(6, 1, "far right");
    ASSERT_TRUE(sheet.setMaxRows(4));
    ASSERT_TRUE(sheet.setMaxCols(5));
    ASSERT_TRUE(sheet.setMaxRows(6));
    ASSERT_TRUE(sheet.setMaxCols(6));
    EXPECT_TRUE(sheet.value(1, 6).isEmpty()) << "growing again gives empty cells";
    EXPECT_FALSE(sheet.hasFormula(2, 6));
    EXPECT_EQ(text(1, 6, TextForm::Tag), "");
    EXPECT_EQ(sheet.cellTypeNumber(3, 6), sheet.cellTypeNumber(3, 1)) << "the style is gone";
    EXPECT_TRUE(sheet.value(6, 1).isEmpty());
    // The erased formula no longer hangs on A1.
    sheet.setNumber(1, 1, 50);
    EXPECT_TRUE(sheet.value(2, 6).isEmpty());
}

TEST_F(SheetSizeTest, FormulasThatReadErasedCellsAreRecalculated) {
    sheet.setFormula(3, 1, "SUM(A1:A6)", true);
    sheet.setFormula(3, 2, "A6*10", true);
    sheet.setFormula(3, 3, "COUNTA(A1:A6)", true);
    ASSERT_EQ(sheet.value(3, 1).asNumber(), 21);
    ASSERT_TRUE(sheet.setMaxRows(4));
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 10);
    EXPECT_EQ(sheet.value(3, 2).asNumber(), 0);
    EXPECT_EQ(sheet.value(3, 3).asNumber(), 4);
    // The links to the erased positions stay: a new value there counts.
    ASSERT_TRUE(sheet.setMaxRows(6));
    sheet.setNumber(1, 6, 7);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 17);
    EXPECT_EQ(sheet.value(3, 2).asNumber(), 70);
}

TEST_F(SheetSizeTest, WithRecalculationOffTheChangeWaitsLikeAnyOther) {
    sheet.setFormula(3, 1, "SUM(A1:A6)", true);
    sheet.setOption(kOptionAutoCalc, false);
    ASSERT_TRUE(sheet.setMaxRows(4));
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 21) << "not yet recalculated";
    sheet.setOption(kOptionAutoCalc, true);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 10);
}

TEST_F(SheetSizeTest, ASavedAndReloadedGridComputesWhatTheGridComputed) {
    sheet.setFormula(3, 1, "SUM(A1:A6)+COUNT(A1:A6)", true);
    ASSERT_TRUE(sheet.setMaxRows(3));
    SheetModel copy;
    std::string reason;
    ASSERT_TRUE(copy.loadFromText(sheet.saveToText(), "shrunk", &reason)) << reason;
    copy.recalcAll();
    EXPECT_EQ(copy.value(3, 1), sheet.value(3, 1));
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 9);
    copy.setMaxRows(6);
    sheet.setMaxRows(6);
    EXPECT_EQ(copy.saveToText(), sheet.saveToText());
}

TEST_F(SheetSizeTest, SpansSizesAndTheCursorAreCutAtTheCount) {
    ASSERT_TRUE(sheet.addSpan(2, 2, 2, 4)); // rows 2..5
    ASSERT_TRUE(sheet.addSpan(4, 5, 2, 2)); // rows 5..6
    sheet.setRowHeight(5, 30);
    sheet.setRowHeight(2, 20);
    sheet.setActiveCell(1, 6);
    sheet.setSelection({1, 2, 2, 6});
    ASSERT_TRUE(sheet.setMaxRows(4));
    CellSpan span;
    ASSERT_TRUE(sheet.getSpan(2, 2, span));
    EXPECT_EQ(span, (CellSpan{2, 2, 2, 3}));
    EXPECT_EQ(sheet.spans().size(), 1u) << "the span starting beyond the count is gone";
    EXPECT_EQ(sheet.rowHeight(2), 20);
    ASSERT_TRUE(sheet.setMaxRows(6));
    EXPECT_EQ(sheet.rowHeight(5), sheet.rowHeight(6)) << "back to the default height";
    int col = 0;
    int row = 0;
    EXPECT_FALSE(sheet.activeCell(col, row));
    CellRange selection;
    ASSERT_TRUE(sheet.selection(selection));
    EXPECT_EQ(selection.row1, 4);
    // A span cut to one cell is no span.
    ASSERT_TRUE(sheet.setMaxCols(2));
    ASSERT_TRUE(sheet.getSpan(2, 3, span));
    EXPECT_EQ(span.cols, 1);
    ASSERT_TRUE(sheet.setMaxRows(2));
    EXPECT_FALSE(sheet.getSpan(2, 2, span));
}

TEST_F(SheetSizeTest, ShrinkingDuringARecalculationThatWouldEraseCellsIsRefused) {
    bool refused = false;
    bool plainShrink = false;
    sheet.addCustomFunction(
        "SHRINK", 0, 0,
        [&](ValueRecord* result, ValueRecord*, int) {
            plainShrink = sheet.setMaxCols(6);
            refused = !sheet.setMaxRows(2);
            result->setStatus(kValueOk);
            result->setType(kValueInt);
            result->setInt(1);
            return 1;
        },
        kCustomValues);
    ASSERT_TRUE(sheet.setFormula(2, 1, "SHRINK()", true));
    EXPECT_TRUE(refused);
    EXPECT_TRUE(plainShrink) << "nothing to erase";
    EXPECT_EQ(sheet.maxRows(), 6);
    EXPECT_EQ(sheet.value(1, 6).asNumber(), 6);
}

TEST_F(SheetSizeTest, AnInsertionErasesTheCellsItPushesBeyondTheCount) {
    sheet.setFormula(2, 1, "SUM(A1:A6)", true);
    ASSERT_TRUE(sheet.insertRows(2, 2));
    EXPECT_EQ(sheet.maxRows(), 6);
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 1 + 2 + 3 + 4) << "A5 and A6 went beyond";
    ASSERT_TRUE(sheet.setMaxRows(8));
    EXPECT_TRUE(sheet.value(1, 7).isEmpty());
    EXPECT_TRUE(sheet.value(1, 8).isEmpty());
    ASSERT_TRUE(sheet.insertCols(1, 7));
    EXPECT_EQ(sheet.maxCols(), 6);
    EXPECT_TRUE(sheet.value(8, 1).isEmpty());
}

TEST(SheetCells, UsedCellsAreGivenRowByRowWhateverTheDeclaredArea) {
    SheetModel sheet;
    sizeGrid(sheet, kMaxCols, kMaxRows);
    sheet.setData(kMaxCols, 2, "far right");
    sheet.setData(1, kMaxRows, "last");
    sheet.setData(3, 2, "x");
    sheet.setText(2, 1, "");
    sheet.setCellType(CellRange::cell(5, 7), CellType::edit(2));
    sheet.setTag(6, 7, "tag");
    sheet.setFormula(4, 4, "Z100", true); // Z100 exists only for its dependent
    const std::vector<CellPos> used = sheet.usedCells({1, 1, kMaxCols, kMaxRows});
    EXPECT_EQ(used, (std::vector<CellPos>{
                        {2, 1}, {3, 2}, {kMaxCols, 2}, {4, 4}, {5, 7}, {6, 7}, {1, kMaxRows}}));
    EXPECT_EQ(sheet.usedCells({2, 2, 3, 7}), (std::vector<CellPos>{{3, 2}}));
    EXPECT_TRUE(sheet.usedCells({1, 1, kMaxCols + 1, 1}).empty()) << "outside the grid";
}

} // namespace vtx::sheet::test
