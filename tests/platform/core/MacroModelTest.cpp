#include "CoreTestSupport.h"

#include "platform/core/MacroModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

/// A small end-plate macro: a plate and a bolt module in group "EndPlate", a
/// profile module of its own, two patterns and two base profiles.
class MacroModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_beam = m_db.addProfile({"IPE 300", "S235"});
        m_column = m_db.addProfile({"HEA 200", "S355"});
        m_stiffener = m_db.addProfile({"PL 10x90", "S355"});
        Vtx_BoltPattern rows{"BoltRows", Vtx_PatternType::TwoDirectional, "2", "3"};
        Vtx_BoltPattern extra{"ExtraRow", Vtx_PatternType::OneDirectional, "2"};
        m_rows = m_db.addPattern(rows);
        m_extra = m_db.addPattern(extra);

        m_dbMacro = m_db.addMacro("EP-1");
        m_macro = m_dbMacro->macroWrite();
        m_macro->baseProfiles() = {m_beam, m_column};
        m_plate = m_macro->addModule(std::make_unique<Vtx_PlateModule>("EndPlate", "EndPlate"));
        m_plate->variables().push_back({"Thickness", 15, true, true, true, true});
        m_plate->variables().push_back({"Area", 80000, false, false});
        m_plate->cuts().push_back({"Corner", kCutChamfer, {}});
        m_bolts = static_cast<Vtx_BoltModule*>(
            m_macro->addModule(std::make_unique<Vtx_BoltModule>("Bolts", "endplate")));
        m_bolts->patternIds() = {m_rows, m_extra};
        m_profiles = static_cast<Vtx_ProfModule*>(
            m_macro->addModule(std::make_unique<Vtx_ProfModule>("Stiffeners", "")));
        m_profiles->profArray().push_back({"Stiffener", "Stiffener", m_stiffener});
        m_profiles->cuts().push_back({"Cope", kCutCope, {}});
    }

    Vtx_Database m_db;
    Vtx_ObjectId m_beam, m_column, m_stiffener, m_rows, m_extra;
    Vtx_DbMacro* m_dbMacro = nullptr;
    Vtx_Macro* m_macro = nullptr;
    Vtx_Module* m_plate = nullptr;
    Vtx_BoltModule* m_bolts = nullptr;
    Vtx_ProfModule* m_profiles = nullptr;
};

TEST_F(MacroModelTest, HandlesAreUniqueAcrossKindsAndNeverReused) {
    EXPECT_TRUE(m_db.addPatternWithHandle(m_beam.handle(), {}).isNull());
    EXPECT_TRUE(m_db.addProfileWithHandle(m_dbMacro->objectId().handle(), {}).isNull());
    EXPECT_TRUE(m_db.addProfileWithHandle(0, {}).isNull());
    EXPECT_EQ(m_db.addMacroWithHandle(m_rows.handle(), "Other"), nullptr);

    Vtx_ObjectId far = m_db.addProfileWithHandle(100, {"HEB 240", "S355"});
    ASSERT_FALSE(far.isNull());
    EXPECT_EQ(m_db.addPattern({}).handle(), 101);

    Vtx_Database other;
    EXPECT_EQ(other.profile(m_beam), nullptr) << "an id of another database opens nothing";
    EXPECT_EQ(m_db.pattern(m_beam), nullptr) << "a profile is not a pattern";
}

TEST_F(MacroModelTest, NamesOfMacrosAndModulesAreUniqueIgnoringCase) {
    EXPECT_EQ(m_db.addMacro("ep-1"), nullptr);
    EXPECT_EQ(m_db.addMacro(""), nullptr);
    EXPECT_EQ(m_db.findMacro("Ep-1"), m_dbMacro);
    EXPECT_EQ(m_macro->addModule(std::make_unique<Vtx_Module>("BOLTS", "")), nullptr);
    EXPECT_EQ(m_macro->addModule(std::make_unique<Vtx_Module>("", "G")), nullptr);
    EXPECT_EQ(m_macro->addModule(nullptr), nullptr);
    EXPECT_EQ(m_macro->modules().size(), 3u);
}

