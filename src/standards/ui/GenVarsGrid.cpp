#include "standards/ui/GenVarsGrid.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "platform/ui/VtxDialog.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"
#include "standards/GenVarFilters.h"

#include <algorithm>
#include <utility>

namespace vtx::standardsui {

namespace {

/// Dialog text naming the drawing files in the picker's filter.
constexpr int kDrawingsText = 1766;
/// Widths in pixels of the row-header column and of the "..." column.
constexpr int kRowHeaderWidth = 32;
constexpr int kPickWidth = 26;
const Vtx_String kPickText = "...";

} // namespace

GenVarsGrid::GenVarsGrid(int placeholderId, std::vector<int> titles)
    : m_placeholderId(placeholderId), m_titles(std::move(titles)) {}

bool GenVarsGrid::create(vtx::spreadui::QtDialogHost& host) {
    if (!m_grid.createInDialog(&host, m_placeholderId, true))
        return false;
    m_view = host.view(m_placeholderId);
    m_grid.setMaxCols(pickColumn(), false);
    m_grid.setMaxRows(1, false);
    m_grid.applyGridStyle(1);
    Vtx_StringArray headers;
    for (int title : m_titles)
        headers.append(dialString(title));
    headers.append(kPickText);
    m_grid.setHeaderRow(headers);
    m_grid.setColumnLayoutList(kLayoutColumnList, {0, pickColumn()}, {kRowHeaderWidth, kPickWidth});
    styleRow(1);
    return true;
}

void GenVarsGrid::styleRow(int row) {
    m_grid.setCellText(pickColumn(), row, kPickText);
    m_grid.setLocked(pickColumn(), row, pickColumn(), row, true);
}

void GenVarsGrid::setColumns(const std::vector<Vtx_StringArray>& lists) {
    int rows = 1;
    for (const Vtx_StringArray& list : lists)
        rows = std::max(rows, list.length());
    m_grid.setMaxRows(rows, false);
    vtx::sheet::SheetModel* sheet = m_grid.model();
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= listColumns(); ++column) {
            const auto index = static_cast<std::size_t>(column - 1);
            const Vtx_String text = index < lists.size() && row <= lists[index].length()
                                        ? lists[index][row - 1]
                                        : Vtx_String();
            // As a text constant: "007" or "=A1" stay as written.
            if (text.isEmpty())
                m_grid.setCellText(column, row, text);
            else
                sheet->setText(column, row, text.view());
        }
        styleRow(row);
    }
    m_grid.setModified(false);
}

Vtx_String GenVarsGrid::cellText(int column, int row) const {
    Vtx_String text;
    m_grid.getCellText(column, row, text, kTextFormula);
    if (!text.isEmpty())
        return Vtx_String("=") + text;
    m_grid.getCellText(column, row, text, kTextData);
    return text;
}

std::vector<Vtx_StringArray> GenVarsGrid::columns() const {
    std::vector<Vtx_StringArray> lists(m_titles.size());
    for (int row = 1; row <= m_grid.getMaxRows(); ++row) {
        if (cellText(1, row).trimmed().isEmpty())
            continue;
        for (int column = 1; column <= listColumns(); ++column)
            lists[static_cast<std::size_t>(column - 1)].append(cellText(column, row));
    }
    return lists;
}

void GenVarsGrid::addRow() {
    const int row = m_grid.appendRow(false);
    if (row < 1)
        return;
    styleRow(row);
    m_grid.setActiveCell(1, row);
    if (m_view)
        m_view->setFocus();
}

void GenVarsGrid::deleteSelectedRows() {
    int column1 = 0;
    int row1 = 0;
    int column2 = 0;
    int row2 = 0;
    if (!m_grid.getSelection(column1, row1, column2, row2))
        return;
    const int rows = m_grid.getMaxRows();
    const int first = std::max(1, std::min(row1, row2));
    const int last = std::min(rows, std::max(row1, row2));
    for (int row = last; row >= first; --row)
        m_grid.deleteRow(row);
    if (m_grid.getMaxRows() < 1) {
        m_grid.setMaxRows(1, false);
        styleRow(1);
    }
    m_grid.setActiveCell(1, std::min(first, m_grid.getMaxRows()));
}

int GenVarsGrid::activeRow() {
    int column = 0;
    int row = 0;
    if (m_grid.getMaxRows() < 1 || !m_grid.getActiveCell(column, row))
        return 0;
    return row;
}

bool GenVarsGrid::pickFilter(int row) {
    if (row < 1 || row > m_grid.getMaxRows())
        return false;
    FileDialogRequest request;
    request.caption = kFilterPickerCaption;
    request.folder = macrosFolder();
    request.filter = dialString(kDrawingsText) + " (*.vtxd)|*.vtxd";
    request.multiSelect = true;
    Vtx_StringArray chosen;
    if (!hostPrompter().filesDialog(request, chosen))
        return false;
    const Vtx_String before = cellText(filterColumn(), row);
    const Vtx_String after = appendToFilter(before, chosen, request.folder);
    if (after == before)
        return false;
    m_grid.model()->setText(filterColumn(), row, after.view());
    m_grid.setModified(true);
    return true;
}

} // namespace vtx::standardsui
