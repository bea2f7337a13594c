// Fuzz target of the section table files. The input is read as a table
// file; round trip: the rows written again read back to the same rows, and
// the second and third written files are equal. Then the file is registered
// from a temporary library's "prof" folder and every section of it is looked
// up by its names, and through the standards functions of section data.

#include "FuzzSupport.h"

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/sheet/SheetModel.h"
#include "standards/StandardsFunctions.h"

#include <string>

namespace {

constexpr int kSectionsLookedUp = 8;

Vtx_Array<Vtx_StringArray> readBack(const std::string& path) {
    Vtx_String name;
    Vtx_Array<Vtx_StringArray> rows;
    Vtx_String reason;
    FUZZ_CHECK(readFile(fuzz::corePathOf(path), name, rows, &reason) == eOk,
               "a written table file does not read back: " + reason.str());
    return rows;
}

void checkRoundTrip(const Vtx_Array<Vtx_StringArray>& rows) {
    const std::string second = fuzz::tempFolder() + "/second.pr";
    const std::string third = fuzz::tempFolder() + "/third.pr";
    FUZZ_CHECK(writeFile(fuzz::corePathOf(second), rows) == eOk, "the table cannot be written");
    const Vtx_Array<Vtx_StringArray> back = readBack(second);
    FUZZ_CHECK(back == rows, "the written table reads back to other rows");
    FUZZ_CHECK(writeFile(fuzz::corePathOf(third), back) == eOk, "the table cannot be written");
    FUZZ_CHECK_SAME(fuzz::readWholeFile(second), fuzz::readWholeFile(third),
                    "written again, the table file changes");
}

void lookUpSections(vtx::sheet::SheetModel& sheet) {
    Vtx_SectionTableManager& manager = sectionTableManager();
    int looked = 0;
    for (const Vtx_SectionTable& table : manager.tables()) {
        for (const Vtx_StringArray& row : table.rows) {
            if (row.isEmpty() || ++looked > kSectionsLookedUp)
                return;
            const Vtx_String name = row.length() > 1 ? row[1] : row[0];
            Vtx_String systemName;
            Vtx_String userName;
            Vtx_StringArray columns;
            Vtx_String value;
            manager.getSystemName(name, systemName);
            manager.getUserName(name, userName);
            getSectionColumnNames(name, columns);
            for (int c = -1; c <= columns.length(); ++c)
                getSectionValue(name, c, value);
            sheet.setFormula(1, 1, "SECTIONSIZE(" + fuzz::formulaText(name.str()) + ",1)", true);
            sheet.setFormula(1, 2, "GETSYSNAME(" + fuzz::formulaText(name.str()) + ")", true);
            sheet.setFormula(
                1, 3, "GETPROFCELL(\"Data/gauges.txt\"," + fuzz::formulaText(name.str()) + ")",
                true);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vtx::sheet::SheetModel sheet;
    static const bool prepared = [] {
        gSettings.setLibDir(fuzz::corePathOf(fuzz::tempFolder() + "/lib"));
        fuzz::writeTempFile("lib/Connection Standards/Data/gauges.txt",
                            "HEA 200\t110\nIPE 300;M20\t96\n");
        sheet.setMaxCols(2);
        sheet.setMaxRows(4);
        return registerStandardsFunctions(sheet);
    }();
    FUZZ_CHECK(prepared, "the standards functions cannot be registered");
    const std::string_view bytes = fuzz::asText(data, size);
    const std::string input = fuzz::writeTempFile("lib/prof/Fuzz.pr", bytes);

    Vtx_String name;
    Vtx_Array<Vtx_StringArray> rows;
    if (readFile(fuzz::corePathOf(input), name, rows) == eOk)
        checkRoundTrip(rows);

    resetSectionTableManager();
    lookUpSections(sheet);
    return 0;
}
