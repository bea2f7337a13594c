#pragma once

/// The filter of a general variable: the drawings and folders it applies
/// to, relative to the library folder + "Macros\\", separated by ";" (an
/// empty filter applies to every drawing). The general-variables dialog adds
/// the files the user picks through appendToFilter.
///
///     Vtx_String filter = "Hall A";
///     filter = appendToFilter(filter, {"C:\\Lib\\Macros\\Sub\\b.vtxd", "D:\\x.vtxd"},
///                             macrosFolder());
///     // "Hall A;Sub\\b.vtxd": the path outside the folder is dropped

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// The folder filters are relative to: the library folder + "Macros\\".
Vtx_String macrosFolder();

/// The caption of the file picker that adds to a filter.
extern const char* const kFilterPickerCaption;

/// filter with the chosen paths that lie below folder appended, each made
/// relative to folder, after a ";" when filter is not empty and does not end
/// with one. Both separators are accepted in paths and folder ("/" becomes
/// "\\"); the comparison ignores case, as the core's names do. A path not
/// below folder, the folder itself, and one the filter already holds (case
/// ignored) are left out; a folder's closing separator is dropped.
Vtx_String appendToFilter(const Vtx_String& filter, const Vtx_StringArray& chosen,
                          const Vtx_String& folder);
