// The grid model: addressing, the four text forms, cell types, styles,
// spans, sizes, options and cursor state.
#include "SheetTestUtil.h"

namespace vtx::sheet::test {

namespace {

class SheetModelTest : public ::testing::Test {
protected:
    void SetUp() override { sizeGrid(sheet, 5, 5); }
    std::string text(int col, int row, TextForm form = TextForm::Value) {
        std::string t = "junk";
        sheet.getText(col, row, form, t);
        return t;
    }
    SheetModel sheet;
};

} // namespace

TEST_F(SheetModelTest, CellsOutsideTheCountsAreRefused) {
    std::string t = "junk";
    EXPECT_FALSE(sheet.getText(6, 1, TextForm::Data, t));
    EXPECT_EQ(t, "") << "the text is emptied first";
    EXPECT_FALSE(sheet.setData(1, 6, "x"));
    EXPECT_FALSE(sheet.setFormula(-1, 1, "1", true));
    EXPECT_FALSE(sheet.setTag(1, 9, "x"));
    EXPECT_EQ(sheet.textLength(6, 6, TextForm::Data), -1);
    EXPECT_EQ(sheet.cellTypeNumber(9, 9), -1);
    EXPECT_FALSE(sheet.setCellType({1, 1, 9, 9}, CellType::edit(3)));
    EXPECT_TRUE(sheet.getText(2, 2, TextForm::Data, t)) << "an empty cell in range";
    EXPECT_EQ(t, "");
    SheetModel empty;
    EXPECT_FALSE(empty.setData(1, 1, "x")) << "a new grid has no rows or columns";
    EXPECT_TRUE(empty.setData(0, 0, "")) << "but its sheet cell";
}

TEST_F(SheetModelTest, HeadersAndTheSheetTagLiveInRowAndColumnZero) {
    EXPECT_TRUE(sheet.setData(kHeaderIndex, 2, "Row two"));
    EXPECT_TRUE(sheet.setData(3, kHeaderIndex, "C"));
    EXPECT_TRUE(sheet.setTag(0, 0, "sheet tag"));
    EXPECT_EQ(text(0, 2, TextForm::Data), "Row two");
    EXPECT_EQ(text(3, 0, TextForm::Data), "C");
    EXPECT_EQ(text(kHeaderIndex, kHeaderIndex, TextForm::Tag), "sheet tag");
}

TEST_F(SheetModelTest, FourTextFormsOfOneCell) {
    sheet.setData(1, 1, "1.50");
    sheet.setFormula(2, 1, "A1*2", true);
    sheet.setTag(2, 1, "hidden");
    EXPECT_EQ(text(1, 1, TextForm::Data), "1.50") << "as typed";
    EXPECT_EQ(text(1, 1, TextForm::Value), "1.50");
    EXPECT_EQ(sheet.value(1, 1).asNumber(), 1.5);
    EXPECT_EQ(text(2, 1, TextForm::Data), "3");
    EXPECT_EQ(text(2, 1, TextForm::Formula), "A1*2");
    EXPECT_EQ(text(2, 1, TextForm::Tag), "hidden");
    EXPECT_EQ(text(2, 1, TextForm::Value), "3");
    EXPECT_EQ(text(1, 1, TextForm::Formula), "") << "a constant has no formula";
    sheet.setData(2, 1, "plain");
    EXPECT_FALSE(sheet.hasFormula(2, 1)) << "data replaces a formula";
    EXPECT_EQ(text(2, 1, TextForm::Tag), "hidden") << "and keeps the tag";
    sheet.setValueText(3, 1, "1.50");
    EXPECT_EQ(text(3, 1, TextForm::Data), "1.5") << "a value keeps only the number";
}

TEST_F(SheetModelTest, NumberCellsShowTheirDecimalsAndRefuseOtherTexts) {
    sheet.setCellType({1, 1, 1, 3}, CellType::number(NumberStyle::Plain, 2, -100, 100));
    EXPECT_EQ(sheet.cellTypeNumber(1, 1), 14);
    EXPECT_TRUE(sheet.setData(1, 1, "3.14159"));
    EXPECT_EQ(text(1, 1, TextForm::Value), "3.14");
    EXPECT_EQ(text(1, 1, TextForm::Data), "3.14159");
    double d = 0;
    EXPECT_TRUE(sheet.getFloat(1, 1, d));
    EXPECT_EQ(d, 3.14159);
    EXPECT_TRUE(sheet.setData(1, 2, "2.675"));
    EXPECT_EQ(text(1, 2, TextForm::Value), "2.68") << "halves round away from zero";
    EXPECT_FALSE(sheet.setData(1, 1, "abc"));
    EXPECT_FALSE(sheet.setData(1, 1, "101")) << "above the maximum";
    EXPECT_EQ(text(1, 1, TextForm::Value), "3.14") << "a refused text leaves the cell";
    EXPECT_TRUE(sheet.setData(1, 1, ""));
    EXPECT_EQ(text(1, 1, TextForm::Value), "");
    sheet.setFormula(1, 3, "1/3", true);
    EXPECT_EQ(text(1, 3, TextForm::Value), "0.33") << "formula results are shown the same way";
    sheet.setCellType({2, 1, 2, 1}, CellType::number(NumberStyle::Thousands, 1, -1e9, 1e9));
    sheet.setData(2, 1, "-1234567.25");
    EXPECT_EQ(text(2, 1), "-1,234,567.3");
    EXPECT_EQ(sheet.cellTypeNumber(2, 1), 15);
    sheet.setCellType({3, 1, 3, 1}, CellType::number(NumberStyle::Percent, 0, 0, 1));
    sheet.setData(3, 1, "0.125");
    EXPECT_EQ(text(3, 1), "13%");
    EXPECT_EQ(sheet.cellTypeNumber(3, 1), 16);
}

TEST_F(SheetModelTest, IntegerCheckBoxEditAndComboCells) {
    sheet.setCellType({1, 1, 1, 1}, CellType::integer(0, 10));
    EXPECT_EQ(sheet.cellTypeNumber(1, 1), 10);
    EXPECT_TRUE(sheet.setData(1, 1, "2.6"));
    EXPECT_EQ(text(1, 1), "3");
    sheet.setCellType({2, 1, 2, 1}, CellType::checkBox("off", "on"));
    EXPECT_EQ(sheet.cellTypeNumber(2, 1), 12);
    EXPECT_TRUE(sheet.setData(2, 1, "TRUE"));
    EXPECT_EQ(text(2, 1), "1");
    EXPECT_TRUE(sheet.setData(2, 1, "0"));
    EXPECT_EQ(text(2, 1), "0");
    EXPECT_FALSE(sheet.setData(2, 1, "maybe"));
    sheet.setCellType({3, 1, 3, 1}, CellType::edit(4));
    EXPECT_TRUE(sheet.setData(3, 1, "abcdef"));
    EXPECT_EQ(text(3, 1), "abcd") << "an edit cell keeps its maximum length";
    sheet.setCellType({4, 1, 4, 1}, CellType::combo("one\ttwo"));
    EXPECT_EQ(sheet.cellType(4, 1).text, "one\ttwo");
    sheet.setCellType({5, 1, 5, 1}, CellType::picture("x.bmp", PictureStyle::Bitmap));
    EXPECT_EQ(sheet.cellTypeNumber(5, 1), 8);
    EXPECT_EQ(sheet.cellTypeNumber(1, 2), 0) << "no type set";
}

TEST_F(SheetModelTest, StylesApplyToRangesAndShareStorage) {
    EXPECT_TRUE(sheet.setFont({1, 1, 5, 5}, CellFont{"Tahoma", 15, true}));
    EXPECT_TRUE(sheet.font(3, 3).bold);
    EXPECT_TRUE(sheet.setColors({2, 2, 2, 2}, 0x123456, kDefaultColor));
    std::uint32_t back = 0;
    std::uint32_t fore = 0;
    EXPECT_TRUE(sheet.colors(2, 2, back, fore));
    EXPECT_EQ(back, 0x123456u);
    EXPECT_EQ(fore, kDefaultColor);
    EXPECT_TRUE(sheet.font(2, 2).bold) << "colours keep the font";
    EXPECT_TRUE(sheet.setBorder({1, 1, 2, 2}, kBorderAll, BorderSide{1, 7}, true));
    EXPECT_EQ(sheet.border(1, 1, kBorderLeft).style, 1);
    EXPECT_EQ(sheet.border(1, 1, kBorderRight).style, 0) << "outline only";
    EXPECT_EQ(sheet.border(2, 2, kBorderBottom).color, 7u);
    EXPECT_TRUE(sheet.setLock({1, 1, 1, 1}, true));
    EXPECT_TRUE(sheet.isLocked(1, 1));
    EXPECT_FALSE(sheet.isLocked(1, 2));
}

TEST_F(SheetModelTest, SpansCoverCellsAndRefuseOverlaps) {
    EXPECT_TRUE(sheet.addSpan(2, 2, 2, 3));
    CellSpan span;
    EXPECT_TRUE(sheet.getSpan(3, 4, span));
    EXPECT_EQ(span, (CellSpan{2, 2, 2, 3}));
    EXPECT_FALSE(sheet.getSpan(1, 1, span));
    EXPECT_FALSE(sheet.addSpan(3, 3, 2, 2)) << "overlap";
    EXPECT_FALSE(sheet.addSpan(5, 5, 2, 1)) << "leaves the grid";
    EXPECT_FALSE(sheet.removeSpan(3, 3)) << "only by its anchor";
    EXPECT_TRUE(sheet.removeSpan(2, 2));
    EXPECT_FALSE(sheet.getSpan(3, 4, span));
}

// Spans of every shape, tall ones among them, made and removed at random:
// the span found over each cell, and whether a new one is refused, agree
// with a plain walk over all of them.
TEST_F(SheetModelTest, SpanLookUpAgreesWithAWalkOverAllSpans) {
    SheetModel grid;
    sizeGrid(grid, 30, 70);
    std::vector<CellSpan> made;
    auto walk = [&](int col, int row) -> const CellSpan* {
        for (const CellSpan& s : made)
            if (col >= s.col && col < s.col + s.cols && row >= s.row && row < s.row + s.rows)
                return &s;
        return nullptr;
    };
    unsigned seed = 12345;
    auto next = [&](int bound) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(bound));
    };
    for (int round = 0; round < 400; ++round) {
        const CellSpan wanted{1 + next(28), 1 + next(55), 1 + next(3), 1 + next(round % 7 ? 2 : 6)};
        bool free = true;
        for (int c = wanted.col; c < wanted.col + wanted.cols; ++c)
            for (int r = wanted.row; r < wanted.row + wanted.rows; ++r)
                free = free && !walk(c, r);
        ASSERT_EQ(grid.addSpan(wanted.col, wanted.row, wanted.cols, wanted.rows), free)
            << wanted.col << "," << wanted.row << " " << wanted.cols << "x" << wanted.rows;
        if (free)
            made.push_back(wanted);
        if (round % 9 == 8 && !made.empty()) {
            const std::size_t gone = static_cast<std::size_t>(next(static_cast<int>(made.size())));
            ASSERT_TRUE(grid.removeSpan(made[gone].col, made[gone].row));
            made.erase(made.begin() + static_cast<std::ptrdiff_t>(gone));
        }
    }
    EXPECT_EQ(grid.spans(), made) << "spans keep the order they were made in";
    for (int col = 1; col <= 30; ++col)
        for (int row = 1; row <= 60; ++row) {
            CellSpan span;
            const CellSpan* expected = walk(col, row);
            ASSERT_EQ(grid.getSpan(col, row, span), expected != nullptr) << col << "," << row;
            if (expected) {
                EXPECT_EQ(span, *expected);
            }
        }
    // Rows put in above move the spans with them, and look-ups follow.
    ASSERT_TRUE(grid.insertRows(1, 2));
    CellSpan span;
    if (!made.empty()) {
        EXPECT_TRUE(grid.getSpan(made.front().col, made.front().row + 2, span));
        EXPECT_EQ(span.row, made.front().row + 2);
    }
}

