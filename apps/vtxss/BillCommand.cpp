// vtxss bill: produces a bill from a part list (CSV) through the bill output
// and saves it as a sheet file.

#include "Cli.h"

#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"
#include "platform/core/MacroModel.h"
#include "platform/sheet/SheetModel.h"
#include "spread/BillOutput.h"
#include "spread/VtxSpread.h"

#include <iostream>
#include <string>

int runBillCommand(int argc, char** argv);

namespace {

const char* const kHelp =
    "usage: vtxss bill PARTS.csv [--out FILE.kss] [--settings NAME] [--pictures]\n"
    "                  [--picture-width N] [--lib DIR] [--install DIR]\n"
    "\n"
    "Reads a part list (UTF-8 CSV: a columns record, optional codes, settings and\n"
    "variable records, then row and subtotal records; see docs/bill-output.md),\n"
    "feeds it row by row into a bill and saves the bill as a sheet file with its\n"
    "variables and print settings. The part list is looked up as given, else under\n"
    "the library folder.\n"
    "\n"
    "  --out FILE         the sheet file to write (default: the part list's name\n"
    "                     with the extension kss, beside it)\n"
    "  --settings NAME    the print-settings set (default: the part list's settings\n"
    "                     record, else Default)\n"
    "  --pictures         draw a picture of every part, saved in a folder beside the\n"
    "                     bill\n"
    "  --picture-width N  picture width in pixels (default 96)\n"
    "  --lib DIR, --install DIR  the library and installation folders\n";

constexpr const char* kDefaultSettings = "Default";

// A path or name of the command line (UTF-8) as 8-bit text; false when it
// has a character that 8-bit text cannot hold.
bool commandText(const std::string& utf8, Vtx_String& text) {
    std::string bytes;
    if (!fromUtf8(utf8, bytes))
        return false;
    text = Vtx_String(std::move(bytes));
    return true;
}

} // namespace

int runBillCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv, {"out", "settings", "picture-width", "lib", "install"},
                    {"help", "pictures"}, error))
        return cli::fail("bill", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    if (args.positional().size() != 1)
        return cli::fail("bill", "give one part list (see vtxss bill --help)");
    if (!cli::setUpFolders(args, error))
        return cli::fail("bill", error);
    Vtx_String partList;
    Vtx_String out;
    Vtx_String settings;
    if (!commandText(cli::resolveLibraryPath(args.positional()[0]), partList) ||
        !commandText(args.value("out"), out) || !commandText(args.value("settings"), settings))
        return cli::fail("bill", "a path or name has a character outside Windows-1252");
    int pictureWidth = -1;
    if (args.has("picture-width") &&
        (!Vtx_String(args.value("picture-width")).toInt(pictureWidth) || pictureWidth < 1 ||
         pictureWidth > kBillPictureMaxWidth))
        return cli::fail("bill", "--picture-width takes a whole number from 1 to " +
                                     std::to_string(kBillPictureMaxWidth));

    Vtx_Bill bill;
    Vtx_String reason;
    if (readPartList(partList, bill, &reason) != eOk)
        return cli::fail("bill", toUtf8(reason.str()));
    if (out.isEmpty())
        out = changeExtension(partList, "kss");
    if (settings.isEmpty())
        settings = bill.settingsName;
    if (settings.isEmpty())
        settings = kDefaultSettings;

    KsSSBillOutput output;
    if (output.init(out, bill.columnNames, {}, bill.rowProperties, settings, bill.variableNames,
                    bill.variableValues) != eOk)
        return cli::fail("bill", "cannot make the bill window");
    // The transaction the pictures are made in; the picture maker only reads.
    Vtx_Database database;
    Vtx_Transaction transaction(&database);
    if (args.has("pictures"))
        output.setVars(pictureWidth, 0, 0, true, true, &bill, &transaction);
    switch (produceList(bill, output)) {
    case eOk:
        break;
    case eLimitExceeded:
        return cli::fail("bill", toUtf8(out.str()) +
                                     ": saved with lines or texts that did not fit left out or cut (see above)");
    case eInvalidInput:
        return cli::fail("bill",
                         toUtf8(out.str()) + ": saved without the bill variables named above");
    default:
        return cli::fail("bill", toUtf8(out.str()) + ": the bill was not saved (see above)");
    }
    const Vtx_Spread* grid = output.getSSPointer();
    std::cout << "Written: " << toUtf8(out.str()) << " (" << bill.partCount() << " parts, "
              << grid->getMaxRows() << " rows, " << grid->getMaxCols() << " columns"
              << (args.has("pictures")
                      ? ", " + std::to_string(output.imageOptions().made) + " pictures"
                      : std::string())
              << ")\n";
    return 0;
}
