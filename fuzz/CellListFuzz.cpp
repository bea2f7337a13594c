// Fuzz target of the cell list reader (.cells), through the import of
// `vtxss sheet --import`: the list is read, its cells and changes put into a
// grid, recalculated and saved as a sheet file. Round trip: the written file
// must load, and saved again it must give the same bytes.

#include "CommandRunner.h"
#include "FuzzSupport.h"

#include "platform/sheet/SheetModel.h"
#include "platform/sheet/bench/CellsWorkload.h"

#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    const std::string input = fuzz::writeTempFile("input.cells", bytes);
    const std::string output = fuzz::tempFolder() + "/imported.kss";
    std::remove(output.c_str());

    vtx::sheet::Workload list;
    std::string reason;
    const bool readable = vtx::sheet::readWorkload(input, list, reason);
    const int code = fuzz::runCommand(
        {"sheet", "--import", input, "--out", output, "--apply-changes", "--quiet"});
    if (code != 0)
        return 0;
    FUZZ_CHECK(readable, "the import took a list that the reader refuses: " + reason);

    const std::string written = fuzz::readWholeFile(output);
    vtx::sheet::SheetModel sheet;
    FUZZ_CHECK(sheet.loadFromText(written, output, &reason),
               "the imported sheet does not load: " + reason);
    FUZZ_CHECK_SAME(written, sheet.saveToText(), "the imported sheet, loaded and saved, changes");
    // The benchmark's checksum over the list's check range, whatever its size.
    (void)vtx::sheet::workloadChecksum(list, sheet);
    return 0;
}
