// Fuzz target of the drawing file reader. Round trip: a drawing that reads
// must be written (the writer refuses only what the reader would refuse),
// read back, and written again to the same bytes.

#include "FuzzSupport.h"

#include "platform/core/MacroModel.h"

#include <string>

namespace {

// Writes database to path and returns the bytes written.
std::string write(const Vtx_Database& database, const std::string& path) {
    Vtx_String reason;
    FUZZ_CHECK(writeDrawingFile(fuzz::corePathOf(path), database, reason) == eOk,
               "a drawing that was read cannot be written: " + reason.str());
    return fuzz::readWholeFile(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::writeTempFile("input.vtxd", fuzz::asText(data, size));
    Vtx_Database first;
    Vtx_String reason;
    if (readDrawingFile(fuzz::corePathOf(input), first, reason) != eOk)
        return 0;
    const std::string secondPath = fuzz::tempFolder() + "/second.vtxd";
    const std::string second = write(first, secondPath);
    Vtx_Database back;
    FUZZ_CHECK(readDrawingFile(fuzz::corePathOf(secondPath), back, reason) == eOk,
               "the written drawing does not read back: " + reason.str());
    const std::string third = write(back, fuzz::tempFolder() + "/third.vtxd");
    FUZZ_CHECK_SAME(second, third, "written again, the drawing changes");
    return 0;
}
