#pragma once

/// The dialogs of section-library editing, as the family's modules start
/// them. Declared without Qt: the windows live in the module's dialog layer.
///
///     int index = -1;
///     if (StartDlgEditLibSimple("200x100x10", table, index))
///         table.writeToFile(table.tableName);   // index: among the sections in use
///
///     if (StartDlgEditLibSections(library, "HEA-100"))
///         library.writeToFile(DlgEditLibData::libraryFile());

#include "platform/Exports.h"
#include "platform/core/SectionLibrary.h"
#include "platform/core/VtxString.h"
#include "sectionlib/ProfValuesTable.h"

/// The new-section dialog: adds one section to table by the example whose
/// system name is exampleName (the first section when no section has it).
/// It works on a copy; on OK the copy with the new section replaces table,
/// index receives the new section's position among the sections in use and
/// the result is true. On Cancel table and index stay as they were.
VTX_MODULE_API bool StartDlgEditLibSimple(const Vtx_String& exampleName, Vtx_ProfValuesTable& table,
                                          int& index);

/// The section-library editor: the groups, types and values tables of the
/// library. It works on a copy of data; on OK the copy with the edited
/// groups and types replaces data and the result is true. startText names a
/// section ("HEA-100": table, "-", system name): when it is not empty the
/// editor opens on the tables page at that section. Values tables are saved
/// to their files by the editor itself when the user says so, whatever the
/// result.
VTX_MODULE_API bool StartDlgEditLibSections(DlgEditLibData& data, const Vtx_String& startText);
