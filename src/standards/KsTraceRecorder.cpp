// The trace of standards evaluations kept as a tree, and what is read from it.

#include "standards/KsTraceRecorder.h"

#include "standards/FileTextCache.h"
#include "standards/KsVarCells.h"
#include "standards/StandardsCheckParts.h"

#include <algorithm>
#include <cstdio>
#include <string>

KsTrace* gKsTrace = nullptr;

namespace {

const char* sectionOf(const KsVarCell& cell) {
    return cell.isInput() ? "Input" : cell.isOutput() ? "Output" : "Local";
}

// The text of the cell as the file holds it; empty when the file cannot
// be read (the evaluation read it a moment ago, so this is the cached copy).
Vtx_String writtenText(const Vtx_String& path, int column, int row) {
    const auto sheet = standards::cachedSheet(path);
    std::string text;
    if (!sheet || !sheet->getText(column, row, vtx::sheet::TextForm::Value, text))
        return {};
    return Vtx_String(std::move(text));
}

bool containsName(const std::vector<Vtx_String>& names, const Vtx_String& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const Vtx_String& n) { return n.equal(name, false); });
}

} // namespace

Vtx_String traceNumber(double value) {
    // Twelve significant digits: what a formula computed shows without the
    // noise of binary fractions (104.3, not 104.30000000000001).
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", value);
    return Vtx_String(text);
}

Vtx_String traceValue(const KsVarCell& cell) {
    double number = 0;
    if (cell.valueType != static_cast<int>(KsValueType::String) && !cell.value.isEmpty() &&
        cell.value.toDouble(number))
        return traceNumber(number);
    return cell.value;
}

std::vector<Vtx_String> KsTracedEquation::assigns() const {
    std::vector<Vtx_String> names;
    if (hasChild) {
        for (const KsTracedPass& pass : child.out)
            names.push_back(pass.caller);
    } else if (ok && !name.isEmpty()) {
        names.push_back(name);
    }
    return names;
}

std::vector<Vtx_String> KsTracedEquation::uses() const {
    std::vector<Vtx_String> names;
    if (hasChild) {
        for (const KsTracedPass& pass : child.in)
            names.push_back(pass.caller);
    } else {
        for (const KsTraceOperand& operand : operands)
            names.push_back(operand.name);
    }
    return names;
}

const KsTracedVariable* KsTracedSheet::variable(const Vtx_String& wanted) const {
    for (const KsTracedVariable& v : variables)
        if (v.name.equal(wanted, false))
            return &v;
    return nullptr;
}

const KsTraceFailure* KsTraceRecorder::firstFailure() const {
    return m_failures.empty() ? nullptr : &m_failures.front();
}

int KsTraceRecorder::cellLine(const Vtx_String& path, int column, int row) {
    auto [it, inserted] = m_cellLines.try_emplace(path.str());
    if (inserted)
        it->second = check::sheetCellLines(path);
    auto found = it->second.find({column, row});
    return found == it->second.end() ? 0 : found->second;
}

void KsTraceRecorder::clear() {
    m_cellLines.clear();
    m_sheets.clear();
    m_stack.clear();
    m_failures.clear();
}

KsTracedEquation* KsTraceRecorder::openEquation() {
    if (m_stack.empty() || !m_stack.back()->inEquation || m_stack.back()->equations.empty())
        return nullptr;
    return &m_stack.back()->equations.back();
}

void KsTraceRecorder::sheetStarted(const Vtx_String& name, bool child) {
    KsTracedSheet sheet;
    sheet.name = name;
    sheet.child = child;
    KsTracedEquation* caller = openEquation();
    std::vector<KsTracedSheet>& into = caller && caller->hasChild ? caller->child.sheets : m_sheets;
    into.push_back(std::move(sheet));
    m_stack.push_back(&into.back());
}

void KsTraceRecorder::sheetFinished(const Vtx_String& path, const KsVarCells& variables,
                                    ErrorStatus status) {
    if (m_stack.empty())
        return;
    KsTracedSheet& sheet = *m_stack.back();
    sheet.path = path.isEmpty() ? sheet.name : path;
    sheet.status = status;
    sheet.finished = true;
    sheet.inEquation = false;
    sheet.variables.clear();
    for (int i = 0; i < variables.length(); ++i)
        sheet.variables.push_back(
            {variables[i].name, sectionOf(variables[i]), traceValue(variables[i])});
    m_stack.pop_back();
}

