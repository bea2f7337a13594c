// What the sheet model tells a listener: each change with its kind and the
// cells it touched, refused changes not at all, and the listener kept when
// the whole grid is replaced.
#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace vtx::sheet;

class ChangeListenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxCols(4);
        sheet.setMaxRows(6);
        sheet.setChangeListener([this](const SheetChange& c) { changes.push_back(c); });
    }
    SheetChange only() {
        EXPECT_EQ(changes.size(), 1u);
        SheetChange c = changes.empty() ? SheetChange{} : changes.back();
        changes.clear();
        return c;
    }
    SheetModel sheet;
    std::vector<SheetChange> changes;
};

TEST_F(ChangeListenerTest, EachChangeNamesItsKindAndCells) {
    sheet.setData(2, 3, "7");
    SheetChange c = only();
    EXPECT_EQ(c.kinds, kChangeCells);
    EXPECT_EQ(c.range, CellRange::cell(2, 3));

    sheet.setFont({1, 1, 2, 2}, CellFont{"Arial", 12, true});
    EXPECT_EQ(only().range, (CellRange{1, 1, 2, 2}));
    sheet.setRowHeight(4, 20);
    EXPECT_EQ(only().kinds, kChangeSizes);
    sheet.addSpan(1, 1, 1, 3);
    EXPECT_EQ(only().kinds, kChangeSpans);
    sheet.setActiveCell(3, 3);
    EXPECT_EQ(only().kinds, kChangeCursor);
    sheet.setOption(kOptionProtect, true);
    EXPECT_EQ(only().kinds, kChangeOptions);
    sheet.insertRows(2, 1);
    EXPECT_TRUE(only().kinds & kChangeStructure);
    sheet.setMaxCols(5);
    EXPECT_TRUE(only().kinds & kChangeStructure);
}

TEST_F(ChangeListenerTest, RefusedChangesAreNotReported) {
    sheet.setNumber(1, 1, 1); // a change, reported
    changes.clear();
    sheet.setCellType(CellRange::cell(1, 2), CellType::number(NumberStyle::Plain, 2, 0, 10));
    changes.clear();
    EXPECT_FALSE(sheet.setData(1, 2, "99"));
    EXPECT_FALSE(sheet.setData(9, 9, "x"));
    EXPECT_FALSE(sheet.addSpan(3, 5, 1, 5));
    EXPECT_TRUE(changes.empty());
}

TEST_F(ChangeListenerTest, TheListenerOutlivesResetLoadAndCopy) {
    sheet.reset();
    EXPECT_TRUE(only().kinds & kChangeStructure);
    SheetModel other;
    other.setMaxCols(2);
    other.setMaxRows(2);
    ASSERT_TRUE(sheet.copyFrom(other));
    EXPECT_TRUE(only().kinds & kChangeStructure);
    ASSERT_TRUE(sheet.loadFromText(other.saveToText(), "copy"));
    EXPECT_TRUE(only().kinds & kChangeStructure);
    sheet.setData(1, 1, "still heard");
    EXPECT_EQ(only().kinds, kChangeCells);

    sheet.setChangeListener(nullptr);
    sheet.setData(1, 1, "unheard");
    EXPECT_TRUE(changes.empty());
}

} // namespace
