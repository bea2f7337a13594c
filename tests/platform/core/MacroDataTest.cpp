#include "CoreTestSupport.h"

#include "platform/core/MacroData.h"

#include <gtest/gtest.h>

namespace {

const Vtx_String kSample = Vtx_String(VTX_SAMPLE_DIR) + "/library/Drawings/sample.vtxd";

/// The end-plate macro of the sample drawing with its dialog records.
class MacroDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        Vtx_String reason;
        ASSERT_EQ(readDrawingFile(kSample, m_db, reason), eOk) << reason.str();
        m_dbMacro = m_db.findMacro("EP-1");
        ASSERT_NE(m_dbMacro, nullptr);
        ASSERT_EQ(m_data.initFromMacro(m_dbMacro), eOk);
    }

    MacroTabData* tab(const char* name) { return m_data.getTab(m_data.findTab(name)); }

    Vtx_Database m_db;
    Vtx_DbMacro* m_dbMacro = nullptr;
    MacroData m_data;
};

TEST_F(MacroDataTest, OneTabPerTabNameInModuleOrderWithItsKind) {
    ASSERT_EQ(m_data.tabCount(), 3);
    EXPECT_EQ(m_data.title, "EP-1");
    EXPECT_EQ(m_data.dbMacro(), m_dbMacro);
    const std::vector<std::tuple<const char*, int, Vtx_StringArray>> expected = {
        {"EndPlate", kTabBolts, {"EndPlate", "Bolts"}},
        {"Stiffeners", kTabProfiles, {"Stiffeners"}},
        {"BeamEnd", kTabVariables, {"BeamEnd"}},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& [name, kind, modules] = expected[static_cast<std::size_t>(i)];
        MacroTabData* tabData = m_data.getTab(i);
        ASSERT_NE(tabData, nullptr);
        EXPECT_EQ(tabData->name(), name);
        EXPECT_EQ(tabData->kind(), kind) << name;
        EXPECT_EQ(tabData->moduleNames(), modules) << name;
        EXPECT_EQ(tabData->macro(), m_dbMacro->macro());
    }
    EXPECT_EQ(m_data.findTab("stiffeners"), 1);
    EXPECT_EQ(m_data.findTab("Bolts"), -1) << "a grouped module has no tab of its own";
    EXPECT_EQ(m_data.getTab(3), nullptr);
    EXPECT_EQ(m_data.getTab(-1), nullptr);
    EXPECT_EQ(MacroData().initFromMacro(nullptr), eNullPtr);
}

TEST_F(MacroDataTest, BoltDataComesFromTheTabsFirstBoltModule) {
    Vtx_BoltData* data = tab("EndPlate")->getBoltData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->assembly, "M-8.8");
    data->diameter = "24";
    EXPECT_EQ(dynamic_cast<const Vtx_BoltModule*>(m_dbMacro->macro()->findModule("Bolts"))
                  ->boltData()
                  .diameter,
              "24")
        << "the record writes straight to the macro";
    EXPECT_EQ(tab("BeamEnd")->getBoltData(), nullptr);
    EXPECT_EQ(tab("BeamEnd")->boltModule(), nullptr);
}

TEST_F(MacroDataTest, FlexFixButtonsReportAndChangeTheirState) {
    MacroTabData* endPlate = tab("EndPlate");
    bool isFixed = false, isFree = true;
    ASSERT_TRUE(endPlate->getFlexFixBtnStatus("thickness", isFixed, isFree));
    EXPECT_TRUE(isFixed);
    EXPECT_FALSE(isFree);
    ASSERT_TRUE(endPlate->getFlexFixBtnStatus("Width", isFixed, isFree));
    EXPECT_FALSE(isFixed);
    EXPECT_TRUE(isFree);

    isFixed = false, isFree = true;
    EXPECT_FALSE(endPlate->getFlexFixBtnStatus("Height", isFixed, isFree)) << "no button";
    EXPECT_FALSE(isFixed);
    EXPECT_TRUE(isFree) << "flags are left as they were";
    EXPECT_FALSE(endPlate->flexFixBtnClicked("Height", true));
    EXPECT_TRUE(endPlate->getFlexFixBtnStatus("Gauge", isFixed, isFree))
        << "a variable of the tab's second module";

    // Writing a value first fixes a free variable, as the standards engine does.
    ASSERT_TRUE(endPlate->flexFixBtnClicked("Width", false));
    endPlate->getFlexFixBtnStatus("Width", isFixed, isFree);
    EXPECT_TRUE(isFixed);
    ASSERT_TRUE(endPlate->flexFixBtnClicked("Width", false));
    endPlate->getFlexFixBtnStatus("Width", isFixed, isFree);
    EXPECT_TRUE(isFixed) << "a click without toggle never frees";
    ASSERT_TRUE(endPlate->flexFixBtnClicked("Width", true));
    endPlate->getFlexFixBtnStatus("Width", isFixed, isFree);
    EXPECT_TRUE(isFree);
}

