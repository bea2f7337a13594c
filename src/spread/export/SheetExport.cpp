#include "spread/export/SheetExport.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/ExportCsv.h"
#include "spread/FromTable.h"
#include "spread/VtxSpread.h"
#include "spread/export/XlsxExport.h"

using vtx::sheet::SheetModel;

bool exportFormatFromName(const Vtx_String& nameOrPath, ExportFormat& format) {
    const int dot = nameOrPath.findLast('.');
    const Vtx_String name = dot >= 0 ? nameOrPath.mid(dot + 1) : nameOrPath;
    if (name.equal("xlsx", false)) {
        format = ExportFormat::Xlsx;
        return true;
    }
    if (name.equal("csv", false)) {
        format = ExportFormat::Csv;
        return true;
    }
    return false;
}

ErrorStatus exportSheet(const vtx::sheet::SheetModel& model, const Vtx_String& path,
                        ExportFormat format, const ExportOptions& options, ExportSummary* summary,
                        Vtx_String* reason) {
    if (format == ExportFormat::Csv)
        return exportSheetToCsv(model, path, options, summary, reason);
    return exportSheetToXlsx(model, path, options, summary, reason);
}

namespace {

constexpr int kStaleExamples = 5;
constexpr int kGridPlaceholder = 1;

// The formula cells of stored whose value the recalculated grid changed.
void countStale(const SheetModel& stored, const SheetModel& recalculated, ExportSummary& summary) {
    if (stored.maxCols() < 1 || stored.maxRows() < 1)
        return;
    for (const vtx::sheet::CellPos& at :
         stored.usedCells({1, 1, stored.maxCols(), stored.maxRows()})) {
        if (!stored.hasFormula(at.col, at.row) ||
            stored.value(at.col, at.row) == recalculated.value(at.col, at.row))
            continue;
        if (summary.staleCells++ < kStaleExamples)
            summary.staleExamples.append(exportCellName(at.col, at.row));
    }
}

} // namespace

ErrorStatus exportSheetFile(const Vtx_String& sheetFile, const Vtx_String& path,
                            ExportFormat format, ExportOptions options, ExportSummary* summary,
                            Vtx_String* reason) {
    SheetModel stored;
    std::string why;
    if (!stored.load(sheetFile.str(), &why)) {
        if (reason)
            *reason = why.empty() ? sheetFile + ": cannot be read" : Vtx_String(why);
        return fileExists(sheetFile) ? eBadFileFormat : eFileNotFound;
    }
    options.referenceFile = sheetFile;
    // A copy recalculated as the grid of a sheet window does it (with
    // FROMTABLE): it tells which stored values are stale, and is what a
    // recalculating export writes.
    HiddenDialogHost dialog;
    dialog.addPlaceholder(kGridPlaceholder, {0, 0, 640, 480});
    Vtx_Spread grid;
    Vtx_String copyWhy;
    if (!grid.createInDialog(&dialog, kGridPlaceholder, true) || !grid.copyGrid(stored, &copyWhy)) {
        if (reason)
            *reason = sheetFile + ": cannot be recalculated (" + copyWhy + ")";
        return eGeneralError;
    }
    registerFromTable(&grid);
    grid.recalcAll();
    ExportSummary stale;
    countStale(stored, *grid.model(), stale);
    const ErrorStatus status = exportSheet(options.recalculate ? *grid.model() : stored, path,
                                           format, options, summary, reason);
    if (summary) {
        summary->staleCells = stale.staleCells;
        summary->staleExamples = stale.staleExamples;
    }
    return status;
}
