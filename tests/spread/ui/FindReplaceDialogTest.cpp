// The find/replace dialog driven as a user drives it: F3 and F5 in a grid,
// texts typed into its edits, its buttons clicked, every question answered
// from the script.
#include "GridWidgetFixture.h"

#include "platform/ui/UiText.h"
#include "spread/ui/FindReplaceDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using gridtest::GridWidgetFixture;
using vtx::spreadui::FindReplaceDialog;
using vtx::spreadui::SpreadView;

class FindReplaceDialogTest : public GridWidgetFixture {
protected:
    // A 3 x 3 grid with the given texts row by row, shown, with (1, 1) active.
    SpreadView* showTexts(const std::vector<Vtx_StringArray>& rows) {
        SpreadView* view = show(3, static_cast<int>(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r)
            grid.setRow(static_cast<int>(r) + 1, rows[r]);
        grid.setModified(false);
        grid.setActiveCell(1, 1);
        view->sync();
        return view;
    }
    // F3 (or F5) in the grid; returns the dialog it opened.
    FindReplaceDialog* press(SpreadView* view, Qt::Key key) {
        QTest::keyClick(view, key);
        view->sync();
        return view->findDialog();
    }
    void setTexts(FindReplaceDialog* find, const QString& what, const QString& with = {}) {
        find->findEdit()->clear();
        typeText(find->findEdit(), what);
        find->replaceEdit()->clear();
        typeText(find->replaceEdit(), with);
    }
    void clickButton(FindReplaceDialog* find, int id) {
        QTest::mouseClick(find->controlAs<QPushButton>(id), Qt::LeftButton);
        dialogHost->view(kPlaceholder)->sync();
    }
    std::pair<int, int> active() {
        int column = 0;
        int row = 0;
        grid.getActiveCell(column, row);
        return {column, row};
    }
    static QString selected(SpreadView* view) {
        QLineEdit* editor = view->cellEditor();
        return editor ? editor->selectedText() : QStringLiteral("<no editor>");
    }
    static int selectionStart(SpreadView* view) {
        return view->cellEditor() ? view->cellEditor()->selectionStart() : -1;
    }
};

TEST_F(FindReplaceDialogTest, F3OpensTheDialogWhichProtectsTheGridUntilItCloses) {
    SpreadView* view = showTexts({{"a", "b", "c"}});
    grid.setOption(vtx::sheet::kOptionProtect, false);
    grid.setOption(20, true);
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->templateId(), 218);
    EXPECT_TRUE(find->windowFlags() & Qt::Tool) << "it stays above its grid";
    EXPECT_EQ(find->parentWidget(), view);
    EXPECT_TRUE(vtx::ui::missingTexts(find).isEmpty())
        << vtx::ui::missingTexts(find).join(", ").toStdString();
    for (int id : {1206, 1207, 1208, 1209, 1, 1204, 1205, 2})
        EXPECT_NE(find->control(id), nullptr) << "control " << id;
    EXPECT_TRUE(grid.getOption(vtx::sheet::kOptionProtect));
    EXPECT_FALSE(grid.getOption(20));
    EXPECT_EQ(press(view, Qt::Key_F5), find) << "one dialog per grid, kept while open";

    clickButton(find, FindReplaceDialog::kCloseId);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->findDialog(), nullptr) << "closing destroys it";
    EXPECT_FALSE(grid.getOption(vtx::sheet::kOptionProtect)) << "protection was off: off again";

    // Protection that was on at opening stays on; Esc closes as the button does.
    grid.setOption(vtx::sheet::kOptionProtect, true);
    find = press(view, Qt::Key_F3);
    ASSERT_NE(find, nullptr);
    QTest::keyClick(find, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->findDialog(), nullptr);
    EXPECT_TRUE(grid.getOption(vtx::sheet::kOptionProtect));
}

