// Look-ups into long columns (the exact-match index) and over arrays.
#include "SheetTestUtil.h"

#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/FunctionRegistry.h"

#include <memory>

namespace vtx::sheet::test {

namespace {

constexpr int kRows = 150;

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override { sizeGrid(sheet, 20, 400); }

    // A1:A150 = 1..150, B = A*0.1 (computed: 0.30000000000000004 for 3),
    // C = "r1".."r150".
    void fillComputedColumn() {
        for (int r = 1; r <= kRows; ++r) {
            sheet.setNumber(1, r, r);
            ASSERT_TRUE(sheet.setFormula(2, r, "A" + std::to_string(r) + "*0.1", true));
            sheet.setData(3, r, "r" + std::to_string(r));
        }
    }

    Value eval(const std::string& formula) {
        EXPECT_TRUE(sheet.setFormula(20, 400, formula, true)) << formula;
        return sheet.value(20, 400);
    }

    SheetModel sheet;
};

} // namespace

TEST_F(LookupTest, ComputedNumbersAreFoundByTheirFifteenDigitConstant) {
    fillComputedColumn();
    ASSERT_NE(sheet.value(2, 3).asNumber(), 0.3) << "the column holds the computed 3*0.1";
    // Every row, by the constant that agrees with it to 15 digits: the
    // first look-up builds the index, the others probe it.
    for (int r = 1; r <= kRows; ++r) {
        const std::string key = formatGeneral(r / 10.0);
        ASSERT_TRUE(sameValue(eval("MATCH(" + key + ",B1:B150,0)"), Value::number(r))) << key;
    }
    EXPECT_EQ(eval("VLOOKUP(0.7,B1:C150,2,FALSE)"), Value::text("r7"));
    EXPECT_EQ(eval("XLOOKUP(0.3,B1:B150,C1:C150)"), Value::text("r3"));
    EXPECT_EQ(eval("XLOOKUP(14.7,B1:B150,C1:C150,,0,-1)"), Value::text("r147"));
    EXPECT_EQ(eval("MATCH(0.30000001,B1:B150,0)"), Value::error(FormulaError::NA));
    // The same keys as numbers computed in the formula.
    EXPECT_EQ(eval("MATCH(0.1+0.2,B1:B150,0)"), Value::number(3));
    EXPECT_EQ(eval("MATCH(A3/10,B1:B150,0)"), Value::number(3));
}

TEST_F(LookupTest, TheIndexFollowsChangesOfTheColumn) {
    fillComputedColumn();
    EXPECT_EQ(eval("MATCH(0.6,B1:B150,0)"), Value::number(6));
    sheet.setFormula(20, 1, "MATCH(10,B1:B150,0)", true);
    EXPECT_EQ(sheet.value(20, 1), Value::number(100));
    // A6 = 100 makes B6 = 10: the recalculated formula cell changes the
    // column, and the look-up sees the earlier row.
    sheet.setNumber(1, 6, 100);
    EXPECT_EQ(sheet.value(20, 1), Value::number(6));
    EXPECT_EQ(eval("MATCH(0.6,B1:B150,0)"), Value::error(FormulaError::NA));
    sheet.setData(2, 6, "");
    EXPECT_EQ(sheet.value(20, 1), Value::number(100));
    // Rows inserted above the table move the range the formulas refer to.
    sheet.insertRows(1, 2);
    EXPECT_EQ(sheet.value(20, 3), Value::number(100));
}

TEST_F(LookupTest, WildcardKeysAreMatchedOverALongColumnWithoutTheIndex) {
    for (int r = 1; r <= 200; ++r)
        sheet.setData(1, r, "Item-" + std::to_string(1000 + r));
    sheet.setData(1, 120, "a*b");
    sheet.setData(1, 150, "axb");
    sheet.setData(1, 180, "A~B");
    EXPECT_EQ(eval("MATCH(\"item-10?7\",A1:A200,0)"), Value::number(7));
    EXPECT_EQ(eval("MATCH(\"*-1200\",A1:A200,0)"), Value::number(200));
    EXPECT_EQ(eval("MATCH(\"*99\",A1:A200,0)"), Value::number(99));
    EXPECT_EQ(eval("VLOOKUP(\"ITEM-1*\",A1:A200,1,0)"), Value::text("Item-1001"));
    // "a*b" as a pattern finds the first of "a*b" and "axb"; with the star
    // escaped, or in XLOOKUP's exact mode, only the text "a*b".
    EXPECT_EQ(eval("MATCH(\"a*b\",A1:A200,0)"), Value::number(120));
    EXPECT_EQ(eval("MATCH(\"a?b\",A1:A200,0)"), Value::number(120));
    sheet.setData(1, 120, "a-b");
    EXPECT_EQ(eval("MATCH(\"a*b\",A1:A200,0)"), Value::number(120));
    EXPECT_EQ(eval("MATCH(\"a~*b\",A1:A200,0)"), Value::error(FormulaError::NA));
    sheet.setData(1, 120, "a*b");
    EXPECT_EQ(eval("MATCH(\"a~*b\",A1:A200,0)"), Value::number(120));
    EXPECT_EQ(eval("XLOOKUP(\"a?b\",A1:A200,A1:A200,\"none\")"), Value::text("none"));
    EXPECT_EQ(eval("XLOOKUP(\"A*B\",A1:A200,A1:A200)"), Value::text("a*b"));
    EXPECT_EQ(eval("XLOOKUP(\"a?b\",A1:A200,A1:A200,,2,-1)"), Value::text("A~B"));
    EXPECT_EQ(eval("XLOOKUP(\"a?b\",A1:A200,A1:A200,,2)"), Value::text("a*b"));
    EXPECT_EQ(eval("MATCH(\"a~~b\",A1:A200,0)"), Value::number(180));
    // A key without wildcards still goes through the index, case ignored.
    EXPECT_EQ(eval("MATCH(\"ITEM-1150\",A1:A200,0)"), Value::error(FormulaError::NA));
    EXPECT_EQ(eval("MATCH(\"ITEM-1151\",A1:A200,0)"), Value::number(151));
}

