// Custom functions: the 24-byte value record at its byte offsets, what the
// flags do with references, texts in global memory, argument counts.
#include "SheetTestUtil.h"

#include "platform/host/GlobalMemory.h"
#include "platform/host/Host.h"

#include <cstring>
#include <vector>

namespace vtx::sheet::test {

namespace {

std::vector<ValueRecord> gSeen;

int recordArgs(ValueRecord* result, ValueRecord* args, int count) {
    gSeen.assign(args, args + count);
    result->setStatus(kValueOk);
    result->setType(kValueInt);
    result->setInt(count);
    return 1;
}

std::string takeText(const ValueRecord& r) {
    HostGlobalMemory& memory = Host::current().memory();
    const char* p = static_cast<const char*>(memory.lock(r.handle()));
    std::string text = p ? p : "";
    memory.unlock(r.handle());
    memory.free(r.handle());
    return text;
}

GlobalHandle makeText(const std::string& text) {
    HostGlobalMemory& memory = Host::current().memory();
    GlobalHandle h = memory.alloc(kGlobalMovable, text.size() + 1);
    std::memcpy(memory.lock(h), text.c_str(), text.size() + 1);
    memory.unlock(h);
    return h;
}

class CustomFunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = Host::setCurrent(&host);
        sizeGrid(sheet);
        gSeen.clear();
    }
    void TearDown() override {
        // Text blocks the handlers were given have been freed.
        for (auto& r : gSeen)
            if (r.status() == kValueOk && r.type() == kValueText)
                takeText(r);
        EXPECT_EQ(host.memory().liveBlocks(), 0) << "no global memory block is left behind";
        Host::setCurrent(previous);
    }
    Host host;
    Host* previous = nullptr;
    SheetModel sheet;
};

} // namespace

TEST(ValueRecord, FieldsSitAtTheirByteOffsets) {
    ValueRecord r;
    EXPECT_EQ(sizeof(ValueRecord), 24u);
    r.setStatus(2);
    r.setType(3);
    EXPECT_EQ(r.bytes[0], 2);
    EXPECT_EQ(r.bytes[1], 3);
    r.setInt(0x11223344);
    std::int32_t i = 0;
    std::memcpy(&i, r.bytes + 2, 4);
    EXPECT_EQ(i, 0x11223344);
    r.setDouble(2.5);
    double d = 0;
    std::memcpy(&d, r.bytes + 2, 8);
    EXPECT_EQ(d, 2.5);
    r.setCell(7, 9);
    std::int32_t col = 0;
    std::int32_t row = 0;
    std::memcpy(&col, r.bytes + 4, 4);
    std::memcpy(&row, r.bytes + 8, 4);
    EXPECT_EQ(col, 7);
    EXPECT_EQ(row, 9);
    r.setRange(1, 2, 3, 4);
    std::int32_t lastCol = 0;
    std::int32_t lastRow = 0;
    std::memcpy(&lastCol, r.bytes + 12, 4);
    std::memcpy(&lastRow, r.bytes + 16, 4);
    EXPECT_EQ(lastCol, 3);
    EXPECT_EQ(lastRow, 4);
}

TEST_F(CustomFunctionTest, ValueFlagsHandOverCellValues) {
    sheet.setData(1, 1, "12");
    sheet.setData(1, 2, "2.5");
    sheet.setData(1, 3, "abc");
    sheet.setFormula(1, 4, "1/0", true);
    ASSERT_TRUE(sheet.addCustomFunction("Probe", 0, 9, recordArgs, kCustomValues));
    CHECK_EVAL(sheet, "probe(A1,A2,A3,A4,A5,\"t\",TRUE,A1:A2)", Value::number(8));
    ASSERT_EQ(gSeen.size(), 8u);
    EXPECT_EQ(gSeen[0].status(), kValueOk);
    EXPECT_EQ(gSeen[0].type(), kValueInt);
    EXPECT_EQ(gSeen[0].intValue(), 12);
    EXPECT_EQ(gSeen[1].type(), kValueDouble);
    EXPECT_EQ(gSeen[1].doubleValue(), 2.5);
    EXPECT_EQ(gSeen[2].type(), kValueText);
    EXPECT_EQ(takeText(gSeen[2]), "abc");
    EXPECT_EQ(gSeen[3].status(), kValueError);
    EXPECT_EQ(gSeen[4].status(), kValueNone) << "an empty cell is no value";
    EXPECT_EQ(takeText(gSeen[5]), "t");
    EXPECT_EQ(gSeen[6].intValue(), 1);
    EXPECT_EQ(gSeen[7].status(), kValueError) << "a range is no value";
    gSeen.clear();
}

