#include "EvaluationFixture.h"

#include "platform/core/Settings.h"
#include "standards/FileTextCache.h"
#include "standards/KsSSDlgsMgr.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

TEST_F(Evaluation, AStandardFillsInputsEvaluatesEquationsAndWritesOutputs) {
    map("Simple", {{"Height", "EndPlate", "Height", kKindDistance},
                   {"Count", "ColumnPlate", "Gap", kKindDistance},
                   {"Width", "EndPlate", "Width", kKindDistance},
                   {"Label", "EndPlate", "Flange", kKindOwnedMemberName}});
    KsStandardsDialog dialog;
    dialog.data() = data;
    ASSERT_EQ(dialog.evaluate(), eOk);

    EXPECT_EQ(formulaAt(dialog, 1, 8), Vtx_String("A2*2")) << "Tmp=Height*2, Height in A2";
    EXPECT_EQ(formulaAt(dialog, 1, 9), Vtx_String("A6+B2"));
    EXPECT_EQ(formulaAt(dialog, 2, 11), Vtx_String("IF(A4>=800,A4+5,0)"))
        << "the general variable was replaced before the rewrite; >= survives";
    EXPECT_EQ(variable("Plate", "Width"), 815) << "400*2 + 10, then + gen_Gap";
    Vtx_String memberName;
    KsObjectMap flange;
    flange.objectName = "EndPlate";
    flange.subName = "Flange";
    flange.kind = kKindOwnedMemberName;
    ASSERT_EQ(flange.getMacroVarValue(dbMacro, &macroData, memberName, nullptr), eOk);
    EXPECT_EQ(memberName, Vtx_String("W810")) << "Label was computed before Width changed again";

    const KsVarCells& vars = dialog.data().varCells;
    ASSERT_EQ(vars.length(), 5) << "inputs, outputs, then locals";
    EXPECT_EQ(vars[0].name, Vtx_String("Height"));
    EXPECT_EQ(vars[4].name, Vtx_String("Tmp"));
    double width = 0;
    ASSERT_TRUE(vars[2].value.toDouble(width));
    EXPECT_EQ(width, 815);

    // Two equations failed and were reported; the run went on after each.
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("The following equation failed:\nnot an equation\nSpreadsheet : ", 0),
              0u);
    EXPECT_NE(shown[0].find("(line: 11)"), std::string::npos);
    EXPECT_EQ(shown[1].rfind("The following equation failed:\nNothing = 1/0\n", 0), 0u);
}

