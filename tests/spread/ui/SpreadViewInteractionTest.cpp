// The grid's interaction through its view: the cursor in step both ways, the
// context menu's commands with the header question, Tab at the ends, F3, F5,
// F8, and the column layout applied again on every resize.
#include "GridWidgetFixture.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

namespace {

using gridtest::GridWidgetFixture;
using vtx::spreadui::SpreadView;

class SpreadViewInteractionTest : public GridWidgetFixture {
protected:
    // Right-clicks a cell and chooses the menu entry with the text.
    void chooseFromContextMenu(SpreadView* view, int column, int row, const QString& entry) {
        bool chosen = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "no context menu came up";
            for (QAction* action : menu->actions())
                if (action->text() == entry) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    chosen = true;
                    return;
                }
            menu->close();
        });
        const QPoint at = cellCentre(view, column, row);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        QCoreApplication::processEvents();
        view->sync();
        EXPECT_TRUE(chosen) << "no entry " << entry.toStdString();
    }
    void fill(int columns, int rows) {
        for (int c = 1; c <= columns; ++c)
            for (int r = 1; r <= rows; ++r)
                grid.setCellText(c, r, Vtx_String::fromInt(c * 10 + r));
    }
};

TEST_F(SpreadViewInteractionTest, ActiveCellAndSelectionStayInStepBothWays) {
    SpreadView* view = show(4, 5);
    click(view, 3, 2);
    int column = 0, row = 0;
    ASSERT_TRUE(grid.getActiveCell(column, row));
    EXPECT_EQ(column, 3);
    EXPECT_EQ(row, 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(view, 4, 4));
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    ASSERT_TRUE(grid.getSelection(c1, r1, c2, r2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{3, 2, 4, 4}));

    grid.setActiveCell(1, 5);
    grid.selectRange(1, 3, 2, 5);
    view->sync();
    EXPECT_EQ(view->currentIndex(), view->model()->index(4, 0));
    EXPECT_EQ(view->selectionModel()->selectedIndexes().size(), 6);
    EXPECT_TRUE(view->selectionModel()->isSelected(view->model()->index(2, 1)));
}

TEST_F(SpreadViewInteractionTest, InsertColumnAsksForItsHeaderAndCancelKeepsTheDefault) {
    SpreadView* view = show(3, 2);
    fill(3, 2);
    grid.setContextCommands(
        {kContextInsertRow, kContextSeparator, kContextInsertColumn, kContextDeleteColumn});
    prompter.queueTextAnswer("Length");
    chooseFromContextMenu(view, 2, 1, "Insert column");
    EXPECT_EQ(grid.getMaxCols(), 4);
    EXPECT_EQ(view->model()->columnCount(), 4);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Length");
    EXPECT_EQ(text(grid, 3, 1), "21") << "the old column 2 moved right";
    ASSERT_EQ(prompter.textInputs().size(), 1u);
    EXPECT_EQ(prompter.textInputs()[0].request.caption, "Insert");
    EXPECT_EQ(prompter.textInputs()[0].request.prompt, "Header of the new column:");

    prompter.queueTextCancel();
    chooseFromContextMenu(view, 1, 1, "Insert column");
    EXPECT_EQ(grid.getMaxCols(), 5) << "the column stays; only its header is not given";
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "A");
}

TEST_F(SpreadViewInteractionTest, InsertAndDeleteRowsFromTheMenu) {
    SpreadView* view = show(2, 3);
    fill(2, 3);
    grid.setContextCommands({kContextInsertRow, kContextDeleteRow});
    chooseFromContextMenu(view, 1, 2, "Delete row");
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(view->model()->index(1, 0).data().toString(), "13");

    chooseFromContextMenu(view, 1, 2, "Delete row");
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 0))
        << "the active cell moves to the last row left";
    chooseFromContextMenu(view, 1, 1, "Insert row");
    EXPECT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(view->model()->index(1, 0).data().toString(), "11");
    EXPECT_TRUE(prompter.textInputs().empty()) << "a row is inserted without a question";
}

