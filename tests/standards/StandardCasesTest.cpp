// Regression cases of standards: the case-file format, and cases run
// through the real evaluation of the sample standards.

#include "standards/StandardCases.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "standards/DataFiles.h"
#include "standards/KsSSDlgsMgr.h"

#include <gtest/gtest.h>

namespace {

const char* const kSpacing = VTX_SAMPLE_DIR "/library/Connection Standards/Childs/BoltSpacing.kss";

TEST(CaseFile, ReadsCasesWithTheirTolerances) {
    CaseFile cases;
    Vtx_String error;
    ASSERT_TRUE(parseCaseFile("# cases\ntolerance 0.5\n\ncase one\n  input A = 1\n"
                              "  general gen_G = \"  x \"\n  expect X = \"\"\n"
                              "case two\ntolerance 0\ninput A=2\nexpect X = 4\n",
                              "t.cases", cases, error))
        << error.str();
    ASSERT_EQ(cases.cases.size(), 2u);
    const StandardCase& one = cases.cases[0];
    EXPECT_EQ(one.name, "one");
    EXPECT_EQ(one.line, 4);
    EXPECT_EQ(one.tolerance, 0.5);
    EXPECT_EQ(one.generals[0].value, "  x ");
    EXPECT_EQ(one.expects[0].value, "");
    EXPECT_EQ(one.expects[0].line, 7);
    EXPECT_EQ(cases.cases[1].tolerance, 0);
    EXPECT_EQ(cases.cases[1].inputs[0].value, "2");
}

struct Malformed {
    const char* text;
    const char* error;
};

class MalformedCaseFile : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedCaseFile, IsRefusedWithItsLine) {
    CaseFile cases;
    Vtx_String error;
    EXPECT_FALSE(parseCaseFile(GetParam().text, "t.cases", cases, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedCaseFile,
    ::testing::Values(
        Malformed{"input A = 1\n", "t.cases:1: 'input' before the first 'case' line"},
        Malformed{"case a\nexpect X 3\n", "t.cases:2: 'expect X 3' needs '= value': 'expect "
                                          "NAME = VALUE'"},
        Malformed{"case a\nexpect X=1\noutput Y=2\n",
                  "t.cases:3: unknown line 'output Y=2'; a line is 'case', 'input', 'general', "
                  "'expect', 'tolerance' or a '#' comment"},
        Malformed{"case a\ninput A=1\ninput a=2\nexpect X=1\n",
                  "t.cases:3: a is given twice in this case (first on line 2)"},
        Malformed{"case a\nexpect X=1\ncase a\nexpect X=2\n",
                  "t.cases:3: the case 'a' is given twice (first on line 1)"},
        Malformed{"case\n", "t.cases:1: a case needs a name: 'case NAME'"},
        Malformed{"tolerance -1\n", "t.cases:1: the tolerance '-1' is no number of 0 or more"},
        Malformed{"case a\ninput A=1\n", "t.cases:1: the case 'a' has no expect line"},
        Malformed{"# nothing\n", "t.cases:0: no case in the file"}));

TEST(CaseValues, NumbersMatchWithinTheToleranceTextsExactly) {
    EXPECT_TRUE(caseValuesMatch("70", "70.0000000", 1e-6));
    EXPECT_TRUE(caseValuesMatch("0.3", "0.30000001", 1e-6));
    EXPECT_FALSE(caseValuesMatch("0.3", "0.301", 1e-6));
    EXPECT_TRUE(caseValuesMatch("0.3", "0.301", 0.01));
    EXPECT_TRUE(caseValuesMatch("IPE 300", "IPE 300", 1));
    EXPECT_FALSE(caseValuesMatch("IPE 300", "ipe 300", 1));
    EXPECT_FALSE(caseValuesMatch("", "0", 1));
}

class SampleCases : public ::testing::Test {
protected:
    void SetUp() override {
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library/");
        resetSectionTableManager();
        dataFileCache().clear();
    }
    void TearDown() override { gSSDlgsMgr.destroyAll(); }

    std::vector<CaseResult> run(const char* text, const char* sheet = kSpacing) {
        CaseFile cases;
        Vtx_String error;
        EXPECT_TRUE(parseCaseFile(text, "t.cases", cases, error)) << error.str();
        std::vector<CaseResult> results;
        EXPECT_TRUE(runCases(sheet, cases, results, error)) << error.str();
        return results;
    }
};

TEST_F(SampleCases, ACaseRunsThroughTheEvaluation) {
    const auto results = run("case a\ninput Depth=300\ninput Flange=10.7\ninput Rows=4\n"
                             "input Edge=35\nexpect Pitch=70\n"
                             "case b\ninput Depth=300\ninput Flange=10.7\ninput Rows=4\n"
                             "input Edge=35\nexpect Pitch=75\n");
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].passed());
    EXPECT_FALSE(results[1].passed());
    EXPECT_TRUE(results[1].evaluated);
    EXPECT_EQ(results[1].values[0].actual, "70");
    EXPECT_EQ(results[1].values[0].expected, "75");
}

TEST_F(SampleCases, InputsNotGivenAreEmpty) {
    // Rows empty: not more than one row, so no pitch.
    const auto results = run("case a\ninput Depth=300\nexpect Pitch=0\n");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].passed()) << results[0].values[0].actual.str();
}

TEST_F(SampleCases, GeneralVariablesReachTheEquations) {
    const auto results =
        run("case a\ninput BeamSection=IPE 300\ninput BoltDia=20\ngeneral gen_Gap=30\n"
            "general gen_Clearance=15\nexpect PlateWidth=100\n",
            VTX_SAMPLE_DIR "/library/Connection Standards/FinPlate/FP-Standard.kss");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].passed()) << results[0].values[0].actual.str();
}

TEST_F(SampleCases, NamesThatAreNoInputOrOutputAreRefusedWithTheirLine) {
    CaseFile cases;
    Vtx_String error;
    std::vector<CaseResult> results;
    ASSERT_TRUE(parseCaseFile("case a\ninput Pitch=1\nexpect Pitch=2\n", "t.cases", cases, error));
    EXPECT_FALSE(runCases(kSpacing, cases, results, error));
    EXPECT_EQ(error, "t.cases:2: Pitch is not an input of the spreadsheet");
    ASSERT_TRUE(parseCaseFile("case a\ninput Rows=1\nexpect Depth=2\n", "t.cases", cases, error));
    EXPECT_FALSE(runCases(kSpacing, cases, results, error));
    EXPECT_EQ(error, "t.cases:3: Depth is not an output of the spreadsheet");
    EXPECT_TRUE(results.empty());
}

} // namespace
