// The author's checks of one standards spreadsheet: its section labels and
// declarations. The equations are checked in EquationCheck.cpp.

#include "standards/StandardsCheckParts.h"

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/formula/FormulaCode.h"
#include "standards/FileTextCache.h"
#include "standards/KsObjectMap.h"
#include "standards/KsVarCells.h"

#include <cstdlib>
#include <string_view>

namespace check {

void checkEquations(const vtx::sheet::SheetModel& sheet, int firstRow, SheetFacts& facts,
                    FileReport& report);

namespace {

using vtx::sheet::CellPos;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

const char* const kLabels[] = {"Input", "Output", "Local", "Calc"};
constexpr int kCalc = 3;

struct TypeWord {
    const char* word;
    KsValueType type;
};
// Tested by prefix in this order, as a declaration is read.
const TypeWord kTypeWords[] = {
    {"Int", KsValueType::Int}, {"Double", KsValueType::Double}, {"String", KsValueType::String}};

Vtx_String valueText(const SheetModel& sheet, int column, int row) {
    std::string text;
    sheet.getText(column, row, TextForm::Value, text);
    return Vtx_String(text);
}

// The row of each label (the first one met, row by row and left to right);
// a label met again is reported.
void findLabels(const SheetModel& sheet, const SheetFacts& facts, int labelRows[4],
                FileReport& report) {
    for (const CellPos& p : sheet.usedCells({1, 1, sheet.maxCols(), sheet.maxRows()})) {
        const Vtx_String text = valueText(sheet, p.col, p.row);
        for (int i = 0; i < 4; ++i) {
            if (!text.equal(kLabels[i], false))
                continue;
            if (labelRows[i] < 0)
                labelRows[i] = p.row;
            else
                report.add(facts.line(p.col, p.row),
                           Vtx_String("the label ") + kLabels[i] + " stands twice (first in row " +
                               Vtx_String::fromInt(labelRows[i]) +
                               "); the second is read as a cell of a section",
                           cellName(p.col, p.row));
        }
    }
    for (int i : {0, 1, 3})
        if (labelRows[i] < 0)
            report.add(0, Vtx_String("has no ") + kLabels[i] + " label" +
                              (i == kCalc ? "; no equation is evaluated"
                                          : "; the evaluation of a macro fails"));
}

bool isLabel(const Vtx_String& text) {
    for (const char* label : kLabels)
        if (text.equal(label, false))
            return true;
    return false;
}

// One cell of the Input, Output or Local section.
void readDeclaration(const Vtx_String& cellText, int column, int row, int section,
                     SheetFacts& facts, FileReport& report) {
    const Vtx_String text = stripSymbols(cellText);
    const int line = facts.line(column, row);
    const Vtx_String cell = cellName(column, row);
    if (text.isEmpty() || isLabel(text))
        return;
    const TypeWord* type = nullptr;
    for (const TypeWord& word : kTypeWords)
        if (!type && text.startsWith(word.word))
            type = &word;
    const int blank = text.find(' ');
    const Vtx_String written = blank < 0 ? text : text.left(blank);
    if (!type) {
        report.add(line,
                   "'" + text +
                       "' is no declaration: the type must be Int, Double or String; the "
                       "cell is ignored",
                   cell);
        return;
    }
    if (!written.equal(type->word, true))
        report.add(line,
                   "unknown type '" + written + "' (read as " + type->word +
                       "); write Int, Double or String",
                   cell);
    Declaration declaration;
    declaration.name = blank < 0 ? Vtx_String() : text.mid(blank + 1);
    declaration.valueType = static_cast<int>(type->type);
    declaration.section = section;
    declaration.column = column;
    declaration.row = row;
    if (declaration.name.isEmpty()) {
        report.add(line, "declares a " + written + " variable without a name", cell);
    } else if (const Declaration* first = facts.find(declaration.name)) {
        report.add(line,
                   "the variable " + declaration.name + " is declared twice (first in " +
                       cellName(first->column, first->row) + "); the evaluation ignores this one",
                   cell);
    }
    facts.variables.push_back(declaration);
}

} // namespace

Vtx_String cellName(int column, int row) {
    return Vtx_String(vtx::sheet::columnName(column)) + Vtx_String::fromInt(row);
}

int SheetFacts::line(int column, int row) const {
    auto it = lines.find({column, row});
    return it == lines.end() ? 0 : it->second;
}

const Declaration* SheetFacts::find(const Vtx_String& name) const {
    for (const Declaration& declaration : variables)
        if (declaration.name.equal(name, false))
            return &declaration;
    return nullptr;
}

void checkSheet(const Vtx_String& path, SheetFacts& facts, std::vector<CheckProblem>& problems) {
    facts.path = path;
    FileReport report(problems, path);
    Vtx_String reason;
    const std::shared_ptr<const SheetModel> sheet = standards::cachedSheet(path, &reason);
    if (!sheet) {
        report.add(0, "cannot be read: " + reason);
        return;
    }
    facts.loaded = true;
    facts.lines = sheetCellLines(path);
    int labelRows[4] = {-1, -1, -1, -1};
    findLabels(*sheet, facts, labelRows, report);
    // Each section runs from the row after its label to the row of the
    // nearest label below (that row included), as the evaluation reads it.
    for (int section = 0; section < 3; ++section) {
        if (labelRows[section] < 0)
            continue;
        int lastRow = sheet->maxRows();
        for (int row : labelRows)
            if (row > labelRows[section] && row < lastRow)
                lastRow = row;
        for (const CellPos& p :
             sheet->usedCells({1, labelRows[section] + 1, sheet->maxCols(), lastRow}))
            readDeclaration(valueText(*sheet, p.col, p.row), p.col, p.row, section, facts, report);
    }
    if (labelRows[kCalc] >= 0)
        checkEquations(*sheet, labelRows[kCalc] + 1, facts, report);
}

std::map<std::pair<int, int>, int> sheetCellLines(const Vtx_String& path) {
    std::map<std::pair<int, int>, int> lines;
    std::string bytes;
    if (readFileBytes(path, bytes) != eOk)
        return lines;
    int number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        ++number;
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.rfind("cell ", 0) != 0)
            continue;
        char* rest = nullptr;
        const long column = std::strtol(line.c_str() + 5, &rest, 10);
        const long row = std::strtol(rest, nullptr, 10);
        lines[{static_cast<int>(column), static_cast<int>(row)}] = number;
    }
    return lines;
}

} // namespace check
