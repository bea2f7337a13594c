// FROMTABLE reading its tables from the cache of parsed tables: one read per
// version of a file, changed files read again, tables that look into
// themselves or into other tables, and look-ups by the tables' indexes.
#include "spread/FromTableCache.h"

#include "GridFolderTest.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FormulaDialog.h"
#include "spread/FromTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using vtx::sheet::FormulaError;
using vtx::sheet::Value;

namespace {

// A table file: header Key, Val, Note; one line per row, its cells separated
// by "|": a formula when it starts with "=", else a text ("" leaves the cell
// out). Paths inside formulas are written with "/"; bytes from 0x80 up as
// the file holds them, in UTF-8.
std::string tableText(std::initializer_list<std::string> rows) {
    std::string text = "VTXSHEET 1\nsize 3 " + std::to_string(rows.size()) +
                       "\ncell 1 0 t=\"Key\"\ncell 2 0 t=\"Val\"\ncell 3 0 t=\"Note\"\n";
    int row = 0;
    for (const std::string& line : rows) {
        ++row;
        int column = 1;
        std::size_t from = 0;
        while (from <= line.size()) {
            std::size_t to = line.find('|', from);
            std::string cell = line.substr(from, to == std::string::npos ? to : to - from);
            const bool formula = !cell.empty() && cell[0] == '=';
            std::string escaped;
            for (char c : cell.substr(formula ? 1 : 0))
                escaped += c == '"' || c == '\\' ? std::string{'\\', c} : std::string(1, c);
            if (!cell.empty())
                text += "cell " + std::to_string(column) + " " + std::to_string(row) +
                        (formula ? " f=\"" : " t=\"") + escaped + (formula ? "\" n=0\n" : "\"\n");
            ++column;
            if (to == std::string::npos)
                break;
            from = to + 1;
        }
    }
    return text + "end\n";
}

class FromTableCache : public GridFolderTest {
protected:
    FromTableCache() : GridFolderTest("vtx_fromtable_cache_", {"a", "b"}) {}
    void SetUp() override {
        GridFolderTest::SetUp();
        clearFromTableCache();
        grid.setMaxCols(4, false);
        grid.setMaxRows(60, false);
        ASSERT_TRUE(registerFromTable(&grid));
    }
    void TearDown() override {
        EXPECT_EQ(gridUnderEvaluation(), nullptr);
        EXPECT_EQ(fromTableDepth(), 0);
        clearFromTableCache();
        GridFolderTest::TearDown();
    }
    // The file's path with "/", for formulas inside table files.
    std::string slashed(const std::string& relative) const {
        return m_root.string() + "/" + relative;
    }
    std::string call(const std::string& relative, const std::string& rest) const {
        return "FROMTABLE(\"" + path(relative).str() + "\"," + rest + ")";
    }
    Value evaluate(const std::string& formula, int row = 60) {
        EXPECT_TRUE(grid.setCellFormula(4, row, formula, true)) << formula;
        return grid.model()->value(4, row);
    }
    // Rewrites a file keeping its modification time.
    void rewriteKeepingTime(const std::string& relative, const std::string& bytes) {
        const std::filesystem::path file = nativePath(path(relative));
        const auto time = std::filesystem::last_write_time(file);
        write(relative, bytes);
        std::filesystem::last_write_time(file, time);
    }
    long long loads() const { return fromTableCacheStats().loads; }

