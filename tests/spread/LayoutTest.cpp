// Column layouts, equal division and row fill, against the fixed measure:
// a 400 x 300 client area, 7 pixels a width unit, 4/3 pixels a point, so a
// default column is 56 pixels and a default row 16.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.addPlaceholder(1196, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
        ASSERT_TRUE(grid.setMaxCols(4, false));
        ASSERT_TRUE(grid.setMaxRows(5, false));
    }
    // Pixel widths of the header column and columns 1..count.
    std::vector<int> widths() {
        std::vector<int> out;
        for (int c = 0; c <= grid.getMaxCols(); ++c)
            out.push_back(grid.columnWidthPixels(c));
        return out;
    }

    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

} // namespace

TEST_F(Layout, EqualWidthsCountTheShownHeaderColumnAndLeaveOutAShownScrollBar) {
    ASSERT_TRUE(grid.setColumnLayout(kLayoutEqual, 0, 0));
    EXPECT_EQ(widths(), (std::vector<int>{80, 80, 80, 80, 80}));
    // 30 rows (496 pixels) no longer fit: the vertical bar takes 17 pixels.
    ASSERT_TRUE(grid.setMaxRows(30, false));
    ASSERT_TRUE(grid.applyColumnLayout());
    EXPECT_EQ(grid.availableWidth(), 383);
    EXPECT_EQ(widths(), (std::vector<int>{76, 76, 76, 76, 76}));
    grid.setOption(vtx::sheet::kOptionRowHeaders, false);
    ASSERT_TRUE(grid.applyColumnLayout());
    EXPECT_EQ(grid.columnWidthPixels(1), 95);
}

TEST_F(Layout, ShareGivesTheFirstColumnsTheirPercentageAndTheRestToTheOthers) {
    ASSERT_TRUE(grid.setColumnLayout(kLayoutShare, 1, 50));
    // Column 1: 400 * 50 / 100 = 200; header, 2, 3, 4 share 200.
    EXPECT_EQ(widths(), (std::vector<int>{50, 200, 50, 50, 50}));
    ASSERT_TRUE(grid.setColumnLayout(kLayoutShare, 2, 30));
    EXPECT_EQ(widths(), (std::vector<int>{93, 60, 60, 93, 93}));
}

TEST_F(Layout, ShareWithANegativeCountSizesTheLastColumns) {
    ASSERT_TRUE(grid.setColumnLayout(kLayoutShare, -2, 60));
    // Columns 3 and 4 take 240 together; header, 1, 2 share 160.
    EXPECT_EQ(widths(), (std::vector<int>{53, 53, 53, 120, 120}));
}

TEST_F(Layout, ShareWithoutHeaderColumnAndWithMoreColumnsThanTheGrid) {
    grid.setOption(vtx::sheet::kOptionRowHeaders, false);
    ASSERT_TRUE(grid.setColumnLayout(kLayoutShare, 1, 50));
    EXPECT_EQ(widths()[1], 200);
    EXPECT_EQ(widths()[2], 66);
    // All four fixed: each 400 * 100 / 100 / 4, nothing left to share.
    ASSERT_TRUE(grid.setColumnLayout(kLayoutShare, 9, 100));
    EXPECT_EQ(widths()[4], 100);
}

TEST_F(Layout, FixedColumnTakesItsWidthAndTheOthersShareTheRest) {
    ASSERT_TRUE(grid.setColumnLayout(kLayoutFixedColumn, 2, 100));
    EXPECT_EQ(widths(), (std::vector<int>{75, 75, 100, 75, 75}));
    ASSERT_TRUE(grid.setColumnLayout(kLayoutFixedColumn, kHeaderIndex, 40));
    EXPECT_EQ(widths(), (std::vector<int>{40, 90, 90, 90, 90}));
    // A hidden header column takes nothing from the others.
    grid.setOption(vtx::sheet::kOptionRowHeaders, false);
    ASSERT_TRUE(grid.setColumnLayout(kLayoutFixedColumn, 0, 40));
    EXPECT_EQ(widths(), (std::vector<int>{40, 100, 100, 100, 100}));
    EXPECT_FALSE(grid.setColumnLayout(kLayoutFixedColumn, 5, 40));
}

TEST_F(Layout, ColumnListFixesTheListedColumnsAndCutsUnequalLists) {
    Vtx_Array<int> columns;
    columns.append(1);
    columns.append(3);
    Vtx_Array<int> sizes;
    sizes.append(120);
    sizes.append(80);
    sizes.append(999);
    EXPECT_FALSE(grid.setColumnLayoutList(kLayoutFixedColumn, columns, sizes));
    ASSERT_TRUE(grid.setColumnLayoutList(kLayoutColumnList, columns, sizes));
    EXPECT_EQ(widths(), (std::vector<int>{66, 120, 66, 80, 66}));
    EXPECT_EQ(grid.columnLayoutMode(), kLayoutColumnList);
}

