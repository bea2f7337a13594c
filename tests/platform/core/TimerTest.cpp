#include "platform/core/Timer.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

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

TEST(Timer, TheObserverSeesEveryStartAndEndInOrder) {
    std::vector<std::string> events;
    Vtx_Timer outer("outer");
    Vtx_Timer inner("inner");
    const Vtx_Timer::Observer before =
        Vtx_Timer::setObserver([&](const Vtx_Timer& timer, bool started) {
            EXPECT_TRUE(timer.isRunning()) << "seen while the run lasts";
            events.push_back(timer.name().str() + (started ? " start" : " end"));
        });
    outer.start();
    inner.start();
    inner.end();
    outer.end();
    outer.end(); // no run: not seen
    inner.reset();

    // An observer may take itself off while it is called.
    Vtx_Timer::setObserver([&](const Vtx_Timer&, bool) {
        Vtx_Timer::setObserver({});
        events.push_back("off");
    });
    outer.start();
    outer.end();
    EXPECT_EQ(events, (std::vector<std::string>{"outer start", "inner start", "inner end",
                                                "outer end", "off"}));
    EXPECT_EQ(outer.count(), 2) << "the observer changes nothing of the runs";
    Vtx_Timer::setObserver(before);
}

} // namespace
