// The formula language: fixture files of operators and functions, reference
// styles, formula texts, parse errors and the nesting limit.
#include "SheetTestUtil.h"

#include "platform/sheet/functions/FunctionRegistry.h"

#include <fstream>
#include <sstream>

namespace vtx::sheet::test {

namespace {

class FormulaTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet);
        const char* a[] = {"1", "2", "3", "4", "x"};
        for (int r = 0; r < 5; ++r)
            sheet.setData(1, r + 1, a[r]);
        sheet.setFormula(1, 7, "TRUE()", true);
        sheet.setFormula(1, 8, "1/0", true);
        const char* b[] = {"Width", "Height", "Depth", "width"};
        const char* d[] = {"apple", "banana", "cherry", "date"};
        for (int r = 0; r < 4; ++r) {
            sheet.setData(2, r + 1, b[r]);
            sheet.setData(3, r + 1, std::to_string((r + 1) * 10));
            sheet.setData(4, r + 1, d[r]);
        }
    }

    // Every line "formula<TAB>expected" of a fixture file is one check.
    void runFixture(const std::string& name) {
        std::ifstream in(std::string(VTX_TEST_DATA) + "/sheet/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::string line;
        int lineNo = 0;
        int cases = 0;
        while (std::getline(in, line)) {
            ++lineNo;
            if (line.empty() || line[0] == '#')
                continue;
            auto tab = line.find('\t');
            ASSERT_NE(tab, std::string::npos) << name << ":" << lineNo;
            std::string formula = line.substr(0, tab);
            SCOPED_TRACE(name + ":" + std::to_string(lineNo) + ": " + formula);
            CHECK_EVAL(sheet, formula, expectedValue(line.substr(tab + 1)));
            ++cases;
        }
        EXPECT_GT(cases, 10);
    }

    SheetModel sheet;
};

} // namespace

TEST_F(FormulaTest, OperatorsFollowPrecedenceAndCoercion) {
    runFixture("operators.txt");
}

TEST_F(FormulaTest, FunctionsGiveTheirDocumentedResults) {
    runFixture("functions.txt");
}

TEST(FunctionRegistry, OffersAtLeastEightyFunctionsFoundWithoutCase) {
    EXPECT_GE(functionCount(), 80);
    EXPECT_GE(findFunction("vlookup"), 0);
    EXPECT_EQ(findFunction("VLookUp"), findFunction("VLOOKUP"));
    EXPECT_EQ(findFunction("NOSUCH"), -1);
}

TEST_F(FormulaTest, TextsKeepEightBitBytesAndFoldAccentedLetters) {
    // "é" and "É" are 0xE9 and 0xC9 in Windows-1252.
    CHECK_EVAL(sheet, "UPPER(\"\xE9t\xE9\")", Value::text("\xC9T\xC9"));
    CHECK_EVAL(sheet, "\"\xE9\"=\"\xC9\"", Value::boolean(true));
    CHECK_EVAL(sheet, "LEN(\"\x80\xFF\")", Value::number(2));
}

TEST_F(FormulaTest, ReferenceStylesReadAndShowFormulas) {
    ASSERT_TRUE(sheet.setFormula(5, 5, "A1+$C$2+R1C1+R[-1]C[-1]", true));
    std::string text;
    sheet.getText(5, 5, TextForm::Formula, text);
    EXPECT_EQ(text, "A1+$C$2+$A$1+D4");
    sheet.setRefStyle(RefStyle::R1C1);
    sheet.getText(5, 5, TextForm::Formula, text);
    EXPECT_EQ(text, "R[-4]C[-4]+R2C3+R1C1+R[-1]C[-1]");
    // R1C1 style reads only R1C1 references: A1 is no name it knows.
    EXPECT_FALSE(sheet.setFormula(6, 6, "A1+1", true));
    EXPECT_TRUE(sheet.setFormula(6, 6, "RC[-5]+1", true));
    EXPECT_EQ(sheet.value(6, 6).asNumber(), 1 + 0); // A6 is empty
    sheet.setRefStyle(RefStyle::A1);
    EXPECT_FALSE(sheet.setFormula(6, 6, "R1C1+1", true)) << "A1 style refuses R1C1";
    EXPECT_TRUE(sheet.setFormula(6, 6, "=A1+1", true));
    sheet.getText(6, 6, TextForm::Formula, text);
    EXPECT_EQ(text, "A1+1") << "the leading = is not kept";
}

TEST_F(FormulaTest, FormulaTextIsShownAsWrittenApartFromSpaces) {
    const char* formulas[] = {"-(1+2)*3%",     "IF(A1>=2,\"a\"\"b\",FALSE)",
                              "SUM(A1:B2,,3)", "2^-1&\"x\"",
                              "#N/A",          "-$A1+B$2"};
    for (const char* f : formulas) {
        ASSERT_TRUE(sheet.setFormula(7, 7, f, false)) << f;
        std::string text;
        sheet.getText(7, 7, TextForm::Formula, text);
        EXPECT_EQ(text, f);
    }
}

