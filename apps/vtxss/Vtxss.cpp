// The tool's command line: the subcommands, help and version, and the one
// place where a failure becomes its line on stderr and its exit code.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include "platform/host/Host.h"

#include <iostream>
#include <string>
#include <vector>

namespace cli {

namespace {

const char* const kDescription =
    "Batch work with the module's engines: connection standards applied to the macros of a "
    "drawing, bills made from part lists, sheet files evaluated, imported and exported.";

const char* const kFooter =
    "Run 'vtxss COMMAND --help' for the options of a command.\n\n"
    "Exit status: 0 success, 1 the work failed, 2 the command line is wrong; a failure is one "
    "line on stderr, 'vtxss COMMAND: reason'.";

// "vtxss help [COMMAND]" asks for the help as -h does.
std::vector<std::string> arguments(int argc, const char* const* argv) {
    std::vector<std::string> args(argv, argv + argc);
    if (args.size() >= 2 && args[1] == "help") {
        args.erase(args.begin() + 1);
        args.push_back("--help");
    }
    return args;
}

std::string commandNames(const std::vector<Command>& commands) {
    std::string names;
    for (const Command& command : commands)
        names += (names.empty() ? "" : ", ") + command.app->get_name();
    return names;
}

} // namespace

int runVtxss(int argc, const char* const* argv) {
    // Message boxes of a batch run are printed on the host's command line,
    // from where each command takes them.
    Host::current().batchPrompter().setPrintMessages(true);

    CLI::App top(kDescription, "vtxss");
    useToolHelp(top);
    top.set_help_flag("-h,--help", "show this help and exit");
    top.set_version_flag("--version", versionText(), "show the version and exit");
    top.require_subcommand(0, 1);
    top.footer(kFooter);
    const std::vector<Command> commands = {
        addApplyCommand(top),  addBenchCommand(top),       addBillCommand(top),
        addCheckCommand(top),  addDesignCommand(top),      addExplainCommand(top),
        addExportCommand(top), addMappingCommand(top),     addSectionsCommand(top),
        addSheetCommand(top),  addTestStandardCommand(top)};

    const std::vector<std::string> args = arguments(argc, argv);
    if (args.size() < 2) {
        std::cerr << "vtxss: give a command: " << commandNames(commands) << " (see vtxss --help)\n";
        return kExitMisuse;
    }
    std::vector<const char*> pointers;
    for (const std::string& arg : args)
        pointers.push_back(arg.c_str());

    const Command* chosen = nullptr;
    try {
        top.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::CallForHelp&) {
        std::cout << top.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        for (const Command& command : commands)
            if (command.app->parsed())
                chosen = &command;
        const CLI::App* app = chosen ? chosen->app : nullptr;
        std::cerr << "vtxss" << (app ? " " + app->get_name() : std::string()) << ": "
                  << parseErrorText(error, top, app) << "\n";
        return kExitMisuse;
    }
    for (const Command& command : commands)
        if (command.app->parsed())
            chosen = &command;
    if (!chosen) {
        std::cerr << "vtxss: give a command: " << commandNames(commands) << " (see vtxss --help)\n";
        return kExitMisuse;
    }

    const std::string name = chosen->app->get_name();
    ModuleMessages messages;
    recordInputs();
    try {
        const int code = chosen->run(messages);
        messages.printRest(name);
        return code;
    } catch (const Failure& failure) {
        std::cerr << "vtxss " << name << ": " << failure.what() << "\n";
        return failure.code();
    } catch (const std::exception& error) {
        std::cerr << "vtxss " << name << ": " << error.what() << "\n";
        return kExitFailure;
    }
}

} // namespace cli
