#include "CoreTestSupport.h"

#include "platform/core/Files.h"
#include "platform/core/MacroModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const Vtx_String kSample = Vtx_String(VTX_SAMPLE_DIR) + "/library/Drawings/sample.vtxd";
const std::string kBadFiles = std::string(VTX_TEST_DATA) + "/core/drawings/";

std::string bytesOf(const Vtx_String& path) {
    std::string bytes;
    readFileBytes(path, bytes);
    return bytes;
}

TEST(DrawingFile, SampleHoldsTheThreeConnections) {
    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(kSample, db, reason), eOk) << reason.str();

    Vtx_DbMacro* endPlate = db.findMacro("ep-1");
    ASSERT_NE(endPlate, nullptr);
    ASSERT_NE(db.findMacro("FP-1"), nullptr);
    ASSERT_NE(db.findMacro("BP-1"), nullptr);

    Vtx_StringArray names;
    ASSERT_EQ(getModNamesOfGroup(endPlate->macro(), "EndPlate", names), eOk);
    EXPECT_EQ(names, (Vtx_StringArray{"EndPlate", "Bolts"}));

    Vtx_ObjectId beam;
    Vtx_String section;
    Vtx_String material;
    ASSERT_EQ(getBaseProf(endPlate, 1, beam), eOk);
    ASSERT_EQ(getSectionName(beam, section), eOk);
    ASSERT_EQ(getMaterial(beam, material), eOk);
    EXPECT_EQ(section, "HEA 200");
    EXPECT_EQ(material, "S355");

    auto* bolts = dynamic_cast<Vtx_BoltModule*>(endPlate->macroWrite()->findModuleWrite("Bolts"));
    ASSERT_NE(bolts, nullptr);
    EXPECT_EQ(bolts->boltData().diameter, "20");
    Vtx_ObjectId rows;
    Vtx_BoltPattern* pattern = nullptr;
    ASSERT_EQ(findPattern(bolts, "BoltRows", rows), eOk);
    ASSERT_EQ(getPattern(rows, pattern), eOk);
    EXPECT_EQ(pattern->type, Vtx_PatternType::TwoDirectional);
    EXPECT_EQ(pattern->nrBolts2, "3");

    double gap = 0;
    EXPECT_EQ(endPlate->macro()->generalVariableValue("gen_Gap", gap), eOk);
    EXPECT_EQ(gap, 10);
}

TEST(DrawingFile, SampleIsWrittenBackByteForByte) {
    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(kSample, db, reason), eOk) << reason.str();
    CoreTempFolder folder;
    ASSERT_EQ(writeDrawingFile(folder.file("copy.vtxd"), db, reason), eOk) << reason.str();
    EXPECT_EQ(folder.get("copy.vtxd"), bytesOf(kSample));
}

