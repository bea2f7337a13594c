// Fuzz target of the formula text reader: a formula is parsed in both
// reference styles and evaluated in a small grid of numbers, texts, truth
// values and errors, with the standards functions registered. Round trip:
// the formula text the grid shows for an accepted formula must be accepted
// again and shown the same way, and give the same value.

#include "FuzzSupport.h"

#include "platform/core/Settings.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/formula/Parser.h"
#include "standards/StandardsFunctions.h"

#include <string>

namespace {

using vtx::sheet::CellPos;
using vtx::sheet::FormulaCode;
using vtx::sheet::ParseError;
using vtx::sheet::RefStyle;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;
using vtx::sheet::Value;

// The cell the fuzzed formula stands in: Q20, outside the filled cells.
constexpr int kCol = 17;
constexpr int kRow = 20;

// The grid of the formula tests: A1..A8 = 1, 2, 3, 4, "x", empty, TRUE,
// #DIV/0!; B1..B4 texts, C1..C4 = 10..40, D1..D4 texts; criteria cells in
// N and O.
void fill(SheetModel& sheet) {
    sheet.setMaxCols(20);
    sheet.setMaxRows(50);
    const char* a[] = {"1", "2", "3", "4", "x"};
    for (int r = 0; r < 5; ++r)
        sheet.setData(1, r + 1, a[r]);
    sheet.setFormula(1, 7, "TRUE()", true);
    sheet.setFormula(1, 8, "1/0", true);
    const char* b[] = {"Width", "Height", "Depth", "width"};
    const char* d[] = {"apple", "banana", "cherry", "date"};
    for (int r = 0; r < 4; ++r) {
        sheet.setData(2, r + 1, b[r]);
        sheet.setData(3, r + 1, std::to_string((r + 1) * 10));
        sheet.setData(4, r + 1, d[r]);
    }
    sheet.setData(14, 1, "12");
    sheet.setText(14, 2, "12");
    sheet.setFormula(14, 3, "\"\"", true);
    sheet.setFormula(14, 5, "TRUE()", true);
    sheet.setData(14, 6, "apple pie");
    sheet.setFormula(14, 7, "1/0", true);
    sheet.setFormula(14, 8, "0.1+0.2", true);
    for (int r = 1; r <= 10; ++r)
        sheet.setNumber(15, r, static_cast<double>(1 << (r - 1)));
    registerStandardsFunctions(sheet);
}

struct Grids {
    SheetModel first;
    SheetModel second;
    Grids() {
        // GETCELL and its kin find their files in the sample library.
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
        fill(first);
        fill(second);
    }
};

bool isVolatile(const std::string& formula) {
    for (const char* name : {"RAND", "NOW", "TODAY"})
        if (Vtx_String(formula).hasSubString(name, false))
            return true;
    return false;
}

// Parses and evaluates text in one style; checks the shown text round trip.
void checkStyle(Grids& grids, std::string_view text, RefStyle style) {
    FormulaCode code;
    ParseError parseError;
    const bool parsed =
        vtx::sheet::parseFormula(text, CellPos{kCol, kRow}, style, nullptr, code, parseError);
    grids.first.setRefStyle(style);
    ParseError error;
    const bool accepted = grids.first.setFormula(kCol, kRow, text, true, &error);
    if (!accepted) {
        // A custom function name is only known to the grid, so the grid may
        // accept what the bare parser refuses, never the other way round.
        FUZZ_CHECK(!parsed, "the parser accepts, the grid refuses: " + error.message());
        return;
    }
    std::string shown;
    grids.first.getText(kCol, kRow, TextForm::Formula, shown);
    std::string valueText;
    grids.first.getText(kCol, kRow, TextForm::Value, valueText);
    const Value value = grids.first.value(kCol, kRow);

    grids.second.setRefStyle(style);
    FUZZ_CHECK(grids.second.setFormula(kCol, kRow, shown, true, &error),
               "the shown formula \"" + shown + "\" is refused: " + error.message());
    std::string shownAgain;
    grids.second.getText(kCol, kRow, TextForm::Formula, shownAgain);
    FUZZ_CHECK_SAME(shown, shownAgain, "the shown formula changes when entered again");
    if (!isVolatile(shown)) {
        const Value again = grids.second.value(kCol, kRow);
        FUZZ_CHECK(value == again || (value.isNumber() && again.isNumber() &&
                                      value.asNumber() != value.asNumber() &&
                                      again.asNumber() != again.asNumber()),
                   "\"" + shown + "\" gives " + value.toText() + ", entered again " +
                       again.toText());
    }
    grids.first.clearRange(vtx::sheet::CellRange::cell(kCol, kRow));
    grids.second.clearRange(vtx::sheet::CellRange::cell(kCol, kRow));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Grids grids;
    const std::string_view text = fuzz::asText(data, size);
    checkStyle(grids, text, RefStyle::Default);
    checkStyle(grids, text, RefStyle::R1C1);
    return 0;
}
