#pragma once

/// The Qt table model of a grid: it reads the grid's sheet model and keeps
/// no copy of the cells. Qt row r and column c are the grid's row r + 1 and
/// column c + 1; the header row and column of the grid are the model's
/// header data.
///
/// It listens to the sheet model and gathers what changed; the changes reach
/// Qt once control returns to the event loop (or at once through flush()), so
/// that a thousand edits in a row cost one repaint. Between a change of the
/// counts and the flush the model keeps showing the old counts (cells beyond
/// the grid read as empty), as Qt requires.
///
///     SheetTableModel model(grid);
///     view.setModel(&model);
///     grid.setCellText(1, 1, "Width");   // the view repaints on the next turn

// moc needs only the class declarations.
#ifndef Q_MOC_RUN
#include "platform/sheet/SheetModel.h"
#endif

#include <QAbstractTableModel>

class Vtx_Spread;

namespace vtx::spreadui {

class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// grid must be created; the model listens to it until detach().
    explicit SheetTableModel(Vtx_Spread& grid, QObject* parent = nullptr);
    ~SheetTableModel() override;

    /// Stops listening and shows an empty grid (the grid is going away).
    void detach();
    Vtx_Spread* grid() const { return m_grid; }
    /// The sheet model, or null once detached.
    const vtx::sheet::SheetModel* sheet() const;

    /// The grid's column and row of an index (1-based).
    static int sheetColumn(const QModelIndex& index) { return index.column() + 1; }
    static int sheetRow(const QModelIndex& index) { return index.row() + 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    /// Display: the shown text (check boxes and pictures show none). Edit:
    /// "=" and the formula for a formula cell, else the data text. Tool tip:
    /// the shown text while the grid's text tips are on.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    /// A text beginning with "=" becomes a formula, any other text the
    /// cell's data; false (cell unchanged) when the grid refuses it (a
    /// number beyond its bounds, a locked cell of a protected grid).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// True when a user may change the cell: inside the body, not covered by
    /// a span, and not locked while the grid is protected (option 13).
    bool isUserEditable(int column, int row) const;

    /// Hands what changed so far to Qt now.
    void flush();
    /// While set, changes of the cursor are taken as coming from the view
    /// and are not handed back to it.
    void setViewIsWriting(bool writing) { m_viewWriting = writing; }

signals:
    /// After a flush: what changed (vtx::sheet::SheetChangeKind bits). The
    /// model has already reset itself or told Qt of changed cells.
    void sheetChanged(unsigned kinds);

private:
    void noteChange(const vtx::sheet::SheetChange& change);

    Vtx_Spread* m_grid = nullptr;
    int m_rows = 0;
    int m_columns = 0;
    unsigned m_pending = 0;
    vtx::sheet::CellRange m_dirty;
    bool m_dirtyAll = false;
    bool m_flushQueued = false;
    bool m_viewWriting = false;
};

/// The column letters of a 1-based column number ("A", "Z", "AA", ...).
QString columnLetters(int column);

} // namespace vtx::spreadui
