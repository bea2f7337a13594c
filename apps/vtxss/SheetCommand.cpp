// vtxss sheet: evaluates a sheet file and prints its cells, or imports a
// plain cell list (.cells) into a sheet file.

#include "Cli.h"
#include "Commands.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/bench/CellsWorkload.h"
#include "spread/FromTable.h"
#include "spread/VtxSpread.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

int runSheetCommand(int argc, char** argv);

namespace {

const char* const kHelp =
    "usage: vtxss sheet FILE [--json] [--quiet]\n"
    "       vtxss sheet --import FILE.cells --out FILE.kss [--apply-changes] [--quiet]\n"
    "\n"
    "Loads a sheet file, registers FROMTABLE, recalculates every formula and prints\n"
    "the column headers and every cell that is not empty with its data, formula and\n"
    "value texts: as an aligned table, or with --json as one JSON document (UTF-8).\n"
    "\n"
    "With --import, reads a plain cell list into a new grid, recalculates it and\n"
    "saves it as a sheet file. C lines give the cells (0-based row and column become\n"
    "grid row+1 and column+1; kinds n number, s text, f formula without \"=\"); X lines\n"
    "(changes) are ignored unless --apply-changes applies them in order after the\n"
    "build; W and K lines are read and ignored.\n"
    "\n"
    "  --json           print JSON instead of a table\n"
    "  --import FILE    the .cells file to import\n"
    "  --out FILE       the sheet file to write (required with --import)\n"
    "  --apply-changes  apply the X lines of the cell list\n"
    "  --quiet          hide what the module prints on the host's command line\n"
    "                   (otherwise shown on stderr, so that stdout holds only data)\n";

constexpr int kGridPlaceholder = 1;

using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

std::string columnName(int column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
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

// Control bytes would break the table's lines: shown escaped.
std::string tableText(const std::string& text) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        } else
            out += c;
    }
    return out;
}

