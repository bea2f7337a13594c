// The twelve standards functions called the way a grid calls them: through
// 24-byte value records, with texts in global memory blocks, against the
// data files and section tables of tests/data/standards copied into a
// temporary library folder.

#include "MacroFixture.h"

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/host/GlobalText.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "standards/DataFiles.h"
#include "standards/StandardsFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using vtx::sheet::ValueRecord;

namespace {

ValueRecord number(double value) {
    ValueRecord record;
    record.setStatus(0);
    record.setType(1);
    record.setDouble(value);
    return record;
}

ValueRecord integer(int value) {
    ValueRecord record;
    record.setStatus(0);
    record.setType(0);
    record.setInt(value);
    return record;
}

ValueRecord text(const char* value) {
    ValueRecord record;
    record.setStatus(0);
    record.setType(2);
    record.setHandle(setGlobalStr(value));
    return record;
}

ValueRecord none() {
    ValueRecord record;
    record.setStatus(2);
    return record;
}

ValueRecord cell(int col, int row) {
    ValueRecord record;
    record.setStatus(0);
    record.setType(3);
    record.setCell(col, row);
    return record;
}

ValueRecord error() {
    ValueRecord record;
    record.setStatus(1);
    return record;
}

/// What a call returned and left in its result record (a text result read
/// and its block freed).
struct Outcome {
    int returned = -1;
    int status = -1;
    int type = -1;
    double number = 0;
    Vtx_String text;

    bool isNumber(double expected) const {
        return returned == 1 && status == 0 && type == 1 && number == expected;
    }
    bool isText(const char* expected) const {
        return returned == 1 && status == 0 && type == 2 && text == expected;
    }
    /// Returned true with no value (an empty text result).
    bool isEmptyResult() const { return returned == 1 && status == 2; }
    bool failed() const { return returned == 0 && status == 2; }
};

class StandardsFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        libDir = makeTempDir("vtx-functions");
        const std::filesystem::path data = std::filesystem::path(VTX_TEST_DATA) / "standards";
        std::filesystem::create_directories(libDir / "Connection Standards");
        std::filesystem::copy(data / "Data", libDir / "Connection Standards" / "Data",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy(data / "prof", libDir / "prof");
        gSettings.setLibDir(libDir.string() + "/");
        gSettings.current.standardsDiagnostics = false;
        resetSectionTableManager();
        dataFileCache().clear();
        host.setPrompter(&prompter);
    }
    void TearDown() override {
        // Every argument block was freed by the function, every result
        // block by call().
        EXPECT_EQ(host.memory().liveBlocks(), 0);
        EXPECT_TRUE(prompter.faults().empty());
        resetSectionTableManager();
        std::filesystem::remove_all(libDir);
    }

    Outcome call(const char* name, std::vector<ValueRecord> args) {
        const StandardsFunctionDef* def = findStandardsFunction(name);
        EXPECT_NE(def, nullptr) << name;
        if (def == nullptr)
            return {};
        // A result record with an old value in it, which the call must reset.
        ValueRecord result = number(-77);
        Outcome outcome;
        outcome.returned =
            callStandardsFunction(*def, &result, args.data(), static_cast<int>(args.size()));
        outcome.status = result.status();
        outcome.type = result.type();
        if (outcome.status == 0 && outcome.type == 1)
            outcome.number = result.doubleValue();
        if (outcome.status == 0 && outcome.type == 2) {
            EXPECT_TRUE(getGlobalStr(result.handle(), outcome.text));
            host.memory().free(result.handle());
        }
        return outcome;
    }

    Host host;
    HostScope scope{host};
    ScriptedPrompter prompter;
    std::filesystem::path libDir;
};

/// A grid stand-in that records registrations and keeps the handlers.
struct RecordingGrid {
    struct Entry {
        std::string name;
        int minArgs;
        int maxArgs;
        unsigned flags;
        vtx::sheet::CustomFunctionHandler handler;
    };
    bool addCustomFunction(std::string_view name, int minArgs, int maxArgs,
                           vtx::sheet::CustomFunctionHandler handler, unsigned flags) {
        entries.push_back({std::string(name), minArgs, maxArgs, flags, std::move(handler)});
        return true;
    }
    std::vector<Entry> entries;
};

} // namespace

