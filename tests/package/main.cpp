// A caller of the module library: reads a sheet file through the exported
// ReadSSFile and evaluates a formula in a grid of its own.
//   consumer <sheet.kss>

#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "spread/DialogHost.h"
#include "spread/ReadSSFile.h"
#include "spread/VtxSpread.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consumer <sheet.kss>\n");
        return 2;
    }
    Vtx_String first;
    Vtx_StringArray header;
    Vtx_Array<Vtx_StringArray> rows;
    if (!ReadSSFile(Vtx_String(argv[1]), first, header, rows) || rows.length() == 0) {
        std::fprintf(stderr, "consumer: cannot read %s\n", argv[1]);
        return 1;
    }

    HiddenDialogHost dialog;
    dialog.addPlaceholder(1, {0, 0, 400, 300});
    Vtx_Spread grid;
    Vtx_String value;
    if (!grid.createInDialog(&dialog, 1, true) || !grid.setMaxCols(2, false) ||
        !grid.setMaxRows(1, false) || !grid.setCellText(1, 1, "21") ||
        !grid.setCellFormula(2, 1, "A1*2", true) || !grid.getCellText(2, 1, value, kTextValue) ||
        value != "42") {
        std::fprintf(stderr, "consumer: the formula A1*2 gave '%s', not 42\n", value.str().c_str());
        return 1;
    }
    std::printf("%d rows read, first cell '%s'; A1*2 = %s\n", rows.length(), first.str().c_str(),
                value.str().c_str());
    return 0;
}
