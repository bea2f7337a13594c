// The formula dialog without its window: opening, the mode-1 evaluation and
// the buttons, on real sheet files.
#include "spread/FormulaDialog.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FromTable.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

std::string bolts() {
    return std::string(VTX_TEST_DATA) + "/spread/bolts.kss";
}

class FormulaDialog : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove(savedPath(), ec);
    }
    static std::string savedPath() {
        return (std::filesystem::temp_directory_path() /
                ("vtx_formula_dialog_" + std::to_string(::getpid()) + ".kss"))
            .string();
    }
    std::string text(KsFormulaDialog& dialog, int column, int row, int kind = kTextData) {
        Vtx_String out;
        dialog.grid().getCellText(column, row, out, kind);
        return out.str();
    }

    Host host;
    HostScope scope{host};
};

TEST_F(FormulaDialog, OpeningWithoutFileBuildsTheEmptyNumberGrid) {
    KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell);
    ASSERT_TRUE(dialog.initDialog());
    Vtx_Spread& grid = dialog.grid();
    EXPECT_EQ(grid.controlId(), kFormulaGridPlaceholder);
    EXPECT_EQ(grid.rect(), kFormulaGridRect) << "the exact rectangle, not moved";
    EXPECT_TRUE(grid.getOption(12));
    EXPECT_FALSE(grid.getOption(7));
    EXPECT_EQ(grid.getMaxRows(), 10);
    EXPECT_EQ(grid.getMaxCols(), 8);
    EXPECT_EQ(grid.getCellTypeNumber(6, 6), 14);
    EXPECT_EQ(grid.getCellTypeNumber(7, 6), 0);
    EXPECT_FALSE(grid.setCellText(1, 1, "10000")) << "bounds -9999..9999";
    EXPECT_TRUE(grid.setCellText(1, 1, "-12.345"));
    EXPECT_EQ(text(dialog, 1, 1, kTextValue), "-12.35");
    EXPECT_TRUE(grid.model()->hasCustomFunction("FROMTABLE"));
    EXPECT_EQ(host.commandLine().text(), "Loading spreadsheet:\n");
    EXPECT_EQ(dialog.styleChecked(), kFormulaStyleDefault);
    EXPECT_FALSE(dialog.autoCalculateChecked());
    EXPECT_TRUE(dialog.recalculateEnabled());
    EXPECT_FALSE(dialog.isClosed());
}

TEST_F(FormulaDialog, ModeOneLoadsRecalculatesTheCellAndKeepsItsDataText) {
    KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell, bolts());
    dialog.setCell(6, 2);
    ASSERT_TRUE(dialog.initDialog());
    EXPECT_TRUE(dialog.fileLoaded());
    EXPECT_EQ(dialog.textResult(), "52.5") << "the file saved 0";
    EXPECT_EQ(text(dialog, 6, 1), "0") << "only the asked cell is recalculated";
    EXPECT_TRUE(dialog.grid().model()->hasCustomFunction("FROMTABLE")) << "again after the load";
    EXPECT_EQ(host.commandLine().text(), "Loading spreadsheet:" + bolts() + "\n");
    EXPECT_EQ(gridUnderEvaluation(), nullptr);
}

TEST_F(FormulaDialog, StyleButtonsShowColumnFourFormulasInColumnOne) {
    KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell);
    ASSERT_TRUE(dialog.initDialog());
    Vtx_Spread& grid = dialog.grid();
    ASSERT_TRUE(grid.setCellFormula(4, 1, "B1*2", true));
    ASSERT_TRUE(grid.setCellFormula(4, 2, "$B$2+1", true));
    ASSERT_TRUE(grid.setCellText(1, 5, "7"));

    ASSERT_TRUE(dialog.onStyle(kFormulaStyleR1C1));
    EXPECT_EQ(dialog.styleChecked(), kFormulaStyleR1C1);
    // Column 1 holds number cells there; the texts are shown all the same.
    EXPECT_EQ(text(dialog, 1, 1), "RC[-2]*2");
    EXPECT_EQ(text(dialog, 1, 2), "R2C2+1");
    EXPECT_EQ(text(dialog, 1, 3), "") << "rows 1..4 are copied even when empty";
    EXPECT_EQ(text(dialog, 1, 5), "7") << "row 5 only when it has a formula";
    EXPECT_DOUBLE_EQ(grid.model()->columnWidth(1), grid.model()->maxTextColumnWidth(1));

    ASSERT_TRUE(grid.setCellFormula(4, 5, "SUM(R1C1:R2C1)", true)); // read as R1C1 now
    ASSERT_TRUE(dialog.onStyle(kFormulaStyleA1));
    EXPECT_EQ(text(dialog, 1, 1), "B1*2");
    EXPECT_EQ(text(dialog, 1, 5), "SUM($A$1:$A$2)");
    EXPECT_FALSE(dialog.onStyle(3));
}

TEST_F(FormulaDialog, SaveAndLoadReportFailureAndKeepFromTable) {
    KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell);
    ASSERT_TRUE(dialog.initDialog());
    host.commandLine().clear();

    dialog.setFileName("/no/such/folder/t.kss");
    EXPECT_FALSE(dialog.onSaveToFile());
    EXPECT_FALSE(dialog.onLoadFromFile());
    EXPECT_EQ(host.commandLine().text(), "Save failed\nLoad failed\n");
    EXPECT_TRUE(dialog.grid().model()->hasCustomFunction("FROMTABLE"));

    dialog.setFileName(savedPath());
    dialog.grid().setCellText(2, 3, "12.5");
    EXPECT_TRUE(dialog.onSaveToFile());
    dialog.grid().setCellText(2, 3, "1");
    EXPECT_TRUE(dialog.onLoadFromFile());
    EXPECT_EQ(text(dialog, 2, 3), "12.5");
    EXPECT_TRUE(dialog.grid().model()->hasCustomFunction("FROMTABLE")) << "a load drops it";
    EXPECT_EQ(host.commandLine().text(), "Save failed\nLoad failed\n");
}

TEST_F(FormulaDialog, AutoCalculateSwitchesRecalculationAndTheRecalculateButton) {
    KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell);
    ASSERT_TRUE(dialog.initDialog());
    Vtx_Spread& grid = dialog.grid();
    ASSERT_TRUE(grid.setCellFormula(2, 1, "A1*2", true));
    grid.setCellText(1, 1, "4");
    EXPECT_EQ(text(dialog, 2, 1), "0") << "no automatic recalculation after opening";
    dialog.onRecalculate();
    EXPECT_EQ(text(dialog, 2, 1), "8");

    dialog.onAutoCalculate(true);
    EXPECT_FALSE(dialog.recalculateEnabled());
    grid.setCellText(1, 1, "5");
    EXPECT_EQ(text(dialog, 2, 1), "10");
    dialog.onAutoCalculate(false);
    EXPECT_TRUE(dialog.recalculateEnabled());
    EXPECT_FALSE(grid.getOption(7));
}

} // namespace
