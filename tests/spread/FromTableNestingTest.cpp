// FROMTABLE inside tables that FROMTABLE loads: nested evaluation, the grid
// under evaluation, and the bound on tables that look themselves up.
#include "spread/FromTable.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FormulaDialog.h"
#include "spread/FromTableCache.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

using vtx::sheet::Value;

namespace {

class FromTableNesting : public ::testing::Test {
protected:
    void SetUp() override {
        auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            folder =
                base / ("vtx_fromtable_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (std::filesystem::create_directory(folder))
                break;
        }
        dialog.addPlaceholder(1, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1, true));
        grid.setMaxCols(4, false);
        grid.setMaxRows(4, false);
        ASSERT_TRUE(registerFromTable(&grid));
        blocksBefore = host.memory().liveBlocks();
        clearFromTableCache();
    }
    void TearDown() override {
        clearFromTableCache();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        EXPECT_EQ(host.memory().liveBlocks(), blocksBefore);
        EXPECT_EQ(fromTableDepth(), 0);
        EXPECT_EQ(gridUnderEvaluation(), nullptr);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    // A table file: header "Key", "Val" and one row of the given cells, a
    // formula when it starts with "=", else a text.
    void writeTable(const std::string& name, std::initializer_list<std::string> cells) {
        std::ofstream out(path(name));
        out << "VTXSHEET 1\nsize 4 2\ncell 1 0 t=\"Key\"\ncell 2 0 t=\"Val\"\n";
        int column = 1;
        for (const std::string& cell : cells) {
            bool formula = !cell.empty() && cell[0] == '=';
            std::string escaped;
            for (char c : cell.substr(formula ? 1 : 0))
                escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
            out << "cell " << column++ << " 1 " << (formula ? "f" : "t") << "=\"" << escaped
                << (formula ? "\" n=0\n" : "\"\n");
        }
        out << "end\n";
    }
    // The look-up of "Val" in the row of key "x": a call without cell
    // references, so the formula engine sees no cycle inside any one grid.
    std::string lookUp(const std::string& name) const {
        return fromTable(name, "\"Key\",\"Val\",\"x\"");
    }
    std::string fromTable(const std::string& name, const std::string& rest) const {
        return "FROMTABLE(\"" + path(name) + "\"," + rest + ")";
    }
    Value evaluate(const std::string& formula) {
        EXPECT_TRUE(grid.setCellFormula(4, 4, formula, true)) << formula;
        return grid.model()->value(4, 4);
    }
    int linesWith(const std::string& text) {
        int count = 0;
        for (const Vtx_String& line : host.commandLine().lines())
            count += line.hasSubString(text) ? 1 : 0;
        return count;
    }

    Host host;
    HostScope scope{host};
    std::filesystem::path folder;
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    int blocksBefore = 0;
};

TEST_F(FromTableNesting, TableThatUsesFromTableIsEvaluatedThrough) {
    std::string bolts = std::string(VTX_TEST_DATA) + "/spread/bolts.kss";
    writeTable("outer.kss", {"=FROMTABLE(\"" + bolts + "\",B3)*2"});
    Value v = evaluate(fromTable("outer.kss", "A1"));
    EXPECT_EQ(v.asText(), "44") << "the inner value 22, doubled in the outer table";
}

TEST_F(FromTableNesting, ThreeArgumentFormInANestedTableWritesIntoItsOwnCaller) {
    std::string bolts = std::string(VTX_TEST_DATA) + "/spread/bolts.kss";
    // The outer table copies B3 of bolts into its own B1; A1 then reads it.
    writeTable("outer.kss", {"=IF(ISNA(" + ("FROMTABLE(\"" + bolts + "\",B3,B2)") + "),B2,0)"});
    evaluate(fromTable("outer.kss", "A1"));
    Vtx_String top;
    grid.getCellText(2, 2, top, kTextData);
    EXPECT_EQ(top, "") << "the write belongs to the outer table's grid, not the top grid";
}

TEST_F(FromTableNesting, TableThatLooksItselfUpStopsAtTheDepthBound) {
    writeTable("self.kss", {"x", "=" + lookUp("self.kss")});
    Value v = evaluate(lookUp("self.kss"));
    EXPECT_TRUE(v.isError());
    EXPECT_EQ(linesWith("Loading spreadsheet:"), kFromTableMaxDepth);
    Vtx_StringArray errors = host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 1);
    EXPECT_TRUE(errors[0].hasSubString("more than 16 deep")) << errors[0].str();
    EXPECT_TRUE(errors[0].hasSubString("self.kss")) << errors[0].str();
    EXPECT_EQ(fromTableCacheStats().loads, 1) << "every level in a grid of its own, one read";

    // The bound is per outermost call: the next call starts again.
    host.commandLine().clear();
    std::string bolts = std::string(VTX_TEST_DATA) + "/spread/bolts.kss";
    EXPECT_EQ(evaluate("FROMTABLE(\"" + bolts + "\",A1)").asText(), "M12");
}

TEST_F(FromTableNesting, CycleBetweenTwoTablesStopsAtTheDepthBound) {
    // a!A1 reads b!B1, which reads a!A1 again; within each grid the
    // references point elsewhere, so only the bound stops it.
    writeTable("a.kss", {"=" + fromTable("b.kss", "B1")});
    writeTable("b.kss", {"0", "=" + fromTable("a.kss", "A1")});
    EXPECT_TRUE(evaluate(fromTable("a.kss", "A1")).isError());
    EXPECT_EQ(host.commandLine().errorLines().length(), 1);
}

TEST_F(FromTableNesting, SelfLookUpTwicePerLevelDoesNotExplode) {
    // Without stopping the whole call at the first overflow this would load
    // 2^16 tables and print 2^15 errors.
    writeTable("twice.kss", {"x", "=" + lookUp("twice.kss") + "&" + lookUp("twice.kss")});
    EXPECT_TRUE(evaluate(lookUp("twice.kss")).isError());
    EXPECT_LE(linesWith("Loading spreadsheet:"), 2 * kFromTableMaxDepth);
    EXPECT_EQ(host.commandLine().errorLines().length(), 1);
}

TEST_F(FromTableNesting, EvaluationsRestoreTheGridUnderEvaluationOfTheirCaller) {
    std::string bolts = std::string(VTX_TEST_DATA) + "/spread/bolts.kss";
    writeTable("outer.kss", {"=FROMTABLE(\"" + bolts + "\",B3)"});
    {
        GridUnderEvaluationScope outer(&grid);
        KsFormulaDialog cell(FormulaDialogMode::EvaluateCell, path("outer.kss"));
        cell.setCell(1, 1);
        EXPECT_EQ(cell.callerGrid(), &grid) << "recorded when the dialog is made";
        ASSERT_TRUE(cell.initDialog());
        EXPECT_EQ(cell.textResult(), "22");
        EXPECT_EQ(gridUnderEvaluation(), &grid) << "restored after a nested FROMTABLE";
        evaluate(fromTable("outer.kss", "A1"));
        EXPECT_EQ(gridUnderEvaluation(), &grid);
    }
    EXPECT_EQ(gridUnderEvaluation(), nullptr);
}

} // namespace
