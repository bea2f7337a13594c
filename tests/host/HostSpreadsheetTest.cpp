// The host's Spreadsheet menu as a user drives it: the sample bill produced
// into its window and saved where the user said, a standards sheet opened in
// the formula dialog, and the module's windows closed when it unloads.
#include "HostFixture.h"

#include "platform/core/Files.h"
#include "platform/ui/VtxDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTableView>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using hosttest::HostWindowTest;
using vtx::ui::VtxDialog;

// The module's shown dialog of a template, or null.
VtxDialog* shownDialog(int templateId) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<VtxDialog*>(widget))
            if (dialog->templateId() == templateId && dialog->isVisible())
                return dialog;
    return nullptr;
}

QTableView* gridOf(VtxDialog* dialog, int placeholder) {
    return dialog ? qobject_cast<QTableView*>(dialog->control(placeholder)) : nullptr;
}

using HostSpreadsheetTest = HostWindowTest;

TEST_F(HostSpreadsheetTest, TheSampleBillFillsItsWindowAndIsSavedWhereAsked) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.moduleLoaded());
    const fs::path target = folder / "hall.kss";
    prompter.queueFileAnswer(gSettings.libDir + "Bills\\Hall-7.csv");
    prompter.queueFileAnswer(corePath(target));
    action(&window, "S&preadsheet", "Produce &bill...")->trigger();

    EXPECT_TRUE(fs::exists(target));
    const QString shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("saved to")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("*Error*")) << shown.toStdString();
    VtxDialog* bill = shownDialog(248);
    ASSERT_NE(bill, nullptr) << "the bill window shows";
    EXPECT_EQ(bill->parentWidget(), &window);
    QTableView* grid = gridOf(bill, 1196);
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();
    EXPECT_GT(grid->model()->rowCount(), 5);
    EXPECT_FALSE(grid->model()->headerData(0, Qt::Horizontal).toString().isEmpty());

    // A second bill replaces the first window; unloading takes the last.
    prompter.queueFileAnswer(gSettings.libDir + "Bills\\Hall-7.csv");
    prompter.queueFileAnswer(corePath(folder / "again.kss"));
    action(&window, "S&preadsheet", "Produce &bill...")->trigger();
    int billWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<VtxDialog*>(widget))
            billWindows += dialog->templateId() == 248;
    EXPECT_EQ(billWindows, 1);
    action(&window, "&Module", "&Unload module")->trigger();
    EXPECT_EQ(shownDialog(248), nullptr);
}

TEST_F(HostSpreadsheetTest, ABillIsNeverWrittenOverItsPartList) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    const fs::path list = folder / "parts.csv";
    fs::copy_file(nativePath(gSettings.libDir + "Bills\\Hall-7.csv"), list);
    const std::uintmax_t size = fs::file_size(list);
    EXPECT_FALSE(window.produceBill(corePath(list), corePath(list)));
    EXPECT_EQ(fs::file_size(list), size);
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("*Error*"));
}

TEST_F(HostSpreadsheetTest, AStandardsSheetOpensInTheFormulaDialogUntilTheModuleUnloads) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    prompter.queueFileAnswer(gSettings.libDir + "Connection Standards\\FinPlate\\FP-Standard.kss");
    action(&window, "S&preadsheet", "&Formula dialog...")->trigger();
    VtxDialog* formulas = shownDialog(133);
    ASSERT_NE(formulas, nullptr);
    EXPECT_EQ(formulas->windowTitle(), "Formulas");
    QTableView* grid = gridOf(formulas, 1004);
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();
    EXPECT_GT(grid->model()->rowCount(), 10) << "the sheet's rows, not the empty 10 x 8 grid";
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("Loading spreadsheet:"));

    action(&window, "&Module", "&Unload module")->trigger();
    EXPECT_EQ(shownDialog(133), nullptr) << "the module closes its windows when it unloads";
}

TEST_F(HostSpreadsheetTest, TheTestRunOpensOnItsFixedFileAndADamagedSheetChangesNothing) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    action(&window, "S&preadsheet", "Formula dialog &test run")->trigger();
    VtxDialog* formulas = shownDialog(133);
    ASSERT_NE(formulas, nullptr) << "the dialog opens on its own grid when the file is missing";
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("Loading spreadsheet:c:\\a\\t3.sss"));
    formulas->close();
    QApplication::processEvents();

    const fs::path damaged = folder / "damaged.kss";
    std::ofstream(damaged) << "not a sheet\x01\x02";
    prompter.queueFileAnswer(corePath(damaged));
    action(&window, "S&preadsheet", "&Formula dialog...")->trigger();
    formulas = shownDialog(133);
    ASSERT_NE(formulas, nullptr);
    QTableView* grid = gridOf(formulas, 1004);
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(grid->model()->rowCount(), 10);
    EXPECT_EQ(grid->model()->columnCount(), 8);
    formulas->close();
}

} // namespace
