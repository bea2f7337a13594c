// Runs the formula-engine workloads: `sheet_workloads FILE.cells...` prints
// one JSON line per file; with no file it runs the Google Benchmark suite
// over the files named in VTX_WORKLOADS (a colon-separated list).
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/bench/CellsWorkload.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace vtx::sheet;

void buildAndEvaluate(benchmark::State& state, const Workload& w) {
    for (auto _ : state) {
        SheetModel sheet;
        if (!buildWorkload(w, sheet)) {
            state.SkipWithError("build refused");
            return;
        }
        benchmark::DoNotOptimize(sheet.value(1, 1));
    }
}

void recalculate(benchmark::State& state, const Workload& w) {
    SheetModel sheet;
    if (!buildWorkload(w, sheet) || w.changes.size() < 2) {
        state.SkipWithError("build refused");
        return;
    }
    // Each round applies a change or puts the cell back, so that every
    // round changes a value and recalculates its dependents.
    std::vector<WorkloadChange> steps;
    for (std::size_t k = 0; k < 2; ++k) {
        WorkloadChange back = w.changes[k];
        const WorkloadCell& c = back.cell;
        if (sheet.hasFormula(c.col + 1, c.row + 1)) {
            sheet.getText(c.col + 1, c.row + 1, TextForm::Formula, back.cell.content);
            back.cell.kind = 'f';
        } else {
            sheet.getText(c.col + 1, c.row + 1, TextForm::Data, back.cell.content);
            back.cell.kind = c.kind == 's' ? 's' : 'n';
        }
        steps.push_back(w.changes[k]);
        steps.push_back(back);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        applyChange(steps[i++ % steps.size()], sheet);
        benchmark::DoNotOptimize(sheet.value(1, 1));
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--", 0) != 0)
            files.push_back(a);
    }
    if (!files.empty()) {
        int rc = 0;
        for (const auto& f : files)
            rc |= runCellsBenchmark(f, std::cout);
        return rc;
    }
    static std::vector<Workload> workloads;
    if (const char* list = std::getenv("VTX_WORKLOADS")) {
        std::string all = list;
        std::size_t start = 0;
        while (start <= all.size()) {
            std::size_t colon = all.find(':', start);
            std::string path =
                all.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
            if (!path.empty()) {
                Workload w;
                std::string reason;
                if (readWorkload(path, w, reason))
                    workloads.push_back(std::move(w));
                else
                    std::cerr << reason << "\n";
            }
            if (colon == std::string::npos)
                break;
            start = colon + 1;
        }
    }
    for (const Workload& w : workloads) {
        benchmark::RegisterBenchmark(("build_eval/" + w.name).c_str(), [&w](benchmark::State& s) {
            buildAndEvaluate(s, w);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("recalc/" + w.name).c_str(), [&w](benchmark::State& s) {
            recalculate(s, w);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
