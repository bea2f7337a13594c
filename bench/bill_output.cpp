// Bill output: a bill of n parts, fed row by row through KsSSBillOutput and
// saved as a sheet file, the way the list producer feeds it. Without
// pictures the goal is 100,000 rows in under a second, growing linearly;
// with a picture of every part (each written beside the bill, all synced
// to disk as one batch) 10,000 parts in under 2 s (docs/benchmarks.md).

#include "BenchBill.h"

#include "platform/core/BillPictures.h"
#include "platform/core/ListOutput.h"
#include "platform/core/MacroModel.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "spread/BillOutput.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

const char* const kInstall = VTX_BENCH_SAMPLE "/install/";

void BM_BillFeedAndSave(benchmark::State& state) {
    Host host;
    HostScope scope(host);
    gSettings.setVtxDir(kInstall);
    const Vtx_Bill bill = makeBenchBill(static_cast<int>(state.range(0)), true);
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("vtx_bench_bill_" + std::to_string(::getpid()) + ".kss");
    for (auto _ : state) {
        auto output = std::make_unique<KsSSBillOutput>();
        if (output->init(file.string(), bill.columnNames, {}, bill.rowProperties, "Default",
                         {"Project"}, {"Bench"}) != eOk ||
            produceList(bill, *output) != eOk) {
            state.SkipWithError("the bill was not written");
            break;
        }
        benchmark::DoNotOptimize(output->currentRow());
        // The window stays open after the feed for the user to see the bill;
        // closing it is not part of the feed.
        state.PauseTiming();
        output.reset();
        state.ResumeTiming();
    }
    std::error_code error;
    std::filesystem::remove(file, error);
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BillFeedAndSave)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_BillWithPictures(benchmark::State& state) {
    Host host;
    HostScope scope(host);
    gSettings.setVtxDir(kInstall);
    const Vtx_Bill bill = makeBenchBill(static_cast<int>(state.range(0)), true);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("vtx_bench_bill_pictures_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "bill.kss").string();
    Vtx_Transaction transaction(nullptr);
    for (auto _ : state) {
        auto output = std::make_unique<KsSSBillOutput>();
        if (output->init(file, bill.columnNames, {}, bill.rowProperties, "Default", {"Project"},
                         {"Bench"}) != eOk) {
            state.SkipWithError("the bill was not set up");
            break;
        }
        output->setVars(96, 0, 0, true, true, &bill, &transaction);
        if (produceList(bill, *output) != eOk) {
            state.SkipWithError("the bill was not written");
            break;
        }
        state.PauseTiming();
        output.reset();
        state.ResumeTiming();
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BillWithPictures)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