TEST_F(FindReplaceDialogTest, ItsSizeAndPlaceAreKeptBetweenOpenings) {
    SpreadView* view = showTexts({{"a", "b", "c"}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
    const QRect moved(140, 120, find->width() + 60, find->height());
    find->setGeometry(moved);
    clickButton(find, FindReplaceDialog::kCloseId);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Vtx_DlgSize stored;
    ASSERT_TRUE(getDlgSize("DLG_FINDREPLACE", stored));
    EXPECT_EQ(stored, (Vtx_DlgSize{140, 120, moved.width(), moved.height()}));

    find = press(view, Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
    EXPECT_EQ(find->geometry(), moved);
}

TEST_F(FindReplaceDialogTest, FindNextWalksTheOccurrencesInsideCellsAndFromCellToCell) {
    SpreadView* view = showTexts({{"HEA 200 HEA", "x", ""}, {"y", "IPE", "HEA"}});
    ASSERT_TRUE(grid.setCellFormula(3, 1, "\"HE\"&\"A 1\"", true));
    ASSERT_EQ(text(grid, 3, 1), "HEA 1");
    grid.setModified(false);
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "HEA");
    EXPECT_EQ(grid.isModified(), false);

    clickButton(find, FindReplaceDialog::kFindNextId);
    EXPECT_EQ(active(), std::make_pair(1, 1)) << "the active cell itself is searched first";
    EXPECT_EQ(selected(view), "HEA");
    EXPECT_EQ(selectionStart(view), 0);

    QTest::keyClick(find, Qt::Key_F3);
    view->sync();
    EXPECT_EQ(active(), std::make_pair(1, 1)) << "then on inside the cell being edited";
    EXPECT_EQ(selectionStart(view), 8);

    clickButton(find, FindReplaceDialog::kFindNextId);
    EXPECT_EQ(active(), std::make_pair(3, 1)) << "a formula's value is found";
    EXPECT_EQ(view->cellEditor(), nullptr)
        << "its editor would show the formula, not the text found: the cell is only made active";

    clickButton(find, FindReplaceDialog::kFindNextId);
    EXPECT_EQ(active(), std::make_pair(3, 2)) << "and the next search goes on after it";
    EXPECT_EQ(selected(view), "HEA");
    EXPECT_FALSE(grid.isModified()) << "finding changes nothing";
}

TEST_F(FindReplaceDialogTest, ASearchGoesOnAfterTheOccurrenceWhenTheEditorClosedMeanwhile) {
    // The editor closes whenever the focus leaves the grid's window.
    SpreadView* view = showTexts({{"bolt nut bolt", "bolt", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "bolt");
    ASSERT_TRUE(find->findNext());
    view->finishEditing();
    ASSERT_TRUE(find->findNext());
    EXPECT_EQ(active(), std::make_pair(1, 1));
    EXPECT_EQ(selectionStart(view), 9);
    view->finishEditing();
    ASSERT_TRUE(find->findNext());
    EXPECT_EQ(active(), std::make_pair(2, 1));
}

TEST_F(FindReplaceDialogTest, AtTheEndTheUserChoosesWhetherToGoOnFromTheBeginning) {
    SpreadView* view = showTexts({{"plate", "", ""}, {"", "", ""}});
    grid.setActiveCell(2, 2);
    view->sync();
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "plate");

    prompter.queueMessageAnswer(MessageResult::No);
    clickButton(find, FindReplaceDialog::kFindNextId);
    ASSERT_EQ(prompter.messages().size(), 1u);
    const MessageRecord& asked = prompter.messages()[0];
    EXPECT_EQ(asked.text.str(),
              "The end of the table was reached.\nContinue from the beginning?\n");
    EXPECT_EQ(asked.caption.str(), "Find");
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(active(), std::make_pair(2, 2)) << "No: nothing happens";

    prompter.queueMessageAnswer(MessageResult::Yes);
    clickButton(find, FindReplaceDialog::kFindNextId);
    EXPECT_EQ(active(), std::make_pair(1, 1)) << "Yes: found before where the search began";
    EXPECT_EQ(selected(view), "plate");

    setTexts(find, "beam");
    prompter.queueMessageAnswer(MessageResult::Yes);
    prompter.queueMessageAnswer(MessageResult::Ok);
    clickButton(find, FindReplaceDialog::kFindNextId);
    ASSERT_EQ(prompter.messages().size(), 4u);
    EXPECT_EQ(prompter.messages()[3].text.str(), "The text was not found.");
}

TEST_F(FindReplaceDialogTest, F5ReplacesTheNextOccurrenceAfterTheSelection) {
    SpreadView* view = showTexts({{"M16 x M16 x M16", "", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "M16", "M20");
    clickButton(find, FindReplaceDialog::kFindNextId);
    ASSERT_EQ(selectionStart(view), 0);

    // F5 where the user is: in the cell's editor.
    ASSERT_NE(view->cellEditor(), nullptr);
    QTest::keyClick(view->cellEditor(), Qt::Key_F5);
    view->sync();
    EXPECT_EQ(text(grid, 1, 1), "M16 x M20 x M16") << "the selected one is passed over";
    EXPECT_TRUE(grid.isModified());
    EXPECT_EQ(selected(view), "M20") << "the replacement stays selected";

    clickButton(find, FindReplaceDialog::kReplaceId);
    EXPECT_EQ(text(grid, 1, 1), "M16 x M20 x M20");

    // Nothing left after the selection: the question, declined, replaces nothing.
    prompter.queueMessageAnswer(MessageResult::No);
    clickButton(find, FindReplaceDialog::kReplaceId);
    EXPECT_EQ(text(grid, 1, 1), "M16 x M20 x M20");
}

TEST_F(FindReplaceDialogTest, ReplaceAllCountsCellsAndLeavesCellsTheUserCannotChange) {
    SpreadView* view = showTexts({{"S235 and S235", "S355", "S235"}, {"S235 pipe", "", ""}});
    grid.setLocked(3, 1, 3, 1, true);
    view->sync();
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "S235", "S355");
    prompter.queueMessageAnswer(MessageResult::Ok);
    clickButton(find, FindReplaceDialog::kReplaceAllId);

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text.str(), "Replaced in 2 cells.")
        << "cells, not occurrences";
    EXPECT_EQ(prompter.messages()[0].caption.str(), "Replace all");
    EXPECT_EQ(text(grid, 1, 1), "S355 and S355");
    EXPECT_EQ(text(grid, 1, 2), "S355 pipe");
    EXPECT_EQ(text(grid, 3, 1), "S235") << "locked, and the open dialog protects the grid";
    EXPECT_TRUE(grid.isModified());
}

TEST_F(FindReplaceDialogTest, ReplaceAllWithTheFindTextInTheReplacementEnds) {
    SpreadView* view = showTexts({{"a", "a", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "a", "aa");
    prompter.queueMessageAnswer(MessageResult::Ok);
    EXPECT_EQ(find->replaceAll(), 2);
    EXPECT_EQ(text(grid, 1, 1), "aa");
    EXPECT_EQ(text(grid, 2, 1), "aa");
}

TEST_F(FindReplaceDialogTest, AnEditorOpenDuringReplaceAllDoesNotWriteItsOldTextBack) {
    SpreadView* view = showTexts({{"HEA", "", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "HEA", "HEB");
    ASSERT_TRUE(find->findNext());
    ASSERT_NE(view->cellEditor(), nullptr);
    prompter.queueMessageAnswer(MessageResult::Ok);
    find->replaceAll();
    QCoreApplication::processEvents();
    view->sync();
    EXPECT_EQ(text(grid, 1, 1), "HEB");
}

TEST_F(FindReplaceDialogTest, TheGridLeavesEditModeWhenTheFoundCellsEditorCloses) {
    SpreadView* view = showTexts({{"HEA", "IPE", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, "HEA");
    ASSERT_TRUE(find->findNext());
    view->finishEditing();
    EXPECT_FALSE(grid.model()->editMode());
    // A later move of the cursor by the grid (a command, a check link) opens
    // no editor.
    grid.setActiveCell(2, 1);
    view->sync();
    EXPECT_EQ(view->cellEditor(), nullptr);
}

TEST_F(FindReplaceDialogTest, AnUnholdableTextIsRefusedWithAMessage) {
    SpreadView* view = showTexts({{"a", "", ""}});
    FindReplaceDialog* find = press(view, Qt::Key_F3);
    setTexts(find, QString::fromUtf8("\u0100"));
    prompter.queueMessageAnswer(MessageResult::Ok);
    EXPECT_FALSE(find->findNext());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, string(vtx::ui::kUnholdableTextNumber));
}

TEST_F(FindReplaceDialogTest, TheDialogGoesWithItsGridOrItsView) {
    SpreadView* view = showTexts({{"a", "", ""}});
    grid.setOption(vtx::sheet::kOptionProtect, false);
    QPointer<FindReplaceDialog> find = press(view, Qt::Key_F3);
    ASSERT_TRUE(find);
    delete view;
    EXPECT_FALSE(find);
    EXPECT_FALSE(grid.getOption(vtx::sheet::kOptionProtect)) << "the grid is as it was";

    auto other = std::make_unique<Vtx_Spread>();
    auto* placeholder = new QWidget(dialog.get());
    vtx::ui::VtxDialog::setControlId(placeholder, 1197);
    ASSERT_TRUE(other->createInDialog(dialogHost.get(), 1197, true));
    other->setMaxCols(1, false);
    other->setMaxRows(1, false);
    SpreadView* otherView = dialogHost->view(1197);
    otherView->runFind(false);
    find = otherView->findDialog();
    ASSERT_TRUE(find);
    other.reset();
    EXPECT_FALSE(find) << "destroyed with the grid";
    otherView->runFind(false);
    EXPECT_EQ(otherView->findDialog(), nullptr) << "no grid, no dialog";
}

} // namespace
