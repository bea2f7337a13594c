#pragma once

// The page setup and document properties of the .xlsx export (private to
// vtx_export), from the print settings a sheet carries: margins, grid
// lines, the header row repeated on every page, a page header with the
// title, the date and the header picture, a footer with the page number and
// the footer picture; the variables as document properties.

#include "spread/ExportSheet.h"

#include <xlsxwriter.h>

/// The page header's text: "&L" the header picture or the title, "&C" the
/// title when a picture takes the left, "&R" the date; "&" doubled in the
/// texts, which are cut so that the whole stays within 255 characters.
/// pictureLeft tells whether the header picture is placed.
std::string xlsxPageHeader(const Vtx_String& title, const Vtx_String& date, bool pictureLeft);

/// Applies the sheet's print settings to sheet (a sheet without them keeps
/// the defaults); a header or footer picture that is not found or cannot be
/// read is left out with a warning in summary.
void applyXlsxPageSetup(lxw_workbook* workbook, lxw_worksheet* sheet,
                        const vtx::sheet::SheetModel& model, const ExportOptions& options,
                        const ExportLayout& layout, ExportSummary& summary);
