// Loads the built module library the way the host does: dlopen, the entry
// point's load and unload messages, dlclose.

#include "module/ModuleEntry.h"

#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#ifdef VTX_HOST_HAS_QT
#include <QtGlobal>
#endif

namespace {

const Vtx_String kLibrary = VTX_MODULE_LIBRARY;

class ModuleLibraryTest : public ::testing::Test {
protected:
#ifdef VTX_HOST_HAS_QT
    // Uses Qt, so that Qt is resident as in the desktop host (see the build file).
    void SetUp() override {
        ASSERT_NE(qVersion(), nullptr);
    }
#endif
    Host m_host;
    HostScope m_scope{m_host};
    HostDynamicLinker& linker() {
        return m_host.linker();
    }
};

TEST_F(ModuleLibraryTest, LoadRegistersTheLibraryWithThisHost) {
    Vtx_String reason;
    ASSERT_EQ(linker().loadModule(kLibrary, &reason), eOk) << reason.str();
    const HostModule* module = linker().findModule("vtxssmodule");
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->multiDocumentAware);
    EXPECT_FALSE(module->locked);

    ASSERT_EQ(m_host.resources().sourceCount(), 1);
    ASSERT_NE(m_host.resources().current(), nullptr);
    EXPECT_EQ(m_host.resources().current()->resourceName(), "vtxssmodule.so");
    ModuleBitmap checked;
    ASSERT_TRUE(decodeBmp(m_host.resources().find(ResourceKind::Bitmap, 8136), checked));
    EXPECT_EQ(checked.width, 16);
    EXPECT_FALSE(m_host.commandLine().hasErrors()) << m_host.commandLine().text();

    // The library keeps its own copy of the module code: the copy linked into
    // this test has not been loaded by it.
    EXPECT_FALSE(moduleIsLoaded());
}

TEST_F(ModuleLibraryTest, UnloadRemovesTheGroupAndLeavesNothingBehind) {
    ASSERT_EQ(linker().loadModule(kLibrary), eOk);
    m_host.commandStack().addCommand("VORTEX_SS", "SSTEST", [] {});
    m_host.commandStack().addCommand("OTHER", "KEEP", [] {});
    ASSERT_EQ(linker().unloadModule("vtxssmodule"), eOk);
    EXPECT_FALSE(linker().isLoaded("vtxssmodule"));
    EXPECT_FALSE(m_host.commandStack().hasGroup("VORTEX_SS"));
    EXPECT_TRUE(m_host.commandStack().hasGroup("OTHER"));
    EXPECT_EQ(m_host.resources().sourceCount(), 0);
    EXPECT_EQ(m_host.resources().current(), nullptr);
    EXPECT_EQ(&Host::current(), &m_host);
    // Really unmapped: nothing in the library (a unique symbol, say) kept it.
    EXPECT_EQ(dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(ModuleLibraryTest, TheLibraryLoadsAgainAfterAnUnload) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(linker().loadModule(kLibrary), eOk) << round;
        EXPECT_EQ(linker().loadModule(kLibrary), eDuplicateKey);
        ASSERT_EQ(linker().unloadModule("vtxssmodule"), eOk) << round;
    }
    EXPECT_EQ(m_host.resources().sourceCount(), 0);
}

TEST_F(ModuleLibraryTest, TheLibraryKeepsItsCodeAndSharesTheHost) {
    ASSERT_EQ(linker().loadModule(kLibrary), eOk);
    void* library = linker().findModule("vtxssmodule")->library;
    EXPECT_NE(dlsym(library, "vtxModuleEntryPoint"), nullptr);
    // Its own entry point (moduleEntryPoint(int, void*)) is hidden: the copy
    // linked into this test is another one.
    EXPECT_EQ(dlsym(library, "_Z16moduleEntryPointiPv"), nullptr);
    // The host's print function (hostPrintf(const char*, ...)) comes from the
    // one host library of the process.
    EXPECT_EQ(dlsym(library, "_Z10hostPrintfPKcz"), reinterpret_cast<void*>(&hostPrintf));
}

} // namespace