    Host host;
    HostScope scope{host};
};

TEST_F(FromTableCache, ManyCallsIntoOneTableReadItOnce) {
    write("t.kss", tableText({"P1|1.5", "P2|3", "p3|4.5"}));
    for (int row = 1; row <= 40; ++row) {
        const std::string rest = row % 2
                                     ? "B" + std::to_string(row % 3 + 1)
                                     : "\"key\",\"VAL\",\"P" + std::to_string(row % 3 + 1) + "\"";
        ASSERT_TRUE(grid.setCellFormula(1, row, call("t.kss", rest), true));
    }
    EXPECT_EQ(loads(), 1);
    EXPECT_EQ(fromTableCacheStats().reuses, 39);
    EXPECT_EQ(grid.model()->value(1, 2).asText(), "4.5") << "P3 found as p3";
    EXPECT_EQ(grid.model()->value(1, 3).asText(), "1.5");
    grid.recalcAll();
    EXPECT_EQ(loads(), 1) << "kept across recalculations";
    EXPECT_EQ(fromTableCacheStats().tables, 1);
}

TEST_F(FromTableCache, OnlyAChangedFileIsReadAgain) {
    write("t.kss", tableText({"P1|old1"}));
    EXPECT_EQ(evaluate(call("t.kss", "B1")).asText(), "old1");
    // Same size, same time: the version read before.
    rewriteKeepingTime("t.kss", tableText({"P1|new1"}));
    EXPECT_EQ(evaluate(call("t.kss", "B1")).asText(), "old1");
    EXPECT_EQ(loads(), 1);
    // A new time (same size) or a new size is a new version.
    const std::filesystem::path file = nativePath(path("t.kss"));
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(2));
    EXPECT_EQ(evaluate(call("t.kss", "B1")).asText(), "new1");
    rewriteKeepingTime("t.kss", tableText({"P1|newer"}));
    EXPECT_EQ(evaluate(call("t.kss", "B1")).asText(), "newer");
    EXPECT_EQ(loads(), 3);
    // A removed file is not served from the cache.
    std::filesystem::remove(file);
    EXPECT_EQ(evaluate(call("t.kss", "B1")).asError(), FormulaError::NA);
    ASSERT_EQ(host.commandLine().errorLines().length(), 1);
    EXPECT_TRUE(host.commandLine().errorLines()[0].hasSubString("t.kss"))
        << host.commandLine().text();
    EXPECT_EQ(fromTableCacheStats().tables, 0);
}

TEST_F(FromTableCache, RelativeNamesAreKeyedByTheFolderTheyAreFoundIn) {
    // Two files of one name, size and time in two folders.
    write("a\\t.kss", tableText({"P1|inA"}));
    write("b\\t.kss", tableText({"P1|inB"}));
    const auto time = std::filesystem::last_write_time(nativePath(path("a\\t.kss")));
    std::filesystem::last_write_time(nativePath(path("b\\t.kss")), time);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(m_root / "a");
    const Value inA = evaluate("FROMTABLE(\"t.kss\",B1)");
    std::filesystem::current_path(m_root / "b");
    const Value inB = evaluate("FROMTABLE(\"t.kss\",B1)");
    std::filesystem::current_path(before);
    EXPECT_EQ(inA.asText(), "inA");
    EXPECT_EQ(inB.asText(), "inB");
}

TEST_F(FromTableCache, TableLookingIntoItselfIsReadOnce) {
    // Column C of each row looks up the value of the next key in the table
    // itself; the table is also the caller grid, as `vtxss sheet` runs it.
    const std::string self = slashed("self.kss");
    auto next = [&](int key) {
        return "|=FROMTABLE(\"" + self + "\",\"Key\",\"Val\",\"P" + std::to_string(key) + "\")";
    };
    write("self.kss", tableText({"P1|10" + next(2), "P2|20" + next(3), "P3|30" + next(1)}));
    EXPECT_EQ(evaluate(call("self.kss", "C2")).asText(), "30");
    Vtx_String reason;
    ASSERT_TRUE(grid.loadFile(path("self.kss"), &reason)) << reason.str();
    ASSERT_TRUE(registerFromTable(&grid));
    grid.recalcAll();
    EXPECT_EQ(grid.model()->value(3, 1).asText(), "20");
    EXPECT_EQ(grid.model()->value(3, 3).asText(), "10");
    EXPECT_EQ(loads(), 1);
    EXPECT_FALSE(host.commandLine().hasErrors()) << host.commandLine().text();
}

