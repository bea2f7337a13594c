// Recalculation: what a change reaches, automatic recalculation on and off,
// long chains, cycles.
#include "SheetTestUtil.h"

namespace vtx::sheet::test {

namespace {

// Counts the calls of a custom function, to see which cells were evaluated.
struct CallCounter {
    int calls = 0;
};

CallCounter* gCounter = nullptr;

int countingIdentity(ValueRecord* result, ValueRecord* args, int) {
    ++gCounter->calls;
    *result = args[0];
    return 1;
}

class RecalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet);
        gCounter = &counter;
        sheet.addCustomFunction("ID", 1, 1, countingIdentity, kCustomValues);
    }
    CallCounter counter;
    SheetModel sheet;
};

} // namespace

TEST_F(RecalcTest, AutomaticRecalculationFollowsAChangeThroughItsDependents) {
    sheet.setData(1, 1, "2");
    sheet.setFormula(1, 2, "A1*10", true);
    sheet.setFormula(1, 3, "A2+A1", true);
    sheet.setFormula(2, 1, "SUM(A1:A3)", true);
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 2 + 20 + 22);
    sheet.setData(1, 1, "3");
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 33);
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 3 + 30 + 33);
}

TEST_F(RecalcTest, OnlyCellsThatDependOnAChangeAreEvaluated) {
    sheet.setData(1, 1, "1");
    sheet.setData(1, 2, "1");
    sheet.setFormula(2, 1, "ID(A1)", true);
    sheet.setFormula(2, 2, "ID(A2)", true);
    sheet.setFormula(2, 3, "ID(B1)+1", true);
    counter.calls = 0;
    sheet.setData(1, 1, "5");
    EXPECT_EQ(counter.calls, 2) << "B1 and B3, not B2";
    EXPECT_EQ(sheet.value(2, 3).asNumber(), 6);
}

TEST_F(RecalcTest, AChangeReachesExactlyTheFormulasThatStillReadTheCell) {
    // One formula, two, then many reading A1 (kept in the cell, then apart),
    // some removed in between, first and last among them.
    sheet.setData(1, 1, "1");
    for (int r = 1; r <= 12; ++r)
        sheet.setFormula(2, r, "ID(A1)*" + std::to_string(r), true);
    for (int r : {12, 1, 5, 6})
        sheet.setData(2, r, "0");
    sheet.setFormula(2, 5, "ID(A1)*5", true);
    counter.calls = 0;
    sheet.setData(1, 1, "3");
    EXPECT_EQ(counter.calls, 9);
    for (int r = 1; r <= 12; ++r) {
        bool reads = r != 12 && r != 1 && r != 6;
        EXPECT_EQ(sheet.value(2, r).asNumber(), reads ? 3 * r : 0) << "row " << r;
    }
    // Down to one reader and back to two.
    for (int r = 2; r <= 11; ++r)
        if (r != 7)
            sheet.setData(2, r, "0");
    sheet.setFormula(3, 1, "A1+ID(A1)", true);
    counter.calls = 0;
    sheet.setData(1, 1, "4");
    EXPECT_EQ(counter.calls, 2);
    EXPECT_EQ(sheet.value(2, 7).asNumber(), 28);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 8);
}

TEST_F(RecalcTest, RecalculationStopsWhereAValueDoesNotChange) {
    sheet.setData(1, 1, "1");
    sheet.setFormula(2, 1, "IF(A1>0,1,0)", true);
    sheet.setFormula(3, 1, "ID(B1)", true);
    counter.calls = 0;
    sheet.setData(1, 1, "7"); // B1 stays 1
    EXPECT_EQ(counter.calls, 0);
    sheet.setData(1, 1, "-1");
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 0);
}

TEST_F(RecalcTest, WithRecalculationOffNothingChangesUntilAsked) {
    sheet.setOption(kOptionAutoCalc, false);
    sheet.setData(1, 1, "1");
    sheet.setFormula(1, 2, "A1+1", true);
    sheet.setFormula(1, 3, "A2+1", true);
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 3) << "a computed formula has its value at once";
    sheet.setData(1, 1, "10");
    EXPECT_EQ(sheet.value(1, 2).asNumber(), 2);
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 3);
    EXPECT_TRUE(sheet.recalcCell(1, 3));
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 12) << "a cell is recalculated after its precedents";
    sheet.setData(1, 1, "20");
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 22);
    sheet.setData(1, 1, "30");
    sheet.setOption(kOptionAutoCalc, true);
    EXPECT_EQ(sheet.value(1, 3).asNumber(), 32) << "switching on catches up";
}

