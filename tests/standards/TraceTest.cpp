// The trace of a standards evaluation on the real engine: the sample
// end-plate standard and small standards written into a temporary library.

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "standards/DataFiles.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsTraceRecorder.h"
#include "standards/StandardCases.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char* const kEndPlate = VTX_SAMPLE_DIR "/library/Connection Standards/EndPlate/EP-Bolted.kss";

class Trace : public ::testing::Test {
protected:
    void SetUp() override {
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library/");
        resetSectionTableManager();
        dataFileCache().clear();
    }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        resetSectionTableManager();
        if (!folder.empty())
            fs::remove_all(folder);
    }

    // Runs the first case of the sheet's case file (or the given case) with
    // the recorder installed.
    void run(const Vtx_String& sheet, const CaseFile* given = nullptr) {
        CaseFile cases;
        Vtx_String error;
        if (given) {
            cases = *given;
        } else {
            ASSERT_TRUE(readCaseFile(caseFilePath(sheet), cases, error)) << error.str();
            cases.cases.resize(1);
        }
        std::vector<CaseResult> results;
        KsTraceScope scope(recorder);
        ASSERT_TRUE(runCases(sheet, cases, results, error)) << error.str();
    }
    const KsTracedEquation& last(const char* variable) {
        const std::vector<const KsTracedEquation*> behind =
            equationsBehind(recorder.sheets().front(), variable);
        EXPECT_FALSE(behind.empty()) << variable;
        return *behind.back();
    }
    // A library folder of its own with the files given.
    void write(const std::string& name, const std::string& text) {
        if (folder.empty()) {
            folder = fs::temp_directory_path() / ("vtx-trace-" + std::to_string(::getpid()));
            fs::create_directories(folder / "Connection Standards" / "Data");
            gSettings.setLibDir(Vtx_String(folder.string() + "/"));
        }
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    Vtx_String path(const std::string& name) const { return Vtx_String((folder / name).string()); }

    KsTraceRecorder recorder;
    fs::path folder;
};

TEST_F(Trace, ATableLookUpNamesTheDataFileLineItMatched) {
    run(kEndPlate);
    ASSERT_EQ(recorder.sheets().size(), 1u);
    const KsTracedEquation& edge = last("EdgeDist");
    EXPECT_EQ(edge.row, 14);
    EXPECT_EQ(edge.line, 32) << "the line of the file that holds cell A14";
    EXPECT_EQ(edge.written,
              "EdgeDist=TONUMBER(GETCELL(\"EdgeDistances.txt\",gen_BoltGrade,BoltDia))");
    EXPECT_EQ(edge.formula, "TONUMBER(GETCELL(\"EdgeDistances.txt\",8.8,C3))");
    ASSERT_EQ(edge.operands.size(), 1u);
    EXPECT_EQ(edge.operands[0].name, "BoltDia");
    EXPECT_EQ(edge.operands[0].value, "20");
    ASSERT_EQ(edge.calls.size(), 2u) << "GETCELL, then TONUMBER of its result";
    const KsTraceCall& lookUp = edge.calls[0];
    EXPECT_EQ(lookUp.function, "GETCELL");
    EXPECT_EQ(lookUp.result, "\"35\"");
    ASSERT_TRUE(lookUp.hasRow);
    EXPECT_TRUE(lookUp.row.file.endsWith("EdgeDistances.txt"));
    EXPECT_EQ(lookUp.row.line, 10) << "8.8;20 stands on line 10, after three comment lines";
    EXPECT_EQ(lookUp.row.key, "8.8;20");
    EXPECT_EQ(edge.value, "35");
    EXPECT_EQ(recorder.firstFailure(), nullptr);
}

TEST_F(Trace, ASizeSnapShowsFromAndToAndTheSizeFileLine) {
    run(kEndPlate);
    const KsTraceCall& height = last("PlateHeight").calls.front();
    ASSERT_TRUE(height.hasSnap);
    EXPECT_EQ(height.snap.kind, "size");
    EXPECT_EQ(height.snap.value, 370) << "300 + 2 * 35";
    EXPECT_EQ(height.snap.result, 380);
    EXPECT_TRUE(height.snap.listed);
    EXPECT_EQ(height.snap.line, 11);
    EXPECT_EQ(height.snap.high, 400);

    // A width is found among the lines of its thickness (or of none).
    const KsTraceCall& width = last("PlateWidth").calls.back();
    ASSERT_TRUE(width.hasSnap);
    EXPECT_EQ(width.snap.result, 180);
    EXPECT_EQ(width.snap.line, 7) << "180x12, not the 180x15 of line 9";
}

TEST_F(Trace, AChildCallShowsTheValuesPassedAndReturned) {
    run(kEndPlate);
    const KsTracedEquation& call = last("Pitch");
    ASSERT_TRUE(call.hasChild);
    EXPECT_TRUE(call.child.path.endsWith("BoltSpacing.kss"));
    ASSERT_EQ(call.child.in.size(), 5u);
    EXPECT_EQ(call.child.in[3].caller, "EdgeDist");
    EXPECT_EQ(call.child.in[3].child, "Edge");
    EXPECT_EQ(call.child.in[3].value, "35");
    ASSERT_EQ(call.child.out.size(), 1u);
    EXPECT_EQ(call.child.out[0].caller, "Pitch");
    EXPECT_EQ(call.child.out[0].value, "105");
    ASSERT_EQ(call.child.sheets.size(), 1u);
    ASSERT_EQ(call.child.sheets[0].equations.size(), 1u);
    EXPECT_EQ(call.child.sheets[0].equations[0].calls[0].result, "105");
}

