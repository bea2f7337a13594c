#pragma once

/// The grid as a widget: a table view over a Vtx_Spread. The view draws the
/// grid's sheet model and forwards what the user does to the grid; what the
/// grid decides (cell types, check links, context commands, the Tab key,
/// column layouts) stays in Vtx_Spread.
///
///     Vtx_Spread grid;                      // created in its dialog
///     auto* view = new SpreadView(grid, dialog);
///
/// F3 and F5 open the view's find/replace dialog (FindReplaceDialog) and run
/// its find-next and replace steps; every grid view has it without the
/// dialog that holds the grid doing anything.
///
/// The view keeps the active cell and the selection in step with the grid
/// both ways, applies the grid's column widths and row heights (a size of 0
/// hides the row or column), its spans and header options, re-applies the
/// column layout whenever it is resized, and lets go of the grid when the
/// grid is destroyed first.

#include "spread/ui/FindReplaceDialog.h"
#ifndef Q_MOC_RUN
#include "spread/ui/QtGridMeasure.h"
#endif

#include <QPointer>
#include <QTableView>

#include <memory>

class QLineEdit;
class QMenu;
class Vtx_Spread;

namespace vtx::spreadui {

class CellDelegate;
class GridHeader;
class SheetTableModel;

class SpreadView : public QTableView {
    Q_OBJECT
public:
    /// grid must be created and outlive the view, or be destroyed first (the
    /// view then shows nothing).
    explicit SpreadView(Vtx_Spread& grid, QWidget* parent = nullptr);
    ~SpreadView() override;

    /// The grid shown, or null once it was destroyed.
    Vtx_Spread* grid() const;
    SheetTableModel& sheetModel() const { return *m_model; }

    /// Brings the view up to date with the grid now (otherwise done when
    /// control returns to the event loop).
    void sync();
    /// The context menu the grid's commands give (null when it has none);
    /// each action's data is its menu id. The caller owns it.
    QMenu* buildContextMenu();
    /// The colour of the grid lines: the grid's, else the palette's.
    QColor gridLineColor() const;
    /// Runs the command of a chosen menu id at the active cell.
    bool runContextMenuId(int menuId);

    /// The text editor open on the current cell, or null.
    QLineEdit* cellEditor() const;
    /// Commits and closes the editor open on the current cell, if any.
    void finishEditing();
    /// F3 (replace false) and F5: opens the find/replace dialog (made on
    /// first use) and runs its find-next or replace step.
    void runFind(bool replace);
    /// The find/replace dialog while it is open, else null.
    FindReplaceDialog* findDialog() const { return m_findDialog.data(); }

signals:
    /// F3 (replace false) and F5 (replace true): the find/replace step asked for.
    void findRequested(bool replace);
    /// The Tab key left the grid (forward or backward).
    void leftGrid(bool forward);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void gridDestroyed();
    void onSheetChanged(unsigned kinds);
    void applyOptions();
    void applySizes();
    void applySpans();
    void applyCursor();
    void applyLayout();
    /// The Tab key: leaves the grid at its ends, else moves to the next
    /// (previous) enterable cell.
    void tabKey(bool backward);
    bool moveToEnterable(bool forward);

    std::unique_ptr<SheetTableModel> m_model;
    std::unique_ptr<QtGridMeasure> m_measure;
    CellDelegate* m_delegate = nullptr;
    GridHeader* m_columnHeader = nullptr;
    GridHeader* m_rowHeader = nullptr;
    QPointer<FindReplaceDialog> m_findDialog;
    bool m_applyingCursor = false;
    bool m_layingOut = false;
};

} // namespace vtx::spreadui
