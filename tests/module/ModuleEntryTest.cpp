#include "module/ModuleEntry.h"

#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <string>
#include <vector>

namespace {

// The module linked into the test, loaded through the host's linker by its
// entry point.
class ModuleEntryTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_host.linker().unloadAll();
        moduleState().removeHooks("test subsystem");
    }

    ErrorStatus load() { return m_host.linker().loadLinkedModule("vtxss", &moduleEntryPoint); }
    ErrorStatus unload() { return m_host.linker().unloadModule("vtxss"); }

    Host m_host;
};

TEST_F(ModuleEntryTest, LoadRegistersWithTheLoadingHost) {
    ASSERT_EQ(load(), eOk);
    const HostModule* module = m_host.linker().findModule("vtxss");
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->multiDocumentAware);
    EXPECT_FALSE(module->locked) << "the module unlocks itself for unloading";
    EXPECT_EQ(&Host::current(), &m_host) << "the module adopts the host that loaded it";
    EXPECT_TRUE(moduleIsLoaded());
    EXPECT_TRUE(moduleIsAttached());
    EXPECT_TRUE(moduleInstance().isValid());
    EXPECT_EQ(m_host.resources().current(), &moduleResources());
    EXPECT_FALSE(m_host.resources().find(ResourceKind::Bitmap, kBitmapCheckChecked).empty());
    EXPECT_FALSE(m_host.commandLine().hasErrors()) << m_host.commandLine().text();

    const CheckBoxPictures* pictures = moduleCheckBoxPictures();
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(pictures->unchecked.id, kBitmapCheckUnchecked);
    EXPECT_EQ(pictures->picture(true).id, kBitmapCheckChecked);
    EXPECT_EQ(pictures->checked.width, 16);
}

TEST_F(ModuleEntryTest, UnloadRemovesTheCommandGroupAndReleasesEverything) {
    Host* before = Host::setCurrent(nullptr);
    Host& outside = Host::current();
    ASSERT_EQ(load(), eOk);
    m_host.commandStack().addCommand(kModuleCommandGroup, "SSTEST", [] {});
    m_host.commandStack().addCommand("OTHER", "KEEP", [] {});

    ASSERT_EQ(unload(), eOk);
    EXPECT_FALSE(m_host.commandStack().hasGroup("VORTEX_SS"));
    EXPECT_TRUE(m_host.commandStack().hasGroup("OTHER"));
    EXPECT_FALSE(moduleIsLoaded());
    EXPECT_EQ(moduleCheckBoxPictures(), nullptr);
    EXPECT_EQ(moduleState().objectCount(), 0);
    EXPECT_EQ(m_host.resources().sourceCount(), 0);
    EXPECT_EQ(m_host.resources().current(), nullptr);
    EXPECT_EQ(&Host::current(), &outside) << "the host before the load is current again";
    Host::setCurrent(before);
}

TEST_F(ModuleEntryTest, SubsystemHooksRunAroundTheLoadedModule) {
    std::vector<std::string> events;
    moduleState().addHooks({"test subsystem",
                            [&] { events.push_back(moduleIsLoaded() ? "load" : "load early"); },
                            [&] {
                                bool groupGone = !m_host.commandStack().hasGroup("VORTEX_SS");
                                events.push_back(groupGone ? "unload" : "unload early");
                                hostPostCommandPrompt();
                            }});
    m_host.commandStack().addCommand(kModuleCommandGroup, "SSTEST", [] {});
    ASSERT_EQ(load(), eOk);
    ASSERT_EQ(unload(), eOk);
    EXPECT_EQ(events, (std::vector<std::string>{"load", "unload"}));
    EXPECT_EQ(m_host.commands().promptCount(), 1) << "unload hooks still reach the host";
}

TEST_F(ModuleEntryTest, AFailingUnloadHookStillLetsGoOfTheHost) {
    moduleState().addHooks(
        {"test subsystem", {}, [] { throw std::runtime_error("Erase window failed"); }});
    m_host.commandStack().addCommand(kModuleCommandGroup, "SSTEST", [] {});
    ASSERT_EQ(load(), eOk);
    ASSERT_EQ(unload(), eOk);
    EXPECT_FALSE(moduleIsLoaded());
    EXPECT_FALSE(m_host.commandStack().hasGroup("VORTEX_SS"));
    EXPECT_EQ(m_host.resources().sourceCount(), 0);
    Vtx_StringArray errors = m_host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 1);
    EXPECT_EQ(errors[0], "*Error* Module hook test subsystem: Erase window failed");
}

class NamedSource : public ResourceSource {
public:
    Vtx_String resourceName() const override { return "other module"; }
    std::string_view findResource(ResourceKind, int) const override { return {}; }
};

TEST_F(ModuleEntryTest, UnloadHandsBackTheResourceSourceCurrentBefore) {
    NamedSource other;
    m_host.resources().registerSource(&other);
    m_host.resources().setCurrent(&other);
    ASSERT_EQ(load(), eOk);
    EXPECT_EQ(m_host.resources().current(), &moduleResources());
    ASSERT_EQ(unload(), eOk);
    EXPECT_EQ(m_host.resources().current(), &other);

    ASSERT_EQ(load(), eOk);
    m_host.resources().unregisterSource(&other);
    ASSERT_EQ(unload(), eOk);
    EXPECT_EQ(m_host.resources().current(), nullptr) << "a source gone meanwhile is not restored";
}

TEST_F(ModuleEntryTest, EveryMessageIsAnsweredWithZero) {
    EXPECT_EQ(moduleEntryPoint(kModuleInit, nullptr), 0);
    EXPECT_FALSE(moduleIsLoaded()) << "a load without a host id does nothing";
    EXPECT_EQ(moduleEntryPoint(kModuleUnload, nullptr), 0);
    EXPECT_EQ(moduleEntryPoint(12345, nullptr), 0);
    ASSERT_EQ(load(), eOk);
    int answer = -1;
    EXPECT_EQ(m_host.linker().sendMessage("vtxss", kModuleInit, answer), eOk);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(m_host.resources().sourceCount(), 1) << "a second load message changes nothing";
}

TEST_F(ModuleEntryTest, ASecondHostCannotTakeTheLoadedModule) {
    ASSERT_EQ(load(), eOk);
    Host other;
    EXPECT_EQ(other.linker().loadLinkedModule("vtxss", &moduleEntryPoint), eOk);
    EXPECT_FALSE(other.linker().findModule("vtxss")->multiDocumentAware);
    EXPECT_EQ(other.linker().unloadModule("vtxss"), eNotApplicable) << "never unlocked";
    EXPECT_EQ(&Host::current(), &m_host);
    other.linker().unloadAll();
    EXPECT_TRUE(moduleIsLoaded()) << "an unload from a host that did not load it is ignored";
}

} // namespace
