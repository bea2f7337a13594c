// The FROMTABLE evaluation: take the table, find the target cell, return or
// copy its value.
#include "spread/FromTable.h"

#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/FormulaDialog.h"
#include "spread/FromTableCache.h"
#include "spread/FromTableText.h"
#include "spread/VtxSpread.h"

#include <cmath>
#include <vector>

using vtx::sheet::ValueRecord;

namespace {

// Control type numbers that decide how a target cell is returned.
constexpr int kTypeInteger = 10;
constexpr int kTypeCheckBox = 12;
constexpr int kTypeFloatFirst = 14;
constexpr int kTypeFloatLast = 16;

std::vector<CustomArgument> takeArguments(ValueRecord* args, int count) {
    std::vector<CustomArgument> arguments;
    for (int i = 0; args && i < count; ++i)
        arguments.push_back(takeCustomArgument(args[i]));
    return arguments;
}

// The text of a look-up argument; false when it has none (a range, a cell
// outside the caller grid).
bool argumentText(const CustomArgument& argument, const Vtx_Spread& callerGrid, Vtx_String& text) {
    switch (argument.type) {
    case vtx::sheet::kValueInt:
        text = Vtx_String::fromInt(argument.integer);
        return true;
    case vtx::sheet::kValueDouble:
        text = fromTableNumberText(argument.number);
        return true;
    case vtx::sheet::kValueText:
        text = argument.text;
        return true;
    case vtx::sheet::kValueCell:
        return callerGrid.getCellText(argument.column, argument.row, text, kTextData);
    default:
        return false;
    }
}

// Form 4: (file, key column name, result column name, key).
bool findByKey(const FromTableLease& table, const Vtx_Spread& callerGrid,
               const std::vector<CustomArgument>& arguments, int& column, int& row) {
    Vtx_String keyHeader;
    Vtx_String resultHeader;
    Vtx_String key;
    if (!argumentText(arguments[1], callerGrid, keyHeader) ||
        !argumentText(arguments[2], callerGrid, resultHeader) ||
        !argumentText(arguments[3], callerGrid, key))
        return false;
    const int keyColumn = table.findColumn(keyHeader);
    column = table.findColumn(resultHeader);
    row = keyColumn > 0 ? table.findRow(keyColumn, key) : 0;
    return keyColumn > 0 && column > 0 && row > 0;
}

// Form 3: the target's data text goes into the caller grid. A formula there
// is never overwritten: it may be the very formula being evaluated.
void copyIntoCaller(const Vtx_Spread& table, int column, int row, Vtx_Spread& callerGrid,
                    const CustomArgument& target) {
    Vtx_String text;
    table.getCellText(column, row, text, kTextData);
    const vtx::sheet::SheetModel* model = callerGrid.model();
    if (model && model->hasFormula(target.column, target.row)) {
        hostPrintf("*Error* FROMTABLE: column %d, row %d holds a formula and is not "
                   "overwritten.\n",
                   target.column, target.row);
        return;
    }
    if (callerGrid.setCellText(target.column, target.row, text))
        noteFromTableWrite(&callerGrid);
    else
        hostPrintf("*Error* FROMTABLE: cannot write \"%s\" into column %d, row %d.\n", text.c_str(),
                   target.column, target.row);
}

// Reads the target cell into result by its cell type; false when it cannot.
bool readTarget(const Vtx_Spread& table, int column, int row, ValueRecord& result,
                Vtx_String& text) {
    const vtx::sheet::SheetModel* model = table.model();
    const int type = table.getCellTypeNumber(column, row);
    // An error value stays an error; as text it would pass for a value.
    if (!model || type < 0 || model->value(column, row).isError())
        return false;
    if (type == kTypeInteger || type == kTypeCheckBox) {
        if (!table.getCellText(column, row, text, kTextData))
            return false;
        int number = 0;
        if (!vtx::sheet::readLeadingInt(text.view(), number))
            return false;
        result.setType(vtx::sheet::kValueInt);
        result.setInt(number);
        return true;
    }
    if (type >= kTypeFloatFirst && type <= kTypeFloatLast) {
        double number = 0.0;
        if (!model->getFloat(column, row, number) || !std::isfinite(number))
            return false;
        result.setType(vtx::sheet::kValueDouble);
        result.setDouble(number);
        return true;
    }
    if (!table.getCellText(column, row, text, kTextData))
        return false;
    const GlobalHandle handle = newGlobalText(text);
    if (handle == 0)
        return false;
    result.setType(vtx::sheet::kValueText);
    result.setHandle(handle);
    return true;
}

void printResult(const ValueRecord& result, const Vtx_String& text) {
    switch (result.type()) {
    case vtx::sheet::kValueInt:
        hostPrintf("Result is long: %i\n", result.intValue());
        break;
    case vtx::sheet::kValueDouble:
        hostPrintf("Result is double: %f\n", result.doubleValue());
        break;
    case vtx::sheet::kValueText:
        hostPrintf("Result is string: %s\n", text.c_str());
        break;
    case vtx::sheet::kValueCell:
        hostPrintf("Result is cell\n");
        break;
    case vtx::sheet::kValueRange:
        hostPrintf("Result is range\n");
        break;
    default:
        break;
    }
}

} // namespace

void evaluateFromTable(Vtx_Spread* callerGrid, ValueRecord* result, ValueRecord* args, int count) {
    const std::vector<CustomArgument> arguments = takeArguments(args, count);
    if (!callerGrid || !result || !args)
        return;
    result->setStatus(vtx::sheet::kValueNone);
    if (count < 1)
        return;
    for (const CustomArgument& argument : arguments)
        if (argument.status != vtx::sheet::kValueOk)
            return;
    if (arguments[0].type != vtx::sheet::kValueText)
        return;

    FromTableLease table;
    Vtx_String reason;
    if (!lendFromTable(arguments[0].text, table, reason)) {
        hostPrintf("*Error* FROMTABLE: %s\n", reason.c_str());
        return;
    }
    Vtx_Spread& tableGrid = table.grid();
    GridUnderEvaluationScope evaluating(&tableGrid);

    int column = 0;
    int row = 0;
    bool found = false;
    if ((count == 2 || count == 3) && arguments[1].type == vtx::sheet::kValueCell) {
        column = arguments[1].column;
        row = arguments[1].row;
        found = true;
    } else if (count == 4) {
        found = findByKey(table, *callerGrid, arguments, column, row);
    }
    if (!found)
        return;

    tableGrid.recalcCell(column, row);
    if (count == 3) {
        if (arguments[2].type == vtx::sheet::kValueCell)
            copyIntoCaller(tableGrid, column, row, *callerGrid, arguments[2]);
        return;
    }
    Vtx_String text;
    if (!readTarget(tableGrid, column, row, *result, text)) {
        result->setStatus(vtx::sheet::kValueError);
        return;
    }
    result->setStatus(vtx::sheet::kValueOk);
    printResult(*result, text);
}
