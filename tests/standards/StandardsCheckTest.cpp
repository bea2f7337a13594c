// The author's checks: the shipped library is clean, and each mistake an
// author can make in a standard, made in a small library of its own, is
// found with its file, line and cell.

#include "MacroFixture.h"

#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "standards/DataFiles.h"
#include "standards/FileTextCache.h"
#include "standards/StandardsCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// A valid standard: the cell lines of a test replace or extend it.
const char* const kBase = "cell 1 1 t=\"Input\"\n"
                          "cell 1 2 t=\"Double A\"\n"
                          "cell 1 3 t=\"Output\"\n"
                          "cell 1 4 t=\"Double X\"\n"
                          "cell 1 5 t=\"Calc\"\n";

struct Faulty {
    const char* name;
    std::string cells;                        ///< the cell lines of T.kss (size 4 x 12)
    std::map<std::string, std::string> files; ///< further files, by path under the library
    const char* file;                         ///< the file the problem is in (name's end)
    int line;
    const char* cell;
    const char* message; ///< a part of the problem's text
};

class StandardsCheck : public ::testing::Test {
protected:
    void SetUp() override {
        m_lib = makeTempDir("vtx-check");
        gSettings.setLibDir(Vtx_String(m_lib.string()));
        standards::forgetCachedFile();
        dataFileCache().clear();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_lib, ec);
        standards::forgetCachedFile();
    }

    void write(const std::string& relative, const std::string& text) {
        const fs::path file = m_lib / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    // A standard under "Connection Standards/" with the given cell lines.
    void writeSheet(const std::string& name, const std::string& cells) {
        write("Connection Standards/" + name, "VTXSHEET 1\nsize 4 12\n" + cells + "end\n");
    }

    fs::path m_lib;
};

class FaultyStandard : public StandardsCheck, public ::testing::WithParamInterface<Faulty> {};

TEST_P(FaultyStandard, IsFoundWithItsPlace) {
    const Faulty& fault = GetParam();
    writeSheet("T.kss", fault.cells);
    for (const auto& [path, text] : fault.files)
        write(path, text);
    const std::vector<CheckProblem> found = checkLibraryStandards({});
    bool seen = false;
    for (const CheckProblem& problem : found)
        seen = seen || (problem.file.endsWith(fault.file) && problem.line == fault.line &&
                        problem.cell == fault.cell && problem.message.hasSubString(fault.message));
    std::string all;
    for (const CheckProblem& problem : found)
        all += problem.text().str() + "\n";
    EXPECT_TRUE(seen) << "wanted " << fault.file << ":" << fault.line << ": " << fault.cell
                      << ": ..." << fault.message << "...\ngot:\n"
                      << all;
}

std::string with(const std::string& more) {
    return std::string(kBase) + more;
}

