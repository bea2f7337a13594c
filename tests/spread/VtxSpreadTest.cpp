#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

namespace {

class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.addPlaceholder(1004, {10, 30, 410, 330});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1004, true));
    }
    // Fills rows x cols with "r<row>c<col>".
    void fill(int cols, int rows) {
        ASSERT_TRUE(grid.setMaxCols(cols, false));
        ASSERT_TRUE(grid.setMaxRows(rows, false));
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                grid.setCellText(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    }
    std::string text(int col, int row, int kind = kTextValue) {
        Vtx_String out;
        grid.getCellText(col, row, out, kind);
        return out.str();
    }
    std::vector<std::string> column(int col) {
        Vtx_StringArray texts;
        grid.getColumn(col, texts);
        std::vector<std::string> out;
        for (const Vtx_String& t : texts)
            out.push_back(t.str());
        return out;
    }

    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

} // namespace

TEST(VtxSpreadNotCreated, EveryOperationRefusesAndChangesNothing) {
    Vtx_Spread grid;
    Vtx_String text = "keep";
    int column = 7;
    int row = 7;
    double number = 1.5;
    bool flag = true;
    Vtx_StringArray texts{"x"};
    Vtx_Array<Vtx_StringArray> table;
    EXPECT_FALSE(grid.isCreated());
    EXPECT_EQ(grid.getMaxCols(), -1);
    EXPECT_EQ(grid.getMaxRows(), -1);
    EXPECT_FALSE(grid.setMaxCols(3, true));
    EXPECT_FALSE(grid.setMaxRows(3, false));
    EXPECT_EQ(grid.appendRow(true), -1);
    EXPECT_FALSE(grid.insertRow(1, false, false));
    EXPECT_FALSE(grid.insertColumn(1, false, false));
    EXPECT_FALSE(grid.deleteRow(1));
    EXPECT_FALSE(grid.deleteColumn(1));
    EXPECT_FALSE(grid.moveRows(1, 1, 2));
    EXPECT_FALSE(grid.moveRowUp());
    EXPECT_FALSE(grid.getCellText(1, 1, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(grid.setCellText(1, 1, "a"));
    EXPECT_FALSE(grid.setCellValue(1, 1, "a"));
    EXPECT_FALSE(grid.setCellFormula(1, 1, "1+1", true));
    EXPECT_FALSE(grid.getCellInt(1, 1, column));
    EXPECT_FALSE(grid.getCellDouble(1, 1, number));
    EXPECT_FALSE(grid.getCellBool(1, 1, flag));
    EXPECT_FALSE(grid.setCellInt(1, 1, 3));
    EXPECT_FALSE(grid.getActiveCell(column, row));
    EXPECT_EQ(column, 7);
    EXPECT_FALSE(grid.selectRow(1));
    EXPECT_EQ(grid.firstSelectedRow(), -1);
    EXPECT_FALSE(grid.setColumn(1, texts));
    EXPECT_FALSE(grid.setRow(1, texts));
    EXPECT_FALSE(grid.setHeaderRow(texts));
    EXPECT_FALSE(grid.getColumn(1, texts));
    EXPECT_FALSE(grid.getTable(table));
    EXPECT_FALSE(grid.applyGridStyle(1));
    EXPECT_FALSE(grid.isModified());
    EXPECT_FALSE(grid.setNumberCells(1, 1, 1, 1, 2, 0, 10));
    EXPECT_FALSE(grid.loadFile("/nonexistent.kss"));
    EXPECT_FALSE(grid.findNext("x", false, 1, 1, column, row));
    EXPECT_EQ(grid.model(), nullptr);
}

TEST(VtxSpreadCreate, NeedsTheDialogAndItsPlaceholderAndShiftsAnInexactRect) {
    HiddenDialogHost dialog;
    dialog.addPlaceholder(1196, {100, 100, 300, 200});
    Vtx_Spread grid;
    EXPECT_FALSE(grid.createInDialog(nullptr, 1196, true));
    EXPECT_FALSE(grid.createInDialog(&dialog, 1197, true));
    ASSERT_TRUE(grid.createInDialog(&dialog, 1196, false));
    EXPECT_EQ(grid.rect(), (Vtx_Rect{95, 80, 295, 180}));
    EXPECT_EQ(grid.controlId(), 1196);
    EXPECT_EQ(dialog.grid(1196), &grid);
    EXPECT_EQ(grid.getMaxCols(), 0);
    EXPECT_EQ(grid.getMaxRows(), 0);
    const vtx::sheet::SheetAppearance& look = grid.model()->appearance();
    EXPECT_EQ(look.appearance, 1) << "a flat control";
    for (const auto& key : look.actionKeys)
        EXPECT_EQ(key.key, 0) << "no key triggers an action";
}

TEST_F(Grid, TheStandardLookSetsOptionsColoursAndSettings) {
    vtx::sheet::SheetModel& model = *grid.model();
    for (int preset : {1, 0}) {
        model.setOption(8, false);
        model.setOption(13, preset == 0);
        model.setOption(10, preset == 1);
        ASSERT_TRUE(grid.applyGridStyle(preset));
        for (int on : {3, 4, 8, 11, 18, 21, 22, 32, 34})
            EXPECT_TRUE(model.option(on)) << "option " << on << ", preset " << preset;
        for (int off : {7, 12, 26})
            EXPECT_FALSE(model.option(off)) << "option " << off << ", preset " << preset;
        EXPECT_EQ(model.option(13), preset == 1);
        EXPECT_EQ(model.option(10), preset == 0);
        const vtx::sheet::SheetAppearance& look = model.appearance();
        EXPECT_EQ(look.gridColor, 0x8000000Fu) << "the button-face system colour";
        EXPECT_EQ(look.gridColorAlt, 0x8000000Bu);
        EXPECT_EQ(look.gridStyleA, 1);
        EXPECT_EQ(look.gridStyleB, -1);
        EXPECT_EQ(look.selectionBack, 6956042u);
        EXPECT_EQ(look.selectionFore, 0xFFFFFFu);
        EXPECT_EQ(look.secondColor, 15132390u);
        EXPECT_EQ(look.secondColorAlt, 0x8000000Bu);
        EXPECT_EQ(look.styleSetting, preset == 1 ? 0 : 5);
    }
    // The look is saved with the grid and read back.
    vtx::sheet::SheetModel copy;
    std::string reason;
    ASSERT_TRUE(copy.loadFromText(model.saveToText(), "look", &reason)) << reason;
    EXPECT_EQ(copy.appearance(), model.appearance());
}

TEST_F(Grid, CellAccessInsideAndOutsideTheCounts) {
    fill(3, 4);
    Vtx_String out = "old";
    EXPECT_FALSE(grid.getCellText(4, 1, out)) << "beyond the column count";
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(grid.setCellText(1, 5, "x"));
    grid.setCellText(2, 2, "");
    EXPECT_TRUE(grid.getCellText(2, 2, out)) << "an empty cell inside the counts";
    EXPECT_TRUE(out.isEmpty());

    ASSERT_TRUE(grid.setCellInt(1, 1, 42));
    int number = 0;
    ASSERT_TRUE(grid.getCellInt(1, 1, number));
    EXPECT_EQ(number, 42);
    grid.setCellText(1, 2, "abc");
    ASSERT_TRUE(grid.getCellInt(1, 2, number));
    EXPECT_EQ(number, 0) << "text that is no number reads as 0";
    ASSERT_TRUE(grid.setCellDouble(2, 1, 3.14159));
    EXPECT_EQ(text(2, 1), "3.14") << "doubles are written with 2 decimals";
    bool flag = false;
    ASSERT_TRUE(grid.setCellBool(3, 1, true));
    ASSERT_TRUE(grid.getCellBool(3, 1, flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(grid.getCellBool(1, 2, flag)) << "neither 1 nor 0";

    ASSERT_TRUE(grid.setCellFormula(3, 4, "A1*2", true));
    EXPECT_EQ(text(3, 4), "84");
    EXPECT_EQ(text(3, 4, kTextFormula), "A1*2");
    EXPECT_FALSE(grid.setCellFormula(3, 3, "1+*", true)) << "a formula the sheet refuses";

    ASSERT_TRUE(grid.setSheetTag("settings"));
    Vtx_String tag;
    ASSERT_TRUE(grid.getSheetTag(tag));
    EXPECT_EQ(tag, Vtx_String("settings"));
}

TEST_F(Grid, TypedReadersGiveADefinedResultForEveryText) {
    fill(1, 9);
    const char* texts[] = {"1e20", "nan", "inf", "-7.9 mm", "3000000000", "1e400", "", "0x10"};
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(grid.setCellValue(1, i + 1, texts[i])) << texts[i];
    ASSERT_TRUE(grid.setNumberCells(1, 9, 1, 9, 2, -1e9, 1e9, vtx::sheet::NumberStyle::Thousands));
    ASSERT_TRUE(grid.setCellDouble(1, 9, 1234567.5));
    ASSERT_EQ(text(1, 9), "1,234,567.50");
    struct Expected {
        bool intRead;
        int integer;
        bool doubleRead;
        double number;
    };
    const Expected expected[] = {
        {false, 0, true, 1e20}, {true, 0, true, 0},    {true, 0, true, 0},
        {true, -7, true, -7.9}, {false, 0, true, 3e9}, {false, 0, false, 0},
        {true, 0, true, 0},     {true, 0, true, 0},    {true, 1234567, true, 1234567.5},
    };
    for (int row = 1; row <= 9; ++row) {
        const Expected& e = expected[row - 1];
        int integer = -1;
        double number = -1;
        EXPECT_EQ(grid.getCellInt(1, row, integer), e.intRead) << "row " << row;
        EXPECT_EQ(integer, e.integer) << "row " << row;
        EXPECT_EQ(grid.getCellDouble(1, row, number), e.doubleRead) << "row " << row;
        EXPECT_EQ(number, e.number) << "row " << row;
    }
    Vtx_Array<int> integers;
    EXPECT_FALSE(grid.getColumnInts(1, integers)) << "rows 1, 5 and 6 are out of range";
    ASSERT_EQ(integers.length(), 9);
    EXPECT_EQ(integers[3], -7);
    EXPECT_EQ(integers[8], 1234567);
    Vtx_Array<double> numbers;
    EXPECT_FALSE(grid.getColumnDoubles(1, numbers)) << "row 6 is out of range";
    ASSERT_EQ(numbers.length(), 9);
    EXPECT_EQ(numbers[0], 1e20);
    grid.setCellValue(1, 6, "2");
    EXPECT_TRUE(grid.getColumnDoubles(1, numbers));
}

TEST_F(Grid, WholeColumnsAndRowsWriteOnlyWhatFits) {
    fill(2, 3);
    ASSERT_TRUE(grid.setColumn(1, Vtx_StringArray{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(column(1), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(grid.setColumn(3, Vtx_StringArray{"x"}));
    ASSERT_TRUE(grid.setColumnIndices(2, Vtx_Array<int>{-1, 3, 4}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"0", "3", "0"}));
    ASSERT_TRUE(grid.setRow(2, Vtx_StringArray{"p", "q", "r"}));
    Vtx_StringArray row;
    ASSERT_TRUE(grid.getRow(2, row));
    ASSERT_EQ(row.length(), 2);
    EXPECT_EQ(row[1], Vtx_String("q"));
    ASSERT_TRUE(grid.setHeaderRow(Vtx_StringArray{"Name", "Value", "Extra"}));
    Vtx_StringArray headers;
    ASSERT_TRUE(grid.getHeaderRow(headers));
    EXPECT_EQ(headers.length(), 2);
    EXPECT_EQ(headers[0], Vtx_String("Name"));
    ASSERT_TRUE(grid.clearRowsFrom(2, 10));
    EXPECT_EQ(column(1), (std::vector<std::string>{"a", "", ""}));
    Vtx_Array<Vtx_StringArray> table;
    ASSERT_TRUE(grid.getTable(table));
    EXPECT_EQ(table.length(), 3);
}

TEST_F(Grid, StructureChangesMarkModifiedAndKeepData) {
    fill(2, 4);
    grid.setModified(false);
    ASSERT_TRUE(grid.insertRow(2, false, true));
    EXPECT_TRUE(grid.isModified());
    EXPECT_EQ(grid.getMaxRows(), 5);
    EXPECT_EQ(column(1), (std::vector<std::string>{"r1c1", "", "r2c1", "r3c1", "r4c1"}));
    EXPECT_FALSE(grid.insertRow(7, false, false)) << "at most one past the last row";
    ASSERT_TRUE(grid.deleteRow(2));
    EXPECT_EQ(grid.getMaxRows(), 4);
    EXPECT_EQ(column(1), (std::vector<std::string>{"r1c1", "r2c1", "r3c1", "r4c1"}));

    int row = grid.appendRow(true);
    EXPECT_EQ(row, 5);
    EXPECT_EQ(text(2, 5), "r4c2") << "the row above is copied";

    ASSERT_TRUE(grid.insertColumn(1, false, false));
    EXPECT_EQ(text(2, 1), "r1c1");
    ASSERT_TRUE(grid.deleteColumn(1));
    EXPECT_EQ(text(1, 1), "r1c1");
}

TEST_F(Grid, ARefusedInsertionLeavesTheGridAsItWas) {
    fill(2, 3);
    // A function that inserts while its own grid is being recalculated,
    // where the grid refuses structural changes.
    bool rowInserted = true;
    bool columnInserted = true;
    ASSERT_TRUE(grid.addCustomFunction(
        "INSERTING", 0, 0,
        [&](vtx::sheet::ValueRecord* result, vtx::sheet::ValueRecord*, int) {
            rowInserted = grid.insertRow(2, false, false);
            columnInserted = grid.insertColumn(1, false, false);
            result->setStatus(vtx::sheet::kValueOk);
            result->setInt(0);
            return 1;
        },
        vtx::sheet::kCustomValues));
    const std::string before = grid.model()->saveToText();
    grid.setModified(false);
    ASSERT_TRUE(grid.setCellFormula(2, 3, "INSERTING()", true));
    EXPECT_FALSE(rowInserted);
    EXPECT_FALSE(columnInserted);
    EXPECT_EQ(grid.getMaxRows(), 3);
    EXPECT_EQ(grid.getMaxCols(), 2);
    EXPECT_FALSE(grid.isModified());
    ASSERT_TRUE(grid.setCellText(2, 3, "r3c2"));
    EXPECT_EQ(grid.model()->saveToText(), before);
}

TEST_F(Grid, MovingRowsRotatesInsteadOfOverwriting) {
    fill(1, 5);
    ASSERT_TRUE(grid.moveRows(4, 5, 1));
    EXPECT_EQ(column(1), (std::vector<std::string>{"r4c1", "r5c1", "r1c1", "r2c1", "r3c1"}));
    ASSERT_TRUE(grid.moveRows(1, 1, 5));
    EXPECT_EQ(column(1), (std::vector<std::string>{"r5c1", "r1c1", "r2c1", "r3c1", "r4c1"}));
    EXPECT_FALSE(grid.moveRows(4, 5, 5)) << "the block would leave the grid";
    grid.setActiveCell(1, 3);
    ASSERT_TRUE(grid.moveRowUp());
    EXPECT_EQ(column(1), (std::vector<std::string>{"r5c1", "r2c1", "r1c1", "r3c1", "r4c1"}));
    EXPECT_EQ(grid.firstSelectedRow(), 2);
    EXPECT_EQ(grid.getMaxRows(), 5);
}

TEST_F(Grid, FormulasFollowMovedRows) {
    fill(2, 3);
    grid.setCellText(1, 1, "5");
    ASSERT_TRUE(grid.setCellFormula(2, 3, "A1*2", true));
    ASSERT_TRUE(grid.moveRows(1, 1, 2));
    EXPECT_EQ(text(2, 3, kTextFormula), "A2*2");
    grid.recalcAll();
    EXPECT_EQ(text(2, 3), "10");
}

TEST_F(Grid, InsertedRowAsksForItsHeader) {
    fill(1, 2);
    dialog.setTextAnswer("Extra");
    ASSERT_TRUE(grid.insertRow(2, true, false));
    EXPECT_EQ(text(0, 2), "Extra");
}

TEST_F(Grid, FindingTextInRowsAndLabels) {
    fill(3, 3);
    grid.setCellText(2, 3, "Calc");
    int column = 0;
    int row = 0;
    ASSERT_TRUE(grid.findNext("CALC", false, 1, 1, column, row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 3);
    EXPECT_FALSE(grid.findNext("Cal", false, 1, 1, column, row)) << "whole text only";
    ASSERT_TRUE(grid.findNext("c2", true, 3, 1, column, row));
    EXPECT_EQ(row, 2) << "row 1 is searched from column 3 only";
    EXPECT_EQ(column, 2);
}

TEST_F(Grid, GrowingKeepsTheStyleOfTheLastRowWhenAsked) {
    fill(2, 2);
    ASSERT_TRUE(grid.setNumberCells(1, 2, 2, 2, 3, 0, 100));
    ASSERT_TRUE(grid.setMaxRows(4, true));
    EXPECT_EQ(grid.getCellTypeNumber(1, 4), grid.getCellTypeNumber(1, 2));
    EXPECT_EQ(text(1, 4), "") << "formatting, not contents";
    ASSERT_TRUE(grid.setMaxRows(6, false));
    EXPECT_NE(grid.getCellTypeNumber(1, 6), grid.getCellTypeNumber(1, 2));
}