TEST_F(RecalcTest, FormulaSetWithoutComputeWaitsForARecalculation) {
    sheet.setData(1, 1, "4");
    sheet.setOption(kOptionAutoCalc, false);
    sheet.setFormula(2, 2, "A1*2", false);
    EXPECT_TRUE(sheet.value(2, 2).isEmpty());
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(2, 2).asNumber(), 8);
}

TEST_F(RecalcTest, AMillionCellChainEvaluatesWithoutRecursion) {
    SheetModel big;
    big.setMaxCols(1);
    big.setMaxRows(1000000);
    big.setOption(kOptionAutoCalc, false);
    big.setData(1, 1, "1");
    for (int r = 2; r <= 1000000; ++r)
        ASSERT_TRUE(big.setFormula(1, r, "A" + std::to_string(r - 1) + "+1", false));
    big.recalcAll();
    EXPECT_EQ(big.value(1, 1000000).asNumber(), 1000000);
    big.setOption(kOptionAutoCalc, true);
    big.setData(1, 1, "2");
    EXPECT_EQ(big.value(1, 1000000).asNumber(), 1000001);
}

TEST_F(RecalcTest, ChainBuiltBackwardsStillEvaluatesInOrder) {
    for (int r = 40; r >= 2; --r)
        sheet.setFormula(1, r, "A" + std::to_string(r - 1) + "*2", true);
    sheet.setData(1, 1, "1");
    EXPECT_EQ(sheet.value(1, 40).asNumber(), std::ldexp(1.0, 39));
}

TEST_F(RecalcTest, ACycleGivesTheCircularErrorInItsCellsOnly) {
    sheet.setData(1, 1, "1");
    sheet.setFormula(2, 1, "A1+C1", true);
    sheet.setFormula(3, 1, "B1+1", true); // closes B1 -> C1 -> B1
    sheet.setFormula(4, 1, "IFERROR(C1,0)+5", true);
    sheet.setFormula(5, 1, "A1+1", true);
    EXPECT_EQ(sheet.value(2, 1), Value::error(FormulaError::Circular));
    EXPECT_EQ(sheet.value(3, 1), Value::error(FormulaError::Circular));
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 5) << "behind the cycle, not in it";
    EXPECT_EQ(sheet.value(5, 1).asNumber(), 2);
    // Breaking the cycle brings values back.
    sheet.setFormula(3, 1, "A1+1", true);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 2);
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 3);
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 7);
}

TEST_F(RecalcTest, SelfReferenceAndRangeCycleAreFound) {
    sheet.setFormula(1, 1, "A1+1", true);
    EXPECT_EQ(sheet.value(1, 1), Value::error(FormulaError::Circular));
    sheet.setFormula(2, 5, "SUM(B1:B4)", true);
    sheet.setFormula(2, 2, "B5*2", true);
    EXPECT_EQ(sheet.value(2, 5), Value::error(FormulaError::Circular));
    EXPECT_EQ(sheet.value(2, 2), Value::error(FormulaError::Circular));
}

TEST_F(RecalcTest, ACycleIsFoundWithRecalculationOffToo) {
    sheet.setOption(kOptionAutoCalc, false);
    sheet.setFormula(1, 1, "B1", true);
    sheet.setFormula(2, 1, "A1", true);
    EXPECT_EQ(sheet.value(2, 1), Value::error(FormulaError::Circular));
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(1, 1), Value::error(FormulaError::Circular));
    EXPECT_EQ(sheet.value(2, 1), Value::error(FormulaError::Circular));
}

TEST_F(RecalcTest, ALongCycleNeverHangs) {
    sheet.setMaxRows(20000);
    sheet.setOption(kOptionAutoCalc, false);
    for (int r = 1; r < 20000; ++r)
        ASSERT_TRUE(sheet.setFormula(1, r, "A" + std::to_string(r + 1), false));
    sheet.setFormula(1, 20000, "A1", false);
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(1, 12345), Value::error(FormulaError::Circular));
    EXPECT_EQ(sheet.value(1, 20000), Value::error(FormulaError::Circular));
}

TEST_F(RecalcTest, RangeFormulasFollowChangesInsideTheirRange) {
    for (int r = 1; r <= 10; ++r)
        sheet.setData(1, r, std::to_string(r));
    sheet.setFormula(2, 1, "SUM(A1:A10)", true);
    sheet.setFormula(2, 2, "SUM(A5:A6)", true);
    sheet.setFormula(2, 3, "VLOOKUP(7,A1:A10,1,0)", true);
    sheet.setData(1, 5, "100");
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 55 - 5 + 100);
    EXPECT_EQ(sheet.value(2, 2).asNumber(), 106);
    sheet.setData(1, 7, "8");
    EXPECT_EQ(sheet.value(2, 3), Value::error(FormulaError::NA))
        << "the look-up index saw the change";
    sheet.setData(1, 9, "7");
    EXPECT_EQ(sheet.value(2, 3).asNumber(), 7);
}

