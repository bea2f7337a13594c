// The author's checks of the Calc section: every equation is taken apart as
// the evaluation takes it apart, its variables are replaced by their cells'
// addresses with the evaluation's own replacement, and the result is read by
// the formula engine's parser. What the parser keeps as names it does not
// know, the functions it cannot call and the data files named are reported
// or noted for the checks of other files.

#include "standards/StandardsCheckParts.h"

#include "platform/core/StringUtils.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/formula/Lexer.h"
#include "platform/sheet/formula/Parser.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "standards/EvaluationStack.h"
#include "standards/NameReplacement.h"
#include "standards/StandardsFunctions.h"

#include <set>

namespace check {

namespace {

using vtx::sheet::CellPos;
using vtx::sheet::FormulaCode;
using vtx::sheet::Op;

// General variables are named gen_...; their values replace them before
// the equations run, so they need no declaration.
bool isGeneralVariable(const Vtx_String& name) {
    return name.startsWith("gen_", false);
}

bool isSectionLabel(const Vtx_String& text) {
    for (const char* label : {"Input", "Output", "Local", "Calc"})
        if (text.equal(label, false))
            return true;
    return false;
}

Vtx_String countText(int minimum, int maximum) {
    if (minimum == maximum)
        return Vtx_String::fromInt(minimum);
    if (maximum >= vtx::sheet::kMaxArguments)
        return "at least " + Vtx_String::fromInt(minimum);
    return Vtx_String::fromInt(minimum) + " to " + Vtx_String::fromInt(maximum);
}

// Unknown names, unknown functions and argument counts of a parsed formula.
void checkProgram(const FormulaCode& code, const Vtx_String& cell, int line, FileReport& report) {
    std::set<std::string> told;
    for (const vtx::sheet::Instr& instr : code.code) {
        Vtx_String problem;
        if (instr.op == Op::Name) {
            const Vtx_String name = code.names[instr.index];
            if (!isGeneralVariable(name))
                problem =
                    "uses " + name + ", which is neither declared nor a general variable (gen_...)";
        } else if (instr.op == Op::CallName) {
            const Vtx_String name = code.names[instr.index];
            const StandardsFunctionDef* def = findStandardsFunction(name.view());
            if (!def)
                problem = "calls " + name + ", which is no function";
            else if (instr.argc < def->minArgs || instr.argc > def->maxArgs)
                problem = name + " takes " + countText(def->minArgs, def->maxArgs) +
                          " arguments, not " + Vtx_String::fromInt(instr.argc);
        } else if (instr.op == Op::Call) {
            const vtx::sheet::FunctionInfo& info = vtx::sheet::functionInfo(instr.index);
            if (instr.argc < info.minArgs || (info.maxArgs < 255 && instr.argc > info.maxArgs))
                problem = Vtx_String(info.name) + " takes " +
                          countText(info.minArgs, info.maxArgs) + " arguments, not " +
                          Vtx_String::fromInt(instr.argc);
        }
        if (!problem.isEmpty() && told.insert(problem.str()).second)
            report.add(line, problem, cell);
    }
}

// The data and size files the standards functions of an expression name as
// literal texts: FUNCTION("file", ...); numeric when TONUMBER reads the
// result of the look-up.
void noteDataUses(const Vtx_String& expression, int column, int row, SheetFacts& facts) {
    vtx::sheet::Lexer lexer(expression.view(), {column, row}, vtx::sheet::RefStyle::Default);
    std::vector<vtx::sheet::Token> tokens;
    vtx::sheet::ParseError error;
    vtx::sheet::Token token;
    while (lexer.next(token, error) && token.type != vtx::sheet::TokenType::End) {
        if (token.type == vtx::sheet::TokenType::Text)
            token.owned = std::string(token.text);
        tokens.push_back(token);
    }
    using vtx::sheet::TokenType;
    for (std::size_t i = 0; i + 2 < tokens.size(); ++i) {
        if (tokens[i].type != TokenType::Name || !tokens[i].call ||
            tokens[i + 1].type != TokenType::LeftParen || tokens[i + 2].type != TokenType::Text)
            continue;
        const Vtx_String function = Vtx_String(tokens[i].text).upper();
        const bool table = function == "GETCELL" || function == "GETPROFCELL";
        const bool sizes = function == "STDSIZEWITHTOLERANCE" ||
                           function == "STDTHICKNESSWITHTOLERANCE" ||
                           function == "STDWIDTHWITHTOLERANCE";
        if (!table && !sizes)
            continue;
        const bool numeric = table && i >= 2 && tokens[i - 1].type == TokenType::LeftParen &&
                             tokens[i - 2].type == TokenType::Name &&
                             Vtx_String(tokens[i - 2].text).equal("TONUMBER", false);
        facts.dataUses.push_back(
            {function, Vtx_String(tokens[i + 2].owned), sizes, numeric, column, row});
    }
}

void checkChildCall(const Vtx_String& expression, int column, int row, SheetFacts& facts,
                    FileReport& report) {
    const int line = facts.line(column, row);
    const Vtx_String cell = cellName(column, row);
    ChildCall call;
    if (!evaluation::splitChildCall(expression, call.file, call.variables)) {
        report.add(line,
                   "CallChild needs the child's file and at least one variable: "
                   "CallChild(\"Child.kss\",Variable,...)",
                   cell);
        return;
    }
    for (const Vtx_String& variable : call.variables)
        if (!facts.find(variable))
            report.add(line, "CallChild passes " + variable + ", which is not declared", cell);
    call.column = column;
    call.row = row;
    facts.calls.push_back(call);
}

void checkEquation(const Vtx_String& text, int column, int row, const NameReplacer& replacer,
                   SheetFacts& facts, FileReport& report) {
    const int line = facts.line(column, row);
    const Vtx_String cell = cellName(column, row);
    if (isSectionLabel(stripSymbols(text))) {
        report.add(line,
                   "the label " + stripSymbols(text) +
                       " stands below Calc: every cell below Calc is read as an equation",
                   cell);
        return;
    }
    const int equals = text.find('=');
    const Vtx_String name = equals < 0 ? Vtx_String() : stripSymbols(text.left(equals));
    Vtx_String expression = equals < 0 ? text : text.mid(equals + 1);
    if (expression.hasSubString("CallChild")) {
        checkChildCall(expression, column, row, facts, report);
        return;
    }
    if (equals < 0) {
        report.add(line,
                   "'" + text + "' is no equation (Variable=formula); it fails when evaluated",
                   cell);
        return;
    }
    if (name.isEmpty())
        report.add(line, "the equation has no variable before its '='", cell);
    else if (!facts.find(name))
        report.add(line, "assigns " + name + ", which is not declared", cell);
    else
        facts.assigned.insert(name.lower().str());

    replacer.apply(expression);
    FormulaCode code;
    vtx::sheet::ParseError error;
    const vtx::sheet::CustomNameTest isStandardsFunction = [](std::string_view upper) {
        return findStandardsFunction(upper) != nullptr;
    };
    if (!vtx::sheet::parseFormula(expression.view(), {column, row}, vtx::sheet::RefStyle::Default,
                                  isStandardsFunction, code, error)) {
        report.add(line,
                   "the formula does not read (" + Vtx_String(error.message()) + "): " + expression,
                   cell);
        return;
    }
    checkProgram(code, cell, line, report);
    noteDataUses(expression, column, row, facts);
}

} // namespace

void checkEquations(const vtx::sheet::SheetModel& sheet, int firstRow, SheetFacts& facts,
                    FileReport& report) {
    // Names are replaced by addresses as the evaluation does, where a name
    // declared twice stands for its first declaration.
    Vtx_StringArray names;
    Vtx_StringArray addresses;
    for (const Declaration& declaration : facts.variables) {
        if (names.contains(declaration.name, false))
            continue;
        names.append(declaration.name);
        addresses.append(cellName(declaration.column, declaration.row));
    }
    const NameReplacer replacer(names, addresses);
    for (const CellPos& p : sheet.usedCells({1, firstRow, sheet.maxCols(), sheet.maxRows()})) {
        std::string text;
        sheet.getText(p.col, p.row, vtx::sheet::TextForm::Value, text);
        if (!text.empty())
            checkEquation(Vtx_String(text), p.col, p.row, replacer, facts, report);
    }
}

} // namespace check