void KsTraceRecorder::equationStarted(const Vtx_String& path, int column, int row,
                                      const Vtx_String& text, const Vtx_String& name,
                                      const Vtx_String& expression) {
    if (m_stack.empty())
        return;
    KsTracedEquation equation;
    equation.file = path;
    equation.column = column;
    equation.row = row;
    equation.line = cellLine(path, column, row);
    equation.written = writtenText(path, column, row);
    equation.text = text;
    equation.name = name;
    equation.expression = expression;
    m_stack.back()->equations.push_back(std::move(equation));
    m_stack.back()->inEquation = true;
}

void KsTraceRecorder::equationRewritten(const Vtx_String& formula,
                                        const std::vector<KsTraceOperand>& operands) {
    if (KsTracedEquation* equation = openEquation()) {
        equation->formula = formula;
        equation->operands = operands;
    }
}

void KsTraceRecorder::equationFinished(bool ok, const Vtx_String& value, const Vtx_String& reason) {
    KsTracedEquation* equation = openEquation();
    if (!equation)
        return;
    equation->finished = true;
    equation->ok = ok;
    equation->value = value;
    equation->reason = reason;
    m_stack.back()->inEquation = false;
    if (ok)
        return;
    // The failure names the equation and, when a function call in it
    // failed, the first such call and why.
    Vtx_String message = equation->text + ": " + reason;
    for (const KsTraceCall& call : equation->calls)
        if (!call.ok) {
            message.append("; ").append(describeCall(call));
            if (!call.detail.isEmpty())
                message.append(": ").append(call.detail);
            break;
        }
    m_failures.push_back({equation->file, equation->line,
                          check::cellName(equation->column, equation->row), message});
}

void KsTraceRecorder::functionCalled(const KsTraceCall& call) {
    if (KsTracedEquation* equation = openEquation())
        equation->calls.push_back(call);
}

void KsTraceRecorder::childStarted(const Vtx_String& path, const KsVarCells& passed) {
    KsTracedEquation* equation = openEquation();
    if (!equation)
        return;
    equation->hasChild = true;
    equation->child.path = path;
    for (int i = 0; i < passed.length(); ++i)
        equation->child.in.push_back({passed[i].name, {}, traceValue(passed[i])});
}

void KsTraceRecorder::childFinished(const KsVarCells& returned, bool ok) {
    KsTracedEquation* equation = openEquation();
    if (!equation || !equation->hasChild)
        return;
    KsTracedChild& child = equation->child;
    child.ok = ok;
    // The child pairs its inputs and outputs with the passed variables by
    // position, its locals skipped.
    std::vector<const KsTracedVariable*> parameters;
    if (!child.sheets.empty())
        for (const KsTracedVariable& v : child.sheets.front().variables)
            if (v.section != "Local")
                parameters.push_back(&v);
    for (std::size_t i = 0; i < child.in.size(); ++i) {
        const KsTracedVariable* parameter = i < parameters.size() ? parameters[i] : nullptr;
        if (parameter)
            child.in[i].child = parameter->name;
        if (!ok || !parameter || parameter->section != "Output")
            continue;
        const int index = static_cast<int>(i);
        const Vtx_String value =
            index < returned.length() ? traceValue(returned[index]) : parameter->value;
        child.out.push_back({child.in[i].caller, parameter->name, value});
    }
}

void KsTraceRecorder::failed(const Vtx_String& file, int line, const Vtx_String& message) {
    m_failures.push_back({file, line, Vtx_String(), message});
}

std::vector<const KsTracedEquation*> equationsBehind(const KsTracedSheet& sheet,
                                                     const Vtx_String& variable) {
    std::vector<Vtx_String> wanted{variable};
    std::vector<const KsTracedEquation*> behind;
    for (auto it = sheet.equations.rbegin(); it != sheet.equations.rend(); ++it) {
        const std::vector<Vtx_String> assigned = it->assigns();
        bool needed = false;
        for (const Vtx_String& name : assigned)
            needed = needed || containsName(wanted, name);
        if (!needed)
            continue;
        behind.push_back(&*it);
        // What it gave is explained by it; what it read, by earlier ones.
        std::erase_if(wanted, [&](const Vtx_String& name) { return containsName(assigned, name); });
        for (const Vtx_String& name : it->uses())
            if (!containsName(wanted, name))
                wanted.push_back(name);
    }
    std::reverse(behind.begin(), behind.end());
    return behind;
}

Vtx_String describeCall(const KsTraceCall& call) {
    Vtx_String text = call.function + "(";
    for (std::size_t i = 0; i < call.arguments.size(); ++i)
        text.append(i > 0 ? ", " : "").append(call.arguments[i]);
    text.append(")");
    if (call.ok)
        text.append(" -> ").append(call.result.isEmpty() ? Vtx_String("(no value)") : call.result);
    else
        text.append(" failed");
    return text;
}
