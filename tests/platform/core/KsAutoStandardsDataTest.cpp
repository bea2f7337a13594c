// The general variables of a drawing: the record's equal-length groups, and
// their place in the drawing file.
#include "CoreTestSupport.h"

#include "platform/core/KsAutoStandardsData.h"
#include "platform/core/MacroModel.h"

#include <gtest/gtest.h>

namespace {

const Vtx_String kSample = Vtx_String(VTX_SAMPLE_DIR) + "/library/Drawings/sample.vtxd";

TEST(KsAutoStandardsData, GroupsKeepTheirListsOfEqualLength) {
    KsAutoStandardsData data;
    EXPECT_TRUE(data.isEmpty());
    EXPECT_FALSE(data.setDwgGenGroup({"Grade", "Coat"}, {"S355"}, {"", ""}));
    EXPECT_FALSE(data.setStdGenGroup({"a"}, {"1"}, {}, {""}));
    EXPECT_TRUE(data.isEmpty()) << "a refused group changes nothing";

    ASSERT_TRUE(data.setDwgGenGroup({"Grade", "Coat"}, {"S355", "Paint"}, {"", "Hall A"}));
    EXPECT_TRUE(data.setDwgGenValues({"S275", "Zinc"}));
    EXPECT_FALSE(data.setDwgGenFilters({"x"})) << "one list cannot change the row count";
    EXPECT_FALSE(data.setDwgGenVars({"a", "b", "c"}));
    EXPECT_EQ(data.dwgGenValues(), (Vtx_StringArray{"S275", "Zinc"}));
    EXPECT_EQ(data.dwgGenFilters(), (Vtx_StringArray{"", "Hall A"}));

    EXPECT_FALSE(data.setStdGenOverrides({"1"})) << "the standards group has no rows yet";
    data.appendStdGen("gen_Gap", "12", "1", "Sub\\a.vtxd");
    EXPECT_TRUE(data.setStdGenOverrides({"0"}));
    EXPECT_EQ(data.stdGenCount(), 1);
    EXPECT_EQ(data.stdGenFilters()[0], "Sub\\a.vtxd");

    KsAutoStandardsData copy = data;
    EXPECT_EQ(copy, data);
    copy.setStdGenValues({"13"});
    EXPECT_FALSE(copy == data);
    copy.clear();
    EXPECT_TRUE(copy.isEmpty());
}

TEST(KsAutoStandardsData, DrawingKeepsItsGeneralVariablesInItsFile) {
    Vtx_Database db;
    db.addMacro("M");
    KsAutoStandardsData& data = db.autoStandardsData();
    data.appendDwgGen("Grade", "S355", "");
    data.appendDwgGen("Grade", "S275 \xE9", "Hall A;Sub\\b.vtxd"); // one name, two filters
    data.appendStdGen("gen_Gap", "", "1", "");

    CoreTempFolder folder;
    Vtx_String reason;
    ASSERT_EQ(writeDrawingFile(folder.file("a.vtxd"), db, reason), eOk) << reason.str();
    Vtx_Database back;
    ASSERT_EQ(readDrawingFile(folder.file("a.vtxd"), back, reason), eOk) << reason.str();
    EXPECT_EQ(back.autoStandardsData(), data);
    ASSERT_EQ(writeDrawingFile(folder.file("b.vtxd"), back, reason), eOk) << reason.str();
    EXPECT_EQ(folder.get("a.vtxd"), folder.get("b.vtxd"));

    back.clear();
    EXPECT_TRUE(back.autoStandardsData().isEmpty()) << "clearing the drawing forgets them";
}

TEST(KsAutoStandardsData, DrawingWithoutGeneralVariablesReadsAndIsWrittenWithout) {
    CoreTempFolder folder;
    const std::string old = "{\n  \"format\": \"vtx-drawing\",\n  \"version\": 1,\n"
                            "  \"macros\": [{\"handle\": 1, \"name\": \"M\"}]\n}\n";
    folder.put("old.vtxd", old);
    Vtx_Database db;
    db.autoStandardsData().appendDwgGen("stale", "", "");
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(folder.file("old.vtxd"), db, reason), eOk) << reason.str();
    EXPECT_TRUE(db.autoStandardsData().isEmpty());
    ASSERT_EQ(writeDrawingFile(folder.file("new.vtxd"), db, reason), eOk) << reason.str();
    EXPECT_EQ(folder.get("new.vtxd").find("generalVariables\": {"), std::string::npos);
}

TEST(KsAutoStandardsData, SampleDrawingHasDrawingAndStandardsVariables) {
    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(kSample, db, reason), eOk) << reason.str();
    const KsAutoStandardsData& data = db.autoStandardsData();
    ASSERT_GE(data.dwgGenCount(), 1);
    EXPECT_EQ(data.dwgGenVars()[0], "Grade");
    EXPECT_EQ(data.dwgGenValues()[0], "S355");
    EXPECT_EQ(data.dwgGenFilters()[0], "");
    EXPECT_GE(data.stdGenCount(), 1);
}

TEST(KsAutoStandardsData, BadGeneralVariablesAreRefusedWithTheirPlace) {
    CoreTempFolder folder;
    const std::string head = "{\n  \"format\": \"vtx-drawing\",\n  \"version\": 1,\n"
                             "  \"generalVariables\": {\n    \"drawings\": [\n";
    folder.put("unnamed.vtxd", head + "      {\"name\": \"\", \"value\": \"1\"}\n    ]\n  }\n}\n");
    folder.put("number.vtxd", head + "      {\"name\": \"a\", \"value\": 1}\n    ]\n  }\n}\n");
    folder.put("misspelt.vtxd",
               head + "      {\"name\": \"a\", \"filtre\": \"\"}\n    ]\n  }\n}\n");
    struct Case {
        const char* file;
        const char* says;
    };
    for (const Case& bad :
         {Case{"unnamed.vtxd", "line 6: generalVariables.drawings[0].name: must not be empty"},
          Case{"number.vtxd", "generalVariables.drawings[0].value: must be a string"},
          Case{"misspelt.vtxd", "generalVariables.drawings[0].filtre: unknown key"}}) {
        Vtx_Database db;
        Vtx_String reason;
        EXPECT_EQ(readDrawingFile(folder.file(bad.file), db, reason), eBadFileFormat);
        EXPECT_TRUE(reason.hasSubString(bad.says)) << reason.str();
        EXPECT_TRUE(db.autoStandardsData().isEmpty());
    }

    Vtx_Database unnamed;
    unnamed.autoStandardsData().appendStdGen("", "1", "", "");
    Vtx_String reason;
    EXPECT_NE(writeDrawingFile(folder.file("out.vtxd"), unnamed, reason), eOk);
    EXPECT_TRUE(reason.hasSubString("standards[0].name")) << reason.str();
}

} // namespace