TEST_F(StandardsFunctions, RegistersTheTwelveInOrderWithTheirCountsAndFlags) {
    RecordingGrid grid;
    ASSERT_TRUE(registerStandardsFunctions(grid));
    const std::vector<std::tuple<std::string, int, int>> expected = {
        {"ROUNDTO", 2, 2},
        {"GETCELL", 2, 7},
        {"GETPROFCELL", 2, 7},
        {"SECTIONSIZE", 2, 2},
        {"GETSYSNAME", 1, 1},
        {"STDWIDTHWITHTOLERANCE", 6, 6},
        {"STDTHICKNESSWITHTOLERANCE", 5, 5},
        {"STDSIZEWITHTOLERANCE", 5, 5},
        {"GETARRAYITEM", 2, 2},
        {"TONUMBER", 1, 1},
        {"ISNULL", 1, 1},
        {"ISPOSITIVE", 1, 1},
    };
    ASSERT_EQ(grid.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(grid.entries[i].name, std::get<0>(expected[i]));
        EXPECT_EQ(grid.entries[i].minArgs, std::get<1>(expected[i]));
        EXPECT_EQ(grid.entries[i].maxArgs, std::get<2>(expected[i]));
        EXPECT_EQ(grid.entries[i].flags, unsigned{vtx::sheet::kCustomNoValueIsEmptyText});
    }
    // The registered handler is the function itself.
    ValueRecord result;
    std::vector<ValueRecord> args = {number(12.3), number(5)};
    EXPECT_EQ(grid.entries[0].handler(&result, args.data(), 2), 1);
    EXPECT_EQ(result.doubleValue(), 10);
}

TEST_F(StandardsFunctions, FailureResetsTheResultToNoValue) {
    EXPECT_TRUE(call("ROUNDTO", {number(1)}).failed()) << "too few arguments";
    EXPECT_TRUE(call("ROUNDTO", {number(1), number(2), number(3)}).failed()) << "too many";
    EXPECT_TRUE(call("ROUNDTO", {text("12"), number(5)}).failed()) << "a text is not a number";
    EXPECT_TRUE(call("ROUNDTO", {error(), number(5)}).failed());
    // Text blocks of a refused call are freed all the same (TearDown checks).
    EXPECT_TRUE(call("GETSYSNAME", {text("a"), text("b")}).failed());
}

TEST_F(StandardsFunctions, NumbersIntegersAndQuotedTextsAreCoercedCentrally) {
    EXPECT_TRUE(call("ROUNDTO", {integer(13), integer(5)}).isNumber(15));
    EXPECT_TRUE(call("ROUNDTO", {number(12.5), number(5)}).isNumber(15));
    EXPECT_TRUE(call("ROUNDTO", {number(-12.3), number(5)}).isNumber(-10));
    EXPECT_TRUE(call("TONUMBER", {text("\"7.25\"")}).isNumber(7.25)) << "one quote off each end";
    EXPECT_TRUE(call("GETSYSNAME", {text("\"\"x\"\"")}).isText("\"x\""));
}

TEST_F(StandardsFunctions, TextBlocksAreReadWithinTheirBoundsAndBadHandlesAreErrors) {
    HostGlobalMemory& memory = host.memory();
    ValueRecord unterminated;
    unterminated.setStatus(0);
    unterminated.setType(2);
    unterminated.setHandle(memory.alloc(kGlobalMovable, 3));
    std::memcpy(memory.lock(unterminated.handle()), "HEB", 3);
    memory.unlock(unterminated.handle());
    EXPECT_TRUE(call("GETSYSNAME", {unterminated}).isText("HEB"));

    ValueRecord stale = text("x");
    memory.free(stale.handle());
    EXPECT_TRUE(call("ISNULL", {stale}).failed()) << "an unreadable text is not an empty one";
}

TEST_F(StandardsFunctions, GetCellLooksUpNumberKeysByTheirPrecisionSixText) {
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(20)}).isText("22")) << "20 -> \"20\"";
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), integer(16)}).isText("18"));
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(12.5)}).isText("14"))
        << "12.5 -> \"12.5\"; the comment after the value is not part of it";
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(20.0000001)}).isText("22"))
        << "noise below six decimals does not change the key";
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(20.001)}).failed());
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), text("24")}).isText("26"));
}

