// vtxss export: writes a sheet file as an .xlsx workbook or a .csv file for
// the spreadsheet programs people already use.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"
#include "Progress.h"

#include "spread/export/SheetExport.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Writes a sheet file as an .xlsx workbook or as comma-separated values (UTF-8, RFC 4180). "
    "The workbook keeps texts, numbers (as numbers, with the decimals of their cells), fonts, "
    "colours, column widths, row heights, merged cells, the pictures of picture cells, and the "
    "sheet's print settings: its variables (a bill's date, title, project, ...) above the table "
    "and as document properties, margins, page header and footer, and a worksheet named after "
    "the title or the file. The .csv file keeps the texts as the grid shows them (--raw: numbers "
    "with all their digits), the variables in records above the table. The target is replaced "
    "whole, or left as it was when the export fails.\n\n"
    "Formulas are written as their values: the stored ones, or with --recalc those of a "
    "recalculation. A warning names the formula cells whose stored value a recalculation "
    "changes.";

const char* const kFooter =
    "With --out - the file goes to stdout (CSV unless --format xlsx; a workbook only when stdout "
    "is not a terminal) and the summary to stderr. A progress line appears on stderr (when it is "
    "a terminal) for exports longer than a second; --quiet hides it.";

struct ExportCommandOptions {
    std::string file;
    std::string out;
    std::string format;
    bool noHeaders = false;
    bool noHeaderData = false;
    bool raw = false;
    bool recalc = false;
    std::string sheetName;
    bool quiet = false;
    bool json = false;
    Folders folders;
    CLI::Option* sheetNameOption = nullptr;
};

ExportFormat formatOf(const ExportCommandOptions& options) {
    ExportFormat format = ExportFormat::Csv;
    if (!options.format.empty()) {
        if (!exportFormatFromName(options.format, format))
            misuse("unknown format '" + options.format + "' (xlsx or csv)");
    } else if (!isStdout(options.out) && !exportFormatFromName(options.out, format)) {
        misuse("cannot tell the format from '" + options.out +
               "': end it in .xlsx or .csv, or give --format");
    }
    return format;
}

void checkOptions(const ExportCommandOptions& options, ExportFormat format, const Vtx_String& file,
                  const Vtx_String& target) {
    if (format == ExportFormat::Xlsx && options.raw)
        misuse("--raw is for CSV; a workbook keeps every number whole");
    if (format == ExportFormat::Csv && given(options.sheetNameOption))
        misuse("--sheet-name is for .xlsx; a CSV file has no worksheet");
    if (options.json && isStdout(options.out))
        misuse("--json and --out - would both write to stdout");
    refuseOwnInput(target, file, "the sheet file");
}

std::string staleWarning(const ExportSummary& summary) {
    std::string cells;
    for (const Vtx_String& cell : summary.staleExamples)
        cells += (cells.empty() ? "" : ", ") + shown(cell);
    if (summary.staleCells > summary.staleExamples.length())
        cells += ", ...";
    return std::to_string(summary.staleCells) +
           " formula cell(s) hold stored values that a recalculation changes (" + cells +
           "); the stored values were written, --recalc writes the recalculated ones";
}

Json summaryJson(const ExportCommandOptions& options, ExportFormat format, const Vtx_String& file,
                 const ExportSummary& summary) {
    Json warnings = Json::array();
    for (const Vtx_String& warning : summary.warnings)
        warnings.push_back(shown(warning));
    Json stale = Json::array();
    for (const Vtx_String& cell : summary.staleExamples)
        stale.push_back(shown(cell));
    Json report = {{"file", shown(file)},
                   {"target", shown(targetFile(options.out))},
                   {"format", format == ExportFormat::Xlsx ? "xlsx" : "csv"},
                   {"rows", summary.rows},
                   {"columns", summary.columns},
                   {"cells", summary.cells},
                   {"headerData", summary.headerData},
                   {"recalculated", options.recalc},
                   {"staleCells", summary.staleCells},
                   {"staleExamples", std::move(stale)},
                   {"warnings", std::move(warnings)}};
    if (format == ExportFormat::Xlsx) {
        report["sheetName"] = shown(summary.sheetName);
        report["merges"] = summary.merges;
        report["pictures"] = summary.pictures;
    }
    return report;
}

