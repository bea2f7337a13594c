// Fuzz target of the part list reader (CSV), through `vtxss bill`: a part
// list that reads is fed into a bill with a picture of every part and saved
// as a sheet file (texts too long for their cells cut, with a failed exit).
// Round trip: the bill file must load, and saved again it must give the
// same bytes.

#include "CommandRunner.h"
#include "FuzzSupport.h"

#include "platform/core/ListOutput.h"
#include "platform/sheet/SheetModel.h"

#include <cstdio>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    Vtx_Bill bill;
    Vtx_String reason;
    if (readPartListText(bytes, "input", bill, &reason) != eOk)
        return 0;
    FUZZ_CHECK(!bill.columnNames.isEmpty(), "a part list without columns reads");

    const std::string input = fuzz::writeTempFile("input.csv", bytes);
    const std::string output = fuzz::tempFolder() + "/bill/bill.kss";
    fuzz::writeTempFile("bill/.keep", "");
    std::remove(output.c_str());
    const int code =
        fuzz::runCommand({"bill", input, "--out", output, "--pictures", "--lib",
                          VTX_SAMPLE_DIR "/library", "--install", VTX_SAMPLE_DIR "/install"});
    // A bill whose texts or lines did not fit is saved without them and the
    // command fails (exit 1) saying so; the saved bill must still load.
    FUZZ_CHECK(code == 0 || code == 1, "the bill command refuses its own command line");
    const bool saved = std::filesystem::exists(output);
    FUZZ_CHECK(code != 0 || saved, "a part list that reads makes no bill");
    if (!saved)
        return 0;

    const std::string written = fuzz::readWholeFile(output);
    vtx::sheet::SheetModel sheet;
    std::string why;
    FUZZ_CHECK(sheet.loadFromText(written, output, &why), "the bill file does not load: " + why);
    FUZZ_CHECK_SAME(written, sheet.saveToText(), "the bill file, loaded and saved, changes");
    return 0;
}
