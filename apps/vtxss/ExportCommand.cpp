// vtxss export: writes a sheet file as an .xlsx workbook or a .csv file for
// the spreadsheet programs people already use.

#include "Cli.h"
#include "Commands.h"

#include "spread/export/SheetExport.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

int runExportCommand(int argc, char** argv);

namespace {

const char* const kHelp =
    "usage: vtxss export FILE --out TARGET [--format xlsx|csv] [--no-headers]\n"
    "                    [--lib DIR] [--install DIR]\n"
    "\n"
    "Writes a sheet file as an .xlsx workbook or as comma-separated values (UTF-8,\n"
    "RFC 4180). The workbook keeps texts, numbers (as numbers, with the decimals of\n"
    "their cells), fonts, colours, column widths, row heights, merged cells and the\n"
    "pictures of picture cells; the .csv file keeps the texts as the grid shows\n"
    "them. Formulas are written as their stored values. The target is replaced\n"
    "whole, or left as it was when the export fails.\n"
    "\n"
    "  --out TARGET     the file to write; its extension (.xlsx, .csv) gives the format\n"
    "  --format F       xlsx or csv, whatever the target's extension\n"
    "  --no-headers     leave out the column-header row\n"
    "  --lib DIR        library folder, where pictures are looked up after the sheet\n"
    "                   file's folder (default: $VTX_LIBRARY or the shipped sample)\n"
    "  --install DIR    installation folder, looked up last (default: $VTX_INSTALL\n"
    "                   or the sample)\n";

// A path of the command line (UTF-8) as a core path (8-bit text).
bool corePathOf(const std::string& utf8, Vtx_String& path) {
    std::string text;
    if (!fromUtf8(utf8, text))
        return false;
    path = text;
    return true;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

int runExportCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv, {"out", "format", "lib", "install"}, {"help", "no-headers"}, error))
        return cli::fail("export", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    if (args.positional().size() != 1)
        return cli::fail("export", "give one sheet file (see vtxss export --help)");
    const std::string out = args.value("out");
    if (out.empty())
        return cli::fail("export", "name the file to write with --out");
    ExportFormat format = ExportFormat::Xlsx;
    const std::string formatName = args.has("format") ? args.value("format") : out;
    if (!exportFormatFromName(formatName, format))
        return cli::fail("export", args.has("format")
                                       ? "unknown format '" + formatName + "' (xlsx or csv)"
                                       : "cannot tell the format from '" + out +
                                             "': end it in .xlsx or .csv, or give --format");
    if (!cli::setUpFolders(args, error))
        return cli::fail("export", error);
    const std::string input = args.positional()[0];
    if (sameFile(input, out))
        return cli::fail("export", "the target is the sheet file itself: " + out);
    Vtx_String sheetFile;
    Vtx_String target;
    if (!corePathOf(input, sheetFile) || !corePathOf(out, target))
        return cli::fail("export", "a file name has a character that 8-bit text cannot hold");

    ExportOptions options;
    options.columnHeaders = !args.has("no-headers");
    ExportSummary summary;
    Vtx_String reason;
    if (exportSheetFile(sheetFile, target, format, options, &summary, &reason) != eOk)
        return cli::fail("export", toUtf8(reason.view()));
    for (int i = 0; i < summary.warnings.length(); ++i)
        std::cerr << "vtxss export: warning: " << toUtf8(summary.warnings[i].view()) << "\n";
    std::cout << "Exported " << input << " to " << out << " (" << summary.rows << " rows, "
              << summary.columns << " columns, " << summary.cells << " cells";
    if (format == ExportFormat::Xlsx)
        std::cout << ", " << summary.merges << " merged ranges, " << summary.pictures
                  << " pictures";
    std::cout << ")\n";
    return 0;
}
