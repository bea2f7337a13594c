// The shipped sample library end to end: every standard assigned to a macro
// of the sample drawing is applied, with the values an engineer would check
// by hand (see the comments of the standards).

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "standards/DataFiles.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class SampleLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library/");
        resetSectionTableManager();
        dataFileCache().clear();
        Vtx_String reason;
        ASSERT_EQ(readDrawingFile(VTX_SAMPLE_DIR "/library/Drawings/sample.vtxd", db, reason), eOk)
            << reason.str();
    }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        resetSectionTableManager();
    }

    // Applies the macro's first standard; the outputs by name.
    std::map<std::string, double> apply(const char* macroName) {
        std::map<std::string, double> outputs;
        Vtx_DbMacro* dbMacro = db.findMacro(macroName);
        EXPECT_NE(dbMacro, nullptr);
        if (!dbMacro)
            return outputs;
        MacroData macroData;
        EXPECT_EQ(macroData.initFromMacro(dbMacro), eOk);
        const Vtx_StandardAssignment standard = dbMacro->macro()->standards().front();
        KsDlgStandardsData data;
        EXPECT_EQ(data.initialize(dbMacro, standard.spreadsheet, standard.mappingKey, &macroData),
                  eOk);
        Vtx_Transaction transaction(&db);
        data.transaction = &transaction;
        dbMacro->macro()->getGeneralVariableTexts(data.genVarNames, data.genVarValues);
        EXPECT_TRUE(StartDlgStandardsSS(data)) << host.commandLine().text();
        for (int i = 0; i < data.varCells.length(); ++i) {
            double number = 0;
            if (data.varCells[i].value.toDouble(number))
                outputs[data.varCells[i].name.str()] = number;
        }
        return outputs;
    }
    double variable(const char* macroName, const char* moduleName, const char* name) {
        return db.findMacro(macroName)->macro()->findModule(moduleName)->findVariable(name)->value;
    }

    Host host;
    HostScope scope{host};
    Vtx_Database db;
};

} // namespace

TEST_F(SampleLibrary, BoltedEndPlateOnAnIpe300) {
    auto out = apply("EP-1");
    EXPECT_EQ(out["HoleOffset"], 2) << "M20 in a 22 mm hole";
    EXPECT_EQ(out["EdgeDist"], 35) << "grade 8.8, M20";
    EXPECT_EQ(out["Rows"], 3) << "IPE 300 by its system name";
    EXPECT_EQ(out["PlateThickness"], 12) << "0.6 x 20 = 12, a stocked thickness";
    EXPECT_EQ(out["PlateWidth"], 180) << "150 + 2 x 15 = 180, stocked in 12 mm";
    EXPECT_EQ(out["Gauge"], 110);
    EXPECT_EQ(out["Pitch"], 105) << "(300 - 2 x 10.7 - 2 x 35) / 2 rounded to 5, by the child";
    EXPECT_EQ(out["PlateHeight"], 380) << "370 up to the next standard height";
    EXPECT_EQ(out["Weld"], 5);
    EXPECT_EQ(variable("EP-1", "EndPlate", "Thickness"), 12);
    EXPECT_EQ(variable("EP-1", "Bolts", "Pitch"), 105);
}

TEST_F(SampleLibrary, FinPlateOnAnIpe270) {
    auto out = apply("FP-1");
    EXPECT_EQ(out["BeamH"], 270);
    EXPECT_DOUBLE_EQ(out["BeamTw"], 6.6);
    EXPECT_EQ(out["Rows"], 3);
    EXPECT_EQ(out["PlateThickness"], 10);
    EXPECT_EQ(out["Pitch"], 90);
    EXPECT_EQ(out["PlateHeight"], 250);
    EXPECT_EQ(out["PlateWidth"], 80);
    EXPECT_EQ(out["NotchDepth"], 20);
    EXPECT_EQ(variable("FP-1", "FinPlate", "Height"), 250);
}

TEST_F(SampleLibrary, BasePlateThroughItsModuleGroup) {
    auto out = apply("BP-1");
    EXPECT_EQ(out["Thickness"], 25);
    EXPECT_EQ(out["EdgeDistance"], 50);
    EXPECT_EQ(out["Embedment"], 320) << "12 x 24 + 30 grout, rounded to 10";
    EXPECT_EQ(variable("BP-1", "AnchorBolts", "Embedment"), 320);
    EXPECT_EQ(variable("BP-1", "BasePlate", "Thickness"), 25);
}