TEST_F(Trace, TheEquationsBehindAnOutputAreThoseItsValueCameFrom) {
    run(kEndPlate);
    std::vector<int> rows;
    for (const KsTracedEquation* equation : equationsBehind(recorder.sheets().front(), "Pitch"))
        rows.push_back(equation->row);
    // The child call reads Rows (line 15) and EdgeDist (line 14); the weld,
    // the plate and the holes play no part.
    EXPECT_EQ(rows, (std::vector<int>{14, 15, 21}));
    EXPECT_TRUE(equationsBehind(recorder.sheets().front(), "BoltDia").empty())
        << "an input is set by no equation";
}

TEST_F(Trace, AFailureNamesTheFirstFailingEquationsFileAndLine) {
    write("Connection Standards/Data/Holes.txt", "// holes\n20\t2\n");
    write("Connection Standards/S.kss",
          "VTXSHEET 1\nsize 2 8\n"
          "cell 1 1 t=\"Input\"\ncell 1 2 t=\"Double Dia\"\n"
          "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double Hole\"\ncell 2 4 t=\"Double Edge\"\n"
          "cell 1 5 t=\"Calc\"\n"
          "cell 1 6 t=\"Hole=TONUMBER(GETCELL(\\\"Holes.txt\\\",Dia))\"\n"
          "cell 1 7 t=\"Edge=Undeclared*2\"\n"
          "cell 1 8 t=\"Edge=Hole*2\"\nend\n");
    CaseFile cases{path("Connection Standards/S.cases"), {StandardCase{}}};
    cases.cases[0].name = "t";
    cases.cases[0].inputs.push_back({"Dia", "24", 0});
    run(path("Connection Standards/S.kss"), &cases);
    ASSERT_GE(recorder.failures().size(), 2u);
    const KsTraceFailure& first = *recorder.firstFailure();
    EXPECT_TRUE(first.file.endsWith("S.kss"));
    EXPECT_EQ(first.line, 9) << "the file line of cell A6";
    EXPECT_EQ(first.cell, "A6");
    EXPECT_TRUE(first.message.hasSubString("no row with the key 24")) << first.message.str();
    EXPECT_EQ(recorder.failures()[1].cell, "A7");
    EXPECT_TRUE(recorder.failures()[1].message.hasSubString("Undeclared"));
    EXPECT_EQ(last("Edge").row, 8) << "a failed equation gives its variable no value";
}

TEST_F(Trace, AFailureInsideAChildIsReportedAtTheChildsLine) {
    write("Connection Standards/Child.kss",
          "VTXSHEET 1\nsize 2 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double A\"\n"
          "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double B\"\ncell 1 5 t=\"Calc\"\n"
          "cell 1 6 t=\"B=1/0\"\nend\n");
    write("Connection Standards/P.kss",
          "VTXSHEET 1\nsize 2 6\ncell 1 1 t=\"Input\"\ncell 1 2 t=\"Double X\"\n"
          "cell 1 3 t=\"Output\"\ncell 1 4 t=\"Double Y\"\ncell 1 5 t=\"Calc\"\n"
          "cell 1 6 t=\"CallChild(\\\"Child.kss\\\",X,Y)\"\nend\n");
    CaseFile cases{path("Connection Standards/P.cases"), {StandardCase{}}};
    cases.cases[0].name = "t";
    cases.cases[0].inputs.push_back({"X", "1", 0});
    run(path("Connection Standards/P.kss"), &cases);
    ASSERT_NE(recorder.firstFailure(), nullptr);
    EXPECT_TRUE(recorder.firstFailure()->file.endsWith("Child.kss"));
    EXPECT_EQ(recorder.firstFailure()->line, 8);
    EXPECT_EQ(recorder.firstFailure()->cell, "A6");
    EXPECT_TRUE(recorder.firstFailure()->message.hasSubString("#DIV/0!"))
        << recorder.firstFailure()->message.str();
}

TEST_F(Trace, NothingIsRecordedWithoutAnInstalledSink) {
    EXPECT_EQ(gKsTrace, nullptr);
    {
        KsTraceScope scope(recorder);
        EXPECT_EQ(gKsTrace, &recorder);
    }
    EXPECT_EQ(gKsTrace, nullptr) << "the scope puts back what was installed before";
    CaseFile cases;
    Vtx_String error;
    ASSERT_TRUE(readCaseFile(caseFilePath(kEndPlate), cases, error));
    std::vector<CaseResult> results;
    ASSERT_TRUE(runCases(kEndPlate, cases, results, error));
    EXPECT_TRUE(recorder.sheets().empty());
    EXPECT_TRUE(results.front().passed());
}

} // namespace
