// Context commands, the Tab key and focus, and text found and replaced in cells.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

namespace {

class Interaction : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.addPlaceholder(1196, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
        ASSERT_TRUE(grid.setMaxCols(3, false));
        ASSERT_TRUE(grid.setMaxRows(3, false));
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c)
                grid.setCellText(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    }
    std::string text(int column, int row, int kind = kTextValue) {
        Vtx_String out;
        grid.getCellText(column, row, out, kind);
        return out.str();
    }
    std::pair<int, int> active() {
        int column = 0, row = 0;
        grid.getActiveCell(column, row);
        return {column, row};
    }

    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

Vtx_Array<int> codes(std::initializer_list<int> list) {
    Vtx_Array<int> out;
    for (int code : list)
        out.append(code);
    return out;
}

} // namespace

TEST_F(Interaction, MenuIdsSkipSeparatorsAndUnknownCodes) {
    grid.setContextCommands(codes({kContextInsertRow, kContextSeparator, 42, kContextDeleteRow,
                                   kContextSeparator, kContextCheckAll}));
    const Vtx_Array<Vtx_ContextEntry> entries = grid.contextMenuEntries();
    ASSERT_EQ(entries.length(), 5);
    EXPECT_EQ(entries[0], (Vtx_ContextEntry{kContextInsertRow, 32811, 774}));
    EXPECT_EQ(entries[1], (Vtx_ContextEntry{kContextSeparator, 0, 0}));
    EXPECT_EQ(entries[2], (Vtx_ContextEntry{kContextDeleteRow, 32812, 775}));
    EXPECT_EQ(entries[4], (Vtx_ContextEntry{kContextCheckAll, 32816, 1400}));
    EXPECT_EQ(grid.contextCommandFor(32812), kContextDeleteRow);
    EXPECT_EQ(grid.contextCommandFor(32817), 0);
    EXPECT_FALSE(grid.runContextMenuId(32817));
}

TEST_F(Interaction, ChosenEntryRunsTheCommandAtItsPosition) {
    grid.setContextCommands(codes({kContextSeparator, kContextInsertRow, kContextSeparator,
                                   kContextDeleteRow, kContextInsertColumn}));
    grid.setCheckBoxCell(2, 2, false);
    grid.setActiveCell(2, 2);
    // Second entry that is not a separator: delete row 2.
    ASSERT_TRUE(grid.runContextMenuId(32812));
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_EQ(text(1, 2), "r3c1");

    // First entry: a row at the active row, formatted as the row it pushed down.
    grid.setCheckBoxCell(2, 2, false);
    ASSERT_TRUE(grid.runContextMenuId(32811));
    EXPECT_EQ(grid.getMaxRows(), 3);
    EXPECT_EQ(text(1, 2), "");
    EXPECT_EQ(text(1, 3), "r3c1");
    EXPECT_EQ(grid.getCellTypeNumber(2, 2), kCellTypeCheckBox);

    dialog.setTextAnswer("Qty");
    ASSERT_TRUE(grid.runContextMenuId(32816));
    EXPECT_EQ(grid.getMaxCols(), 4);
    EXPECT_EQ(text(2, 0, kTextData), "Qty");
    EXPECT_EQ(text(3, 3), "r3c2");
    EXPECT_TRUE(grid.isModified());
}

TEST_F(Interaction, ContextCommandsForChecksClearingAndColumns) {
    grid.setCheckBoxCell(3, 1, false);
    grid.selectRange(1, 1, 3, 1);
    ASSERT_TRUE(grid.runContextCommand(kContextCheckAll));
    EXPECT_EQ(text(3, 1), "1");
    ASSERT_TRUE(grid.runContextCommand(kContextUncheckAll));
    EXPECT_EQ(text(3, 1), "0");
    ASSERT_TRUE(grid.runContextCommand(kContextClearCells));
    EXPECT_EQ(text(1, 1), "");
    EXPECT_EQ(text(1, 2), "r2c1");
    grid.setActiveCell(3, 2);
    ASSERT_TRUE(grid.runContextCommand(kContextDeleteColumn));
    EXPECT_EQ(grid.getMaxCols(), 2);
    EXPECT_EQ(active(), (std::pair{2, 2})) << "the active cell stays inside the grid";
    EXPECT_FALSE(grid.runContextCommand(kContextSeparator));
}

TEST_F(Interaction, TabLeavesOnlyFromTheFirstOrLastEnterableCell) {
    grid.setLocked(1, 1, 3, 1, true);
    grid.setLocked(3, 3, 3, 3, true);
    grid.setActiveCell(1, 2);
    EXPECT_EQ(grid.tabKeyResult(true), kTabLeaveBackward);
    EXPECT_EQ(grid.tabKeyResult(false), kTabKeep);
    grid.setActiveCell(2, 3);
    EXPECT_EQ(grid.tabKeyResult(false), kTabLeaveForward);
    EXPECT_EQ(grid.tabKeyResult(true), kTabKeep);
    grid.setActiveCell(2, 2);
    EXPECT_EQ(grid.tabKeyResult(true), kTabKeep);
    EXPECT_EQ(grid.tabKeyResult(false), kTabKeep);
}

