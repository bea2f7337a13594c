// Cell types, spans of equal cells, check cells and check links.
#include "spread/VtxSpread.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

using vtx::sheet::CellKind;
using vtx::sheet::CellSpan;
using vtx::sheet::PictureStyle;

namespace {

class Presentation : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.addPlaceholder(1434, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1434, true));
        ASSERT_TRUE(grid.setMaxCols(3, false));
        ASSERT_TRUE(grid.setMaxRows(8, false));
    }
    void setColumnTexts(int column, const std::vector<const char*>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            grid.setCellText(column, static_cast<int>(i) + 1, texts[i]);
    }
    std::vector<CellSpan> spans() { return grid.model()->spans(); }

    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

// One bitmap and one icon, as a module carries them.
class TwoPictures : public ResourceSource {
public:
    Vtx_String resourceName() const override { return "pictures"; }
    std::string_view findResource(ResourceKind kind, int id) const override {
        if ((kind == ResourceKind::Bitmap && id == 8134) ||
            (kind == ResourceKind::Icon && id == 225))
            return "BM";
        return {};
    }
};

} // namespace

TEST_F(Presentation, MergeSpansRunsOfEqualTextsButNeverEmptyCellsOrSingleCells) {
    setColumnTexts(1, {"Plate", "PLATE", "", "", "Bolt", "Nut", "nut", "Nut"});
    ASSERT_TRUE(grid.mergeEqualCells(1));
    // The run of "Nut" reaches the last row and spans exactly its 3 rows.
    EXPECT_EQ(spans(), (std::vector<CellSpan>{{1, 1, 1, 2}, {1, 6, 1, 3}}));
}

TEST_F(Presentation, MergeAgainDropsSpansThatNoLongerHold) {
    setColumnTexts(2, {"a", "a", "b", "c", "d", "e", "f", "f"});
    ASSERT_TRUE(grid.mergeEqualCells(2));
    EXPECT_EQ(spans(), (std::vector<CellSpan>{{2, 1, 1, 2}, {2, 7, 1, 2}}));
    grid.setCellText(2, 8, "g");
    ASSERT_TRUE(grid.mergeEqualCells(2));
    EXPECT_EQ(spans(), (std::vector<CellSpan>{{2, 1, 1, 2}}));
    EXPECT_FALSE(grid.mergeEqualCells(4));
    EXPECT_FALSE(grid.mergeEqualCells(-1));
}

TEST_F(Presentation, UnmergeRemovesEverySpanCoveringTheColumn) {
    ASSERT_TRUE(grid.model()->addSpan(1, 1, 2, 1));
    ASSERT_TRUE(grid.model()->addSpan(3, 2, 1, 3));
    ASSERT_TRUE(grid.unmergeColumn(2));
    EXPECT_EQ(spans(), (std::vector<CellSpan>{{3, 2, 1, 3}}));
    ASSERT_TRUE(grid.unmergeAll());
    EXPECT_TRUE(spans().empty());
}

TEST_F(Presentation, ComboCheckBoxAndPictureCellsCarryTheirTypes) {
    ASSERT_TRUE(grid.setComboCells(1, 1, 1, 3, {"HEA", "HEB", "IPE"}, true));
    EXPECT_EQ(grid.model()->cellType(1, 2).text, "HEA\tHEB\tIPE");
    EXPECT_EQ(grid.getCellTypeNumber(1, 3), 7);
    EXPECT_EQ(grid.model()->cellType(1, 3).controlStyle, kComboStyleFlagged);
    ASSERT_TRUE(grid.setComboCells(1, 3, 1, 3, {"HEA"}, false));
    EXPECT_EQ(grid.model()->cellType(1, 3).controlStyle, kComboStyleList);
    EXPECT_EQ(grid.model()->cellType(1, 2).controlStyle, kComboStyleFlagged);

    ASSERT_TRUE(grid.setCheckBoxColumn(2, true, true));
    EXPECT_EQ(grid.getCellTypeNumber(2, 8), kCellTypeCheckBox);
    EXPECT_EQ(grid.model()->cellType(2, 1).pictureOn, "8136");
    EXPECT_NE(grid.model()->border(2, 4, vtx::sheet::kBorderLeft).style, 0);
    CellSpan header;
    ASSERT_TRUE(grid.model()->getSpan(3, 0, header));
    EXPECT_EQ(header, (CellSpan{2, 0, 2, 1}));
    EXPECT_TRUE(grid.setCheckBoxColumn(3, false, true)) << "the last column has nothing to span";
    EXPECT_EQ(grid.model()->border(3, 4, vtx::sheet::kBorderLeft).style, 0);

    ASSERT_TRUE(grid.setCheckBoxCell(1, 8, false));
    EXPECT_EQ(grid.getCellTypeNumber(1, 8), kCellTypeCheckBox);

    Host host;
    HostScope scope(host);
    EXPECT_FALSE(grid.setPictureCell(3, 1, 225, true)) << "no such resource yet";
    TwoPictures pictures;
    ASSERT_EQ(host.resources().registerSource(&pictures), eOk);
    ASSERT_TRUE(grid.setPictureCell(3, 1, 225, true));
    EXPECT_EQ(grid.model()->cellType(3, 1).pictureStyle, PictureStyle::Icon);
    EXPECT_EQ(grid.model()->cellType(3, 1).text, "225");
    EXPECT_FALSE(grid.setPictureCell(3, 2, 225, false)) << "225 is an icon, not a bitmap";
    host.resources().unregisterSource(&pictures);
}

