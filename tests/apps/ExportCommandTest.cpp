// vtxss export as a user runs it: the format from the target's name or
// --format, stdout, stale values and --recalc, --raw, the bill's header data
// and the refusals.
#include "ToolRun.h"
#include "XlsxReader.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tooltest;
namespace fs = std::filesystem;

namespace {

const fs::path kBill = kTestData / "spread" / "export" / "bill.kss";
const std::string kStale = (kTestData / "apps" / "stale.kss").string();

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

class ExportCommand : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ExportCommand, WritesTheFormatOfTheTargetsExtension) {
    ToolResult run = runTool({"export", kBill.string(), "--out", folder.file("bill.xlsx")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("6 rows, 5 columns"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("worksheet 'bill'"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("vtxss export: warning: A5: picture not found"), std::string::npos)
        << run.err;
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook(folder.file("bill.xlsx"), book, error)) << error;
    EXPECT_EQ(book.cell("A2")->value, "P1");
    EXPECT_EQ(book.sheetName, "bill");

    run = runTool({"export", kBill.string(), "-o", folder.file("bill.csv"), "--no-headers"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(firstLine(readFile(folder.file("bill.csv"))),
              "P1,\"Plate, 10 \"\"thick\"\" \xC3\xA9\",\"1,234.50\",,#DIV/0!\r");

    // --format wins over the extension.
    run = runTool({"export", kBill.string(), "-o", folder.file("bill.txt"), "--format", "csv"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(firstLine(readFile(folder.file("bill.txt"))), "Item,Description,Weight,,\r");
}

TEST_F(ExportCommand, StdoutTakesTheFileAndStderrTheSummary) {
    ToolResult run = runTool({"export", kStale, "-o", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Length,Twice\r\n3.3,6.0\r\n4.0,8.0\r\n");
    EXPECT_NE(run.err.find("Exported "), std::string::npos) << run.err;

    // A workbook goes to stdout when stdout is no terminal (here a file).
    run = runTool({"export", kBill.string(), "-o", "-", "--format", "xlsx", "--quiet"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 2), "PK");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 0);
}

TEST_F(ExportCommand, StaleValuesAreReportedAndRecalcReplacesThem) {
    ToolResult run = runTool({"export", kStale, "-o", folder.file("s.csv")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err,
              "vtxss export: warning: 1 formula cell(s) hold stored values that a recalculation "
              "changes (B1); the stored values were written, --recalc writes the recalculated "
              "ones\n");
    EXPECT_EQ(readFile(folder.file("s.csv")), "Length,Twice\r\n3.3,6.0\r\n4.0,8.0\r\n");

    run = runTool({"export", kStale, "-o", folder.file("s.csv"), "--recalc", "--raw"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readFile(folder.file("s.csv")), "Length,Twice\r\n3.25,6.5\r\n4,8\r\n");

    run = runTool({"export", kStale, "-o", folder.file("s.xlsx"), "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json summary = nlohmann::json::parse(run.out);
    EXPECT_EQ(summary["format"], "xlsx");
    EXPECT_EQ(summary["staleCells"], 1);
    EXPECT_EQ(summary["staleExamples"], nlohmann::json::array({"B1"}));
    EXPECT_EQ(summary["sheetName"], "stale");
    EXPECT_EQ(summary["recalculated"], false);
}

TEST_F(ExportCommand, ReadmeStepsKeepPicturesAndHeaderData) {
    // As the README runs them: a bill named without a folder, then its
    // export named alone, from the same folder.
    ToolResult run =
        runTool({"bill", "Bills\\Hall-7.csv", "--pictures", "--out", "hall7.kss"}, folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    run = runTool({"export", "hall7.kss", "--out", "hall7.xlsx"}, folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find(", 7 pictures;"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook(folder.file("hall7.xlsx"), book, error)) << error;
    EXPECT_EQ(book.pictures.size(), 7u);
    EXPECT_EQ(book.sheetName, "hall7");
    EXPECT_EQ(book.properties["Project"], "Sample hall 7");
    EXPECT_EQ(book.properties["Customer"], "M\xC3\xBCller Stahlbau, K\xC3\xB6ln");

    run = runTool({"export", "hall7.kss", "--out", "hall7.csv"}, folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string csv = readFile(folder.file("hall7.csv"));
    EXPECT_NE(csv.find("\r\nProject,Sample hall 7,,,,,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n,,,,,,\r\nPos,Part,Section,Material,Count,Length,Weight\r\n"),
              std::string::npos)
        << csv;
    run = runTool({"export", "hall7.kss", "--out", "plain.csv", "--no-header-data"}, folder.path());
    EXPECT_EQ(firstLine(readFile(folder.file("plain.csv"))),
              "Pos,Part,Section,Material,Count,Length,Weight\r");
}

TEST_F(ExportCommand, RefusalsWriteNothing) {
    fs::copy_file(kBill, folder.path() / "own.kss");
    const ToolResult run =
        runTool({"export", "own.kss", "-o", "./own.kss", "--format", "csv"}, folder.path());
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(fs::file_size(folder.path() / "own.kss"), fs::file_size(kBill));
    EXPECT_EQ(runTool({"export", "missing.kss", "-o", "x.csv"}, folder.path()).code, 1);
    EXPECT_FALSE(fs::exists(folder.path() / "x.csv"));
}

} // namespace
