// FROMTABLE: many calls into one table file, and a table whose formulas look
// into the table itself (docs/benchmarks.md). The goal is 10,000 calls into
// one table in under 50 ms once the table has been read.

#include "spread/FromTable.h"
#include "platform/host/Host.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kTableRows = 1000;
constexpr int kCalls = 10000;
constexpr int kSelfRows = 3200;

std::string tempFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("vtx_bench_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

// Key, value and label columns: "P1" 1.5 "Part 1", "P2" 3 "Part 2", ...
// With self, a fourth column looks up the value of the next row's key in the
// file itself.
void writeTable(const std::string& path, int rows, bool self) {
    std::ofstream out(path);
    out << "VTXSHEET 1\nsize " << (self ? 4 : 3) << ' ' << rows << '\n';
    out << "cell 1 0 t=\"Key\"\ncell 2 0 t=\"Val\"\ncell 3 0 t=\"Label\"\n";
    for (int row = 1; row <= rows; ++row) {
        out << "cell 1 " << row << " t=\"P" << row << "\"\n";
        out << "cell 2 " << row << " n=" << row * 1.5 << '\n';
        out << "cell 3 " << row << " t=\"Part " << row << "\"\n";
        if (self)
            out << "cell 4 " << row << " f=\"FROMTABLE(\\\"" << path
                << "\\\",\\\"Key\\\",\\\"Val\\\",\\\"P" << row % rows + 1 << "\\\")\" n=0\n";
    }
    out << "end\n";
}

// A grid in a window-less dialog with FROMTABLE registered.
struct CallerGrid {
    HiddenDialogHost dialog;
    Vtx_Spread grid;
    CallerGrid(int columns, int rows) {
        dialog.addPlaceholder(1, {0, 0, 400, 300});
        grid.createInDialog(&dialog, 1, true);
        grid.setMaxCols(columns, false);
        grid.setMaxRows(rows, false);
        registerFromTable(&grid);
    }
};

// Outside the timing: checks one result and empties the command line, which
// every call prints to.
void checkResult(benchmark::State& state, Host& host, const Vtx_Spread& grid, int column, int row,
                 double expected) {
    state.PauseTiming();
    double value = 0;
    if (!grid.getCellDouble(column, row, value) || value != expected)
        state.SkipWithError("wrong value");
    host.commandLine().clear();
    state.ResumeTiming();
}

// 10,000 calls into one table of 1,000 rows, every formula of the caller
// recalculated per iteration. arg 0: the address form (FROMTABLE(file, B7)),
// arg 1: the key form (FROMTABLE(file, "Key", "Val", "P7")).
void BM_FromTableCallsIntoOneTable(benchmark::State& state) {
    Host host;
    HostScope scope(host);
    const std::string table = tempFile("table.kss");
    writeTable(table, kTableRows, false);
    CallerGrid caller(1, kCalls);
    const bool byKey = state.range(0) == 1;
    for (int row = 1; row <= kCalls; ++row) {
        const int target = (row * 7) % kTableRows + 1;
        const std::string rest = byKey ? "\"Key\",\"Val\",\"P" + std::to_string(target) + "\""
                                       : "B" + std::to_string(target);
        caller.grid.setCellFormula(1, row, "FROMTABLE(\"" + table + "\"," + rest + ")", false);
    }
    caller.grid.recalcAll(); // the first reading of the table is not timed
    for (auto _ : state) {
        caller.grid.recalcAll();
        checkResult(state, host, caller.grid, 1, kCalls, 1.5); // row 1 of the table
    }
    std::filesystem::remove(table);
    state.SetItemsProcessed(state.iterations() * kCalls);
}
BENCHMARK(BM_FromTableCallsIntoOneTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A table of 3,200 rows whose every row looks up the next row's value in the
// table itself, recalculated whole as `vtxss sheet` does. arg 0: the file is
// unchanged between iterations; arg 1: it is written again before each
// iteration (not timed), so every iteration reads it anew.
void BM_FromTableSelfLookUp(benchmark::State& state) {
    Host host;
    HostScope scope(host);
    const std::string table = tempFile("self.kss");
    writeTable(table, kSelfRows, true);
    CallerGrid caller(1, 1);
    Vtx_String reason;
    if (!caller.grid.loadFile(table, &reason)) {
        state.SkipWithError(reason.c_str());
        return;
    }
    registerFromTable(&caller.grid);
    caller.grid.recalcAll();
    const bool rewrite = state.range(0) == 1;
    for (auto _ : state) {
        if (rewrite) {
            state.PauseTiming();
            writeTable(table, kSelfRows, true);
            std::filesystem::last_write_time(table, std::filesystem::last_write_time(table) +
                                                        std::chrono::seconds(1));
            state.ResumeTiming();
        }
        caller.grid.recalcAll();
        checkResult(state, host, caller.grid, 4, kSelfRows, 1.5); // the value of "P1"
    }
    std::filesystem::remove(table);
    state.SetItemsProcessed(state.iterations() * kSelfRows);
}
BENCHMARK(BM_FromTableSelfLookUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
