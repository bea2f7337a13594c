// FROMTABLE in a real grid against real table files: the four forms, the
// results by cell type, the value records and the memory blocks.
#include "spread/FromTable.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FormulaDialog.h"
#include "spread/FromTableText.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <string>

using vtx::sheet::Value;
using vtx::sheet::ValueRecord;

namespace {

std::string tablePath(const char* name) {
    return std::string(VTX_TEST_DATA) + "/spread/" + name;
}

// A caller grid with FROMTABLE registered; every test also checks that no
// memory block outlives it.
class FromTable : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.addPlaceholder(1, {0, 0, 400, 300});
        ASSERT_TRUE(grid.createInDialog(&dialog, 1, true));
        grid.setMaxCols(10, false);
        grid.setMaxRows(30, false);
        ASSERT_TRUE(registerFromTable(&grid));
        blocksBefore = host.memory().liveBlocks();
    }
    void TearDown() override {
        EXPECT_EQ(host.memory().liveBlocks(), blocksBefore) << "a text block leaked";
        EXPECT_EQ(host.memory().misuseCount(), 0);
        EXPECT_EQ(gridUnderEvaluation(), nullptr);
        EXPECT_EQ(fromTableDepth(), 0);
    }
    // FROMTABLE("<table>", rest) evaluated in cell J30.
    Value call(const char* table, const std::string& rest) {
        std::string formula = "FROMTABLE(\"" + tablePath(table) + "\"," + rest + ")";
        EXPECT_TRUE(grid.setCellFormula(10, 30, formula, true)) << formula;
        return grid.model()->value(10, 30);
    }
    bool printed(const std::string& text) { return host.commandLine().contains(text); }

    Host host;
    HostScope scope{host};
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    int blocksBefore = 0;
};

TEST_F(FromTable, AddressFormReturnsTheTargetByItsCellType) {
    EXPECT_EQ(call("bolts.kss", "A2").asText(), "M16");
    EXPECT_TRUE(printed("Result is string: M16\n"));
    Value hole = call("bolts.kss", "B2"); // number cell, read as a double
    ASSERT_TRUE(hole.isNumber());
    EXPECT_DOUBLE_EQ(hole.asNumber(), 17.5);
    EXPECT_TRUE(printed("Result is double: 17.500000\n"));
    EXPECT_EQ(call("bolts.kss", "C3").asNumber(), 4); // integer cell
    EXPECT_TRUE(printed("Result is long: 4\n"));
    EXPECT_EQ(call("bolts.kss", "D1").asNumber(), 1); // check box
    // A general cell gives its data text, even when it reads as a number.
    EXPECT_EQ(call("bolts.kss", "E1").asText(), "8.8");
}

TEST_F(FromTable, TargetFormulaIsRecalculatedNotReadFromTheFile) {
    EXPECT_DOUBLE_EQ(call("bolts.kss", "F2").asNumber(), 52.5) << "the file saved 0";
    EXPECT_EQ(call("bolts.kss", "G1").asText(), "M12/8.8") << "the file saved \"stale\"";
}

TEST_F(FromTable, KeyFormComparesHeadersAndKeysIgnoringCase) {
    EXPECT_DOUBLE_EQ(call("bolts.kss", "\"size\",\"Hole\",\"m20\"").asNumber(), 22);
    EXPECT_EQ(call("bolts.kss", "\"Rows\",\"Size\",3").asText(), "M16");          // integer key
    EXPECT_DOUBLE_EQ(call("bolts.kss", "\"Size\",\"HOLE\",49/2").asNumber(), 26); // 24.5
    grid.setCellText(1, 1, "M12");
    EXPECT_EQ(call("bolts.kss", "\"Size\",\"Rows\",A1").asNumber(), 2); // key from a cell
}

