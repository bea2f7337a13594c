#pragma once

// Typing into a grid's cell as a user does, for the dialog tests whose
// dialogs hold grids. Kept out of UiFixture.h, so that dialogs without a
// grid do not need the grid widget.

#include "UiFixture.h"

#include "spread/ui/SpreadView.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace uitest {

/// Scrolls to the cell (column and row from 1), clicks it, types the first
/// character (which opens the cell's editor), the rest into the editor, and
/// Return; the grid then holds the text.
inline void typeIntoCell(vtx::spreadui::SpreadView* view, int column, int row,
                         const QString& text) {
    const QModelIndex index = view->model()->index(row - 1, column - 1);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    typeText(view, text.left(1));
    QLineEdit* editor = view->cellEditor();
    ASSERT_NE(editor, nullptr) << "typing opens the cell's editor";
    typeText(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    view->sync();
}

} // namespace uitest
