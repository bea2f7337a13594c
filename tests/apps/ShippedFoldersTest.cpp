// Where vtxss finds its library when none is named: a copy of the program
// laid out as an install (bin/ and share/vtxss/ under one prefix) reads the
// library beside it, through a link too; the build tree's program reads the
// source tree's sample; --lib still wins.
#include "ToolRun.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tooltest;

namespace {

class ShippedFolders : public ::testing::Test {
protected:
    void SetUp() override {
        program = prefix.path() / "bin" / "vtxss";
        const fs::path data = (program.parent_path() / VTX_DATA_FROM_BIN).lexically_normal();
        fs::create_directories(program.parent_path());
        fs::create_directories(data);
        fs::copy_file(VTXSS_BINARY, program);
        fs::copy(kSample / "library", data / "library", fs::copy_options::recursive);
        fs::copy(kSample / "install", data / "install", fs::copy_options::recursive);
        // A part list that only the installed library holds.
        fs::copy_file(kSample / "library" / "Bills" / "Hall-7.csv",
                      data / "library" / "only-installed.csv");
    }

    TempFolder prefix;
    TempFolder work;
    fs::path program;
};

TEST_F(ShippedFolders, InstalledProgramReadsTheLibraryBesideIt) {
    // A bill made of a part list named relative to the library folder.
    const std::vector<std::string> billOf{"bill", "only-installed.csv", "-o", "out.kss", "-q"};
    const ToolResult installed = runProgram(program, billOf, work.path());
    EXPECT_EQ(installed.code, 0) << installed.err;
    EXPECT_NE(readFile(work.path() / "out.kss").find("Sample hall 7"), std::string::npos);

    // Started through a link in another folder, it still looks beside the
    // program itself.
    const fs::path link = work.path() / "vtxss";
    fs::create_symlink(program, link);
    const ToolResult linked = runProgram(link, billOf, work.path());
    EXPECT_EQ(linked.code, 0) << linked.err;

    // The build tree's program reads the source tree's sample.
    const ToolResult built = runTool(billOf, work.path());
    EXPECT_EQ(built.code, 1) << built.out;

    // --lib names the library whatever is installed.
    std::vector<std::string> named = billOf;
    named.insert(named.end(), {"--lib", (kSample / "library").string()});
    EXPECT_EQ(runProgram(program, named, work.path()).code, 1);
    named[1] = "Bills/Hall-7.csv";
    const ToolResult sample = runProgram(program, named, work.path());
    EXPECT_EQ(sample.code, 0) << sample.err;
}

} // namespace
