#include "MacroFixture.h"

#include "platform/sheet/CellStyle.h"
#include "platform/sheet/SheetModel.h"
#include "spread/VtxSpread.h"
#include "standards/KsStandardsSheet.h"
#include "standards/KsVarCells.h"

#include <gtest/gtest.h>

namespace {

class VarCells : public MacroFixture {
protected:
    void SetUp() override {
        MacroFixture::SetUp();
        dialog.addPlaceholder(1196, {0, 0, 100, 100});
        ASSERT_TRUE(sheet.createInDialog(&dialog, 1196, true));
        sheet.setMaxCols(3, false);
        sheet.setMaxRows(4, false);
    }
    KsVarCell declare(int column, int row, const char* text, int type = kCellInput) {
        sheet.setCellText(column, row, text);
        KsVarCell cell;
        EXPECT_EQ(cell.initialize(sheet, column, row, type), eOk) << text;
        return cell;
    }

    HiddenDialogHost dialog;
    Vtx_Spread sheet;
};

} // namespace

TEST_F(VarCells, DeclarationsMatchTypeWordsAsPrefixes) {
    KsVarCell count = declare(1, 1, "  Integer Count");
    EXPECT_EQ(count.valueType, static_cast<int>(KsValueType::Int));
    EXPECT_EQ(count.name, Vtx_String("Count"));
    KsVarCell unnamed = declare(2, 1, "Int", kCellOutput);
    EXPECT_TRUE(unnamed.name.isEmpty());
    EXPECT_TRUE(unnamed.isOutput());
    KsVarCell text = declare(3, 1, "Stringly Typed Name", kCellLocal);
    EXPECT_EQ(text.valueType, static_cast<int>(KsValueType::String));
    EXPECT_EQ(text.name, Vtx_String("Typed Name"));
    EXPECT_EQ(text.column, 3);
    EXPECT_TRUE(text.isLocal());

    KsVarCell none;
    sheet.setCellText(1, 2, "Width");
    EXPECT_EQ(none.initialize(sheet, 1, 2, kCellInput), eInvalidInput);
    EXPECT_EQ(none.initialize(sheet, 9, 2, kCellInput), eOutOfRange);
}

TEST_F(VarCells, ValuesGetACellTypeByTheirValueType) {
    KsVarCell width = declare(1, 1, "Double Width");
    KsVarCell count = declare(2, 1, "Int Count");
    KsVarCell label = declare(3, 1, "String Label");
    ASSERT_EQ(width.setNewValue(sheet, "3.5"), eOk);
    ASSERT_EQ(count.setNewValue(sheet, "7"), eOk);
    ASSERT_EQ(label.setNewValue(sheet, "plate"), eOk);
    const vtx::sheet::CellType widthType = sheet.model()->cellType(1, 1);
    EXPECT_EQ(widthType.kind, vtx::sheet::CellKind::Number);
    EXPECT_EQ(widthType.decimals, 7);
    EXPECT_EQ(sheet.model()->cellType(2, 1).decimals, 0);
    EXPECT_EQ(sheet.model()->cellType(3, 1).kind, vtx::sheet::CellKind::Edit);
    double number = 0;
    ASSERT_TRUE(sheet.getCellDouble(1, 1, number));
    EXPECT_EQ(number, 3.5);
    Vtx_String text;
    sheet.getCellText(3, 1, text);
    EXPECT_EQ(text, Vtx_String("plate"));
}

TEST_F(VarCells, ListLooksUpNamesAndComparesInputs) {
    KsVarCells vars;
    vars.append(declare(1, 1, "Double Width"));
    vars.append(declare(2, 1, "Double Height", kCellOutput));
    int index = -1;
    ASSERT_EQ(vars.findVarCell("WIDTH", index), eOk);
    EXPECT_EQ(index, 0);
    vars[0].setNewValue("200");

    KsVarCells other = vars;
    other[0].setNewValue("200");
    other[1].setNewValue("999");
    EXPECT_TRUE(vars.hasSameInput(other)) << "outputs do not matter";
    other[0].setNewValue("201");
    EXPECT_FALSE(vars.hasSameInput(other));
    vars.resetVarCells();
    EXPECT_EQ(vars.length(), 0);
    EXPECT_TRUE(vars.hasSameInput(other));
}
