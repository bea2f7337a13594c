// The calculation of a standards spreadsheet: its equations, child calls and
// the set-up of a child evaluation.
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "standards/EvaluationStack.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsStandardsDialog.h"
#include "standards/NameReplacement.h"
#include "standards/StandardsFunctions.h"
#include "standards/StandardsMessages.h"
#include "standards/StandardsTimers.h"

#include <filesystem>
#include <utility>
#include <vector>

namespace {

constexpr int kResultTextLength = 200;

// The variables' names, their cells and the cells' addresses, each step
// under its timer. The cells do not move during a calculation, so this is
// done once for all its equations.
void variableAddresses(const KsVarCells& vars, Vtx_StringArray& names, Vtx_StringArray& addresses) {
    {
        TimerScope timer(gCalcCellGetVarNames);
        for (int i = 0; i < vars.length(); ++i)
            names.append(vars[i].name);
    }
    std::vector<std::pair<int, int>> cells;
    {
        TimerScope timer(gCalcCellGetVarCoords);
        cells.reserve(static_cast<std::size_t>(vars.length()));
        for (int i = 0; i < vars.length(); ++i)
            cells.emplace_back(vars[i].column, vars[i].row);
    }
    TimerScope timer(gCalcCellGetVarCoordName);
    for (const auto& [column, row] : cells)
        addresses.append(getAlfabet(column - 1) + Vtx_String::fromInt(row));
}

} // namespace

ErrorStatus KsStandardsDialog::childInputSetUp() {
    m_sheet.setGenVars(m_data.genVarNames, m_data.genVarValues);
    m_sheet.readVariables(false);
    KsVarCells& vars = m_sheet.varCells();
    const KsVarCells& passed = m_data.varCells;
    int locals = 0;
    for (int i = 0; i < vars.length(); ++i) {
        KsVarCell& cell = vars[i];
        if (cell.isLocal()) {
            ++locals;
            cell.setNewValue(m_sheet, Vtx_String());
            continue;
        }
        const int p = i - locals;
        if (p >= passed.length()) {
            hostPrintf("*Error* %s declares more variables than the call passes (%d).\n",
                       m_sheet.path().c_str(), passed.length());
            return eOutOfRange;
        }
        if (cell.isOutput() && passed[p].isInput()) {
            hostPrintf("*Error* The output %s of %s would be written to the input %s of the "
                       "calling spreadsheet.\n",
                       cell.name.c_str(), m_sheet.path().c_str(), passed[p].name.c_str());
            return eInvalidInput;
        }
        cell.setNewValue(m_sheet, passed[p].value);
    }
    TimerScope timer(gSSSreplaceGenVars);
    m_sheet.replaceGenVars();
    return eOk;
}

ErrorStatus KsStandardsDialog::calculate() {
    {
        TimerScope timer(gRegisterFuntions);
        registerStandardsFunctions(m_sheet);
    }
    {
        TimerScope timer(gFindDuplicates);
        m_sheet.removeDuplicates();
    }
    TimerScope timer(gCalcCells);
    int labelRow = 0;
    int lastRow = 0;
    if (!m_sheet.findSection(KsStandardsSheet::kCalc, labelRow, lastRow)) {
        hostPrintf("*Error* The standards spreadsheet %s has no Calc section.\n",
                   m_sheet.path().c_str());
        return eKeyNotFound;
    }
    // The variables' cells do not move during the run: one table of names
    // and addresses serves every equation.
    Vtx_StringArray names;
    Vtx_StringArray addresses;
    variableAddresses(m_sheet.varCells(), names, addresses);
    const NameReplacer replacer(names, addresses);
    for (const vtx::sheet::CellPos& p : m_sheet.usedCells(labelRow + 1, m_sheet.getMaxRows()))
        calculateEquation(p.col, p.row, replacer);
    return eOk;
}

