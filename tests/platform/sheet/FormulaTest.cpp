// The formula language: fixture files of operators and functions, reference
// styles, formula texts, parse errors and the nesting limit.
#include "SheetTestUtil.h"

#include "platform/sheet/formula/FormulaTextCache.h"
#include "platform/sheet/functions/FunctionRegistry.h"

#include <cmath>
#include <ctime>
#include <fstream>
#include <random>
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

    // Fills a column from row 1: "=..." a formula, anything else as typed.
    void fillColumn(int col, std::initializer_list<const char*> cells) {
        int row = 1;
        for (const char* text : cells) {
            if (text[0] == '=')
                ASSERT_TRUE(sheet.setFormula(col, row, text + 1, true)) << text;
            else
                sheet.setData(col, row, text);
            ++row;
        }
    }

    // Every line "formula<TAB>expected" of a fixture file is one check; a
    // line "!E1<TAB>data<TAB>data..." fills cells from E1 downwards (data
    // starting with "=" is a formula) for the checks after it.
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
            if (formula[0] == '!') {
                fillCells(formula.substr(1), line.substr(tab + 1));
                continue;
            }
            SCOPED_TRACE(name + ":" + std::to_string(lineNo) + ": " + formula);
            CHECK_EVAL(sheet, formula, expectedValue(line.substr(tab + 1)));
            ++cases;
        }
        EXPECT_GT(cases, 10);
    }

    void fillCells(const std::string& corner, const std::string& data) {
        std::size_t digits = corner.find_first_of("0123456789");
        ASSERT_TRUE(digits > 0 && digits < corner.size()) << corner;
        int col = 0;
        for (std::size_t i = 0; i < digits; ++i)
            col = col * 26 + (corner[i] - 'A' + 1);
        int row = std::stoi(corner.substr(digits));
        std::istringstream items(data);
        std::string item;
        while (std::getline(items, item, '\t')) {
            if (!item.empty() && item[0] == '=')
                ASSERT_TRUE(sheet.setFormula(col, row, item, true)) << item;
            else
                sheet.setData(col, row, item);
            ++row;
        }
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

TEST_F(FormulaTest, RangesInsideArrayArgumentsComputeElementByElement) {
    runFixture("arrays.txt");
}

TEST_F(FormulaTest, ASingleValueIsTakenInTheFormulasRowOrColumn) {
    // Outside SUM and its kin a range stands for its cell in the formula's
    // row (or column), before and after an operator or a function.
    ASSERT_TRUE(sheet.setFormula(6, 3, "A1:A4*2", true));
    EXPECT_EQ(sheet.value(6, 3), Value::number(6));
    ASSERT_TRUE(sheet.setFormula(6, 4, "IF(A1:A4>2,\"y\",\"n\")", true));
    EXPECT_EQ(sheet.value(6, 4), Value::text("y"));
    ASSERT_TRUE(sheet.setFormula(6, 1, "IF(A1:A4>2,\"y\",\"n\")", true));
    EXPECT_EQ(sheet.value(6, 1), Value::text("n"));
    ASSERT_TRUE(sheet.setFormula(6, 2, "ABS(-A1:A4)+SUM(A1:A4*2)", true));
    EXPECT_EQ(sheet.value(6, 2), Value::number(22));
    ASSERT_TRUE(sheet.setFormula(3, 6, "A1:D1&\"!\"", true)) << "a row range by column";
    EXPECT_EQ(sheet.value(3, 6), Value::text("10!"));
    // An element-wise result keeps the range it came from: the sum of the
    // array is taken whole, the array itself gives its element in row 2.
    ASSERT_TRUE(sheet.setFormula(7, 2, "C1:C4/A1:A4+SUMPRODUCT(C1:C4/A1:A4)", true));
    EXPECT_EQ(sheet.value(7, 2), Value::number(10 + 40));
}

TEST_F(FormulaTest, ArrayResultsFollowTheirPrecedents) {
    ASSERT_TRUE(sheet.setFormula(6, 1, "SUMPRODUCT((A1:A4>2)*C1:C4)", true));
    EXPECT_EQ(sheet.value(6, 1), Value::number(70));
    sheet.setData(1, 2, "5");
    EXPECT_EQ(sheet.value(6, 1), Value::number(90));
    sheet.setData(3, 3, "x");
    EXPECT_EQ(sheet.value(6, 1), Value::error(FormulaError::Value));
}

TEST_F(FormulaTest, ReferencesFromFunctionsWholeColumnsAndUnknownNames) {
    runFixture("references.txt");
}

TEST_F(FormulaTest, NewFormsAreShownAsWritten) {
    const char* formulas[] = {"SUM(A:A)+SUM($2:$3)",
                              "SUM(B1:INDEX(C1:C9,2))",
                              "Width*2+length",
                              "SUM(OFFSET(A1,1,1):C$9)",
                              "-A1:B2",
                              "COUNTA($A:C)",
                              "INDIRECT(\"A\"&ROW())",
                              "SUM(IF(A1:A4>2,A1:A4))"};
    for (const char* f : formulas) {
        ParseError e;
        ASSERT_TRUE(sheet.setFormula(7, 7, f, false, &e)) << f << ": " << e.message();
        std::string text;
        sheet.getText(7, 7, TextForm::Formula, text);
        EXPECT_EQ(text, f);
    }
    sheet.setRefStyle(RefStyle::R1C1);
    ASSERT_TRUE(sheet.setFormula(7, 7, "SUM(C1)+SUM(R[-1]:R2)+COUNT(C[-1]:C)", false));
    std::string text;
    sheet.getText(7, 7, TextForm::Formula, text);
    EXPECT_EQ(text, "SUM(C1)+SUM(R[-1]:R2)+COUNT(C[-1]:C)");
    sheet.setRefStyle(RefStyle::A1);
    sheet.getText(7, 7, TextForm::Formula, text);
    EXPECT_EQ(text, "SUM($A:$A)+SUM(6:$2)+COUNT(F:G)");
}

TEST_F(FormulaTest, WholeColumnsStayWholeWhenRowsAndColumnsChange) {
    ASSERT_TRUE(sheet.setFormula(6, 1, "SUM(C:C)+SUM(2:2)", true));
    EXPECT_EQ(sheet.value(6, 1), Value::number(100 + 2 + 20));
    std::string text;
    ASSERT_TRUE(sheet.setFormula(6, 10, "SUM(C:C)+SUM(2:2)", true));
    ASSERT_TRUE(sheet.insertRows(1, 3));
    sheet.getText(6, 13, TextForm::Formula, text);
    EXPECT_EQ(text, "SUM(C:C)+SUM(5:5)");
    ASSERT_TRUE(sheet.deleteRows(2, 1));
    ASSERT_TRUE(sheet.insertCols(1, 1));
    sheet.getText(7, 12, TextForm::Formula, text);
    EXPECT_EQ(text, "SUM(D:D)+SUM(4:4)");
    EXPECT_EQ(sheet.value(7, 12), Value::number(100 + 2 + 20));
}

TEST_F(FormulaTest, RunTimeReferencesAreOrderedAndFollowTheirCells) {
    // K1 reads L1 only through INDIRECT: no written reference orders them,
    // yet K1 sees L1's new value, and M1 follows K1.
    ASSERT_TRUE(sheet.setFormula(12, 1, "N1*2", true));
    ASSERT_TRUE(sheet.setFormula(11, 1, "INDIRECT(\"L1\")+1", true));
    ASSERT_TRUE(sheet.setFormula(13, 1, "K1*10", true));
    sheet.setData(14, 1, "5");
    EXPECT_EQ(sheet.value(12, 1), Value::number(10));
    EXPECT_EQ(sheet.value(11, 1), Value::number(11));
    EXPECT_EQ(sheet.value(13, 1), Value::number(110));
    // A range joined at run time follows its cells and its end.
    ASSERT_TRUE(sheet.setFormula(11, 2, "SUM(C1:INDEX(C1:C4,A1))", true));
    EXPECT_EQ(sheet.value(11, 2), Value::number(10));
    sheet.setData(1, 1, "3");
    EXPECT_EQ(sheet.value(11, 2), Value::number(60));
    sheet.setData(3, 2, "25");
    EXPECT_EQ(sheet.value(11, 2), Value::number(65));
    // A cycle closed only through INDIRECT is a cycle.
    ASSERT_TRUE(sheet.setFormula(11, 3, "INDIRECT(\"K3\")+1", true));
    EXPECT_EQ(sheet.value(11, 3), Value::error(FormulaError::Circular));
    ASSERT_TRUE(sheet.setFormula(11, 4, "OFFSET(K4,1,0)", true));
    ASSERT_TRUE(sheet.setFormula(11, 5, "K4+1", true));
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(11, 4), Value::error(FormulaError::Circular));
}