TEST_F(SheetModelTest, SizesAndTextExtents) {
    EXPECT_EQ(sheet.columnWidth(2), 8.0);
    EXPECT_TRUE(sheet.setColumnWidth(kHeaderIndex, 3));
    EXPECT_EQ(sheet.columnWidth(0), 3);
    EXPECT_TRUE(sheet.setRowHeight(5, 20));
    EXPECT_FALSE(sheet.setRowHeight(6, 20));
    EXPECT_EQ(sheet.rowHeight(6), -1);
    sheet.setData(2, 1, "abc");
    sheet.setData(2, 3, "abcdefghij");
    EXPECT_EQ(sheet.maxTextColumnWidth(2), 10);
    EXPECT_GT(sheet.maxTextRowHeight(3), 0);
    EXPECT_EQ(sheet.maxTextRowHeight(4), 0);
}

// Cells are kept in blocks of 64 rows; a range must reach exactly its own
// rows on both sides of every block edge.
TEST_F(SheetModelTest, RangesEndExactlyAtTheirRowsAcrossBlockEdges) {
    sizeGrid(sheet, 2, 200);
    for (int row = 1; row <= 200; ++row)
        sheet.setData(1, row, "x");
    EXPECT_TRUE(sheet.clearRange({1, 63, 1, 64}));
    EXPECT_TRUE(sheet.clearRange({1, 128, 1, 128}));
    EXPECT_TRUE(sheet.clearRange({1, 190, 1, 191}));
    for (int row = 1; row <= 200; ++row) {
        const bool cleared = row == 63 || row == 64 || row == 128 || row == 190 || row == 191;
        EXPECT_EQ(text(1, row), cleared ? "" : "x") << "row " << row;
    }
    EXPECT_EQ(sheet.maxTextRowHeight(64), 0);
    EXPECT_GT(sheet.maxTextRowHeight(65), 0);
    EXPECT_GT(sheet.maxTextRowHeight(127), 0);
}

