// The designs shipped in the sample library, read as the macro dialog reads
// them, against the sample drawing's macros.

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

// Each design of the sample library binds to the variables of one module of
// a sample macro: every variable edit or combo names a variable the dialog
// shows, every variable of the module has its control, and every combo finds
// its items in the library's lists.
TEST_F(SampleDesign, EveryDesignBindsToTheVariablesOfItsModule) {
    struct Binding {
        const char* design;
        const char* macro;
        const char* module;
    };
    const Binding bindings[] = {
        {"EndPlate\\EndPlate", "EP-1", "EndPlate"},
        {"EndPlate\\Bolts", "EP-1", "Bolts"},
        {"FinPlate\\FinPlate", "FP-1", "FinPlate"},
        {"FinPlate\\FinBolts", "FP-1", "FinBolts"},
        {"BasePlate\\BasePlate", "BP-1", "BasePlate"},
        {"BasePlate\\AnchorBolts", "BP-1", "AnchorBolts"},
        {"BasePlate\\Shims", "BP-1", "Shims"},
    };
    Vtx_Database db;
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(gSettings.libDir + "Drawings\\sample.vtxd", db, reason), eOk)
        << reason.c_str();
    Vtx_StringArray designs;
    getModuleImages(designs);

    for (const Binding& binding : bindings) {
        SCOPED_TRACE(binding.design);
        EXPECT_TRUE(designs.contains(binding.design));
        Vtx_DlgDesignerData design;
        design.setDynIdRange(33000, 33099);
        ASSERT_TRUE(design.readFromFile(designFilePath(binding.design, "txt"), true))
            << design.lastError().c_str();
        int width = 0, height = 0;
        design.getImageSize(width, height);
        EXPECT_EQ(width, 480);
        EXPECT_EQ(height, 300);

        const Vtx_Module* module = db.findMacro(binding.macro)->macro()->findModule(binding.module);
        ASSERT_NE(module, nullptr);
        Vtx_StringArray names;
        Vtx_Array<bool> visible, driving;
        ASSERT_EQ(getDialogVariables(module, names, visible, driving), eOk);

        int bound = 0;
        for (int i = 0; i < design.getNrControls(); ++i) {
            const Vtx_DesignerControl& control = *design.getControl(i);
            // Every control lies on the picture.
            EXPECT_GE(control.topLeftX, 0.0);
            EXPECT_LE(control.bottomRightX, 1.0);
            EXPECT_GE(control.topLeftY, 0.0);
            EXPECT_LE(control.bottomRightY, 1.0);
            if (control.type != ctVarEdit && control.type != ctVarCombo)
                continue;
            ++bound;
            EXPECT_TRUE(names.contains(control.contents, false)) << control.contents.c_str();
            if (control.type == ctVarCombo) {
                Vtx_StringArray items;
                control.getComboItemsFromFile(items);
                EXPECT_GT(items.length(), 2) << control.comboList.c_str();
            }
        }
        EXPECT_EQ(bound, names.length());
    }
}