TEST_F(Evaluation, DiagnosticsOffShowsNoEquationMessages) {
    gSettings.current.standardsDiagnostics = false;
    map("Simple", {{"Height", "EndPlate", "Height", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_TRUE(messages().empty());
}

TEST_F(Evaluation, MissingMacroVariablesAreReportedAndKeepTheirValue) {
    map("Simple", {{"Height", "EndPlate", "NoSuchVariable", kKindDistance},
                   {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    const auto shown = messages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], "The following Input variable couldn't be retrieved : \nHeight\n"
                        "Make sure the variable exists in the macro or module.\n"
                        "Spreadsheet : Simple");
    EXPECT_EQ(variable("Plate", "Width"), 0) << "Height empty -> Tmp 0 -> Width 0 -> IF(...,0)";
}

TEST_F(Evaluation, GeneralVariablesAreReplacedAsWholeWordsAndQuotedWhenText) {
    map("GenVars", {{"Kind", "EndPlate", "Flange", kKindOwnedMemberName},
                    {"Gap", "ColumnPlate", "Gap", kKindDistance}});
    KsStandardsDialog dialog;
    dialog.data() = data;
    ASSERT_EQ(dialog.evaluate(), eOk);
    Vtx_String text;
    dialog.sheet().getCellText(2, 7, text, kTextData);
    EXPECT_EQ(text, Vtx_String("gen_TypeX stays, \"Steel\" goes"));
    EXPECT_EQ(variable("ColumnPlate", "Gap"), 10);
    int kind = -1;
    ASSERT_EQ(dialog.data().varCells.findVarCell("Kind", kind), eOk);
    EXPECT_EQ(dialog.data().varCells[kind].value, Vtx_String("Steel/gen_TypeX"));
}

TEST_F(Evaluation, ChildSpreadsheetsPairVariablesByPositionAndReuseThePool) {
    map("Parent", {{"A", "EndPlate", "Height", kKindDistance},
                   {"B", "ColumnPlate", "Gap", kKindDistance},
                   {"Sum", "EndPlate", "Width", kKindDistance},
                   {"Product", "EndPlate", "Weld", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 415) << "400 + 10 + gen_Gap from the child";
    EXPECT_EQ(variable("Plate", "Weld"), 4415);
    EXPECT_EQ(gSSDlgsMgr.count(), 2) << "parent and child each took a dialog";
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(gSSDlgsMgr.count(), 2) << "the second run reuses both";
    EXPECT_TRUE(messages().empty());
}

TEST_F(Evaluation, AChildOutputIsNeverWrittenToAnInputOfTheCaller) {
    map("OutputToInput",
        {{"A", "EndPlate", "Height", kKindDistance}, {"Sum", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data)) << "a failed equation does not fail the run";
    EXPECT_EQ(variable("Plate", "Height"), 400);
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 2u) << "B is not mapped, and the call fails";
    EXPECT_NE(shown[1].find("CallChild(\"Child.kss\",A,B,A)"), std::string::npos);
}

TEST_F(Evaluation, ChildCallCyclesAreRefusedNotFollowed) {
    map("CycleA", {{"A", "EndPlate", "Height", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    bool reported = false;
    for (const Vtx_String& line : host.commandLine().errorLines())
        reported = reported || line.hasSubString("cycle");
    EXPECT_TRUE(reported);
    EXPECT_EQ(gSSDlgsMgr.count(), 2) << "A and B, never A again";
    EXPECT_EQ(messages().size(), 2u) << "the failing call in B and then in A";

    host.commandLine().clear();
    map("Self", {{"A", "EndPlate", "Height", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    ASSERT_EQ(host.commandLine().errorLines().length(), 1);
    EXPECT_TRUE(host.commandLine().errorLines()[0].hasSubString("calls itself"));
}

TEST_F(Evaluation, DuplicateVariablesAreReportedAlwaysAndTheFirstIsUsed) {
    gSettings.current.standardsDiagnostics = false;
    map("Duplicates", {{"Width", "EndPlate", "Width", kKindDistance},
                       {"Height", "EndPlate", "Height", kKindDistance}});
    KsStandardsDialog dialog;
    dialog.data() = data;
    ASSERT_EQ(dialog.evaluate(), eOk);
    const auto& records = host.batchPrompter().messages();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].caption, Vtx_String("Variable names must be unique"));
    EXPECT_NE(records[0].text.find("Duplicate variable names:\n\nwidth\n"), -1);
    EXPECT_EQ(variable("Plate", "Height"), 600) << "Width (input, 200) * 3";
    EXPECT_EQ(dialog.data().varCells.length(), 2);
}

TEST_F(Evaluation, AFailedRunLeavesTheCallersRecordAlone) {
    map("NoCalc", {{"Height", "EndPlate", "Height", kKindDistance}});
    KsDlgStandardsData before = data;
    EXPECT_FALSE(StartDlgStandardsSS(data)) << "no Calc section";
    EXPECT_EQ(data.varCells.length(), before.varCells.length());
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);

    data.spreadsheetName = "Missing";
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_EQ(data.spreadsheetName, Vtx_String("Missing"));
    data.spreadsheetName = "Simple";
    data.transaction = nullptr;
    EXPECT_FALSE(StartDlgStandardsSS(data)) << "a macro evaluation needs a transaction";
}

TEST_F(Evaluation, AMappingFileWithoutTheKeyLeavesValuesAlone) {
    map("Simple", {{"Height", "EndPlate", "Height", kKindDistance}});
    data.mappingKey = "unknown";
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 200) << "no mapping: no output is written";
}

TEST_F(Evaluation, ModuleGroupModeReachesVariablesByTheirNames) {
    ASSERT_EQ(data.initialize(dbMacro, "Simple", "Module.EndPlate", &macroData), eOk);
    data.transaction = &transaction;
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 805) << "Height 400 by name, Count unknown";
}

TEST_F(Evaluation, ASpreadsheetChangedOnDiskIsUsedAtTheNextRun) {
    map("Simple", {{"Height", "EndPlate", "Height", kKindDistance},
                   {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 805);
    const fs::path sheet = libDir / "Connection Standards" / "Simple.kss";
    std::ifstream in(sheet, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string from = "Tmp=Height*2";
    text.replace(text.find(from), from.size(), "Tmp=Height*3");
    const auto before = fs::last_write_time(sheet);
    std::ofstream(sheet, std::ios::binary) << text;
    // Same size: only the time tells the change, so make sure it moved even
    // on a file system with coarse timestamps.
    fs::last_write_time(sheet, before + std::chrono::seconds(2));
    module("Plate")->findVariable("Height")->value = 400;
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 1205) << "400*3 + gen_Gap";
}

// A spreadsheet is parsed once per version of its file; the runs work on
// copies, so what one run writes into its grid never reaches the next.
TEST_F(Evaluation, RunsCopyTheParsedSpreadsheetAndLeaveItAlone) {
    const Vtx_String path = Vtx_String((libDir / "Connection Standards" / "Simple.kss").string());
    const auto first = standards::cachedSheet(path);
    ASSERT_TRUE(first);
    const std::string pristine = first->saveToText();
    map("Simple", {{"Height", "EndPlate", "Height", kKindDistance},
                   {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 805);
    EXPECT_EQ(standards::cachedSheet(path), first) << "unchanged file, same parse";
    EXPECT_EQ(first->saveToText(), pristine);

    const fs::path damaged = libDir / "Connection Standards" / "Damaged.kss";
    std::ofstream(damaged, std::ios::binary) << "VTXSHEET 1\nsize 2 2\nbogus\nend\n";
    Vtx_String reason;
    EXPECT_FALSE(standards::cachedSheet(Vtx_String(damaged.string()), &reason));
    EXPECT_TRUE(reason.hasSubString("Damaged.kss:3")) << reason.c_str();
}

TEST_F(Evaluation, AnOutputOfTheCallerCanFeedAChildInput) {
    map("OutputAsInput", {{"A", "EndPlate", "Height", kKindDistance},
                          {"B", "ColumnPlate", "Gap", kKindDistance},
                          {"Sum", "EndPlate", "Width", kKindDistance},
                          {"Product", "EndPlate", "Weld", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 401);
    EXPECT_EQ(variable("Plate", "Weld"), 401 + 10 + 5) << "the child's s = x + y + gen_Gap";
    EXPECT_TRUE(messages().empty());
}
