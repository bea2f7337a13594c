// Section tables: reading and writing a table file of 5,000 sections through
// Vtx_ProfValuesTable, and the library editor's round trip through its grid:
// the file read and put into the grid, and the grid's table taken back and
// saved. Goals: into the grid under 100 ms, saved under 50 ms
// (docs/benchmarks.md).

#include "platform/core/Settings.h"
#include "sectionlib/ProfValuesTable.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kSections = 5000;

/// A library folder with prof\BIG.pr of kSections I-sections, made once.
class BigTable {
public:
    BigTable() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vtx_bench_sections_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder / "prof");
        gSettings.setLibDir(m_folder.string() + "/");
        Vtx_ProfValuesTable table;
        table.templateName = "1";
        table.columns = {"SysName", "I/O", "English", "German", "French", "Dutch", "h",
                         "b",       "tw",  "tf",      "r",      "A",      "G"};
        for (int i = 0; i < kSections; ++i) {
            const Vtx_String size = Vtx_String::fromInt(100 + i);
            table.rows.append({size, i % 7 == 0 ? "0" : "1", "BIG " + size, "B " + size,
                               "BIG " + size, "B " + size, size, Vtx_String(i * 0.5 + 50, 1), "6.5",
                               "10.25", "18", Vtx_String(i * 0.37 + 20, 2),
                               Vtx_String(i * 0.29 + 15, 2)});
        }
        table.writeToFile("BIG");
    }
    ~BigTable() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

private:
    std::filesystem::path m_folder;
};

BigTable& bigTable() {
    static BigTable table;
    return table;
}

void BM_ReadTable(benchmark::State& state) {
    bigTable();
    for (auto _ : state) {
        Vtx_ProfValuesTable table;
        if (!table.readFromFile("BIG"))
            state.SkipWithError("the table did not read");
        benchmark::DoNotOptimize(table.rows.length());
    }
    state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

void BM_WriteTable(benchmark::State& state) {
    bigTable();
    Vtx_ProfValuesTable table;
    table.readFromFile("BIG");
    for (auto _ : state)
        if (!table.writeToFile("BIG-copy"))
            state.SkipWithError("the table was not written");
    state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_WriteTable)->Unit(benchmark::kMillisecond);

/// A grid in a window-less dialog, as the editor's tables page holds it.
struct TableGrid {
    TableGrid() {
        dialog.addPlaceholder(1001, {0, 0, 800, 600});
        grid.createInDialog(&dialog, 1001, true);
    }
    HiddenDialogHost dialog;
    Vtx_Spread grid;
};

void BM_LoadIntoGrid(benchmark::State& state) {
    bigTable();
    for (auto _ : state) {
        TableGrid shown;
        Vtx_ProfValuesTable table;
        if (!table.readFromFile("BIG") || !table.setToSS(shown.grid))
            state.SkipWithError("the table did not reach the grid");
        benchmark::DoNotOptimize(shown.grid.getMaxRows());
    }
    state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_LoadIntoGrid)->Unit(benchmark::kMillisecond);

void BM_SaveFromGrid(benchmark::State& state) {
    bigTable();
    TableGrid shown;
    Vtx_ProfValuesTable table;
    table.readFromFile("BIG");
    table.setToSS(shown.grid);
    for (auto _ : state) {
        Vtx_ProfValuesTable edited = table;
        if (!edited.getFromSS(shown.grid) || !edited.writeToFile("BIG-copy"))
            state.SkipWithError("the grid's table was not saved");
    }
    state.SetItemsProcessed(state.iterations() * kSections);
}
BENCHMARK(BM_SaveFromGrid)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
