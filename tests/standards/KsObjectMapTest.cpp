#include "standards/KsObjectMap.h"
#include "standards/MappingText.h"

#include <gtest/gtest.h>

namespace {

Vtx_String objectText(const char* group, const char* rest) {
    return Vtx_String(group) + Vtx_String(std::string(1, kObjectSeparator)) + rest;
}

struct ParseRow {
    const char* rest;
    int kind;
    const char* subName;
};

} // namespace

TEST(KsObjectMap, KindWordsAreTriedInFileOrderAndBlanksAreIgnored) {
    const ParseRow rows[] = {
        {"Distance Thickness", kKindDistance, "Thickness"},
        {"   Distance Thickness", kKindDistance, "Thickness"},
        {"CutPolyOffset Stiffener", kKindCutPolyOffset, "Stiffener"},
        {"CutOffset Cope", kKindCutOffset, "Cope"},
        {"CutChamferOffset2 C", kKindCutChamferOffset2, "C"},
        {"CutRadius Cope", kKindCutRadius, "Cope"},
        {"PatternNrBolts2 Rows", kKindPatternNrBolts2, "Rows"},
        {"PatternReverseStart1 Rows", kKindPatternReverseStart1, "Rows"},
        {"PrPlMaterial Prof0", kKindPrPlMaterial, "Prof0"},
        {"MemberSectionSize Prof1;3", kKindMemberSectionSize, "Prof1;3"},
        {"BoltsHoleOffset ", kKindBoltsHoleOffset, ""},
        {"BoltsDiameter", kKindBoltsDiameter, ""},
        // The first word that is a prefix wins, whatever follows it.
        {"DistanceX Y", kKindDistance, "Y"},
        {"GenVar gen_Gap with blank", kKindGenVar, "gen_Gap with blank"},
    };
    for (const ParseRow& row : rows) {
        KsObjectMap object;
        ASSERT_EQ(object.getMappingFromStrs("v", objectText("G", row.rest)), eOk) << row.rest;
        EXPECT_EQ(object.kind, row.kind) << row.rest;
        EXPECT_EQ(object.subName, Vtx_String(row.subName)) << row.rest;
        EXPECT_EQ(object.objectName, Vtx_String("G"));
        EXPECT_EQ(object.ssVarName, Vtx_String("v"));
    }
}

TEST(KsObjectMap, UnreadableObjectTextsFailAndLeaveTheObjectAlone) {
    KsObjectMap object;
    object.kind = kKindGenVar;
    object.subName = "keep";
    EXPECT_NE(object.getMappingFromStrs("v", "G Distance Thickness"), eOk) << "no 0x95 byte";
    EXPECT_NE(object.getMappingFromStrs("v", objectText("G", "Length Thickness")), eOk);
    EXPECT_NE(object.getMappingFromStrs("v", objectText("G", "distance Thickness")), eOk)
        << "kind words are matched as written";
    EXPECT_EQ(object.kind, kKindGenVar);
    EXPECT_EQ(object.subName, Vtx_String("keep"));
}

TEST(KsObjectMap, ObjectTextRoundTripsAndKindNoneIsRefused) {
    KsObjectMap object;
    object.objectName = "EndPlate";
    object.subName = "Thickness";
    object.ssVarName = "tp";
    Vtx_String text;
    Vtx_String name;
    EXPECT_NE(object.setMappingToStrs(text, name), eOk);
    object.kind = kKindCutInsideOffset;
    ASSERT_EQ(object.setMappingToStrs(text, name), eOk);
    EXPECT_EQ(text, objectText("EndPlate", "CutInsideOffset Thickness"));
    EXPECT_EQ(name, Vtx_String("tp"));

    KsObjectMap read;
    ASSERT_EQ(read.getMappingFromStrs(name, text), eOk);
    EXPECT_EQ(read.isCompatible(object), eOk);

    KsObjectMap macroScope;
    macroScope.kind = kKindGenVar;
    macroScope.subName = "gen_Gap";
    ASSERT_EQ(macroScope.setMappingToStrs(text, name), eOk);
    EXPECT_EQ(text.at(0), kObjectSeparator) << "macro-scope texts begin with the separator";
}

TEST(KsObjectMap, CompatibilityIgnoresCaseNameAndCategoryButNotKind) {
    KsObjectMap a;
    a.objectName = "EndPlate";
    a.subName = "Thickness";
    a.kind = kKindDistance;
    a.ssVarName = "tp";
    a.category = 0;
    KsObjectMap b = a;
    b.objectName = "ENDPLATE";
    b.subName = "thickness";
    b.ssVarName = "other";
    b.category = 3;
    EXPECT_EQ(a.isCompatible(b), eOk);
    b.kind = kKindGenVar;
    EXPECT_NE(a.isCompatible(b), eOk);
}

TEST(KsObjectMap, MapFromArraysFindsTheNameIgnoringCase) {
    Vtx_StringArray names{"tp", "WIDTH"};
    Vtx_StringArray texts{objectText("P", "Distance Thickness")};
    KsObjectMap object;
    EXPECT_EQ(object.mapFromArrays(names, texts, "TP"), eOk);
    EXPECT_EQ(object.subName, Vtx_String("Thickness"));
    EXPECT_EQ(object.ssVarName, Vtx_String("TP"));
    EXPECT_NE(object.mapFromArrays(names, texts, "width"), eOk) << "index beyond the texts";
    EXPECT_NE(object.mapFromArrays(names, texts, "missing"), eOk);
}

TEST(KsObjectMap, KindValueTypes) {
    KsValueType type;
    ASSERT_FALSE(kindValueType(kKindNone, type));
    ASSERT_TRUE(kindValueType(kKindPatternNrBolts1, type));
    EXPECT_EQ(type, KsValueType::String);
    ASSERT_TRUE(kindValueType(kKindPatternReverseStart2, type));
    EXPECT_EQ(type, KsValueType::Int);
    ASSERT_TRUE(kindValueType(kKindMemberSectionSize, type));
    EXPECT_EQ(type, KsValueType::Double);
    EXPECT_TRUE(isLikeType(KsValueType::Int, KsValueType::Double));
    EXPECT_FALSE(isLikeType(KsValueType::String, KsValueType::Double));
}
