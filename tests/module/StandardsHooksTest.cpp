#include "module/ModuleEntry.h"

#include "platform/host/Host.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/StandardsTimers.h"

#include <gtest/gtest.h>

// The standards engine's module-wide state lives from the module's load to
// its unload: the timers start from zero and the evaluation dialogs go.
TEST(StandardsHooks, UnloadDestroysTheEvaluationDialogsAndLoadResetsTheTimers) {
    Host host;
    gLoadFile.start();
    gLoadFile.end();
    ASSERT_EQ(host.linker().loadLinkedModule("vtxss", &moduleEntryPoint), eOk);
    EXPECT_EQ(gLoadFile.count(), 0) << "timers start from zero with the load";
    ASSERT_NE(gSSDlgsMgr.getDlg(), nullptr);
    EXPECT_EQ(gSSDlgsMgr.count(), 1);
    ASSERT_EQ(host.linker().unloadModule("vtxss"), eOk);
    EXPECT_EQ(gSSDlgsMgr.count(), 0);
    EXPECT_FALSE(host.commandLine().hasErrors()) << host.commandLine().text();
}