TEST_F(RecalcTest, RangesAndSingleReferencesOrderOneRecalculation) {
    // Entered with recalculation off, each formula before what it reads:
    // every formula waits for precedents reached by a range, by a single
    // reference, or both.
    sheet.setOption(kOptionAutoCalc, false);
    sheet.setFormula(4, 1, "C1+SUM(B1:B3)", false);
    sheet.setFormula(3, 1, "SUM(A1:A4)*B2", false);
    sheet.setFormula(2, 3, "A4+B2", false);
    sheet.setFormula(2, 2, "A2*2", false);
    sheet.setFormula(1, 4, "A1+A3", false);
    sheet.setFormula(1, 3, "A2+1", false);
    sheet.setFormula(1, 2, "A1*10", false);
    sheet.setData(1, 1, "1");
    sheet.recalcAll();
    // A: 1, 10, 11, 12; B2 = 20, B3 = 32; C1 = 34 * 20; D1 = C1 + 52.
    EXPECT_EQ(sheet.value(2, 3).asNumber(), 32);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 680);
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 732);
    sheet.setData(1, 1, "2");
    sheet.setOption(kOptionAutoCalc, true);
    // A: 2, 20, 21, 23; B2 = 40, B3 = 63; C1 = 66 * 40; D1 = C1 + 103.
    EXPECT_EQ(sheet.value(4, 1).asNumber(), 2743);
}

TEST_F(RecalcTest, ExactLookupsIntoALargeRangeStayRightAfterChanges) {
    sheet.setMaxRows(200);
    for (int r = 1; r <= 200; ++r) {
        sheet.setData(1, r, std::to_string(r * 3));
        sheet.setData(2, r, "v" + std::to_string(r));
    }
    sheet.setFormula(3, 1, "VLOOKUP(30,A1:B200,2,0)", true);
    sheet.setFormula(3, 2, "MATCH(30,A1:A200,0)", true);
    EXPECT_EQ(sheet.value(3, 1), Value::text("v10"));
    sheet.setData(1, 5, "30"); // an earlier row now holds the key
    EXPECT_EQ(sheet.value(3, 1), Value::text("v5"));
    EXPECT_EQ(sheet.value(3, 2).asNumber(), 5);
    sheet.setData(2, 5, "changed");
    EXPECT_EQ(sheet.value(3, 1), Value::text("changed"));
}

} // namespace vtx::sheet::test

namespace vtx::sheet::test {

TEST_F(RecalcTest, OnlyTheBranchThatIsTakenIsEvaluated) {
    sheet.setData(1, 1, "1");
    counter.calls = 0;
    CHECK_EVAL(sheet, "IF(A1>0,10,ID(5))", Value::number(10));
    CHECK_EVAL(sheet, "IF(A1<0,ID(5),20)", Value::number(20));
    CHECK_EVAL(sheet, "IF(A1<0,ID(5))", Value::boolean(false));
    CHECK_EVAL(sheet, "IFERROR(A1*3,ID(5))", Value::number(3));
    CHECK_EVAL(sheet, "IF(\"x\",ID(1),ID(2))", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "IF(1/0,ID(1),ID(2))", Value::error(FormulaError::Div0));
    EXPECT_EQ(counter.calls, 0) << "no branch that was not taken was called";
    CHECK_EVAL(sheet, "IF(A1>0,ID(7),ID(8))+IF(A1<0,ID(9),IF(A1=1,,3))", Value::number(7));
    CHECK_EVAL(sheet, "IFERROR(1/0,ID(4))", Value::number(4));
    EXPECT_EQ(counter.calls, 2);
    CHECK_EVAL(sheet, "IF(1,2,3,4)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "IFERROR(ID(1))", Value::error(FormulaError::Value));
    std::string text;
    sheet.setFormula(3, 3, "IF(A1>0,IF(A1>1,\"a\",),IFERROR(1/0,-1))", true);
    sheet.getText(3, 3, TextForm::Formula, text);
    EXPECT_EQ(text, "IF(A1>0,IF(A1>1,\"a\",),IFERROR(1/0,-1))");
    EXPECT_EQ(sheet.value(3, 3).asNumber(), 0);
    sheet.setData(1, 1, "5");
    EXPECT_EQ(sheet.value(3, 3), Value::text("a"));
    sheet.setData(1, 1, "-5");
    EXPECT_EQ(sheet.value(3, 3).asNumber(), -1);
}

} // namespace vtx::sheet::test
