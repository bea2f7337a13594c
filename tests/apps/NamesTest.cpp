// Names beyond ASCII through every command, as a user in a European locale
// gives them: in UTF-8, in 8-bit bytes, and names that 8-bit text cannot
// hold; and no command writes over one of its own inputs.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace tooltest;
namespace fs = std::filesystem;

namespace {

// UTF-8 spellings of the names used below.
const std::string kLibrary = "Biblioth\xC3\xA8que"; // Bibliothèque
const std::string kCells = "Donn\xC3\xA9"
                           "es \xE2\x82\xAC.cells";                 // Données €.cells
const std::string kSheet = "R\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC.kss"; // Résumé €.kss
const std::string kMacro = "Tr\xC3\xA4ger-\xC3\x9C";                // Träger-Ü

struct Step {
    const char* what;
    std::vector<std::string> args;
    int code;
    std::string written; ///< a file or folder the step makes, as named on disk
    std::string printed; ///< a part of stdout
};

class Names : public ::testing::Test {
protected:
    TempFolder folder;

    void SetUp() override {
        fs::copy(kSample / "library", folder.path() / kLibrary, fs::copy_options::recursive);
        // The sample drawing's first macro gets a name beyond ASCII.
        const fs::path drawing = folder.path() / kLibrary / "Drawings" / "sample.vtxd";
        std::string text = readFile(drawing);
        const std::string from = "\"name\": \"EP-1\"";
        ASSERT_NE(text.find(from), std::string::npos);
        text.replace(text.find(from), from.size(), "\"name\": \"" + kMacro + "\"");
        std::ofstream(drawing, std::ios::binary) << text;
        fs::copy_file(kTestData / "apps" / "small.cells", folder.path() / kCells);
    }

    void run(const Step& step) {
        SCOPED_TRACE(step.what);
        const ToolResult result = runTool(step.args, folder.path());
        EXPECT_EQ(result.code, step.code) << result.err;
        if (step.code != 0) {
            EXPECT_EQ(result.errLines(), 1) << result.err;
        }
        if (!step.written.empty()) {
            EXPECT_TRUE(fs::exists(folder.path() / step.written)) << step.written;
        }
        EXPECT_NE(result.out.find(step.printed), std::string::npos) << result.out;
    }

    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
};

TEST_F(Names, Utf8NamesAreOneNameOnDiskThroughEveryCommand) {
    const std::string csv = "R\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC.csv";
    const std::string bill = "Facture \xC3\xA9.kss";
    const std::string drawing = "Zeichnung \xC3\xBC.vtxd";
    const Step steps[] = {
        {"sheet --import", {"sheet", "--import", kCells, "--out", kSheet, "-q"}, 0, kSheet, ""},
        {"sheet", {"sheet", kSheet, "-q"}, 0, "", kSheet + ": 1 columns"},
        {"export", {"export", kSheet, "--out", csv}, 0, csv, "Exported " + kSheet + " to " + csv},
        {"bench", {"bench", kCells}, 0, "", "\"check\":44"},
        {"bill",
         {"bill", "--lib", kLibrary, "Bills/Hall-7.csv", "--pictures", "--out", bill},
         0,
         "Facture \xC3\xA9 pictures",
         "Written: " + bill},
        {"mapping", {"mapping", "--lib", kLibrary, "--macro", kMacro}, 0, "", "Macro: " + kMacro},
        {"apply",
         {"apply", "--lib", kLibrary, "--macro", kMacro, "--out", drawing},
         0,
         drawing,
         "Written: " + drawing},
    };
    for (const Step& step : steps)
        run(step);
    // Nothing was written under another, garbled name.
    EXPECT_EQ(entries(), (std::set<std::string>{kLibrary, kCells, kSheet, csv, bill,
                                                "Facture \xC3\xA9 pictures", drawing}));
}

TEST_F(Names, EightBitNamesAreFoundByTheirBytesAndNewFilesGetUtf8Names) {
    // The library folder and the files named here are stored in 8-bit bytes
    // (as a program of 8-bit names stores them); the arguments are those
    // bytes, not UTF-8.
    const std::string library = "Biblioth\xE8que";
    fs::rename(folder.path() / kLibrary, folder.path() / library);
    fs::copy_file(folder.path() / kCells, folder.path() / "Donn\xE9"
                                                          "es.cells");
    const Step steps[] = {
        {"sheet --import",
         {"sheet", "--import",
          "Donn\xE9"
          "es.cells",
          "--out", "R\xE9sum\xE9.kss", "-q"},
         0,
         "R\xC3\xA9sum\xC3\xA9.kss",
         ""},
        {"bench",
         {"bench", "Donn\xE9"
                   "es.cells"},
         0,
         "",
         "\"check\":44"},
        {"bill beside its part list",
         {"bill", "--lib", library, "Bills/Hall-7.csv", "-q"},
         0,
         library + "/Bills/Hall-7.kss",
         ""},
        {"bill into the library",
         {"bill", "--lib", library, "Bills/Hall-7.csv", "--out", library + "/Bills/Halle \xC4.kss"},
         0,
         library + "/Bills/Halle \xC3\x84.kss",
         "Written: Biblioth\xC3\xA8que/Bills/Halle \xC3\x84.kss"},
        {"mapping",
         {"mapping", "--lib", library, "--macro", "Tr\xE4ger-\xDC"},
         0,
         "",
         "Macro: " + kMacro},
        {"apply over the drawing",
         {"apply", "--lib", library, "--macro", "Tr\xE4ger-\xDC", "-q"},
         0,
         library + "/Drawings/sample.vtxd",
         ""},
    };
    for (const Step& step : steps)
        run(step);
    // A sheet file stored under an 8-bit name is read and exported, and
    // shown in UTF-8.
    fs::copy_file(folder.path() / "R\xC3\xA9sum\xC3\xA9.kss", folder.path() / "Lat\xE9.kss");
    run({"sheet", {"sheet", "Lat\xE9.kss", "-q"}, 0, "", "Lat\xC3\xA9.kss: 1 columns"});
    run({"export", {"export", "Lat\xE9.kss", "-o", "Lat\xE9.csv", "-q"}, 0, "Lat\xC3\xA9.csv", ""});
    EXPECT_FALSE(fs::exists(folder.path() / kLibrary)) << "no second library folder";
}

TEST_F(Names, NamesThatEightBitTextCannotHoldAreRefusedByName) {
    const std::string japan = "\xE6\x97\xA5\xE6\x9C\xAC";
    const std::string zhe = "\xD0\x96";
    fs::create_directory(folder.path() / zhe);
    const std::set<std::string> before = entries();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"sheet", japan + ".kss"}, japan},
        {{"sheet", "--import", kCells, "--out", japan + ".kss"}, japan},
        {{"sheet", "--import", zhe + ".cells", "--out", "x.kss"}, zhe},
        {{"export", japan + ".kss", "--out", "x.csv"}, japan},
        {{"export", "x.kss", "--out", zhe + ".csv"}, zhe},
        {{"bench", japan + ".cells"}, japan},
        {{"bill", "--lib", kLibrary, japan + ".csv"}, japan},
        {{"bill", "--lib", kLibrary, "Bills/Hall-7.csv", "--out", japan + ".kss"}, japan},
        {{"bill", "--lib", kLibrary, "Bills/Hall-7.csv", "--settings", zhe}, zhe},
        {{"mapping", "--lib", kLibrary, "--macro", japan}, japan},
        {{"mapping", "--lib", kLibrary, "--drawing", zhe + ".vtxd"}, zhe},
        {{"apply", "--lib", kLibrary, "--macro", zhe}, zhe},
        {{"apply", "--lib", kLibrary, "--out", japan + ".vtxd"}, japan},
        {{"apply", "--lib", zhe}, zhe},
    };
    for (const auto& [args, name] : cases) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args.back());
        const ToolResult result = runTool(args, folder.path());
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.errLines(), 1) << result.err;
        EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("outside Windows-1252"), std::string::npos) << result.err;
    }
    EXPECT_EQ(entries(), before);
}