TEST(DrawingFile, EveryByteAndNumberSurvivesARoundTrip) {
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        allBytes += static_cast<char>(c);
    Vtx_Database db;
    Vtx_ObjectId profile = db.addProfile({Vtx_String(allBytes), "S355 \x95\x83\xBF"});
    Vtx_BoltPattern rows;
    rows.name = "Rows \xE9";
    rows.type = Vtx_PatternType::TwoDirectional;
    rows.nrBolts1 = "n+1";
    rows.reverseStart2 = true;
    rows.spacing1 = 0.1;
    rows.spacing2 = -1e-300;
    Vtx_ObjectId pattern = db.addPattern(rows);
    Vtx_Macro* macro = db.addMacro("M\x80")->macroWrite();
    macro->setGeneralVariable("gen_Big", 1152921504606846976.0); // 2^60
    macro->setGeneralVariable("gen_NegZero", -0.0);
    macro->setGeneralVariable("gen_Third", 1.0 / 3.0);
    macro->baseProfiles().push_back(profile);
    macro->standards().push_back({"Sub\\Std \xFC", "Module.EndPlate"});
    auto* bolts = static_cast<Vtx_BoltModule*>(
        macro->addModule(std::make_unique<Vtx_BoltModule>("Bolts\t1", "")));
    bolts->patternIds().push_back(pattern);
    bolts->variables().push_back({"V\n", 7.1, false, true, true, false});
    bolts->cuts().push_back({"C", kCutFull, {0, 0, 0, 0, 0, 0, 1.5, 2.5, 3.5}});
    auto* profiles = static_cast<Vtx_ProfModule*>(
        macro->addModule(std::make_unique<Vtx_ProfModule>("Profiles", "G")));
    profiles->profArray().push_back({"Flange", "Top flange", profile});
    profiles->profArray().push_back({"Loose", "", Vtx_ObjectId()});

    CoreTempFolder folder;
    Vtx_String reason;
    ASSERT_EQ(writeDrawingFile(folder.file("a.vtxd"), db, reason), eOk) << reason.str();
    Vtx_Database back;
    ASSERT_EQ(readDrawingFile(folder.file("a.vtxd"), back, reason), eOk) << reason.str();
    ASSERT_EQ(writeDrawingFile(folder.file("b.vtxd"), back, reason), eOk) << reason.str();
    EXPECT_EQ(folder.get("a.vtxd"), folder.get("b.vtxd"));

    EXPECT_EQ(back.profiles().at(profile.handle()).sectionName.str(), allBytes);
    const Vtx_Macro* read = back.findMacro("m\x80")->macro();
    double value = 0;
    read->generalVariableValue("gen_Big", value);
    EXPECT_EQ(value, 1152921504606846976.0);
    read->generalVariableValue("gen_NegZero", value);
    EXPECT_TRUE(value == 0 && std::signbit(value));
    read->generalVariableValue("gen_Third", value);
    EXPECT_EQ(value, 1.0 / 3.0);
    const auto* readBolts = dynamic_cast<const Vtx_BoltModule*>(read->findModule("Bolts\t1"));
    ASSERT_NE(readBolts, nullptr);
    EXPECT_EQ(readBolts->variables()[0].name, "V\n");
    EXPECT_FALSE(readBolts->variables()[0].visible);
    EXPECT_EQ(readBolts->cuts()[0].offsets[kOffsetRadius], 3.5);
    EXPECT_EQ(back.patterns().at(pattern.handle()).spacing2, -1e-300);
    EXPECT_TRUE(back.patterns().at(pattern.handle()).reverseStart2);
    const auto* readProfiles = dynamic_cast<const Vtx_ProfModule*>(read->findModule("Profiles"));
    ASSERT_NE(readProfiles, nullptr);
    EXPECT_TRUE(readProfiles->profArray()[1].profileId.isNull());
    EXPECT_EQ(read->standards()[0].mappingKey, "Module.EndPlate");

    // New objects continue above the handles read from the file.
    EXPECT_GT(back.addProfile({"IPE 200", "S235"}).handle(), pattern.handle());
}

struct BadFile {
    const char* name;
    const char* line; ///< "line N" expected in the reason, or "" when none
    const char* says; ///< a fragment of the reason
};

class BadDrawingFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadDrawingFile, FailsWithFileLineAndCauseAndLeavesTheDatabaseEmpty) {
    const BadFile& bad = GetParam();
    Vtx_Database db;
    db.addProfile({"IPE 100", "S235"});
    Vtx_String reason;
    EXPECT_EQ(readDrawingFile(Vtx_String(kBadFiles + bad.name), db, reason), eBadFileFormat);
    EXPECT_TRUE(reason.hasSubString(bad.name)) << reason.str();
    EXPECT_TRUE(reason.hasSubString(bad.line)) << reason.str();
    EXPECT_TRUE(reason.hasSubString(bad.says)) << reason.str();
    EXPECT_TRUE(db.profiles().empty());
    EXPECT_TRUE(db.macros().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BadDrawingFile,
    ::testing::Values(
        BadFile{"syntax-error.vtxd", "line 5:", "invalid JSON"},
        BadFile{"truncated.vtxd", "", "invalid JSON"},
        BadFile{"wrong-format.vtxd", "line 2:", "not a drawing"},
        BadFile{"future-version.vtxd", "line 3:", "version 2 is not supported"},
        BadFile{"dangling-pattern.vtxd", "line 15:", "no bolt pattern has handle 99"},
        BadFile{"dangling-profile.vtxd", "line 11:", "no profile has handle 2"},
        BadFile{"duplicate-handle.vtxd", "line 8:", "handle 1 is used by another object"},
        BadFile{"duplicate-module.vtxd", "line 10:", "module \"endplate\" appears twice"},
        BadFile{"duplicate-key.vtxd", "line 8:", "key \"section\" appears twice"},
        BadFile{"offset-not-offered.vtxd", "line 13:", "offsets.radius"},
        BadFile{"unknown-key.vtxd", "line 13:", "variables[0].valeu: unknown key"},
        BadFile{"wrong-type.vtxd", "line 9:", "generalVariables[0].value: must be a number"},
        BadFile{"outside-1252.vtxd", "line 5:", "outside Windows-1252"},
        BadFile{"deep-nesting.vtxd", "line 1:", "nesting deeper than"}),
    [](const ::testing::TestParamInfo<BadFile>& row) {
        std::string name = row.param.name;
        std::string result;
        for (char c : name.substr(0, name.find('.')))
            if (c != '-')
                result += c;
        return result;
    });

TEST(DrawingFile, EveryTruncationOfTheSampleFailsCleanly) {
    const std::string sample = bytesOf(kSample);
    CoreTempFolder folder;
    for (std::size_t length = 0; length + 2 < sample.size(); length += 101) {
        folder.put("cut.vtxd", sample.substr(0, length));
        Vtx_Database db;
        Vtx_String reason;
        EXPECT_NE(readDrawingFile(folder.file("cut.vtxd"), db, reason), eOk) << length;
        EXPECT_TRUE(reason.hasSubString("cut.vtxd")) << length;
    }
}

TEST(DrawingFile, MissingFileIsNamedInTheReason) {
    Vtx_Database db;
    Vtx_String reason;
    EXPECT_EQ(readDrawingFile(Vtx_String(kBadFiles + "absent.vtxd"), db, reason), eFileNotFound);
    EXPECT_TRUE(reason.hasSubString("absent.vtxd"));
}

TEST(DrawingFile, UnwritableDrawingLeavesTheOldFileAlone) {
    CoreTempFolder folder;
    folder.put("old.vtxd", "old content");
    Vtx_String reason;

    Vtx_Database other;
    Vtx_ObjectId foreign = other.addPattern({});
    Vtx_Database dangling;
    auto* bolts = static_cast<Vtx_BoltModule*>(dangling.addMacro("M")->macroWrite()->addModule(
        std::make_unique<Vtx_BoltModule>("Bolts", "")));
    bolts->patternIds().push_back(foreign);
    EXPECT_NE(writeDrawingFile(folder.file("old.vtxd"), dangling, reason), eOk);
    EXPECT_TRUE(reason.hasSubString("bolt pattern")) << reason.str();

    Vtx_Database nullReference;
    nullReference.addMacro("M")->macroWrite()->baseProfiles().push_back(Vtx_ObjectId());
    EXPECT_NE(writeDrawingFile(folder.file("old.vtxd"), nullReference, reason), eOk);

    Vtx_Database notFinite;
    notFinite.addMacro("M")
        ->macroWrite()
        ->addModule(std::make_unique<Vtx_PlateModule>("Plate", ""))
        ->variables()
        .push_back({"Width", std::nan(""), true, true, false, true});
    EXPECT_NE(writeDrawingFile(folder.file("old.vtxd"), notFinite, reason), eOk);
    EXPECT_TRUE(reason.hasSubString("not finite")) << reason.str();

    Vtx_Database renamed;
    Vtx_Macro* macro = renamed.addMacro("M")->macroWrite();
    macro->addModule(std::make_unique<Vtx_PlateModule>("A", ""));
    macro->addModule(std::make_unique<Vtx_PlateModule>("B", ""))->setName("a");
    EXPECT_NE(writeDrawingFile(folder.file("old.vtxd"), renamed, reason), eOk);
    EXPECT_TRUE(reason.hasSubString("modules[1].name")) << reason.str();

    EXPECT_EQ(folder.get("old.vtxd"), "old content");
    EXPECT_EQ(folder.entryCount(), 1) << "no temporary file is left behind";
}

} // namespace
