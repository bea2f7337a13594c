#include "MacroFixture.h"

#include "standards/KsSSMapping.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string describe(const KsObjectMap& object) {
    std::ostringstream out;
    out << object.objectName.str() << "|" << kindWord(object.kind).str() << "|"
        << object.subName.str() << "|" << object.category;
    if (!object.caption.isEmpty())
        out << "|" << object.caption.str();
    return out.str();
}

} // namespace

TEST_F(MacroFixture, CandidateListFollowsModulesThenBaseProfilesThenGeneralVariables) {
    KsSSMapping mapping;
    KsObjectMap existing;
    existing.kind = kKindGenVar;
    existing.subName = "kept";
    mapping.mappedObjectsWrite().append(existing);
    ASSERT_EQ(mapping.initAllVarsFromMacro(dbMacro, nullptr), eOk);

    std::vector<std::string> got;
    for (const KsObjectMap& object : mapping.mappedObjects())
        got.push_back(describe(object));
    const std::vector<std::string> expected = {
        "|GenVar|kept|3",
        "EndPlate|Distance|Thickness|0",
        "EndPlate|Distance|Width|1",
        "EndPlate|Distance|Weld|2",
        "EndPlate|Distance|Hidden|3",
        "EndPlate|Distance|Height|0",
        "EndPlate|CutOffset|Cope|0",
        "EndPlate|CutInsideOffset|Cope|0",
        "EndPlate|CutOutsideOffset|Cope|0",
        "EndPlate|CutRadius|Cope|0",
        "EndPlate|CutPolyOffset|Stiffener|0",
        "EndPlate|CutLengthOffset|Stiffener|0",
        "EndPlate|Distance|Thickness|0",
        "EndPlate|BoltsDiameter||0",
        "EndPlate|BoltsHoleOffset||0",
        "EndPlate|PatternNrBolts1|Rows|0",
        "EndPlate|PatternReverseStart1|Rows|0",
        "EndPlate|PatternNrBolts2|Rows|0",
        "EndPlate|PatternReverseStart2|Rows|0",
        "EndPlate|PatternNrBolts1|Single|0",
        "EndPlate|PatternReverseStart1|Single|0",
        "EndPlate|Distance|Thickness|0",
        "EndPlate|OwnedMemberName|Flange|0",
        "ColumnPlate|Distance|Gap|0",
        "|PrPlName|Prof0|0",
        "|PrPlMaterial|Prof0|0",
        "|PrPlName|Prof1|0",
        "|PrPlMaterial|Prof1|0",
        "|MemberSectionSize|Prof1;0|0|h",
        "|MemberSectionSize|Prof1;1|0|b",
        "|MemberSectionSize|Prof1;2|0|tw",
        "|MemberSectionSize|Prof1;3|0|tf",
        "|GenVar|gen_Width|0",
        "|GenVar|gen_Third|0",
    };
    EXPECT_EQ(got, expected);
    EXPECT_NE(mapping.initAllVarsFromMacro(nullptr, nullptr), eOk);
}
