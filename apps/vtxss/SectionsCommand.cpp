// vtxss sections: the section tables of the library's prof folder: list,
// show, export to .csv or .xlsx, import from .csv, and check.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "sectionlib/ProfTableCheck.h"
#include "sectionlib/ProfValuesTable.h"
#include "spread/VtxSpread.h"
#include "spread/export/SheetExport.h"

#include <algorithm>
#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Works on the section tables of the library's prof folder (one .pr file per family of "
    "sections). ACTION is list, show, export, import or check.\n\n"
    "list: the tables with their numbers of sections (all and in use).\n\n"
    "show TABLE: the table as text columns, or one JSON document with --json.\n\n"
    "export TABLE --out FILE: the column names and sections as .csv or .xlsx.\n\n"
    "import FILE.csv --table NAME: the CSV file into the table, checked first as check checks "
    "a table; it must have the columns of the table it replaces, and a new table needs "
    "--template (a section-type number 1 to 24, or a template drawing's name).\n\n"
    "check: every table of the folder (header, unique system names, 0 or 1 in I/O, user "
    "names, row lengths, numbers as values); exits 1 when one has a problem.\n\n"
    "A table exported to CSV and imported again gives the same table file byte for byte. "
    "Table files are written whole or not at all; a read-only table file is not replaced.";

struct SectionsOptions {
    std::string action;
    std::string argument;
    std::string out;
    std::string table;
    std::string templateName;
    bool json = false;
    Folders folders;
};

/// A template as the tables list and show it: a standard section type by its
/// number ("type 1"), a user template drawing by its file name.
std::string describedTemplate(const std::string& templateName) {
    const bool number =
        !templateName.empty() && templateName.find_first_not_of("0123456789") == std::string::npos;
    return number ? "type " + templateName : templateName;
}

Vtx_ProfValuesTable readTable(const std::string& name) {
    Vtx_ProfValuesTable table;
    Vtx_String reason;
    if (!table.readFromFile(moduleText(name, "the table name"), &reason))
        fail(shown(reason));
    return table;
}

/// The library's prof folder; the command fails when there is none.
Vtx_String profFolder() {
    const Vtx_String folder = gSettings.libDir + "prof\\";
    if (!folderExists(folder))
        fail("the library has no prof folder: " + shown(folder));
    return folder;
}

Vtx_StringArray tableFiles() {
    const Vtx_String folder = profFolder();
    Vtx_StringArray files;
    if (ObjectExportFindFiles(folder, "*.pr", files) != eOk)
        fail("cannot list " + shown(folder));
    return files;
}

/// The table name of a file of the prof folder: its name without ".pr".
Vtx_String nameOf(const Vtx_String& file) {
    Vtx_String name = file.mid(gSettings.libDir.length() + 5);
    return name.left(name.length() - 3);
}

int inUseCount(const Vtx_ProfValuesTable& table) {
    Vtx_StringArray names;
    table.getFilteredSysNames(names);
    return names.length();
}

int runList(const SectionsOptions& options) {
    Json list = Json::array();
    int failed = 0;
    for (const Vtx_String& file : tableFiles()) {
        Vtx_ProfValuesTable table;
        Vtx_String reason;
        Json entry = {{"table", shown(nameOf(file))}};
        if (table.readFromFile(nameOf(file), &reason)) {
            entry["sections"] = table.rows.length();
            entry["inUse"] = inUseCount(table);
            entry["template"] = shown(table.templateName);
        } else {
            entry["error"] = shown(reason);
            ++failed;
        }
        list.push_back(std::move(entry));
    }
    if (options.json) {
        printJson(list);
    } else {
        for (const Json& entry : list) {
            std::string name = entry["table"];
            name.resize(std::max<std::size_t>(name.size(), 8), ' ');
            if (entry.contains("error"))
                std::cout << name << "  unreadable: " << entry["error"].get<std::string>() << "\n";
            else
                std::cout << name << "  " << entry["sections"].get<int>() << " sections, "
                          << entry["inUse"].get<int>() << " in use  ("
                          << describedTemplate(entry["template"].get<std::string>()) << ")\n";
        }
    }
    if (failed > 0)
        fail(std::to_string(failed) + " table(s) cannot be read");
    return kExitOk;
}