TEST_F(Presentation, FontsStyleHeadersAndTextTips) {
    grid.setDefaultFont("Arial", 13);
    ASSERT_TRUE(grid.resetFonts(true));
    EXPECT_TRUE(grid.model()->font(2, 0).bold);
    EXPECT_TRUE(grid.model()->font(0, 5).bold);
    EXPECT_FALSE(grid.model()->font(2, 5).bold);
    EXPECT_EQ(grid.model()->font(2, 5).height, 13);
    EXPECT_EQ(grid.textTipFont().name, "Arial");
    ASSERT_TRUE(grid.setNumberCells(1, 1, 1, 2, 1, 0, 100, vtx::sheet::NumberStyle::Percent));
    EXPECT_EQ(grid.getCellTypeNumber(1, 1), 16);
}

TEST_F(Presentation, SetAllChecksWritesOnlyCheckBoxCellsOfTheSelection) {
    ASSERT_TRUE(grid.setCheckBoxColumn(1, false, false));
    grid.setCellText(2, 2, "text");
    grid.setModified(false);
    ASSERT_TRUE(grid.selectRange(1, 2, 2, 4));
    ASSERT_TRUE(grid.setAllChecks(true));
    Vtx_String text;
    grid.getCellText(1, 3, text);
    EXPECT_EQ(text, "1");
    grid.getCellText(1, 5, text);
    EXPECT_EQ(text, "") << "outside the selection";
    grid.getCellText(2, 2, text);
    EXPECT_EQ(text, "text");
    EXPECT_TRUE(grid.isModified());
    ASSERT_TRUE(grid.selectRow(3));
    ASSERT_TRUE(grid.setAllChecks(false));
    grid.getCellText(1, 3, text);
    EXPECT_EQ(text, "0");
}

TEST_F(Presentation, CheckLinkLocksTargetsOfUncheckedRowsAndFollowsChanges) {
    ASSERT_TRUE(grid.setCheckBoxColumn(1, false, false));
    setColumnTexts(1, {"1", "0", ""});
    grid.setLocked(2, 3, 2, 3, true);
    EXPECT_FALSE(grid.linkCheckColumns(1, 4));
    ASSERT_TRUE(grid.linkCheckColumns(1, 2));
    EXPECT_FALSE(grid.isLocked(2, 1));
    EXPECT_TRUE(grid.isLocked(2, 2));
    EXPECT_TRUE(grid.isLocked(2, 3)) << "neither checked nor unchecked: left alone";

    grid.setActiveCell(3, 2);
    EXPECT_FALSE(grid.cellChanged()) << "not in the driver column";
    grid.setActiveCell(1, 2);
    grid.setCellText(1, 2, "1");
    ASSERT_TRUE(grid.cellChanged());
    EXPECT_FALSE(grid.isLocked(2, 2));
    int column = 0, row = 0;
    grid.getActiveCell(column, row);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 2);
}

TEST(PresentationNotCreated, RefusesEverything) {
    Vtx_Spread grid;
    EXPECT_FALSE(grid.mergeEqualCells(1));
    EXPECT_FALSE(grid.unmergeAll());
    EXPECT_FALSE(grid.setCheckBoxColumn(1, true, true));
    EXPECT_FALSE(grid.setComboCells(1, 1, 1, 1, {"a"}, false));
    EXPECT_FALSE(grid.setAllChecks(true));
    EXPECT_FALSE(grid.linkCheckColumns(1, 2));
    EXPECT_FALSE(grid.cellChanged());
}
