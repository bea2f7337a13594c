// vtxss sheet --import of a workbook (.xlsx, .ods) or a .csv file: values
// and texts as they are, formulas translated into the grid's language.
// Every cell that does not come over is listed; then nothing is written,
// unless --keep-values lets such a formula cell keep the value the file
// holds for it.

#include "Cli.h"
#include "FormulaNames.h"
#include "FormulaTranslate.h"
#include "Output.h"
#include "Sheet.h"
#include "Workbook.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

namespace cli {

namespace {

using vtx::sheet::SheetModel;

struct Tally {
    int cells = 0;
    int formulas = 0;
    std::vector<std::string> kept;     ///< "B7: kept the value 12 (reason)"
    std::vector<std::string> problems; ///< "B7: the function CUBEVALUE is not ..."
};

// A constant: a text, a number, TRUE/FALSE or an error value (the last two
// as the formula that gives them: the grid has no such constants).
bool putValue(SheetModel& model, int col, int row, const BookValue& value, std::string& reason) {
    switch (value.kind) {
    case BookValue::Kind::Number:
        return model.setNumber(col, row, value.number);
    case BookValue::Kind::Boolean:
        return model.setFormula(col, row, value.boolean ? "TRUE" : "FALSE", false);
    case BookValue::Kind::Text: {
        if (isErrorLiteral(value.text))
            return model.setFormula(col, row, value.text, false);
        std::string text;
        if (!fromUtf8(value.text, text)) {
            reason = "the text has a character that 8-bit text cannot hold";
            return false;
        }
        if (text.size() > vtx::sheet::kMaxTextLength) {
            reason = "the text is longer than " + std::to_string(vtx::sheet::kMaxTextLength) +
                     " characters";
            return false;
        }
        if (model.setText(col, row, text))
            return true;
        reason = "the text is refused";
        return false;
    }
    case BookValue::Kind::None:
        return true;
    }
    return false;
}

// The formula in the grid's language, in the cell; false with the reason.
bool putFormula(SheetModel& model, const BookSheet& sheet, const BookCell& cell,
                std::string& reason) {
    if (!cell.refusal.empty()) {
        reason = cell.refusal;
        return false;
    }
    TranslateContext context{sheet.syntax, sheet.name, cell.rowShift, cell.colShift};
    std::string translated;
    if (!translateFormula(cell.formula, context, translated, reason))
        return false;
    std::string text;
    if (!fromUtf8(translated, text)) {
        reason = "the formula has a character that 8-bit text cannot hold";
        return false;
    }
    vtx::sheet::ParseError error;
    if (model.setFormula(cell.col + 1, cell.row + 1, text, false, &error))
        return true;
    reason = "the formula " + translated + " is refused: " + error.message();
    return false;
}

std::string shownValue(const BookValue& value) {
    switch (value.kind) {
    case BookValue::Kind::Number: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", value.number);
        return buffer;
    }
    case BookValue::Kind::Boolean:
        return value.boolean ? "TRUE" : "FALSE";
    case BookValue::Kind::Text:
        return isErrorLiteral(value.text) ? value.text : "\"" + value.text + "\"";
    case BookValue::Kind::None:
        break;
    }
    return "";
}

void putCell(SheetModel& model, const BookSheet& sheet, const BookCell& cell, bool keepValues,
             Tally& tally) {
    const int col = cell.col + 1;
    const int row = cell.row + 1;
    const std::string where = columnName(col) + std::to_string(row) + ": ";
    std::string reason;
    ++tally.cells;
    if (!cell.isFormula) {
        if (!putValue(model, col, row, cell.value, reason))
            tally.problems.push_back(where + reason);
        return;
    }
    if (putFormula(model, sheet, cell, reason)) {
        ++tally.formulas;
        return;
    }
    if (keepValues && cell.value.kind != BookValue::Kind::None) {
        std::string why;
        if (putValue(model, col, row, cell.value, why)) {
            tally.kept.push_back(where + "kept the value " + shownValue(cell.value) + " (" +
                                 reason + ")");
            return;
        }
        reason += "; its value cannot be kept: " + why;
    } else if (keepValues) {
        reason += "; the file keeps no value for it";
    }
    tally.problems.push_back(where + reason);
}

} // namespace

void importBook(const std::string& path, const Vtx_String& out, const BookImport& how) {
    refuseOwnInput(out, moduleText(path, "--import"), "the workbook");
    const bool csv = lowerExtension(path) == ".csv";
    if (csv && !how.sheet.empty())
        misuse("--sheet goes with .xlsx and .ods workbooks");
    if (!csv && !canReadWorkbooks())
        throw Failure("this build reads no .xlsx/.ods (built without liborcus)", kExitMisuse);
    BookSheet sheet;
    std::string reason;
    if (!(csv ? readCsvSheet(path, sheet, reason) : readWorkbook(path, how.sheet, sheet, reason)))
        fail(shownPath(path) + ": " + reason);
    std::sort(sheet.cells.begin(), sheet.cells.end(), [](const BookCell& a, const BookCell& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    int rows = 1;
    int columns = 1;
    for (const BookCell& cell : sheet.cells) {
        rows = std::max(rows, cell.row + 1);
        columns = std::max(columns, cell.col + 1);
    }
    Tally tally;
    saveNewGrid(out, columns, rows, [&](SheetModel& model) {
        for (const BookCell& cell : sheet.cells)
            putCell(model, sheet, cell, how.keepValues, tally);
        if (tally.problems.empty())
            return;
        for (const std::string& problem : tally.problems)
            std::cerr << problem << "\n";
        fail(shownPath(path) + ": " + std::to_string(tally.problems.size()) +
             " cell(s) cannot be imported; nothing is written" +
             (how.keepValues ? "" : " (--keep-values keeps the values of formulas)"));
    });
    std::ostream& report = reportStream(out.str());
    for (const std::string& line : tally.kept)
        report << line << "\n";
    report << "Imported " << tally.cells << " cells (" << tally.formulas
           << (tally.formulas == 1 ? " formula" : " formulas");
    if (!tally.kept.empty())
        report << ", " << tally.kept.size() << " kept as values";
    report << ") from " << shownPath(path);
    if (!sheet.name.empty())
        report << ", sheet \"" << sheet.name << "\",";
    report << " into " << (isStdout(out.str()) ? "stdout" : shown(out)) << " (" << columns
           << " columns, " << rows << " rows)\n";
}

} // namespace cli