TEST_F(FromTable, TheCellArgumentsAreCellsOfTheTableNotPrecedents) {
    // C1 of the table, asked for from C1 of the calling grid.
    const std::string table = tablePath("bolts.kss");
    ASSERT_TRUE(grid.setCellFormula(3, 1, "FROMTABLE(\"" + table + "\",C1)", true));
    EXPECT_EQ(grid.model()->value(3, 1).asNumber(), 2) << "no circular reference";
    // Changing the caller's cell of that address does not load the table again.
    ASSERT_TRUE(grid.setCellFormula(2, 2, "FROMTABLE(\"" + table + "\",A2)", true));
    grid.setOption(7, true);
    const std::string before = host.commandLine().text();
    grid.setCellText(1, 2, "changed");
    EXPECT_EQ(host.commandLine().text(), before);
    // The target of the three-argument form is written, not read.
    ASSERT_TRUE(grid.setCellFormula(3, 3, "FROMTABLE(\"" + table + "\",C3,D3)", true));
    EXPECT_EQ(grid.model()->value(3, 3).asError(), vtx::sheet::FormulaError::NA);
    Vtx_String written;
    grid.getCellText(4, 3, written, kTextData);
    EXPECT_EQ(written, "4");
    // The key of the four-argument form is read here: a precedent.
    grid.setCellText(1, 5, "M16");
    ASSERT_TRUE(
        grid.setCellFormula(2, 5, "FROMTABLE(\"" + table + "\",\"Size\",\"HOLE\",A5)", true));
    EXPECT_DOUBLE_EQ(grid.model()->value(2, 5).asNumber(), 17.5);
    grid.setCellText(1, 5, "M20");
    EXPECT_DOUBLE_EQ(grid.model()->value(2, 5).asNumber(), 22);
    ASSERT_TRUE(
        grid.setCellFormula(1, 6, "FROMTABLE(\"" + table + "\",\"Size\",\"HOLE\",A6)", true));
    EXPECT_EQ(grid.model()->value(1, 6).asError(), vtx::sheet::FormulaError::Circular);
}

TEST_F(FromTable, AGridLoadedBeforeRegisteringComputesWithoutFalseCycles) {
    const std::string table = tablePath("bolts.kss");
    ASSERT_TRUE(grid.setCellFormula(3, 1, "FROMTABLE(\"" + table + "\",C1)", true));
    const std::string saved = grid.model()->saveToText();
    Vtx_String reason;
    ASSERT_TRUE(grid.loadText(saved, "caller.kss", &reason)) << reason.str();
    ASSERT_TRUE(registerFromTable(&grid)); // a load drops the functions
    grid.recalcAll();
    EXPECT_EQ(grid.model()->value(3, 1).asNumber(), 2);
}

TEST_F(FromTable, KeyRowIsSearchedInTheKeyColumnNotTheResultColumn) {
    EXPECT_EQ(call("aliases.kss", "\"Name\",\"Alias\",\"Column\"").asText(), "Post");
}

TEST_F(FromTable, NoMatchGivesNoValueAndPrintsNoResult) {
    for (const char* rest : {"\"Size\",\"Weight\",\"M12\"", "\"Diameter\",\"HOLE\",\"M12\"",
                             "\"Size\",\"HOLE\",\"M99\"", "\"Size\",\"HOLE\",A1:A2"}) {
        Value v = call("bolts.kss", rest);
        EXPECT_TRUE(v.isError() && v.asError() == vtx::sheet::FormulaError::NA) << rest;
    }
    EXPECT_FALSE(printed("Result is"));
    EXPECT_FALSE(host.commandLine().hasErrors());
}

TEST_F(FromTable, ThreeArgumentFormWritesIntoTheCallerGridAndReturnsNoValue) {
    Value v = call("bolts.kss", "B3,C5");
    EXPECT_EQ(v.asError(), vtx::sheet::FormulaError::NA);
    Vtx_String written;
    grid.getCellText(3, 5, written, kTextData);
    EXPECT_EQ(written, "22");
    EXPECT_FALSE(printed("Result is"));

    // A formula in the target cell is kept, with a message.
    ASSERT_TRUE(grid.setCellFormula(3, 6, "1+1", true));
    call("bolts.kss", "B3,C6");
    EXPECT_TRUE(grid.model()->hasFormula(3, 6));
    EXPECT_EQ(grid.model()->value(3, 6).asNumber(), 2);
    EXPECT_EQ(host.commandLine().errorLines().length(), 1) << host.commandLine().text();
}

TEST_F(FromTable, TableThatCannotBeReadGivesNoValueAndSaysWhy) {
    EXPECT_EQ(call("missing.kss", "A1").asError(), vtx::sheet::FormulaError::NA);
    EXPECT_EQ(call("damaged.kss", "A1").asError(), vtx::sheet::FormulaError::NA);
    Vtx_StringArray errors = host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 2);
    EXPECT_TRUE(errors[1].hasSubString("damaged.kss:4")) << errors[1].str();
}