TEST_F(FormulaTest, NumberLiteralsKeepTheirSpellingInTheFormulaAndTheFile) {
    const char* formulas[] = {"0.0001*A1", "1.50+1", "1E3-1e+03", "1000000", ".5%", "007+0.10"};
    for (const char* f : formulas) {
        ASSERT_TRUE(sheet.setFormula(7, 7, f, true)) << f;
        std::string text;
        sheet.getText(7, 7, TextForm::Formula, text);
        EXPECT_EQ(text, f);
    }
    EXPECT_EQ(sheet.value(7, 7).asNumber(), 7.1);
    // In R1C1 style too, and through the file.
    sheet.setFormula(7, 8, "1.0+R1C1", true);
    sheet.setRefStyle(RefStyle::R1C1);
    std::string text;
    sheet.getText(7, 8, TextForm::Formula, text);
    EXPECT_EQ(text, "1.0+R1C1");
    const std::string file = sheet.saveToText();
    EXPECT_NE(file.find("cell 7 8 f=\"1.0+$A$1\""), std::string::npos) << file;
    SheetModel copy;
    std::string reason;
    ASSERT_TRUE(copy.loadFromText(file, "spelled", &reason)) << reason;
    copy.getText(7, 7, TextForm::Formula, text);
    EXPECT_EQ(text, "007+0.10");
}

TEST(FormulaShapes, LiteralsSpelledOtherwiseAreProgramsOfTheirOwn) {
    // "A1*1.0" and "A1*1" compute alike but show as written: they share no
    // program, while cells of one spelling still share theirs.
    SheetModel s;
    sizeGrid(s, 4, 10);
    for (int r = 1; r <= 10; ++r) {
        s.setNumber(1, r, r);
        ASSERT_TRUE(s.setFormula(
            2, r, r % 2 ? "A" + std::to_string(r) + "*1.0" : "A" + std::to_string(r) + "*1", true));
    }
    for (int r = 1; r <= 10; ++r) {
        std::string text;
        s.getText(2, r, TextForm::Formula, text);
        EXPECT_EQ(text, "A" + std::to_string(r) + (r % 2 ? "*1.0" : "*1"));
        EXPECT_EQ(s.value(2, r).asNumber(), r);
    }
    ASSERT_TRUE(s.copyRange({2, 1, 2, 2}, 3, 1));
    std::string text;
    s.getText(3, 1, TextForm::Formula, text);
    EXPECT_EQ(text, "B1*1.0");
    ASSERT_TRUE(s.insertRows(1, 1));
    s.getText(2, 2, TextForm::Formula, text);
    EXPECT_EQ(text, "A2*1.0");
}

TEST_F(FormulaTest, RefusedFormulasReportCodeAndPosition) {
    struct Case {
        const char* text;
        ParseErrorCode code;
        int position;
    };
    const Case cases[] = {
        {"", ParseErrorCode::Empty, 0},
        {"=", ParseErrorCode::Empty, 1},
        {"1+", ParseErrorCode::MissingOperand, 2},
        {"(1+2", ParseErrorCode::UnbalancedParen, 0},
        {"1+2)", ParseErrorCode::UnbalancedParen, 3},
        {"\"abc", ParseErrorCode::UnterminatedText, 0},
        {"1 2", ParseErrorCode::UnexpectedToken, 2},
        {"Width*2", ParseErrorCode::UnknownName, 0},
        {"1+?", ParseErrorCode::UnexpectedChar, 2},
        {"A1:", ParseErrorCode::BadReference, 3},
        {"*3", ParseErrorCode::MissingOperand, 0},
        {"(1,2)", ParseErrorCode::UnexpectedToken, 2},
    };
    for (const Case& c : cases) {
        ParseError e;
        sheet.setData(9, 9, "5");
        EXPECT_FALSE(sheet.setFormula(9, 9, c.text, true, &e)) << c.text;
        EXPECT_EQ(e.code, c.code) << c.text << " -> " << e.message();
        EXPECT_EQ(e.position, c.position) << c.text;
        EXPECT_EQ(sheet.value(9, 9).asNumber(), 5) << "a refused formula leaves the cell";
    }
}

TEST_F(FormulaTest, DeepNestingGivesAValueWithoutRecursion) {
    std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
    CHECK_EVAL(sheet, deep, Value::number(1));
    std::string calls;
    for (int i = 0; i < 10000; ++i)
        calls += "ABS(";
    calls += "-2" + std::string(10000, ')');
    CHECK_EVAL(sheet, calls, Value::number(2));
    std::string sum = "1";
    for (int i = 0; i < 10000; ++i)
        sum = "1+(" + sum;
    sum += std::string(10000, ')');
    CHECK_EVAL(sheet, sum, Value::number(10001));
}

