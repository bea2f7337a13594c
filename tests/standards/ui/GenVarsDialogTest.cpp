// The general-variables dialog as a user drives it: the record shown in two
// grids, edited with keys, rows added and deleted with the buttons, filters
// added through the file picker, OK and Cancel through the Start function.
#include "UiFixture.h"

#include "platform/core/Settings.h"
#include "platform/ui/UiText.h"
#include "spread/ui/SheetTableModel.h"
#include "spread/ui/SpreadView.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/ui/GenVarsDialog.h"

#include <QAbstractButton>
#include <QPushButton>

#include <cstdlib>
#include <ostream>

// Readable failures: texts and lists of texts as their bytes.
inline void PrintTo(const Vtx_String& text, std::ostream* os) {
    *os << testing::PrintToString(text.str());
}
inline void PrintTo(const Vtx_StringArray& list, std::ostream* os) {
    *os << "{";
    for (const Vtx_String& text : list)
        *os << " " << testing::PrintToString(text.str());
    *os << " }";
}

namespace {

using vtx::spreadui::SpreadView;
using namespace vtx::standardsui;

class GenVarsDialogTest : public uitest::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        m_savedLibDir = gSettings.libDir;
        gSettings.setLibDir(corePathOf(m_root / "library"));
        record.appendDwgGen("Grade", "S355", "");
        record.appendDwgGen("Coating", "Galvanised", "Hall A");
        record.appendStdGen("gen_Gap", "12", "", "");
    }
    void TearDown() override {
        gSettings.libDir = m_savedLibDir;
        UiFixture::TearDown();
    }

    static QPoint cellCentre(SpreadView* view, int column, int row) {
        return view->visualRect(view->model()->index(row - 1, column - 1)).center();
    }
    static void click(SpreadView* view, int column, int row,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          cellCentre(view, column, row));
        view->sync();
    }
    static void press(QWidget* dialog, int id) {
        auto* button =
            qobject_cast<QAbstractButton*>(static_cast<vtx::ui::VtxDialog*>(dialog)->control(id));
        ASSERT_NE(button, nullptr) << "control " << id;
        button->click();
    }
    /// Types text into a cell (the first key opens the editor, the others go
    /// to it) and commits it with Enter.
    static void typeInto(SpreadView* view, int column, int row, const QString& text) {
        QWidget* window = view->window();
        if (!window->isActiveWindow()) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        }
        click(view, column, row);
        typeText(view, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_TRUE(editor != nullptr && editor != view) << "typing opens the cell's editor";
        typeText(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        view->sync();
    }
    static int rows(GenVarsGrid& grid) { return grid.grid().getMaxRows(); }

    KsAutoStandardsData record;

private:
    Vtx_String m_savedLibDir;
};

TEST_F(GenVarsDialogTest, ShowsTheRecordUnderItsTextsAndCancelKeepsIt) {
    const KsAutoStandardsData before = record;
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<GenVarsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->templateId(), 256);
        EXPECT_EQ(dialog->sizeKey(), "DLG_GENVARS");
        EXPECT_EQ(dialog->windowTitle(), vtx::ui::uiText(1764));
        EXPECT_TRUE(vtx::ui::missingTexts(dialog).isEmpty())
            << vtx::ui::missingTexts(dialog).join(", ").toStdString();
        for (int id : {1434, 1444, 1438, 1439, 1440, 1441, 1, 2})
            EXPECT_NE(dialog->control(id), nullptr) << id;
        EXPECT_EQ(dialog->control(1434), dialog->drawingGrid().view());

        GenVarsGrid& drawing = dialog->drawingGrid();
        GenVarsGrid& standards = dialog->standardsGrid();
        EXPECT_EQ(drawing.grid().getMaxCols(), 4);
        EXPECT_EQ(standards.grid().getMaxCols(), 5);
        Vtx_StringArray headers;
        standards.grid().getHeaderRow(headers);
        EXPECT_EQ(headers, (Vtx_StringArray{"Name", "Value", "Override", "Filter", "..."}));
        ASSERT_EQ(rows(drawing), 2);
        EXPECT_EQ(drawing.cellText(2, 1), "S355");
        EXPECT_EQ(drawing.cellText(3, 2), "Hall A");
        EXPECT_EQ(standards.cellText(1, 1), "gen_Gap");

        typeInto(drawing.view(), 2, 1, "S275");
        EXPECT_EQ(drawing.cellText(2, 1), "S275");
        checked = true;
        press(dialog, 2);
    });
    EXPECT_FALSE(StartDlgGenVars(record));
    EXPECT_TRUE(checked);
    EXPECT_EQ(record, before);
}

