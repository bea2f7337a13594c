// Print settings against real parts: the grid's tag, settings files in a
// temporary installation folder, the registry stand-in with a temporary file,
// and header and footer pictures on disk.
#include "spread/PrintSettings.h"

#include "GridFolderTest.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr const char* kKey = kPrintSettingsRegistryKey;

// A temporary installation folder ("install\\") beside a work folder, a grid
// and a host whose registry lives in a temporary file.
class PrintSettingsFiles : public GridFolderTest {
protected:
    PrintSettingsFiles() : GridFolderTest("vtx_print_test_", {"work/bills"}) {}
    void SetUp() override {
        GridFolderTest::SetUp();
        ASSERT_EQ(host.registry().setFile(path("registry.txt")), eOk);
    }
    std::string read(const Vtx_String& file) { return readBytes(file); }
    std::string tag() {
        Vtx_String text;
        grid.getSheetTag(text);
        return text.str();
    }
    static KsPrintSettings sample() {
        KsPrintSettings settings;
        settings.readFromStore(KsSettingsStore());
        settings.setFont("Courier New", 11);
        settings.setMargins(1, 2, 3, 4);
        settings.setFlags(false, true, false, true, false, true);
        settings.setVariables(Vtx_StringArray{"Date", "Gr\xF6\xDF"
                                                      "e"},
                              Vtx_StringArray{"", "\x80 12"});
        settings.setHeaderFile("", "pics\\head.emf");
        return settings;
    }

    Host host;
    HostScope scope{host};
};

} // namespace

TEST_F(PrintSettingsFiles, TagRoundTripKeepsTheRecordThroughASavedSheet) {
    const KsPrintSettings written = sample();
    ASSERT_TRUE(written.writeToGrid(&grid));
    KsPrintSettings read;
    ASSERT_TRUE(read.readFromGrid(&grid));
    EXPECT_TRUE(read == written);
    EXPECT_EQ(read.grid(), &grid);

    // The tag's 0xA4 bytes survive the sheet file.
    ASSERT_TRUE(grid.saveFile(path("work\\bill.kss")));
    Vtx_Spread other;
    dialog.addPlaceholder(1197, {0, 0, 400, 300});
    ASSERT_TRUE(other.createInDialog(&dialog, 1197, true));
    ASSERT_TRUE(other.loadFile(path("work\\bill.kss")));
    KsPrintSettings loaded;
    ASSERT_TRUE(loaded.readFromGrid(&other));
    EXPECT_TRUE(loaded == written);
}

TEST_F(PrintSettingsFiles, GridTagEdgeCases) {
    KsPrintSettings settings = sample();
    ASSERT_TRUE(settings.readFromGrid(&grid)) << "an empty tag gives the defaults";
    EXPECT_TRUE(settings.isValid());
    EXPECT_FALSE(settings == sample());
    EXPECT_EQ(settings.fontName().str(), "Tahoma");

    Vtx_Spread notCreated;
    EXPECT_FALSE(KsPrintSettings().writeToGrid(&grid)) << "a record never read is not written";
    EXPECT_FALSE(sample().writeToGrid(&notCreated));
    EXPECT_FALSE(settings.readFromGrid(&notCreated));

    ASSERT_TRUE(grid.setSheetTag("keep"));
    KsPrintSettings broken = sample();
    broken.setVariables(Vtx_StringArray{"Sum"}, Vtx_StringArray{"1 \xA4 2"});
    Vtx_String reason;
    EXPECT_FALSE(broken.writeToGrid(&grid, &reason));
    EXPECT_EQ(tag(), "keep") << "a record that cannot be written leaves the tag";
}

TEST_F(PrintSettingsFiles, SetsAreLookedUpInTheInstallationFolder) {
    gSettings.vtxDir = m_root.string() + "/install//";
    const std::string folder = path("install\\").str();
    EXPECT_EQ(KsPrintSettings::installFolder().str(), folder);
    EXPECT_EQ(KsPrintSettings::settingsFilePath("Bill").str(), folder + "Bill.ksd");
    for (const char* unsafe : {"", "..", "..\\Bill", "sub/Bill", "C:Bill"})
        EXPECT_TRUE(KsPrintSettings::settingsFilePath(unsafe).isEmpty()) << unsafe;

    const KsPrintSettings written = sample();
    Vtx_String reason;
    ASSERT_TRUE(written.writeToFile("Bill", &reason)) << reason.str();
    KsPrintSettings read;
    ASSERT_TRUE(read.readFromFile("bill"));
    EXPECT_TRUE(read == written);
    ASSERT_TRUE(sample().writeToFile("BILL"));
    EXPECT_EQ(fs::directory_iterator(m_root / "install")->path().filename(), "Bill.ksd");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root / "install"), fs::directory_iterator()),
              1)
        << "a set written again replaces its file, whatever the case, and leaves nothing else";

    read = sample();
    EXPECT_FALSE(read.readFromFile("Missing"));
    EXPECT_TRUE(read.isValid());
    EXPECT_EQ(read.marginLeft(), 9);
    gSettings.vtxDir = "";
    EXPECT_FALSE(read.readFromFile("Bill")) << "no installation folder, no sets";
}

