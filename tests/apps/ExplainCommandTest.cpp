// vtxss explain as a user runs it: the sample end plate's trace, one output
// alone, JSON for tools, and a failing standard named by file and line.
#include "ToolRun.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>

using namespace tooltest;
using Json = nlohmann::json;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Explain, TracesEveryOutputOfTheSampleMacro) {
    const ToolResult run = runTool({"explain", "--macro", "EP-1"});
    ASSERT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "  EdgeDist        35          A14, line 32\n")) << run.out;
    EXPECT_TRUE(has(run.out, "Connection Standards/Data/EdgeDistances.txt line 10, key 8.8;20"))
        << run.out;
    EXPECT_TRUE(has(run.out, "size 370 within [370, 400] snapped to 380: Connection "
                             "Standards/Data/PlateHeights.txt line 11"))
        << run.out;
    EXPECT_TRUE(has(run.out, "out       Pitch = 105 (to Pitch)")) << run.out;
    EXPECT_TRUE(has(run.out, "    | A7, line 14  Pitch = 105\n")) << "the child's own equation";
}

TEST(Explain, OutputShowsOnlyWhatThatOutputCameFrom) {
    ToolResult run = runTool({"explain", "--output", "pitch"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(has(run.out, "A14, line 32  EdgeDist = 35")) << run.out;
    EXPECT_TRUE(has(run.out, "A21, line 39  CallChild -> Pitch = 105")) << run.out;
    EXPECT_FALSE(has(run.out, "Weld")) << run.out;
    EXPECT_FALSE(has(run.out, "A12, line")) << run.out;

    run = runTool({"explain", "--output", "HoleDia"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(has(run.err, "vtxss explain: HoleDia is not an output of "
                             "Connection Standards/EndPlate/EP-Bolted.kss (its outputs: "
                             "PlateThickness, "))
        << run.err;
}

TEST(Explain, JsonParsesAndCarriesTheLookUpLine) {
    const ToolResult run = runTool({"explain", "--json", "--output", "EdgeDist"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json report = Json::parse(run.out);
    const Json& standard = report["standards"][0];
    EXPECT_EQ(standard["macro"], "EP-1");
    EXPECT_EQ(standard["ok"], true);
    ASSERT_EQ(standard["outputs"].size(), 1u);
    EXPECT_EQ(standard["outputs"][0]["value"], "35");
    ASSERT_EQ(standard["equations"].size(), 1u);
    const Json& call = standard["equations"][0]["calls"][0];
    EXPECT_EQ(call["function"], "GETCELL");
    EXPECT_EQ(call["data"]["file"], "Connection Standards/Data/EdgeDistances.txt");
    EXPECT_EQ(call["data"]["line"], 10);
    EXPECT_TRUE(standard["failure"].is_null());
}

TEST(Explain, ASheetOnGivenInputsNamesItsFirstFailure) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "Connection Standards" / "Data");
    std::ofstream(folder.path() / "Connection Standards" / "Data" / "Holes.txt") << "20\t2\n";
    std::ofstream(folder.path() / "Connection Standards" / "S.kss")
        << "VTXSHEET 1\nsize 2 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double Dia\"\n"
           "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double Hole\"\ncell 1 5 t=\"Calc\"\n"
           "cell 1 6 t=\"Hole=TONUMBER(GETCELL(\\\"Holes.txt\\\",Dia))\"\nend\n";
    const std::string lib = folder.path().string();
    ToolResult run = runTool(
        {"explain", "--lib", lib, "--sheet", "Connection Standards/S.kss", "--input", "Dia=20"});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "Connection Standards/Data/Holes.txt line 1, key 20")) << run.out;

    run = runTool({"explain", "--lib", lib, "--sheet", "Connection Standards/S.kss", "--input",
                   "Dia=24", "--json"});
    EXPECT_EQ(run.code, 1) << run.err;
    const Json failure = Json::parse(run.out)["standards"][0]["failure"];
    EXPECT_EQ(failure["file"], "Connection Standards/S.kss");
    EXPECT_EQ(failure["line"], 8) << "the file line of cell A6";
    EXPECT_EQ(failure["cell"], "A6");
    EXPECT_TRUE(has(failure["message"], "no row with the key 24 in Connection "
                                        "Standards/Data/Holes.txt"))
        << failure;
}

TEST(Explain, RefusesOptionsThatDoNotGoTogether) {
    ToolResult run = runTool({"explain", "--input", "A=1"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "vtxss explain: --input and --general go with --sheet\n");
    run = runTool({"explain", "--sheet", "x.kss", "--macro", "EP-1"});
    EXPECT_EQ(run.code, 2);
    run = runTool(
        {"explain", "--sheet", "Connection Standards/Childs/BoltSpacing.kss", "--input", "Depth"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(has(run.err, "--input takes NAME=VALUE, not 'Depth'")) << run.err;
    run = runTool(
        {"explain", "--sheet", "Connection Standards/Childs/BoltSpacing.kss", "--input", "Nope=1"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(has(run.err, "Nope is not an input of the spreadsheet")) << run.err;
}

} // namespace