TEST_F(LookupTest, ApproximateLookupsInALongColumnPassOverOtherKinds) {
    for (int r = 1; r <= 300; ++r) {
        if (r % 7 == 0)
            sheet.setData(1, r, "text");
        else if (r % 11 == 0)
            ASSERT_TRUE(sheet.setFormula(1, r, "1/0", true));
        else if (r % 13 != 0) // every 13th row stays empty
            sheet.setNumber(1, r, r * 2);
    }
    // The largest number <= key wherever the key falls.
    for (int key = 2; key <= 620; key += 3) {
        int want = -1;
        for (int r = 1; r <= 300; ++r)
            if (r % 7 != 0 && r % 11 != 0 && r % 13 != 0 && r * 2 <= key)
                want = r;
        ASSERT_EQ(eval("MATCH(" + std::to_string(key) + ",A1:A300)"), Value::number(want)) << key;
    }
    EXPECT_EQ(eval("MATCH(1,A1:A300)"), Value::error(FormulaError::NA));
    EXPECT_EQ(eval("LOOKUP(\"zzz\",A1:A300)"), Value::text("text"));
}

namespace {

// Calls a built-in function's body with operands as the interpreter would
// pass them: arrays are values computed element by element.
Operand callBuiltIn(const char* name, std::vector<Operand> args, const CellStore& cells) {
    const int index = findFunction(name);
    EXPECT_GE(index, 0) << name;
    Operand result;
    FunctionCall call{args.data(), static_cast<int>(args.size()), result, cells, CellPos{1, 1},
                      nullptr};
    functionInfo(static_cast<std::uint32_t>(index)).body(call);
    return result;
}

Operand arrayOf(int rows, int cols, std::vector<Value> values) {
    auto a = std::make_shared<ArrayValue>();
    a->rows = rows;
    a->cols = cols;
    a->values = std::move(values);
    Operand op;
    op.setArray(std::move(a));
    return op;
}

Operand number(double n) {
    Operand op;
    op.setNumber(n);
    return op;
}

Operand text(std::string t) {
    Operand op;
    op.setText(std::move(t));
    return op;
}

Operand missing() {
    Operand op;
    op.kind = OperandKind::Missing;
    return op;
}

} // namespace

TEST(LookupArrays, SearchAndResultVectorsMayBeArrays) {
    const CellStore cells;
    const Value div0 = Value::error(FormulaError::Div0);
    const Value one = Value::number(1);
    // 1/(D1:D9="x") for "x" in rows 2, 5 and 6.
    const Operand marks = arrayOf(9, 1, {div0, one, div0, div0, one, one, div0, div0, div0});
    std::vector<Value> letters;
    for (char c = 'a'; c <= 'i'; ++c)
        letters.push_back(Value::text(std::string(1, c)));
    const Operand names = arrayOf(9, 1, letters);

    Operand r = callBuiltIn("LOOKUP", {number(2), marks, names}, cells);
    EXPECT_EQ(r.kind, OperandKind::Text);
    EXPECT_EQ(r.text, "f") << "the last row holding x";
    r = callBuiltIn("MATCH", {number(1), marks, number(0)}, cells);
    EXPECT_EQ(r.number, 2);
    r = callBuiltIn("MATCH", {text("E"), arrayOf(1, 9, letters), number(0)}, cells);
    EXPECT_EQ(r.number, 5) << "a one-row array";
    r = callBuiltIn("MATCH", {text("?"), names, number(0)}, cells);
    EXPECT_EQ(r.number, 1);
    r = callBuiltIn("XLOOKUP", {number(1), marks, names, missing(), number(0), number(-1)}, cells);
    EXPECT_EQ(r.text, "f");

    // A 3 x 2 table: VLOOKUP reads its second column, HLOOKUP its rows,
    // XLOOKUP returns a row of it as an array.
    const Operand table =
        arrayOf(3, 2,
                {Value::number(10), Value::text("ten"), Value::number(20), Value::text("twenty"),
                 Value::number(30), Value::text("thirty")});
    r = callBuiltIn("VLOOKUP", {number(25), table, number(2)}, cells);
    EXPECT_EQ(r.text, "twenty");
    r = callBuiltIn("HLOOKUP", {number(10), table, number(3), number(0)}, cells);
    EXPECT_EQ(r.number, 30);
    r = callBuiltIn("XLOOKUP",
                    {number(30),
                     arrayOf(3, 1, {Value::number(10), Value::number(20), Value::number(30)}),
                     table},
                    cells);
    ASSERT_EQ(r.kind, OperandKind::Array);
    EXPECT_EQ(r.array->rows, 1);
    ASSERT_EQ(r.array->cols, 2);
    EXPECT_EQ(r.array->at(0, 1), Value::text("thirty"));
    r = callBuiltIn("MATCH", {number(1), table, number(0)}, cells);
    EXPECT_EQ(r.error, FormulaError::NA) << "a table is no vector";
}

} // namespace vtx::sheet::test
