// vtxss design as an author runs it: check on the shipped designs and on a
// design with mistakes, render through vtxss-render.
#include "ToolRun.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>

using namespace tooltest;
using Json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

const fs::path kDesigns = kSample / "library" / "Dialog Templates" / "Dialog Design";

class DesignCommand : public ::testing::Test {
protected:
    // A library with the design "D" on the sample's 480 x 300 picture: a
    // label, an edit that runs into it, and a combo whose list is missing.
    void SetUp() override {
        const fs::path root = folder.path() / "Dialog Templates" / "Dialog Design";
        fs::create_directories(root);
        fs::copy_file(kDesigns / "EndPlate" / "EndPlate.bmp", root / "D.bmp");
        std::ofstream(root / "D.txt", std::ios::binary)
            << "VtxProperties version 1\r\nnrOfControls=3\r\n"
               "type0=0\r\ntopLeftX0=0.5\r\ntopLeftY0=0.1\r\nbottomRightX0=0.7\r\n"
               "bottomRightY0=0.15\r\ncontents0=Width:\r\n"
               "type1=2\r\ntopLeftX1=0.65\r\ntopLeftY1=0.1\r\nbottomRightX1=0.9\r\n"
               "bottomRightY1=0.15\r\ncontents1=Width\r\n"
               "type2=3\r\ntopLeftX2=0.5\r\ntopLeftY2=0.2\r\nbottomRightX2=0.9\r\n"
               "bottomRightY2=0.25\r\ncontents2=Weld\r\ncomboList2=Lists\\\\Weld.txt\r\n";
    }
    std::string lib() const { return folder.path().string(); }

    TempFolder folder;
};

TEST_F(DesignCommand, TheShippedDesignsCheckClean) {
    const ToolResult run = runTool({"design", "check", "--all"});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("No problems in 7 designs"), std::string::npos) << run.out;
}

TEST_F(DesignCommand, CheckNamesEachProblemAndFails) {
    ToolResult run = runTool({"design", "check", "--lib", lib(), "--all"});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_EQ(run.out, "Dialog Templates/Dialog Design/D.txt: control 1 (ctVarEdit \"Width\"): "
                       "overlaps control 0 (ctLabel \"Width:\") by 24 x 15 pixels\n"
                       "Dialog Templates/Dialog Design/D.txt: control 2 (ctVarCombo \"Weld\"): "
                       "the list file its combo list names does not exist: Lists/Weld.txt\n"
                       "2 problems in 1 design of " +
                           lib() + "/.\n");

    // The same design by its name, as JSON.
    run = runTool({"design", "check", "--lib", lib(), "--json", "D"});
    EXPECT_EQ(run.code, 1) << run.err;
    const Json report = Json::parse(run.out);
    ASSERT_EQ(report["problems"].size(), 2u);
    EXPECT_EQ(report["designs"][0], "Dialog Templates/Dialog Design/D.txt");
    EXPECT_EQ(report["problems"][0]["check"], "overlap");
    EXPECT_EQ(report["problems"][0]["control"], 1);
    EXPECT_EQ(report["problems"][0]["typeName"], "ctVarEdit");
    EXPECT_EQ(report["problems"][1]["check"], "combo-list");
}

TEST_F(DesignCommand, WrongCommandLinesAreRefusedInOneLine) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"design", "check"},
                                               {"design", "check", "--all", "D"},
                                               {"design", "check", "D", "--out", "x.png"},
                                               {"design", "render", "D"},
                                               {"design", "render", "D", "E", "--out", "x.png"},
                                               {"design", "draw", "D"}}) {
        const ToolResult run = runTool(args);
        EXPECT_EQ(run.code, 2) << args[1] << " " << run.err;
        EXPECT_EQ(run.errLines(), 1) << run.err;
        EXPECT_EQ(run.err.rfind("vtxss design: ", 0), 0u) << run.err;
    }
    const ToolResult missing = runTool({"design", "check", "--lib", lib(), "Nothing/There"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "vtxss design: the design Nothing/There does not exist\n");
}

TEST_F(DesignCommand, RenderWithoutTheRendererBesideVtxssSaysSo) {
    const fs::path program = folder.path() / "vtxss";
    fs::copy_file(VTXSS_BINARY, program);
    const ToolResult run =
        runProgram(program, {"design", "render", (kDesigns / "EndPlate" / "EndPlate.txt").string(),
                             "--out", folder.file("out.png")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "vtxss design: render needs vtxss-render, which is not installed beside "
                       "vtxss\n");
    EXPECT_FALSE(fs::exists(folder.file("out.png")));
}

#ifdef VTXSS_RENDER_BUILT
// The PNG's size from its header (IHDR, big-endian width and height).
bool pngSize(const std::string& bytes, int& width, int& height) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return false;
    auto word = [&bytes](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    width = word(16);
    height = word(20);
    return true;
}

TEST_F(DesignCommand, RenderDrawsASampleDesignIntoAPng) {
    const std::string out = folder.file("end plate.png");
    const ToolResult run = runTool({"design", "render", "EndPlate/EndPlate", "--out", out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("("), std::string::npos) << run.out;
    int width = 0, height = 0;
    ASSERT_TRUE(pngSize(readFile(out), width, height));
    // The 480 x 300 picture in a dialog, with the layout's margins around it.
    EXPECT_GE(width, 480);
    EXPECT_GE(height, 300);
    EXPECT_LE(width, 560);
    EXPECT_LE(height, 380);

    // The picture beside the design is no place for the drawing.
    const ToolResult self =
        runTool({"design", "render", (kDesigns / "EndPlate" / "EndPlate.txt").string(), "--out",
                 (kDesigns / "EndPlate" / "EndPlate.bmp").string()});
    EXPECT_EQ(self.code, 2) << self.err;
}
#endif

} // namespace
