// vtxss design: the dialog designs of a library. check lists what is wrong
// with designs; render draws one as a user sees it at run time, through the
// separate program vtxss-render (vtxss itself never starts Qt).

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include "designer/ControlTypes.h"
#include "designer/DesignCheck.h"
#include "designer/DesignFiles.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace cli {

namespace {

const char* const kDescription =
    "Works on the dialog designs of the library (the .txt files below 'Dialog "
    "Templates/Dialog Design/', each with its .bmp picture). ACTION is check or render. A FILE "
    "is a design file, as given or below the library folder, or a design's name below the "
    "designer folder ('EndPlate/EndPlate').\n\n"
    "check FILE... or check --all: lists what is wrong with the designs, one problem a line, "
    "'FILE: control N (TYPE \"contents\"): what': a file that is no design, a missing or "
    "unreadable picture, a type that is no control type, a damaged position, a control without "
    "area or reaching outside the picture, two controls overlapping by a pixel or more (a "
    "group frame that holds a control whole is no overlap), a combo list naming a file or "
    "folder that does not exist, a variable bound by two controls (case ignored), and a "
    "variable control that names no variable. Nothing is written.\n\n"
    "render FILE --out PNG: draws the design as a dialog shows it at run time (its picture "
    "with the live controls) and saves it as a PNG file. This runs vtxss-render, a separate "
    "program installed beside vtxss with the dialogs.";

const char* const kFooter = "Exit status of check: 1 when a design has a problem.";

struct DesignOptions {
    std::string action;
    std::vector<std::string> files;
    std::string out;
    bool all = false;
    bool json = false;
    Folders folders;
};

/// A design named on the command line: a file as given or below the
/// library folder, else a design name below the designer folder.
Vtx_String designFile(const std::string& given) {
    const Vtx_String path = libraryFile(given, "the design");
    if (fileExists(path))
        return path;
    Vtx_String name = moduleText(given, "the design");
    if (name.endsWith(".txt", false))
        name = name.left(name.length() - 4);
    const Vtx_String named = designFilePath(name, "txt");
    if (fileExists(named))
        return named;
    fail("the design " + shownPath(given) + " does not exist");
}

std::vector<Vtx_String> designsToCheck(const DesignOptions& options) {
    std::vector<Vtx_String> designs;
    if (options.all) {
        if (!folderExists(getDesignerRootFolder()))
            fail("the library has no designer folder: " + shown(getDesignerRootFolder()));
        Vtx_StringArray names;
        getModuleImages(names);
        for (const Vtx_String& name : names)
            designs.push_back(designFilePath(name, "txt"));
    } else {
        for (const std::string& file : options.files)
            designs.push_back(designFile(file));
    }
    return designs;
}

Json problemJson(const DesignProblem& problem) {
    const bool whole = problem.control < 0;
    return {{"file", shownInLibrary(problem.file)},
            {"control", whole ? Json(nullptr) : Json(problem.control)},
            {"type", whole || problem.type < 0 ? Json(nullptr) : Json(problem.type)},
            {"typeName", whole || !isValidControlType(problem.type)
                             ? Json(nullptr)
                             : Json(controlTypeName(problem.type))},
            {"contents", whole ? Json(nullptr) : Json(shown(problem.contents))},
            {"check", designCheckName(problem.check)},
            {"message", shownInLibrary(problem.message)}};
}

int runCheck(const DesignOptions& options) {
    const std::vector<Vtx_String> designs = designsToCheck(options);
    std::vector<DesignProblem> problems;
    for (const Vtx_String& design : designs)
        for (DesignProblem& problem : checkDesign(design))
            problems.push_back(std::move(problem));

    if (options.json) {
        Json report = {{"library", shown(gSettings.libDir)},
                       {"designs", Json::array()},
                       {"problems", Json::array()}};
        for (const Vtx_String& design : designs)
            report["designs"].push_back(shownInLibrary(design));
        for (const DesignProblem& problem : problems)
            report["problems"].push_back(problemJson(problem));
        printJson(report);
    } else {
        for (const DesignProblem& problem : problems)
            std::cout << shownInLibrary(problem.text()) << "\n";
        std::cout << (problems.empty() ? "No problems"
                                       : std::to_string(problems.size()) +
                                             (problems.size() == 1 ? " problem" : " problems"))
                  << " in " << designs.size() << (designs.size() == 1 ? " design" : " designs")
                  << " of " << shown(gSettings.libDir) << ".\n";
    }
    return problems.empty() ? kExitOk : kExitFailure;
}

/// Runs program with args, its output and errors going where ours go, and
/// hands back its exit code.
int runProgram(const fs::path& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::cout.flush();
    const pid_t child = fork();
    if (child < 0)
        fail("cannot start " + name);
    if (child == 0) {
        execv(name.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            fail("lost " + name);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 127)
        return WEXITSTATUS(status);
    fail("vtxss-render did not run to its end");
}

int runRender(const DesignOptions& options) {
    std::error_code error;
    const fs::path renderer =
        fs::read_symlink("/proc/self/exe", error).parent_path() / "vtxss-render";
    if (error || access(renderer.c_str(), X_OK) != 0)
        fail("render needs vtxss-render, which is not installed beside vtxss");
    const Vtx_String design = designFile(options.files.front());
    const Vtx_String out = moduleText(options.out, "--out");
    refuseOwnInput(out, design, "the design");
    refuseOwnInput(out, changeExtension(design, "bmp"), "the design's picture");
    return runProgram(renderer, {nativePath(design).string(), "--out", options.out, "--lib",
                                 nativePath(gSettings.libDir).string(), "--install",
                                 nativePath(gSettings.vtxDir).string()});
}

int runDesign(const DesignOptions& options) {
    if (options.action != "check" && options.action != "render")
        misuse("unknown action '" + options.action + "' (check or render)");
    const bool render = options.action == "render";
    if (render) {
        if (options.files.size() != 1)
            misuse("render takes one design, not " + std::to_string(options.files.size()));
        if (options.out.empty())
            misuse("render needs --out PNG");
        if (isStdout(options.out))
            misuse("render writes a PNG file; --out - (stdout) is not taken");
        if (options.all || options.json)
            misuse("--all and --json are for check");
    } else {
        if (!options.out.empty())
            misuse("--out is for render");
        if (options.all && !options.files.empty())
            misuse("give designs or --all, not both");
        if (!options.all && options.files.empty())
            misuse("check needs a design or --all");
    }
    setUpFolders(options.folders);
    return render ? runRender(options) : runCheck(options);
}

} // namespace

Command addDesignCommand(CLI::App& top) {
    auto options = std::make_shared<DesignOptions>();
    CLI::App* app = addCommand(top, "design", "check dialog designs, or render one as a PNG",
                               kDescription, kFooter);
    app->add_option("ACTION", options->action, "check or render")->type_name("")->required();
    app->add_option("FILE", options->files, "the design files (check: one or more; render: one)")
        ->type_name("");
    addSwitch(*app, "--all", options->all, "check: every design below the designer folder");
    addValueOption(*app, "-o,--out", options->out, "PNG", "render: the PNG file to write");
    addSwitch(*app, "--json", options->json, "check: one JSON document instead of the lines");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages&) { return runDesign(*options); }};
}

} // namespace cli
