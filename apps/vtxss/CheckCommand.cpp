// vtxss check: the author's checks of the connection standards of a
// library, or of one standard, printed one problem a line. Nothing is
// written.

#include "Cli.h"
#include "Commands.h"
#include "Drawing.h"
#include "Options.h"
#include "Output.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "standards/StandardsCheck.h"

#include <cstdlib>
#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Checks the connection standards of the library (every .kss under 'Connection Standards/') "
    "or one standard, with the child spreadsheets, data and size files and mapping files they "
    "use, for the mistakes an author can make: section labels missing or twice, variables "
    "declared twice or with an unknown type, equations that do not read, names used but never "
    "declared, outputs never assigned, child calls to missing files or in a cycle, data files "
    "with duplicate keys or values that are no number, size files out of order, and mapping "
    "files whose variables the standard does not declare or whose keys and objects no macro of "
    "the drawing has. Each problem is one line: file:line: cell: what. Nothing is written.";

const char* const kFooter =
    "Exit status 1 when a problem is found. Without --drawing, the library's "
    "Drawings/sample.vtxd is used when the default library is checked; otherwise mapping files "
    "are checked without a drawing.";

struct CheckOptions {
    std::string standard;
    std::string drawing;
    Folders folders;
    bool json = false;
};

bool defaultLibrary(const Folders& folders) {
    const char* fromEnv = std::getenv("VTX_LIBRARY");
    return folders.lib.empty() && !(fromEnv && *fromEnv);
}

int runCheck(const CheckOptions& options) {
    setUpFolders(options.folders);
    std::vector<Vtx_String> standards;
    if (!options.standard.empty()) {
        const Vtx_String path = libraryFile(options.standard, "the standard");
        if (!fileExists(path))
            fail("the standard " + shown(path) + " does not exist");
        standards.push_back(path);
    } else {
        standards = libraryStandards();
    }

    Vtx_Database drawing;
    StandardsCheckOptions checkOptions;
    Vtx_String drawingFile;
    if (!options.drawing.empty())
        drawingFile = libraryFile(options.drawing, "--drawing");
    else if (defaultLibrary(options.folders) &&
             fileExists(gSettings.libDir + "Drawings\\sample.vtxd"))
        drawingFile = gSettings.libDir + "Drawings\\sample.vtxd";
    if (!drawingFile.isEmpty()) {
        readDrawing(drawingFile, drawing);
        checkOptions.drawing = &drawing;
        checkOptions.drawingName = drawingFile;
    }

    const std::vector<CheckProblem> problems = checkStandards(standards, checkOptions);
    if (options.json) {
        Json report = {
            {"library", shown(gSettings.libDir)},
            {"drawing", drawingFile.isEmpty() ? Json(nullptr) : Json(shownInLibrary(drawingFile))},
            {"standards", Json::array()},
            {"problems", Json::array()}};
        for (const Vtx_String& standard : standards)
            report["standards"].push_back(shownInLibrary(standard));
        for (const CheckProblem& problem : problems)
            report["problems"].push_back({{"file", shownInLibrary(problem.file)},
                                          {"line", problem.line},
                                          {"cell", shown(problem.cell)},
                                          {"message", shownInLibrary(problem.message)}});
        printJson(report);
    } else {
        for (const CheckProblem& problem : problems)
            std::cout << shownInLibrary(problem.text()) << "\n";
        std::cout << (problems.empty() ? "No problems"
                                       : std::to_string(problems.size()) +
                                             (problems.size() == 1 ? " problem" : " problems"))
                  << " in " << standards.size()
                  << (standards.size() == 1 ? " standard" : " standards") << " of "
                  << shown(gSettings.libDir)
                  << (drawingFile.isEmpty() ? std::string()
                                            : ", mappings against " + shownInLibrary(drawingFile))
                  << ".\n";
    }
    return problems.empty() ? kExitOk : kExitFailure;
}

} // namespace

Command addCheckCommand(CLI::App& top) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* app = addCommand(top, "check", "check connection standards for authoring mistakes",
                               kDescription, kFooter);
    app->add_option("STANDARD", options->standard,
                    "one standards spreadsheet (.kss) to check (default: the whole library)")
        ->type_name("");
    addValueOption(*app, "--drawing", options->drawing, "FILE",
                   "drawing whose macros the mapping files are checked against");
    addSwitch(*app, "--json", options->json, "print one JSON document instead of the lines");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages&) { return runCheck(*options); }};
}

} // namespace cli