TEST_F(SheetModelTest, OptionsAreNumberedBooleans) {
    EXPECT_TRUE(sheet.option(kOptionAutoCalc)) << "recalculation is automatic by default";
    EXPECT_FALSE(sheet.option(kOptionChanged));
    EXPECT_TRUE(sheet.setOption(kOptionChanged, true));
    EXPECT_TRUE(sheet.option(30));
    EXPECT_FALSE(sheet.setOption(64, true));
    EXPECT_FALSE(sheet.option(-1));
}

TEST_F(SheetModelTest, CursorSelectionAndEditState) {
    int col = 0;
    int row = 0;
    EXPECT_FALSE(sheet.activeCell(col, row));
    EXPECT_TRUE(sheet.setActiveCell(2, 3));
    EXPECT_TRUE(sheet.activeCell(col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_FALSE(sheet.setActiveCell(9, 1));
    CellRange sel;
    EXPECT_FALSE(sheet.selection(sel));
    EXPECT_TRUE(sheet.setSelection({3, 4, 1, 2}));
    EXPECT_TRUE(sheet.selection(sel));
    EXPECT_EQ(sel, (CellRange{1, 2, 3, 4})) << "corners are put in order";
    sheet.setEditMode(true);
    sheet.setEditSelection(1, 2);
    int start = 0;
    int length = 0;
    sheet.editSelection(start, length);
    EXPECT_TRUE(sheet.editMode());
    EXPECT_EQ(start * 10 + length, 12);
}

TEST_F(SheetModelTest, ResetEmptiesTheGrid) {
    sheet.setData(1, 1, "x");
    sheet.setOption(kOptionAutoCalc, false);
    sheet.reset();
    EXPECT_EQ(sheet.maxCols(), 0);
    EXPECT_TRUE(sheet.option(kOptionAutoCalc));
    sheet.setMaxCols(1);
    sheet.setMaxRows(1);
    EXPECT_TRUE(sheet.value(1, 1).isEmpty());
}

} // namespace vtx::sheet::test

namespace vtx::sheet::test {

TEST_F(SheetModelTest, AnEmptyTextIsAValueOfItsOwn) {
    sizeGrid(sheet); // room for CHECK_EVAL's cell
    ASSERT_TRUE(sheet.setText(1, 1, ""));
    EXPECT_EQ(sheet.valueType(1, 1), ValueType::Text);
    EXPECT_EQ(text(1, 1, TextForm::Data), "");
    CHECK_EVAL(sheet, "ISBLANK(A1)", Value::boolean(false));
    CHECK_EVAL(sheet, "ISBLANK(A2)", Value::boolean(true));
    CHECK_EVAL(sheet, "A1=\"\"", Value::boolean(true));
    CHECK_EVAL(sheet, "ISTEXT(A1)", Value::boolean(true));
    CHECK_EVAL(sheet, "COUNTA(A1:A2)", Value::number(1));
    CHECK_EVAL(sheet, "COUNTBLANK(A1:A2)", Value::number(2)); // as common spreadsheets count
    // Typing nothing still clears the cell.
    ASSERT_TRUE(sheet.setData(1, 1, ""));
    EXPECT_EQ(sheet.valueType(1, 1), ValueType::Empty);
    CHECK_EVAL(sheet, "COUNTA(A1:A2)", Value::number(0));
}

TEST_F(SheetModelTest, SetTextKeepsTheTextAsGivenWhereTheCellTypeTakesTexts) {
    ASSERT_TRUE(sheet.setText(1, 1, "12"));
    EXPECT_EQ(sheet.value(1, 1), Value::text("12")) << "a number-like text stays a text";
    sheet.setFormula(2, 1, "A1*2", true);
    ASSERT_TRUE(sheet.setText(2, 1, " 1.50 "));
    EXPECT_FALSE(sheet.hasFormula(2, 1));
    EXPECT_EQ(text(2, 1, TextForm::Data), " 1.50 ");
    sheet.setCellType(CellRange::cell(3, 1), CellType::edit(3));
    ASSERT_TRUE(sheet.setText(3, 1, "abcdef"));
    EXPECT_EQ(sheet.value(3, 1), Value::text("abc"));
    sheet.setNumber(4, 1, 5);
    sheet.setCellType(CellRange::cell(4, 1), CellType::number(NumberStyle::Plain, 2, 0, 10));
    EXPECT_FALSE(sheet.setText(4, 1, ""));
    EXPECT_EQ(sheet.value(4, 1), Value::number(5));
    EXPECT_FALSE(sheet.setText(9, 1, "x")) << "outside the counts";
}

} // namespace vtx::sheet::test
