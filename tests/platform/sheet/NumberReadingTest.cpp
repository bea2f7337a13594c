// Numbers read from texts and numbers used as whole counts: every text and
// every number gives a defined result, the same in every locale.
#include "SheetTestUtil.h"

#include <climits>

namespace vtx::sheet::test {

TEST(NumberReading, TheLeadingNumberOfATextInTheCLocale) {
    struct Case {
        const char* text;
        LeadingNumber kind;
        double number;
    };
    const Case cases[] = {
        {"12", LeadingNumber::Number, 12},
        {"  -3.75 mm", LeadingNumber::Number, -3.75},
        {"+.5", LeadingNumber::Number, 0.5},
        {"13%", LeadingNumber::Number, 13},
        {"1,234,567.25", LeadingNumber::Number, 1234567.25},
        {"1,2345", LeadingNumber::Number, 1},
        {"1234,567", LeadingNumber::Number, 1234},
        {"2.5e3x", LeadingNumber::Number, 2500},
        {"7e", LeadingNumber::Number, 7},
        {"5.", LeadingNumber::Number, 5},
        {"0x1A", LeadingNumber::Number, 0},
        {"1e-400", LeadingNumber::Number, 0},
        {"0.000001e-400", LeadingNumber::Number, 0},
        {"1e20", LeadingNumber::Number, 1e20},
        {"1e400", LeadingNumber::OutOfRange, 0},
        {"-0.01e99999999999999999", LeadingNumber::OutOfRange, 0},
        {"", LeadingNumber::None, 0},
        {"abc", LeadingNumber::None, 0},
        {"nan", LeadingNumber::None, 0},
        {"inf", LeadingNumber::None, 0},
        {"-", LeadingNumber::None, 0},
        {".", LeadingNumber::None, 0},
    };
    for (const Case& c : cases) {
        double out = -1;
        EXPECT_EQ(readLeadingNumber(c.text, out), c.kind) << c.text;
        EXPECT_EQ(out, c.number) << c.text;
    }
    int whole = -1;
    EXPECT_TRUE(readLeadingInt("-7.9", whole));
    EXPECT_EQ(whole, -7);
    EXPECT_TRUE(readLeadingInt("nan", whole));
    EXPECT_EQ(whole, 0);
    EXPECT_TRUE(readLeadingInt("2147483647.9", whole));
    EXPECT_EQ(whole, INT_MAX);
    whole = -1;
    EXPECT_FALSE(readLeadingInt("2147483648", whole));
    EXPECT_EQ(whole, 0);
    EXPECT_FALSE(readLeadingInt("1e20", whole));
    EXPECT_FALSE(readLeadingInt("-1e400", whole));
}

TEST(NumberReading, WholeCountsAreClampedAndTruncated) {
    EXPECT_EQ(clampToInt(2.9), 2);
    EXPECT_EQ(clampToInt(-2.9), -2);
    EXPECT_EQ(clampToInt(1e20), INT_MAX);
    EXPECT_EQ(clampToInt(-1e20), -INT_MAX);
    EXPECT_EQ(clampToInt(std::nan("")), 0);
}

TEST(NumberReading, FunctionsTakeHugeCountsWithDefinedResults) {
    SheetModel sheet;
    sizeGrid(sheet);
    sheet.setNumber(1, 1, 10);
    sheet.setNumber(1, 2, 20);
    CHECK_EVAL(sheet, "ROUND(1.25,1E20)", Value::number(1.25));
    CHECK_EVAL(sheet, "TRUNC(1.25,1E20)", Value::number(1.25));
    CHECK_EVAL(sheet, "ROUNDUP(1.25,-1E20)", Value::number(0));
    CHECK_EVAL(sheet, "ROUND(-7,-400)", Value::number(0));
    CHECK_EVAL(sheet, "CHOOSE(1E20,1,2)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "CHOOSE(-1E20,1,2)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "INDEX(A1:A2,1E20)", Value::error(FormulaError::Ref));
    CHECK_EVAL(sheet, "INDEX(A1:A2,2,-1E20)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "VLOOKUP(10,A1:A2,1E20,FALSE)", Value::error(FormulaError::Ref));
    CHECK_EVAL(sheet, "SUBSTITUTE(\"aaa\",\"a\",\"b\",1E20)", Value::text("aaa"));
    CHECK_EVAL(sheet, "FIXED(1.5,1E20,TRUE)=FIXED(1.5,15,TRUE)", Value::boolean(true));
    CHECK_EVAL(sheet, "REPT(\"\",1E20)", Value::text(""));
}

} // namespace vtx::sheet::test
