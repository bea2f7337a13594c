// Vtx_ProfValuesTable: to and from a grid, and into the core library's
// section-table registry.

#include "sectionlib/ProfValuesTable.h"

#include "platform/core/SectionTables.h"
#include "spread/VtxSpread.h"

#include <algorithm>

namespace {

/// The control's option that switches redrawing.
constexpr int kOptionRedraw = 8;

/// The cells of a row without its in-use cell (position 1).
Vtx_StringArray withoutInUse(const Vtx_StringArray& cells) {
    Vtx_StringArray result = cells;
    if (result.length() > 1)
        result.removeAt(kProfInUseColumn);
    return result;
}

} // namespace

bool Vtx_ProfValuesTable::setToSS(Vtx_Spread& grid) const {
    if (!grid.isCreated())
        return false;
    grid.setOption(kOptionRedraw, false);
    grid.setMaxRows(0, false);
    grid.setMaxCols(0, false);
    if (rows.isEmpty()) {
        grid.setOption(kOptionRedraw, true);
        return false;
    }
    // A row longer than the column names keeps its cells in the grid, under
    // an empty header, so that showing a table never loses a value.
    int width = columns.length();
    for (const Vtx_StringArray& row : rows)
        width = std::max(width, row.length());
    grid.setMaxRows(rows.length(), false);
    grid.setMaxCols(width, false);
    grid.setCheckBoxColumn(kProfInUseColumn + 1, false, false);
    grid.setHeaderRow(columns);
    Vtx_StringArray headers;
    for (int r = 0; r < rows.length(); ++r)
        headers.append(tableName);
    grid.setHeaderColumn(headers);
    for (int r = 0; r < rows.length(); ++r)
        grid.setRow(r + 1, rows[r]);
    grid.resetFonts();
    grid.setModified(false);
    grid.setOption(kOptionRedraw, true);
    return true;
}

bool Vtx_ProfValuesTable::getFromSS(const Vtx_Spread& grid) {
    const int rowCount = grid.getMaxRows();
    if (rowCount <= 0 || grid.getMaxCols() <= 0)
        return false;
    Vtx_StringArray header;
    Vtx_String name;
    if (!grid.getHeaderRow(header) || !grid.getCellText(0, 1, name, kTextValue))
        return false;
    Vtx_Array<Vtx_StringArray> read;
    for (int r = 1; r <= rowCount; ++r) {
        Vtx_StringArray cells;
        if (!grid.getRow(r, cells))
            return false;
        read.append(std::move(cells));
    }
    columns = std::move(header);
    tableName = std::move(name);
    rows = std::move(read);
    return true;
}

ErrorStatus Vtx_ProfValuesTable::setToGlobals(Vtx_SectionTableManager* manager) const {
    if (manager == nullptr || tableName.isEmpty() || columns.isEmpty())
        return eInvalidInput;
    const Vtx_String registryName = tableName + ".pr";
    const Vtx_String templateFile =
        templateName.find('.') >= 0 ? "Prof\\" + templateName : templateName;
    Vtx_Array<Vtx_StringArray> registered;
    for (const Vtx_StringArray& row : rows)
        registered.append(withoutInUse(row));
    // Checked above what the registry refuses, so the old table is only
    // removed when the new one takes its place.
    if (manager->hasTable(tableName))
        manager->removeTable(tableName);
    return manager->addSectionTable(registryName, templateFile, withoutInUse(columns), registered);
}