TEST_F(FromTableCache, TableFollowsTheTablesItReads) {
    write("inner.kss", tableText({"P1|5"}));
    write("outer.kss", tableText({"P1|=FROMTABLE(\"" + slashed("inner.kss") + "\",B1)*2"}));
    EXPECT_EQ(evaluate(call("outer.kss", "B1")).asText(), "10");
    write("inner.kss", tableText({"P1|7.5"}));
    EXPECT_EQ(evaluate(call("outer.kss", "B1")).asText(), "15")
        << "outer is kept, its target is computed again";
    EXPECT_EQ(loads(), 3) << "outer once, inner twice";
}

TEST_F(FromTableCache, WritesOfACallInsideATableDoNotOutliveTheCall) {
    // A1 copies the value of P2 into B1 of its own grid (a call inside the
    // table with a target); B1 of the file holds "saved".
    const std::string self = slashed("w.kss");
    write("w.kss", tableText({"=IF(ISNA(FROMTABLE(\"" + self + "\",B2,B1)),1,0)|saved", "P2|22"}));
    EXPECT_EQ(evaluate(call("w.kss", "A1")).asText(), "1");
    EXPECT_EQ(evaluate(call("w.kss", "B1")).asText(), "saved");
    EXPECT_EQ(loads(), 1);
}

TEST_F(FromTableCache, KeyLookUpsGiveWhatAScanOfTheLoadedTableGives) {
    write("k.kss", tableText({"M12|first|", "m12|second|", "|no key|", "\xc3\xa9t\xc3\xa9|accent|",
                              "3|three|", "24.5|frac|", "=A5&\"x\"|formula|3x"}));
    auto lookUp = [&](const std::string& keyColumn, const std::string& key) {
        return evaluate(call("k.kss", keyColumn + ",\"Val\"," + key));
    };
    EXPECT_EQ(lookUp("\"KEY\"", "\"M12\"").asText(), "first") << "the first match";
    EXPECT_EQ(lookUp("\"Key\"", "\"\xc9T\xc9\"").asText(), "accent") << "Windows-1252 letters";
    EXPECT_EQ(lookUp("\"Key\"", "3").asText(), "three") << "a whole number";
    EXPECT_EQ(lookUp("\"Key\"", "49/2").asText(), "frac") << "a number with a fraction";
    EXPECT_EQ(lookUp("\"Key\"", "\"\"").asText(), "no key") << "the first row without a key";
    EXPECT_EQ(lookUp("\"Key\"", "\"M1\"").asError(), FormulaError::NA);
    EXPECT_EQ(lookUp("\"Note\"", "\"\"").asText(), "first") << "a cell that does not exist";
    // A formula key compares with its saved value (0), also after a call
    // computed it ("3x") in the grid the calls are evaluated in.
    EXPECT_EQ(evaluate(call("k.kss", "A7")).asText(), "3x");
    EXPECT_EQ(lookUp("\"Key\"", "\"3x\"").asError(), FormulaError::NA);
    EXPECT_EQ(lookUp("\"Key\"", "0").asText(), "formula");
    EXPECT_EQ(lookUp("\"Note\"", "\"3X\"").asText(), "formula");
    EXPECT_EQ(loads(), 1);
}

TEST_F(FromTableCache, KeepsAFewTablesLeastRecentlyUsedOut) {
    for (int i = 0; i <= kFromTableCacheTables; ++i)
        write("t" + std::to_string(i) + ".kss", tableText({"P1|" + std::to_string(i)}));
    for (int i = 0; i <= kFromTableCacheTables; ++i) {
        EXPECT_EQ(evaluate(call("t" + std::to_string(i) + ".kss", "B1")).asText(),
                  std::to_string(i));
        evaluate(call("t1.kss", "B1")); // t1 stays in use
    }
    EXPECT_EQ(fromTableCacheStats().tables, kFromTableCacheTables);
    const long long before = loads();
    evaluate(call("t1.kss", "B1"));
    EXPECT_EQ(loads(), before) << "t1 was used last";
    evaluate(call("t0.kss", "B1"));
    EXPECT_EQ(loads(), before + 1) << "t0 was dropped first";
}

} // namespace
