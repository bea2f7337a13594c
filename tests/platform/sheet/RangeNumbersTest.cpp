// SUM and its kin over long column stretches: once walks over a column have
// paid for it, they read a copy of the column's numbers (ColumnNumbers).
// Whatever is read, the results must be those of walking the cells, through
// changes of values, errors and structure.
#include "SheetTestUtil.h"

#include <optional>
#include <vector>

namespace vtx::sheet::test {

namespace {

constexpr int kRows = 200;
constexpr int kFormulas = 40; // row r of column C sums A(r)..A(r + 99)

class RangeNumbersTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet, 10, 400);
        for (int r = 1; r <= kRows; ++r) {
            if (r % 7 == 0)
                set(r, "text");
            else if (r % 11 == 0)
                set(r, "");
            else
                set(r, std::to_string(r * 1.25));
        }
        sheet.setFormula(1, 13, "TRUE()", true); // a truth value counts nowhere
        column[12] = std::nullopt;
        for (int r = 1; r <= kFormulas; ++r) {
            std::string range = "A" + std::to_string(r) + ":A" + std::to_string(r + 99);
            sheet.setFormula(3, r, "SUM(" + range + ")", true);
            sheet.setFormula(4, r, "COUNT(" + range + ")", true);
            sheet.setFormula(5, r, "MAX(" + range + ")", true);
        }
    }

    void set(int row, const std::string& text) {
        sheet.setData(1, row, text);
        double n = 0;
        column[static_cast<std::size_t>(row - 1)] =
            parseNumber(text, n) ? std::optional<double>(n) : std::nullopt;
    }

    // Every formula against the sums, counts and maxima of what was set.
    void expectAll(const std::string& when) {
        for (int r = 1; r <= kFormulas; ++r) {
            double sum = 0;
            double count = 0;
            double max = -1e300;
            for (int k = r; k <= r + 99; ++k) {
                if (const auto& v = column[static_cast<std::size_t>(k - 1)]) {
                    sum += *v;
                    count += 1;
                    max = std::max(max, *v);
                }
            }
            EXPECT_EQ(sheet.value(3, r), Value::number(sum)) << when << ", row " << r;
            EXPECT_EQ(sheet.value(4, r), Value::number(count)) << when << ", row " << r;
            EXPECT_EQ(sheet.value(5, r), Value::number(count ? max : 0)) << when << ", row " << r;
        }
    }

    SheetModel sheet;
    std::vector<std::optional<double>> column = std::vector<std::optional<double>>(kRows);
};

} // namespace

TEST_F(RangeNumbersTest, SumsFollowEveryChangeOfTheColumn) {
    expectAll("built");
    set(50, "1000");
    expectAll("a number changed");
    set(60, "now text");
    expectAll("a number became text");
    set(77, "3.5");
    expectAll("text became a number");
    set(30, "");
    set(139, "-8");
    expectAll("two changes");
    sheet.setOption(kOptionAutoCalc, false);
    for (int r = 1; r <= kRows; r += 3)
        set(r, std::to_string(r % 5));
    sheet.setOption(kOptionAutoCalc, true);
    expectAll("many changes with recalculation off");
}

TEST_F(RangeNumbersTest, TheFirstErrorInWalkingOrderWins) {
    sheet.setFormula(1, 45, "1/0", true);
    sheet.setFormula(1, 100, "NA()", true);
    column[44] = column[99] = std::nullopt;
    EXPECT_EQ(sheet.value(3, 1), Value::error(FormulaError::Div0)) << "rows 45 and 100";
    for (int r = 46; r <= 60; ++r) {
        sheet.setFormula(6, r, "SUM(A" + std::to_string(r) + ":A200)", true);
        EXPECT_EQ(sheet.value(6, r), Value::error(FormulaError::NA)) << "row 100 only";
    }
    sheet.setFormula(2, 150, "SQRT(-1)", true);
    for (int r = 1; r <= 20; ++r)
        sheet.setFormula(7, r, "SUM(A" + std::to_string(r) + ":B200)", true);
    EXPECT_EQ(sheet.value(7, 1), Value::error(FormulaError::Div0)) << "column A before B";
    set(45, "1");
    set(100, "2");
    EXPECT_EQ(sheet.value(7, 1), Value::error(FormulaError::Num)) << "then column B";
    sheet.setData(2, 150, "0.5");
    for (int r = 1; r <= 20; ++r) {
        double sum = 0;
        for (int k = r; k <= kRows; ++k)
            sum += column[static_cast<std::size_t>(k - 1)].value_or(0);
        EXPECT_EQ(sheet.value(7, r), Value::number(sum + 0.5)) << "row " << r;
    }
    expectAll("errors gone");
}

