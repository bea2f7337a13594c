// vtxss sheet --import: a plain cell list (.cells) into a sheet file.

#include "Cli.h"
#include "Output.h"
#include "Sheet.h"

#include "platform/sheet/bench/CellsWorkload.h"
#include "spread/FromTable.h"

#include <algorithm>
#include <functional>
#include <iostream>

namespace cli {

namespace {

using vtx::sheet::SheetModel;

// Puts one listed cell into the grid; false with a reason naming it.
bool putCell(SheetModel& model, const vtx::sheet::WorkloadCell& cell, std::string& reason) {
    const int column = cell.col + 1;
    const int row = cell.row + 1;
    const std::string where = columnName(column) + std::to_string(row);
    std::string text;
    if (!fromUtf8(cell.content, text)) {
        reason = where + ": the text has a character that 8-bit text cannot hold";
        return false;
    }
    if (cell.kind == 's' && text.size() > vtx::sheet::kMaxTextLength) {
        reason = where + ": the text is longer than " + std::to_string(vtx::sheet::kMaxTextLength) +
                 " characters";
        return false;
    }
    switch (cell.kind) {
    case 'n': {
        double number = 0;
        if (!vtx::sheet::parseNumber(text, number) || !model.setNumber(column, row, number)) {
            reason = where + ": \"" + cell.content + "\" is not a number";
            return false;
        }
        return true;
    }
    case 's':
        // Exactly the text: one that reads as a number stays a text, and an
        // empty one is an empty text, not a blank cell.
        if (model.setText(column, row, text))
            return true;
        break;
    default: {
        vtx::sheet::ParseError error;
        if (model.setFormula(column, row, text, false, &error))
            return true;
        reason = where + ": formula \"" + cell.content + "\" refused: " + error.message();
        return false;
    }
    }
    reason = where + ": the text \"" + cell.content + "\" is refused";
    return false;
}

} // namespace

void saveNewGrid(const Vtx_String& out, int columns, int rows,
                 const std::function<void(SheetModel&)>& fill) {
    CommandGrid command;
    command.create();
    // Sized on the model: a plain import, without the grid's header styling.
    SheetModel& model = *command.grid.model();
    if (!model.setMaxRows(rows) || !model.setMaxCols(columns))
        fail("cannot make a grid of " + std::to_string(columns) + " columns and " +
             std::to_string(rows) + " rows");
    registerFromTable(&command.grid);
    // Built with recalculation off, then evaluated once.
    model.setOption(vtx::sheet::kOptionAutoCalc, false);
    fill(model);
    // Recalculating everything first leaves nothing pending for the switch,
    // which would otherwise follow each changed cell's dependents one by one.
    model.recalcAll();
    model.setOption(vtx::sheet::kOptionAutoCalc, true);
    writeTarget(out, "kss", false, [&](const Vtx_String& path) {
        Vtx_String why;
        if (!command.grid.saveFile(path, &why))
            fail(shown(why));
    });
}

void importCells(const Vtx_String& cells, const Vtx_String& out, bool applyChanges) {
    refuseOwnInput(out, cells, "the cell list");
    vtx::sheet::Workload list;
    std::string reason;
    if (!vtx::sheet::readWorkload(cells.str(), list, reason))
        fail(shown(Vtx_String(reason)));
    int rows = 0;
    int columns = 0;
    for (const auto& cell : list.cells) {
        rows = std::max(rows, cell.row + 1);
        columns = std::max(columns, cell.col + 1);
    }
    if (applyChanges)
        for (const auto& change : list.changes) {
            rows = std::max(rows, change.cell.row + 1);
            columns = std::max(columns, change.cell.col + 1);
        }
    saveNewGrid(out, columns, rows, [&](SheetModel& model) {
        for (const auto& cell : list.cells)
            if (!putCell(model, cell, reason))
                fail(shown(cells) + ": " + reason);
        if (applyChanges)
            for (const auto& change : list.changes)
                if (!putCell(model, change.cell, reason))
                    fail(shown(cells) + ": change " + change.label + ": " + reason);
    });
    reportStream(out.str()) << "Imported " << list.cells.size() << " cells"
                            << (applyChanges
                                    ? " and " + std::to_string(list.changes.size()) + " changes"
                                    : "")
                            << " into " << (isStdout(out.str()) ? "stdout" : shown(out)) << " ("
                            << columns << " columns, " << rows << " rows)\n";
}

} // namespace cli
