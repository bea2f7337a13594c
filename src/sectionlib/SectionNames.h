#pragma once

/// Names of the sections a section chooser offers: a section's user name,
/// and the sections of its table with their user names. Without Qt; the
/// combo box functions over them are in sectionlib/ui/SectionChooser.h.
///
/// A section's system name is its table's name, "-" and its name in the
/// table ("IPE-300"); a user-defined section is named by its file below the
/// library ("User Sections\\Rails\\Gantry.dwg").
///
///     Vtx_StringArray shown;
///     Vtx_StringArray names = getTableSectionNames("IPE-300", shown);
///     // names: "IPE-80", ... ; shown: "IPE 80", ..., dialString(695)

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// The user name of a section (registry look-up); the system name itself
/// when the look-up fails.
Vtx_String getSectionUserName(const Vtx_String& systemName);

/// The system names of the sections in use of the system name's table (the
/// part before "-", read from the library's "prof\\" folder), with their user
/// names appended to userNames in the same order and then dialString(695),
/// the entry that asks for another section. When the table cannot be read
/// the result is empty and only dialString(695) is appended.
Vtx_StringArray getTableSectionNames(const Vtx_String& systemName, Vtx_StringArray& userNames);

/// True for a user-defined section (a file below "User Sections\\").
bool isUserSection(const Vtx_String& systemName);

/// How a user-defined section shows: its file without "User Sections\\" and
/// without extension ("Rails\\Gantry").
Vtx_String userSectionShownName(const Vtx_String& systemName);

/// A chosen section's name as the module stores it: a leading library
/// folder removed (case ignored, either separator), so that a user section
/// picked inside the library reads "User Sections\\...".
Vtx_String sectionNameInLibrary(const Vtx_String& chosen);
