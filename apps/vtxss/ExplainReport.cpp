// The report of vtxss explain: for each standard its outputs, then the
// equations behind them with their calls and child calls, and the first
// failure; as text or as one JSON document.

#include "Cli.h"
#include "Explain.h"

#include "platform/core/StringUtils.h"

#include <algorithm>
#include <iostream>

namespace cli {

namespace {

std::string cellName(const KsTracedEquation& equation) {
    return shown(getAlfabet(equation.column - 1)) + std::to_string(equation.row);
}

// The equations to show: all of them, or those behind the one output.
std::vector<const KsTracedEquation*> shownEquations(const KsTracedSheet& sheet,
                                                    const std::string& output) {
    if (!output.empty())
        return equationsBehind(sheet, moduleText(output, "--output"));
    std::vector<const KsTracedEquation*> all;
    for (const KsTracedEquation& equation : sheet.equations)
        all.push_back(&equation);
    return all;
}

// The last equation that gave the variable its value, or null.
const KsTracedEquation* setBy(const KsTracedSheet& sheet, const Vtx_String& name) {
    const std::vector<const KsTracedEquation*> behind = equationsBehind(sheet, name);
    return behind.empty() ? nullptr : behind.back();
}

// "A14, line 32": the cell and the line of the file that holds it.
std::string place(const KsTracedEquation& equation) {
    return cellName(equation) +
           (equation.line > 0 ? ", line " + std::to_string(equation.line) : std::string());
}

std::string snapText(const KsTraceSnap& snap) {
    const std::string value = shown(traceNumber(snap.value));
    const std::string window =
        "[" + shown(traceNumber(snap.low)) + ", " + shown(traceNumber(snap.high)) + "]";
    if (snap.listed)
        return snap.kind.str() + " " + value + " within " + window + " snapped to " +
               shown(traceNumber(snap.result)) + ": " + shownInLibrary(snap.file) + " line " +
               std::to_string(snap.line);
    const std::string file = snap.file.isEmpty()
                                 ? "no size file found"
                                 : "no size of " + shownInLibrary(snap.file) + " fits (" +
                                       std::to_string(snap.candidates) + " read)";
    return snap.kind.str() + " " + value + " within " + window + ": " + file +
           "; rounded with step " + shown(traceNumber(snap.step)) + " to " +
           shown(traceNumber(snap.result));
}

std::string passes(const std::vector<KsTracedPass>& list, bool in) {
    std::string text;
    for (const KsTracedPass& pass : list) {
        text += text.empty() ? "" : ", ";
        const std::string child = pass.child.isEmpty() ? "?" : shown(pass.child);
        text += in ? child + " = " + shown(pass.value) + " (from " + shown(pass.caller) + ")"
                   : child + " = " + shown(pass.value) + " (to " + shown(pass.caller) + ")";
    }
    return text.empty() ? "-" : text;
}

void printEquation(std::ostream& out, const KsTracedEquation& equation, const std::string& indent);

void printRow(std::ostream& out, const std::string& indent, const std::string& label,
              const std::string& text) {
    out << indent << "  " << padded(label, 10) << text << "\n";
}

void printEquation(std::ostream& out, const KsTracedEquation& equation, const std::string& indent) {
    std::string head = place(equation) + "  ";
    if (equation.hasChild) {
        head += "CallChild";
        for (const KsTracedPass& pass : equation.child.out)
            head += (&pass == &equation.child.out.front() ? " -> " : ", ") + shown(pass.caller) +
                    " = " + shown(pass.value);
    } else {
        head += shown(equation.name.isEmpty() ? Vtx_String("(no variable)") : equation.name);
        if (equation.ok)
            head += " = " + shown(equation.value);
    }
    if (!equation.ok)
        head += "  FAILED: " + shown(equation.reason);
    out << indent << head << "\n";
    if (!equation.written.isEmpty())
        printRow(out, indent, "written", shown(equation.written));
    if (equation.text != equation.written)
        printRow(out, indent, "general", shown(equation.text));
    if (!equation.formula.isEmpty())
        printRow(out, indent, "formula", shown(equation.formula));
    if (!equation.operands.empty()) {
        std::string text;
        for (const KsTraceOperand& operand : equation.operands)
            text += (text.empty() ? "" : ", ") + shown(operand.name) + " = " +
                    shown(operand.value) + " (" + shown(operand.cell) + ")";
        printRow(out, indent, "operands", text);
    }
    for (const KsTraceCall& call : equation.calls) {
        printRow(out, indent, "call", shown(describeCall(call)));
        if (call.hasRow && call.row.line > 0)
            printRow(out, indent, "",
                     shownInLibrary(call.row.file) + " line " + std::to_string(call.row.line) +
                         ", key " + shown(call.row.key));
        if (call.hasSnap)
            printRow(out, indent, "", snapText(call.snap));
        if (!call.ok && !call.detail.isEmpty())
            printRow(out, indent, "", shownInLibrary(call.detail));
    }
    if (equation.hasChild) {
        const KsTracedChild& child = equation.child;
        printRow(out, indent, "child", shownInLibrary(child.path));
        printRow(out, indent, "in", passes(child.in, true));
        for (const KsTracedSheet& sheet : child.sheets)
            for (const KsTracedEquation& inner : sheet.equations)
                printEquation(out, inner, indent + "  | ");
        printRow(out, indent, "out", child.ok ? passes(child.out, false) : "- (the child failed)");
    }
}

void printOne(std::ostream& out, const Explanation& explanation, const std::string& output) {
    out << (explanation.macro.empty() ? "" : explanation.macro + ": ") << explanation.standard
        << (explanation.key.empty() ? "" : "  (key " + explanation.key + ")") << "\n";
    const KsTracedSheet* sheet = explanation.sheet();
    if (sheet) {
        std::size_t width = 8;
        for (const KsTracedVariable& v : sheet->variables)
            width = std::max(width, shown(v.name).size() + 2);
        out << "  " << padded("Output", width) << padded("Value", 12) << "Set by\n";
        for (const KsTracedVariable& v : sheet->variables) {
            if (v.section != "Output" ||
                (!output.empty() && !v.name.equal(moduleText(output, "--output"), false)))
                continue;
            const KsTracedEquation* equation = setBy(*sheet, v.name);
            out << "  " << padded(shown(v.name), width) << padded(shown(v.value), 12)
                << (equation ? place(*equation) : "-") << "\n";
        }
        for (const KsTracedEquation* equation : shownEquations(*sheet, output)) {
            out << "\n";
            printEquation(out, *equation, "  ");
        }
    }
    for (const ModuleMessage& message : explanation.messages)
        out << "  ! " << message.oneLine() << "\n";
    if (const KsTraceFailure* failure = explanation.trace->firstFailure())
        out << "\nfirst failure: " << shownInLibrary(failure->file)
            << (failure->line > 0 ? " line " + std::to_string(failure->line) : "")
            << (failure->cell.isEmpty() ? "" : ", cell " + shown(failure->cell)) << ": "
            << shownInLibrary(failure->message) << "\n";
    else if (!explanation.ok)
        out << "\nfailed: " << explanation.error << "\n";
}

Json callJson(const KsTraceCall& call) {
    Json arguments = Json::array();
    for (const Vtx_String& argument : call.arguments)
        arguments.push_back(shown(argument));
    Json json = {{"function", shown(call.function)},
                 {"arguments", arguments},
                 {"result", call.ok ? Json(shown(call.result)) : Json()},
                 {"ok", call.ok}};
    if (!call.detail.isEmpty())
        json["detail"] = shownInLibrary(call.detail);
    if (call.hasRow)
        json["data"] = {{"file", shownInLibrary(call.row.file)},
                        {"line", call.row.line > 0 ? Json(call.row.line) : Json()},
                        {"key", shown(call.row.key)}};
    if (call.hasSnap) {
        const KsTraceSnap& snap = call.snap;
        json["snap"] = {{"file", snap.file.isEmpty() ? Json() : Json(shownInLibrary(snap.file))},
                        {"kind", shown(snap.kind)},
                        {"from", snap.value},
                        {"to", snap.result},
                        {"window", {snap.low, snap.high}},
                        {"step", snap.step},
                        {"listed", snap.listed},
                        {"line", snap.listed ? Json(snap.line) : Json()},
                        {"sizes", snap.candidates}};
    }
    return json;
}

Json passesJson(const std::vector<KsTracedPass>& list, const char* callerKey) {
    Json json = Json::array();
    for (const KsTracedPass& pass : list)
        json.push_back({{"name", shown(pass.child)},
                        {callerKey, shown(pass.caller)},
                        {"value", shown(pass.value)}});
    return json;
}

Json equationJson(const KsTracedEquation& equation) {
    Json operands = Json::array();
    for (const KsTraceOperand& operand : equation.operands)
        operands.push_back({{"name", shown(operand.name)},
                            {"cell", shown(operand.cell)},
                            {"value", shown(operand.value)}});
    Json calls = Json::array();
    for (const KsTraceCall& call : equation.calls)
        calls.push_back(callJson(call));
    Json json = {
        {"file", shownInLibrary(equation.file)},
        {"line", equation.row},
        {"cell", cellName(equation)},
        {"variable", equation.name.isEmpty() ? Json() : Json(shown(equation.name))},
        {"written", shown(equation.written)},
        {"evaluated", shown(equation.text)},
        {"formula", equation.formula.isEmpty() ? Json() : Json(shown(equation.formula))},
        {"operands", operands},
        {"calls", calls},
        {"ok", equation.ok},
        {"value", equation.ok && !equation.hasChild ? Json(shown(equation.value)) : Json()},
        {"reason", equation.ok ? Json() : Json(shownInLibrary(equation.reason))}};
    if (equation.hasChild) {
        Json inner = Json::array();
        for (const KsTracedSheet& sheet : equation.child.sheets)
            for (const KsTracedEquation& e : sheet.equations)
                inner.push_back(equationJson(e));
        json["child"] = {{"file", shownInLibrary(equation.child.path)},
                         {"in", passesJson(equation.child.in, "from")},
                         {"out", passesJson(equation.child.out, "to")},
                         {"ok", equation.child.ok},
                         {"equations", inner}};
    }
    return json;
}

Json explanationJson(const Explanation& explanation, const std::string& output) {
    Json outputs = Json::array();
    Json equations = Json::array();
    if (const KsTracedSheet* sheet = explanation.sheet()) {
        for (const KsTracedVariable& v : sheet->variables) {
            if (v.section != "Output" ||
                (!output.empty() && !v.name.equal(moduleText(output, "--output"), false)))
                continue;
            const KsTracedEquation* equation = setBy(*sheet, v.name);
            outputs.push_back({{"name", shown(v.name)},
                               {"value", shown(v.value)},
                               {"cell", equation ? Json(cellName(*equation)) : Json()}});
        }
        for (const KsTracedEquation* equation : shownEquations(*sheet, output))
            equations.push_back(equationJson(*equation));
    }
    Json messages = Json::array();
    for (const ModuleMessage& message : explanation.messages)
        messages.push_back(message.oneLine());
    Json failure;
    if (const KsTraceFailure* first = explanation.trace->firstFailure())
        failure = {{"file", shownInLibrary(first->file)},
                   {"line", first->line > 0 ? Json(first->line) : Json()},
                   {"cell", first->cell.isEmpty() ? Json() : Json(shown(first->cell))},
                   {"message", shownInLibrary(first->message)}};
    return {{"macro", explanation.macro.empty() ? Json() : Json(explanation.macro)},
            {"standard", explanation.standard},
            {"key", explanation.key.empty() ? Json() : Json(explanation.key)},
            {"ok", !explanation.failed()},
            {"error", explanation.error.empty() ? Json() : Json(explanation.error)},
            {"outputs", outputs},
            {"equations", equations},
            {"failure", failure},
            {"messages", messages}};
}

} // namespace

const KsTracedSheet* Explanation::sheet() const {
    return trace->sheets().empty() ? nullptr : &trace->sheets().front();
}

void printExplainText(std::ostream& out, const std::vector<Explanation>& explanations,
                      const std::string& output) {
    for (std::size_t i = 0; i < explanations.size(); ++i) {
        if (i > 0)
            out << "\n";
        printOne(out, explanations[i], output);
    }
}

void printExplainJson(const std::vector<Explanation>& explanations, const std::string& output) {
    Json standards = Json::array();
    for (const Explanation& explanation : explanations)
        standards.push_back(explanationJson(explanation, output));
    printJson({{"standards", standards}});
}

} // namespace cli
