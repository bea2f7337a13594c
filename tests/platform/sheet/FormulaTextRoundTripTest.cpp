// The text a grid shows for a formula, and the text its file holds, read back
// to the same formula: same text shown again, same value.

#include "SheetTestUtil.h"

#include "platform/sheet/SheetModel.h"
#include "platform/sheet/formula/Parser.h"

#include <gtest/gtest.h>

namespace vtx::sheet {
namespace {

using test::sameValue;

struct Case {
    RefStyle style;
    const char* entered;
    const char* shown;
};

void fill(SheetModel& sheet) {
    test::sizeGrid(sheet);
    for (int r = 1; r <= 4; ++r) {
        sheet.setNumber(1, r, r);
        sheet.setNumber(2, r, 10 * r);
    }
}

// Where the reader would join the operands of ":" into one reference, the
// blank before ":" is kept; elsewhere formulas are shown without blanks.
TEST(FormulaTextRoundTrip, BlanksAroundTheRangeOperatorAreKeptWhereTheyMatter) {
    const Case cases[] = {
        {RefStyle::A1, "A1:A :A", "A1:A :A"},         // a name A, not the column A:A
        {RefStyle::A1, "SUM(1 :2)", "SUM(1 :2)"},     // numbers, not the rows 1:2
        {RefStyle::A1, "SUM(A1 :B2)", "SUM(A1 :B2)"}, // two cells joined, as written
        {RefStyle::A1, "SUM( A1 : B2 )", "SUM(A1 :B2)"},
        {RefStyle::A1, "SUM(A1:B2:B3)", "SUM(A1:B2:B3)"},
        {RefStyle::A1, "SUM(A1:INDEX(B1:B4,2))", "SUM(A1:INDEX(B1:B4,2))"},
        {RefStyle::A1, "SUM((A1):B2)", "SUM((A1):B2)"},
        {RefStyle::A1, "SUM(A:A :B)", "SUM(A:A:B)"}, // "A:A:B" reads the same
        {RefStyle::Default, "SUM(A1 :R2C2)", "SUM(A1 :$B$2)"},
        {RefStyle::R1C1, "SUM(C1 :R4C2)", "SUM(C1:R4C2)"}, // "C1:R4C2" reads the same
        {RefStyle::R1C1, "SUM(C1 :C2)", "SUM(C1 :C2)"},
        {RefStyle::R1C1, "SUM(C1:C2)", "SUM(C1:C2)"},
        {RefStyle::R1C1, "SUM(R1C1 :R2C2)", "SUM(R1C1 :R2C2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entered);
        SheetModel first;
        SheetModel second;
        fill(first);
        fill(second);
        first.setRefStyle(c.style);
        second.setRefStyle(c.style);
        ParseError error;
        ASSERT_TRUE(first.setFormula(5, 5, c.entered, true, &error)) << error.message();
        std::string shown;
        first.getText(5, 5, TextForm::Formula, shown);
        EXPECT_EQ(shown, c.shown);

        ASSERT_TRUE(second.setFormula(5, 5, shown, true, &error)) << error.message();
        std::string again;
        second.getText(5, 5, TextForm::Formula, again);
        EXPECT_EQ(again, shown);
        EXPECT_TRUE(sameValue(second.value(5, 5), first.value(5, 5)));

        SheetModel loaded;
        std::string why;
        ASSERT_TRUE(loaded.loadFromText(first.saveToText(), "saved", &why)) << why;
        loaded.recalcAll();
        EXPECT_TRUE(sameValue(loaded.value(5, 5), first.value(5, 5)));
    }
}

// In R1C1 style a whole row or column before ":" stands alone when what
// follows is no band of the same kind, as it does before " :".
TEST(FormulaTextRoundTrip, AnR1C1BandBeforeAColonOfAnotherKindStandsAlone) {
    SheetModel sheet;
    fill(sheet);
    sheet.setRefStyle(RefStyle::R1C1);
    // Row 1 joined with column 1 (the whole grid), not an unknown name "R1".
    FormulaCode code;
    ParseError error;
    ASSERT_TRUE(parseFormula("R1:C1", {5, 5}, RefStyle::R1C1, {}, code, error));
    EXPECT_TRUE(code.names.empty());
    ASSERT_EQ(code.ranges.size(), 2u);
    EXPECT_EQ(code.ranges[0].whole, kWholeRows);
    EXPECT_EQ(code.ranges[1].whole, kWholeColumns);
    ASSERT_TRUE(sheet.setFormula(5, 6, "SUM(C1:(R4C1))", true));
    EXPECT_TRUE(sameValue(sheet.value(5, 6), Value::number(10)));
    ASSERT_TRUE(sheet.setFormula(5, 7, "SUM(C1:R2C2)", true));
    EXPECT_TRUE(sameValue(sheet.value(5, 7), Value::number(10 + 10 + 20 + 30 + 40)));
}

} // namespace
} // namespace vtx::sheet
