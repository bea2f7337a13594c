#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// A module linked into the test: records its messages and, on load, does what
// a well-behaved module does.
std::vector<int> gMessages;
int gInitAnswer = 0;
bool gUnlockOnInit = true;

int recordingEntry(int message, void* appId) {
    gMessages.push_back(message);
    auto* module = static_cast<HostModule*>(appId);
    if (message == kModuleInit) {
        module->host->linker().registerMultiDocumentAware(appId);
        if (gUnlockOnInit)
            module->host->linker().unlockModule(appId);
        return gInitAnswer;
    }
    return 0;
}

class DynamicLinkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMessages.clear();
        gInitAnswer = 0;
        gUnlockOnInit = true;
    }
    Host m_host;
    HostDynamicLinker& linker() { return m_host.linker(); }
};

TEST_F(DynamicLinkerTest, LoadAndUnloadSendTheirMessages) {
    ASSERT_EQ(linker().loadLinkedModule("recorder", &recordingEntry), eOk);
    const HostModule* module = linker().findModule("RECORDER");
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->multiDocumentAware);
    EXPECT_FALSE(module->locked);
    EXPECT_EQ(module->host, &m_host);
    EXPECT_EQ(linker().loadLinkedModule("recorder", &recordingEntry), eDuplicateKey);

    int answer = -1;
    EXPECT_EQ(linker().sendMessage("recorder", 77, answer), eOk);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(linker().unloadModule("recorder"), eOk);
    EXPECT_EQ(gMessages, (std::vector<int>{kModuleInit, 77, kModuleUnload}));
    EXPECT_FALSE(linker().isLoaded("recorder"));
    EXPECT_EQ(linker().unloadModule("recorder"), eKeyNotFound);
}

TEST_F(DynamicLinkerTest, ALockedModuleStaysLoaded) {
    gUnlockOnInit = false;
    ASSERT_EQ(linker().loadLinkedModule("sticky", &recordingEntry), eOk);
    Vtx_String reason;
    EXPECT_EQ(linker().unloadModule("sticky", &reason), eNotApplicable);
    EXPECT_TRUE(linker().isLoaded("sticky"));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(gMessages, (std::vector<int>{kModuleInit})) << "no unload message while locked";
}

TEST_F(DynamicLinkerTest, AModuleThatRefusesInitIsNotKept) {
    gInitAnswer = 3;
    EXPECT_EQ(linker().loadLinkedModule("refuser", &recordingEntry), eGeneralError);
    EXPECT_FALSE(linker().isLoaded("refuser"));
}

TEST_F(DynamicLinkerTest, UnknownIdsAreRefusedWithoutBeingRead) {
    int notAModule = 0;
    EXPECT_EQ(linker().registerMultiDocumentAware(&notAModule), eInvalidInput);
    EXPECT_EQ(linker().unlockModule(nullptr), eInvalidInput);
}

TEST_F(DynamicLinkerTest, HostDestructionUnloadsEvenLockedModules) {
    gUnlockOnInit = false;
    {
        Host host;
        ASSERT_EQ(host.linker().loadLinkedModule("sticky", &recordingEntry), eOk);
    }
    EXPECT_EQ(gMessages, (std::vector<int>{kModuleInit, kModuleUnload}));
}

TEST_F(DynamicLinkerTest, LibrariesThatCannotLoadAreReported) {
    Vtx_String reason;
    EXPECT_EQ(linker().loadModule("/nonexistent/libnothing.so", &reason), eFileNotFound);

    auto path = std::filesystem::temp_directory_path() / "vtx-not-a-library.so";
    std::ofstream(path) << "not an ELF file";
    EXPECT_EQ(linker().loadModule(Vtx_String(path.string()), &reason), eFileAccessErr);
    EXPECT_TRUE(reason.hasSubString(Vtx_String(path.string()))) << reason.str();
    std::filesystem::remove(path);
    EXPECT_TRUE(linker().moduleNames().isEmpty());
}

class FakeSource : public ResourceSource {
public:
    FakeSource(int id, std::string bytes) : m_id(id), m_bytes(std::move(bytes)) {}
    Vtx_String resourceName() const override { return "fake"; }
    std::string_view findResource(ResourceKind kind, int id) const override {
        return kind == ResourceKind::Bitmap && id == m_id ? std::string_view(m_bytes)
                                                          : std::string_view();
    }

private:
    int m_id;
    std::string m_bytes;
};

TEST(ResourcesTest, CurrentSourceFirstThenLatestRegistered) {
    HostResources resources;
    FakeSource older(1, "older"), newer(1, "newer"), own(2, "own");
    resources.registerSource(&older);
    resources.registerSource(&newer);
    EXPECT_EQ(resources.registerSource(&newer), eDuplicateKey);
    EXPECT_EQ(resources.find(ResourceKind::Bitmap, 1), "newer");
    resources.setCurrent(&older);
    EXPECT_EQ(resources.find(ResourceKind::Bitmap, 1), "older");
    EXPECT_EQ(resources.find(ResourceKind::Bitmap, 2), "") << "own is not registered";
    EXPECT_EQ(resources.find(ResourceKind::Icon, 1), "");
    EXPECT_EQ(resources.unregisterSource(&older), eOk);
    EXPECT_EQ(resources.current(), nullptr) << "an unregistered source is not left current";
    EXPECT_EQ(resources.find(ResourceKind::Bitmap, 1), "newer");
}

} // namespace
