// What a variable takes from an equation or the macro: no value, whole
// numbers for Int variables, values its cell refuses, and the names that an
// equation's variables are replaced by.

#include "EvaluationFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

Vtx_String memberName(Vtx_DbMacro* dbMacro, MacroData& macroData, const char* placement) {
    KsObjectMap object;
    object.objectName = "EndPlate";
    object.subName = placement;
    object.kind = kKindOwnedMemberName;
    Vtx_String name;
    EXPECT_EQ(object.getMacroVarValue(dbMacro, &macroData, name, nullptr), eOk);
    return name;
}

} // namespace

TEST_F(Evaluation, NoValueIsTheEmptyValueAndIsNullSeesIt) {
    map("NoValue", {{"Label", "EndPlate", "Flange", kKindOwnedMemberName},
                    {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_EQ(memberName(dbMacro, macroData, "Flange"), Vtx_String("FL1"));
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_TRUE(messages().empty()) << "no equation failed: " << messages().front();
    EXPECT_EQ(variable("Plate", "Width"), 111) << "ISNULL of the empty local, of GETSYSNAME(\"\") "
                                                  "and of an item outside the list";
    int item = -1;
    ASSERT_EQ(data.varCells.findVarCell("Item", item), eOk);
    EXPECT_EQ(data.varCells[item].value, Vtx_String(""));
    EXPECT_EQ(memberName(dbMacro, macroData, "Flange"), Vtx_String(""))
        << "the output took the empty value instead of keeping the macro's";
}

TEST_F(Evaluation, AGridDeclaredHugeIsReadByItsCells) {
    // Sections, declarations, general variables and equations are found
    // among the cells that exist: a standard declaring 16,384 columns and
    // 1,048,576 rows around a few cells is evaluated as fast as a small one.
    map("Huge", {{"Height", "EndPlate", "Height", kKindDistance},
                 {"Count", "ColumnPlate", "Gap", kKindDistance},
                 {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 815);
}

TEST_F(Evaluation, IntVariablesHoldTheWholeNumberTheMacroReceives) {
    map("IntRounding", {{"Height", "EndPlate", "Height", kKindDistance},
                        {"Size", "", "gen_Width", kKindGenVar},
                        {"Rows", "EndPlate", "Thickness", kKindDistance},
                        {"Width", "EndPlate", "Width", kKindDistance},
                        {"Weld", "EndPlate", "Weld", kKindDistance}});
    module("Plate")->findVariable("Height")->value = 400; // Rows = 12.5
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Thickness"), 13) << "12.5 is shown, and written, as 13";
    EXPECT_EQ(variable("Plate", "Width"), 26) << "Rows*2 uses the 13 the macro got";
    EXPECT_EQ(variable("Plate", "Weld"), 26) << "the input gen_Width 12.5 is 13 as well";
    int rows = -1;
    ASSERT_EQ(data.varCells.findVarCell("Rows", rows), eOk);
    EXPECT_EQ(data.varCells[rows].value, Vtx_String("13"));
    int size = -1;
    ASSERT_EQ(data.varCells.findVarCell("Size", size), eOk);
    EXPECT_EQ(data.varCells[size].value, Vtx_String("13"));
}

TEST_F(Evaluation, ValuesACellRefusesAreReportedWithTheVariableAndTheValue) {
    map("Refused", {{"Height", "EndPlate", "Height", kKindDistance},
                    {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 200) << "the text result was not taken";
    EXPECT_NE(host.commandLine().text().find("*Error* The Double variable Width (cell A4) cannot "
                                             "take the value wide: it is not a number."),
              std::string::npos)
        << host.commandLine().text();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("The following equation failed:\nWidth = \"wide\"", 0), 0u);

    // A macro value beyond the number cell's bounds fails the run, with a reason.
    host.commandLine().clear();
    module("Plate")->findVariable("Height")->value = 1e15;
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_NE(host.commandLine().text().find("*Error* The Double variable Height (cell A2) cannot "
                                             "take the value 1000000000000000"),
              std::string::npos)
        << host.commandLine().text();
    EXPECT_NE(host.commandLine().text().find("-99999999999999 to 99999999999999"),
              std::string::npos);
}

// The same equation gives the same result whatever other names the sheet
// declares: a name that is not a plain word must not change the rule.
TEST_F(Evaluation, NamesAreReplacedByOneRuleWhateverTheOtherNames) {
    map("NameOrder", {{"Height", "EndPlate", "Height", kKindDistance},
                      {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 8) << "Height -> A2 -> A6 (the local A2), 7 + 1";

    const auto sheet = libDir / "Connection Standards" / "NameOrder.kss";
    std::ifstream in(sheet, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    text.replace(text.find("end\n"), 4, "cell 2 6 t=\"Double Plate.Gap\"\nend\n");
    std::ofstream(libDir / "Connection Standards" / "NameOrderDotted.kss", std::ios::binary)
        << text;
    module("Plate")->findVariable("Width")->value = 200;
    map("NameOrderDotted", {{"Height", "EndPlate", "Height", kKindDistance},
                            {"Width", "EndPlate", "Width", kKindDistance}});
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(variable("Plate", "Width"), 8);
}

TEST_F(Evaluation, AGeneralVariableMentioningALaterOneIsExpanded) {
    map("GenVars", {{"Kind", "EndPlate", "Flange", kKindOwnedMemberName}});
    data.genVarNames = Vtx_StringArray{"gen_Type", "gen_Gap"};
    data.genVarValues = Vtx_StringArray{"Steel gen_Gap", "5"};
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(memberName(dbMacro, macroData, "Flange"), Vtx_String("Steel 5/gen_TypeX"))
        << "Kind=gen_Type&\"/\"&\"gen_TypeX\": gen_Gap in gen_Type's value was replaced too";
}
