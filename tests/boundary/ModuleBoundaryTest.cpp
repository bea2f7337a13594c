// The module library's exported interface, used from outside: a standard
// applied through the exported Start function, the state shared with the
// core and host stand-ins, what is hidden, and grids and sheet files.

#include "ModuleBoundary.h"

#include "platform/core/Files.h"
#include "spread/DialogHost.h"
#include "spread/ReadSSFile.h"
#include "spread/VtxSpread.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/StandardsTimers.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace {

using StartFunction = bool (*)(KsDlgStandardsData&);

TEST_F(ModuleBoundary, AStandardIsAppliedThroughTheExportedStartFunction) {
    // The C++ name of StartDlgStandardsSS(KsDlgStandardsData&).
    auto start =
        reinterpret_cast<StartFunction>(symbol("_Z19StartDlgStandardsSSR18KsDlgStandardsData"));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start, &StartDlgStandardsSS) << "the program's link binds to the loaded library";

    KsDlgStandardsData data;
    fill(data, "EP-1");
    ASSERT_TRUE(start(data)) << m_host.commandLine().text();
    EXPECT_FALSE(m_host.commandLine().hasErrors()) << m_host.commandLine().text();
    EXPECT_EQ(output(data, "PlateThickness"), 12);
    EXPECT_EQ(output(data, "Pitch"), 105) << "computed by the child spreadsheet";
    const Vtx_Module* bolts = m_db.findMacro("EP-1")->macro()->findModule("Bolts");
    ASSERT_NE(bolts, nullptr);
    EXPECT_EQ(bolts->findVariable("Pitch")->value, 105) << "written into the macro";

    // The module-wide objects the program sees are the module's: the parent
    // and the child took a pooled dialog each, and each loaded one file.
    EXPECT_EQ(gSSDlgsMgr.count(), 2);
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
    EXPECT_EQ(gLoadFile.count(), 2);
    EXPECT_EQ(gCalcChild.count(), 1);
}

TEST_F(ModuleBoundary, TheCoreAndHostStandInsHaveOneCopyOfTheirState) {
    // The module calls the core and host code this program calls.
    EXPECT_EQ(symbol("_ZN4Host7currentEv"), reinterpret_cast<void*>(&Host::current));
    EXPECT_EQ(symbol("_Z10fileExistsRK10Vtx_String"), reinterpret_cast<void*>(&fileExists));

    // A library folder set here is the one the module looks in, and its
    // messages reach this program's host.
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() /
        ("vtx-boundary-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(empty);
    gSettings.setLibDir(empty.string() + "/");
    KsDlgStandardsData data;
    fill(data, "EP-1");
    const double before = output(data, "PlateThickness");
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_EQ(output(data, "PlateThickness"), before) << "a failed run leaves the record";
    const Vtx_String errors = m_host.commandLine().text();
    EXPECT_TRUE(errors.hasSubString("*Error* Cannot load the standards spreadsheet"))
        << errors.str();
    EXPECT_TRUE(errors.hasSubString(Vtx_String(empty.filename().string()))) << errors.str();
    gSettings.setLibDir(kSampleLibrary);
    std::filesystem::remove_all(empty);
}

TEST_F(ModuleBoundary, OnlyTheInterfacesAreExported) {
    // Exported: the entry point, module-wide objects, the timers, Start
    // functions and the members of the exported classes.
    // (A program linked against the library, as this one, uses its own copy
    // of the exported objects, which the library then uses too; a host that
    // only loads the library finds the library's at these addresses.)
    EXPECT_NE(symbol("vtxModuleEntryPoint"), nullptr);
    EXPECT_NE(symbol("gSSDlgsMgr"), nullptr);
    EXPECT_NE(symbol("gCalcCellGetVarNames"), nullptr);
    EXPECT_NE(symbol("_ZN10KsVarCells12getFromMacroERK18KsDlgStandardsData"), nullptr);
    // Hidden: the evaluation dialog, the name replacement, the spreadsheet
    // control and the module's own entry point behind the exported one.
    // (The build's export check proves that these are in the library.)
    EXPECT_EQ(symbol("_ZN17KsStandardsDialog8evaluateEv"), nullptr);
    EXPECT_EQ(symbol("_ZNK12NameReplacer5applyER10Vtx_String"), nullptr);
    EXPECT_EQ(symbol("_ZN3vtx5sheet10SheetModel10setMaxColsEi"), nullptr);
    EXPECT_EQ(symbol("_Z16moduleEntryPointiPv"), nullptr);
}

TEST_F(ModuleBoundary, GridsAndSheetFilesAreUsableFromOutside) {
    Vtx_String first;
    Vtx_StringArray header;
    Vtx_Array<Vtx_StringArray> rows;
    ASSERT_TRUE(ReadSSFile(kSampleLibrary + "Connection Standards/Childs/BoltSpacing.kss", first,
                           header, rows));
    ASSERT_GT(rows.length(), 0);
    EXPECT_EQ(rows[0][0], first);

    HiddenDialogHost dialog;
    dialog.addPlaceholder(1196, {0, 0, 400, 300});
    Vtx_Spread grid;
    ASSERT_TRUE(grid.createInDialog(&dialog, 1196, true));
    EXPECT_EQ(dialog.grid(1196), &grid);
    ASSERT_TRUE(grid.setMaxCols(2, false));
    ASSERT_TRUE(grid.setMaxRows(2, false));
    ASSERT_TRUE(grid.setCellText(1, 1, "21"));
    ASSERT_TRUE(grid.setCellFormula(2, 1, "A1*2", true));
    Vtx_String value;
    ASSERT_TRUE(grid.getCellText(2, 1, value, kTextValue));
    EXPECT_EQ(value, "42");
}

} // namespace
