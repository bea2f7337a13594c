// Custom functions whose reference arguments name cells elsewhere: those
// references reach the handler but are no precedents of the formula.
#include "SheetTestUtil.h"

namespace vtx::sheet::test {

namespace {

// READ(file, cell) / READ(file, cell, target): the cell is an address; the
// handler gives the referenced column times 100 plus the row and counts
// its calls.
class AddressArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizeGrid(sheet);
        addresses.add(2, 2).add(3, 2).add(3, 3);
        ASSERT_TRUE(registerRead(sheet, addresses));
    }
    bool registerRead(SheetModel& grid, const AddressArguments& which) {
        return grid.addCustomFunction(
            "READ", 2, 4,
            [this](ValueRecord* result, ValueRecord* args, int count) {
                ++calls;
                result->setStatus(kValueOk);
                result->setType(kValueInt);
                const ValueRecord& a = args[count > 2 ? 1 : count - 1];
                result->setInt(a.type() == kValueCell ? a.column() * 100 + a.row() : -1);
                return 1;
            },
            kCustomReferences, which);
    }
    SheetModel sheet;
    AddressArguments addresses;
    int calls = 0;
};

} // namespace

TEST(AddressArguments, SayWhichArgumentOfWhichCountIsAnAddress) {
    AddressArguments a;
    EXPECT_TRUE(a.empty());
    a.add(2, 2).add(3, 3).add(3, 4).add(0, 1).add(70, 65);
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a.isAddress(2, 2));
    EXPECT_FALSE(a.isAddress(2, 1));
    EXPECT_FALSE(a.isAddress(3, 2));
    EXPECT_TRUE(a.isAddress(3, 3));
    EXPECT_FALSE(a.isAddress(3, 4)) << "no fourth argument in a call of three";
    EXPECT_FALSE(a.isAddress(70, 65)) << "positions beyond 64 are not kept";
    AddressArguments b;
    b.add(3, 3).add(2, 2);
    EXPECT_EQ(a, b);
}

TEST_F(AddressArgumentsTest, AnAddressIsNoPrecedent) {
    ASSERT_TRUE(sheet.setFormula(3, 1, "READ(\"t\",C1)", true));
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 301) << "its own cell, no circular reference";
    ASSERT_TRUE(sheet.setFormula(2, 2, "READ(\"t\",(A1))", true));
    EXPECT_EQ(sheet.value(2, 2).asNumber(), 101) << "parentheses keep a reference";
    const int before = calls;
    sheet.setNumber(1, 1, 5);
    EXPECT_EQ(calls, before) << "changing an address does not recalculate";
    // The target of the three-argument form is no precedent either.
    ASSERT_TRUE(sheet.setFormula(4, 4, "READ(\"t\",A1,D4)", true));
    EXPECT_EQ(sheet.value(4, 4).asNumber(), 101);
}

TEST_F(AddressArgumentsTest, OtherArgumentsStayPrecedents) {
    // An expression is read in the grid; the first argument and the
    // four-argument form have no addresses.
    ASSERT_TRUE(sheet.setFormula(3, 1, "READ(\"t\",C1+0)", true));
    EXPECT_EQ(sheet.value(3, 1), Value::error(FormulaError::Circular));
    ASSERT_TRUE(sheet.setFormula(3, 2, "READ(C2,A1)", true));
    EXPECT_EQ(sheet.value(3, 2), Value::error(FormulaError::Circular));
    ASSERT_TRUE(sheet.setFormula(3, 3, "READ(\"t\",A1,\"x\",C3)", true));
    EXPECT_EQ(sheet.value(3, 3), Value::error(FormulaError::Circular));
    ASSERT_TRUE(sheet.setFormula(3, 4, "READ(\"t\",A1,\"x\",B4)", true));
    const int before = calls;
    sheet.setNumber(2, 4, 1);
    EXPECT_EQ(calls, before + 1) << "a key argument is a precedent";
    // A reference in the same formula outside the call stays one too.
    ASSERT_TRUE(sheet.setFormula(3, 5, "READ(\"t\",A1)+C5", true));
    EXPECT_EQ(sheet.value(3, 5), Value::error(FormulaError::Circular));
}

TEST_F(AddressArgumentsTest, RegisteringLinksTheFormulasStoredBefore) {
    SheetModel loaded;
    std::string reason;
    sheet.setFormula(3, 1, "READ(\"t\",C1)", true);
    ASSERT_TRUE(loaded.loadFromText(sheet.saveToText(), "t.kss", &reason)) << reason;
    // The load dropped the function: the formula was read without it.
    ASSERT_TRUE(registerRead(loaded, addresses));
    loaded.recalcAll();
    EXPECT_EQ(loaded.value(3, 1).asNumber(), 301);
    // Registered again without addresses, the reference is a precedent.
    ASSERT_TRUE(registerRead(loaded, AddressArguments()));
    loaded.recalcAll();
    EXPECT_EQ(loaded.value(3, 1), Value::error(FormulaError::Circular));
    ASSERT_TRUE(registerRead(loaded, addresses));
    loaded.recalcAll();
    EXPECT_EQ(loaded.value(3, 1).asNumber(), 301);
    std::string text;
    loaded.getText(3, 1, TextForm::Formula, text);
    EXPECT_EQ(text, "READ(\"t\",C1)");
}

TEST_F(AddressArgumentsTest, ACopyTakesTheAddressesOfItsOwnFunctions) {
    for (int r = 1; r <= 5; ++r)
        sheet.setFormula(3, r, "READ(\"t\",C" + std::to_string(r) + ")", true);
    SheetModel plain;
    ASSERT_TRUE(plain.copyFrom(sheet));
    ASSERT_TRUE(plain.addCustomFunction(
        "READ", 2, 4, [](ValueRecord*, ValueRecord*, int) { return 1; }, kCustomReferences));
    plain.recalcAll();
    EXPECT_EQ(plain.value(3, 1), Value::error(FormulaError::Circular));
    SheetModel withAddresses;
    ASSERT_TRUE(registerRead(withAddresses, addresses));
    ASSERT_TRUE(withAddresses.copyFrom(plain));
    withAddresses.recalcAll();
    EXPECT_EQ(withAddresses.value(3, 5).asNumber(), 305);
}

TEST_F(AddressArgumentsTest, AddressesCannotChangeDuringARecalculation) {
    bool refused = false;
    ASSERT_TRUE(sheet.addCustomFunction(
        "REREGISTER", 0, 0,
        [&](ValueRecord* result, ValueRecord*, int) {
            refused = !registerRead(sheet, AddressArguments());
            result->setStatus(kValueOk);
            return 1;
        },
        kCustomValues));
    sheet.setFormula(3, 1, "READ(\"t\",C1)", true);
    ASSERT_TRUE(sheet.setFormula(1, 1, "REREGISTER()", true));
    EXPECT_TRUE(refused);
    sheet.recalcAll();
    EXPECT_EQ(sheet.value(3, 1).asNumber(), 301);
}

} // namespace vtx::sheet::test
