#include "platform/core/VtxString.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(VtxStringCase, FoldsWindows1252LettersWhenCaseIgnored) {
    // Upper/lower pairs of Windows-1252: ASCII, Latin-1 letters and the
    // letters the code page puts at 0x8A..0x9F.
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"ABC", "abc"},   {"\xC4", "\xE4"}, {"\xC0\xDE", "\xE0\xFE"}, {"\x8A", "\x9A"},
        {"\x8C", "\x9C"}, {"\x8E", "\x9E"}, {"\x9F", "\xFF"},         {"GR\xD6\xDF", "gr\xF6\xDF"}};
    for (const auto& [upper, lower] : pairs) {
        EXPECT_TRUE(Vtx_String(upper).equal(lower, false)) << upper;
        EXPECT_EQ(Vtx_String(upper).compare(lower, false), 0) << upper;
        EXPECT_FALSE(Vtx_String(upper).equal(lower, true)) << upper;
        EXPECT_EQ(Vtx_String(lower).upper(), upper);
        EXPECT_EQ(Vtx_String(upper).lower(), lower);
    }
}

TEST(VtxStringCase, LeavesNonLettersAlone) {
    // 0xD7 (multiplication sign) and 0xF7 (division sign) sit among the
    // letters but are no case pair; 0xDF has no upper-case form.
    EXPECT_FALSE(Vtx_String("\xD7").equal("\xF7", false));
    EXPECT_EQ(Vtx_String("\xDF").upper(), "\xDF");
    EXPECT_FALSE(Vtx_String("[").equal("{", false));
    EXPECT_FALSE(Vtx_String("abc").equal("abcd", false));
}

TEST(VtxStringCase, CompareOrdersFoldedBytes) {
    EXPECT_LT(Vtx_String("apple").compare("BANANA", false), 0);
    EXPECT_GT(Vtx_String("apple").compare("BANANA", true), 0);
    EXPECT_LT(Vtx_String("ab").compare("AbC", false), 0);
    EXPECT_GT(Vtx_String("\xE4").compare("z", false), 0) << "bytes compare unsigned";
}

struct NumberRow {
    double value;
    int precision;
    const char* text;
};

TEST(VtxStringNumber, WritesRoundedTextWithoutNeedlessZeros) {
    const std::vector<NumberRow> rows = {
        {20, 8, "20"},
        {12.5, 8, "12.5"},
        {2.675, 2, "2.68"},
        {1.005, 2, "1.01"},
        {-0.0, 4, "0"},
        {-0.00001, 4, "0"},
        {0.1 + 0.2, 8, "0.3"},
        {1.0 / 3.0, 4, "0.3333"},
        {2.0 / 3.0, 6, "0.666667"},
        {-1.5, 0, "-2"},
        {0.5, 0, "1"},
        {9.9999, 2, "10"},
        {-9.9999, 2, "-10"},
        {123456.789, 7, "123456.789"},
        {1e-9, 8, "0"},
        {1e20, 8, "100000000000000000000"},
        {-123456789012.5, 0, "-123456789013"},
    };
    for (const NumberRow& row : rows)
        EXPECT_EQ(Vtx_String(row.value, row.precision), row.text)
            << row.value << " precision " << row.precision;
}

TEST(VtxStringNumber, TextReadsBackToTheRoundedNumber) {
    const std::vector<double> values = {
        0.1,       1.0 / 3.0,           2.675,       12.345678912, -7.77777777,
        1e6 / 7.0, 123456789.123456789, 0.000123456, 5e-5};
    for (int precision : {8, 4, 7, 6}) {
        for (double value : values) {
            Vtx_String text(value, precision);
            double back = 0;
            ASSERT_TRUE(text.toDouble(back)) << text.c_str();
            EXPECT_LE(std::fabs(back - value), 0.5 * std::pow(10.0, -precision) * (1 + 1e-9))
                << text.c_str();
            int dot = text.find('.');
            if (dot >= 0) {
                EXPECT_LE(text.length() - dot - 1, precision) << text.c_str();
            }
            EXPECT_EQ(Vtx_String(back, precision), text) << "writing the read-back value again";
        }
    }
}

TEST(VtxStringNumber, LargeNumbersKeepEveryDigit) {
    Vtx_String big(DBL_MAX, 8);
    EXPECT_EQ(big.length(), 309);
    double back = 0;
    ASSERT_TRUE(big.toDouble(back));
    EXPECT_EQ(back, DBL_MAX);
    EXPECT_EQ(Vtx_String(-1e15, 8), "-1000000000000000");
    EXPECT_EQ(Vtx_String(0.1, 0, true), "0.1");
    EXPECT_EQ(Vtx_String(1e21, 0, true), "1000000000000000000000");
}