const Faulty kFaults[] = {
    {"NoInput",
     "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double X\"\ncell 1 5 t=\"Calc\"\n"
     "cell 1 6 t=\"X=1\"\n",
     {},
     "T.kss",
     0,
     "",
     "has no Input label"},
    {"NoCalc",
     "cell 1 1 t=\"Input\"\ncell 1 2 t=\"Double A\"\ncell 1 3 t=\"Output\"\n"
     "cell 1 4 t=\"Double X\"\n",
     {},
     "T.kss",
     0,
     "",
     "has no Calc label"},
    {"LabelTwice",
     with("cell 1 6 t=\"X=A\"\ncell 2 6 t=\"input\"\n"),
     {},
     "T.kss",
     9,
     "B6",
     "the label Input stands twice"},
    {"LabelBelowCalc",
     with("cell 1 6 t=\"X=A\"\ncell 1 7 t=\"Local\"\n"),
     {},
     "T.kss",
     9,
     "A7",
     "stands below Calc"},
    {"DeclaredTwice",
     with("cell 2 4 t=\"String a\"\ncell 1 6 t=\"X=A\"\n"),
     {},
     "T.kss",
     8,
     "B4",
     "the variable a is declared twice (first in A2)"},
    {"UnknownType",
     with("cell 2 2 t=\"Integer N\"\ncell 1 6 t=\"X=A\"\n"),
     {},
     "T.kss",
     8,
     "B2",
     "unknown type 'Integer' (read as Int)"},
    {"NoDeclaration",
     with("cell 2 2 t=\"Float N\"\ncell 1 6 t=\"X=A\"\n"),
     {},
     "T.kss",
     8,
     "B2",
     "'Float N' is no declaration"},
    {"NoName",
     with("cell 2 2 t=\"Double\"\ncell 1 6 t=\"X=A\"\n"),
     {},
     "T.kss",
     8,
     "B2",
     "without a name"},
    {"DoesNotParse",
     with("cell 1 6 t=\"X=(A*2\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "the formula does not read"},
    {"UndeclaredName",
     with("cell 1 6 t=\"X=A+Depth+gen_Gap\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "uses Depth, which is neither declared nor a general variable"},
    {"UndeclaredTarget",
     with("cell 1 6 t=\"X=A\"\ncell 1 7 t=\"Y=A\"\n"),
     {},
     "T.kss",
     9,
     "A7",
     "assigns Y, which is not declared"},
    {"NoEquation",
     with("cell 1 6 t=\"X=A\"\ncell 1 7 t=\"X plus one\"\n"),
     {},
     "T.kss",
     9,
     "A7",
     "is no equation"},
    {"UnknownFunction",
     with("cell 1 6 t=\"X=ROUNDUPTO(A,5)\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "calls ROUNDUPTO, which is no function"},
    {"ArgumentCount",
     with("cell 1 6 t=\"X=ROUNDTO(A)\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "ROUNDTO takes 2 arguments, not 1"},
    {"OutputNeverAssigned",
     with("cell 2 4 t=\"Double Y\"\ncell 1 6 t=\"X=A\"\n"),
     {},
     "T.kss",
     8,
     "B4",
     "the output Y is never assigned"},
    {"MissingChild",
     with("cell 1 6 t=\"CallChild(\\\"Nope.kss\\\",A,X)\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "the child spreadsheet Nope.kss does not exist"},
    {"ChildArgumentUndeclared",
     with("cell 1 6 t=\"CallChild(\\\"C.kss\\\",A,Z)\"\n"),
     {{"Connection Standards/Childs/C.kss",
       "VTXSHEET 1\nsize 1 5\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double P\"\n"
       "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double R\"\ncell 1 5 t=\"Calc\"\nend\n"}},
     "T.kss",
     8,
     "A6",
     "CallChild passes Z, which is not declared"},
    {"ChildArgumentCount",
     with("cell 1 6 t=\"CallChild(\\\"C.kss\\\",A)\"\ncell 1 7 t=\"X=A\"\n"),
     {{"Connection Standards/Childs/C.kss",
       "VTXSHEET 1\nsize 1 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double P\"\n"
       "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double R\"\ncell 1 5 t=\"Calc\"\n"
       "cell 1 6 t=\"R=P\"\nend\n"}},
     "T.kss",
     8,
     "A6",
     "CallChild passes 1 variables"},
    {"ChildOutputIntoInput",
     with("cell 1 6 t=\"CallChild(\\\"C.kss\\\",X,A)\"\n"),
     {{"Connection Standards/Childs/C.kss",
       "VTXSHEET 1\nsize 1 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double P\"\n"
       "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double R\"\ncell 1 5 t=\"Calc\"\n"
       "cell 1 6 t=\"R=P\"\nend\n"}},
     "T.kss",
     8,
     "A6",
     "would write the output R"},
    {"ChildCycle",
     with("cell 1 6 t=\"CallChild(\\\"C.kss\\\",A,X)\"\n"),
     {{"Connection Standards/Childs/C.kss",
       "VTXSHEET 1\nsize 1 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double P\"\n"
       "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double R\"\ncell 1 5 t=\"Calc\"\n"
       "cell 1 6 t=\"CallChild(\\\"T.kss\\\",P,R)\"\nend\n"}},
     "T.kss",
     8,
     "A6",
     "call each other in a cycle"},
    {"CallsItself",
     with("cell 1 6 t=\"CallChild(\\\"T.kss\\\",A,X)\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "calls itself"},
    {"DataFileMissing",
     with("cell 1 6 t=\"X=TONUMBER(GETCELL(\\\"None.txt\\\",A))\"\n"),
     {},
     "T.kss",
     8,
     "A6",
     "the data file None.txt is not found"},
    {"DuplicateKey",
     with("cell 1 6 t=\"X=TONUMBER(GETCELL(\\\"K.txt\\\",A))\"\n"),
     {{"Connection Standards/Data/K.txt", "// keys\n12\t1\n16\t2\n12\t3\n"}},
     "K.txt",
     4,
     "",
     "the key '12' stands twice (first on line 2)"},
    {"KeyWithoutValue",
     with("cell 1 6 t=\"X=TONUMBER(GETCELL(\\\"K.txt\\\",A))\"\n"),
     {{"Connection Standards/Data/K.txt", "12\t1\n16\n"}},
     "K.txt",
     2,
     "",
     "has no value"},
    {"ValueNoNumber",
     with("cell 1 6 t=\"X=TONUMBER(GETCELL(\\\"K.txt\\\",A))\"\n"),
     {{"Connection Standards/Data/K.txt", "12\t1\n16\t2,5\n"}},
     "K.txt",
     2,
     "",
     "the value '2,5' of the key '16' is no number"},
    {"SizeNoNumber",
     with("cell 1 6 t=\"X=STDSIZEWITHTOLERANCE(\\\"S.txt\\\",1,A,0,5)\"\n"),
     {{"Connection Standards/Data/S.txt", "/* sizes */\n8\n100X10\n"}},
     "S.txt",
     3,
     "",
     "the size '100X10' does not read"},
    {"SizesDescend",
     with("cell 1 6 t=\"X=STDSIZEWITHTOLERANCE(\\\"S.txt\\\",1,A,0,5)\"\n"),
     {{"Connection Standards/Data/S.txt", "8\n12\n10\n"}},
     "S.txt",
     3,
     "",
     "the size 10 comes after 12"},
    {"ThicknessesDescend",
     with("cell 1 6 t=\"X=STDTHICKNESSWITHTOLERANCE(\\\"S.txt\\\",1,A,0,5)\"\n"),
     {{"Connection Standards/Data/S.txt", "140x12\n160x12\n140x10\n"}},
     "S.txt",
     3,
     "",
     "the thickness 10 comes after the thickness 12"},
    {"MappedUndeclared",
     with("cell 1 6 t=\"X=A\"\n"),
     {{"Connection Standards/T.map", "Mapping version 1.0\r\n"
                                     "k1=A\x83P\x95"
                                     "Distance A\xBFW\x83P\x95"
                                     "Distance W\r\n"}},
     "T.map",
     2,
     "",
     "maps W, which"},
    {"MappedOtherType",
     with("cell 1 6 t=\"X=A\"\n"),
     {{"Connection Standards/T.map", "Mapping version 1.0\r\n"
                                     "k1=A\x83\x95PrPlName Prof0\xBFX\x83P\x95"
                                     "Distance X\r\n"}},
     "T.map",
     2,
     "",
     "maps the Double variable A to Prof0 (PrPlName), which holds a String"},
    {"MappingItemUnread",
     with("cell 1 6 t=\"X=A\"\n"),
     {{"Connection Standards/T.map", "Mapping version 1.0\r\n"
                                     "k1=A\x83P\x95Length A\xBFX\x83P\x95"
                                     "Distance X\r\n"}},
     "T.map",
     2,
     "",
     "the object of A does not read"},
    {"InputNotMapped",
     with("cell 1 6 t=\"X=A\"\n"),
     {{"Connection Standards/T.map", "Mapping version 1.0\r\nk1=X\x83P\x95"
                                     "Distance X\r\n"}},
     "T.map",
     2,
     "",
     "the input A is not mapped under the key k1"},
};

INSTANTIATE_TEST_SUITE_P(Mistakes, FaultyStandard, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Faulty>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(StandardsCheck, AValidStandardHasNoProblem) {
    writeSheet("T.kss", with("cell 1 6 t=\"X=ROUNDTO(A*2+gen_Gap,5)\"\n"));
    const std::vector<CheckProblem> found = checkLibraryStandards({});
    EXPECT_TRUE(found.empty()) << found.front().text().str();
}

TEST_F(StandardsCheck, ProblemsComeByFileInLineOrder) {
    writeSheet("T.kss", with("cell 1 6 t=\"X=Q\"\ncell 1 7 t=\"junk\"\ncell 2 2 t=\"Float F\"\n"));
    const std::vector<CheckProblem> found = checkLibraryStandards({});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_LT(found[0].line, found[1].line);
    EXPECT_LT(found[1].line, found[2].line);
    EXPECT_TRUE(found[0].text().endsWith("T.kss:8: A6: uses Q, which is neither declared nor a "
                                         "general variable (gen_...)"))
        << found[0].text().str();
}

TEST(SampleLibraryCheck, TheShippedLibraryIsClean) {
    gSettings.setLibDir(VTX_SAMPLE_DIR "/library/");
    resetSectionTableManager();
    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(VTX_SAMPLE_DIR "/library/Drawings/sample.vtxd", db, reason), eOk);
    StandardsCheckOptions options;
    options.drawing = &db;
    options.drawingName = "sample.vtxd";
    EXPECT_EQ(libraryStandards().size(), 4u);
    const std::vector<CheckProblem> found = checkLibraryStandards(options);
    EXPECT_TRUE(found.empty()) << found.front().text().str();
}

TEST(SampleLibraryCheck, AMappingKeyNoMacroUsesIsFound) {
    // The fin plate's mapping checked against a drawing without the macro
    // that uses its key.
    gSettings.setLibDir(VTX_SAMPLE_DIR "/library/");
    Vtx_Database db;
    db.addMacro("Other");
    StandardsCheckOptions options;
    options.drawing = &db;
    options.drawingName = "empty.vtxd";
    const std::vector<CheckProblem> found = checkStandards(
        {VTX_SAMPLE_DIR "/library/Connection Standards/FinPlate/FP-Standard.kss"}, options);
    bool key = false;
    bool object = false;
    for (const CheckProblem& problem : found) {
        key = key || problem.message.hasSubString("no macro of empty.vtxd uses the key");
        object = object || problem.message.hasSubString("which no macro of empty.vtxd has");
    }
    EXPECT_TRUE(key);
    EXPECT_TRUE(object);
}

} // namespace
