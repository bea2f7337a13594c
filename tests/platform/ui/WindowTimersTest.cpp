// Window timers on the user-interface thread: ticks until killed, a
// procedure that kills its own timer ticks once, a restart waits a whole
// interval again under the same id, and destroying the set stops them all.
#include "UiFixture.h"

#include "platform/ui/WindowTimers.h"

#include <memory>
#include <vector>

namespace {

using vtx::ui::WindowTimers;

TEST(WindowTimersTest, AProcedureThatKillsItsTimerRunsOnceAndOthersTickOn) {
    WindowTimers timers;
    std::vector<int> fired;
    const int once = timers.start(5, [&](int id) {
        fired.push_back(id);
        EXPECT_TRUE(timers.kill(id));
    });
    int ticks = 0;
    const int repeating = timers.start(5, [&](int) { ++ticks; });
    ASSERT_NE(once, 0);
    ASSERT_NE(repeating, once);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_EQ(fired, std::vector<int>{once});
    EXPECT_FALSE(timers.isRunning(once));
    EXPECT_TRUE(timers.kill(repeating));
    EXPECT_FALSE(timers.kill(repeating)) << "a timer is killed once";
    const int after = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, after);
    EXPECT_EQ(timers.count(), 0);
    EXPECT_EQ(timers.start(5, {}), 0) << "a timer without a procedure is not made";
}

TEST(WindowTimersTest, ARestartKeepsTheIdAndWaitsAWholeIntervalAgain) {
    WindowTimers timers;
    int ticks = 0;
    const int guard = timers.start(1000, [&](int id) {
        ++ticks;
        timers.kill(id);
    });
    // Restarted every 20 ms, the one-second timer does not come due.
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(20);
        EXPECT_TRUE(timers.restart(guard));
    }
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 5000));
    EXPECT_FALSE(timers.restart(guard)) << "a killed timer is not restarted";
}

TEST(WindowTimersTest, DestroyingTheSetStopsItsTimers) {
    int ticks = 0;
    auto timers = std::make_unique<WindowTimers>();
    timers->start(1, [&](int) { ++ticks; });
    timers.reset();
    QTest::qWait(20);
    EXPECT_EQ(ticks, 0);
}

} // namespace
