// Formulas of texts run on a stack of views of the cells' texts: they must
// give exactly what the general path gives, whatever the cells hold, and a
// text built from parts of other texts must not be read after its memory
// was reused.

#include "SheetTestUtil.h"

#include "platform/sheet/CellStore.h"
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/formula/Parser.h"

namespace vtx::sheet::test {

namespace {

FormulaCode parsed(const std::string& text) {
    FormulaCode code;
    ParseError error;
    EXPECT_TRUE(parseFormula(text, {3, 3}, RefStyle::Default, nullptr, code, error)) << text;
    return code;
}

} // namespace

TEST(TextPath, GivesWhatTheGeneralPathGives) {
    CellStore cells;
    cells.ensure(1, 1).value = Value::text("BOLT-M12x40");
    cells.ensure(1, 2).value = Value::text("  two   blanks  ");
    cells.ensure(1, 3).value = Value::text("mIxEd cAsE\twith\x01 control");
    cells.ensure(1, 4).value = Value::text("7");
    cells.ensure(1, 5).value = Value::text("");
    cells.ensure(1, 6).value = Value::number(2.5);
    cells.ensure(1, 7).value = Value::number(-3);
    cells.ensure(1, 8).value = Value::number(1e20);
    cells.ensure(1, 9).value = Value::boolean(true);
    cells.ensure(1, 10).value = Value::error(FormulaError::NA);
    cells.ensure(1, 11).value = Value::text(std::string(20000, 'x')); // two exceed the limit
    cells.ensure(1, 12).value = Value::text("\xE9t\xE9 caf\xC9");     // Windows-1252 letters
    // A13 stays empty.
    const char* operands[] = {"A1",  "A2",  "A3",  "A4",    "A5",       "A6",   "A7",   "A8",
                              "A9",  "A10", "A11", "A12",   "A13",      "0",    "2",    "-1",
                              "1.5", "4",   "12",  "40000", "\"ab c\"", "\"\"", "\"3\""};
    const char* shapes[] = {
        "%1&%2",
        "%1&%2&%3",
        "LEFT(%1,%2)",
        "LEFT(%1)",
        "RIGHT(%1,%2)&RIGHT(%3)",
        "MID(%1,%2,%3)",
        "LEN(%1)+LEN(%2)",
        "LEN(%1)*%2-%3/%2",
        "LEN(%1)^%2",
        "UPPER(%1)&LOWER(%2)",
        "PROPER(%1)",
        "TRIM(%1)&CLEAN(%2)",
        "REPT(%1,%2)",
        "CONCATENATE(%1,\"/\",%2,\"/\",%3)",
        "CONCATENATE(%1)",
        "-%1&%2",
        "%1%&+%2",
        "+%1",
        "%1",
        // Parts of texts built on the stack, fed to what builds the next.
        "LEFT(%1&%2,%3)",
        "MID(UPPER(%1),%2,%3)&%1",
        "CONCATENATE(LEFT(%1,%2),%1,MID(%3&%1,2,%2))",
        "RIGHT(CONCATENATE(%1,%2),%3)&LEFT(%2&%1,%3)",
        "LEN(REPT(LEFT(%1,3),%2))&TRIM(%3&%1)",
        "(%1&%2)&(LEFT(%3,2)&%1)",
    };
    std::mt19937 rng(5);
    Interpreter interpreter(cells, nullptr, nullptr);
    int texts = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = filledShape(shapes, operands, rng);
        FormulaCode code = parsed(text);
        code.textOnly = isTextProgram(code);
        if (!code.textOnly)
            continue;
        ++texts;
        Value fast = interpreter.evaluate(code, {3, 3});
        code.textOnly = false;
        Value general = interpreter.evaluate(code, {3, 3});
        ASSERT_EQ(fast, general) << text;
    }
    EXPECT_GT(texts, 18000);
}

TEST(TextPath, TakesTextFormulasOnly) {
    for (const char* text : {"A1&\"-X\"", "LEFT(A1,4)", "MID(A1,6,3)", "LEN(B1)+LEN(D1)",
                             "CONCATENATE(C1,\"/\",D1)", "UPPER(TRIM(A1))", "-A1&1%"})
        EXPECT_TRUE(isTextProgram(parsed(text))) << text;
    // Ranges, comparisons, truth values, functions it does not know (CONCAT
    // joins ranges, FIND may fail), empty arguments and jumps stay general.
    for (const char* text :
         {"CONCAT(A1:A3)", "LEN(A1:A3)", "A1=\"x\"", "IF(A1,\"a\",\"b\")", "A1&TRUE",
          "FIND(\"-\",A1)", "LEFT(A1,)", "A1&#N/A", "LEFT(INDIRECT(\"A1\"),2)", "UNKNOWNFN(A1)"})
        EXPECT_FALSE(isTextProgram(parsed(text))) << text;
}

TEST(TextPath, FilledDownTextsFollowTheirCells) {
    // Text formulas entered down a column share one program; each row reads
    // its own cells, and a change reaches the formulas built on it.
    SheetModel sheet;
    sizeGrid(sheet, 10, 200);
    for (int r = 1; r <= 150; ++r) {
        sheet.setText(1, r, "NUT-M" + std::to_string(r));
        sheet.setFormula(2, r,
                         "LEFT(A" + std::to_string(r) + ",5)&\"/\"&LEN(A" + std::to_string(r) + ")",
                         false);
        sheet.setFormula(
            3, r, "CONCATENATE(MID(B" + std::to_string(r) + ",4,2),A" + std::to_string(r) + ")",
            false);
    }
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(2, 7), Value::text("NUT-M/6"));
    EXPECT_EQ(sheet.value(3, 120), Value::text("-MNUT-M120"));
    sheet.setText(1, 120, "WASHER");
    EXPECT_EQ(sheet.value(2, 120), Value::text("WASHE/6"));
    EXPECT_EQ(sheet.value(3, 120), Value::text("HEWASHER"));
    sheet.setNumber(1, 7, 0.25); // a number is read in general format
    EXPECT_EQ(sheet.value(2, 7), Value::text("0.25/4"));
    sheet.setFormula(1, 8, "1/0", false); // an error reaches the texts built on it
    EXPECT_EQ(sheet.value(3, 8), Value::error(FormulaError::Div0));
}

} // namespace vtx::sheet::test