Json tableJson(const Vtx_ProfValuesTable& table) {
    auto texts = [](const Vtx_StringArray& cells) {
        Json list = Json::array();
        for (const Vtx_String& cell : cells)
            list.push_back(shown(cell));
        return list;
    };
    Json rows = Json::array();
    for (const Vtx_StringArray& row : table.rows)
        rows.push_back(texts(row));
    return {{"table", shown(table.tableName)},
            {"template", shown(table.templateName)},
            {"languages", table.getNrLanguages()},
            {"columns", texts(table.columns)},
            {"rows", std::move(rows)}};
}

int runShow(const SectionsOptions& options) {
    const Vtx_ProfValuesTable table = readTable(options.argument);
    if (options.json) {
        printJson(tableJson(table));
        return kExitOk;
    }
    Vtx_Array<Vtx_StringArray> all = table.rows;
    all.insertAt(0, table.columns);
    std::vector<std::size_t> widths;
    for (const Vtx_StringArray& row : all)
        for (int c = 0; c < row.length(); ++c) {
            if (widths.size() <= static_cast<std::size_t>(c))
                widths.push_back(0);
            widths[c] = std::max(widths[c], toUtf8(row[c].view()).size());
        }
    std::cout << "Table " << shown(table.tableName) << " ("
              << describedTemplate(shown(table.templateName)) << ", " << table.rows.length()
              << " sections)\n";
    for (const Vtx_StringArray& row : all) {
        std::string line;
        for (int c = 0; c < row.length(); ++c) {
            std::string cell = toUtf8(row[c].view());
            if (c + 1 < row.length())
                cell.resize(widths[c] + 2, ' ');
            line += cell;
        }
        std::cout << line << "\n";
    }
    return kExitOk;
}

void writeXlsx(const Vtx_ProfValuesTable& table, const Vtx_String& target) {
    HiddenDialogHost dialog;
    dialog.addPlaceholder(1, {0, 0, 800, 600});
    Vtx_Spread grid;
    grid.createInDialog(&dialog, 1, true);
    if (!table.setToSS(grid))
        fail("the table " + shown(table.tableName) + " has no sections to export");
    ExportOptions exportOptions = exportOptionsFor(grid);
    exportOptions.headerData = false;
    exportOptions.sheetName = table.tableName;
    Vtx_String reason;
    if (exportSheet(*grid.model(), target, ExportFormat::Xlsx, exportOptions, nullptr, &reason) !=
        eOk)
        fail(shown(reason));
}

int runExport(const SectionsOptions& options) {
    if (options.out.empty())
        misuse("name the file to write with --out FILE.csv or FILE.xlsx");
    ExportFormat format = ExportFormat::Csv;
    const Vtx_String target = moduleText(options.out, "--out");
    if (!exportFormatFromName(target, format))
        misuse("cannot tell the format from '" + options.out + "': end it in .csv or .xlsx");
    const Vtx_ProfValuesTable table = readTable(options.argument);
    refuseOwnInput(target, Vtx_ProfValuesTable::filePath(table.tableName), "the table file");
    if (format == ExportFormat::Xlsx) {
        writeXlsx(table, target);
    } else {
        Vtx_Array<Vtx_StringArray> records = table.rows;
        records.insertAt(0, table.columns);
        if (writeFileAtomically(target, formatCsv(records)) != eOk)
            fail("cannot write " + shown(target));
    }
    std::cout << "Exported " << shown(table.tableName) << " to " << shown(target) << " ("
              << table.rows.length() << " sections, " << table.columns.length() << " columns)\n";
    return kExitOk;
}

/// The table an import replaces, or a new one with the template given.
Vtx_ProfValuesTable importBase(const SectionsOptions& options, const Vtx_String& name) {
    const Vtx_String folder = profFolder();
    const Vtx_String fileName = Vtx_ProfValuesTable::filePath(name).mid(folder.length());
    Vtx_ProfValuesTable table;
    if (!findFileIgnoringCase(folder, fileName).isEmpty()) {
        Vtx_String reason;
        if (!table.readFromFile(name, &reason))
            fail(shown(reason));
    } else if (options.templateName.empty()) {
        misuse("there is no table " + options.table + " yet: give its template with --template");
    } else {
        table.tableName = name.endsWith(".pr", false) ? name.left(name.length() - 3) : name;
    }
    if (!options.templateName.empty())
        table.templateName = moduleText(options.templateName, "--template");
    return table;
}

