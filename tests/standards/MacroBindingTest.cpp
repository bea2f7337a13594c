#include "MacroFixture.h"

#include "standards/KsSSMapping.h"
#include "standards/MacroBinding.h"

#include <gtest/gtest.h>

namespace {

KsObjectMap mapped(const char* group, const char* sub, int kind) {
    KsObjectMap object;
    object.objectName = group;
    object.subName = sub;
    object.kind = kind;
    object.ssVarName = "v";
    return object;
}

class Binding : public MacroFixture {
protected:
    ErrorStatus get(const KsObjectMap& object, Vtx_String& value) {
        return object.getMacroVarValue(dbMacro, &macroData, value, nullptr);
    }
    ErrorStatus set(const KsObjectMap& object, const char* value) {
        return object.setMacroVarValue(dbMacro, &macroData, value, nullptr);
    }
    ErrorStatus named(const char* name, KsValueType type, Vtx_String& value, bool isGet,
                      const char* moduleName = "Plate") {
        return getSetNamedModuleValue(name, type, macro, module(moduleName), &macroData, value,
                                      isGet, nullptr);
    }
};

} // namespace

TEST_F(Binding, NumbersUseTheirPrecisions) {
    Vtx_String value;
    ASSERT_EQ(get(mapped("", "gen_Width", kKindGenVar), value), eOk);
    EXPECT_EQ(value, Vtx_String("12.5"));
    ASSERT_EQ(get(mapped("", "gen_Third", kKindGenVar), value), eOk);
    EXPECT_EQ(value, Vtx_String("0.33333333")) << "mapped general variables: 8 decimals";

    ASSERT_EQ(named("gen.Third", KsValueType::Double, value, true), eOk);
    EXPECT_EQ(value, Vtx_String("0.3333")) << "direct naming: 4 decimals, gen. -> gen_";
    ASSERT_EQ(named("gen.Width", KsValueType::Double, value, true), eOk);
    EXPECT_EQ(value, Vtx_String("12.5"));
    EXPECT_NE(named("gen.Missing", KsValueType::Double, value, true), eOk);

    ASSERT_EQ(get(mapped("EndPlate", "Cope", kKindCutInsideOffset), value), eOk);
    EXPECT_EQ(value, Vtx_String("12.3456789")) << "cut values: 7 decimals";
    EXPECT_NE(get(mapped("EndPlate", "Cope", kKindCutPolyOffset), value), eOk)
        << "a cope offers no poly offset";
}

TEST_F(Binding, GroupGetTakesTheLastModuleAndSetWritesAll) {
    Vtx_String value;
    const KsObjectMap thickness = mapped("EndPlate", "Thickness", kKindDistance);
    ASSERT_EQ(get(thickness, value), eOk);
    EXPECT_EQ(value, Vtx_String("17")) << "Plate 15, Bolts 16, Stiffeners 17";
    ASSERT_EQ(set(thickness, "25"), eOk);
    for (const char* name : {"Plate", "Bolts", "Stiffeners"})
        EXPECT_EQ(module(name)->findVariable("Thickness")->value, 25) << name;

    const KsObjectMap width = mapped("EndPlate", "Width", kKindDistance);
    ASSERT_EQ(get(width, value), eOk) << "one module of three has it";
    EXPECT_EQ(value, Vtx_String("200"));
    EXPECT_NE(get(mapped("EndPlate", "Nothing", kKindDistance), value), eOk)
        << "no module of the group has the variable";
    EXPECT_NE(set(thickness, "thick"), eOk) << "not a number";
    EXPECT_EQ(module("Plate")->findVariable("Thickness")->value, 25);
}

TEST_F(Binding, SettingADistanceFixesAFreeFlexFixButton) {
    ASSERT_FALSE(module("Plate")->findVariable("Height")->fixed);
    ASSERT_EQ(set(mapped("EndPlate", "Height", kKindDistance), "450"), eOk);
    EXPECT_TRUE(module("Plate")->findVariable("Height")->fixed);
    EXPECT_EQ(module("Plate")->findVariable("Height")->value, 450);
}

TEST_F(Binding, AValueTheMacroHoldsIsNotWrittenAgain) {
    // An output's text carries seven decimals; the same number leaves the
    // variable free and the bolt data's text as it was.
    Vtx_String held;
    const KsObjectMap height = mapped("EndPlate", "Height", kKindDistance);
    ASSERT_EQ(get(height, held), eOk);
    double number = 0;
    ASSERT_TRUE(held.toDouble(number));
    ASSERT_EQ(set(height, Vtx_String(number, 7, false).c_str()), eOk);
    EXPECT_FALSE(module("Plate")->findVariable("Height")->fixed);

    const KsObjectMap offset = mapped("EndPlate", "", kKindBoltsHoleOffset);
    Vtx_BoltData& bolts = static_cast<Vtx_BoltModule*>(module("Bolts"))->boltData();
    const Vtx_String text = bolts.holeOffset;
    ASSERT_TRUE(text.toDouble(number));
    ASSERT_EQ(set(offset, Vtx_String(number, 7, false).c_str()), eOk);
    EXPECT_EQ(bolts.holeOffset, text);
    ASSERT_EQ(set(offset, "2.5000000"), eOk);
    EXPECT_EQ(bolts.holeOffset, Vtx_String("2.5000000")) << "a new number is written";
}