TEST_F(MacroDataTest, MergedProfilePropertiesOfAGroup) {
    MacroTabData* stiffeners = tab("Stiffeners");
    Vtx_ProfileProps props;
    ASSERT_TRUE(stiffeners->getMergedPropsOfGroup("stiffener", props));
    EXPECT_EQ(props.name, "Stiffener");
    EXPECT_EQ(props.sectionName, "PL 10x90");
    EXPECT_EQ(props.material, "S355");

    Vtx_ObjectId second =
        dynamic_cast<const Vtx_ProfModule*>(m_dbMacro->macro()->findModule("Stiffeners"))
            ->profArray()[1]
            .profileId;
    m_db.profile(second)->material = "S235";
    ASSERT_TRUE(stiffeners->getMergedPropsOfGroup("Stiffener", props));
    EXPECT_TRUE(props.material.isEmpty()) << "the placements disagree";
    EXPECT_EQ(props.sectionName, "PL 10x90");

    ASSERT_TRUE(stiffeners->setMergedPropsOfGroup("Stiffener", {"Web stiffener", "PL 12x90", ""}));
    ASSERT_TRUE(stiffeners->getMergedPropsOfGroup("Stiffener", props));
    EXPECT_EQ(props.name, "Web stiffener");
    EXPECT_EQ(props.sectionName, "PL 12x90");
    EXPECT_TRUE(props.material.isEmpty()) << "an empty material is not written";

    EXPECT_FALSE(stiffeners->getMergedPropsOfGroup("Flange", props));
    EXPECT_FALSE(stiffeners->setMergedPropsOfGroup("", props));
    EXPECT_FALSE(tab("EndPlate")->getMergedPropsOfGroup("Stiffener", props))
        << "only the tab's own profile modules count";
}

TEST_F(MacroDataTest, BoltCountsAreReadAndWrittenAsWholeNumbers) {
    MacroTabData* endPlate = tab("EndPlate");
    Vtx_String value;
    ASSERT_EQ(getSetNrBolts(endPlate, "boltrows", value, true, true), eOk);
    EXPECT_EQ(value, "2");
    ASSERT_EQ(getSetNrBolts(endPlate, "BoltRows", value, true, false), eOk);
    EXPECT_EQ(value, "3");
    EXPECT_EQ(getSetNrBolts(endPlate, "ExtraRow", value, true, false), eNotApplicable);

    value = " 4 ";
    ASSERT_EQ(getSetNrBolts(endPlate, "BoltRows", value, false, false), eOk);
    ASSERT_EQ(getSetNrBolts(endPlate, "BoltRows", value, true, false), eOk);
    EXPECT_EQ(value, "4");
    for (const char* bad : {"0", "-2", "2.5", "two", ""}) {
        value = bad;
        EXPECT_EQ(getSetNrBolts(endPlate, "BoltRows", value, false, true), eInvalidInput) << bad;
    }
    ASSERT_EQ(getSetNrBolts(endPlate, "BoltRows", value, true, true), eOk);
    EXPECT_EQ(value, "2");

    EXPECT_EQ(getSetNrBolts(endPlate, "Missing", value, true, true), eKeyNotFound);
    EXPECT_NE(getSetNrBolts(tab("BeamEnd"), "BoltRows", value, true, true), eOk);
    EXPECT_EQ(getSetNrBolts(nullptr, "BoltRows", value, true, true), eNullPtr);
}

TEST(TabMappingData, KeysFollowTheMacrosStandards) {
    Vtx_Database db;
    Vtx_Macro* macro = db.addMacro("EP-1")->macroWrite();
    macro->addModule(std::make_unique<Vtx_PlateModule>("EndPlate", "EndPlate"));
    macro->addModule(std::make_unique<Vtx_BoltModule>("Bolts", "endplate"));
    macro->addModule(std::make_unique<Vtx_Module>("BeamEnd", ""));
    macro->standards() = {
        {"EndPlate\\EP", "k1"}, {"Welds", "Module.EndPlate"}, {"endplate\\ep", "k2"}};

    TabMappingData mapping;
    mapping.initFromMacro(*macro);
    EXPECT_EQ(mapping.spreadsheetNames, (Vtx_StringArray{"EndPlate\\EP", "Welds", "endplate\\ep"}));
    EXPECT_EQ(mapping.groupNames, (Vtx_StringArray{"EndPlate", "BeamEnd"}));
    EXPECT_EQ(mapping.getMapping("endplate\\ep"), "k1");
    EXPECT_EQ(mapping.getMapping("EndPlate\\EP", 1), "k2");
    EXPECT_EQ(mapping.getMapping("EndPlate\\EP", 2), "");
    EXPECT_EQ(mapping.getMapping("Other"), "");

    mapping.spreadsheetNames.append("New");
    mapping.mappingKeys.removeAt(0);
    mapping.mappingKeys.insertAt(0, "k9");
    mapping.storeToMacro(*macro);
    ASSERT_EQ(macro->standards().size(), 4u);
    EXPECT_EQ(macro->standards()[0].mappingKey, "k9");
    EXPECT_EQ(macro->standards()[3].spreadsheet, "New");
    EXPECT_EQ(macro->standards()[3].mappingKey, "") << "a name without a key gets an empty key";
}

} // namespace