TEST_F(MacroModelTest, OpenModuleUsesTheIndexOnlyWithoutAName) {
    Vtx_Module* module = nullptr;
    ASSERT_EQ(openModule(m_macro, "bolts", module, 0), eOk);
    EXPECT_EQ(module, m_bolts);
    ASSERT_EQ(openModule(m_macro, "", module, 2), eOk);
    EXPECT_EQ(module, m_profiles);
    module = nullptr;
    EXPECT_EQ(openModule(m_macro, "Missing", module, 0), eKeyNotFound);
    EXPECT_EQ(openModule(m_macro, "", module, 3), eInvalidIndex);
    EXPECT_EQ(openModule(m_macro, "", module), eInvalidIndex);
    EXPECT_EQ(module, nullptr);
    EXPECT_EQ(openModule(nullptr, "Bolts", module), eNullPtr);
}

TEST_F(MacroModelTest, ModulesOfAGroupFollowTheirTabNames) {
    Vtx_StringArray names{"stale"};
    ASSERT_EQ(getModNamesOfGroup(m_macro, "ENDPLATE", names), eOk);
    EXPECT_EQ(names, (Vtx_StringArray{"EndPlate", "Bolts"}));
    ASSERT_EQ(getModNamesOfGroup(m_macro, "Stiffeners", names), eOk)
        << "a module without group is its own group";
    EXPECT_EQ(names, (Vtx_StringArray{"Stiffeners"}));
    EXPECT_EQ(getModNamesOfGroup(m_macro, "", names), eOk);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(getModNamesOfGroup(m_macro, "Bolts", names), eKeyNotFound)
        << "a module with a group is not reached by its own name";
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(MacroModelTest, DialogVariablesReadAsShortestTextAndWriteOnlyNumbers) {
    Vtx_StringArray names;
    Vtx_Array<bool> visible, driving;
    ASSERT_EQ(getDialogVariables(m_plate, names, visible, driving), eOk);
    EXPECT_EQ(names, (Vtx_StringArray{"Thickness", "Area"}));
    EXPECT_EQ(visible, (Vtx_Array<bool>{true, false}));
    EXPECT_EQ(driving, (Vtx_Array<bool>{true, false}));

    Vtx_String value = "7.1";
    ASSERT_EQ(getSetConstrVarValue(m_plate, "thickness", value, false), eOk);
    value.clear();
    ASSERT_EQ(getSetConstrVarValue(m_plate, "Thickness", value, true), eOk);
    EXPECT_EQ(value, "7.1");
    m_plate->findVariable("Area")->value = 0.1 + 0.2;
    ASSERT_EQ(getSetConstrVarValue(m_plate, "Area", value, true), eOk);
    double back = 0;
    ASSERT_TRUE(value.toDouble(back));
    EXPECT_EQ(back, 0.1 + 0.2) << "the text reads back to the exact value";

    for (const char* bad : {"12mm", "", "inf", "nan", "1e999"}) {
        value = bad;
        EXPECT_EQ(getSetConstrVarValue(m_plate, "Thickness", value, false), eInvalidInput) << bad;
    }
    EXPECT_EQ(m_plate->findVariable("Thickness")->value, 7.1);
    EXPECT_EQ(getSetConstrVarValue(m_plate, "Missing", value, true), eKeyNotFound);
}

TEST(CutOffsets, EachCutTypeOffersItsOffsets) {
    const std::vector<std::pair<int, Vtx_Array<int>>> rows = {
        {kCutStraight, {kOffsetCut}},
        {kCutPolygon, {kOffsetPoly, kOffsetLength}},
        {kCutCope, {kOffsetCut, kOffsetInside, kOffsetOutside, kOffsetRadius}},
        {kCutCenter, {kOffsetLength, kOffsetCenter}},
        {kCutChamfer, {kOffsetChamfer1, kOffsetChamfer2}},
        {kCutFull, {kOffsetCut, kOffsetChamfer1, kOffsetChamfer2, kOffsetRadius}},
    };
    for (const auto& [type, expected] : rows) {
        Vtx_Array<int> offsets;
        ASSERT_EQ(getCutOffsets(type, offsets), eOk);
        EXPECT_EQ(offsets, expected) << "cut type " << type;
    }
    Vtx_Array<int> offsets{1};
    EXPECT_EQ(getCutOffsets(6, offsets), eInvalidInput);
    EXPECT_EQ(getCutOffsets(-1, offsets), eInvalidInput);
    EXPECT_TRUE(offsets.isEmpty());
}

TEST_F(MacroModelTest, CutValuesExistOnlyForOffsetsTheCutOffers) {
    Vtx_CutConstraint* cope = nullptr;
    ASSERT_EQ(getCutConstraint(m_profiles, "COPE", cope), eOk);
    double value = 110;
    ASSERT_EQ(getSetCutValue(m_profiles, cope, kOffsetInside, value, false), eOk);
    value = 0;
    ASSERT_EQ(getSetCutValue(m_profiles, cope, kOffsetInside, value, true), eOk);
    EXPECT_EQ(value, 110);

    value = 5;
    EXPECT_EQ(getSetCutValue(m_profiles, cope, kOffsetChamfer1, value, false), eNotApplicable);
    EXPECT_EQ(cope->offsets[kOffsetChamfer1], 0);
    EXPECT_EQ(getSetCutValue(m_profiles, cope, 9, value, true), eOutOfRange);
    EXPECT_EQ(getSetCutValue(m_plate, cope, kOffsetInside, value, true), eInvalidInput)
        << "the cut belongs to another module";
    value = std::nan("");
    EXPECT_EQ(getSetCutValue(m_profiles, cope, kOffsetInside, value, false), eInvalidInput);

    Vtx_StringArray names;
    Vtx_Array<int> types;
    ASSERT_EQ(getCutConstraints(m_profiles, names, types), eOk);
    EXPECT_EQ(names, (Vtx_StringArray{"Cope"}));
    EXPECT_EQ(types, (Vtx_Array<int>{kCutCope}));
    EXPECT_EQ(getCutConstraint(m_plate, "Cope", cope), eKeyNotFound);
}

TEST_F(MacroModelTest, ReverseStartOfTheSecondDirectionNeedsATwoWayPattern) {
    Vtx_ObjectId id;
    ASSERT_EQ(findPattern(m_bolts, "boltrows", id), eOk);
    EXPECT_EQ(id, m_rows);
    bool reverse = true;
    ASSERT_EQ(getSetBoltPatternReverses(m_bolts, m_rows, false, false, reverse), eOk);
    EXPECT_TRUE(m_db.pattern(m_rows)->reverseStart2);
    EXPECT_FALSE(m_db.pattern(m_rows)->reverseStart1);

    ASSERT_EQ(findPattern(m_bolts, "ExtraRow", id), eOk);
    EXPECT_EQ(getSetBoltPatternReverses(m_bolts, id, false, false, reverse), eNotApplicable);
    EXPECT_FALSE(m_db.pattern(id)->reverseStart2);
    ASSERT_EQ(getSetBoltPatternReverses(m_bolts, id, true, false, reverse), eOk);
    reverse = false;
    ASSERT_EQ(getSetBoltPatternReverses(m_bolts, id, true, true, reverse), eOk);
    EXPECT_TRUE(reverse);

    Vtx_ObjectId foreign = m_db.addPattern({"Loose", Vtx_PatternType::TwoDirectional});
    EXPECT_EQ(getSetBoltPatternReverses(m_bolts, foreign, true, true, reverse), eKeyNotFound);
    EXPECT_EQ(findPattern(m_bolts, "Loose", id), eKeyNotFound);
}

TEST_F(MacroModelTest, ProfilesAreReachedByPlacementAndBaseIndex) {
    Vtx_ObjectId id;
    ASSERT_EQ(getNamedPrpl(m_profiles, "stiffener", id), eOk);
    EXPECT_EQ(id, m_stiffener);
    EXPECT_EQ(getNamedPrpl(m_plate, "Stiffener", id), eWrongObjectType);
    EXPECT_EQ(getNamedPrpl(m_profiles, "Flange", id), eKeyNotFound);

    Vtx_String section, material;
    ASSERT_EQ(getBaseProf(m_dbMacro, 1, id), eOk);
    ASSERT_EQ(getSectionName(id, section), eOk);
    ASSERT_EQ(getMaterial(id, material), eOk);
    EXPECT_EQ(section, "HEA 200");
    EXPECT_EQ(material, "S355");
    EXPECT_EQ(getBaseProf(m_dbMacro, 2, id), eInvalidIndex);
    EXPECT_EQ(getBaseProf(m_dbMacro, -1, id), eInvalidIndex);
    EXPECT_EQ(getSectionName(m_rows, section), eKeyNotFound) << "a pattern is no profile";
    EXPECT_EQ(getSectionName(Vtx_ObjectId(), section), eNullPtr);

    Vtx_Database other;
    Vtx_Transaction foreign(&other);
    EXPECT_EQ(getSectionName(m_beam, section, &foreign), eInvalidInput);
    Vtx_Transaction own(&m_db);
    EXPECT_EQ(getSectionName(m_beam, section, &own), eOk);
    EXPECT_EQ(section, "IPE 300");

    Vtx_Array<Vtx_ObjectId> ids;
    ASSERT_EQ(m_dbMacro->mapBaseProfIds(ids), eOk);
    EXPECT_EQ(ids, (Vtx_Array<Vtx_ObjectId>{m_beam, m_column}));
}

TEST_F(MacroModelTest, AbortRestoresPatternsAndProfilesCommitKeepsThem) {
    Vtx_Transaction transaction(&m_db);
    Vtx_BoltPattern* held = m_db.pattern(m_rows);
    transaction.start();
    held->nrBolts1 = "5";
    m_db.profile(m_beam)->sectionName = "IPE 330";
    Vtx_ObjectId added = m_db.addProfile({"IPE 400", "S355"});
    transaction.abort();
    EXPECT_FALSE(transaction.isActive());
    EXPECT_EQ(held->nrBolts1, "2") << "objects are restored in place";
    EXPECT_EQ(m_db.pattern(m_rows), held);
    EXPECT_EQ(m_db.profile(m_beam)->sectionName, "IPE 300");
    EXPECT_EQ(m_db.profile(added), nullptr);
    EXPECT_GT(m_db.addProfile({}).handle(), added.handle()) << "handles are not reused";

    transaction.start();
    m_db.pattern(m_rows)->nrBolts1 = "4";
    transaction.commit();
    transaction.abort();
    EXPECT_EQ(m_db.pattern(m_rows)->nrBolts1, "4");
}

TEST_F(MacroModelTest, GeneralVariablesKeepOrderAndRefuseBadValues) {
    ASSERT_EQ(m_macro->setGeneralVariable("gen_Gap", 10), eOk);
    ASSERT_EQ(m_macro->setGeneralVariable("gen_Width", 200), eOk);
    ASSERT_EQ(m_macro->setGeneralVariable("GEN_GAP", 12.5), eOk);
    EXPECT_EQ(m_macro->setGeneralVariable("", 1), eInvalidName);
    EXPECT_EQ(m_macro->setGeneralVariable("gen_Inf", INFINITY), eInvalidInput);
    Vtx_StringArray names;
    ASSERT_EQ(m_macro->getGeneralVariables(names), eOk);
    EXPECT_EQ(names, (Vtx_StringArray{"gen_Gap", "gen_Width"}));
    double value = 0;
    ASSERT_EQ(m_macro->generalVariableValue("gen_gap", value), eOk);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(m_macro->generalVariableValue("gen_Inf", value), eKeyNotFound);

    Vtx_StringArray values = {"stale"};
    m_macro->setGeneralVariable("gen_Third", 0.1);
    m_macro->getGeneralVariableTexts(names, values);
    EXPECT_EQ(names, (Vtx_StringArray{"gen_Gap", "gen_Width", "gen_Third"}));
    EXPECT_EQ(values, (Vtx_StringArray{"12.5", "200", "0.1"}));
}

} // namespace
