// The end plate design shipped in the sample library, read as the macro
// dialog reads it, against the sample drawing's macro EP-1.

#include "designer/DesignFiles.h"
#include "designer/VtxDlgDesignerData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/Settings.h"

#include <gtest/gtest.h>

namespace {

class SampleDesign : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldLibDir = gSettings.libDir;
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
    }
    void TearDown() override { gSettings.libDir = m_oldLibDir; }

    Vtx_String m_oldLibDir;
};

} // namespace

TEST_F(SampleDesign, EndPlateDesignBindsToTheVariablesOfEP1) {
    Vtx_DlgDesignerData design;
    design.setDynIdRange(33000, 33099);
    ASSERT_TRUE(design.readFromFile(designFilePath("EndPlate\\EndPlate", "txt"), true))
        << design.lastError().c_str();
    int width = 0, height = 0;
    design.getImageSize(width, height);
    EXPECT_EQ(width, 360);
    EXPECT_EQ(height, 240);

    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(gSettings.libDir + "Drawings\\sample.vtxd", db, reason), eOk)
        << reason.c_str();
    const Vtx_Module* plate = db.findMacro("EP-1")->macro()->findModule("EndPlate");
    ASSERT_NE(plate, nullptr);
    Vtx_StringArray names;
    Vtx_Array<bool> visible, driving;
    ASSERT_EQ(getDialogVariables(plate, names, visible, driving), eOk);

    int bound = 0;
    for (int i = 0; i < design.getNrControls(); ++i) {
        const Vtx_DesignerControl& control = *design.getControl(i);
        if (control.type != ctVarEdit && control.type != ctVarCombo)
            continue;
        ++bound;
        EXPECT_TRUE(names.contains(control.contents, false)) << control.contents.c_str();
        // Every combo finds its items in the library's lists.
        if (control.type == ctVarCombo) {
            Vtx_StringArray items;
            control.getComboItemsFromFile(items);
            EXPECT_GT(items.length(), 2) << control.comboList.c_str();
        }
    }
    EXPECT_EQ(bound, names.length());

    Vtx_StringArray designs;
    getModuleImages(designs);
    EXPECT_TRUE(designs.contains("EndPlate\\EndPlate"));
}
