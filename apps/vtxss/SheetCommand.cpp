// vtxss sheet: evaluates a sheet file and prints its cells, or imports a
// plain cell list (.cells) into a sheet file.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"
#include "Sheet.h"
#include "Workbook.h"

#include "platform/host/Host.h"
#include "spread/FromTable.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

namespace cli {

namespace {

const char* const kDescription =
    "Loads a sheet file, registers FROMTABLE, recalculates every formula and prints the column "
    "headers and every cell that is not empty with its data, formula and value texts: as an "
    "aligned table, or with --json as one JSON document (UTF-8).\n\n"
    "With --import, reads a plain cell list into a new grid, recalculates it and saves it as a "
    "sheet file. The list needs its W line (name and size, otherwise unused); C lines give the "
    "cells (0-based row and column become grid row+1 and column+1; kinds n number, s text, f "
    "formula without \"=\"); X lines (changes) are applied in order after the build only with "
    "--apply-changes; K lines are read and not used.\n\n"
    "A workbook (.xlsx, .ods: its first sheet, or --sheet NAME) or a .csv file is imported with "
    "its values, texts and formulas; formulas are translated into the grid's formula language. "
    "Every cell that does not translate (a function the language lacks, another sheet, an array "
    "formula, ...) is listed on stderr and nothing is written (exit 1); with --keep-values such a "
    "formula keeps the value the workbook holds for it. The kind is told by the extension "
    "(.cells, .xlsx, .ods, .csv; any case).";

const char* const kFooter =
    "What the module prints on the host's command line goes to stderr (--quiet hides it), so "
    "that stdout holds only the table or the JSON.";

constexpr int kGridPlaceholder = 1;

using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

struct SheetOptions {
    std::string file;
    bool json = false;
    bool quiet = false;
    std::string import;
    std::string out;
    bool applyChanges = false;
    BookImport book;
};

enum class ImportKind { Cells, Book };

ImportKind importKind(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == ".xlsx" || ext == ".ods" || ext == ".csv")
        return ImportKind::Book;
    return ImportKind::Cells;
}

// One cell with its three forms, 8-bit text.
struct CellLine {
    int column = 0;
    int row = 0;
    std::string data;
    std::string formula;
    std::string value;
    const char* kind = "empty";
};

const char* valueKind(const vtx::sheet::Value& value) {
    if (value.isNumber())
        return "number";
    if (value.isText())
        return "text";
    if (value.isBoolean())
        return "boolean";
    if (value.isError())
        return "error";
    return "empty";
}

// The cells that exist, row by row: a file may declare a huge grid with few
// cells, and the cost follows the cells.
std::vector<CellLine> collectCells(const SheetModel& model) {
    std::vector<CellLine> cells;
    if (model.maxCols() < 1 || model.maxRows() < 1)
        return cells;
    for (const vtx::sheet::CellPos& at :
         model.usedCells({1, 1, model.maxCols(), model.maxRows()})) {
        CellLine cell{at.col, at.row, {}, {}, {}, "empty"};
        model.getText(at.col, at.row, TextForm::Data, cell.data);
        model.getText(at.col, at.row, TextForm::Formula, cell.formula);
        model.getText(at.col, at.row, TextForm::Value, cell.value);
        const vtx::sheet::Value value = model.value(at.col, at.row);
        if (cell.data.empty() && cell.formula.empty() && cell.value.empty() && value.isEmpty())
            continue; // a style or a tag only
        cell.kind = valueKind(value);
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::vector<std::pair<int, std::string>> collectHeaders(const SheetModel& model) {
    std::vector<std::pair<int, std::string>> headers;
    if (model.maxCols() < 1)
        return headers;
    for (const vtx::sheet::CellPos& at : model.usedCells({1, 0, model.maxCols(), 0})) {
        std::string text;
        model.getText(at.col, 0, TextForm::Data, text);
        if (!text.empty())
            headers.emplace_back(at.col, std::move(text));
    }
    return headers;
}

// Control bytes would break the table's lines: shown escaped.
std::string tableText(const std::string& text) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

// A JSON string of 8-bit grid text.
std::string jsonText(const std::string& text) {
    return Json(toUtf8(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// One line per cell, so that a large sheet reads (and diffs) line by line.
void printJson(const Vtx_String& file, const SheetModel& model) {
    std::cout << "{\"file\":"
              << Json(shown(file)).dump(-1, ' ', false, Json::error_handler_t::replace)
              << ",\"columns\":" << model.maxCols() << ",\"rows\":" << model.maxRows()
              << ",\"headers\":[";
    const char* separator = "";
    for (const auto& [column, text] : collectHeaders(model)) {
        std::cout << separator << "{\"column\":" << column << ",\"text\":" << jsonText(text) << "}";
        separator = ",";
    }
    std::cout << "],\"cells\":[";
    separator = "";
    for (const CellLine& cell : collectCells(model)) {
        std::cout << separator << "\n{\"cell\":\"" << columnName(cell.column) << cell.row
                  << "\",\"column\":" << cell.column << ",\"row\":" << cell.row
                  << ",\"data\":" << jsonText(cell.data)
                  << ",\"formula\":" << jsonText(cell.formula)
                  << ",\"value\":" << jsonText(cell.value) << ",\"kind\":\"" << cell.kind << "\"}";
        separator = ",";
    }
    std::cout << "\n]}\n";
}

void printTable(const Vtx_String& file, const SheetModel& model) {
    std::cout << shown(file) << ": " << model.maxCols() << " columns, " << model.maxRows()
              << " rows\n";
    auto headers = collectHeaders(model);
    if (!headers.empty()) {
        std::cout << "Headers:";
        for (const auto& [column, text] : headers)
            std::cout << "  " << columnName(column) << "=" << toUtf8(tableText(text));
        std::cout << "\n";
    }
    std::vector<std::vector<std::string>> lines{{"Cell", "Data", "Formula", "Value"}};
    for (const CellLine& cell : collectCells(model))
        lines.push_back({columnName(cell.column) + std::to_string(cell.row), tableText(cell.data),
                         tableText(cell.formula), tableText(cell.value)});
    // Widths in characters: every 8-bit byte is one character. Very long
    // texts are not padded for, so one of them does not widen every line.
    constexpr std::size_t kWidestColumn = 40;
    std::size_t widths[4] = {};
    for (const auto& line : lines)
        for (std::size_t i = 0; i < 4; ++i)
            widths[i] = std::max(widths[i], std::min(line[i].size(), kWidestColumn));
    for (const auto& line : lines) {
        std::string out;
        for (std::size_t i = 0; i < 4; ++i) {
            std::string field = line[i];
            if (i < 3 && field.size() < widths[i])
                field.append(widths[i] - field.size(), ' ');
            out += field;
            if (i < 3)
                out += "  ";
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        std::cout << toUtf8(out) << "\n";
    }
}

void evaluateSheet(const SheetOptions& options) {
    if (options.file.empty())
        misuse("give one sheet file, or --import a cell list");
    CommandGrid command;
    command.create();
    const Vtx_String path = moduleText(options.file, "the sheet file's name");
    Vtx_String reason;
    if (!command.grid.loadFile(path, &reason))
        fail(shown(reason));
    registerFromTable(&command.grid);
    command.grid.recalcAll();
    if (options.json)
        printJson(path, *command.grid.model());
    else
        printTable(path, *command.grid.model());
}

// Shows what the module prints on the host's command line on stderr (or
// nowhere), so that stdout carries only the table or the JSON.
class EchoScope {
public:
    explicit EchoScope(CommandLineEcho echo)
        : m_line(Host::current().commandLine()), m_before(m_line.echo()) {
        m_line.setEcho(echo);
    }
    ~EchoScope() {
        m_line.flushEcho();
        m_line.setEcho(m_before);
    }
    EchoScope(const EchoScope&) = delete;
    EchoScope& operator=(const EchoScope&) = delete;

private:
    HostCommandLine& m_line;
    CommandLineEcho m_before;
};

int runSheet(const SheetOptions& options, ModuleMessages& messages) {
    if (!options.import.empty()) {
        if (!options.file.empty())
            misuse("--import takes no sheet file; name the target with --out");
        if (options.json)
            misuse("--json goes with printing a sheet, not with --import");
        if (options.out.empty())
            misuse("--import needs --out FILE (- for stdout)");
        const bool book = importKind(options.import) == ImportKind::Book;
        if (book && options.applyChanges)
            misuse("--apply-changes goes with a cell list (.cells)");
        if (!book && (options.book.keepValues || !options.book.sheet.empty()))
            misuse("--keep-values and --sheet go with .xlsx, .ods and .csv files");
    } else if (!options.out.empty() || options.applyChanges || options.book.keepValues ||
               !options.book.sheet.empty()) {
        misuse("--out, --apply-changes, --keep-values and --sheet go with --import");
    }
    {
        EchoScope echo(options.quiet ? CommandLineEcho::Off : CommandLineEcho::Stderr);
        if (!options.import.empty() && importKind(options.import) == ImportKind::Book)
            importBook(options.import, targetFile(options.out), options.book);
        else if (!options.import.empty())
            importCells(moduleText(options.import, "--import"), targetFile(options.out),
                        options.applyChanges);
        else
            evaluateSheet(options);
    }
    // Shown already (or hidden with --quiet).
    messages.take();
    return kExitOk;
}

} // namespace

void CommandGrid::create() {
    dialog.addPlaceholder(kGridPlaceholder, {0, 0, 640, 480});
    if (!grid.createInDialog(&dialog, kGridPlaceholder, true))
        fail("cannot create a grid");
}

std::string columnName(int column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

Command addSheetCommand(CLI::App& top) {
    auto options = std::make_shared<SheetOptions>();
    CLI::App* app = addCommand(top, "sheet",
                               "evaluate and print a sheet file, or import a cell list or workbook",
                               kDescription, kFooter);
    app->add_option("FILE", options->file, "the sheet file to print")->type_name("");
    addSwitch(*app, "--json", options->json, "print JSON instead of a table");
    addSwitch(*app, "-q,--quiet", options->quiet,
              "hide what the module prints on the host's command line");
    addValueOption(*app, "--import", options->import, "FILE",
                   "the cell list (.cells), workbook (.xlsx, .ods) or .csv file to import");
    addValueOption(*app, "-o,--out", options->out, "FILE.kss",
                   "the sheet file to write (- for stdout); required with --import");
    addSwitch(*app, "--apply-changes", options->applyChanges, "apply the X lines of the cell list");
    addValueOption(*app, "--sheet", options->book.sheet, "NAME",
                   "the workbook's sheet to import (default: the first)");
    addSwitch(*app, "--keep-values", options->book.keepValues,
              "keep the workbook's value of a formula that does not translate");
    return {app, [options](ModuleMessages& messages) { return runSheet(*options, messages); }};
}

} // namespace cli
