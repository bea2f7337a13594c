// KsSSBillOutput: what a row starts from when the grid grows or widens, row
// heights of texts with line breaks, and a bill that fills the grid.
#include "BillOutputFixture.h"

#include "platform/core/ListOutput.h"
#include "platform/core/MacroModel.h"

#include <gtest/gtest.h>

#include <string>

using billtest::BillOutputFixture;
using billtest::numbered;
using vtx::sheet::BorderSide;
using vtx::sheet::CellKind;
using vtx::sheet::kBorderBottom;
using vtx::sheet::kBorderLeft;
using vtx::sheet::kBorderRight;
using vtx::sheet::kBorderTop;
using vtx::sheet::kDefaultColor;
using vtx::sheet::SheetModel;

namespace {

class BillOutputGrowth : public BillOutputFixture {
protected:
    // Pictures on: every part is followed by its picture row.
    void picturesOn() {
        ASSERT_EQ(readPartList(billtest::kData + "hall.csv", m_parts), eOk);
        output.setVars(30, 0, 0, true, true, &m_parts, &m_transaction);
    }
    std::uint32_t back(int column, int row) const {
        std::uint32_t background = 0;
        std::uint32_t fore = 0;
        output.getSSPointer()->model()->colors(column, row, background, fore);
        return background;
    }
    const SheetModel& model() const { return *output.getSSPointer()->model(); }

private:
    Vtx_Bill m_parts;
    Vtx_Transaction m_transaction{nullptr};
};

TEST_F(BillOutputGrowth, APartRowGrownAfterAPictureRowHasNoPicture) {
    // Column 2 has no code, so its cells keep whatever type they start with.
    ASSERT_EQ(output.init(bill("a.kss"), columns(), {}, {3, 0, 1, 1, 2}, "BillSet", {}, {}), eOk);
    picturesOn();
    output.onAddSubTotals({"", "Start"}, {}, false, 0);
    for (int n = 1; n <= 5; ++n)
        output.onAddRow(numbered(n, 5));
    ASSERT_EQ(output.currentRow(), 11);
    ASSERT_EQ(model().cellType(2, 11).kind, CellKind::Picture) << "the grid's last row";

    output.onAddRow(numbered(6, 5)); // row 12, in the rows the grid grows by
    for (int c = 1; c <= 5; ++c)
        EXPECT_NE(model().cellType(c, 12).kind, CellKind::Picture) << "column " << c;
    EXPECT_EQ(model().cellType(2, 12), model().cellType(2, 1))
        << "an uncoded column has the settings' cell type";
    EXPECT_EQ(text(2, 12), "62");
    EXPECT_EQ(model().border(1, 12, kBorderRight).style, 0) << "no marker edge";
}

TEST_F(BillOutputGrowth, APictureRowGrownAfterASubTotalHasNoFrameOrFill) {
    ASSERT_EQ(initBill(), eOk);
    picturesOn();
    for (int n = 1; n <= 5; ++n)
        output.onAddRow(numbered(n, 5));
    output.onAddSubTotals({"", "Total", "7", "8", "9"}, {}, false, 0);
    ASSERT_EQ(output.currentRow(), 11);
    output.onAddRow(numbered(6, 5)); // the part in row 12, its picture in row 13
    ASSERT_EQ(model().cellType(2, 13).kind, CellKind::Picture);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(back(c, 13), kDefaultColor) << "column " << c;
        for (auto edge : {kBorderLeft, kBorderTop, kBorderBottom})
            EXPECT_EQ(model().border(c, 13, edge).style, 0) << "column " << c;
    }
    EXPECT_EQ(model().border(1, 13, kBorderRight), (BorderSide{1, 0xFFFFFF}))
        << "only the marker's own edge";
    EXPECT_EQ(model().border(3, 13, kBorderRight).style, 0);
}

TEST_F(BillOutputGrowth, ColumnsAddedLaterStartPlainInEveryRow) {
    ASSERT_EQ(output.init(bill("two.kss"), {"Pos", "Part"}, {}, {3, 3}, "BillSet", {}, {}), eOk);
    picturesOn();
    output.onAddRow({"1", "HEA 200"}); // row 1, its picture in column 2 of row 2
    output.onAddSubTotals({"", "Total"}, {}, false, 0);
    output.setVars(30, 0, 0, true, true, nullptr, nullptr);
    output.onAddRow({"2", "IPE 300", "S355"});
    ASSERT_EQ(model().maxCols(), 3);
    EXPECT_EQ(model().cellType(3, 2), model().cellType(3, 1))
        << "the picture is not copied into the new column";
    EXPECT_EQ(back(3, 3), kDefaultColor) << "nor the sub-total's fill";
    EXPECT_EQ(model().border(3, 3, kBorderTop).style, 0);
    EXPECT_EQ(text(3, 4), "S355");
}

