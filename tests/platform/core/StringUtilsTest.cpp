#include "platform/core/StringUtils.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <set>
#include <vector>

namespace {

Vtx_StringArray list(std::initializer_list<Vtx_String> items) {
    return Vtx_StringArray(items);
}

TEST(StringUtilsSplit, StrToArrKeepsEmptyPiecesAndArrToStrJoinsThem) {
    Vtx_StringArray parts;
    strToArr("a;;b", ';', parts);
    EXPECT_EQ(parts, list({"a", "", "b"}));
    EXPECT_EQ(arrToStr(parts, ';'), "a;;b");
    strToArr("a;", ';', parts);
    EXPECT_EQ(parts, list({"a", ""}));
    strToArr("", ';', parts);
    EXPECT_TRUE(parts.isEmpty());
    EXPECT_EQ(arrToStr(Vtx_StringArray(), ';'), "");
}

TEST(StringUtilsSplit, SplitAtMappingSeparatorSkipsEmptyPieces) {
    Vtx_StringArray parts;
    splitStringAtSymbol("\xBFw\x83"
                        "a\xBF\xBFh\x83"
                        "b\xBF",
                        '\xBF', parts);
    EXPECT_EQ(parts, list({"w\x83"
                           "a",
                           "h\x83"
                           "b"}));
    splitStringAtSymbol("a;;b;", ';', parts, false);
    EXPECT_EQ(parts, list({"a", "", "b", ""}));
    splitStringAtSymbol("", ';', parts, true);
    EXPECT_TRUE(parts.isEmpty());
}

TEST(StringUtilsSplit, SubstringsAroundTheFirstSymbol) {
    EXPECT_EQ(getSubstrBefore("HEA-100-2", '-'), "HEA");
    EXPECT_EQ(getSubstrAfter("HEA-100-2", '-'), "100-2");
    EXPECT_EQ(getSubstrBefore("HEA", '-'), "HEA");
    EXPECT_EQ(getSubstrAfter("HEA", '-'), "");
    EXPECT_EQ(getSubstrAfter("key=", '='), "");
}

TEST(StringUtilsStrip, BlanksBeforeAKindWordAreRemoved) {
    Vtx_String rest = stripSymbols("   \tDistance width ");
    EXPECT_EQ(rest, "Distance width");
    EXPECT_TRUE(rest.startsWith("Distance"));
    EXPECT_EQ(stripSymbols("a b\tc", " \t", true), "abc");
    EXPECT_EQ(stripSymbols("--x-y--", "-"), "x-y");
    EXPECT_EQ(stripSymbols("    "), "");
}

TEST(StringUtilsChecks, NumbersAndFileNames) {
    EXPECT_TRUE(isNumber(" 12.5 "));
    EXPECT_TRUE(isNumber("3"));
    EXPECT_FALSE(isNumber("Prof"));
    EXPECT_FALSE(isNumber(""));
    EXPECT_FALSE(isNumber("1;2"));

    for (const char* bad :
         {"a\\b", "a/b", "a:b", "a*", "a?", "a\"b", "<a", "a>", "a|b", "a\tb", "\x01"})
        EXPECT_TRUE(hasInvalidFileNameChars(bad)) << bad;
    EXPECT_FALSE(hasInvalidFileNameChars("Gr\xF6\xDF"
                                         "e 10.5 (a)"));
    EXPECT_FALSE(hasInvalidFileNameChars(""));
}

TEST(StringUtilsNames, RandomStringsAreLettersAndDigitsAndVary) {
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        Vtx_String key = generateRandomString(24);
        ASSERT_EQ(key.length(), 24);
        for (char c : key.str())
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << key.c_str();
        seen.insert(key.str());
    }
    EXPECT_EQ(seen.size(), 200u);
    EXPECT_EQ(generateRandomString(0), "");
    EXPECT_EQ(generateRandomString(-3), "");
}

TEST(StringUtilsNames, NonExistingStringRaisesTheTrailingNumber) {
    EXPECT_EQ(findNonExistingString("100", list({"100"})), "101");
    EXPECT_EQ(findNonExistingString("100", list({"100", "101", "102"})), "103");
    EXPECT_EQ(findNonExistingString("120", list({"100"})), "120");
    EXPECT_EQ(findNonExistingString("HEA099", list({"hea099"})), "HEA100");
    EXPECT_EQ(findNonExistingString("99", list({"99"})), "100");
    EXPECT_EQ(findNonExistingString("99999999999999999999", list({"99999999999999999999"})),
              "100000000000000000000");
}

TEST(StringUtilsNames, NonExistingStringAppendsANumberToPlainText) {
    EXPECT_EQ(findNonExistingString("New table", list({"NEW TABLE"})), "New table1");
    EXPECT_EQ(findNonExistingString("x", list({"x", "x1", "X2"})), "x3");
    EXPECT_EQ(findNonExistingString("", list({""})), "1");
}

