#pragma once

/// startGridDialog: a table of texts edited in one grid (template 208), with
/// OK and Cancel, and, when the caller allows it, buttons that insert and
/// delete rows. It follows the modal pattern of every Start function: the
/// table is replaced by the edited rows only on OK.
///
///     Vtx_Array<Vtx_StringArray> headers{{"Name", "Length", "Welded"}, {"", "N1", "C"}};
///     Vtx_Array<Vtx_StringArray> rows{{"Plate", "120", "1"}};
///     if (startGridDialog(headers, rows, true, "DLG_PLATES", "Plates")) ...
///
/// The header lists:
///
/// - headers[0], the column titles (required): one column each, in order. An
///   empty list (or no list at all) returns false at once, showing nothing.
/// - headers[1], the column kinds (optional; missing entries are text):
///   "" or "T" a text column; "N" a number column, "N0" to "N9" with that
///   many decimals (2 without a digit); "C" a check-box column ("1" checked,
///   "0" not). Other kinds are text columns.
///
/// A row longer than the titles adds columns with empty titles, so that
/// nothing of the table is dropped; a shorter row reads back with empty
/// texts up to the column count. Text and check-box cells read back as
/// shown; number cells as stored (untouched numbers keep the caller's text,
/// edited ones have the column's decimals).

#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

namespace vtx::spreadui {

/// Control ids of template 208.
constexpr int kGridDialogGridId = 2080;
constexpr int kGridDialogInsertRowId = 2081;
constexpr int kGridDialogDeleteRowId = 2082;

} // namespace vtx::spreadui

/// Shows headers and rows in a grid dialog named dialogName (its size is kept
/// under that name) with the title. With rowsEditable the user may insert
/// rows (below the active row) and delete the selected rows; otherwise only
/// the cells change. True on OK, with rows replaced by the grid's rows.
VTX_MODULE_API bool startGridDialog(const Vtx_Array<Vtx_StringArray>& headers,
                                    Vtx_Array<Vtx_StringArray>& rows, bool rowsEditable,
                                    const Vtx_String& dialogName = "DLG_SS_STRINGARRAY",
                                    const Vtx_String& title = {});
