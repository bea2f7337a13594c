#pragma once

/// Export of a grid to comma-separated values (RFC 4180), UTF-8.
///
/// Every row of the exported part (see ExportLayout) becomes one record of
/// the same number of fields, ended by CR LF. Each field is the cell's text
/// as the grid shows it (number cells with their decimals), or with
/// options.rawNumbers a number's shortest exact text, converted from the
/// grid's 8-bit text to UTF-8. A field holding a comma, a double quote, a CR
/// or an LF is put in double quotes, its quotes doubled. Merged ranges keep
/// their text in their first cell; pictures are left out. No byte order mark
/// is written. The header data, when written, comes first: one record per
/// variable (name, value, empty fields; at least two fields per record),
/// then an empty record.

#include "platform/core/ErrorStatus.h"
#include "spread/ExportSheet.h"

#include <string>

/// The CSV text of a grid (UTF-8); summary (when given) is filled.
std::string sheetToCsv(const vtx::sheet::SheetModel& model, const ExportOptions& options,
                       ExportSummary* summary = nullptr);

/// Writes sheetToCsv whole to a temporary file beside path and renames it
/// over path. eFileAccessErr, with a reason naming the file, when it cannot
/// be written.
ErrorStatus exportSheetToCsv(const vtx::sheet::SheetModel& model, const Vtx_String& path,
                             const ExportOptions& options, ExportSummary* summary = nullptr,
                             Vtx_String* reason = nullptr);