TEST_F(FormulaTest, UnknownNamesKeepTheirFormulaUntilMended) {
    ASSERT_TRUE(sheet.setFormula(6, 1, "Width*2", true));
    EXPECT_EQ(sheet.value(6, 1), Value::error(FormulaError::Name));
    TempDir dir;
    ASSERT_TRUE(sheet.save(dir.file("names.vxs")));
    SheetModel loaded;
    ASSERT_TRUE(loaded.load(dir.file("names.vxs")));
    std::string text;
    loaded.getText(6, 1, TextForm::Formula, text);
    EXPECT_EQ(text, "Width*2");
    EXPECT_EQ(loaded.value(6, 1), Value::error(FormulaError::Name));
}

TEST_F(FormulaTest, MathFunctionsRoundToMultiplesAndCountWholeNumbers) {
    runFixture("functions-math.txt");
}

TEST_F(FormulaTest, ChoiceFunctionsAndAddressTexts) {
    runFixture("functions-logical.txt");
}

TEST_F(FormulaTest, StatisticsOfListsAndFittedLines) {
    runFixture("functions-stat.txt");
}

TEST_F(FormulaTest, ConvertTurnsUnitsOfOneKindIntoEachOther) {
    runFixture("functions-convert.txt");
}

TEST_F(FormulaTest, DateFunctionsCountSerialDaysOfThe1900System) {
    runFixture("functions-date.txt");
}

