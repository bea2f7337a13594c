// Values: number texts in general and fixed format, reading numbers,
// comparison and error texts.
#include "SheetTestUtil.h"

#include "platform/sheet/formula/Interpreter.h"

namespace vtx::sheet::test {

TEST(Value, GeneralFormatShowsFifteenDigitsWithoutNeedlessZeros) {
    struct Row {
        double n;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {42, "42"},
        {-7, "-7"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.5, "2.5"},
        {123456789012345, "123456789012345"},
        {1e15, "1E+15"},
        {-2.5e20, "-2.5E+20"},
        {1e-10, "1E-10"},
        {0.000123, "0.000123"},
        {1234.5678, "1234.5678"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(formatGeneral(r.n), r.text) << r.n;
}

TEST(Value, FixedFormatRoundsTheDecimalTextHalfAwayFromZero) {
    struct Row {
        double n;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {2.675, 2, "2.68"},
        {1.005, 2, "1.01"},
        {-2.5, 0, "-3"},
        {0.125, 2, "0.13"},
        {3, 2, "3.00"},
        {-0.001, 2, "0.00"},
        {9.995, 2, "10.00"},
        {1e16, 0, "10000000000000000"},
        {123.456, 20, "123.456000000000000"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(formatFixed(r.n, r.decimals), r.text) << r.n << " " << r.decimals;
}

TEST(Value, ParseNumberAcceptsOnlyWholeDecimalTexts) {
    struct Row {
        const char* text;
        bool ok;
        double n;
    };
    const Row rows[] = {
        {"12.5", true, 12.5}, {" -3 ", true, -3}, {"+4e2", true, 400}, {".5", true, 0.5},
        {"-.5", true, -0.5},  {"1e", false, 0},   {"12mm", false, 0},  {"", false, 0},
        {"inf", false, 0},    {"nan", false, 0},  {"0x10", false, 0},  {"1,5", false, 0},
        {"--1", false, 0},    {"+", false, 0},    {"1 2", false, 0},
    };
    for (const Row& r : rows) {
        double n = -99;
        EXPECT_EQ(parseNumber(r.text, n), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(n, r.n) << r.text;
        }
    }
}

TEST(Value, ShortestFormatReadsBackExactly) {
    for (double n : {0.1, 1.0 / 3, 2.675, 1e-300, 123456789.123456789, -5e22}) {
        double back = 0;
        ASSERT_TRUE(parseNumber(formatShortest(n), back)) << formatShortest(n);
        EXPECT_EQ(back, n);
    }
}

TEST(Value, ComparisonOrdersKindsAndIgnoresCase) {
    EXPECT_LT(compareValues(Value::number(1e300), Value::text("")), 0);
    EXPECT_LT(compareValues(Value::text("zzz"), Value::boolean(false)), 0);
    EXPECT_EQ(compareValues(Value::text("ABC\xE9"), Value::text("abc\xC9")), 0);
    EXPECT_LT(compareValues(Value::text("ab"), Value::text("abc")), 0);
    EXPECT_EQ(compareValues(Value(), Value::number(0)), 0);
    EXPECT_EQ(compareValues(Value(), Value::text("")), 0);
    EXPECT_EQ(compareValues(Value(), Value::boolean(false)), 0);
    EXPECT_LT(compareValues(Value(), Value::number(1)), 0);
    EXPECT_GT(compareValues(Value::number(0), Value::number(-1)), 0);
}

TEST(Value, ErrorTextsReadBackWithoutCase) {
    for (FormulaError e :
         {FormulaError::Div0, FormulaError::Value, FormulaError::Ref, FormulaError::Name,
          FormulaError::NA, FormulaError::Num, FormulaError::Null, FormulaError::Circular}) {
        std::string text(errorText(e));
        EXPECT_EQ(errorFromText(text), e) << text;
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(errorFromText(text), e) << text;
    }
    EXPECT_EQ(errorFromText("#OOPS!"), FormulaError::None);
    EXPECT_EQ(Value::error(FormulaError::NA).toText(), "#N/A");
}

} // namespace vtx::sheet::test