TEST(StringUtilsNames, FirstDigitAndColumnLetters) {
    EXPECT_EQ(findFirstNumbers("HEA100"), 3);
    EXPECT_EQ(findFirstNumbers("7x"), 0);
    EXPECT_EQ(findFirstNumbers("HEA"), -1);
    EXPECT_EQ(findFirstNumbers(""), -1);

    const std::vector<std::pair<int, const char*>> columns = {{0, "A"},    {25, "Z"},    {26, "AA"},
                                                              {27, "AB"},  {51, "AZ"},   {52, "BA"},
                                                              {701, "ZZ"}, {702, "AAA"}, {-1, ""}};
    for (const auto& [index, letters] : columns)
        EXPECT_EQ(getAlfabet(index), letters) << index;
}

struct RoundRow {
    double value;
    double step;
    double expected;
};

TEST(StringUtilsRounding, RoundToNearestMultiple) {
    const std::vector<RoundRow> rows = {
        {12.24, 0.5, 12},  {12.25, 0.5, 12.5},  {-12.25, 0.5, -12.5}, {12.74, 0.5, 12.5},
        {0.29, 0.1, 0.3},  {2.675, 0.01, 2.68}, {7.3, 0, 7.3},        {7.3, -1, 7.3},
        {1234.4, 1, 1234}, {0.15, 0.1, 0.2},    {5, 2.5, 5},          {-0.2, 1, 0}};
    for (const RoundRow& row : rows)
        EXPECT_EQ(ObjectExportRoundTo(row.value, row.step), row.expected)
            << row.value << " step " << row.step;
}

TEST(StringUtilsRounding, RoundUpIgnoresFloatingNoise) {
    const std::vector<RoundRow> rows = {
        {12.000000001, 0.5, 12}, {12, 0.5, 12},     {12.1, 0.5, 12.5}, {12 + 1e-12, 1, 12},
        {0.1 + 0.2, 0.1, 0.3},   {-12.3, 0.5, -12}, {-0.2, 1, 0},      {1000000.3, 0.5, 1000000.5},
        {10.4, 2, 12},           {3.2, 0, 3.2}};
    for (const RoundRow& row : rows)
        EXPECT_EQ(ObjectExportRoundUp(row.value, row.step), row.expected)
            << row.value << " step " << row.step;
    EXPECT_EQ(ObjectExportRoundUp(10.4, 2, 1), 12) << "the up tolerance does not change the result";
    EXPECT_TRUE(std::isnan(ObjectExportRoundUp(NAN, 1)));
}

TEST(StringUtilsSort, TextsSortWithCaseIgnoredAndNumbersByValue) {
    Vtx_StringArray texts = list({"b", "C", "a", "A"});
    ObjectExportSort(texts);
    EXPECT_EQ(texts, list({"A", "a", "b", "C"}));

    Vtx_StringArray mixed = list({"10", "B", "9", "abc", "1.5", "-2"});
    ObjectExportSort(mixed, true);
    EXPECT_EQ(mixed, list({"-2", "1.5", "9", "10", "abc", "B"}));
}

TEST(StringUtilsSort, NumbersCarryTheirPositions) {
    Vtx_Array<double> x = {0.5, 0.1, 0.3, 0.1};
    Vtx_Array<int> positions = {10, 11, 12, 13};
    ASSERT_TRUE(ObjectExportSort(x, positions));
    EXPECT_EQ(x, (Vtx_Array<double>{0.1, 0.1, 0.3, 0.5}));
    EXPECT_EQ(positions, (Vtx_Array<int>{11, 13, 12, 10})) << "equal values keep their order";

    Vtx_Array<int> tooShort = {1};
    EXPECT_FALSE(ObjectExportSort(x, tooShort));
    EXPECT_EQ(tooShort, (Vtx_Array<int>{1}));

    Vtx_Array<double> withNan = {2, NAN, 1};
    ObjectExportSort(withNan);
    EXPECT_EQ(withNan[0], 1);
    EXPECT_EQ(withNan[1], 2);
    EXPECT_TRUE(std::isnan(withNan[2]));
}

TEST(StringUtilsSort, AddToSortedGivesThePlace) {
    Vtx_StringArray numbers = list({"1", "5", "10"});
    EXPECT_EQ(ObjectExportAddToSorted(numbers, "7", true), 2);
    EXPECT_EQ(numbers, list({"1", "5", "7", "10"}));

    Vtx_StringArray names = list({"100x100", "200x200"});
    EXPECT_EQ(ObjectExportAddToSorted(names, "150X150"), 1);
    EXPECT_EQ(ObjectExportAddToSorted(names, "300x300"), 3);
    EXPECT_EQ(ObjectExportAddToSorted(names, "050x050"), 0);
}

} // namespace