TEST_F(SpreadViewInteractionTest, NoContextMenuWithoutCommands) {
    SpreadView* view = show(2, 2);
    EXPECT_EQ(view->buildContextMenu(), nullptr);
}

TEST_F(SpreadViewInteractionTest, TabLeavesTheGridOnlyAtItsEnds) {
    SpreadView* view = show(2, 2);
    auto* before = new QPushButton("before", dialog.get());
    auto* after = new QPushButton("after", dialog.get());
    before->show();
    after->show();
    QWidget::setTabOrder(before, view);
    QWidget::setTabOrder(view, after);
    grid.setLocked(2, 2, 2, 2, true); // the last enterable cell is (1, 2)
    QSignalSpy left(view, &SpreadView::leftGrid);

    view->setFocus();
    grid.setActiveCell(1, 1);
    view->sync();
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 1));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 0)) << "on to the next row";
    EXPECT_TRUE(left.isEmpty());
    QTest::keyClick(view, Qt::Key_Tab);
    ASSERT_EQ(left.size(), 1) << "Tab on the last enterable cell leaves forwards";
    EXPECT_TRUE(left[0][0].toBool());
    EXPECT_TRUE(after->hasFocus());

    view->setFocus();
    grid.setActiveCell(1, 1);
    view->sync();
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(left.size(), 2) << "Shift+Tab on the first enterable cell leaves backwards";
    EXPECT_FALSE(left[1][0].toBool());
    EXPECT_TRUE(before->hasFocus());
}

TEST_F(SpreadViewInteractionTest, FunctionKeys) {
    SpreadView* view = show(2, 2);
    QSignalSpy find(view, &SpreadView::findRequested);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F3);
    QTest::keyClick(view, Qt::Key_F5);
    ASSERT_EQ(find.size(), 2);
    EXPECT_FALSE(find[0][0].toBool());
    EXPECT_TRUE(find[1][0].toBool()) << "F5 asks for the replace step";

    const bool protectedBefore = grid.getOption(13);
    QTest::keyClick(view, Qt::Key_F8);
    EXPECT_EQ(grid.getOption(13), protectedBefore) << "F8 does nothing unless allowed";
    grid.setAllowEditToggle(true);
    QTest::keyClick(view, Qt::Key_F8);
    EXPECT_NE(grid.getOption(13), protectedBefore);
    QTest::keyClick(view, Qt::Key_F8);
    EXPECT_EQ(grid.getOption(13), protectedBefore);
}

TEST_F(SpreadViewInteractionTest, ColumnLayoutIsAppliedAgainOnEveryResize) {
    SpreadView* view = show(4, 3);
    ASSERT_TRUE(grid.setColumnLayout(kLayoutEqual, 0, 0));
    view->sync();
    auto expectEqual = [&] {
        const int width = grid.availableWidth();
        const int share = width / 5; // four columns and the header column
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(view->columnWidth(c), share) << "column " << c + 1 << " of " << width;
        EXPECT_EQ(view->verticalHeader()->width(), share);
    };
    expectEqual();
    const int before = view->columnWidth(0);
    view->resize(view->width() + 100, view->height());
    view->sync();
    EXPECT_EQ(view->columnWidth(0), before + 20);
    expectEqual();
}

TEST_F(SpreadViewInteractionTest, AGridDestroyedFirstLeavesAnEmptyView) {
    auto spare = std::make_unique<Vtx_Spread>();
    auto* placeholder = new QWidget(dialog.get());
    vtx::ui::VtxDialog::setControlId(placeholder, 1197);
    ASSERT_TRUE(spare->createInDialog(dialogHost.get(), 1197, true));
    spare->setMaxCols(2, false);
    spare->setMaxRows(2, false);
    SpreadView* view = dialogHost->view(1197);
    view->sync();
    EXPECT_EQ(view->model()->rowCount(), 2);
    spare.reset();
    EXPECT_EQ(view->grid(), nullptr);
    EXPECT_EQ(view->model()->rowCount(), 0);
    view->repaint();
}

} // namespace
