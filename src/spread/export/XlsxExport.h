#pragma once

/// Export of a grid to an Office Open XML workbook (.xlsx) of one worksheet.
///
/// Kept: texts (UTF-8), numbers as numbers with the number format of their
/// cell type (decimals, thousands separators, percent, whole numbers), truth
/// values, error values as their texts, fonts (name, size in points from the
/// grid's pixel heights at 96 dpi, bold, italic, underline), text and
/// background colours, column widths (characters) and row heights (points),
/// merged ranges, and the pictures of picture cells whose file is found
/// (placed at the cell in their own size; BMP, PNG, JPEG and GIF). The
/// column-header row, when written, is frozen at the top. Formulas are
/// written as their values.
///
/// A text longer than the format allows (32767 characters) is cut, and a
/// picture that is not found or cannot be read is left out; each gives a
/// warning in the summary. The workbook is written to a temporary file
/// beside path and renamed over it, so path keeps its old content when
/// anything fails.

#include "platform/core/ErrorStatus.h"
#include "spread/ExportSheet.h"

/// The longest text an .xlsx cell holds, in characters.
constexpr int kXlsxMaxTextLength = 32767;

/// Writes the grid to path as .xlsx. eFileAccessErr when the file cannot be
/// written, eLimitExceeded when the grid is larger than a worksheet, each
/// with a reason naming the file.
ErrorStatus exportSheetToXlsx(const vtx::sheet::SheetModel& model, const Vtx_String& path,
                              const ExportOptions& options, ExportSummary* summary = nullptr,
                              Vtx_String* reason = nullptr);
