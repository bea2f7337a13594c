// Cells of each type edited as a user edits them: typing into text, edit and
// number cells, choosing in a combo, toggling check boxes, check links, and
// cells that refuse the user (locked, covered by a span).
#include "GridWidgetFixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>

namespace {

using gridtest::GridWidgetFixture;
using vtx::spreadui::SpreadView;

class SpreadViewEditTest : public GridWidgetFixture {
protected:
    // Double-clicks a cell and returns the editor that opened.
    template <class Editor> Editor* openEditor(SpreadView* view, int column, int row) {
        click(view, column, row);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellCentre(view, column, row));
        return qobject_cast<Editor*>(QApplication::focusWidget());
    }
    // Enter commits; the delegate hands the text over on the next turn.
    void commit(QWidget* editor, SpreadView* view) {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        view->sync();
    }
};

TEST_F(SpreadViewEditTest, TypedTextAndFormulasReachTheGrid) {
    SpreadView* view = show(3, 4);
    grid.setCellText(1, 1, "21");
    click(view, 2, 1);
    QTest::keyClick(view, 'P'); // the first key opens the editor, the others go to it
    QTest::keyClicks(QApplication::focusWidget(), "late");
    commit(QApplication::focusWidget(), view);
    EXPECT_EQ(text(grid, 2, 1), "Plate");
    EXPECT_TRUE(grid.isModified());

    auto* line = openEditor<QLineEdit>(view, 3, 1);
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, "=A1*2");
    commit(line, view);
    EXPECT_EQ(text(grid, 3, 1), "42");
    EXPECT_EQ(view->model()->index(0, 2).data(Qt::EditRole).toString(), "=A1*2")
        << "the editor opens on the formula, not its result";
    EXPECT_EQ(view->model()->index(0, 2).data(Qt::DisplayRole).toString(), "42");
}

TEST_F(SpreadViewEditTest, EditCellsKeepAtMostTheirLength) {
    SpreadView* view = show(2, 2);
    grid.setEditCells(1, 1, 1, 2, kEditStyleDefault, 5);
    auto* line = openEditor<QLineEdit>(view, 1, 1);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 5);
    QTest::keyClicks(line, "Stiffener");
    commit(line, view);
    EXPECT_EQ(text(grid, 1, 1), "Stiff");
}

TEST_F(SpreadViewEditTest, NumberCellsTakeTheirDecimalsAndStayInTheirBounds) {
    SpreadView* view = show(2, 2);
    grid.setNumberCells(1, 1, 1, 2, 1, 0, 100);
    auto* spin = openEditor<QDoubleSpinBox>(view, 1, 1);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->decimals(), 1);
    EXPECT_EQ(spin->minimum(), 0);
    EXPECT_EQ(spin->maximum(), 100);
    QTest::keyClicks(spin->findChild<QLineEdit*>(), "12.25");
    commit(spin, view);
    EXPECT_EQ(text(grid, 1, 1), "12.2") << "a second decimal cannot be typed";

    spin = openEditor<QDoubleSpinBox>(view, 1, 2);
    ASSERT_NE(spin, nullptr);
    spin->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(spin->findChild<QLineEdit*>(), "500");
    commit(spin, view);
    double stored = 0;
    ASSERT_TRUE(grid.getCellDouble(1, 2, stored));
    EXPECT_LE(stored, 100) << "a number above the maximum cannot be typed";

    // Whatever reaches the model, the grid refuses a number beyond the bounds.
    EXPECT_FALSE(view->model()->setData(view->model()->index(1, 0), "250", Qt::EditRole));
    EXPECT_EQ(stored, [&] {
        double v = 0;
        grid.getCellDouble(1, 2, v);
        return v;
    }());
}

TEST_F(SpreadViewEditTest, ComboCellsOfferTheirItems) {
    SpreadView* view = show(2, 2);
    grid.setComboCells(1, 1, 1, 2, {"S235", "S275", "S355"}, false);
    auto* combo = openEditor<QComboBox>(view, 1, 1);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_FALSE(combo->isEditable()) << "a list to choose from";
    combo->setCurrentIndex(2);
    commit(combo, view);
    EXPECT_EQ(text(grid, 1, 1), "S355");

    grid.setComboCells(2, 1, 2, 1, {"M16", "M20"}, true);
    combo = openEditor<QComboBox>(view, 2, 1);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable()) << "the flagged style takes any text";
}

TEST_F(SpreadViewEditTest, CheckBoxesToggleByClickAndSpaceAndFollowTheirLink) {
    SpreadView* view = show(3, 3);
    grid.setCheckBoxColumn(1, true, false);
    grid.setColumn(1, {"0", "1", "0"});
    ASSERT_TRUE(grid.linkCheckColumns(1, 2));
    view->sync();
    EXPECT_TRUE(grid.isLocked(2, 1)) << "driver off: target locked";
    EXPECT_FALSE(view->model()->flags(view->model()->index(0, 1)) & Qt::ItemIsEditable);

    click(view, 1, 1);
    EXPECT_EQ(text(grid, 1, 1), "1");
    EXPECT_FALSE(grid.isLocked(2, 1)) << "the link unlocks the target";
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 1)) << "the target becomes active";
    EXPECT_TRUE(view->model()->flags(view->currentIndex()) & Qt::ItemIsEditable);

    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Space);
    view->sync();
    EXPECT_EQ(text(grid, 1, 2), "0");
    EXPECT_TRUE(grid.isLocked(2, 2));
    EXPECT_TRUE(view->model()->index(1, 0).data(Qt::DisplayRole).isNull())
        << "a check box shows its picture, not its text";
}

TEST_F(SpreadViewEditTest, LockedCellsAndCoveredCellsRefuseTheUser) {
    SpreadView* view = show(2, 4);
    grid.setColumn(1, {"Bolt", "bolt", "Nut", "Nut"});
    grid.setLocked(2, 1, 2, 1, true);
    ASSERT_TRUE(grid.mergeEqualCells(1));
    view->sync();
    EXPECT_EQ(view->rowSpan(0, 0), 2);
    EXPECT_EQ(view->rowSpan(2, 0), 2);

    auto* model = view->model();
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable) << "locked, protected";
    EXPECT_FALSE(model->flags(model->index(1, 0)) & Qt::ItemIsEditable) << "covered by a span";
    EXPECT_FALSE(model->setData(model->index(0, 1), "x", Qt::EditRole));
    click(view, 2, 1);
    QTest::keyClicks(view, "x");
    view->sync();
    EXPECT_EQ(text(grid, 2, 1), "");

    // Without protection (option 13 off) a lock no longer holds the user back.
    grid.setOption(13, false);
    view->sync();
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(SpreadViewEditTest, SizesOfZeroHideRowsAndColumns) {
    SpreadView* view = show(3, 3);
    grid.model()->setRowHeight(2, 0);
    grid.model()->setColumnWidth(3, 0);
    grid.model()->setRowHeight(3, 30);
    view->sync();
    EXPECT_TRUE(view->isRowHidden(1));
    EXPECT_TRUE(view->isColumnHidden(2));
    EXPECT_EQ(view->rowHeight(2), 40) << "30 points at 96 dots per inch";
    grid.model()->setRowHeight(2, 12);
    view->sync();
    EXPECT_FALSE(view->isRowHidden(1));
}

} // namespace
