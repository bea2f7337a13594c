// The fast paths of entering and evaluating formulas must give exactly what
// the general paths give: a formula filled down a column takes the program
// of the row above by comparing texts, and formulas of numbers and truth
// values run on a stack of plain values.

#include "SheetTestUtil.h"

#include "platform/sheet/CellStore.h"
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/formula/Parser.h"

#include <random>

namespace vtx::sheet::test {

namespace {

/// A formula text with numbers that follow the row it is entered in.
struct Template {
    std::vector<std::string> pieces;
    /// Per piece, the number written after it: -1 none, else an offset added
    /// to the row (kind 0) or a fixed number (kind 1).
    std::vector<std::pair<int, int>> numbers;

    std::string at(int row) const {
        std::string text;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            text += pieces[i];
            auto [kind, n] = numbers[i];
            if (kind == 0)
                text += std::to_string(row + n);
            else if (kind == 1)
                text += std::to_string(n);
        }
        return text;
    }
};

} // namespace

TEST(FormulaFastPaths, FillingDownGivesWhatEnteringInAnyOrderGives) {
    // Columns of formulas filled down across 9/10, 99/100 and 999/1000, once
    // from the top (each row is then mostly the row above moved down) and
    // once from the bottom (every row goes through the shape keys or the
    // parser): texts, values and refusals must agree cell by cell.
    // Operands are written before and operators between the numbers of a
    // template; a number follows the row (a relative row filled down), or
    // stays (an absolute row, a number, digits in a text).
    const char* before[] = {"Z",     "$Z",  "Y",  "AB",      "A", "SUM(Z",
                            "MAX(Y", "\"t", "1E", "LOG10(Z", "Z$"};
    const char* after[] = {"", "", "", "", "", ")", ",1)", "\"", "", ")", ""};
    const char* between[] = {"+", "-", "*", "&", ">"};
    std::mt19937 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    constexpr int kCols = 24;
    constexpr int kRows = 1100;
    std::vector<Template> columns;
    while (static_cast<int>(columns.size()) < kCols) {
        Template t;
        t.pieces.emplace_back();
        for (int k = 1 + pick(4); k > 0; --k) {
            int operand = pick(static_cast<int>(std::size(before)));
            if (t.pieces.size() > 1)
                t.pieces.back() += between[pick(static_cast<int>(std::size(between)))];
            t.pieces.back() += before[operand];
            t.pieces.emplace_back(after[operand]);
            int kind = pick(5) == 0 ? 1 : 0;
            t.numbers.emplace_back(kind, kind == 0 ? pick(3) * pick(100) : 1 + pick(1000));
        }
        t.numbers.emplace_back(-1, 0);
        columns.push_back(t);
    }
    SheetModel down;
    SheetModel up;
    for (SheetModel* s : {&down, &up}) {
        sizeGrid(*s, 30, kRows + 400);
        for (int r = 1; r <= kRows + 400; ++r) {
            s->setNumber(25, r, r);     // Y
            s->setNumber(26, r, r % 7); // Z
        }
    }
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c)
            down.setFormula(c, r, columns[c - 1].at(r), false);
    for (int r = kRows; r >= 1; --r)
        for (int c = 1; c <= kCols; ++c)
            up.setFormula(c, r, columns[c - 1].at(r), false);
    down.recalcAll();
    up.recalcAll();
    int formulas = 0;
    for (int c = 1; c <= kCols; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            std::string a;
            std::string b;
            down.getText(c, r, TextForm::Formula, a);
            up.getText(c, r, TextForm::Formula, b);
            ASSERT_EQ(a, b) << "column " << c << " row " << r;
            ASSERT_EQ(down.value(c, r), up.value(c, r)) << a << " in row " << r;
            if (!a.empty()) {
                ASSERT_EQ(a, columns[c - 1].at(r));
                ++formulas;
            }
        }
    }
    EXPECT_GT(formulas, kRows * kCols * 4 / 5) << "too few of the random texts are formulas";
}

