// Dialog designs live, offscreen, on a design of 200 controls (labels,
// edits, combos with a list file, check boxes and frames in rows over an
// 800 x 600 picture): reading it and drawing it (a dialog's tab opening),
// and one drag step in the designer window (a mouse move with the button
// held over a selection of 20 controls, through the window's mouse layer,
// with snapping and the widgets moved). Goals: open under 50 ms, drag step under 16 ms
// (docs/benchmarks.md).

#include "QtBenchMain.h"

#include "designer/DesignFiles.h"
#include "designer/ui/DesignArea.h"
#include "designer/ui/DesignTracker.h"
#include "designer/ui/DesignerWindow.h"

#include "platform/core/BillPictures.h"
#include "platform/core/DlgSizeStore.h"
#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/VtxDialog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr int kControls = 200;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A library folder of its own holding the design "Bench\\Big" and a list.
struct BigDesign {
    Host host;
    HostScope scope{host};
    fs::path lib;
    Vtx_String path;
    bool good = false;

    BigDesign() {
        lib = fs::temp_directory_path() / ("vtx_bench_designer_" + std::to_string(::getpid()));
        fs::create_directories(lib / "Dialog Templates" / "Dialog Design" / "Bench");
        fs::create_directories(lib / "Sizes");
        gSettings.setLibDir(lib.string());
        gSettings.setVtxDir(VTX_BENCH_SAMPLE "/install/");
        setDlgSizeFolder((lib / "Sizes").string());
        path = designFilePath("Bench\\Big", "txt");
        good =
            writeFileAtomically(gSettings.libDir + "List.txt", "6\r\n8\r\n10\r\n12\r\n") == eOk &&
            writeFileAtomically(changeExtension(path, "bmp"),
                                encodeBitmap24(kWidth, kHeight,
                                               [](int x, int y) {
                                                   return (x / 40 + y / 40) % 2 ? 0xFFFFFFu
                                                                                : 0xE0E8F0u;
                                               })) == eOk &&
            writeControls();
    }
    ~BigDesign() {
        std::error_code error;
        fs::remove_all(lib, error);
    }

    // 20 rows of 10 controls, 80 x 30 pixels a cell; the first of each
    // row a frame around the row's last two.
    bool writeControls() const {
        const Vtx_ControlType kinds[] = {ctLabel, ctVarEdit, ctVarCombo, ctVarCheck,
                                         ctLabel, ctVarEdit, ctVarCombo, ctVarEdit};
        Vtx_PropertiesList list;
        list.setProperty(kDesignCountKey, kControls);
        for (int i = 0; i < kControls; ++i) {
            const int row = i / 10;
            const int column = i % 10;
            Vtx_DesignerControl control;
            double left = column * 80 + 4;
            double right = left + 72;
            if (column == 0) {
                control.type = ctGroupBox;
                left = 8 * 80;
                right = kWidth;
            } else {
                control.type = kinds[(column - 1) % 8];
            }
            control.contents = "Var" + Vtx_String::fromInt(i);
            if (control.type == ctVarCombo)
                control.comboList = "List.txt";
            if (control.type == ctVarCheck)
                control.comboList = "Check" + Vtx_String::fromInt(i);
            control.topLeftX = left / kWidth;
            control.bottomRightX = right / kWidth;
            control.topLeftY = (row * 30 + 4.0) / kHeight;
            control.bottomRightY = (row * 30 + 26.0) / kHeight;
            control.setToPropList(list, i);
        }
        return list.writeToFile(path) == eOk;
    }
};

BigDesign& design() {
    static BigDesign big;
    return big;
}

void BM_ReadAndDrawDesign(benchmark::State& state) {
    if (!design().good) {
        state.SkipWithError("the design was not written");
        return;
    }
    for (auto _ : state) {
        auto dialog = std::make_unique<vtx::ui::VtxDialog>(0);
        auto* area = new vtx::designui::DesignArea(dialog.get());
        area->design().setDynIdRange(33000, 33299);
        if (!area->readFromFile(design().path)) {
            state.SkipWithError("the design was not read");
            break;
        }
        area->redrawAllControls();
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(area);
        dialog->show();
        benchmark::DoNotOptimize(area->grab());
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["controls"] = kControls;
}

void sendMouse(QWidget* target, QEvent::Type type, const QPoint& point,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, target->mapToGlobal(point), button, held, keys);
    QApplication::sendEvent(target, &event);
}

void BM_DragStep(benchmark::State& state) {
    if (!design().good) {
        state.SkipWithError("the design was not written");
        return;
    }
    vtx::designui::DesignerWindow window(design().path);
    window.show();
    QApplication::processEvents();
    // A selection of 20 controls (rows 1 to 3 but their frames), made with
    // Shift+clicks; then a press on one of them starts dragging them all.
    const auto centreOf = [&window](int i) {
        const Vtx_DesignRect rect = window.design().drawRect(*window.design().getControl(i));
        return QPoint(static_cast<int>((rect.left + rect.right) / 2),
                      static_cast<int>((rect.top + rect.bottom) / 2));
    };
    QWidget* tracker = window.tracker();
    const int selected[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 21,
                            22, 23, 24, 25, 26, 27, 28, 29, 31, 32};
    for (const int i : selected) {
        sendMouse(tracker, QEvent::MouseButtonPress, centreOf(i), Qt::ShiftModifier);
        sendMouse(tracker, QEvent::MouseButtonRelease, centreOf(i), Qt::ShiftModifier);
    }
    const QPoint from = centreOf(15);
    sendMouse(tracker, QEvent::MouseButtonPress, from);
    QWidget* dragged = window.area()->controlWidget(15);
    int step = 0;
    int moved = 0;
    for (auto _ : state) {
        // Back and forth across 40 pixels, so that every step moves and
        // some end within snapping distance of a neighbour's edge; then the
        // window paints what moved, as the event loop would.
        ++step;
        const int dx = (step % 40 < 20 ? step % 20 : 20 - step % 20) * 2;
        const QRect before = dragged->geometry();
        sendMouse(tracker, QEvent::MouseMove, from + QPoint(dx, dx / 2));
        QApplication::processEvents();
        if (dragged->geometry() != before)
            ++moved;
    }
    sendMouse(tracker, QEvent::MouseButtonRelease, from);
    state.counters["controls"] = window.design().getNrControls();
    state.counters["selected"] = window.design().getSelectedIds().length();
    // The share of steps that moved the control (snapping holds some back).
    state.counters["moved"] = step ? static_cast<double>(moved) / step : 0;
}

} // namespace

BENCHMARK(BM_ReadAndDrawDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