TEST_F(Binding, ReadOnlyKindsRefuseSetsAndChangeNothing) {
    for (int kind : {kKindPrPlName, kKindPrPlMaterial}) {
        EXPECT_NE(set(mapped("", "Prof0", kind), "HEA 300"), eOk);
    }
    EXPECT_NE(set(mapped("", "Prof1;0", kKindMemberSectionSize), "500"), eOk);
    Vtx_String value;
    ASSERT_EQ(get(mapped("", "Prof0", kKindPrPlName), value), eOk);
    EXPECT_EQ(value, Vtx_String("IPE 300"));
    ASSERT_EQ(get(mapped("", "Prof1", kKindPrPlMaterial), value), eOk);
    EXPECT_EQ(value, Vtx_String("HEA 200")) << "the material kind reads the section name too";
    EXPECT_NE(get(mapped("", "Profile1", kKindPrPlName), value), eOk);
    EXPECT_NE(get(mapped("", "Prof7", kKindPrPlName), value), eOk);
}

TEST_F(Binding, MemberSectionSizeReadsAColumnOfTheBaseProfilesSection) {
    Vtx_String value;
    ASSERT_EQ(get(mapped("", "Prof1;3", kKindMemberSectionSize), value), eOk);
    EXPECT_EQ(value, Vtx_String("10")) << "HEA 200: h b tw tf -> tf";
    ASSERT_EQ(get(mapped("", "Prof1;2", kKindMemberSectionSize), value), eOk);
    EXPECT_EQ(value, Vtx_String("6.5"));
    EXPECT_NE(get(mapped("", "Prof0;0", kKindMemberSectionSize), value), eOk)
        << "IPE 300 is in no registered table";
    EXPECT_NE(get(mapped("", "Prof1", kKindMemberSectionSize), value), eOk);
}

TEST_F(Binding, BoltPatternsAndBoltData) {
    Vtx_String value;
    ASSERT_EQ(get(mapped("EndPlate", "Rows", kKindPatternReverseStart1), value), eOk);
    EXPECT_EQ(value, Vtx_String("0")) << "a set flag reads as 0";
    ASSERT_EQ(get(mapped("EndPlate", "Rows", kKindPatternReverseStart2), value), eOk);
    EXPECT_EQ(value, Vtx_String("1"));
    ASSERT_EQ(set(mapped("EndPlate", "Rows", kKindPatternReverseStart2), "1"), eOk);
    EXPECT_TRUE(pattern("Rows")->reverseStart2) << "writing 1 passes true";
    EXPECT_NE(get(mapped("EndPlate", "Single", kKindPatternReverseStart2), value), eOk)
        << "a one-directional pattern has no second direction";

    ASSERT_EQ(get(mapped("EndPlate", "Rows", kKindPatternNrBolts2), value), eOk);
    EXPECT_EQ(value, Vtx_String("3"));
    ASSERT_EQ(set(mapped("EndPlate", "Rows", kKindPatternNrBolts1), "4"), eOk);
    EXPECT_EQ(pattern("Rows")->nrBolts1, Vtx_String("4"));

    ASSERT_EQ(get(mapped("EndPlate", "", kKindBoltsDiameter), value), eOk);
    EXPECT_EQ(value, Vtx_String("20"));
    ASSERT_EQ(set(mapped("EndPlate", "", kKindBoltsHoleOffset), "3"), eOk);
    EXPECT_EQ(static_cast<Vtx_BoltModule*>(module("Bolts"))->boltData().holeOffset,
              Vtx_String("3"));
    EXPECT_NE(get(mapped("ColumnPlate", "", kKindBoltsDiameter), value), eOk);
}

TEST_F(Binding, MemberNamesOfProfilePlacements) {
    Vtx_String value;
    ASSERT_EQ(get(mapped("EndPlate", "Flange", kKindOwnedMemberName), value), eOk);
    EXPECT_EQ(value, Vtx_String("FL1"));
    ASSERT_EQ(set(mapped("EndPlate", "Flange", kKindOwnedMemberName), "FL2"), eOk);
    ASSERT_EQ(named("Flange.MemberName", KsValueType::String, value, true, "Stiffeners"), eOk);
    EXPECT_EQ(value, Vtx_String("FL2"));

    // No placement of that name: nothing is read or written, and that is a
    // failure, not an empty name.
    value = "kept";
    EXPECT_EQ(get(mapped("EndPlate", "NoSuchPlacement", kKindOwnedMemberName), value),
              eKeyNotFound);
    EXPECT_EQ(value, Vtx_String("kept"));
    EXPECT_EQ(set(mapped("EndPlate", "NoSuchPlacement", kKindOwnedMemberName), "X"), eKeyNotFound);
    EXPECT_NE(get(mapped("ColumnPlate", "Flange", kKindOwnedMemberName), value), eOk)
        << "a group whose modules hold no such placement";
}

