// Operators and functions taken element by element over whole columns and
// rows: the results are those of every row (empty cells as empty), computed
// for the filled part and padded beyond it.

#include "SheetTestUtil.h"

#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

namespace vtx::sheet {
namespace {

using test::sameValue;

constexpr double kRows = kMaxRows;

class WholeColumnArrays : public ::testing::Test {
protected:
    void SetUp() override {
        test::sizeGrid(sheet, 20, kMaxRows);
        // A1:A3 = 1, 2, 3; B1:B3 = 10, 20, 30; C1 = TRUE; the last row of
        // D holds 5, so that D's filled part reaches the grid's end.
        for (int r = 1; r <= 3; ++r) {
            sheet.setNumber(1, r, r);
            sheet.setNumber(2, r, 10.0 * r);
        }
        ASSERT_TRUE(sheet.setFormula(3, 1, "TRUE()", true));
        sheet.setNumber(4, kMaxRows, 5);
    }

    void expect(const char* formula, const Value& want) {
        SCOPED_TRACE(formula);
        ParseError error;
        ASSERT_TRUE(sheet.setFormula(10, 10, formula, true, &error)) << error.message();
        EXPECT_TRUE(sameValue(sheet.value(10, 10), want));
    }

    SheetModel sheet;
};

TEST_F(WholeColumnArrays, EmptyCellsCountAsZeroOrEmptyTextInEveryRow) {
    expect("SUM(A:A*2)", Value::number(12));
    expect("COUNT(A:A*2)", Value::number(kRows));
    expect("COUNTA(A:A&\"\")", Value::number(kRows));
    expect("AVERAGE(A:A*2)", Value::number(12 / kRows));
    expect("ROWS(A:A*2)", Value::number(kRows));
    expect("INDEX(A:A*2,2)", Value::number(4));
    expect("INDEX(A:A*2,1000000)", Value::number(0));
    expect("INDEX(A:A&\"-\",1000000)", Value::text("-"));
    expect("SUM(D:D*2)", Value::number(10));
    expect("SUM(1:1*2)", Value::number(2 + 20 + 2));
    expect("COLUMNS(1:1*2)", Value::number(kMaxCols));
    expect("AND(A:A>=0)", Value::boolean(true));
    expect("OR(A:A>5)", Value::boolean(false));
    expect("SUM(A:A/0)", Value::error(FormulaError::Div0));
    expect("TEXTJOIN(\",\",TRUE,IF(A:A>1,A:A,\"\"))", Value::text("2,3"));
}

TEST_F(WholeColumnArrays, SumproductOfWholeColumnsTakesEveryRow) {
    expect("SUMPRODUCT((A:A>1)*B:B)", Value::number(50));
    expect("SUMPRODUCT(A:A,B:B)", Value::number(10 + 40 + 90));
    expect("SUMPRODUCT(A:A+1)", Value::number(2 + 3 + 4 + (kRows - 3)));
    expect("SUMPRODUCT(A:B*1)", Value::number(66));
    expect("SUMPRODUCT(SIGN(A:A))", Value::number(3));
    expect("SUMPRODUCT(A:A,D:D)", Value::number(0));
    expect("SUMPRODUCT(A:A/0)", Value::error(FormulaError::Div0));
}

// Beyond a smaller operand the element is #N/A, as for any array of
// another size; a single row or column stands for every row or column.
TEST_F(WholeColumnArrays, OperandsOfOtherSizesKeepTheirMeaning) {
    expect("SUM(A1:A3*B:B)", Value::error(FormulaError::NA));
    expect("SUM(A:A*A1)", Value::number(6));
    expect("SUM(1:1*A1:A2)", Value::number((1 + 10 + 1) * (1 + 2)));
    expect("INDEX(1:1*A1:A3,2,5)", Value::number(0));
    expect("ROWS(A1:B3*A:A)", Value::number(kRows));
    expect("INDEX(A1:B3*A:A,3,2)", Value::number(30 * 3));
    expect("INDEX(A1:B3*A:A,4,1)", Value::error(FormulaError::NA));
}

// A formula giving a whole column's array shows the element in its own row.
TEST_F(WholeColumnArrays, AWholeColumnResultShowsTheElementOfItsRow) {
    ASSERT_TRUE(sheet.setFormula(6, 2, "A:A*2", true));
    EXPECT_TRUE(sameValue(sheet.value(6, 2), Value::number(4)));
    ASSERT_TRUE(sheet.setFormula(6, 500, "A:A*2", true));
    EXPECT_TRUE(sameValue(sheet.value(6, 500), Value::number(0)));
}

} // namespace
} // namespace vtx::sheet
