// vtxss apply: applies connection standards to macros of a drawing and
// writes the drawing back.

#include "Apply.h"
#include "Cli.h"
#include "Commands.h"
#include "Drawing.h"
#include "Options.h"
#include "Progress.h"

#include "platform/core/Settings.h"
#include "standards/StandardsTimers.h"

#include <chrono>
#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Applies connection standards to macros: the inputs of each standards spreadsheet are read "
    "from the macro, its equations evaluated and its outputs written back; then the drawing is "
    "written (whole to a temporary file, then renamed). Prints every variable with its section, "
    "type, value before and value after as read back from the macro (changed values marked *), "
    "each flex/fix button that a written value fixed, and what the engine reported. An output "
    "the macro already holds is not written, so the drawing changes only where the table shows "
    "it.\n\nA standard fails when its mapping key is not in the mapping file (or names a module "
    "group the macro does not have), when an input cannot be read from the macro or an output "
    "cannot be written to it, or when the evaluation fails; the drawing is then not written.";

const char* const kFooter =
    "With --out - the drawing goes to stdout and the report to stderr. A progress line appears "
    "on stderr (when it is a terminal) for work longer than a second; --quiet hides it.";

struct ApplyOptions {
    MacroOptions macro;
    Folders folders;
    bool all = false;
    bool dryRun = false;
    std::string out;
    bool diagnostics = false;
    bool quiet = false;
    int repeat = 1;
    bool timers = false;
    bool json = false;
    CLI::Option* outOption = nullptr;
};

void checkOptions(const ApplyOptions& options) {
    checkStandardAndKey(options.macro);
    if (options.all && !options.macro.macro.empty())
        misuse("--all and --macro exclude each other");
    if (options.dryRun && given(options.outOption))
        misuse("--dry-run writes nothing; leave out --out");
    if (options.json && isStdout(options.out))
        misuse("--json and --out - would both write to stdout");
}

// One line for the failed standards.
std::string failureText(const ApplyRun& run) {
    std::size_t failed = 0;
    const ApplyOutcome* first = nullptr;
    for (const ApplyOutcome& outcome : run.outcomes)
        if (!outcome.ok) {
            ++failed;
            first = first ? first : &outcome;
        }
    std::string text =
        "applying " + first->standard + " to " + first->macro + " failed: " + first->error;
    if (run.outcomes.size() > 1)
        text = std::to_string(failed) + " of " + std::to_string(run.outcomes.size()) +
               " standard(s) failed; first: " + text;
    return run.dryRun ? text : text + "; the drawing was not written";
}

int runApply(const ApplyOptions& options, ModuleMessages& messages) {
    checkOptions(options);
    setUpFolders(options.folders);
    gSettings.current.standardsDiagnostics = options.diagnostics;

    const Vtx_String drawing = drawingPath(options.macro);
    const Vtx_String target = options.out.empty() ? drawing : targetFile(options.out);
    ApplyRun run;
    run.drawing = shown(drawing);
    run.dryRun = options.dryRun;
    run.timers = options.timers;
    Vtx_Database db;
    Vtx_Database original;
    readDrawing(drawing, db);
    readDrawing(drawing, original);
    const std::vector<ApplyJob> jobs = applyJobs(db, options.macro, options.all, drawing);

    resetStandardsTimers();
    Progress progress("apply", "evaluations", static_cast<long long>(jobs.size()) * options.repeat,
                      Progress::wanted(options.quiet));
    const auto start = std::chrono::steady_clock::now();
    for (const ApplyJob& job : jobs)
        run.outcomes.push_back(runApplyJob(db, original, job, options.repeat, messages,
                                           [&] { progress.update(++run.evaluations); }));
    progress.finish();
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    bool allApplied = true;
    for (const ApplyOutcome& outcome : run.outcomes)
        allApplied = allApplied && outcome.ok;
    const bool toStdout = isStdout(target.str());
    if (allApplied && !options.dryRun) {
        writeTarget(
            target, "vtxd", false,
            [&](const Vtx_String& path) {
                Vtx_String reason;
                if (writeDrawingFile(path, db, reason) != eOk)
                    fail(shown(reason));
            },
            drawing);
        run.written = toStdout ? target.str() : shown(target);
    }
    if (options.json)
        printApplyJson(run);
    else
        printApplyText(reportStream(target.str()), run, options.quiet || toStdout);
    if (!allApplied)
        fail(failureText(run));
    return kExitOk;
}

} // namespace

std::vector<ApplyJob> applyJobs(Vtx_Database& db, const MacroOptions& options, bool all,
                                const Vtx_String& path) {
    std::vector<Vtx_DbMacro*> macros;
    if (all) {
        for (const auto& macro : db.macros())
            macros.push_back(macro.get());
    } else {
        macros.push_back(findMacro(db, options.macro, path));
    }
    std::vector<ApplyJob> jobs;
    for (Vtx_DbMacro* macro : macros) {
        if (!options.standard.empty()) {
            jobs.push_back(
                {macro->macro()->name(),
                 {moduleText(options.standard, "--standard"), moduleText(options.key, "--key")}});
            continue;
        }
        for (const Vtx_StandardAssignment& standard : macro->macro()->standards())
            jobs.push_back({macro->macro()->name(), standard});
    }
    if (jobs.empty())
        fail("no connection standard is assigned to the chosen macro(s); name one with "
             "--standard and --key");
    return jobs;
}

Command addApplyCommand(CLI::App& top) {
    auto options = std::make_shared<ApplyOptions>();
    CLI::App* app = addCommand(top, "apply", "apply connection standards to macros of a drawing",
                               kDescription, kFooter);
    addMacroOptions(*app, options->macro, "the macro to apply to (default: the first)");
    addSwitch(*app, "--all", options->all, "every macro of the drawing");
    addSwitch(*app, "--dry-run", options->dryRun, "show what would change; write nothing");
    options->outOption = addValueOption(*app, "-o,--out", options->out, "FILE",
                                        "write the drawing to FILE (- for stdout) instead of "
                                        "over the input");
    addSwitch(*app, "--diagnostics", options->diagnostics, "show the engine's warnings");
    addSwitch(*app, "-q,--quiet", options->quiet, "print only the summary line; no progress line");
    addNumberOption(*app, "--repeat", options->repeat, 1, 1000000,
                    "apply N times (timing of batches); the result is that of the last run");
    addSwitch(*app, "--timers", options->timers,
              "print the time spent in each stage of the evaluations (microseconds)");
    addSwitch(*app, "--json", options->json, "print the report as one JSON document");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages& messages) { return runApply(*options, messages); }};
}

} // namespace cli
