// vtxss bench: times the formula engine on a workload cell list.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include "platform/sheet/bench/CellsWorkload.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace cli {

namespace {

const char* const kDescription =
    "Reads a workload cell list (tab-separated W, C, X and K lines; see docs/vtxss-bench.md), "
    "puts every cell into a grid through the grid's own cell operations (formulas as formula "
    "texts), evaluates it, applies the listed changes and prints one JSON line: build_eval_ms, "
    "recalc_ms, recalc2_ms, the checksums before and after the changes, and the peak memory in "
    "MB. The output is JSON already; there is no --json.";

int runBench(const std::string& file) {
    if (file.empty())
        misuse("give one workload cell list (FILE.cells)");
    std::ostringstream line;
    if (vtx::sheet::runCellsBenchmark(moduleText(file, "the cell list's name").str(), line) != 0) {
        // The driver's reason is the JSON line's error field; say it once.
        const Json report = Json::parse(line.str(), nullptr, false);
        if (report.is_object() && report.contains("error") && report["error"].is_string())
            fail(shownPath(report["error"].get<std::string>()));
        fail("the benchmark failed");
    }
    std::cout << line.str();
    return kExitOk;
}

} // namespace

Command addBenchCommand(CLI::App& top) {
    auto file = std::make_shared<std::string>();
    CLI::App* app =
        addCommand(top, "bench", "time the formula engine on a workload cell list", kDescription);
    app->add_option("FILE.cells", *file, "the workload cell list")->type_name("");
    return {app, [file](ModuleMessages&) { return runBench(*file); }};
}

} // namespace cli