TEST_F(GenVarsDialogTest, KeysAndOkChangeTheRecordAsTyped) {
    whenModal([&](QWidget* modal) {
        auto* dialog = static_cast<GenVarsDialog*>(modal);
        SpreadView* drawing = dialog->drawingGrid().view();
        typeInto(drawing, 2, 1, QString::fromUtf8("Stahl \u00e9"));
        typeInto(drawing, 2, 2, "12.50");
        typeInto(dialog->standardsGrid().view(), 3, 1, "007");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgGenVars(record));
    EXPECT_EQ(record.dwgGenValues(), (Vtx_StringArray{"Stahl \xE9", "12.50"}))
        << "a number keeps the text as typed";
    EXPECT_EQ(record.stdGenOverrides(), (Vtx_StringArray{"007"}));
    EXPECT_EQ(record.dwgGenFilters(), (Vtx_StringArray{"", "Hall A"}));
}

TEST_F(GenVarsDialogTest, EmptyGridsStartWithOneRowAndNamelessRowsAreLeftOut) {
    GenVarsDialog dialog;
    dialog.setRecord(KsAutoStandardsData());
    dialog.show();
    EXPECT_EQ(rows(dialog.drawingGrid()), 1);
    EXPECT_EQ(rows(dialog.standardsGrid()), 1);

    press(&dialog, kGenVarsStandardsAdd);
    press(&dialog, kGenVarsStandardsAdd);
    GenVarsGrid& standards = dialog.standardsGrid();
    ASSERT_EQ(rows(standards), 3);
    EXPECT_EQ(standards.activeRow(), 3) << "the new row is active";
    typeInto(standards.view(), 2, 1, "5"); // a value without a name
    typeInto(standards.view(), 1, 3, "gen_Width");
    typeInto(standards.view(), 2, 3, "=2*3");

    const KsAutoStandardsData result = dialog.record();
    EXPECT_EQ(result.dwgGenCount(), 0);
    EXPECT_EQ(result.stdGenVars(), (Vtx_StringArray{"gen_Width"}));
    EXPECT_EQ(result.stdGenValues(), (Vtx_StringArray{"=2*3"}))
        << "a formula is kept, not its result";
}

TEST_F(GenVarsDialogTest, ValuesThatLookLikeFormulasOrNumbersComeBackUnchanged) {
    record.setDwgGenValues({"=A1", "0012.500"});
    GenVarsDialog dialog;
    dialog.setRecord(record);
    EXPECT_EQ(dialog.record(), record);
}

TEST_F(GenVarsDialogTest, DeleteRemovesTheSelectedRowsAndKeepsOneRow) {
    record.appendDwgGen("Third", "3", "");
    GenVarsDialog dialog;
    dialog.setRecord(record);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    GenVarsGrid& drawing = dialog.drawingGrid();
    click(drawing.view(), 1, 1);
    click(drawing.view(), 1, 2, Qt::ShiftModifier);
    press(&dialog, kGenVarsDrawingDelete);
    ASSERT_EQ(rows(drawing), 1);
    EXPECT_EQ(drawing.cellText(1, 1), "Third");

    press(&dialog, kGenVarsDrawingDelete);
    EXPECT_EQ(rows(drawing), 1) << "an empty row stays to type in";
    EXPECT_EQ(drawing.cellText(1, 1), "");
    EXPECT_EQ(drawing.cellText(4, 1), "...");
    EXPECT_EQ(dialog.record().dwgGenCount(), 0);
    EXPECT_EQ(dialog.record().stdGenCount(), 1) << "the other grid is untouched";

    press(&dialog, kGenVarsDrawingAdd);
    EXPECT_EQ(rows(drawing), 2);
    EXPECT_EQ(drawing.cellText(4, 2), "...") << "a new row has its picker cell";
}

TEST_F(GenVarsDialogTest, PickedDrawingsUnderMacrosAreAppendedToTheFilter) {
    const std::string macros = (m_root / "library" / "Macros").string();
    prompter.queueFilesAnswer({Vtx_String(macros + "/Sub/b.vtxd"), Vtx_String(macros + "/c.vtxd"),
                               Vtx_String((m_root / "elsewhere.vtxd").string())});
    GenVarsDialog dialog;
    dialog.setRecord(record);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    GenVarsGrid& drawing = dialog.drawingGrid();
    click(drawing.view(), drawing.pickColumn(), 2);
    EXPECT_EQ(drawing.cellText(3, 2), "Hall A;Sub\\b.vtxd;c.vtxd");

    ASSERT_EQ(prompter.fileDialogs().size(), 1U);
    const FileDialogRequest& asked = prompter.fileDialogs()[0].request;
    EXPECT_EQ(asked.caption, "Select the drawings and folders that apply to this general variable");
    EXPECT_EQ(asked.folder, gSettings.libDir + "Macros\\");
    EXPECT_TRUE(asked.multiSelect);
    EXPECT_TRUE(asked.filter.hasSubString("*.vtxd"));

    // F4 asks for the active row of the standards grid; a cancelled picker
    // changes nothing.
    GenVarsGrid& standards = dialog.standardsGrid();
    prompter.queueFilesAnswer({Vtx_String(macros + "/d.vtxd")});
    prompter.queueFilesAnswer({});
    click(standards.view(), 1, 1);
    QTest::keyClick(standards.view(), Qt::Key_F4);
    EXPECT_EQ(standards.cellText(4, 1), "d.vtxd");
    QTest::keyClick(standards.view(), Qt::Key_F4);
    EXPECT_EQ(standards.cellText(4, 1), "d.vtxd");
    EXPECT_EQ(dialog.record().stdGenFilters(), (Vtx_StringArray{"d.vtxd"}));

    if (const char* out = std::getenv("VTX_GENVARS_SCREENSHOT"))
        dialog.grab().save(out);
}

} // namespace
