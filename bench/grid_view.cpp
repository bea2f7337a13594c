// The grid as a widget, offscreen: a bill of 100,000 rows (fed through
// KsSSBillOutput as the list producer feeds it) opened in a window with its
// view; a repaint of the full visible area; and the memory the view adds.
// Goals: open under 0.5 s, repaint under 16 ms, view under 50 MB
// (docs/benchmarks.md).

#include "BenchBill.h"
#include "QtBenchMain.h"

#include "platform/core/ListOutput.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "platform/ui/VtxDialog.h"
#include "spread/BillOutput.h"
#include "spread/VtxSpread.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

const char* const kInstall = VTX_BENCH_SAMPLE "/install/";
constexpr int kPlaceholder = 1196;

// The resident memory of the process in bytes.
double residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

// The bill, fed once and kept: its grid is what every window opens.
struct BillSource {
    Host host;
    HostScope scope{host};
    std::unique_ptr<KsSSBillOutput> output;
    std::filesystem::path file;

    explicit BillSource(int parts) {
        gSettings.setVtxDir(kInstall);
        file = std::filesystem::temp_directory_path() /
               ("vtx_bench_grid_" + std::to_string(::getpid()) + ".kss");
        output = std::make_unique<KsSSBillOutput>();
        const Vtx_Bill bill = makeBenchBill(parts, false);
        if (output->init(file.string(), bill.columnNames, {}, bill.rowProperties, "Default",
                         {"Project"}, {"Bench"}) != eOk ||
            produceList(bill, *output) != eOk)
            output.reset();
    }
    ~BillSource() {
        std::error_code error;
        std::filesystem::remove(file, error);
    }
    const vtx::sheet::SheetModel* sheet() const {
        Vtx_Spread* grid = output ? output->getSSPointer() : nullptr;
        return grid ? grid->model() : nullptr;
    }
};

// A window of the bill window's size with a grid over its placeholder.
struct GridWindow {
    vtx::ui::VtxDialog dialog{248};
    std::unique_ptr<vtx::spreadui::QtDialogHost> dialogHost;
    Vtx_Spread grid;
    vtx::spreadui::SpreadView* view = nullptr;

    bool open(const vtx::sheet::SheetModel& bill) {
        dialog.setMinimumSize(640, 440);
        auto* placeholder = new QWidget(&dialog);
        placeholder->setGeometry(7, 7, 626, 426);
        vtx::ui::VtxDialog::setControlId(placeholder, kPlaceholder);
        dialogHost = std::make_unique<vtx::spreadui::QtDialogHost>(dialog);
        if (!grid.createInDialog(dialogHost.get(), kPlaceholder, true) || !grid.copyGrid(bill))
            return false;
        view = dialogHost->view(kPlaceholder);
        dialog.show();
        view->sync();
        view->viewport()->repaint();
        return true;
    }
};

BillSource& bill() {
    static BillSource source(100000);
    return source;
}

void BM_BillWindowOpen(benchmark::State& state) {
    const vtx::sheet::SheetModel* sheet = bill().sheet();
    if (!sheet) {
        state.SkipWithError("the bill was not made");
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<GridWindow>();
        if (!window->open(*sheet)) {
            state.SkipWithError("the window did not open");
            break;
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = sheet->maxRows();
}

void BM_FullRepaint(benchmark::State& state) {
    const vtx::sheet::SheetModel* sheet = bill().sheet();
    GridWindow window;
    if (!sheet || !window.open(*sheet)) {
        state.SkipWithError("the window did not open");
        return;
    }
    window.dialog.resize(1280, 1024);
    window.view->resize(1260, 1000);
    window.view->verticalScrollBar()->setValue(50000);
    QCoreApplication::processEvents();
    for (auto _ : state)
        window.view->viewport()->repaint();
    state.counters["cells"] =
        static_cast<double>(window.view->viewport()->height() / window.view->rowHeight(0)) * 7;
}

void BM_ViewMemory(benchmark::State& state) {
    const vtx::sheet::SheetModel* sheet = bill().sheet();
    if (!sheet) {
        state.SkipWithError("the bill was not made");
        return;
    }
    for (auto _ : state) {
        // A grid holding the bill, then a view over it in a shown window:
        // the growth of the resident memory between the two is the view's.
        const double start = residentBytes();
        Vtx_Spread grid;
        HiddenDialogHost hidden;
        hidden.addPlaceholder(kPlaceholder, {0, 0, 626, 426});
        grid.createInDialog(&hidden, kPlaceholder, true);
        grid.copyGrid(*sheet);
        const double before = residentBytes();
        vtx::ui::VtxDialog dialog(248);
        dialog.setMinimumSize(640, 440);
        auto* view = new vtx::spreadui::SpreadView(grid, &dialog);
        view->setGeometry(7, 7, 626, 426);
        dialog.show();
        view->sync();
        view->viewport()->repaint();
        state.counters["grid_MB"] = (before - start) / 1e6;
        state.counters["view_MB"] = (residentBytes() - before) / 1e6;
    }
}

} // namespace

BENCHMARK(BM_BillWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