TEST_F(FromTable, ErrorInTheTargetStaysAnError) {
    EXPECT_EQ(call("bolts.kss", "E4").asError(), vtx::sheet::FormulaError::Value);
    EXPECT_FALSE(printed("Result is string: #DIV/0!"));
}

TEST_F(FromTable, BadArgumentsLeaveNoValue) {
    EXPECT_EQ(call("bolts.kss", "1/0").asError(), vtx::sheet::FormulaError::NA);
    grid.setCellFormula(10, 29, "FROMTABLE(5,A1)", true);
    EXPECT_EQ(grid.model()->value(10, 29).asError(), vtx::sheet::FormulaError::NA);
    grid.setCellFormula(10, 29, "FROMTABLE(\"x\")", true); // below the minimum
    EXPECT_EQ(grid.model()->value(10, 29).asError(), vtx::sheet::FormulaError::Value);
}

// The handler on value records, as the control calls it.
TEST_F(FromTable, HandlerFillsTheResultRecordAndTakesTheArgumentBlocks) {
    auto handler = fromTableHandler(&grid);
    ValueRecord args[4];
    auto setFile = [&](const char* name) {
        args[0] = ValueRecord();
        args[0].setType(vtx::sheet::kValueText);
        args[0].setHandle(newGlobalText(tablePath(name)));
    };
    setFile("bolts.kss");
    args[1].setType(vtx::sheet::kValueCell);
    args[1].setCell(1, 3);
    ValueRecord result;
    EXPECT_EQ(handler(&result, args, 2), 1);
    EXPECT_EQ(result.status(), vtx::sheet::kValueOk);
    ASSERT_EQ(result.type(), vtx::sheet::kValueText);
    Vtx_String text;
    ASSERT_TRUE(takeGlobalText(result.handle(), text)) << "a new block for the text";
    EXPECT_EQ(text, "M20");

    setFile("bolts.kss");
    args[1].setCell(2, 2);
    handler(&result, args, 2);
    EXPECT_EQ(result.type(), vtx::sheet::kValueDouble);
    EXPECT_DOUBLE_EQ(result.doubleValue(), 17.5);

    // Key form with a key that no row holds: status 2, nothing else.
    setFile("bolts.kss");
    for (int i = 1; i < 4; ++i) {
        args[i] = ValueRecord();
        args[i].setType(vtx::sheet::kValueText);
        args[i].setHandle(newGlobalText(i == 3 ? "M99" : i == 1 ? "Size" : "Rows"));
    }
    result = ValueRecord();
    handler(&result, args, 4);
    EXPECT_EQ(result.status(), vtx::sheet::kValueNone);

    // An argument in error: its texts are freed all the same.
    setFile("bolts.kss");
    args[1] = ValueRecord();
    args[1].setStatus(vtx::sheet::kValueError);
    args[2].setHandle(newGlobalText("Rows"));
    handler(&result, args, 3);
    EXPECT_EQ(result.status(), vtx::sheet::kValueNone);
}

TEST_F(FromTable, MissingResultOrArgumentsChangeNothing) {
    KsFormulaDialog dialog2(FormulaDialogMode::FromTable);
    ValueRecord result;
    result.setStatus(7);
    dialog2.setFromTableCall(&result, nullptr, 2, &grid);
    ASSERT_TRUE(dialog2.initDialog());
    EXPECT_EQ(result.status(), 7);
    ValueRecord arg;
    arg.setType(vtx::sheet::kValueText);
    arg.setHandle(newGlobalText(tablePath("bolts.kss")));
    evaluateFromTable(nullptr, &result, &arg, 1); // no caller grid
    EXPECT_EQ(result.status(), 7);
}

TEST(FromTableText, NumberKeysUseTheGeneralFormatAndNamesIgnoreCase) {
    EXPECT_EQ(fromTableNumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(fromTableNumberText(24.5), "24.5");
    EXPECT_EQ(fromTableNumberText(-1e20), "-1E+20");
    EXPECT_TRUE(sameTableText("Width", "WIDTH"));
    EXPECT_TRUE(sameTableText("\xe9paisseur", "\xc9PAISSEUR")); // Windows-1252 letters
    EXPECT_FALSE(sameTableText("Width", "WIDTH", true));
    EXPECT_FALSE(sameTableText("Width", "Widths"));
}

} // namespace