TEST_F(StandardsFunctions, GetCellJoinsKeyPartsAndIgnoresCase) {
    EXPECT_TRUE(
        call("GETCELL", {text("bolt-tension.txt"), text("M20"), number(8.8)}).isText("141.1"));
    EXPECT_TRUE(
        call("GETCELL", {text("bolt-tension.txt"), text("m24"), number(10.9)}).isText("254.2"));
    EXPECT_TRUE(call("GETCELL",
                     {text("\"edge-distances.txt\""), integer(20), text("cut"), text("oversize")})
                    .isText("33"));
    EXPECT_TRUE(call("GETCELL", {text("bolt-tension.txt"), text("M20;8.8")}).isText("141.1"))
        << "a part may itself hold the separator";
    // The first argument that is neither a number nor a text ends the key.
    EXPECT_TRUE(call("GETCELL",
                     {text("bolt-tension.txt"), text("M20"), number(8.8), none(), text("ignored")})
                    .isText("141.1"));
    EXPECT_TRUE(
        call("GETCELL", {text("bolt-tension.txt"), text("M20"), cell(1, 1), number(8.8)}).failed());
}

TEST_F(StandardsFunctions, GetCellFailsWithoutAValueOrFile) {
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(30)}).failed())
        << "a line with only a key has no value";
    EXPECT_TRUE(call("GETCELL", {text("holes.txt"), number(36)}).failed());
    EXPECT_TRUE(call("GETCELL", {text("no-such-table.txt"), number(20)}).failed());
    EXPECT_TRUE(call("GETCELL", {number(7), number(20)}).failed());
    std::ofstream(libDir / "Connection Standards" / "Data" / "comments-only.txt")
        << "// nothing here yet\n\n";
    EXPECT_TRUE(call("GETCELL", {text("comments-only.txt"), number(20)}).failed());
}

TEST_F(StandardsFunctions, GetCellSeesAChangedTableAtTheNextCall) {
    const std::filesystem::path file = libDir / "Connection Standards" / "Data" / "welds.txt";
    std::ofstream(file) << "S235\t4\n";
    EXPECT_TRUE(call("GETCELL", {text("welds.txt"), text("S235")}).isText("4"));
    std::ofstream(file) << "S235\t5\n";
    // Same size: only the modification time tells the versions apart.
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(3));
    EXPECT_TRUE(call("GETCELL", {text("welds.txt"), text("S235")}).isText("5"));
}

TEST_F(StandardsFunctions, GetProfCellMatchesSectionsByTheirSystemNames) {
    const Vtx_String file = "section-gauges.txt";
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("HEA-200")}).isText("110"));
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("HE 240 A")}).isText("140"))
        << "a German user name finds the row written with the English one";
    EXPECT_TRUE(
        call("GETPROFCELL", {text(file.c_str()), text("IPE-300"), text("M20")}).isText("96"));
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("hEB 300")}).isText("160"))
        << "a section no table knows is compared as written";
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("hea 260")}).isText("150"))
        << "and an English name the row written with the German one";
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("IPE 300"), text("M24")}).failed());
    EXPECT_TRUE(call("GETPROFCELL", {text(file.c_str()), text("HEA-300")}).failed());
    EXPECT_TRUE(call("GETCELL", {text(file.c_str()), text("HEA-200")}).failed())
        << "GETCELL does not map";
}

TEST_F(StandardsFunctions, SectionSizeReadsAValueColumnCountedFromOne) {
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 200"), number(1)}).isNumber(190));
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA-240"), integer(4)}).isNumber(12));
    EXPECT_TRUE(call("SECTIONSIZE", {text("IPE 300"), number(3.9)}).isNumber(7.1))
        << "the integer part of the column";
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 200"), number(0)}).failed());
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 200"), number(5)}).failed());
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 260"), number(4)}).failed()) << "empty cell";
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 999"), number(1)}).failed());
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 200"), number(1e300)}).failed());
    EXPECT_TRUE(call("SECTIONSIZE", {text("HEA 200"), number(std::nan(""))}).failed());
}

TEST_F(StandardsFunctions, GetSysNameFallsBackToTheNameItself) {
    EXPECT_TRUE(call("GETSYSNAME", {text("HE 240 A")}).isText("HEA-240"));
    EXPECT_TRUE(call("GETSYSNAME", {text("\"ipe 300\"")}).isText("IPE-300"));
    EXPECT_TRUE(call("GETSYSNAME", {text("UC 203x203x46")}).isText("UC 203x203x46"));
    EXPECT_TRUE(call("GETSYSNAME", {text("")}).isEmptyResult());
    EXPECT_TRUE(call("GETSYSNAME", {number(200)}).failed());
}

