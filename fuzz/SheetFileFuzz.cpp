// Fuzz target of the sheet file reader. Round trip: a file that loads is
// saved (second generation), loaded again and saved (third); the two must be
// equal byte for byte. A copy of the grid must save the same bytes, and the
// grid saved after recalculating every formula must load again too.

#include "FuzzSupport.h"

#include "platform/sheet/SheetModel.h"

#include <string>

namespace {

using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

// Saves sheet, loads the text into a fresh grid and saves that: the text
// must load and come back unchanged. Returns the text.
std::string checkReadsBack(const SheetModel& sheet, const char* what) {
    const std::string second = sheet.saveToText();
    SheetModel reloaded;
    std::string reason;
    FUZZ_CHECK(reloaded.loadFromText(second, "second", &reason),
               std::string(what) + ": the saved grid does not load: " + reason);
    FUZZ_CHECK_SAME(second, reloaded.saveToText(), std::string(what) + ": saved again, it changes");
    return second;
}

// What listing a loaded sheet does: every cell that holds something, with
// its texts. Its cost follows the cells, whatever size the file declares.
std::size_t listCells(const SheetModel& sheet) {
    std::size_t bytes = 0;
    if (sheet.maxCols() < 1 || sheet.maxRows() < 1)
        return bytes;
    std::string text;
    for (const vtx::sheet::CellPos& at :
         sheet.usedCells({1, 0, sheet.maxCols(), sheet.maxRows()})) {
        for (TextForm form : {TextForm::Data, TextForm::Formula, TextForm::Value}) {
            sheet.getText(at.col, at.row, form, text);
            bytes += text.size();
        }
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SheetModel sheet;
    std::string reason;
    if (!sheet.loadFromText(fuzz::asText(data, size), "input", &reason))
        return 0;
    const std::string second = checkReadsBack(sheet, "as loaded");

    SheetModel copy;
    FUZZ_CHECK(copy.copyFrom(sheet), "a grid that is not recalculating refuses a copy");
    FUZZ_CHECK_SAME(second, copy.saveToText(), "a copy of the grid saves other bytes");

    sheet.recalcAll();
    listCells(sheet);
    checkReadsBack(sheet, "recalculated");
    return 0;
}