TEST_F(Names, NoCommandWritesOverItsOwnInput) {
    ASSERT_EQ(runTool({"sheet", "--import", kCells, "-o", "in.kss", "-q"}, folder.path()).code, 0);
    fs::create_directory(folder.path() / "sub");
    fs::create_hard_link(folder.path() / "in.kss", folder.path() / "hard.kss");
    fs::create_symlink(kCells, folder.path() / "link.cells");
    fs::copy_file(folder.path() / kLibrary / "Bills" / "Hall-7.csv", folder.path() / "P\xE9.csv");
    const std::string standard = kLibrary + "/Connection Standards/EndPlate/EP-Bolted.kss";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"sheet", "--import", kCells, "--out", "./" + kCells}, kCells},
        {{"sheet", "--import", "link.cells", "--out", kCells}, kCells},
        {{"export", "in.kss", "--format", "csv", "--out", "hard.kss"}, "in.kss"},
        {{"export", "in.kss", "--format", "csv", "--out", "sub/../in.kss"}, "in.kss"},
        // The 8-bit part list named in UTF-8 is the same file.
        {{"bill", "P\xE9.csv", "--out", "P\xC3\xA9.csv"}, "P\xE9.csv"},
        {{"bill", "--lib", kLibrary, "Bills/Hall-7.csv", "--out", kLibrary + "/Bills/Hall-7.csv"},
         kLibrary + "/Bills/Hall-7.csv"},
        // apply writes its drawing back; not over a standard it read.
        {{"apply", "--lib", kLibrary, "--macro", kMacro, "--out", standard}, standard},
    };
    for (const auto& [args, input] : cases) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args.back());
        const std::string content = readFile(folder.path() / input);
        const ToolResult result = runTool(args, folder.path());
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.errLines(), 1) << result.err;
        EXPECT_NE(result.err.find("is the same file as"), std::string::npos) << result.err;
        EXPECT_EQ(readFile(folder.path() / input), content);
    }
    const Step writeBack{"apply over the drawing under another spelling",
                         {"apply", "--lib", kLibrary, "--macro", kMacro, "-q", "--out",
                          kLibrary + "/Drawings/../Drawings/sample.vtxd"},
                         0,
                         "",
                         ""};
    run(writeBack);
}

} // namespace