TEST_F(PrintSettingsFiles, RegistryDefaultsTakeOnlyTextsThatFit) {
    KsPrintSettings settings;
    EXPECT_FALSE(settings.readRegistryDefaults());
    EXPECT_EQ(settings.language().str(), "EN");
    EXPECT_EQ(settings.defaultSetName().str(), "");

    host.registry().setText(kKey, "Language", "DE");
    host.registry().setInteger(kKey, "Default Settings", 3);
    EXPECT_FALSE(settings.readRegistryDefaults()) << "a number is not a set name";
    EXPECT_EQ(settings.language().str(), "DE");
    EXPECT_EQ(settings.defaultSetName().str(), "");

    host.registry().setText(kKey, "Default Settings", std::string(257, 'x'));
    EXPECT_FALSE(settings.readRegistryDefaults());
    EXPECT_EQ(settings.defaultSetName().str(), "");
    host.registry().setText(kKey, "default settings", std::string(256, 'x'));
    EXPECT_TRUE(settings.readRegistryDefaults());
    EXPECT_EQ(settings.defaultSetName().length(), 256);
}

TEST_F(PrintSettingsFiles, LoadingIntoAGridFallsBackToTheRegistrysDefaultSet) {
    KsPrintSettings fallback = sample();
    ASSERT_TRUE(fallback.writeToFile("Office"));
    host.registry().setText(kKey, "Default Settings", "Office");
    ASSERT_TRUE(grid.setMaxCols(2, false));

    KsPrintSettings settings;
    ASSERT_TRUE(settings.loadSettingsIntoGrid(&grid, "Missing", true));
    EXPECT_TRUE(settings == fallback);
    EXPECT_EQ(grid.getMaxCols(), 6);
    EXPECT_EQ(grid.getMaxRows(), 11);
    for (int option : {12, 25, 7, 21})
        EXPECT_TRUE(grid.getOption(option)) << option;
    const vtx::sheet::SheetModel& model = *grid.model();
    EXPECT_EQ(model.cellType(6, 11), vtx::sheet::CellType::edit(100, kEditStyleSettings));
    EXPECT_EQ(model.font(3, 4).name, "Courier New");
    EXPECT_EQ(model.font(3, 4).height, 11);
    EXPECT_FALSE(model.font(3, 4).bold);
    EXPECT_TRUE(model.font(6, 0).bold);
    EXPECT_TRUE(model.font(0, 11).bold);
    EXPECT_EQ(model.appearance().textTipMode, 2);
    EXPECT_EQ(model.appearance().textTipDelay, 10);
    EXPECT_EQ(model.appearance().cellNoteIndicator, kCellNoteIndicatorOff);
    KsPrintSettings inTag;
    ASSERT_TRUE(inTag.readFromGrid(&grid));
    EXPECT_TRUE(inTag == fallback);
    EXPECT_TRUE(host.commandLine().errorLines().length() == 0) << "a missing set is silent";
}

TEST_F(PrintSettingsFiles, LoadingWithoutResetTouchesOnlyOptionsAndTips) {
    ASSERT_TRUE(grid.setMaxCols(2, false));
    ASSERT_TRUE(grid.setSheetTag("keep"));
    KsPrintSettings settings;
    ASSERT_TRUE(settings.loadSettingsIntoGrid(&grid, "Missing", false));
    EXPECT_EQ(grid.getMaxCols(), 2);
    EXPECT_EQ(tag(), "keep");
    EXPECT_EQ(grid.model()->appearance().textTipMode, 2);
    Vtx_Spread notCreated;
    EXPECT_FALSE(settings.loadSettingsIntoGrid(&notCreated, "Missing", true));
}

TEST_F(PrintSettingsFiles, ASetWithABadEntryIsUsedAndTheEntryReported) {
    // The registry's default set must not replace a set that was read.
    KsPrintSettings office = sample();
    ASSERT_TRUE(office.writeToFile("Office"));
    host.registry().setText(kKey, "Default Settings", "Office");
    write("install/Bill.ksd", "marginLeft\xA4"
                              "2\xA4"
                              "x\xA4"
                              "marginTop\xA4"
                              "2\xA4"
                              "21\xA4");
    KsPrintSettings settings;
    ASSERT_TRUE(settings.loadSettingsIntoGrid(&grid, "Bill", true));
    EXPECT_EQ(settings.marginLeft(), 9);
    EXPECT_EQ(settings.marginTop(), 21);
    EXPECT_EQ(settings.fontName().str(), "Tahoma") << "not the default set's Courier New";
    KsPrintSettings inTag;
    ASSERT_TRUE(inTag.readFromGrid(&grid));
    EXPECT_EQ(inTag.marginTop(), 21);
    ASSERT_EQ(host.commandLine().errorLines().length(), 1);
    EXPECT_NE(host.commandLine().errorLines()[0].str().find("Bill.ksd: entry 1"),
              std::string::npos);

    // A sheet's tag is read the same way.
    ASSERT_TRUE(grid.setSheetTag("colors\xA4"
                                 "2\xA4"
                                 "0\xA4"
                                 "border\xA4"
                                 "2\xA4"
                                 "off\xA4"));
    ASSERT_TRUE(inTag.readFromGrid(&grid));
    EXPECT_FALSE(inTag.colors());
    EXPECT_TRUE(inTag.border());
    ASSERT_EQ(inTag.skippedEntries().length(), 1);
    EXPECT_NE(inTag.skippedEntries()[0].str().find("sheet tag: entry 2"), std::string::npos);
}