void KsStandardsDialog::calculateEquation(int column, int row, const NameReplacer& replacer) {
    Vtx_String text;
    if (!m_sheet.getCellText(column, row, text, kTextValue) || text.isEmpty())
        return;
    KsVarCells& vars = m_sheet.varCells();
    // The name is what stands before the first "="; the expression keeps the
    // rest whole, so comparisons such as ">=" inside it survive.
    Vtx_String name;
    Vtx_String expression = text;
    int index = -1;
    {
        TimerScope timer(gCalcCellSplitSymbol);
        int equals = text.find('=');
        if (equals >= 0) {
            name = stripSymbols(text.left(equals));
            expression = text.mid(equals + 1);
        }
    }
    {
        TimerScope timer(gCalcCellFindVarCell);
        if (!name.isEmpty() && vars.findVarCell(name, index) != eOk)
            index = -1;
    }
    bool childCall = false;
    {
        TimerScope timer(gCalcCellFindFunctions);
        childCall = expression.hasSubString("CallChild");
    }
    if (childCall) {
        TimerScope timer(gCalcCellCalcNativeFunctions);
        if (callChild(expression) != eOk)
            reportEquation(name, expression, row);
        return;
    }
    if (index < 0) {
        reportEquation(name, expression, row);
        return;
    }
    KsVarCell& target = vars[index];
    {
        TimerScope timer(gCalcCellCalcFunctionsPrepare);
        if (target.valueType == static_cast<int>(KsValueType::String))
            m_sheet.setEditCells(column, row, column, row, kEditStyleDefault, kResultTextLength);
        else
            m_sheet.setNumberCells(column, row, column, row, kDoubleCellDecimals,
                                   -kVarCellMaxNumber, kVarCellMaxNumber);
        TimerScope replaceTimer(gCalcCellReplaceVariables);
        replacer.apply(expression);
    }
    TimerScope timer(gCalcCellCalcFunctions);
    if (!m_sheet.setCellFormula(column, row, expression, true)) {
        reportEquation(name, expression, row);
        return;
    }
    Vtx_String value;
    const vtx::sheet::SheetModel* model = m_sheet.model();
    // An error value is a failed equation: the variable keeps its value.
    if (!m_sheet.getCellText(column, row, value, kTextValue) ||
        (model && model->value(column, row).isError())) {
        reportEquation(name, expression, row);
        return;
    }
    // A result the variable's cell refuses (a text for a number, a number
    // out of bounds) was reported with the value; the equation failed.
    if (target.setNewValue(m_sheet, value) != eOk)
        reportEquation(name, expression, row);
}

ErrorStatus KsStandardsDialog::callChild(const Vtx_String& expression) {
    Vtx_String file;
    Vtx_StringArray pieces;
    if (!evaluation::splitChildCall(expression, file, pieces))
        return eInvalidInput;
    Vtx_String childPath;
    if (!evaluation::resolveChild(file, m_sheet.path(), childPath)) {
        hostPrintf("*Error* CallChild: the child spreadsheet %s was not found.\n", file.c_str());
        return eFileNotFound;
    }
    if (childPath.equal(m_sheet.path(), false) ||
        evaluation::canonicalSheetPath(childPath).equal(
            evaluation::canonicalSheetPath(m_sheet.path()), false)) {
        hostPrintf("*Error* CallChild: %s calls itself.\n", m_sheet.path().c_str());
        return eCycle;
    }
    if (evaluation::isActive(childPath)) {
        hostPrintf("*Error* CallChild: the child spreadsheets call each other in a cycle: %s\n",
                   evaluation::describeCycle(childPath).c_str());
        return eCycle;
    }
    if (evaluation::activeSheets().length() >= kMaxChildDepth) {
        hostPrintf("*Error* CallChild: child spreadsheets are nested deeper than %d.\n",
                   kMaxChildDepth);
        return eLimitExceeded;
    }

    KsVarCells& vars = m_sheet.varCells();
    KsDlgStandardsData child;
    child.callMode = KsDlgStandardsData::kChildEvaluation;
    child.spreadsheetName = childPath;
    child.genVarNames = m_sheet.genVarNames();
    child.genVarValues = m_sheet.genVarValues();
    for (const Vtx_String& piece : pieces) {
        int index = -1;
        if (vars.findVarCell(piece, index) != eOk)
            return eKeyNotFound;
        KsVarCell passed = vars[index];
        passed.column = 0;
        passed.row = 0;
        child.varCells.append(passed);
    }
    if (!StartDlgStandardsSS(child))
        return eGeneralError;
    for (int i = 0; i < child.varCells.length(); ++i) {
        const KsVarCell& returned = child.varCells[i];
        int index = -1;
        if (!returned.isOutput() || vars.findVarCell(returned.name, index) != eOk)
            continue;
        if (vars[index].isInput())
            return eInvalidInput;
        vars[index].setValueFromOther(m_sheet, returned);
    }
    return eOk;
}

void KsStandardsDialog::reportEquation(const Vtx_String& name, const Vtx_String& expression,
                                       int row) const {
    Vtx_String text = "The following equation failed:\n";
    if (!name.isEmpty())
        text.append(name).append(" = ");
    text.append(expression)
        .append("\n")
        .append("Spreadsheet : ")
        .append(m_sheet.path())
        .append(" (line: ")
        .append(Vtx_String::fromInt(row))
        .append(")\n")
        .append("Here's a tip for finding the cause :\n")
        .append("If this equation contains variable names, then the translator does not know "
                "the value of the variable. Make sure the variable exists either in input, "
                "output, local declarations or among the gen_ variables.");
    showStandardsWarning(text);
}