TEST_F(Layout, DivideWidthFixesTheFirstOrLastColumnOnlyWhenTheShareAllowsIt) {
    ASSERT_TRUE(grid.divideWidth(true, 40));
    EXPECT_EQ(widths(), (std::vector<int>{90, 40, 90, 90, 90}));
    ASSERT_TRUE(grid.divideWidth(false, 40));
    EXPECT_EQ(widths(), (std::vector<int>{90, 90, 90, 90, 40}));
    // 120 is more than the equal share of 80: everything gets 80.
    ASSERT_TRUE(grid.divideWidth(true, 120));
    EXPECT_EQ(widths(), (std::vector<int>{80, 80, 80, 80, 80}));
}

TEST_F(Layout, FitToContentsSizesColumnsAndRowsByTheirWidestAndHighestCell) {
    grid.setHeaderRow({"Name", "Qty"});
    grid.setCellText(1, 1, "Plate 10");
    grid.setCellText(2, 2, "Angle 80x80x8 long");
    // A merged text over two columns sizes neither of them.
    grid.setCellText(3, 3, "a very long merged title text");
    grid.model()->addSpan(3, 3, 2, 1);
    grid.setRangeFont(1, 4, 1, 4, "Tahoma", 30, false);
    grid.setCellText(1, 4, "x");
    ASSERT_TRUE(grid.setColumnLayout(kLayoutFit, 0, 0));
    // "Plate 10": 8 characters of 7 pixels and 6 of margin; header "Name"
    // in bold needs only 37.
    EXPECT_EQ(grid.columnWidthPixels(1), 62);
    EXPECT_EQ(grid.columnWidthPixels(2), 18 * 7 + 6);
    EXPECT_EQ(grid.columnWidthPixels(3), 6);
    EXPECT_EQ(grid.rowHeightPixels(1), 20);
    EXPECT_EQ(grid.rowHeightPixels(4), 35);
    EXPECT_EQ(grid.getCellTypeNumber(1, 0), 5) << "header cells take the header type";
    EXPECT_EQ(grid.getCellTypeNumber(0, 2), 5);
}

TEST_F(Layout, LayoutIsAppliedAgainOnEveryResize) {
    ASSERT_TRUE(grid.setColumnLayout(kLayoutFixedColumn, 1, 100));
    ASSERT_TRUE(grid.resized(900, 300));
    EXPECT_EQ(widths(), (std::vector<int>{200, 100, 200, 200, 200}));
    ASSERT_TRUE(grid.setColumnLayout(kLayoutNone, 0, 0));
    ASSERT_TRUE(grid.resized(400, 300));
    EXPECT_EQ(grid.columnWidthPixels(1), 100) << "mode 0 leaves widths alone";
}

TEST_F(Layout, AViewMeasureReplacesTheGridsOwn) {
    FixedGridMeasure view;
    view.setClientSize(1000, 500);
    view.forceScrollBars(true, std::nullopt);
    grid.setMeasure(&view);
    ASSERT_TRUE(grid.setColumnLayout(kLayoutEqual, 0, 0));
    EXPECT_EQ(grid.columnWidthPixels(3), (1000 - 17) / 5);
    grid.setMeasure(nullptr);
    ASSERT_TRUE(grid.applyColumnLayout());
    EXPECT_EQ(grid.columnWidthPixels(3), 80);
}

TEST_F(Layout, FillHeightGrowsOneRowToTheClientHeight) {
    // Header and 5 rows: 96 pixels of 300.
    ASSERT_TRUE(grid.fillHeight(5));
    EXPECT_EQ(grid.rowHeightPixels(5), 16 + 204);
    EXPECT_EQ(grid.rowHeightPixels(4), 16);
    ASSERT_TRUE(grid.fillHeight(2));
    EXPECT_EQ(grid.rowHeightPixels(2), 16) << "already full";

    FixedGridMeasure view;
    view.setClientSize(400, 300);
    view.forceScrollBars(std::nullopt, true);
    grid.setMeasure(&view);
    ASSERT_TRUE(grid.setMaxRows(1, false));
    ASSERT_TRUE(grid.fillHeight(1));
    EXPECT_EQ(grid.rowHeightPixels(1), 300 - 17 - 16) << "less the horizontal bar";
    EXPECT_FALSE(grid.fillHeight(2));
}

TEST(LayoutNotCreated, RefusesEverything) {
    Vtx_Spread grid;
    EXPECT_FALSE(grid.setColumnLayout(kLayoutEqual, 0, 0));
    EXPECT_FALSE(grid.divideWidth(true, 10));
    EXPECT_FALSE(grid.fillHeight(1));
    EXPECT_FALSE(grid.resized(100, 100));
    EXPECT_EQ(grid.availableWidth(), -1);
    EXPECT_EQ(grid.columnLayoutMode(), kLayoutNone);
}
