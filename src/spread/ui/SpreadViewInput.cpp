// SpreadView: keys, the Tab key at the ends of the grid, the context menu
// and text tips.
#include "spread/ui/SpreadView.h"

#include "platform/sheet/SheetModel.h"
#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/FindReplaceDialog.h"
#include "spread/ui/SheetTableModel.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>

namespace vtx::spreadui {

bool SpreadView::event(QEvent* event) {
    // Tab and Shift+Tab reach the grid before Qt's focus chain sees them.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            tabKey(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QTableView::event(event);
}

void SpreadView::keyPressEvent(QKeyEvent* event) {
    Vtx_Spread* g = grid();
    if (g && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_F3:
        case Qt::Key_F5:
            emit findRequested(event->key() == Qt::Key_F5);
            return;
        case Qt::Key_F8:
            g->toggleEditable();
            sync();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void SpreadView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in an editor: the edit is committed already; the grid decides
    // where the cursor goes, as for Tab outside an editor.
    const bool tab = hint == QAbstractItemDelegate::EditNextItem ||
                     hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, tab ? QAbstractItemDelegate::NoHint : hint);
    // The grid leaves edit mode with its editor (unless the grid itself
    // moves the cursor on into another cell's editor).
    vtx::sheet::SheetModel* sheet = grid() ? grid()->model() : nullptr;
    if (sheet && sheet->editMode() && !m_applyingCursor) {
        m_model->setViewIsWriting(true);
        sheet->setEditMode(false);
        m_model->setViewIsWriting(false);
    }
    if (tab) {
        sync();
        tabKey(hint == QAbstractItemDelegate::EditPreviousItem);
    }
}

QLineEdit* SpreadView::cellEditor() const {
    return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

void SpreadView::finishEditing() {
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        sync();
    }
}

void SpreadView::runFind(bool replace) {
    if (!grid())
        return;
    if (!m_findDialog)
        m_findDialog = new FindReplaceDialog(*this);
    m_findDialog->show();
    m_findDialog->raise();
    if (replace)
        m_findDialog->replace();
    else
        m_findDialog->findNext();
}

void SpreadView::tabKey(bool backward) {
    Vtx_Spread* g = grid();
    if (!g) {
        QWidget::focusNextPrevChild(!backward);
        return;
    }
    const int result = g->tabKeyResult(backward);
    if (result == kTabKeep && moveToEnterable(!backward))
        return;
    emit leftGrid(!backward);
    QWidget::focusNextPrevChild(!backward);
}

bool SpreadView::moveToEnterable(bool forward) {
    Vtx_Spread* g = grid();
    int column = 0;
    int row = 0;
    if (!g->getActiveCell(column, row))
        return false;
    const int columns = g->getMaxCols();
    const int rows = g->getMaxRows();
    // Row by row, left to right (backwards: right to left, upwards).
    for (;;) {
        column += forward ? 1 : -1;
        if (column > columns) {
            column = 1;
            ++row;
        } else if (column < 1) {
            column = columns;
            --row;
        }
        if (row < 1 || row > rows)
            return false;
        if (g->isEnterable(column, row)) {
            g->setActiveCell(column, row);
            g->selectRange(column, row, column, row);
            sync();
            return true;
        }
    }
}

QMenu* SpreadView::buildContextMenu() {
    Vtx_Spread* g = grid();
    if (!g || g->contextCommands().isEmpty())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("gridContextMenu"));
    const Vtx_Array<Vtx_ContextEntry> entries = g->contextMenuEntries();
    for (int i = 0; i < entries.length(); ++i) {
        if (entries[i].code == kContextSeparator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(vtx::ui::uiText(entries[i].textNumber));
        action->setData(entries[i].menuId);
    }
    return menu;
}

bool SpreadView::runContextMenuId(int menuId) {
    Vtx_Spread* g = grid();
    if (!g)
        return false;
    const bool done = g->runContextMenuId(menuId);
    sync();
    return done;
}

void SpreadView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(buildContextMenu());
    if (!menu) {
        event->ignore();
        return;
    }
    // The command works at the active cell: a right click outside the
    // selection makes the cell under the cursor active first.
    // The event comes from the viewport, in its coordinates.
    const QModelIndex at = indexAt(event->pos());
    if (at.isValid() && !selectionModel()->isSelected(at))
        setCurrentIndex(at);
    if (QAction* chosen = menu->exec(event->globalPos()))
        runContextMenuId(chosen->data().toInt());
    event->accept();
}

bool SpreadView::viewportEvent(QEvent* event) {
    // A text tip shows a cell's whole text when it does not fit its cell, in
    // the font the grid gave its tips.
    if (event->type() == QEvent::ToolTip && grid()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.data(Qt::ToolTipRole).toString();
        const vtx::sheet::SheetModel* sheet = m_model->sheet();
        bool fits = true;
        if (!text.isEmpty()) {
            const QFont font = cellFont(sheet->font(index.column() + 1, index.row() + 1), *grid());
            fits = QFontMetrics(font).horizontalAdvance(text) + 6 <= visualRect(index).width();
        }
        if (fits) {
            QToolTip::hideText();
        } else {
            QToolTip::setFont(cellFont(grid()->textTipFont(), *grid()));
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

} // namespace vtx::spreadui
