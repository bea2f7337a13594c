#pragma once

/// Exports of sheet files and grids to the formats other spreadsheet
/// programs open: .xlsx (XlsxExport.h) and .csv (spread/ExportCsv.h).
///
///     ExportFormat format;
///     if (exportFormatFromName("bill.xlsx", format)) {
///         ExportSummary summary;
///         Vtx_String reason;
///         if (exportSheetFile("bill.kss", "bill.xlsx", format, {}, &summary, &reason) != eOk)
///             report(reason);
///     }

#include "platform/core/ErrorStatus.h"
#include "spread/ExportSheet.h"

enum class ExportFormat { Xlsx, Csv };

/// The format named by a file's extension or by a format name ("xlsx",
/// "csv"; case ignored). False for anything else.
bool exportFormatFromName(const Vtx_String& nameOrPath, ExportFormat& format);

/// Writes a grid model in format to path.
ErrorStatus exportSheet(const vtx::sheet::SheetModel& model, const Vtx_String& path,
                        ExportFormat format, const ExportOptions& options,
                        ExportSummary* summary = nullptr, Vtx_String* reason = nullptr);

/// Loads the sheet file sheetFile and writes it in format to path; relative
/// picture names are looked up beside sheetFile (options.referenceFile is
/// set to it). A copy of the sheet is recalculated as a sheet window does
/// it (FROMTABLE registered); the formula cells whose stored value it
/// changes are counted in summary->staleCells. The stored values are
/// written, or with options.recalculate the recalculated ones. Reasons name
/// the file that failed: the sheet file's reason (file and line) when it
/// cannot be read.
ErrorStatus exportSheetFile(const Vtx_String& sheetFile, const Vtx_String& path,
                            ExportFormat format, ExportOptions options,
                            ExportSummary* summary = nullptr, Vtx_String* reason = nullptr);
