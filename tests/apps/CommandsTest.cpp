// vtxss mapping, bill, sheet and bench as a user runs them: what they print,
// as text and as JSON, and the files they write.
#include "ToolRun.h"

#include "platform/sheet/SheetModel.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

using namespace tooltest;
using Json = nlohmann::json;

namespace {

const std::string kApps = (kTestData / "apps").string();
const std::string kBillData = (kTestData / "spread" / "bill").string();

class Commands : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(Commands, MappingListsCandidatesAndValues) {
    ToolResult run = runTool({"mapping", "--macro", "EP-1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("BeamHeight +<- Prof0;0 MemberSectionSize "
                                                      "+= 300")))
        << run.out;
    EXPECT_NE(run.out.find("Standard: EndPlate/EP-Bolted  key: Ep1kR7vQ2mXc9LtB4nWz8HsD"),
              std::string::npos);

    run = runTool({"mapping", "--macro", "BP-1", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json report = Json::parse(run.out);
    EXPECT_EQ(report["macro"], "BP-1");
    EXPECT_FALSE(report["candidates"].empty());
    EXPECT_TRUE(report["candidates"][0].contains("kind"));
    ASSERT_EQ(report["standards"].size(), 1u);
    EXPECT_EQ(report["standards"][0]["moduleGroup"], "BasePlate");

    run = runTool({"mapping", "--macro", "EP-1", "--json"});
    const Json endPlate = Json::parse(run.out)["standards"][0];
    bool seen = false;
    for (const Json& variable : endPlate["variables"])
        if (variable["name"] == "BeamHeight") {
            seen = true;
            EXPECT_EQ(variable["object"], "Prof0;0");
            EXPECT_EQ(variable["kind"], "MemberSectionSize");
            EXPECT_EQ(variable["value"], "300");
        }
    EXPECT_TRUE(seen);
}

TEST_F(Commands, BillWritesTheSheetAndItsPictures) {
    ToolResult run =
        runTool({"bill", "Bills\\Hall-7.csv", "--pictures", "--out", folder.file("hall7.kss")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::regex_search(run.out,
                                  std::regex("Written: .*7 parts, 16 rows, 7 columns, 7 pictures")))
        << run.out;
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "hall7 pictures"));

    run = runTool({"bill", "Bills\\Hall-7.csv", "-o", folder.file("plain.kss"), "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json report = Json::parse(run.out);
    EXPECT_EQ(report["file"], folder.file("plain.kss"));
    EXPECT_EQ(report["parts"], 7);
    EXPECT_EQ(report["rows"], 9);
    EXPECT_TRUE(report["pictures"].is_null());
    EXPECT_TRUE(std::filesystem::exists(folder.file("plain.kss")));
}

TEST_F(Commands, ABillWithoutPicturesGoesToStdout) {
    const ToolResult run = runTool({"bill", "Bills\\Hall-7.csv", "-o", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("Written: -"), std::string::npos) << "the report goes to stderr";
    vtx::sheet::SheetModel sheet;
    std::string reason;
    ASSERT_TRUE(sheet.loadFromText(run.out, "stdout", &reason)) << reason;
    EXPECT_GT(sheet.maxRows(), 7);
    EXPECT_NE(run.out.find("Hall-7"), std::string::npos) << "titled after the part list";
}

TEST_F(Commands, BillFailuresSayWhyInOneLine) {
    ToolResult run = runTool({"bill", kBillData + "/bad-code.csv", "--out", folder.file("b.kss")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 1) << run.err;
    EXPECT_NE(run.err.find("bad-code.csv: line "), std::string::npos) << run.err;

    // Saved without a variable is no success; the line names the variable.
    run = runTool({"bill", kBillData + "/separator-variable.csv", "--out", folder.file("s.kss")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 1) << run.err;
    EXPECT_TRUE(std::regex_search(
        run.err, std::regex("^vtxss bill: .*s\\.kss: saved without some of the bill variables: "
                            "The bill variable \"Price\" is left out")))
        << run.err;
}

TEST_F(Commands, SheetImportPrintAndStdout) {
    ToolResult run = runTool({"sheet", "--import", kApps + "/small.cells", "--out",
                              folder.file("small.kss"), "--quiet"});
    ASSERT_EQ(run.code, 0) << run.err;
    run = runTool({"sheet", folder.file("small.kss"), "--json", "--quiet"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json sheet = Json::parse(run.out);
    EXPECT_EQ(sheet["cells"][1]["formula"], "A1*21");
    EXPECT_EQ(sheet["cells"][1]["value"], "42");

    // An empty text and a number-like text stay texts through the import.
    run = runTool({"sheet", "--import", kApps + "/texts.cells", "-o", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("VTXSHEET ", 0), 0u) << run.out;
    EXPECT_NE(run.err.find("into stdout"), std::string::npos) << run.err;
    std::ofstream(folder.file("texts.kss")) << run.out;
    run = runTool({"sheet", folder.file("texts.kss"), "--json", "--quiet"});
    EXPECT_TRUE(std::regex_search(
        run.out,
        std::regex(
            "\"cell\":\"A1\"[^}]*\"data\":\"\",[^}]*\"kind\":\"text\"[^]*\"cell\":\"A2\"[^}]*"
            "\"data\":\"12\",[^}]*\"kind\":\"text\"[^]*\"cell\":\"A3\"[^}]*\"value\":\"12\","
            "\"kind\":\"number\"")))
        << run.out;

    // The cell list is never the target.
    run = runTool({"sheet", "--import", kApps + "/small.cells", "--out", kApps + "/small.cells"});
    EXPECT_EQ(run.code, 2);
}

TEST_F(Commands, NamesBeyondAsciiAreConvertedOnceAtTheEdge) {
    // A UTF-8 name is one name on disk, read back by any command; a name
    // given in 8-bit bytes (not UTF-8 at all) is taken as those bytes; a
    // name that 8-bit text cannot hold is refused with one line.
    const std::string utf8 = folder.file("R\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC.kss");
    ToolResult run =
        runTool({"sheet", "--import", kApps + "/small.cells", "--out", utf8, "--quiet"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::ifstream(utf8).good()) << "written under its own name";
    run = runTool({"export", utf8, "--out", folder.file("R\xC3\xA9sum\xC3\xA9.csv")});
    EXPECT_EQ(run.code, 0) << run.err;
    {
        std::ifstream in(utf8, std::ios::binary);
        std::ofstream(folder.file("Lat\xE9.kss"), std::ios::binary) << in.rdbuf();
    }
    run = runTool({"sheet", folder.file("Lat\xE9.kss"), "--quiet"});
    EXPECT_EQ(run.code, 0) << run.err;
    run = runTool(
        {"sheet", "--import", kApps + "/small.cells", "--out", folder.file("\xE6\x97\xA5.kss")});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("outside Windows-1252"), std::string::npos) << run.err;
}

TEST_F(Commands, SheetImportWritesOnlyTextsItsReaderTakesBack) {
    // The longest text a cell holds is written and loads back; a 10 MB text
    // is refused by its cell, and nothing is written.
    const auto cellsWith = [&](const std::string& name, std::size_t length) {
        std::ofstream(folder.file(name))
            << "W\tbig\t1\nC\t0\t0\ts\t" << std::string(length, 'x') << "\nC\t1\t0\tf\tLEN(A1)\n";
        return folder.file(name);
    };
    ToolResult run = runTool({"sheet", "--import", cellsWith("max.cells", 32767), "--out",
                              folder.file("max.kss"), "-q"});
    ASSERT_EQ(run.code, 0) << run.err;
    run = runTool({"sheet", folder.file("max.kss"), "--json", "-q"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Json::parse(run.out)["cells"][1]["value"], "32767");

    run = runTool({"sheet", "--import", cellsWith("huge.cells", 10u << 20), "--out",
                   folder.file("huge.kss")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.errLines(), 1);
    EXPECT_LT(run.err.size(), 300u) << "the line does not quote the text";
    EXPECT_NE(run.err.find("huge.cells: A1: the text is longer than 32767 characters"),
              std::string::npos)
        << run.err.substr(0, 300);
    EXPECT_FALSE(std::filesystem::exists(folder.file("huge.kss")));
}

TEST_F(Commands, SheetOfAHugeDeclaredGridListsItsCells) {
    const ToolResult run =
        runTool({"sheet", (kTestData / "spread" / "huge.kss").string(), "--quiet"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::regex_search(
        run.out, std::regex("16384 columns, 1048576 rows\nHeaders:  B=Size  D=Grade\nCell +Data "
                            "+Formula +Value\nA1 +M12 +M12\nC2 +17.5 +17.5\nB3 +35 +C2\\*2 +35\n"
                            "C3\n$")))
        << run.out;
}

TEST_F(Commands, BenchPrintsItsJsonLine) {
    const ToolResult run = runTool({"bench", kApps + "/small.cells"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"check\":44,\"check_after\":66"), std::string::npos) << run.out;
}

TEST_F(Commands, GeneratedWorkloadGivesItsDocumentedChecksums) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const std::string script =
        (kSample.parent_path() / "bench" / "workloads" / "make_cells.py").string();
    const std::string cells = folder.file("sumfan.cells");
    ASSERT_EQ(std::system(("python3 '" + script + "' sumfan '" + cells + "'").c_str()), 0);
    const ToolResult run = runTool({"bench", cells});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json line = Json::parse(run.out);
    EXPECT_EQ(line["workload"], "sumfan");
    EXPECT_EQ(line["size"], 1000);
    EXPECT_DOUBLE_EQ(line["check"].get<double>(), 12375000);
    EXPECT_DOUBLE_EQ(line["check_after"].get<double>(), 12486998.25);
}

} // namespace