TEST_F(StandardsFunctions, GetArrayItemCountsFromOneAndKeepsEmptyItems) {
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b;c"), number(3)}).isText("c"));
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b;c"), number(1.9)}).isText("a"));
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b;c"), number(0)}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b;c"), integer(4)}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;;c"), number(3)}).isText("c"));
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;;c"), number(2)}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b"), number(1e300)}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b"), number(-1e300)}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {text("a;b"), number(std::nan(""))}).isEmptyResult());
    EXPECT_TRUE(call("GETARRAYITEM", {number(1), number(1)}).failed());
}

TEST_F(StandardsFunctions, ToNumberReadsTheLeadingDecimalNumber) {
    EXPECT_TRUE(call("TONUMBER", {text("12.5")}).isNumber(12.5));
    EXPECT_TRUE(call("TONUMBER", {text(" -3e2")}).isNumber(-300));
    EXPECT_TRUE(call("TONUMBER", {text("20mm")}).isNumber(20));
    EXPECT_TRUE(call("TONUMBER", {text("M20")}).isNumber(0));
    EXPECT_TRUE(call("TONUMBER", {text("")}).isNumber(0));
    EXPECT_TRUE(call("TONUMBER", {number(4)}).failed()) << "a number is not accepted";
    EXPECT_TRUE(call("TONUMBER", {none()}).failed());
}

TEST_F(StandardsFunctions, IsNullTellsNoValueEmptyTextAndZero) {
    EXPECT_TRUE(call("ISNULL", {none()}).isNumber(1)) << "an empty cell";
    EXPECT_TRUE(call("ISNULL", {text("")}).isNumber(1));
    EXPECT_TRUE(call("ISNULL", {text("\"\"")}).isNumber(1));
    EXPECT_TRUE(call("ISNULL", {text("0")}).isNumber(0)) << "a non-empty text";
    EXPECT_TRUE(call("ISNULL", {number(0)}).isNumber(1));
    EXPECT_TRUE(call("ISNULL", {integer(0)}).isNumber(1));
    EXPECT_TRUE(call("ISNULL", {number(-0.5)}).isNumber(0));
    EXPECT_TRUE(call("ISNULL", {cell(2, 3)}).failed());
    EXPECT_TRUE(call("ISNULL", {error()}).failed());
}

TEST_F(StandardsFunctions, IsPositiveReadsTextsAsNumbers) {
    EXPECT_TRUE(call("ISPOSITIVE", {none()}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {text("")}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {text("-2")}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {text("0.001")}).isNumber(1));
    EXPECT_TRUE(call("ISPOSITIVE", {text("abc")}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {integer(5)}).isNumber(1));
    EXPECT_TRUE(call("ISPOSITIVE", {number(0)}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {number(std::nan(""))}).isNumber(0));
    EXPECT_TRUE(call("ISPOSITIVE", {cell(1, 1)}).failed());
}

TEST_F(StandardsFunctions, WorkInsideGridFormulas) {
    vtx::sheet::SheetModel sheet;
    sheet.setMaxCols(3);
    sheet.setMaxRows(8);
    ASSERT_TRUE(registerStandardsFunctions(sheet));
    sheet.setData(1, 1, "20");
    sheet.setData(1, 2, "M24");
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"GETCELL(\"holes.txt\", A1)", "22"},
        {"GETCELL(\"bolt-tension.txt\", A2, 8.8)", "203.3"},
        {"STDSIZEWITHTOLERANCE(\"plate-sizes.txt\", 5, 10.4, 1, 1) * 2", "20"},
        {"ISNULL(C8) + ISPOSITIVE(A1)", "2"},
        {"GETSYSNAME(\"HE 200 A\")", "HEA-200"},
        {"SECTIONSIZE(GETSYSNAME(\"IPE 300\"), 2) + 0.5", "150.5"},
        {"ROUNDTO(A1 * 1.3, 4)", "28"},
        {"ISNULL(GETARRAYITEM(\"a;b\", 5)) & GETARRAYITEM(\"a;b\", 0)", "1"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        ASSERT_TRUE(sheet.setFormula(2, static_cast<int>(i) + 1, cases[i].first, false))
            << cases[i].first;
    sheet.recalcAll();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::string shown;
        sheet.getText(2, static_cast<int>(i) + 1, vtx::sheet::TextForm::Data, shown);
        EXPECT_EQ(shown, cases[i].second) << cases[i].first;
    }
}
