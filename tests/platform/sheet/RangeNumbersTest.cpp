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
