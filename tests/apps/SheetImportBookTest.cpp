// vtxss sheet --import of workbooks (.xlsx, .ods) and .csv files, run as a
// user runs it; and the round trip: the imported sheet computes the values
// the workbook keeps for its formulas.

#include "Sheet.h"
#include "ToolRun.h"
#include "Workbook.h"

#include "platform/sheet/FormulaError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace tooltest;

namespace {

const std::string kImport = (kTestData / "import").string();

std::string line(const std::string& text, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n && start != std::string::npos; ++i)
        start = text.find('\n', start) + 1;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(SheetImportBook, WorkbooksAndCsvAreImported) {
    TempFolder folder;
    ToolResult run =
        runTool({"sheet", "--import", kImport + "/book.xlsx", "-o", folder.file("b.kss")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Imported 28 cells (16 formulas) from "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("sheet \"Bolts\""), std::string::npos);
    run = runTool({"sheet", folder.file("b.kss"), "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    for (const char* expected :
         {R"j("formula":"A3*B3","value":"32")j", R"j("formula":"STDEV(B2:B4)")j",
          R"j("formula":"IFS(A2>10,\"x\",TRUE,\"y\")","value":"x")j",
          R"j("formula":"A2*2","value":"24")j", R"j("formula":"1/0","value":"#DIV/0!")j",
          "\"data\":\"na\xC3\xAFve\"", R"j("formula":"TRUE","value":"TRUE","kind":"boolean")j"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;

    // Another sheet by name (case ignored), an .ods and a .csv (extension in any case).
    run = runTool({"sheet", "--import", kImport + "/book.xlsx", "--sheet", "other", "-o", "-"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("(1 formula) from"), std::string::npos) << run.err;
    run = runTool({"sheet", "--import", kImport + "/book.ods", "-o", folder.file("o.kss")});
    EXPECT_EQ(run.code, 0) << run.err;
    std::filesystem::copy_file(kImport + "/book.csv", folder.file("BOOK.CSV"));
    run = runTool({"sheet", "--import", folder.file("BOOK.CSV"), "-o", folder.file("c.kss")});
    ASSERT_EQ(run.code, 0) << run.err;
    run = runTool({"sheet", folder.file("c.kss"), "--json"});
    for (const char* expected :
         {R"j("cell":"D2","column":4,"row":2,"data":"a, \"quoted\" text")j",
          R"j("formula":"IF(C3>40,\"big\",\"small\")","value":"small")j",
          R"j("cell":"C4","column":3,"row":4,"data":"7")j", R"j("formula":"STDEV(B2:B3)")j"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
}

TEST(SheetImportBook, EveryRefusalIsListedAndNothingWritten) {
    TempFolder folder;
    const std::string target = folder.file("r.kss");
    ToolResult run = runTool({"sheet", "--import", kImport + "/refused.xlsx", "-o", target});
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(run.errLines(), 7) << run.err;
    EXPECT_EQ(line(run.err, 0), "B1: the function CUBEVALUE is not in the formula language");
    EXPECT_EQ(line(run.err, 1), "B2: the reference Other!A1 is to another sheet");
    EXPECT_NE(line(run.err, 2).find("B3: the table reference Table1"), std::string::npos);
    EXPECT_NE(line(run.err, 3).find("B4: an array formula"), std::string::npos);
    EXPECT_NE(line(run.err, 4).find("B5: array constants"), std::string::npos);
    EXPECT_NE(line(run.err, 5).find("B6: the name Width"), std::string::npos);
    EXPECT_NE(line(run.err, 6).find("6 cell(s) cannot be imported; nothing is written"),
              std::string::npos);

    // With --keep-values each keeps the value the workbook holds, and says
    // so; the reader passes on no values of array formulas, which stay refused.
    run = runTool({"sheet", "--import", kImport + "/refused.xlsx", "-o", target, "--keep-values"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 2) << run.err;
    EXPECT_NE(run.err.find("B4: an array formula ({=SUM(A1:A2*2)}) is not in the formula "
                           "language; the file keeps no value for it"),
              std::string::npos);
    run = runTool({"sheet", "--import", kImport + "/kept.xlsx", "-o", target, "--keep-values"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("B1: kept the value 5 (the function CUBEVALUE"), std::string::npos);
    EXPECT_NE(run.out.find("B3: kept the value \"seven\" (the table reference"), std::string::npos);
    EXPECT_NE(run.out.find("(1 formula, 5 kept as values)"), std::string::npos) << run.out;
    run = runTool({"sheet", target, "--json"});
    EXPECT_NE(run.out.find(R"j("cell":"B2","column":2,"row":2,"data":"3","formula":"")j"),
              std::string::npos)
        << run.out;

    run = runTool({"sheet", "--import", kImport + "/refused.csv", "-o", target});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 4) << run.err;
    // A .csv keeps no values: nothing to keep either.
    run = runTool({"sheet", "--import", kImport + "/refused.csv", "-o", target, "--keep-values"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("the file keeps no value for it"), std::string::npos) << run.err;
}

TEST(SheetImportBook, UnreadableInputFailsWithOneLine) {
    TempFolder folder;
    std::ofstream(folder.file("bad.xlsx")) << "not a zip";
    ToolResult run =
        runTool({"sheet", "--import", folder.file("bad.xlsx"), "-o", "x.kss"}, folder.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 1) << run.err;
    EXPECT_NE(run.err.find("cannot be read as .xlsx"), std::string::npos) << run.err;
    run = runTool({"sheet", "--import", kImport + "/book.xlsx", "--sheet", "Nuts", "-o", "x.kss"},
                  folder.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no sheet \"Nuts\" (its sheets: Bolts, Other)"), std::string::npos)
        << run.err;
    run = runTool({"sheet", "--import", kImport + "/book.csv", "--sheet", "A", "-o", "x.kss"},
                  folder.path());
    EXPECT_EQ(run.code, 2);
    std::ofstream(folder.file("open.csv")) << "1,\"open\n";
    run = runTool({"sheet", "--import", folder.file("open.csv"), "-o", "x.kss"}, folder.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("a quote is not closed"), std::string::npos) << run.err;
}

// Each formula's value after the import equals the one the workbook keeps.
void expectRoundTrip(const std::string& workbook) {
    SCOPED_TRACE(workbook);
    TempFolder folder;
    const std::string target = folder.file("t.kss");
    ToolResult run = runTool({"sheet", "--import", kImport + "/" + workbook, "-o", target, "-q"});
    ASSERT_EQ(run.code, 0) << run.err;
    cli::BookSheet sheet;
    std::string reason;
    ASSERT_TRUE(cli::readWorkbook(kImport + "/" + workbook, "", sheet, reason)) << reason;
    cli::CommandGrid command;
    command.create();
    ASSERT_TRUE(command.grid.loadFile(Vtx_String(target), nullptr));
    command.grid.recalcAll();
    const vtx::sheet::SheetModel& model = *command.grid.model();
    int formulas = 0;
    for (const cli::BookCell& cell : sheet.cells) {
        if (!cell.isFormula)
            continue;
        ++formulas;
        const vtx::sheet::Value value = model.value(cell.col + 1, cell.row + 1);
        const std::string where = cli::columnName(cell.col + 1) + std::to_string(cell.row + 1);
        switch (cell.value.kind) {
        case cli::BookValue::Kind::Number:
            ASSERT_TRUE(value.isNumber()) << where;
            EXPECT_NEAR(value.asNumber(), cell.value.number, 1e-12 * std::abs(cell.value.number))
                << where;
            break;
        case cli::BookValue::Kind::Boolean:
            ASSERT_TRUE(value.isBoolean()) << where;
            EXPECT_EQ(value.asBoolean(), cell.value.boolean) << where;
            break;
        case cli::BookValue::Kind::Text:
            if (value.isError())
                EXPECT_EQ(vtx::sheet::errorText(value.asError()), cell.value.text) << where;
            else
                EXPECT_EQ(toUtf8(value.asText()), cell.value.text) << where;
            break;
        case cli::BookValue::Kind::None:
            --formulas; // the reader passes on no error results and no .ods text results
        }
    }
    EXPECT_GE(formulas, 5);
}

TEST(SheetImportBook, ImportedFormulasComputeTheWorkbooksValues) {
    expectRoundTrip("book.xlsx");
    expectRoundTrip("book.ods");
}

} // namespace