int runExport(const ExportCommandOptions& options, ModuleMessages& messages) {
    if (options.file.empty())
        misuse("give one sheet file");
    if (options.out.empty())
        misuse("name the file to write with --out (- for stdout)");
    const ExportFormat format = formatOf(options);
    const Vtx_String file = moduleText(options.file, "the sheet file's name");
    const Vtx_String target = targetFile(options.out);
    checkOptions(options, format, file, target);
    setUpFolders(options.folders);

    ExportOptions exportOptions;
    exportOptions.columnHeaders = !options.noHeaders;
    exportOptions.headerData = !options.noHeaderData;
    exportOptions.rawNumbers = options.raw;
    exportOptions.recalculate = options.recalc;
    exportOptions.sheetName = moduleText(options.sheetName, "--sheet-name");
    std::unique_ptr<Progress> rows;
    exportOptions.progress = [&](int done, int total) {
        if (!rows)
            rows = std::make_unique<Progress>("export", "rows", total,
                                              Progress::wanted(options.quiet));
        rows->update(done);
    };
    ExportSummary summary;
    const bool binary = format == ExportFormat::Xlsx;
    writeTarget(target, binary ? "xlsx" : "csv", binary, [&](const Vtx_String& path) {
        Vtx_String reason;
        if (exportSheetFile(file, path, format, exportOptions, &summary, &reason) != eOk)
            fail(shown(reason));
    });
    if (rows)
        rows->finish();
    // What the check's recalculation printed (FROMTABLE) matters only when
    // its values were written.
    if (!options.recalc)
        messages.take();
    if (options.json) {
        printJson(summaryJson(options, format, file, summary));
        return kExitOk;
    }
    for (const Vtx_String& warning : summary.warnings)
        std::cerr << "vtxss export: warning: " << shown(warning) << "\n";
    if (summary.staleCells > 0 && !options.recalc)
        std::cerr << "vtxss export: warning: " << staleWarning(summary) << "\n";
    if (options.quiet)
        return kExitOk;
    std::ostream& report = reportStream(options.out);
    report << "Exported " << shown(file) << " to "
           << (isStdout(options.out) ? "stdout" : shown(target)) << " (" << summary.rows
           << " rows, " << summary.columns << " columns, " << summary.cells << " cells";
    if (format == ExportFormat::Xlsx)
        report << ", " << summary.merges << " merged ranges, " << summary.pictures
               << " pictures; worksheet '" << shown(summary.sheetName) << "'";
    report << ")\n";
    return kExitOk;
}

} // namespace

Command addExportCommand(CLI::App& top) {
    auto options = std::make_shared<ExportCommandOptions>();
    CLI::App* app =
        addCommand(top, "export", "write a sheet file as .xlsx or .csv", kDescription, kFooter);
    app->add_option("FILE", options->file, "the sheet file")->type_name("");
    addValueOption(*app, "-o,--out", options->out, "TARGET",
                   "the file to write (- for stdout); its extension (.xlsx, .csv) gives the "
                   "format");
    addValueOption(*app, "--format", options->format, "xlsx|csv",
                   "the format, whatever the target's extension");
    addSwitch(*app, "--no-headers", options->noHeaders, "leave out the column-header row");
    addSwitch(*app, "--no-header-data", options->noHeaderData,
              "leave out the sheet's variables above the table");
    addSwitch(*app, "--raw", options->raw,
              "CSV: numbers with all their digits, not as their cells show them");
    addSwitch(*app, "--recalc", options->recalc,
              "recalculate the formulas and write their new values");
    options->sheetNameOption =
        addValueOption(*app, "--sheet-name", options->sheetName, "NAME",
                       ".xlsx: the worksheet's name (default: the sheet's title, else the "
                       "file's name)");
    addSwitch(*app, "-q,--quiet", options->quiet, "print no summary; no progress line");
    addSwitch(*app, "--json", options->json, "print the summary as one JSON document");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages& messages) { return runExport(*options, messages); }};
}

} // namespace cli
