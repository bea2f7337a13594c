// The benchmark driver on a small workload with known checksums.
#include "SheetTestUtil.h"

#include "platform/sheet/bench/CellsWorkload.h"

#include <fstream>
#include <sstream>

namespace vtx::sheet::test {

TEST(Workload, SmallChainGivesItsChecksumsBeforeAndAfterTheChanges) {
    Workload w;
    std::string reason;
    ASSERT_TRUE(readWorkload(std::string(VTX_TEST_DATA) + "/sheet/chain100.cells", w, reason))
        << reason;
    EXPECT_EQ(w.cells.size(), 100u);
    ASSERT_EQ(w.changes.size(), 2u);
    WorkloadResult r;
    ASSERT_TRUE(runWorkload(w, r, reason)) << reason;
    EXPECT_EQ(r.check, 5050);
    EXPECT_EQ(r.checkAfter, 2550);
}

TEST(Workload, DriverPrintsOneJsonLine) {
    std::ostringstream out;
    EXPECT_EQ(runCellsBenchmark(std::string(VTX_TEST_DATA) + "/sheet/chain100.cells", out), 0);
    std::string line = out.str();
    EXPECT_EQ(line.rfind("{\"engine\":\"ours\",\"workload\":\"chain\",\"size\":100,", 0), 0u)
        << line;
    EXPECT_NE(line.find("\"check\":5050,\"check_after\":2550,"), std::string::npos) << line;
}

TEST(Workload, TextCellsKeepTheirTextEmptyOrNumberLike) {
    TempDir dir;
    std::ofstream(dir.file("texts.cells"))
        << "W\ttexts\t3\nC\t0\t0\ts\t\nC\t1\t0\ts\t12\nC\t2\t0\tf\tISBLANK(A1)\n"
           "K\t0\t0\t1\t0\n";
    Workload w;
    std::string reason;
    ASSERT_TRUE(readWorkload(dir.file("texts.cells"), w, reason)) << reason;
    SheetModel sheet;
    ASSERT_TRUE(buildWorkload(w, sheet));
    EXPECT_EQ(sheet.value(1, 1), Value::text(""));
    EXPECT_EQ(sheet.value(1, 2), Value::text("12"));
    EXPECT_EQ(sheet.value(1, 3), Value::boolean(false));
    EXPECT_EQ(workloadChecksum(w, sheet), 2) << "texts add their length";
}

// A check range over the whole grid costs what its cells cost; columns
// beyond the grid are refused.
TEST(Workload, CheckRangeOverTheWholeGridAddsItsCells) {
    TempDir dir;
    std::ofstream(dir.file("whole.cells"))
        << "W\twhole\t3\nC\t0\t0\tn\t2\nC\t1048575\t16383\tn\t3\nC\t5\t7\ts\tabc\n"
           "K\t0\t0\t1048575\t16383\n";
    Workload w;
    std::string reason;
    ASSERT_TRUE(readWorkload(dir.file("whole.cells"), w, reason)) << reason;
    WorkloadResult r;
    ASSERT_TRUE(runWorkload(w, r, reason)) << reason;
    EXPECT_EQ(r.check, 2 + 3 + 3);

    std::ofstream(dir.file("wide.cells")) << "W\twide\t1\nK\t0\t0\t0\t16384\n";
    EXPECT_FALSE(readWorkload(dir.file("wide.cells"), w, reason));
    EXPECT_EQ(reason, dir.file("wide.cells") + ":2: bad K line");
}

TEST(Workload, BadCellListsFailNamingTheLine) {
    TempDir dir;
    std::ofstream(dir.file("bad.cells")) << "W\tx\t1\nC\t0\t0\tq\t1\n";
    Workload w;
    std::string reason;
    EXPECT_FALSE(readWorkload(dir.file("bad.cells"), w, reason));
    EXPECT_EQ(reason, dir.file("bad.cells") + ":2: bad C line");
    std::ostringstream out;
    EXPECT_EQ(runCellsBenchmark(dir.file("none.cells"), out), 1);
    EXPECT_NE(out.str().find("\"error\""), std::string::npos);
}

} // namespace vtx::sheet::test
