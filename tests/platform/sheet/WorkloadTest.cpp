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
