#include "module/ModuleState.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gEvents;

struct Tracked {
    explicit Tracked(std::string name) : m_name(std::move(name)) {}
    ~Tracked() { gEvents.push_back("release " + m_name); }
    std::string m_name;
};
struct Pool : Tracked {
    Pool() : Tracked("pool") {}
};
struct Timers : Tracked {
    Timers() : Tracked("timers") {}
};

class ModuleStateTest : public ::testing::Test {
protected:
    void SetUp() override { gEvents.clear(); }

    ModuleHooks hooks(const std::string& name) {
        return {Vtx_String(name), [name] { gEvents.push_back("load " + name); },
                [name] { gEvents.push_back("unload " + name); }};
    }

    ModuleState m_state;
};

TEST_F(ModuleStateTest, UnloadRunsHooksBackwardsThenReleasesObjectsLatestFirst) {
    m_state.addHooks({"standards",
                      [this] {
                          gEvents.push_back("load standards");
                          m_state.emplace<Pool>();
                          m_state.emplace<Timers>();
                      },
                      [] { gEvents.push_back("unload standards"); }});
    m_state.addHooks(hooks("macro dialogs"));
    m_state.load();
    EXPECT_TRUE(m_state.isLoaded());
    EXPECT_NE(m_state.find<Pool>(), nullptr);
    m_state.unload();
    EXPECT_EQ(gEvents, (std::vector<std::string>{"load standards", "load macro dialogs",
                                                 "unload macro dialogs", "unload standards",
                                                 "release timers", "release pool"}));
    EXPECT_EQ(m_state.objectCount(), 0);
    EXPECT_EQ(m_state.find<Pool>(), nullptr);
}

TEST_F(ModuleStateTest, LoadAndUnloadRunOnceEach) {
    m_state.addHooks(hooks("a"));
    m_state.unload();
    m_state.load();
    m_state.load();
    m_state.unload();
    m_state.unload();
    EXPECT_EQ(gEvents, (std::vector<std::string>{"load a", "unload a"}));
}

TEST_F(ModuleStateTest, HooksAddedLateRunTheirLoadExactlyOnce) {
    m_state.addHooks({"first", [this] { m_state.addHooks(hooks("during")); }, {}});
    m_state.load();
    m_state.addHooks(hooks("after"));
    EXPECT_EQ(gEvents, (std::vector<std::string>{"load during", "load after"}));
}

TEST_F(ModuleStateTest, AThrowingHookIsReportedAndTheOthersStillRun) {
    m_state.addHooks(hooks("first"));
    m_state.addHooks({"broken", [] { throw std::runtime_error("no memory"); },
                      [] { throw std::runtime_error("window gone"); }});
    m_state.addHooks(hooks("last"));
    Vtx_StringArray loadFailures = m_state.load();
    m_state.emplace<Pool>();
    Vtx_StringArray unloadFailures = m_state.unload();
    ASSERT_EQ(loadFailures.length(), 1);
    EXPECT_EQ(loadFailures[0], "broken: no memory");
    ASSERT_EQ(unloadFailures.length(), 1);
    EXPECT_EQ(unloadFailures[0], "broken: window gone");
    EXPECT_EQ(gEvents, (std::vector<std::string>{"load first", "load last", "unload last",
                                                 "unload first", "release pool"}));
    EXPECT_FALSE(m_state.isLoaded()) << "a failed hook must not leave the state half unloaded";
}

TEST_F(ModuleStateTest, HookNamesAreUniqueIgnoringCase) {
    EXPECT_EQ(m_state.addHooks(hooks("Macro")), eOk);
    EXPECT_EQ(m_state.addHooks(hooks("MACRO")), eDuplicateKey);
    EXPECT_EQ(m_state.addHooks({"", {}, {}}), eInvalidName);
    EXPECT_EQ(m_state.removeHooks("macro"), eOk);
    EXPECT_EQ(m_state.removeHooks("macro"), eKeyNotFound);
    EXPECT_EQ(m_state.hookCount(), 0);
}

TEST_F(ModuleStateTest, EmplaceReplacesAnObjectOfTheSameType) {
    m_state.emplace<Pool>();
    m_state.emplace<Pool>();
    EXPECT_EQ(gEvents, (std::vector<std::string>{"release pool"}));
    EXPECT_EQ(m_state.objectCount(), 1);
    EXPECT_TRUE(m_state.release<Pool>());
    EXPECT_FALSE(m_state.release<Pool>());
}

} // namespace
