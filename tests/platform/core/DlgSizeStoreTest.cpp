#include "platform/core/DlgSizeStore.h"

#include "CoreTestSupport.h"
#include "platform/core/Settings.h"

#include <gtest/gtest.h>

namespace {

class DlgSizeStoreTest : public testing::Test {
protected:
    void SetUp() override {
        m_savedInstall = gSettings.vtxDir;
        gSettings.setVtxDir(m_install.core());
        setDlgSizeFolder("");
    }
    void TearDown() override {
        gSettings.vtxDir = m_savedInstall;
        setDlgSizeFolder("");
    }

    CoreTempFolder m_install;
    Vtx_String m_savedInstall;
};

TEST_F(DlgSizeStoreTest, SizesAreKeptPerDialogInTheInstallationFolder) {
    Vtx_DlgSize size;
    EXPECT_FALSE(getDlgSize("DLG_MACRO_", size)) << "no store yet";
    ASSERT_EQ(WriteDlgSize("DLG_MACRO_EDITVARS_2_MACROS", {10, -20, 640, 480}), eOk);
    ASSERT_EQ(WriteDlgSize("DLG_GENVARS", {0, 0, 300, 200}), eOk);
    ASSERT_EQ(WriteDlgSize("dlg_macro_editvars_2_macros", {11, 21, 800, 600}), eOk);

    EXPECT_TRUE(getDlgSize("DLG_MACRO_EDITVARS_2_MACROS", size));
    EXPECT_EQ(size, (Vtx_DlgSize{11, 21, 800, 600}));
    EXPECT_TRUE(getDlgSize("DLG_GENVARS", size));
    EXPECT_EQ(size, (Vtx_DlgSize{0, 0, 300, 200}));
    EXPECT_FALSE(getDlgSize("DLG_MACRO_", size));
    EXPECT_EQ(m_install.get(kDlgSizeFileName), "VtxProperties version 1\r\n"
                                               "DLG_MACRO_EDITVARS_2_MACROS=11 21 800 600\r\n"
                                               "DLG_GENVARS=0 0 300 200\r\n");
    EXPECT_EQ(m_install.entryCount(), 1) << "no temporary file left";
}

TEST_F(DlgSizeStoreTest, SettableFolderIsCreatedWhenMissing) {
    setDlgSizeFolder(m_install.file("user\\sizes"));
    ASSERT_EQ(WriteDlgSize("DLG_SELECT_MACRO", {1, 2, 3, 4}), eOk);
    EXPECT_TRUE(fileExists(m_install.file("user\\sizes\\DialogSizes.txt")));
    Vtx_DlgSize size;
    EXPECT_TRUE(getDlgSize("DLG_SELECT_MACRO", size));
    setDlgSizeFolder("");
    EXPECT_FALSE(getDlgSize("DLG_SELECT_MACRO", size)) << "back to the installation folder";
}

TEST_F(DlgSizeStoreTest, BadSizesAndEntriesAreRefused) {
    EXPECT_EQ(WriteDlgSize("", {0, 0, 10, 10}), eInvalidName);
    EXPECT_EQ(WriteDlgSize("DLG_A", {0, 0, 0, 10}), eInvalidInput);
    EXPECT_EQ(WriteDlgSize("DLG_A", {0, 0, 10, kMaxDlgExtent + 1}), eInvalidInput);

    m_install.put(kDlgSizeFileName, "VtxProperties version 1\nDLG_A=1 2 3\nDLG_B=1 2 x 4\n"
                                    "DLG_C=1 2 -3 4\nDLG_D=5 6 7 8\n");
    Vtx_DlgSize size{9, 9, 9, 9};
    for (const char* name : {"DLG_A", "DLG_B", "DLG_C"}) {
        EXPECT_FALSE(getDlgSize(name, size)) << name;
        EXPECT_EQ(size, (Vtx_DlgSize{9, 9, 9, 9}));
    }
    EXPECT_TRUE(getDlgSize("DLG_D", size));
}

TEST_F(DlgSizeStoreTest, UnreadableStoreIsReplacedOnWrite) {
    m_install.put(kDlgSizeFileName, "garbage\n");
    Vtx_DlgSize size;
    EXPECT_FALSE(getDlgSize("DLG_D", size));
    ASSERT_EQ(WriteDlgSize("DLG_D", {1, 1, 50, 60}), eOk);
    EXPECT_TRUE(getDlgSize("DLG_D", size));
    EXPECT_EQ(size.height, 60);
}

TEST_F(DlgSizeStoreTest, NoFolderKnown) {
    gSettings.vtxDir = "";
    EXPECT_EQ(dlgSizeFile(), "");
    EXPECT_EQ(WriteDlgSize("DLG_A", {0, 0, 10, 10}), eNotApplicable);
}

} // namespace