TEST(RangeNumbersSums, SumsAreThoseOfAddingOneByOne) {
    // Where every sum of a column is exact, SUM takes running totals; where
    // adding rounds, it must add one by one as before. 1E16 + 1 rounds back
    // to 1E16, so totals would lose the ones after it; 0.1 + 1 - 1 is not
    // 0.1, so a total of 0 must not be added to 0.1 either.
    SheetModel sheet;
    sizeGrid(sheet, 10, 200);
    sheet.setNumber(1, 1, 1e16);
    sheet.setNumber(2, 1, 0.5);
    for (int r = 2; r <= 150; ++r) {
        sheet.setNumber(1, r, 1);
        sheet.setNumber(2, r, r % 3 ? 0.25 * r : -0.75 * r);
        sheet.setNumber(3, r, 0.1 * r);
        sheet.setNumber(4, r, r % 2 ? 1 : -1); // 0.1 + 1 - 1 is not 0.1
    }
    auto sequential = [&](double start, int col, int row0, int row1) {
        double s = start;
        for (int r = row0; r <= row1; ++r)
            s += sheet.value(col, r).asNumber();
        return s;
    };
    for (int round = 0; round < 3; ++round) { // copies are made on the way
        for (int r = 1; r <= 40; ++r) {
            std::string from = std::to_string(r);
            std::string to = std::to_string(r + 100);
            for (int col = 1; col <= 4; ++col) {
                std::string name(1, static_cast<char>('A' + col - 1));
                sheet.setFormula(5, r, "SUM(" + name + from + ":" + name + to + ")", true);
                EXPECT_EQ(sheet.value(5, r).asNumber(), sequential(0, col, r, r + 100))
                    << name << from << ":" << name << to;
                sheet.setFormula(6, r, "SUM(1E16," + name + from + ":" + name + to + ")", true);
                EXPECT_EQ(sheet.value(6, r).asNumber(), sequential(1e16, col, r, r + 100));
                sheet.setFormula(7, r, "SUM(-3," + name + from + ":" + name + to + ")", true);
                EXPECT_EQ(sheet.value(7, r).asNumber(), sequential(-3, col, r, r + 100));
                sheet.setFormula(9, r, "SUM(0.1," + name + from + ":" + name + to + ")", true);
                EXPECT_EQ(sheet.value(9, r).asNumber(), sequential(0.1, col, r, r + 100));
                sheet.setFormula(8, r, "SUM(-2.5,B1:B150," + name + from + ":" + name + to + ")",
                                 true);
                EXPECT_EQ(sheet.value(8, r).asNumber(),
                          sequential(sequential(-2.5, 2, 1, 150), col, r, r + 100));
            }
        }
    }
}

TEST_F(RangeNumbersTest, RowsInsertedAndDeletedAndWholeColumns) {
    auto total = [&] {
        double sum = 0;
        for (const auto& v : column)
            sum += v.value_or(0);
        return sum;
    };
    sheet.setFormula(7, 300, "SUM(A:A)", true);
    EXPECT_EQ(sheet.value(7, 300).asNumber(), total());
    ASSERT_TRUE(sheet.deleteRows(1, 10));
    column.erase(column.begin(), column.begin() + 10);
    EXPECT_EQ(sheet.value(7, 290).asNumber(), total()) << "after deleting rows";
    ASSERT_TRUE(sheet.insertRows(1, 10));
    column.insert(column.begin(), 10, std::nullopt);
    for (int r = 1; r <= 10; ++r)
        set(r, "2");
    EXPECT_EQ(sheet.value(7, 300).asNumber(), total()) << "after inserting rows";
}

} // namespace vtx::sheet::test
