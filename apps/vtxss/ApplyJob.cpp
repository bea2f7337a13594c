// One connection standard applied to one macro of a drawing, and what the
// report says about it.

#include "Apply.h"
#include "Cli.h"
#include "Drawing.h"

#include "platform/core/MacroData.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsSSMapping.h"

#include <map>

namespace cli {

namespace {

const char* sectionName(const KsVarCell& cell) {
    return cell.isInput() ? "Input" : cell.isOutput() ? "Output" : "Local";
}

const char* typeName(int valueType) {
    switch (static_cast<KsValueType>(valueType)) {
    case KsValueType::Int:
        return "Int";
    case KsValueType::Double:
        return "Double";
    default:
        return "String";
    }
}

// Numbers as the macro shows them: without the zeros of a number cell.
std::string shownValue(const Vtx_String& value, int valueType) {
    double number = 0;
    if (static_cast<KsValueType>(valueType) != KsValueType::String && value.toDouble(number))
        return shown(Vtx_String(number, 7));
    return shown(value);
}

void fillGeneralVariables(const Vtx_Macro& macro, KsDlgStandardsData& data) {
    Vtx_StringArray names;
    macro.getGeneralVariables(names);
    for (const Vtx_String& name : names) {
        double value = 0;
        macro.generalVariableValue(name, value);
        data.genVarNames.append(name);
        data.genVarValues.append(Vtx_String(value, 0, true));
    }
}

// The value of a variable in a macro of db, read through the mapping the
// run used; false when it cannot be read.
bool macroValue(Vtx_Database& db, const ApplyJob& job, const KsVarCell& cell,
                const KsSSMapping& mapping, Vtx_String& value) {
    Vtx_DbMacro* dbMacro = db.findMacro(job.macroName);
    MacroData macroData;
    if (!dbMacro || macroData.initFromMacro(dbMacro) != eOk)
        return false;
    KsDlgStandardsData data;
    data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
    return mapping.getMacroVarValue(cell.name, static_cast<KsValueType>(cell.valueType), value,
                                    data) == eOk;
}

// The flex/fix buttons of a macro's dialog variables: "tab.variable" -> fixed.
std::map<std::string, bool> flexFixStates(const Vtx_Macro& macro) {
    std::map<std::string, bool> states;
    for (const auto& module : macro.modules())
        for (const Vtx_DialogVariable& variable : module->variables())
            if (variable.hasFlexFix)
                states[shown(module->tabName()) + "." + shown(variable.name)] = variable.fixed;
    return states;
}

std::vector<ApplyFlag> flagChanges(const std::map<std::string, bool>& before,
                                   const std::map<std::string, bool>& after) {
    std::vector<ApplyFlag> changes;
    for (const auto& [name, fixed] : after) {
        auto was = before.find(name);
        if (was != before.end() && was->second != fixed)
            changes.push_back({name, fixed});
    }
    return changes;
}

// Why an output did not reach the macro, in words.
const char* unwrittenWords(ErrorStatus status) {
    switch (status) {
    case eKeyNotFound:
        return "no such object in the macro";
    case eNotApplicable:
        return "read-only in the macro";
    case eInvalidInput:
        return "the macro refuses the value";
    default:
        return errorStatusWords(status);
    }
}

// The variables the macro did not have: inputs that could not be read and
// outputs that could not be written, as one text; empty when there is none.
std::string missingText(const ApplyOutcome& outcome, const KsVarCells& vars) {
    std::string inputs;
    for (const ApplyVariable& variable : outcome.variables)
        if (variable.section == "Input" && !variable.readable)
            inputs += (inputs.empty() ? "" : ", ") + variable.name;
    std::string outputs;
    for (const KsUnwrittenOutput& output : vars.unwrittenOutputs())
        outputs += (outputs.empty() ? "" : ", ") + shown(output.name) + " (" +
                   unwrittenWords(output.status) + ")";
    std::string text;
    if (!inputs.empty())
        text = "input(s) not read from the macro: " + inputs;
    if (!outputs.empty())
        text += (text.empty() ? "" : "; ") + std::string("output(s) not written to the macro: ") +
                outputs;
    return text;
}

std::vector<ApplyVariable> variablesOf(Vtx_Database& db, Vtx_Database& original,
                                       const ApplyJob& job, const KsVarCells& vars) {
    std::vector<ApplyVariable> variables;
    for (int i = 0; i < vars.length(); ++i) {
        const KsVarCell& cell = vars[i];
        ApplyVariable variable;
        variable.name = shown(cell.name);
        variable.section = sectionName(cell);
        variable.type = typeName(cell.valueType);
        if (cell.isLocal()) {
            variable.after = shownValue(cell.value, cell.valueType);
        } else {
            // Inputs and outputs as the macro holds them after the run: an
            // output that did not reach the macro shows its old value.
            Vtx_String before;
            Vtx_String after;
            const bool readBefore = macroValue(original, job, cell, vars.mapping(), before);
            variable.readable = macroValue(db, job, cell, vars.mapping(), after) && readBefore;
            variable.before = readBefore ? shownValue(before, cell.valueType) : "<none>";
            variable.after = variable.readable ? shownValue(after, cell.valueType) : "<none>";
            variable.changed = cell.isOutput() && variable.before != variable.after;
        }
        variables.push_back(std::move(variable));
    }
    return variables;
}

} // namespace

ApplyOutcome runApplyJob(Vtx_Database& db, Vtx_Database& original, const ApplyJob& job, int repeat,
                         ModuleMessages& messages, const std::function<void()>& progress) {
    ApplyOutcome outcome;
    outcome.macro = shown(job.macroName);
    outcome.standard = shown(job.standard.spreadsheet);
    outcome.key = shown(job.standard.mappingKey);
    Vtx_DbMacro* dbMacro = db.findMacro(job.macroName);
    MacroData macroData;
    if (!dbMacro || macroData.initFromMacro(dbMacro) != eOk) {
        outcome.error = "cannot read the macro " + outcome.macro;
        return outcome;
    }
    KsDlgStandardsData data;
    data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
    try {
        checkMappingKey(data);
    } catch (const Failure& failure) {
        outcome.error = failure.what();
        return outcome;
    }
    const std::map<std::string, bool> flagsBefore = flexFixStates(*dbMacro->macro());
    messages.take();
    for (int run = 0; run < repeat; ++run) {
        Vtx_Transaction transaction(&db);
        transaction.start();
        data = KsDlgStandardsData();
        data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
        data.transaction = &transaction;
        fillGeneralVariables(*dbMacro->macro(), data);
        if (!StartDlgStandardsSS(data)) {
            transaction.abort();
            outcome.messages = messages.take();
            outcome.error = "the evaluation failed";
            for (const ModuleMessage& message : outcome.messages)
                if (message.kind == ModuleMessage::Kind::Error) {
                    outcome.error += ": " + message.oneLine();
                    break;
                }
            return outcome;
        }
        transaction.commit();
        progress();
    }
    outcome.messages = messages.take();
    outcome.variables = variablesOf(db, original, job, data.varCells);
    outcome.flags = flagChanges(flagsBefore, flexFixStates(*dbMacro->macro()));
    outcome.error = missingText(outcome, data.varCells);
    outcome.ok = outcome.error.empty();
    return outcome;
}

} // namespace cli
