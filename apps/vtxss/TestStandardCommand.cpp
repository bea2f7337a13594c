// vtxss test-standard: runs the regression cases kept beside a standards
// spreadsheet (NAME.cases) through the real evaluation and prints the
// expected and actual outputs of every case.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "standards/StandardCases.h"
#include "standards/StandardsCheck.h"

#include <algorithm>
#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Runs the regression cases of a connection standard: the file beside the standard with the "
    "extension .cases (FP-Standard.kss -> FP-Standard.cases) names cases, each with input and "
    "general-variable values and the outputs expected. Every case is evaluated as the engine "
    "evaluates the standard, with the inputs handed over directly instead of read from a macro, "
    "and a table of expected and actual outputs is printed. Numbers match when they differ by "
    "at most the tolerance (default 0.000001, or the file's 'tolerance' line); texts match when "
    "they are equal. With --all, every standard of the library that has a case file is run.";

const char* const kFooter =
    "Exit status 1 when a case fails, its evaluation fails or a case file does not read (the "
    "error names its line).";

struct TestOptions {
    std::string standard;
    bool all = false;
    bool json = false;
    bool quiet = false;
    Folders folders;
};

struct StandardRun {
    Vtx_String standard;
    Vtx_String error;
    std::vector<CaseResult> results;
    std::vector<std::vector<ModuleMessage>> messages; ///< per case
};

StandardRun runStandard(const Vtx_String& standard, ModuleMessages& messages) {
    StandardRun run;
    run.standard = standard;
    CaseFile cases;
    if (!readCaseFile(caseFilePath(standard), cases, run.error))
        return run;
    // One case at a time, so that what the engine reports stays with it.
    for (const StandardCase& one : cases.cases) {
        CaseFile single{cases.path, {one}};
        std::vector<CaseResult> results;
        messages.take();
        if (!runCases(standard, single, results, run.error))
            return run;
        run.results.push_back(results.front());
        run.messages.push_back(messages.take());
    }
    return run;
}

void printText(const StandardRun& run, bool quiet) {
    std::cout << shownInLibrary(caseFilePath(run.standard)) << "\n";
    for (std::size_t i = 0; i < run.results.size(); ++i) {
        const CaseResult& result = run.results[i];
        if (quiet && result.passed())
            continue;
        std::cout << "  case " << shown(result.name) << ": "
                  << (result.passed()    ? "pass"
                      : result.evaluated ? "FAIL"
                                         : "FAIL (the evaluation failed)")
                  << "\n";
        std::size_t width = 8;
        std::size_t expectedWidth = 8;
        for (const CaseValue& value : result.values) {
            width = std::max(width, shown(value.name).size());
            expectedWidth = std::max(expectedWidth, shown(value.expected).size());
        }
        std::cout << "    " << padded("Output", width) << "  " << padded("Expected", expectedWidth)
                  << "  Actual\n";
        for (const CaseValue& value : result.values) {
            std::string line = "    " + padded(shown(value.name), width) + "  " +
                               padded(shown(value.expected), expectedWidth) + "  " +
                               padded(result.evaluated ? shown(value.actual) : "-", 10) +
                               (value.matches ? "" : "  <- differs");
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
            std::cout << line << "\n";
        }
        for (const ModuleMessage& message : run.messages[i])
            std::cout << "    ! " << message.oneLine() << "\n";
    }
}

Json runJson(const StandardRun& run) {
    Json standard = {{"standard", shownInLibrary(run.standard)},
                     {"cases", shownInLibrary(caseFilePath(run.standard))},
                     {"error", run.error.isEmpty() ? Json(nullptr) : Json(shown(run.error))},
                     {"results", Json::array()}};
    for (std::size_t i = 0; i < run.results.size(); ++i) {
        const CaseResult& result = run.results[i];
        Json values = Json::array();
        for (const CaseValue& value : result.values)
            values.push_back({{"name", shown(value.name)},
                              {"expected", shown(value.expected)},
                              {"actual", result.evaluated ? Json(shown(value.actual)) : Json()},
                              {"matches", value.matches}});
        Json messages = Json::array();
        for (const ModuleMessage& message : run.messages[i])
            messages.push_back(message.oneLine());
        standard["results"].push_back({{"case", shown(result.name)},
                                       {"line", result.line},
                                       {"passed", result.passed()},
                                       {"evaluated", result.evaluated},
                                       {"values", values},
                                       {"messages", messages}});
    }
    return standard;
}

int runTestStandard(const TestOptions& options, ModuleMessages& messages) {
    if (options.all == !options.standard.empty())
        misuse("give one standard (.kss) or --all");
    setUpFolders(options.folders);
    std::vector<Vtx_String> standards;
    if (options.all) {
        for (const Vtx_String& standard : libraryStandards())
            if (fileExists(caseFilePath(standard)))
                standards.push_back(standard);
        if (standards.empty())
            fail("no standard of " + shown(gSettings.libDir) + " has a .cases file");
    } else {
        const Vtx_String standard = libraryFile(options.standard, "the standard");
        if (!fileExists(standard))
            fail("the standard " + shown(standard) + " does not exist");
        if (!fileExists(caseFilePath(standard)))
            fail("the standard " + shown(standard) + " has no case file " +
                 shown(caseFilePath(standard)));
        standards.push_back(standard);
    }

    // Equations that fail are reported, so that a failing case says why.
    const bool diagnostics = gSettings.current.standardsDiagnostics;
    gSettings.current.standardsDiagnostics = true;
    std::vector<StandardRun> runs;
    for (const Vtx_String& standard : standards)
        runs.push_back(runStandard(standard, messages));
    gSettings.current.standardsDiagnostics = diagnostics;

    int passed = 0;
    int failed = 0;
    int errors = 0;
    for (const StandardRun& run : runs) {
        errors += run.error.isEmpty() ? 0 : 1;
        for (const CaseResult& result : run.results)
            (result.passed() ? passed : failed) += 1;
    }
    if (!options.all && errors > 0)
        fail(shownInLibrary(runs.front().error));
    if (options.json) {
        Json report = {{"passed", passed}, {"failed", failed}, {"standards", Json::array()}};
        for (const StandardRun& run : runs)
            report["standards"].push_back(runJson(run));
        printJson(report);
    } else {
        for (const StandardRun& run : runs) {
            if (!run.error.isEmpty())
                std::cerr << "vtxss test-standard: " << shownInLibrary(run.error) << "\n";
            else
                printText(run, options.quiet);
        }
        std::cout << passed << (passed == 1 ? " case" : " cases") << " passed, " << failed
                  << " failed";
        if (errors > 0)
            std::cout << ", " << errors << (errors == 1 ? " case file" : " case files")
                      << " did not read";
        std::cout << ".\n";
    }
    return failed == 0 && errors == 0 ? kExitOk : kExitFailure;
}

} // namespace

Command addTestStandardCommand(CLI::App& top) {
    auto options = std::make_shared<TestOptions>();
    CLI::App* app = addCommand(top, "test-standard", "run the regression cases of standards",
                               kDescription, kFooter);
    app->add_option("STANDARD", options->standard, "the standards spreadsheet (.kss) to test")
        ->type_name("");
    addSwitch(*app, "--all", options->all, "test every standard of the library with a case file");
    addSwitch(*app, "--json", options->json, "print one JSON document instead of the tables");
    addSwitch(*app, "-q,--quiet", options->quiet, "show only the cases that fail");
    addFolderOptions(*app, options->folders);
    return {app,
            [options](ModuleMessages& messages) { return runTestStandard(*options, messages); }};
}

} // namespace cli