TEST(FormulaFastPaths, NumbersAndTruthValuesGiveWhatTheGeneralPathGives) {
    // Every formula is evaluated once on the path of plain values and once
    // on the general path, over cells holding numbers, nothing, truth
    // values, texts and errors: the values must be the same.
    CellStore cells;
    cells.ensure(1, 1).value = Value::number(2.5);
    cells.ensure(1, 2).value = Value::number(-4);
    cells.ensure(1, 3).value = Value::number(0);
    cells.ensure(1, 4).value = Value::boolean(true);
    cells.ensure(1, 5).value = Value::text("7");
    cells.ensure(1, 6).value = Value::error(FormulaError::Div0);
    cells.ensure(1, 8).value = Value::number(0.1);
    cells.ensure(1, 9).value = Value::number(0.2);
    cells.ensure(1, 10).value = Value::number(1e308);
    // A7 stays empty.
    const char* operands[] = {"A1",  "A2", "A3", "A4", "A5",  "A6",   "A7",    "A8",   "A9",
                              "A10", "0",  "1",  "-2", "0.3", "TRUE", "FALSE", "1E308"};
    const char* shapes[] = {"%1+%2",
                            "%1-%2*%3",
                            "%1/%2",
                            "%1^%2",
                            "-%1%",
                            "%1=%2",
                            "%1<>%2",
                            "%1<%2",
                            "%1>=%2",
                            "%1+%2=%3",
                            "IF(%1,%2,%3)",
                            "IF(%1>0,%2)",
                            "IF(%1,,%2)",
                            "MAX(%1,%2)",
                            "MIN(%1,%2,%3)",
                            "SUM(%1,%2)",
                            "AVERAGE(%1,%2)",
                            "AND(%1,%2)",
                            "OR(%1>%2,%3)",
                            "NOT(%1)",
                            "ROUND(%1,%2)",
                            "SQRT(%1)",
                            "MOD(%1,%2)",
                            "ABS(%1)+%2",
                            "POWER(%1,%2)",
                            "XOR(%1,%2)",
                            "IF(AND(%1>%2,%3<>0),%1/%3,ABS(%2-%3))",
                            "PI()*%1",
                            "TRUE()",
                            "ROUNDUP(%1,1)",
                            "INT(%1)*SIGN(%2)",
                            "ATAN2(%1,%2)",
                            "LN(%1)",
                            "%1"};
    std::mt19937 rng(11);
    Interpreter interpreter(cells, nullptr, nullptr);
    int scalar = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = filledShape(shapes, operands, rng);
        FormulaCode code;
        ParseError error;
        ASSERT_TRUE(parseFormula(text, {3, 3}, RefStyle::Default, nullptr, code, error)) << text;
        code.arithmeticOnly = false;
        code.scalarOnly = isScalarProgram(code);
        if (!code.scalarOnly)
            continue;
        ++scalar;
        Value fast = interpreter.evaluate(code, {3, 3});
        code.scalarOnly = false;
        Value general = interpreter.evaluate(code, {3, 3});
        ASSERT_EQ(fast, general) << text;
    }
    EXPECT_GT(scalar, 15000);
}

TEST(FormulaFastPaths, ProgramsOfTextsRangesAndOtherFunctionsKeepTheGeneralPath) {
    for (const char* text : {"A1&\"x\"", "SUM(A1:A3)", "LEN(A1)", "IFERROR(1/A1,0)", "NOW()",
                             "ROUND(A1,)", "INDEX(A1:A3,2)", "SUM(A1*B1:B3)"}) {
        FormulaCode code;
        ParseError error;
        ASSERT_TRUE(parseFormula(text, {3, 3}, RefStyle::Default, nullptr, code, error)) << text;
        EXPECT_FALSE(isScalarProgram(code)) << text;
    }
}

} // namespace vtx::sheet::test