TEST_F(CustomFunctionTest, ReferenceFlagsHandOverCellsAndRanges) {
    sheet.setData(2, 3, "x");
    ASSERT_TRUE(sheet.addCustomFunction("FROMTABLE", 2, 4, recordArgs, kCustomReferences));
    CHECK_EVAL(sheet, "FROMTABLE(\"file\",B3,C4:E6,7)", Value::number(4));
    ASSERT_EQ(gSeen.size(), 4u);
    EXPECT_EQ(gSeen[0].type(), kValueText);
    EXPECT_EQ(takeText(gSeen[0]), "file");
    EXPECT_EQ(gSeen[1].type(), kValueCell);
    EXPECT_EQ(gSeen[1].column(), 2);
    EXPECT_EQ(gSeen[1].row(), 3);
    EXPECT_EQ(gSeen[2].type(), kValueRange);
    EXPECT_EQ(gSeen[2].column(), 3);
    EXPECT_EQ(gSeen[2].row(), 4);
    EXPECT_EQ(gSeen[2].lastColumn(), 5);
    EXPECT_EQ(gSeen[2].lastRow(), 6);
    EXPECT_EQ(gSeen[3].type(), kValueInt);
    EXPECT_EQ(gSeen[3].intValue(), 7);
    gSeen.clear();
}

TEST_F(CustomFunctionTest, AWrongArgumentCountGivesAnErrorWithoutACall) {
    ASSERT_TRUE(sheet.addCustomFunction("TWO", 2, 2, recordArgs, 0));
    CHECK_EVAL(sheet, "TWO(1)", Value::error(FormulaError::Value));
    CHECK_EVAL(sheet, "TWO(1,2,3)", Value::error(FormulaError::Value));
    EXPECT_TRUE(gSeen.empty()) << "the handler was not called";
    CHECK_EVAL(sheet, "TWO(1,2)", Value::number(2));
}

TEST_F(CustomFunctionTest, ResultsComeBackAsNumbersTextsOrErrors) {
    sheet.addCustomFunction(
        "HELLO", 0, 0,
        [](ValueRecord* r, ValueRecord*, int) {
            r->setStatus(kValueOk);
            r->setType(kValueText);
            r->setHandle(makeText("h\xE9llo"));
            return 1;
        },
        0);
    sheet.addCustomFunction(
        "HALF", 1, 1,
        [](ValueRecord* r, ValueRecord* a, int) {
            r->setStatus(kValueOk);
            r->setType(kValueDouble);
            r->setDouble((a[0].type() == kValueInt ? a[0].intValue() : a[0].doubleValue()) / 2);
            return 1;
        },
        0);
    sheet.addCustomFunction(
        "NOTHING", 0, 0,
        [](ValueRecord* r, ValueRecord*, int) {
            r->setStatus(kValueNone);
            return 1;
        },
        0);
    sheet.addCustomFunction(
        "FAILS", 0, 0, [](ValueRecord*, ValueRecord*, int) { return 0; }, 0);
    CHECK_EVAL(sheet, "HELLO()&\"!\"", Value::text("h\xE9llo!"));
    CHECK_EVAL(sheet, "HALF(5)+1", Value::number(3.5));
    CHECK_EVAL(sheet, "NOTHING()", Value::error(FormulaError::NA));
    CHECK_EVAL(sheet, "FAILS()", Value::error(FormulaError::Value));
}

// With the flag, no value is the empty text: a test of it sees "", not an
// error, while a failing call stays an error.
TEST_F(CustomFunctionTest, NoValueCanBeTheEmptyText) {
    auto nothing = [](ValueRecord* r, ValueRecord*, int) {
        r->setStatus(kValueNone);
        return 1;
    };
    sheet.addCustomFunction("NOTHING", 0, 0, nothing, kCustomNoValueIsEmptyText);
    sheet.addCustomFunction(
        "FAILS", 0, 0, [](ValueRecord*, ValueRecord*, int) { return 0; },
        kCustomNoValueIsEmptyText);
    CHECK_EVAL(sheet, "NOTHING()", Value::text(""));
    CHECK_EVAL(sheet, "NOTHING()=\"\"", Value::boolean(true));
    CHECK_EVAL(sheet, "ISERROR(NOTHING())", Value::boolean(false));
    CHECK_EVAL(sheet, "FAILS()", Value::error(FormulaError::Value));
    // The same function registered without the flag gives #N/A again.
    sheet.addCustomFunction("NOTHING", 0, 0, nothing, 0);
    CHECK_EVAL(sheet, "NOTHING()", Value::error(FormulaError::NA));
}

TEST_F(CustomFunctionTest, FunctionsRegisteredLaterAreFoundByName) {
    ASSERT_TRUE(sheet.setFormula(1, 1, "LATER(2)", true));
    EXPECT_EQ(sheet.value(1, 1), Value::error(FormulaError::Name));
    sheet.addCustomFunction("later", 1, 1, recordArgs, 0);
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(1, 1).asNumber(), 1);
}

TEST_F(CustomFunctionTest, ACustomFunctionOverridesABuiltInOfItsName) {
    sheet.addCustomFunction("ABS", 1, 1, recordArgs, 0);
    CHECK_EVAL(sheet, "ABS(-5)", Value::number(1));
    sheet.removeCustomFunction("abs");
    CHECK_EVAL(sheet, "ABS(-5)", Value::number(5));
}

