// vtxss bench: times the formula engine on a workload cell list.

#include "Cli.h"
#include "Commands.h"

#include "platform/sheet/bench/CellsWorkload.h"

#include <iostream>
#include <sstream>

namespace {

const char* const kHelp =
    "usage: vtxss bench FILE.cells\n"
    "\n"
    "Reads a workload cell list (tab-separated W, C, X and K lines), puts every\n"
    "cell into a grid through the grid's own cell operations (formulas as\n"
    "formula texts), evaluates it, applies the listed changes and prints one\n"
    "JSON line: build_eval_ms, recalc_ms, recalc2_ms, the checksums before and\n"
    "after the changes, and the peak memory in MB. See docs/benchmarks.md.\n";

} // namespace

int runBenchCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv, {}, {"help"}, error))
        return cli::fail("bench", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    if (args.positional().size() != 1)
        return cli::fail("bench", "give exactly one .cells file (see vtxss bench --help)");
    std::ostringstream line;
    if (vtx::sheet::runCellsBenchmark(args.positional().front(), line) != 0) {
        // The driver's reason is the JSON line's error field; say it once.
        std::string text = line.str();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return cli::fail("bench", text);
    }
    std::cout << line.str();
    return 0;
}