TEST_F(FormulaTest, TodayAndNowFollowTheLocalClock) {
    // The local serial from the clock: 25569 is 1970-01-01, the zone's offset
    // from UTC added.
    auto localSerial = [] {
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return 25569 + static_cast<double>(t + local.tm_gmtoff) / 86400;
    };
    double before = localSerial();
    ASSERT_TRUE(sheet.setFormula(5, 1, "NOW()", true));
    ASSERT_TRUE(sheet.setFormula(5, 2, "TODAY()", true));
    double after = localSerial();
    double now = sheet.value(5, 1).asNumber();
    EXPECT_GE(now, before - 2.0 / 86400);
    EXPECT_LE(now, after + 2.0 / 86400);
    double today = sheet.value(5, 2).asNumber();
    EXPECT_EQ(today, std::floor(today)) << "TODAY has no time of day";
    EXPECT_GE(today, std::floor(before - 2.0 / 86400));
    EXPECT_LE(today, std::floor(after + 2.0 / 86400));
}

TEST_F(FormulaTest, LookupsMatchAsCommonSpreadsheetProgramsDo) {
    // The cells described at the top of the fixture.
    fillColumn(6, {"=0.1*3", "=1.1*1.1", "=0.7*3", "=4.35*100"});
    fillColumn(7, {"p", "q", "r", "s"});
    fillColumn(8, {"=1/0", "1", "=1/0", "1", "=1/0", "=NA()", "=1/0"});
    fillColumn(9, {"a", "b", "c", "d", "e", "f", "g"});
    fillColumn(10, {"a*b", "axxb", "what?", "wh", "~tilde"});
    fillColumn(11, {"1", "t", "3", "", "5", "=TRUE()", "7", "=1/0"});
    fillColumn(12, {"40", "30", "20", "10", "0"});
    runFixture("functions-lookup.txt");
}

TEST_F(FormulaTest, CriteriaMatchAsCommonSpreadsheetProgramsDo) {
    fillColumn(
        14, {"12", "=\"12\"", "=\"\"", "", "=TRUE()", "apple pie", "=1/0", "=0.1+0.2", "b", "B2"});
    fillColumn(15, {"1", "2", "4", "8", "16", "32", "64", "128", "256", "512"});
    runFixture("functions-criteria.txt");
}

TEST_F(FormulaTest, TextFormatsNumbersDatesAndTextsByTheirCodes) {
    runFixture("text-format.txt");
}

