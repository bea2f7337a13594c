#pragma once

/// One grid of the general-variables dialog: a row per general variable, a
/// column per list of its group (the name first, the filter last), and a
/// narrow last column of "..." cells that open the file picker for the
/// row's filter. The grid stores the texts exactly as given (a text that
/// reads as a number stays as written); a formula typed into a cell is read
/// back as "=" and its formula.
///
///     GenVarsGrid grid(1434, {347, 86, 1543});     // placeholder, column titles
///     grid.create(host);
///     grid.setColumns({names, values, filters});
///     ...
///     std::vector<Vtx_StringArray> lists = grid.columns();   // named rows only

#ifndef Q_MOC_RUN
#include "platform/core/VtxStringArray.h"
#include "spread/VtxSpread.h"
#endif

#include <vector>

namespace vtx::spreadui {
class QtDialogHost;
class SpreadView;
} // namespace vtx::spreadui

namespace vtx::standardsui {

class GenVarsGrid {
public:
    /// The grid that replaces placeholder placeholderId, with one column per
    /// title (dialog text numbers) and the "..." column after them.
    GenVarsGrid(int placeholderId, std::vector<int> titles);

    /// Replaces the placeholder; false when it is not there.
    bool create(vtx::spreadui::QtDialogHost& host);
    vtx::spreadui::SpreadView* view() const { return m_view; }
    Vtx_Spread& grid() { return m_grid; }

    /// Number of list columns (without the "..." column).
    int listColumns() const { return static_cast<int>(m_titles.size()); }
    /// The column of the filter (the last list column) and of its "..." cells.
    int filterColumn() const { return listColumns(); }
    int pickColumn() const { return listColumns() + 1; }

    /// Shows the lists, one per column (a missing or short list leaves its
    /// cells empty); at least one row, so that an empty grid can be typed in.
    void setColumns(const std::vector<Vtx_StringArray>& lists);
    /// The lists column by column, leaving out the rows whose name (column 1)
    /// is empty or blank: such a row cannot name a variable.
    std::vector<Vtx_StringArray> columns() const;

    /// Appends an empty row and makes its name cell active.
    void addRow();
    /// Deletes the rows of the selection (or the active row) through the
    /// grid's row deletion; an empty row is left when none would remain.
    void deleteSelectedRows();
    /// Asks for drawings (several at once) under the library folder +
    /// "Macros\\" and appends those under it, relative, to the filter of
    /// row; false when nothing was chosen or the row is outside the grid.
    bool pickFilter(int row);
    /// The active row, or 0 when the grid has none.
    int activeRow();

    /// The text of a cell as the record keeps it.
    Vtx_String cellText(int column, int row) const;

private:
    void styleRow(int row);

    int m_placeholderId;
    std::vector<int> m_titles;
    Vtx_Spread m_grid;
    vtx::spreadui::SpreadView* m_view = nullptr;
};

} // namespace vtx::standardsui
