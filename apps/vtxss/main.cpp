// vtxss: the command-line tool for batch work with the module's engines.

#include "Commands.h"

#include "platform/host/Host.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"apply", "apply connection standards to macros of a drawing", runApplyCommand},
    {"bench", "time the formula engine on a workload cell list", runBenchCommand},
    {"bill", "produce a bill from a part list (CSV) and save it as a sheet file", runBillCommand},
    {"export", "write a sheet file as .xlsx or .csv", runExportCommand},
    {"mapping", "list a macro's mappable objects and its mapped values", runMappingCommand},
    {"sheet", "evaluate and print a sheet file, or import a cell list", runSheetCommand},
};

void printUsage(std::ostream& out) {
    out << "usage: vtxss <command> [options]\n\ncommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << std::string(12 - std::strlen(command.name), ' ')
            << command.summary << "\n";
    out << "\nRun 'vtxss <command> --help' for the options of a command.\n";
}

} // namespace

int main(int argc, char** argv) {
    // What the module prints on the host's command line is shown; message
    // boxes of a batch run are printed as warnings.
    Host& host = Host::current();
    host.commandLine().setEcho(CommandLineEcho::Split);
    host.batchPrompter().setPrintMessages(true);
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return 0;
    }
    for (const Command& command : kCommands)
        if (name == command.name)
            return command.run(argc - 2, argv + 2);
    std::cerr << "vtxss: unknown command '" << name << "' (see vtxss --help)\n";
    return 2;
}