TEST(VtxStringNumber, ToDoubleAcceptsOnlyWholeDecimalNumbers) {
    const std::vector<std::pair<const char*, double>> good = {
        {"12.5", 12.5}, {" -3 ", -3},   {"+4e2", 400},  {".5", 0.5},
        {"1.", 1},      {"\t7\r\n", 7}, {"1E-3", 0.001}};
    for (const auto& [text, expected] : good) {
        double value = 0;
        EXPECT_TRUE(Vtx_String(text).toDouble(value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"", " ", "12mm", "inf", "nan", "0x10", "1e", "--1", "+", ".", "1,5",
                             "1e400", "1 2", "- 1"}) {
        double value = 42;
        EXPECT_FALSE(Vtx_String(text).toDouble(value)) << text;
        EXPECT_EQ(value, 42) << "value untouched for " << text;
    }
    int whole = 0;
    EXPECT_TRUE(Vtx_String("1e3").toInt(whole));
    EXPECT_EQ(whole, 1000);
    EXPECT_FALSE(Vtx_String("3.5").toInt(whole));
    EXPECT_FALSE(Vtx_String("3000000000").toInt(whole));
}

TEST(VtxStringEdit, ReplaceSubStringDoesNotRescanReplacedText) {
    Vtx_String s("ab ab");
    EXPECT_EQ(s.replaceSubString("a", "aa"), 2);
    EXPECT_EQ(s, "aab aab");

    Vtx_String overlapping("aaa");
    EXPECT_EQ(overlapping.replaceSubString("aa", "b"), 1);
    EXPECT_EQ(overlapping, "ba");

    Vtx_String folded("Width WIDTH width");
    EXPECT_EQ(folded.replaceSubString("width", "12", false), 3);
    EXPECT_EQ(folded, "12 12 12");

    Vtx_String removing("x-y-z");
    EXPECT_EQ(removing.replaceSubString("-", ""), 2);
    EXPECT_EQ(removing, "xyz");

    Vtx_String untouched("abc");
    EXPECT_EQ(untouched.replaceSubString("", "x"), 0);
    EXPECT_EQ(untouched.replaceSubString("q", "x"), 0);
    EXPECT_EQ(untouched, "abc");
}

TEST(VtxStringEdit, IndexesOutsideTheTextAreRejected) {
    Vtx_String s("abc");
    EXPECT_EQ(s.at(-1), '\0');
    EXPECT_EQ(s.at(3), '\0');
    EXPECT_FALSE(s.insertAt(4, "x"));
    EXPECT_TRUE(s.insertAt(3, "d"));
    EXPECT_FALSE(s.removeAt(4));
    EXPECT_TRUE(s.removeAt(2, 100));
    EXPECT_EQ(s, "ab");
    EXPECT_EQ(s.mid(1, 100), "b");
    EXPECT_EQ(s.mid(5), "");
    EXPECT_EQ(s.right(9), "ab");
}

TEST(VtxStringUtf8, AllBytesRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string utf8 = toUtf8(all);
    std::string back;
    ASSERT_TRUE(fromUtf8(utf8, back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(toUtf8("\x80"), "\xE2\x82\xAC") << "0x80 is the euro sign";
    EXPECT_EQ(toUtf8("\x81"), "\xC2\x81") << "undefined bytes map to their control character";
    EXPECT_EQ(toUtf8("\xE4"), "\xC3\xA4");
}

TEST(VtxStringUtf8, RejectsBadOrForeignUtf8) {
    const std::vector<std::string> bad = {
        "\xC3",             // cut short
        "\x80",             // lone continuation byte
        "a\xC3(",           // bad continuation
        "\xC0\x80",         // overlong NUL
        "\xC1\xBF",         // overlong DEL
        "\xE0\x80\x80",     // overlong three-byte form
        "\xE0\x81\x81",     // overlong three-byte form
        "\xF0\x9F\x98\x80", // four-byte character
        "\xC2\x80",         // U+0080: 0x80 is the euro sign, so no byte maps here
        "\xE4\xB8\xAD",     // a character outside Windows-1252
        "\xFF"};
    for (const std::string& text : bad) {
        std::string out;
        EXPECT_FALSE(fromUtf8(text, out)) << testing::PrintToString(text);
    }
}

} // namespace
