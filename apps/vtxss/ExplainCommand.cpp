// vtxss explain: evaluates connection standards with a trace and prints how
// each output got its value.

#include "Apply.h"
#include "Cli.h"
#include "Commands.h"
#include "Drawing.h"
#include "Explain.h"
#include "Options.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "standards/StandardCases.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Evaluates the connection standards of a macro as apply does, but writes nothing, and "
    "prints the trace of how each output got its value: every equation as written and as "
    "rewritten into a cell formula, the values of the variables it reads, every standards "
    "function it called with its arguments and result (the data-file line a look-up matched, "
    "the size a value snapped to and from what), each child spreadsheet called with the values "
    "passed in and returned, and the first failure with its file and line.\n\nWith --sheet, a "
    "standards spreadsheet is evaluated on the inputs and general variables given with --input "
    "and --general instead, as test-standard evaluates a case.";

const char* const kFooter =
    "Exit status 1 when the evaluation or one of its equations failed (the report is printed "
    "all the same).";

struct ExplainOptions {
    MacroOptions macro;
    Folders folders;
    std::string sheet;
    std::vector<std::string> inputs;
    std::vector<std::string> generals;
    std::string output;
    bool json = false;
};

void checkOptions(const ExplainOptions& options) {
    checkStandardAndKey(options.macro);
    const MacroOptions& m = options.macro;
    if (!options.sheet.empty() &&
        (!m.drawing.empty() || !m.macro.empty() || !m.standard.empty() || !m.key.empty()))
        misuse("--sheet excludes --drawing, --macro, --standard and --key");
    if (options.sheet.empty() && (!options.inputs.empty() || !options.generals.empty()))
        misuse("--input and --general go with --sheet");
}

// "NAME=VALUE" of --input or --general as a case entry.
CaseEntry entryOf(const std::string& text, const std::string& option) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        misuse(option + " takes NAME=VALUE, not '" + text + "'");
    return {moduleText(text.substr(0, equals), option), moduleText(text.substr(equals + 1), option),
            0};
}

Explanation explainSheet(const ExplainOptions& options, ModuleMessages& messages) {
    const Vtx_String path = libraryFile(options.sheet, "the sheet");
    if (!fileExists(path))
        fail("the sheet " + shown(path) + " does not exist");
    StandardCase one;
    one.name = "command line";
    for (const std::string& input : options.inputs)
        one.inputs.push_back(entryOf(input, "--input"));
    for (const std::string& general : options.generals)
        one.generals.push_back(entryOf(general, "--general"));
    const CaseFile cases{path, {one}};

    Explanation explanation;
    explanation.standard = shownInLibrary(path);
    std::vector<CaseResult> results;
    Vtx_String error;
    messages.take();
    bool read = false;
    {
        KsTraceScope scope(*explanation.trace);
        read = runCases(path, cases, results, error);
    }
    if (!read)
        fail(shownInLibrary(error));
    explanation.messages = messages.take();
    explanation.ok = !results.empty() && results.front().evaluated;
    if (!explanation.ok)
        explanation.error = "the evaluation failed";
    return explanation;
}

std::vector<Explanation> explainMacro(const ExplainOptions& options, ModuleMessages& messages) {
    const Vtx_String drawing = drawingPath(options.macro);
    Vtx_Database db;
    Vtx_Database original;
    readDrawing(drawing, db);
    readDrawing(drawing, original);
    std::vector<Explanation> explanations;
    for (const ApplyJob& job : applyJobs(db, options.macro, false, drawing)) {
        Explanation explanation;
        ApplyOutcome outcome;
        {
            KsTraceScope scope(*explanation.trace);
            outcome = runApplyJob(db, original, job, 1, messages, [] {});
        }
        explanation.macro = outcome.macro;
        const KsTracedSheet* sheet = explanation.sheet();
        explanation.standard = shownInLibrary(sheet ? sheet->path : job.standard.spreadsheet);
        explanation.key = outcome.key;
        explanation.ok = outcome.ok;
        explanation.error = outcome.error;
        explanation.messages = outcome.messages;
        explanations.push_back(std::move(explanation));
    }
    return explanations;
}

// The one output asked for must be an output of every standard explained.
void checkOutput(const std::vector<Explanation>& explanations, const std::string& output) {
    if (output.empty())
        return;
    const Vtx_String name = moduleText(output, "--output");
    for (const Explanation& explanation : explanations) {
        const KsTracedSheet* sheet = explanation.sheet();
        if (!sheet)
            continue;
        const KsTracedVariable* variable = sheet->variable(name);
        if (variable && variable->section == "Output")
            continue;
        std::string outputs;
        for (const KsTracedVariable& v : sheet->variables)
            if (v.section == "Output")
                outputs += (outputs.empty() ? "" : ", ") + shown(v.name);
        fail(output + " is not an output of " + explanation.standard + " (its outputs: " + outputs +
             ")");
    }
}

int runExplain(const ExplainOptions& options, ModuleMessages& messages) {
    checkOptions(options);
    setUpFolders(options.folders);
    std::vector<Explanation> explanations;
    if (options.sheet.empty())
        explanations = explainMacro(options, messages);
    else
        explanations.push_back(explainSheet(options, messages));
    checkOutput(explanations, options.output);
    if (options.json)
        printExplainJson(explanations, options.output);
    else
        printExplainText(std::cout, explanations, options.output);
    for (const Explanation& explanation : explanations)
        if (explanation.failed())
            return kExitFailure;
    return kExitOk;
}

// An option that may be given many times, one NAME=VALUE each.
void addPairsOption(CLI::App& app, const std::string& name, std::vector<std::string>& target,
                    const std::string& description) {
    app.add_option(name, target, description)
        ->type_name("NAME=VALUE")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

} // namespace

Command addExplainCommand(CLI::App& top) {
    auto options = std::make_shared<ExplainOptions>();
    CLI::App* app = addCommand(top, "explain", "show how each output of a standard got its value",
                               kDescription, kFooter);
    addMacroOptions(*app, options->macro,
                    "the macro whose standards to explain (default: the "
                    "first)");
    addValueOption(*app, "--sheet", options->sheet, "FILE.kss",
                   "evaluate this standards spreadsheet on --input values instead of a macro");
    addPairsOption(*app, "--input", options->inputs, "an input of --sheet (repeatable)");
    addPairsOption(*app, "--general", options->generals,
                   "a general variable for --sheet (repeatable)");
    addValueOption(*app, "--output", options->output, "NAME",
                   "explain this output only: the equations its value came from");
    addSwitch(*app, "--json", options->json, "print the trace as one JSON document");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages& messages) { return runExplain(*options, messages); }};
}

} // namespace cli