// A JSON string of UTF-8 text.
std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A JSON string of 8-bit grid text.
std::string jsonText(const std::string& text) {
    return jsonString(toUtf8(text));
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

void printJson(const std::string& file, const SheetModel& model) {
    std::cout << "{\"file\":" << jsonString(file) << ",\"columns\":" << model.maxCols()
              << ",\"rows\":" << model.maxRows() << ",\"headers\":[";
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

void printTable(const std::string& file, const SheetModel& model) {
    std::cout << file << ": " << model.maxCols() << " columns, " << model.maxRows() << " rows\n";
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

// A grid of the command, in a dialog without a window.
struct CommandGrid {
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    bool create() {
        dialog.addPlaceholder(kGridPlaceholder, {0, 0, 640, 480});
        return grid.createInDialog(&dialog, kGridPlaceholder, true);
    }
};

int evaluateSheet(const cli::Args& args) {
    if (args.positional().size() != 1)
        return cli::fail("sheet", "give one sheet file (see vtxss sheet --help)");
    const std::string file = args.positional()[0];
    CommandGrid command;
    if (!command.create())
        return cli::fail("sheet", "cannot create a grid");
    Vtx_String reason;
    if (!command.grid.loadFile(file, &reason))
        return cli::fail("sheet", reason.str());
    registerFromTable(&command.grid);
    command.grid.recalcAll();
    if (args.has("json"))
        printJson(file, *command.grid.model());
    else
        printTable(file, *command.grid.model());
    return 0;
}

// Puts one listed cell into the grid; false with a reason naming it.
bool putCell(SheetModel& model, const vtx::sheet::WorkloadCell& cell, std::string& reason) {
    const int column = cell.col + 1;
    const int row = cell.row + 1;
    const std::string where = columnName(column) + std::to_string(row);
    std::string text;
    if (!fromUtf8(cell.content, text)) {
        reason = where + ": the text has a character that 8-bit text cannot hold";
        return false;
    }
    if (cell.kind == 's' && text.size() > vtx::sheet::kMaxTextLength) {
        reason = where + ": the text is longer than " + std::to_string(vtx::sheet::kMaxTextLength) +
                 " characters";
        return false;
    }
    switch (cell.kind) {
    case 'n': {
        double number = 0;
        if (!vtx::sheet::parseNumber(text, number) || !model.setNumber(column, row, number)) {
            reason = where + ": \"" + cell.content + "\" is not a number";
            return false;
        }
        return true;
    }
    case 's':
        // Exactly the text: one that reads as a number stays a text, and an
        // empty one is an empty text, not a blank cell.
        if (model.setText(column, row, text))
            return true;
        break;
    default: {
        vtx::sheet::ParseError error;
        if (model.setFormula(column, row, text, false, &error))
            return true;
        reason = where + ": formula \"" + cell.content + "\" refused: " + error.message();
        return false;
    }
    }
    reason = where + ": the text \"" + cell.content + "\" is refused";
    return false;
}

int importCells(const cli::Args& args) {
    if (!args.positional().empty())
        return cli::fail("sheet", "--import takes no sheet file; name the target with --out");
    const std::string out = args.value("out");
    if (out.empty())
        return cli::fail("sheet", "--import needs --out FILE");
    vtx::sheet::Workload list;
    std::string reason;
    if (!vtx::sheet::readWorkload(args.value("import"), list, reason))
        return cli::fail("sheet", reason);
    const bool applyChanges = args.has("apply-changes");
    int rows = 0;
    int columns = 0;
    for (const auto& cell : list.cells) {
        rows = std::max(rows, cell.row + 1);
        columns = std::max(columns, cell.col + 1);
    }
    for (const auto& change : list.changes)
        if (applyChanges) {
            rows = std::max(rows, change.cell.row + 1);
            columns = std::max(columns, change.cell.col + 1);
        }
    CommandGrid command;
    if (!command.create())
        return cli::fail("sheet", "cannot create a grid");
    // Sized on the model: a plain import, without the grid's header styling.
    SheetModel& model = *command.grid.model();
    if (!model.setMaxRows(rows) || !model.setMaxCols(columns))
        return cli::fail("sheet", "cannot make a grid of " + std::to_string(columns) +
                                      " columns and " + std::to_string(rows) + " rows");
    registerFromTable(&command.grid);
    // Built with recalculation off, then evaluated once.
    model.setOption(vtx::sheet::kOptionAutoCalc, false);
    for (const auto& cell : list.cells)
        if (!putCell(model, cell, reason))
            return cli::fail("sheet", args.value("import") + ": " + reason);
    if (applyChanges)
        for (const auto& change : list.changes)
            if (!putCell(model, change.cell, reason))
                return cli::fail("sheet",
                                 args.value("import") + ": change " + change.label + ": " + reason);
    // Recalculating everything first leaves nothing pending for the switch,
    // which would otherwise follow each changed cell's dependents one by one.
    model.recalcAll();
    model.setOption(vtx::sheet::kOptionAutoCalc, true);
    Vtx_String why;
    if (!command.grid.saveFile(out, &why))
        return cli::fail("sheet", why.str());
    std::cout << "Imported " << list.cells.size() << " cells"
              << (applyChanges ? " and " + std::to_string(list.changes.size()) + " changes" : "")
              << " into " << out << " (" << columns << " columns, " << rows << " rows)\n";
    return 0;
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

} // namespace

int runSheetCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv, {"import", "out"}, {"help", "json", "apply-changes", "quiet"},
                    error))
        return cli::fail("sheet", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    EchoScope echo(args.has("quiet") ? CommandLineEcho::Off : CommandLineEcho::Stderr);
    if (args.has("import"))
        return importCells(args);
    if (args.has("out") || args.has("apply-changes"))
        return cli::fail("sheet", "--out and --apply-changes go with --import");
    return evaluateSheet(args);
}