TEST_F(Binding, DirectNamingChecksInOrder) {
    Vtx_String value;
    ASSERT_EQ(named("Flange.Name", KsValueType::String, value, true, "Stiffeners"), eOk);
    EXPECT_EQ(value, Vtx_String("PL 10x100"));
    ASSERT_EQ(named("Flange.Material", KsValueType::String, value, true, "Stiffeners"), eOk);
    EXPECT_EQ(value, Vtx_String("S275"));
    EXPECT_NE(named("Flange.Name", KsValueType::Double, value, true, "Stiffeners"), eOk)
        << "numeric: not a profile name but a dialog variable called Flange.Name";
    EXPECT_NE(named("Nobody.Name", KsValueType::String, value, true, "Stiffeners"), eOk);

    ASSERT_EQ(named("Stiffener.CutPoly", KsValueType::Double, value, true), eOk);
    EXPECT_EQ(value, Vtx_String("7.5"));
    value = "9.25";
    ASSERT_EQ(named("Cope.CutOutside", KsValueType::Int, value, false), eOk);
    EXPECT_EQ(module("Plate")->cuts()[0].offsets[kOffsetOutside], 9.25);

    ASSERT_EQ(named("Any.Diameter", KsValueType::Double, value, true, "Bolts"), eOk);
    EXPECT_EQ(value, Vtx_String("20")) << "the prefix of .Diameter is not used";
    ASSERT_EQ(named("Rows.NrBolts2", KsValueType::String, value, true, "Bolts"), eOk);
    EXPECT_EQ(value, Vtx_String("3"));
    ASSERT_EQ(named("Rows.ReverseStart1", KsValueType::Int, value, true, "Bolts"), eOk);
    EXPECT_EQ(value, Vtx_String("0"));
    EXPECT_NE(named("Rows.ReverseStart1", KsValueType::Int, value, true, "Plate"), eOk)
        << "not a bolt module";

    EXPECT_NE(named("Thickness", KsValueType::String, value, true), eOk)
        << "a text variable never reaches a dialog variable";
    ASSERT_EQ(named("Thickness", KsValueType::Double, value, true), eOk);
    EXPECT_EQ(value, Vtx_String("15"));
    EXPECT_NE(getSetNamedModuleValue("Thickness", KsValueType::Double, macro, module("Plate"),
                                     nullptr, value, true, nullptr),
              eOk)
        << "no macro data";
}

TEST_F(Binding, ModuleGroupModeReadsTheFirstModuleThatAnswers) {
    KsSSMapping mapping;
    ASSERT_NE(mapping.initFromModuleGroup(""), eOk);
    ASSERT_EQ(mapping.initFromModuleGroup("EndPlate"), eOk);
    data.moduleGroupName = "EndPlate";
    Vtx_String value;
    ASSERT_EQ(mapping.getMacroVarValue("Thickness", KsValueType::Double, value, data), eOk);
    EXPECT_EQ(value, Vtx_String("15")) << "direct naming stops at the first module";
    ASSERT_EQ(mapping.getMacroVarValue("Rows.NrBolts1", KsValueType::String, value, data), eOk);
    EXPECT_EQ(value, Vtx_String("2"));
    EXPECT_NE(mapping.getMacroVarValue("Missing", KsValueType::Double, value, data), eOk);

    EXPECT_EQ(mapping.setMacroVarValue("Thickness", KsValueType::Double, "30", data), eOk);
    for (const char* name : {"Plate", "Bolts", "Stiffeners"})
        EXPECT_EQ(module(name)->findVariable("Thickness")->value, 30) << name;
}

TEST_F(Binding, MacroModeGoesThroughTheMappedObject) {
    KsSSMapping mapping;
    mapping.mode = KsSSMapping::kModeMacro;
    KsObjectMap gap = mapped("ColumnPlate", "Gap", kKindDistance);
    gap.ssVarName = "gap";
    mapping.mappedObjectsWrite().append(gap);
    Vtx_String value;
    ASSERT_EQ(mapping.getMacroVarValue("GAP", KsValueType::Double, value, data), eOk);
    EXPECT_EQ(value, Vtx_String("10"));
    EXPECT_NE(mapping.getMacroVarValue("gap", KsValueType::String, value, data), eOk);
    ASSERT_EQ(mapping.setMacroVarValue("gap", KsValueType::Int, "12", data), eOk);
    EXPECT_EQ(module("ColumnPlate")->findVariable("Gap")->value, 12);
    KsDlgStandardsData noMacro;
    EXPECT_NE(mapping.getMacroVarValue("gap", KsValueType::Double, value, noMacro), eOk);
}