TEST(TextJoin, WholeColumnsJoinOnlyWhatCanShow) {
    // Empty cells matter only between shown delimiters, and a join stops once
    // it passes the text limit, so million-row ranges stay cheap.
    SheetModel sheet;
    sizeGrid(sheet, 20, 1048576);
    sheet.setData(1, 1, "a");
    sheet.setData(2, 1000000, "b");
    sheet.setData(1, 1048576, "c");
    sheet.setData(3, 2, ";");
    CHECK_EVAL(sheet, "TEXTJOIN(\"\",FALSE,A1:S1048576)", Value::text("a;bc"));
    CHECK_EVAL(sheet, "CONCAT(A1:S1048576)", Value::text("a;bc"));
    CHECK_EVAL(sheet, "TEXTJOIN(\",\",TRUE,A1:B1048576)", Value::text("a,b,c"));
    CHECK_EVAL(sheet, "TEXTJOIN(\",\",FALSE,A1:A1048576)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "TEXTJOIN(C1:C1048576,TRUE,A1:B1048576)", Value::text("ab;c"));
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
    // R1C1 style reads only R1C1 references: A1 is a name it does not know.
    EXPECT_TRUE(sheet.setFormula(6, 6, "A1+1", true));
    EXPECT_EQ(sheet.value(6, 6), Value::error(FormulaError::Name));
    EXPECT_TRUE(sheet.setFormula(6, 6, "RC[-5]+1", true));
    EXPECT_EQ(sheet.value(6, 6).asNumber(), 1 + 0); // A6 is empty
    sheet.setRefStyle(RefStyle::A1);
    EXPECT_TRUE(sheet.setFormula(6, 6, "R1C1+1", true)) << "in A1 style R1C1 is a name";
    EXPECT_EQ(sheet.value(6, 6), Value::error(FormulaError::Name));
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

TEST(FormulaShapes, TextThatReadsLikeARowOffsetIsNoRowOffset) {
    SheetModel s;
    sizeGrid(s, 10, 30);
    s.setNumber(1, 3, 7);
    // Once known, a shape is taken without parsing: a text that only looks
    // like a known shape's key must still be parsed (and here refused).
    ASSERT_TRUE(s.setFormula(2, 3, "A3&\"~0\"", true));
    EXPECT_EQ(s.value(2, 3), Value::text("7~0"));
    ParseError e;
    EXPECT_FALSE(s.setFormula(2, 4, "A~0&\"~0\"", true, &e));
    // Texts holding the byte that marks offsets in keys are parsed each time.
    for (int r = 3; r <= 5; ++r) {
        std::string row = std::to_string(r);
        ASSERT_TRUE(s.setFormula(3, r, "\"\xFF" + row + "\"&A" + row, true));
        EXPECT_EQ(s.value(3, r), Value::text("\xFF" + row + (r == 3 ? "7" : "")));
    }
}

TEST(FormulaShapes, ComparingWithTheLastFormulaAgreesWithShapeKeys) {
    // Texts made of pieces that shape keys treat differently, a second text
    // made from the first with its numbers mostly moved by the rows between
    // them: the cheap comparison must say "same shape" exactly when the two
    // shape keys are equal.
    const char* pieces[] = {"A", "b", "AB", "XFD", "ABCD", "R", "$A",  "LOG", "SUM(", "(", ")",
                            "+", "*", "&",  ":",   ",",    " ", "\"t", "\"",  "E",    ".", "$",
                            "[", "_", "C",  "r",   "\xFF", "1", "2A",  "_B",  ".C"};
    std::mt19937 rng(2024);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int alike = 0;
    int checked = 0;
    for (int round = 0; round < 200000; ++round) {
        int lastRow = 1 + pick(2000);
        int delta = pick(4) == 0 ? 0 : pick(11) - 5;
        int row = std::max(1, lastRow + delta);
        std::string last;
        std::string text;
        for (int k = 1 + pick(7); k > 0; --k) {
            std::string piece = pieces[pick(static_cast<int>(std::size(pieces)))];
            last += piece;
            text += pick(20) == 0 ? pieces[pick(static_cast<int>(std::size(pieces)))] : piece;
            if (pick(2) == 0) {
                int n = pick(5) == 0 ? pick(100000000) : pick(1000);
                last += std::to_string(n);
                int choice = pick(10);
                int moved = choice < 6 ? n + (row - lastRow) : choice < 8 ? n : n + pick(3);
                text += (pick(10) == 0 ? "0" : "") + std::to_string(std::max(0, moved));
            }
        }
        ShapeKey lastKey;
        ShapeKey key;
        if (!FormulaTextCache::shapeKey(last, {3, lastRow}, RefStyle::Default, lastKey))
            continue;
        bool cacheable = FormulaTextCache::shapeKey(text, {3, row}, RefStyle::Default, key);
        bool same = cacheable && key.view() == lastKey.view();
        ASSERT_EQ(FormulaTextCache::sameShape(text, row, last, lastRow, lastKey.rows.data(),
                                              lastKey.rowCount),
                  same)
            << "\"" << last << "\" in row " << lastRow << ", \"" << text << "\" in row " << row;
        alike += same;
        ++checked;
    }
    EXPECT_GT(alike, 10000);
    EXPECT_GT(checked, 100000);
}

TEST(FormulaShapes, ReferencesAtTheEdgesOfTheGrid) {
    SheetModel s;
    sizeGrid(s);
    ParseError e;
    EXPECT_TRUE(s.setFormula(1, 1, "XFD1048576+1", true, &e)) << e.message();
    EXPECT_EQ(s.value(1, 1).asNumber(), 1);
    // Beyond the grid a reference is no reference but a name: #NAME?.
    for (const char* name : {"XFE1+1", "A0", "A1048577", "R0C1"}) {
        EXPECT_TRUE(s.setFormula(1, 1, name, true, &e)) << name;
        EXPECT_EQ(s.value(1, 1), Value::error(FormulaError::Name)) << name;
    }
    EXPECT_TRUE(s.setFormula(1, 1, "XFD1048576+1", true, &e));
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