TEST_F(BillOutputGrowth, ARowIsAsHighAsAllLinesOfItsTallestText) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow({"1", "HEA 200", "2", "6000", "253.2"});
    output.onAddRow({"2", "IPE 300\ncut at both ends\nprimed", "1", "1200", "50"});
    output.onAddRow({"3", "two\nlines", "1", "1200", "50"});
    const double line = model().rowHeight(1);
    ASSERT_GT(line, 0);
    EXPECT_DOUBLE_EQ(model().rowHeight(2), 3 * line);
    EXPECT_DOUBLE_EQ(model().rowHeight(3), 2 * line);
}

TEST_F(BillOutputGrowth, WhatDoesNotFitInAFullGridIsReportedAndTouchesNothing) {
    // A grid of 130 rows: full after the second growth, and cheap to fill.
    ASSERT_EQ(output.init(bill("full.kss"), {"Pos"}, {}, {0}, "BillSet", {}, {}), eOk);
    output.setRowLimit(130);
    for (int n = 1; n <= 130; ++n)
        output.onAddRow({Vtx_String::fromInt(n)});
    output.onAddSubTotals({"Total"}, {}, false, 0);
    output.onAddRow({"y"});
    output.onAddSubTotals({"Total"}, {}, false, 0);
    EXPECT_EQ(output.currentRow(), 130);
    EXPECT_EQ(model().maxRows(), 130);
    EXPECT_EQ(back(1, 130), kDefaultColor) << "the last part stays uncoloured";
    EXPECT_EQ(model().border(1, 130, kBorderTop).style, 0);
    EXPECT_EQ(text(1, 130), "130");

    EXPECT_EQ(output.onEndFeed(), eLimitExceeded) << "the bill is saved, but not whole";
    EXPECT_TRUE(fileExists(bill("full.kss")));
    const Vtx_StringArray& errors = host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 2) << "once when it happens, once in sum at the end";
    EXPECT_TRUE(errors[0].hasSubString("(130)")) << errors[0].str();
    EXPECT_TRUE(errors[1].hasSubString("without 1 part(s), 2 sub-total(s) and 0 picture(s)"))
        << errors[1].str();
}

TEST_F(BillOutputGrowth, ATextLongerThanItsCellIsCutAndSaid) {
    // A text column's cells hold 200 characters; a text longer than any
    // cell holds lands in such a cell too. Neither is lost without a word.
    ASSERT_EQ(output.init(bill("long.kss"), {"Pos", "Part"}, {}, {3, 3}, "BillSet", {}, {}), eOk);
    output.onAddRow({"1", Vtx_String(std::string(250, 'y'))});
    output.onAddRow({"2", Vtx_String(std::string(40000, 'z'))});
    output.onAddRow({"3", "short"});
    EXPECT_EQ(text(2, 1), std::string(kBillTextLength, 'y'));
    EXPECT_EQ(text(2, 2), std::string(kBillTextLength, 'z'));
    EXPECT_EQ(text(2, 3), "short");
    EXPECT_EQ(output.onEndFeed(), eLimitExceeded) << "the bill is saved, but not whole";
    const Vtx_StringArray& errors = host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 2);
    EXPECT_TRUE(errors[0].hasSubString("row 1, column 2: a text of 250 characters was cut to 200"))
        << errors[0].str();
    EXPECT_TRUE(errors[1].hasSubString("a text of 40000 characters")) << errors[1].str();
}

TEST_F(BillOutputGrowth, APictureThatDoesNotFitIsCountedToo) {
    ASSERT_EQ(output.init(bill("full.kss"), {"Pos"}, {}, {0}, "BillSet", {}, {}), eOk);
    output.setRowLimit(3);
    picturesOn();
    output.onAddRow({"1"});
    output.onAddRow({"2"}); // fits, its picture does not
    EXPECT_EQ(output.currentRow(), 3);
    EXPECT_EQ(output.onEndFeed(), eLimitExceeded);
    EXPECT_TRUE(host.commandLine().errorLines()[1].hasSubString("0 part(s), 0 sub-total(s) and 1 "
                                                                "picture(s)"));
}

} // namespace
