// Texts read as numbers: VALUE, operators, number arguments and SUM's list
// all read a text the same way; data typed into a cell keeps the strict
// plain-number reading.
#include "SheetTestUtil.h"

#include "platform/sheet/functions/NumberText.h"

namespace vtx::sheet::test {

namespace {

struct Reading {
    const char* text;
    bool ok;
    double value;
};

const Reading kReadings[] = {
    {"12.5", true, 12.5},
    {" -3 ", true, -3},
    {"+4e2", true, 400},
    {"1,234.5", true, 1234.5},
    {"-1,234,567", true, -1234567},
    {"1,234e1", true, 12340},
    {"$12", true, 12},
    {"-$12", true, -12},
    {"$-12", true, -12},
    {"\x80"
     "5",
     true, 5},
    {"\xA3"
     "1,000",
     true, 1000},
    {"50%", true, 0.5},
    {" -1.5e2% ", true, -1.5},
    {"(12)", true, -12},
    {"($1,200.50)", true, -1200.5},
    {"(5%)", true, -0.05},
    {"12:30", true, 0.5208333333333334},
    {"12:30:15.5", true, (12 * 3600 + 30 * 60 + 15.5) / 86400},
    {"1:30 PM", true, 13.5 / 24},
    {"12:00 am", true, 0},
    {"12:00 PM", true, 0.5},
    {"25:00", true, 25.0 / 24},
    {"1:30.5", true, 90.5 / 86400},
    {"2024-03-01", true, 45352},
    {"2024/3/1 18:00", true, 45352.75},
    {"1900-02-29", true, 60},
    {"2024-03-01T06:00", true, 45352.25},
    // Not numbers
    {"1,23", false, 0},
    {"1,2345", false, 0},
    {",123", false, 0},
    {"1,234,5", false, 0},
    {"1.234,5", false, 0},
    {"12$", false, 0},
    {"$$12", false, 0},
    {"--12", false, 0},
    {"(-12)", false, 0},
    {"(12", false, 0},
    {"12%%", false, 0},
    {"%", false, 0},
    {"$", false, 0},
    {"1e", false, 0},
    {"12:60", false, 0},
    {"13:00 PM", false, 0},
    {"12:", false, 0},
    {"2023-02-29", false, 0},
    {"2024-13-01", false, 0},
    {"1899-12-31", false, 0},
    {"2024-03-01 24:00", false, 0},
    {"2024-03-01x", false, 0},
    {"TRUE", false, 0},
    {"inf", false, 0},
    {"", false, 0},
    {"   ", false, 0},
};

// A text in a formula: doubled quotes.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

TEST(TextToNumber, ReadsDecoratedNumbersTimesAndDates) {
    for (const Reading& r : kReadings) {
        double n = -99;
        EXPECT_EQ(textToNumber(r.text, n), r.ok) << r.text;
        if (r.ok) {
            EXPECT_NEAR(n, r.value, 1e-12 * std::max(1.0, std::fabs(r.value))) << r.text;
        }
    }
}

TEST(TextToNumber, OperatorsArgumentsAndValueReadTextsAlike) {
    SheetModel sheet;
    sizeGrid(sheet);
    for (const Reading& r : kReadings) {
        SCOPED_TRACE(r.text);
        Value want = r.ok ? Value::number(r.value) : Value::error(FormulaError::Value);
        std::string text = quoted(r.text);
        CHECK_EVAL(sheet, "VALUE(" + text + ")", want);
        CHECK_EVAL(sheet, text + "+0", want);
        CHECK_EVAL(sheet, "--" + text, r.ok ? Value::number(r.value) : want);
        CHECK_EVAL(sheet, "SUM(" + text + ")", want);
        CHECK_EVAL(sheet, "ABS(" + text + ")", r.ok ? Value::number(std::fabs(r.value)) : want);
        // The same text in a cell, read through a reference.
        ASSERT_TRUE(sheet.setFormula(1, 1, text, true));
        CHECK_EVAL(sheet, "A1*1", want);
    }
}

TEST(TextToNumber, DataTypedIntoACellStaysAsWritten) {
    SheetModel sheet;
    sizeGrid(sheet);
    const char* texts[] = {"1,234", "50%", "$12", "(12)", "12:30", "2024-03-01"};
    for (const char* t : texts) {
        sheet.setData(1, 1, t);
        EXPECT_TRUE(sheet.value(1, 1).isText()) << t;
        CHECK_EVAL(sheet, "ISTEXT(A1)", Value::boolean(true));
    }
    sheet.setData(1, 1, " 12.5 ");
    EXPECT_TRUE(sheet.value(1, 1).isNumber());
    // SUM passes over texts in ranges, converted or not.
    sheet.setData(1, 1, "1,000");
    sheet.setData(1, 2, "5");
    CHECK_EVAL(sheet, "SUM(A1:A2)", Value::number(5));
    CHECK_EVAL(sheet, "A1+A2", Value::number(1005));
}

} // namespace vtx::sheet::test
