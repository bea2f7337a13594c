// The calculation of a standards spreadsheet: its equations, child calls and
// the set-up of a child evaluation.
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/sheet/FormulaError.h"
#include "platform/sheet/SheetModel.h"
#include "standards/EvaluationStack.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsStandardsDialog.h"
#include "standards/KsTrace.h"
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

// The variables an expression reads (whole words, case ignored), with their
// cells and values; for a trace only.
std::vector<KsTraceOperand> operandsOf(const Vtx_String& expression, const KsVarCells& vars) {
    std::vector<KsTraceOperand> operands;
    for (int i = 0; i < vars.length(); ++i) {
        Vtx_String probe = expression;
        if (vars[i].name.isEmpty() || replaceWholeWord(probe, vars[i].name, "", 1) == 0)
            continue;
        operands.push_back({vars[i].name,
                            getAlfabet(vars[i].column - 1) + Vtx_String::fromInt(vars[i].row),
                            traceValue(vars[i])});
    }
    return operands;
}

} // namespace

void KsStandardsDialog::sheetError(const Vtx_String& text) const {
    hostPrintf("*Error* %s\n", text.c_str());
    if (KsTrace* trace = gKsTrace)
        trace->failed(m_sheet.path(), 0, text);
}

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
            sheetError(m_sheet.path() + " declares more variables than the call passes (" +
                       Vtx_String::fromInt(passed.length()) + ").");
            return eOutOfRange;
        }
        if (cell.isOutput() && passed[p].isInput()) {
            sheetError("The output " + cell.name + " of " + m_sheet.path() +
                       " would be written to the input " + passed[p].name +
                       " of the calling spreadsheet.");
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
        sheetError("The standards spreadsheet " + m_sheet.path() + " has no Calc section.");
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
    KsTrace* const trace = gKsTrace;
    if (trace)
        trace->equationStarted(m_sheet.path(), column, row, text, name, expression);
    bool childCall = false;
    {
        TimerScope timer(gCalcCellFindFunctions);
        childCall = expression.hasSubString("CallChild");
    }
    if (childCall) {
        TimerScope timer(gCalcCellCalcNativeFunctions);
        Vtx_String reason;
        if (callChild(expression, reason) != eOk)
            reportEquation(name, expression, row, reason);
        else if (trace)
            trace->equationFinished(true, Vtx_String(), Vtx_String());
        return;
    }
    if (index < 0) {
        reportEquation(name, expression, row,
                       name.isEmpty() ? "the cell is no equation (nothing before an \"=\")"
                                      : name + " is not a declared variable");
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
        if (trace) {
            const std::vector<KsTraceOperand> operands = operandsOf(expression, vars);
            replacer.apply(expression);
            trace->equationRewritten(expression, operands);
        } else {
            replacer.apply(expression);
        }
    }
    TimerScope timer(gCalcCellCalcFunctions);
    if (!m_sheet.setCellFormula(column, row, expression, true)) {
        reportEquation(name, expression, row, "the spreadsheet refused the formula");
        return;
    }
    Vtx_String value;
    const vtx::sheet::SheetModel* model = m_sheet.model();
    // An error value is a failed equation: the variable keeps its value.
    if (!m_sheet.getCellText(column, row, value, kTextValue)) {
        reportEquation(name, expression, row, "the formula's value cannot be read");
        return;
    }
    if (model && model->value(column, row).isError()) {
        reportEquation(name, expression, row,
                       Vtx_String("the formula gave ") +
                           Vtx_String(vtx::sheet::errorText(model->value(column, row).asError())));
        return;
    }
    // A result the variable's cell refuses (a text for a number, a number
    // out of bounds) was reported with the value; the equation failed.
    if (target.setNewValue(m_sheet, value) != eOk)
        reportEquation(name, expression, row, "the variable refused the value " + value);
    else if (trace)
        trace->equationFinished(true, traceValue(target), Vtx_String());
}

ErrorStatus KsStandardsDialog::callChild(const Vtx_String& expression, Vtx_String& reason) {
    // Each refusal is printed on the command line and kept as the reason.
    auto refuse = [&reason](ErrorStatus status, const Vtx_String& text) {
        hostPrintf("*Error* CallChild: %s\n", text.c_str());
        reason = text;
        return status;
    };
    Vtx_String file;
    Vtx_StringArray pieces;
    if (!evaluation::splitChildCall(expression, file, pieces)) {
        reason = "the call names no child file and no variable to pass";
        return eInvalidInput;
    }
    Vtx_String childPath;
    if (!evaluation::resolveChild(file, m_sheet.path(), childPath))
        return refuse(eFileNotFound, "the child spreadsheet " + file + " was not found.");
    if (childPath.equal(m_sheet.path(), false) ||
        evaluation::canonicalSheetPath(childPath).equal(
            evaluation::canonicalSheetPath(m_sheet.path()), false))
        return refuse(eCycle, m_sheet.path() + " calls itself.");
    if (evaluation::isActive(childPath))
        return refuse(eCycle, "the child spreadsheets call each other in a cycle: " +
                                  evaluation::describeCycle(childPath));
    if (evaluation::activeSheets().length() >= kMaxChildDepth)
        return refuse(eLimitExceeded, "child spreadsheets are nested deeper than " +
                                          Vtx_String::fromInt(kMaxChildDepth) + ".");

    KsVarCells& vars = m_sheet.varCells();
    KsDlgStandardsData child;
    child.callMode = KsDlgStandardsData::kChildEvaluation;
    child.spreadsheetName = childPath;
    child.genVarNames = m_sheet.genVarNames();
    child.genVarValues = m_sheet.genVarValues();
    for (const Vtx_String& piece : pieces) {
        int index = -1;
        if (vars.findVarCell(piece, index) != eOk) {
            reason = piece + " is not a variable of the calling spreadsheet";
            return eKeyNotFound;
        }
        KsVarCell passed = vars[index];
        passed.column = 0;
        passed.row = 0;
        child.varCells.append(passed);
    }
    KsTrace* const trace = gKsTrace;
    if (trace)
        trace->childStarted(childPath, child.varCells);
    const bool evaluated = StartDlgStandardsSS(child);
    if (trace)
        trace->childFinished(child.varCells, evaluated);
    if (!evaluated) {
        reason = "the evaluation of the child spreadsheet " + childPath + " failed";
        return eGeneralError;
    }
    for (int i = 0; i < child.varCells.length(); ++i) {
        const KsVarCell& returned = child.varCells[i];
        int index = -1;
        if (!returned.isOutput() || vars.findVarCell(returned.name, index) != eOk)
            continue;
        if (vars[index].isInput()) {
            reason = "the child would return a value to the input " + returned.name;
            return eInvalidInput;
        }
        vars[index].setValueFromOther(m_sheet, returned);
    }
    return eOk;
}

void KsStandardsDialog::reportEquation(const Vtx_String& name, const Vtx_String& expression,
                                       int row, const Vtx_String& reason) const {
    if (KsTrace* trace = gKsTrace)
        trace->equationFinished(false, Vtx_String(), reason);
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