TEST_F(Interaction, LockedSpansAndCoveredCellsAreNotEnterable) {
    ASSERT_TRUE(grid.model()->addSpan(1, 1, 2, 1));
    grid.setLocked(1, 1, 1, 1, true);
    EXPECT_FALSE(grid.isEnterable(2, 1)) << "covered by a locked span";
    ASSERT_TRUE(grid.model()->addSpan(2, 3, 2, 1));
    EXPECT_FALSE(grid.isEnterable(3, 3)) << "covered, entered at the anchor";
    int focusRequests = 0;
    grid.setFocusHandler([&] { ++focusRequests; });
    ASSERT_TRUE(grid.focusFirstCell(true));
    EXPECT_EQ(active(), (std::pair{3, 1}));
    ASSERT_TRUE(grid.focusFirstCell(false));
    EXPECT_EQ(active(), (std::pair{2, 3}));
    EXPECT_EQ(focusRequests, 2);
    grid.setLocked(1, 1, 3, 3, true);
    EXPECT_FALSE(grid.focusFirstCell(true));
    EXPECT_EQ(grid.tabKeyResult(false), kTabLeaveForward) << "nothing to stop at";
}

TEST_F(Interaction, FindInCellAndSelectFoundSetTheEditSelection) {
    grid.setCellText(2, 2, "HEA 200 / HEA 300");
    int pos = -1;
    ASSERT_TRUE(grid.findInCell("HEA", 2, 2, 0, pos));
    EXPECT_EQ(pos, 0);
    ASSERT_TRUE(grid.findInCell("HEA", 2, 2, 1, pos));
    EXPECT_EQ(pos, 10);
    EXPECT_FALSE(grid.findInCell("HEA", 2, 2, 11, pos));
    EXPECT_FALSE(grid.findInCell("hea", 2, 2, 0, pos)) << "case counts";
    EXPECT_FALSE(grid.findInCell("", 2, 2, 0, pos));

    bool focused = false;
    grid.setFocusHandler([&] { focused = true; });
    ASSERT_TRUE(grid.selectFound("HEA", 2, 2, 10));
    EXPECT_TRUE(focused);
    EXPECT_EQ(active(), (std::pair{2, 2}));
    EXPECT_TRUE(grid.model()->editMode());
    int start = 0, length = 0;
    grid.model()->editSelection(start, length);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(length, 3);
}

TEST_F(Interaction, ReplaceAcrossCellsReplacesEveryOccurrence) {
    grid.setCellText(1, 1, "IPE 200 IPE");
    grid.setCellFormula(3, 2, "\"IPE\"&\"300\"", true);
    grid.setModified(false);
    // Replace all, as the find/replace dialog drives it: cell by cell.
    int cells = 0;
    int column = 1, row = 1, foundColumn = 0, foundRow = 0;
    while (grid.findNext("IPE", true, column, row, foundColumn, foundRow)) {
        EXPECT_TRUE(grid.replaceInCell(foundColumn, foundRow, "IPE", "HEB"));
        ++cells;
        column = foundColumn + 1;
        row = foundRow;
    }
    EXPECT_EQ(cells, 2);
    EXPECT_EQ(text(1, 1), "HEB 200 HEB");
    EXPECT_EQ(text(3, 2, kTextData), "HEB300");
    EXPECT_EQ(text(3, 2, kTextFormula), "") << "stored as data text";
    EXPECT_TRUE(grid.isModified());
    EXPECT_FALSE(grid.replaceInCell(1, 1, "IPE", "HEB")) << "nothing left";
}

TEST_F(Interaction, EmptySubstringFindsNothing) {
    int column = 0, row = 0;
    EXPECT_FALSE(grid.findNext("", true, 1, 1, column, row));
    grid.setCellText(2, 3, "");
    EXPECT_TRUE(grid.findNext("", false, 1, 1, column, row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 3);
}

namespace {

// What a view relies on: F8's switch, being told when the grid goes, and a
// placeholder that cannot be replaced leaving the grid as it was.
TEST(GridViewHooks, EditToggleOnlyWhenAllowed) {
    HiddenDialogHost dialog;
    dialog.addPlaceholder(1196, {0, 0, 400, 300});
    Vtx_Spread grid;
    EXPECT_FALSE(grid.toggleEditable()) << "not created";
    ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
    grid.setOption(13, true);
    EXPECT_FALSE(grid.toggleEditable());
    EXPECT_TRUE(grid.getOption(13));
    grid.setAllowEditToggle(true);
    EXPECT_TRUE(grid.toggleEditable());
    EXPECT_FALSE(grid.getOption(13));
    EXPECT_TRUE(grid.toggleEditable());
    EXPECT_TRUE(grid.getOption(13));
}

TEST(GridViewHooks, DestroyHandlerRunsOnceWhenTheGridGoes) {
    int calls = 0;
    {
        Vtx_Spread grid;
        grid.setDestroyHandler([&] { ++calls; });
    }
    EXPECT_EQ(calls, 1);
}

// A dialog whose placeholder exists but refuses to be replaced.
class RefusingDialog : public HiddenDialogHost {
public:
    bool replacePlaceholder(int, Vtx_Spread&, const Vtx_Rect&) override { return false; }
};

TEST(GridViewHooks, ARefusedPlaceholderLeavesTheGridAsItWas) {
    HiddenDialogHost dialog;
    dialog.addPlaceholder(1196, {0, 0, 400, 300});
    Vtx_Spread grid;
    ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
    grid.setMaxCols(2, false);
    grid.setMaxRows(2, false);
    grid.setCellText(1, 1, "kept");
    RefusingDialog refusing;
    refusing.addPlaceholder(1196, {0, 0, 100, 100});
    EXPECT_FALSE(grid.createInDialog(&refusing, 1196, true));
    Vtx_String text;
    EXPECT_TRUE(grid.getCellText(1, 1, text));
    EXPECT_EQ(text, "kept");

    Vtx_Spread fresh;
    EXPECT_FALSE(fresh.createInDialog(&refusing, 1196, true));
    EXPECT_FALSE(fresh.isCreated());
}

} // namespace