TEST_F(CustomFunctionTest, RegistrationRefusesBadCounts) {
    EXPECT_FALSE(sheet.addCustomFunction("", 0, 1, recordArgs, 0));
    EXPECT_FALSE(sheet.addCustomFunction("X", 2, 1, recordArgs, 0));
    EXPECT_FALSE(sheet.addCustomFunction("X", 0, 256, recordArgs, 0));
    EXPECT_FALSE(sheet.addCustomFunction("X", 0, 1, nullptr, 0));
}

TEST_F(CustomFunctionTest, ALoadReplacesTheGridsFunctions) {
    TempDir dir;
    sheet.addCustomFunction("MINE", 0, 0, recordArgs, 0);
    ASSERT_TRUE(sheet.setFormula(1, 1, "MINE()", true));
    EXPECT_EQ(sheet.value(1, 1).asNumber(), 0);
    ASSERT_TRUE(sheet.save(dir.file("f.vxs")));
    ASSERT_TRUE(sheet.load(dir.file("f.vxs")));
    EXPECT_FALSE(sheet.hasCustomFunction("MINE"));
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(1, 1), Value::error(FormulaError::Name));
}

// Registering a function again with other flags changes how its arguments
// are compiled: formulas parsed before are parsed again. The same flags and
// counts keep them, but the new handler is the one called.
TEST_F(CustomFunctionTest, RegisteringAgainParsesAgainOnlyWhenTheShapeChanged) {
    sheet.setData(2, 3, "x");
    ASSERT_TRUE(sheet.addCustomFunction("PEEK", 1, 1, recordArgs, 0));
    CHECK_EVAL(sheet, "PEEK(B3)", Value::number(1));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].type(), kValueText);
    EXPECT_EQ(takeText(gSeen[0]), "x");
    gSeen.clear();
    ASSERT_TRUE(sheet.addCustomFunction("PEEK", 1, 1, recordArgs, kCustomReferences));
    CHECK_EVAL(sheet, "PEEK(B3)", Value::number(1));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].type(), kValueCell) << "compiled anew for references";
    gSeen.clear();
    ASSERT_TRUE(sheet.addCustomFunction(
        "PEEK", 1, 1,
        [](ValueRecord* r, ValueRecord*, int) {
            r->setStatus(kValueOk);
            r->setType(kValueInt);
            r->setInt(42);
            return 1;
        },
        kCustomReferences));
    CHECK_EVAL(sheet, "PEEK(B3)", Value::number(42));
}

// A copy replaces the contents; the grid's own functions stay.
TEST_F(CustomFunctionTest, ACopyKeepsTheGridsFunctions) {
    sheet.addCustomFunction("MINE", 0, 0, recordArgs, 0);
    ASSERT_TRUE(sheet.setFormula(1, 1, "MINE()+1", true));
    SheetModel other;
    sizeGrid(other);
    ASSERT_TRUE(other.setFormula(2, 2, "MINE()+1", false));
    ASSERT_TRUE(sheet.copyFrom(other));
    EXPECT_TRUE(sheet.hasCustomFunction("MINE"));
    EXPECT_FALSE(other.hasCustomFunction("MINE"));
    EXPECT_TRUE(sheet.value(1, 1).isEmpty()) << "the old contents are gone";
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(2, 2), Value::number(1));
    CHECK_EVAL(sheet, "MINE()+1", Value::number(1));
}

TEST_F(CustomFunctionTest, AHandlerMayWriteIntoItsOwnGrid) {
    // As the three-argument table function does: the write is applied and
    // recalculated once the running recalculation is over.
    static SheetModel* target = nullptr;
    target = &sheet;
    sheet.addCustomFunction(
        "PUT", 2, 2,
        [](ValueRecord* r, ValueRecord* a, int) {
            target->setData(a[1].column(), a[1].row(), std::to_string(a[0].intValue()));
            r->setStatus(kValueNone);
            return 1;
        },
        kCustomReferences);
    sheet.setFormula(3, 1, "B1*2", true);
    ASSERT_TRUE(sheet.setFormula(1, 1, "PUT(21,B1)", true));
    EXPECT_EQ(sheet.value(2, 1).asNumber(), 21);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 42);
}

} // namespace vtx::sheet::test

namespace vtx::sheet::test {

TEST_F(CustomFunctionTest, HandlersWritingBackAndForthStopAfterAFewRounds) {
    // Once nested recalculations without end until the stack ran out.
    static SheetModel* target = nullptr;
    static int calls = 0;
    target = &sheet;
    calls = 0;
    sheet.addCustomFunction(
        "BUMP", 1, 1,
        [](ValueRecord* r, ValueRecord* a, int) {
            ++calls;
            // Writes a new number into the cell it reads: its own precedent.
            target->setData(a[0].column(), a[0].row(), std::to_string(calls));
            r->setStatus(kValueOk);
            r->setType(kValueInt);
            r->setInt(calls);
            return 1;
        },
        kCustomReferences);
    ASSERT_TRUE(sheet.setFormula(1, 1, "BUMP(B1)", true));
    EXPECT_GT(calls, 1);
    EXPECT_LT(calls, 100);
}

} // namespace vtx::sheet::test
