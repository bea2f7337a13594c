#pragma once

// The subcommands of vtxss. Each adds itself, with its options, to the
// tool's command line and hands back what runs it once the command line is
// parsed. A run returns the exit code or throws cli::Failure.

#include <functional>

namespace CLI {
class App;
}

namespace cli {

class ModuleMessages;

struct Command {
    CLI::App* app = nullptr;
    std::function<int(ModuleMessages&)> run;
};

Command addApplyCommand(CLI::App& top);
Command addBenchCommand(CLI::App& top);
Command addBillCommand(CLI::App& top);
Command addCheckCommand(CLI::App& top);
Command addDesignCommand(CLI::App& top);
Command addExplainCommand(CLI::App& top);
Command addExportCommand(CLI::App& top);
Command addMappingCommand(CLI::App& top);
Command addSectionsCommand(CLI::App& top);
Command addSheetCommand(CLI::App& top);
Command addTestStandardCommand(CLI::App& top);

/// Runs the tool on a command line (argv[0] is the program) and returns its
/// exit code: 0 success, 1 the work failed, 2 the command line is wrong.
/// Every failure is one line on stderr: "vtxss CMD: reason".
int runVtxss(int argc, const char* const* argv);

} // namespace cli