TEST_F(FormulaTest, NestingBeyondTheLimitIsRefusedWithItsOwnError) {
    std::string tooDeep =
        std::string(kMaxNesting + 1, '(') + "1" + std::string(kMaxNesting + 1, ')');
    ParseError e;
    EXPECT_FALSE(sheet.setFormula(9, 9, tooDeep, true, &e));
    EXPECT_EQ(e.code, ParseErrorCode::NestingTooDeep);
}

TEST_F(FormulaTest, ValueAndDataFormsOfFormulaResults) {
    sheet.setFormula(5, 1, "1/3", true);
    sheet.setFormula(5, 2, "\"a\"&\"b\"", true);
    sheet.setFormula(5, 3, "1=1", true);
    sheet.setFormula(5, 4, "1/0", true);
    sheet.setFormula(5, 5, "10^20", true);
    std::string t;
    sheet.getText(5, 1, TextForm::Value, t);
    EXPECT_EQ(t, "0.333333333333333");
    sheet.getText(5, 2, TextForm::Data, t);
    EXPECT_EQ(t, "ab");
    sheet.getText(5, 3, TextForm::Value, t);
    EXPECT_EQ(t, "TRUE");
    sheet.getText(5, 4, TextForm::Value, t);
    EXPECT_EQ(t, "#DIV/0!");
    sheet.getText(5, 5, TextForm::Value, t);
    EXPECT_EQ(t, "1E+20");
}

} // namespace vtx::sheet::test

namespace vtx::sheet::test {

TEST(FormulaShapes, FormulasOfOneShapeShareTheirProgramButNotTheirMeaning) {
    SheetModel s;
    sizeGrid(s, 10, 30);
    for (int r = 1; r <= 20; ++r)
        s.setData(1, r, std::to_string(r * 10));
    for (int r = 2; r <= 20; ++r) {
        std::string row = std::to_string(r);
        ASSERT_TRUE(s.setFormula(2, r, "1E" + row, true)) << "exponent digits are no row";
        ASSERT_TRUE(s.setFormula(3, r, "R" + row + "C1", true)) << "R1C1 rows are absolute";
        ASSERT_TRUE(s.setFormula(4, r, "$A" + row + "+A$1", true));
        ASSERT_TRUE(s.setFormula(5, r, "\"A" + row + "\"&A" + row, true));
        ASSERT_TRUE(s.setFormula(6, r, "LOG10(A" + row + ")", true));
        EXPECT_EQ(s.value(2, r).asNumber(), std::pow(10.0, r));
        EXPECT_EQ(s.value(3, r).asNumber(), r * 10);
        EXPECT_EQ(s.value(4, r).asNumber(), r * 10 + 10);
        EXPECT_EQ(s.value(5, r), Value::text("A" + row + std::to_string(r * 10)));
        EXPECT_NEAR(s.value(6, r).asNumber(), std::log10(r * 10.0), 1e-12);
    }
    // The same text in another column is another program (relative columns).
    ASSERT_TRUE(s.setFormula(7, 5, "$A5+A$1", true));
    std::string text;
    s.getText(7, 5, TextForm::Formula, text);
    EXPECT_EQ(text, "$A5+A$1");
}

TEST(FormulaShapes, ReferencesAtTheEdgesOfTheGrid) {
    SheetModel s;
    sizeGrid(s);
    ParseError e;
    EXPECT_TRUE(s.setFormula(1, 1, "XFD1048576+1", true, &e)) << e.message();
    EXPECT_EQ(s.value(1, 1).asNumber(), 1);
    EXPECT_FALSE(s.setFormula(1, 1, "XFE1+1", true, &e)) << "beyond the last column";
    EXPECT_EQ(e.code, ParseErrorCode::UnknownName);
    EXPECT_FALSE(s.setFormula(1, 1, "A0", true, &e));
    EXPECT_FALSE(s.setFormula(1, 1, "A1048577", true, &e));
    EXPECT_FALSE(s.setFormula(1, 1, "R0C1", true, &e)) << "R1C1 rows start at 1";
    EXPECT_TRUE(s.setFormula(1, 2, "R[-1]C", true, &e));
    EXPECT_EQ(s.value(1, 2).asNumber(), 1);
    EXPECT_TRUE(s.setFormula(1, 1, "R[-1]C", true, &e)) << "relative rows may leave the grid";
    EXPECT_EQ(s.value(1, 1), Value::error(FormulaError::Ref));
    EXPECT_TRUE(s.setFormula(1, 1, "R[1048575]C[16383]", true, &e)) << e.message();
    EXPECT_FALSE(s.setFormula(1, 1, "R[2147483647]C", true, &e)) << "no position reaches it";
    EXPECT_FALSE(s.setFormula(1, 1, "RC[-2147483648]", true, &e));
    EXPECT_FALSE(s.setFormula(1, 1, "R[1048577]C", true, &e));
}

} // namespace vtx::sheet::test
