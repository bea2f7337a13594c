#include "platform/core/Timer.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(Timer, AccumulatesRunsAndIgnoresUnmatchedEnds) {
    Vtx_Timer timer("gLoadFile");
    EXPECT_FALSE(timer.end()) << "an end without a start counts nothing";
    EXPECT_EQ(timer.count(), 0);

    for (int i = 0; i < 2; ++i) {
        timer.start();
        EXPECT_TRUE(timer.isRunning());
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        EXPECT_TRUE(timer.end());
    }
    EXPECT_EQ(timer.count(), 2);
    EXPECT_GE(timer.totalSeconds(), 0.030);
    EXPECT_LT(timer.totalSeconds(), 5.0);
    EXPECT_TRUE(timer.report().startsWith("gLoadFile: 2 run(s), 0.0")) << timer.report().c_str();

    timer.start();
    timer.reset();
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.count(), 0);
    EXPECT_EQ(timer.totalSeconds(), 0.0);
}

} // namespace