int runImport(const SectionsOptions& options) {
    if (options.table.empty())
        misuse("name the table to write with --table NAME");
    const Vtx_String file = moduleText(options.argument, "the CSV file");
    std::string bytes;
    Vtx_String reason;
    if (readFileBytes(file, bytes, &reason) != eOk)
        fail(shown(reason));
    Vtx_Array<Vtx_StringArray> records;
    std::string parseReason;
    if (!parseCsv(bytes, records, parseReason))
        fail(shown(file) + ": " + parseReason);
    if (records.isEmpty())
        fail(shown(file) + ": no header row");
    const Vtx_String name = moduleText(options.table, "--table");
    Vtx_ProfValuesTable table = importBase(options, name);
    const Vtx_StringArray header = records[0];
    if (!table.columns.isEmpty() && table.columns.length() != header.length())
        fail(shown(file) + ": line 1: " + std::to_string(header.length()) + " columns; the table " +
             shown(table.tableName) + " has " + std::to_string(table.columns.length()));
    for (int c = 0; c < table.columns.length(); ++c)
        if (!header[c].equal(table.columns[c], false))
            fail(shown(file) + ": line 1: column " + std::to_string(c + 1) + " is \"" +
                 shown(header[c]) + "\"; the table has \"" + shown(table.columns[c]) + "\"");
    table.columns = header;
    records.removeAt(0);
    table.rows = records;
    Vtx_StringArray problems;
    if (checkProfTable(table, problems) > 0) {
        for (const Vtx_String& problem : problems)
            std::cerr << shown(problem) << "\n";
        fail(shown(file) + ": " + std::to_string(problems.length()) +
             " problem(s); the table is not written");
    }
    if (!table.writeToFile(table.tableName, &reason))
        fail(shown(reason));
    std::cout << "Imported " << table.rows.length() << " sections into "
              << shown(Vtx_ProfValuesTable::filePath(table.tableName)) << "\n";
    return kExitOk;
}

int runCheck(const SectionsOptions& options) {
    Vtx_StringArray problems;
    int tables = 0;
    for (const Vtx_String& file : tableFiles()) {
        ++tables;
        Vtx_ProfValuesTable table;
        Vtx_String reason;
        if (table.readFromFile(nameOf(file), &reason))
            checkProfTable(table, problems);
        else
            problems.append(reason);
    }
    if (options.json) {
        Json list = Json::array();
        for (const Vtx_String& problem : problems)
            list.push_back(shown(problem));
        printJson({{"tables", tables}, {"problems", std::move(list)}});
    } else {
        for (const Vtx_String& problem : problems)
            std::cout << shown(problem) << "\n";
    }
    if (!problems.isEmpty())
        fail(std::to_string(problems.length()) + " problem(s) in the section tables");
    if (!options.json)
        std::cout << tables << " table(s), no problems\n";
    return kExitOk;
}

int runSections(const SectionsOptions& options) {
    const bool takesArgument =
        options.action == "show" || options.action == "export" || options.action == "import";
    if (options.action != "list" && options.action != "check" && !takesArgument)
        misuse("unknown action '" + options.action + "' (list, show, export, import or check)");
    if (takesArgument && options.argument.empty())
        misuse(options.action +
               (options.action == "import" ? " needs the CSV file" : " needs the table's name"));
    if (!takesArgument && !options.argument.empty())
        misuse(options.action + " takes no argument ('" + options.argument + "')");
    if (!options.out.empty() && options.action != "export")
        misuse("--out is for export");
    if ((!options.table.empty() || !options.templateName.empty()) && options.action != "import")
        misuse("--table and --template are for import");
    setUpFolders(options.folders);
    if (options.action == "list")
        return runList(options);
    if (options.action == "show")
        return runShow(options);
    if (options.action == "export")
        return runExport(options);
    if (options.action == "import")
        return runImport(options);
    return runCheck(options);
}

} // namespace

Command addSectionsCommand(CLI::App& top) {
    auto options = std::make_shared<SectionsOptions>();
    CLI::App* app = addCommand(top, "sections",
                               "list, show, export, import and check section tables", kDescription);
    app->add_option("ACTION", options->action, "list, show, export, import or check")
        ->type_name("")
        ->required();
    app->add_option("ARG", options->argument, "the table (show, export) or CSV file (import)")
        ->type_name("");
    addValueOption(*app, "-o,--out", options->out, "FILE", "export: the .csv or .xlsx file");
    addValueOption(*app, "--table", options->table, "NAME", "import: the table to write");
    addValueOption(*app, "--template", options->templateName, "TEMPLATE",
                   "import: the template (section-type number or NAME.dwg) of a new table, or "
                   "a new one for an existing table");
    addSwitch(*app, "--json", options->json, "list, show, check: one JSON document");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages&) { return runSections(*options); }};
}

} // namespace cli
