// Fuzz target of the data and size files of the standards functions. The
// bytes are parsed as a table file and as a size file, and the functions
// that read such files are called on them in a grid. The formats have no
// writer; the checks are the promises of the parsed forms: fields hold no
// separator and no blanks at their ends (an empty field is a value), no row
// is all empty, the index finds the first row of every key.

#include "FuzzSupport.h"

#include "platform/core/Settings.h"
#include "platform/sheet/SheetModel.h"
#include "standards/DataFiles.h"
#include "standards/StandardsFunctions.h"

#include <string>

namespace {

using vtx::sheet::SheetModel;

void checkTable(const DataTable& table) {
    for (int r = 0; r < table.rowCount(); ++r) {
        const Vtx_StringArray& row = table.row(r);
        FUZZ_CHECK(row.length() > 0, "a table row without a key");
        bool blank = true;
        for (const Vtx_String& field : row) {
            const std::string& text = field.str();
            FUZZ_CHECK(text.find_first_of("\t\n") == std::string::npos,
                       "a table field holds a separator");
            FUZZ_CHECK(text.empty() || (text.front() != ' ' && text.back() != ' '),
                       "a table field keeps the blanks around it");
            blank = blank && text.empty();
        }
        FUZZ_CHECK(!blank, "a row of empty fields is kept");
        const int found = table.find(row[0]);
        FUZZ_CHECK(found >= 0 && found <= r && table.row(found)[0].equal(row[0], false),
                   "the index does not find the first row of key " + row[0].str());
    }
}

void callFunctions(SheetModel& sheet, const DataTable& table, const SizeList& sizes) {
    std::vector<std::string> formulas;
    for (int r = 0; r < table.rowCount() && r < 3; ++r) {
        formulas.push_back("GETCELL(\"fuzz.txt\"," + fuzz::formulaText(table.row(r)[0].str()) +
                           ")");
        formulas.push_back("GETPROFCELL(\"fuzz.txt\"," + fuzz::formulaText(table.row(r)[0].str()) +
                           ")");
    }
    formulas.push_back("GETCELL(\"fuzz.txt\",20,\"cut\")");
    for (std::size_t i = 0; i < sizes.size() && i < 2; ++i) {
        const std::string first = Vtx_String(sizes[i].first, 6, true).str();
        const std::string second = Vtx_String(sizes[i].second, 6, true).str();
        formulas.push_back("STDSIZEWITHTOLERANCE(\"fuzz.txt\",5," + first + ",1,1)");
        formulas.push_back("STDTHICKNESSWITHTOLERANCE(\"fuzz.txt\",1," + second + ",0.5,2)");
        formulas.push_back("STDWIDTHWITHTOLERANCE(\"fuzz.txt\",10," + second + "," + first +
                           ",5,5)");
    }
    formulas.push_back("STDSIZEWITHTOLERANCE(\"fuzz.txt\",0,12.3,1E300,1E300)");
    formulas.push_back("STDWIDTHWITHTOLERANCE(\"fuzz.txt\",-1,0,1E18,0,0)");
    int row = 1;
    for (const std::string& formula : formulas) {
        sheet.setFormula(1, row, formula, true);
        std::string shown;
        sheet.getText(1, row, vtx::sheet::TextForm::Value, shown);
        ++row;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SheetModel sheet;
    static const bool prepared = [] {
        gSettings.setLibDir(fuzz::corePathOf(fuzz::tempFolder() + "/lib"));
        sheet.setMaxCols(2);
        sheet.setMaxRows(20);
        return registerStandardsFunctions(sheet);
    }();
    FUZZ_CHECK(prepared, "the standards functions cannot be registered");
    const std::string_view bytes = fuzz::asText(data, size);
    const DataTable table = DataTable::parse(bytes);
    checkTable(table);
    const SizeList sizes = parseSizeList(bytes);

    fuzz::writeTempFile("lib/Connection Standards/Data/fuzz.txt", bytes);
    dataFileCache().clear();
    callFunctions(sheet, table, sizes);
    sheet.clearRange({1, 1, 1, 20});
    return 0;
}
