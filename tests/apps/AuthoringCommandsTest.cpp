// vtxss check and test-standard as an author runs them: the shipped library
// passes both; mistakes and failing cases give exit 1 with the place named.
#include "ToolRun.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>

using namespace tooltest;
using Json = nlohmann::json;

namespace {

class Authoring : public ::testing::Test {
protected:
    // A library with one standard, BoltSpacing-like: Pitch from four inputs.
    void SetUp() override {
        std::filesystem::create_directories(folder.path() / "Connection Standards");
        write("Connection Standards/S.kss",
              "VTXSHEET 1\nsize 2 7\n"
              "cell 1 1 t=\"Input\"\ncell 1 2 t=\"Double Depth\"\ncell 2 2 t=\"Double Rows\"\n"
              "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double Pitch\"\ncell 1 5 t=\"Calc\"\n"
              "cell 1 6 t=\"Pitch=IF(Rows>1,ROUNDTO(Depth/(Rows-1),5),0)\"\nend\n");
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder.path() / name, std::ios::binary) << text;
    }
    std::string lib() const { return folder.path().string(); }

    TempFolder folder;
};

TEST_F(Authoring, TheShippedLibraryChecksClean) {
    const ToolResult run = runTool({"check"});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("No problems in 4 standards"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("mappings against Drawings/sample.vtxd"), std::string::npos);
}

TEST_F(Authoring, CheckNamesEachProblemAndFails) {
    write("Connection Standards/S.kss",
          "VTXSHEET 1\nsize 2 7\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double Depth\"\n"
          "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double Pitch\"\ncell 1 5 t=\"Calc\"\n"
          "cell 1 6 t=\"Pitch=Depth/Rows\"\nend\n");
    ToolResult run = runTool({"check", "--lib", lib()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("Connection Standards/S.kss:8: A6: uses Rows, which is neither "
                           "declared nor a general variable (gen_...)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 problem in 1 standard"), std::string::npos) << run.out;

    run = runTool({"check", "--lib", lib(), "--json"});
    EXPECT_EQ(run.code, 1);
    const Json report = Json::parse(run.out);
    ASSERT_EQ(report["problems"].size(), 1u);
    EXPECT_EQ(report["problems"][0]["file"], "Connection Standards/S.kss");
    EXPECT_EQ(report["problems"][0]["line"], 8);
    EXPECT_EQ(report["problems"][0]["cell"], "A6");

    run = runTool({"check", "--lib", lib(), "Connection Standards/None.kss"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("vtxss check: the standard"), std::string::npos) << run.err;
}

TEST_F(Authoring, TheShippedStandardsPassTheirCases) {
    const ToolResult run = runTool({"test-standard", "--all"});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("9 cases passed, 0 failed."), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  case IPE 300 with M20 bolts: pass\n"), std::string::npos);
}

TEST_F(Authoring, AFailingCaseShowsExpectedAndActual) {
    write("Connection Standards/S.cases", "case two rows\n  input Depth = 300\n"
                                          "  input Rows = 2\n  expect Pitch = 300\n"
                                          "case four rows\n  input Depth = 300\n"
                                          "  input Rows = 4\n  expect Pitch = 90\n");
    ToolResult run = runTool({"test-standard", "--lib", lib(), "Connection Standards/S.kss"});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_NE(run.out.find("  case two rows: pass\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  case four rows: FAIL\n    Output    Expected  Actual\n"
                           "    Pitch     90        100         <- differs\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 case passed, 1 failed."), std::string::npos);

    run = runTool({"test-standard", "--lib", lib(), "--all", "--json"});
    EXPECT_EQ(run.code, 1);
    const Json report = Json::parse(run.out);
    EXPECT_EQ(report["failed"], 1);
    EXPECT_EQ(report["standards"][0]["results"][1]["values"][0]["actual"], "100");
}

TEST_F(Authoring, AMalformedCaseFileNamesItsLine) {
    write("Connection Standards/S.cases", "case a\n  input Depth = 300\n  expect Pitch: 3\n");
    const ToolResult run = runTool({"test-standard", "--lib", lib(), "Connection Standards/S.kss"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("S.cases:3: 'expect Pitch: 3' needs '= value'"), std::string::npos)
        << run.err;
}

TEST_F(Authoring, TestStandardNeedsOneStandardOrAll) {
    EXPECT_EQ(runTool({"test-standard", "--lib", lib()}).code, 2);
    const ToolResult run = runTool({"test-standard", "--lib", lib(), "--all"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("has a .cases file"), std::string::npos) << run.err;
}

} // namespace
