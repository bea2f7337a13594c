// A bill with pictures written by a process that is killed at a random
// moment: the bill in place is the old one or the new one, whole, and every
// picture it names exists.

#include "BillOutputFixture.h"

#include "platform/core/MacroModel.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

namespace billtest {
namespace {

using vtx::sheet::CellKind;

class BillKill : public BillOutputFixture {
protected:
    // Writes a bill of `parts` parts with pictures, each Length telling the
    // generation apart, and exits.
    [[noreturn]] void writeBillAndExit(int parts, int generation) {
        Vtx_Bill bill;
        bill.columnNames = columns();
        bill.rowProperties = codes();
        for (int n = 1; n <= parts; ++n) {
            Vtx_BillEntry entry;
            entry.texts = {Vtx_String::fromInt(n), "Part", "1",
                           Vtx_String::fromInt(1000 + n * generation), "1.5"};
            bill.entries.append(entry);
        }
        Vtx_Transaction transaction(nullptr);
        KsSSBillOutput writer;
        const bool ok =
            writer.init(this->bill("kill.kss"), columns(), {}, codes(), "BillSet", {}, {}) == eOk;
        writer.setVars(120, 0, 0, true, true, &bill, &transaction);
        ::_exit(ok && produceList(bill, writer) == eOk ? 0 : 3);
    }

    // The bill in place, loaded; every picture cell's file beside it exists.
    int checkBill() {
        auto saved = loadSavedBill(bill("kill.kss"));
        const vtx::sheet::SheetModel& model = *saved->grid.model();
        int pictures = 0;
        for (int row = 1; row <= model.maxRows(); ++row) {
            const vtx::sheet::CellType type = model.cellType(2, row);
            if (type.kind != CellKind::Picture || type.text.empty())
                continue;
            ++pictures;
            EXPECT_TRUE(fileExists(root("bills\\" + type.text))) << type.text << " row " << row;
        }
        return pictures;
    }
};

TEST_F(BillKill, AKilledWriteLeavesABillWithAllItsPictures) {
    // Every generation has more parts, so a new bill names pictures that
    // no earlier one wrote.
    constexpr int kParts = 30;
    auto partsOf = [](int generation) { return kParts + 2 * generation; };
    const pid_t first = ::fork();
    ASSERT_GE(first, 0);
    if (first == 0)
        writeBillAndExit(partsOf(1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(first, &status, 0), first);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(checkBill(), partsOf(1));

    std::mt19937 random(42);
    int killedEarly = 0;
    for (int round = 2; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeBillAndExit(partsOf(round), round);
        ::usleep(static_cast<useconds_t>(random() % 150000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        killedEarly += WIFSIGNALED(status);
        const int pictures = checkBill();
        EXPECT_GE(pictures, partsOf(1)) << "round " << round;
        EXPECT_LE(pictures, partsOf(round)) << "round " << round;
        if (HasFailure())
            break;
    }
    // The next write removes what killed writers left behind.
    const pid_t last = ::fork();
    ASSERT_GE(last, 0);
    if (last == 0)
        writeBillAndExit(partsOf(40), 40);
    ASSERT_EQ(::waitpid(last, &status, 0), last);
    EXPECT_EQ(checkBill(), partsOf(40));
    for (const auto& entry : fs::recursive_directory_iterator(nativePath(root("bills"))))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    RecordProperty("killed", killedEarly);
}

} // namespace
} // namespace billtest
