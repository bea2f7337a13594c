// The host's Spreadsheet menu as a user drives it: the sample bill produced
// into its window and saved where the user said, a standards sheet opened in
// the formula dialog, and the module's windows closed when it unloads.
#include "HostFixture.h"

#include "platform/core/Files.h"
#include "platform/ui/VtxDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

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

namespace {

// Types value into cell (column, row) of the modal dialog's grid (the one
// with control id gridId, or the first) up now and presses its OK button.
void editModalGrid(int column, int row, const QString& value, int gridId = 0) {
    QTimer::singleShot(0, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "the grid dialog is modal";
        modal->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        auto* grid = gridId == 0
                         ? modal->findChild<QTableView*>()
                         : modal->findChild<QTableView*>(QStringLiteral("ctl%1").arg(gridId));
        ASSERT_NE(grid, nullptr);
        // A click, the first key opens the cell's editor, Return commits.
        const QModelIndex cell = grid->model()->index(row - 1, column - 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(grid, value.left(1));
        QLineEdit* editor = nullptr;
        for (QLineEdit* edit : grid->findChildren<QLineEdit*>())
            if (edit->isVisible())
                editor = edit;
        if (editor == nullptr) {
            ADD_FAILURE() << "typing opens the cell's editor";
            modal->close();
            return;
        }
        QTest::keyClicks(editor, value.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        for (QPushButton* button : modal->findChildren<QPushButton*>())
            if (button->text() == "OK") {
                button->click();
                return;
            }
        ADD_FAILURE() << "no OK button";
        modal->close();
    });
}

// The entry of a macro in the Standards menu's "Macro variables of".
QAction* variablesOf(QWidget* window, const QString& macro) {
    for (QAction* top : window->findChild<QMenuBar*>()->actions())
        for (QAction* item : top->menu()->actions())
            if (item->text() == "Macro &variables of")
                for (QAction* entry : item->menu()->actions())
                    if (entry->text() == macro)
                        return entry;
    return nullptr;
}

TEST_F(HostSpreadsheetTest, MacroVariablesAreEditedInTheGridDialog) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd"));
    editModalGrid(2, 1, "12.5");
    variablesOf(&window, "EP-1")->trigger();
    Vtx_StringArray names;
    Vtx_StringArray values;
    window.session().macroGeneralVariables("EP-1", names, values);
    ASSERT_GT(names.length(), 1);
    EXPECT_EQ(names[0], "gen_Gap");
    EXPECT_EQ(values[0], "12.5");
    EXPECT_TRUE(window.session().isModified());

    // Text that is no number changes nothing and is said.
    editModalGrid(2, 2, "wide");
    variablesOf(&window, "EP-1")->trigger();
    window.session().macroGeneralVariables("EP-1", names, values);
    EXPECT_EQ(values[1], "15");
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("is not a number"));
}

} // namespace

namespace {

TEST_F(HostSpreadsheetTest, TheDrawingsGeneralVariablesAreEditedAndSavedWithIt) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd"));
    editModalGrid(2, 1, "S460", 1434);
    action(&window, "&Standards", "&General variables of the drawing...")->trigger();
    EXPECT_TRUE(window.session().isModified());
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("were changed"));

    const fs::path target = folder / "edited.vtxd";
    Vtx_String reason;
    ASSERT_TRUE(window.session().saveAs(corePath(target), reason)) << reason.c_str();
    Vtx_Database reread;
    ASSERT_EQ(readDrawingFile(corePath(target), reread, reason), eOk) << reason.c_str();
    const KsAutoStandardsData& saved = reread.autoStandardsData();
    ASSERT_GT(saved.dwgGenVars().length(), 0);
    EXPECT_EQ(saved.dwgGenVars()[0], "Grade");
    EXPECT_EQ(saved.dwgGenValues()[0], "S460");
}

} // namespace
